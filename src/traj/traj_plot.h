// traj_plot.h -- the data of the trajectory plot: the joint values of every point of the
// loaded trajectory, 1/kappa along it, the point posed last, and where each part is drawn
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
} TrajPlot;

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
// the two panels of a w x h picture: joint values above, 1/kappa (0..1) below, x the point
// index 0..ntp-1 in both; margins leave room for tick labels and the legend at the right
void TrajPlotLayout(const TrajPlot* p, int w, int h, PlotFrame* joints, PlotFrame* cond);
// the point nearest pixel column px of frame f, clamped to 0..ntp-1; -1 without points
int TrajPlotPointAt(const TrajPlot* p, const PlotFrame* f, int px);
// the unit of the joint-value axis: "deg", "usu" (the robot file's length unit) or
// "deg, usu" for a robot with both kinds of joint
const char* TrajPlotUnit(const TrajPlot* p);
// the curve colour of joint j, one of eight, repeating
void TrajPlotColour(int j, unsigned char rgb[3]);

#endif
