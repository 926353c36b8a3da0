// traj_plot.h -- the data of the trajectory plot: the joint values of every point of the
// loaded trajectory, 1/kappa and the clearance along it, the point posed last, and where each
// part is drawn
#ifndef VELMORA_TRAJ_PLOT_H
#define VELMORA_TRAJ_PLOT_H

#include "traj/plot_frame.h"
#include "robot/robot.h"

typedef struct _TrajPlot_ {
  Robot robot;                // the robot of the values; NULL while nothing is loaded
  int cartesian;              // 1: the values are a Cartesian trajectory's recorded solutions
  int n, ntp;                 // joints (one curve each) and points
  float* q;                   // ntp x n, row-major: joint j at point i is q[i*n + j]
  unsigned char* have;        // ntp: 1 where point i has joint values, 0 for a gap
  double* rcond;              // ntp: 1/kappa at point i, 0 at a gap
  unsigned char* prismatic;   // n: 1 for a prismatic joint (lengths), 0 for one in degrees
  int cursor;                 // the trajectory's ctp: the point posed last, -1 before any
  double* clear;              // ntp: the clearance at point i, NAN where none was measured
  unsigned char* touch;       // ntp: 1 where something touches at point i
  unsigned long clear_stamp;  // the scene the clearances were measured in
} TrajPlot;

// how the clearance of a point is measured, from above the trajectories (the collision
// model): the robot at joint values q of point `point` of a joint (cartesian 0) or Cartesian
// (1) trajectory; NAN when nothing is measured, else the clearance, *touching set to 1 when
// something touches. stamp names the scene: when it changes every point is measured again
typedef double (*TrajClearanceProc)(Robot r, const float* q, int point, int cartesian,
                                    int* touching);
// the measure and its stamp; NULL: the plot has no clearance
void SetTrajPlotClearance(TrajClearanceProc measure, unsigned long (*stamp)(void));
// 1 when some point of p has a measured clearance: the plot then shows its panel
int TrajPlotHasClearance(const TrajPlot* p);

// an empty plot; NULL does nothing for the free
TrajPlot* NewTrajPlot(void);
void FreeTrajPlot(TrajPlot* p);

// the plot brought up to date with jt when it is active, else with ct when it is active,
// else emptied. A Cartesian point whose joints all hold -1 (the loader's mark) has not been
// solved and is a gap. 1/kappa is computed again only where a point's values changed.
// Returns 1 when anything the plot shows changed
int TrajPlotSync(TrajPlot* p, Robot r, const JointTrajectory* jt, const CartesianTrajectory* ct);

// every point of t solved in order, starting from a copy of the joints in start (the robot
// does not move); a point the solver refuses keeps the unsolved mark (all -1) and the next
// one starts from the last solution. The number of points refused
int SolveTrajForPlot(Robot r, JointConfig start, CartesianTrajectoryPtr t);

// the lowest and highest joint value over the points that have values (lo = hi = 0 without)
void TrajPlotValueRange(const TrajPlot* p, double* lo, double* hi);
// the panels of a w x h picture: joint values above, the clearance under them when the plot
// has one (else clear gets a frame of no height), 1/kappa (0..1) below, x the point index
// 0..ntp-1 in all; margins leave room for tick labels and the legend at the right. clear may
// be NULL
void TrajPlotLayout(const TrajPlot* p, int w, int h, PlotFrame* joints, PlotFrame* clear,
                    PlotFrame* cond);
// the lowest (at most 0) and highest measured clearance (0 and 1 without)
void TrajPlotClearRange(const TrajPlot* p, double* lo, double* hi);
// the point nearest pixel column px of frame f, clamped to 0..ntp-1; -1 without points
int TrajPlotPointAt(const TrajPlot* p, const PlotFrame* f, int px);
// the unit of the joint-value axis: "deg", "usu" (the robot file's length unit) or
// "deg, usu" for a robot with both kinds of joint
const char* TrajPlotUnit(const TrajPlot* p);
// the curve colour of joint j, one of eight, repeating
void TrajPlotColour(int j, unsigned char rgb[3]);

#endif
