// analysis_wins.h -- the URDF export dialog, the trajectory plot window and the
// conditioning map window
#ifndef VELMORA_GUI_ANALYSIS_WINS_H
#define VELMORA_GUI_ANALYSIS_WINS_H

#include "traj/traj_plot.h"

class Fl_Button;
class Fl_Choice;
class Fl_Input;
class Fl_Progress;
class Fl_Value_Output;
class Fl_Widget;
class Fl_Window;

//------------------------------------------------------------------ Export URDF (urdf_win.cpp)
extern Fl_Window* urdf_win;
extern Fl_Input* urdf_name;          // the name typed; ".urdf" is added
extern Fl_Button* urdf_save_b;

// build the dialog hidden; CreateForms() calls this once
void urdf_export(void);
// menu: the robot's name preset, show
void ShowUrdfExport(void);
// "save": <name>.urdf into the working directory; a refusal or failure on the message line
void urdf_save_cb(Fl_Widget*, void*);

//------------------------------------------------------------------ Plot (traj_plot_win.cpp)
extern Fl_Window* traj_plot_win;
extern Fl_Widget* traj_plot_view;    // the picture; a click poses the point under it
extern Fl_Button* traj_plot_solve_b; // "Solve all", for a Cartesian trajectory
extern Fl_Input* traj_plot_name;     // file name of the exports, without extension
extern Fl_Button *traj_plot_svg_b, *traj_plot_png_b;

void traj_plot(void);
// menu: show, brought up to date
void ShowTrajPlot(void);
// refresher (UpdateAll): while shown, the values, gaps and cursor of the loaded trajectory
void UpdateTrajPlot(void);
// robot-load rebuild: the plot emptied (the load unloaded the trajectories)
void TrajPlotNewRobot(void);
// the plot's data: curve values, 1/kappa, cursor
const TrajPlot* TrajPlotData(void);
// point k of the loaded trajectory posed as its panel's progress slider poses it (a run
// stops); before any point was posed the click still poses k
void TrajPlotPosePoint(int k);
void traj_plot_solve_cb(Fl_Widget*, void*);
// "SVG", "PNG": the picture as <name>.svg or <name>.png in the working directory
void traj_plot_svg_cb(Fl_Widget*, void*);
void traj_plot_png_cb(Fl_Widget*, void*);

//------------------------------------------------------------------ Conditioning Map
// (cond_map_win.cpp)
extern Fl_Window* cond_map_win;
extern Fl_Choice *cond_map_ja, *cond_map_jb;  // joint along x and along y
extern Fl_Choice* cond_map_size;              // cells per side
extern Fl_Widget* cond_map_view;              // image, marker, colour bar; a click moves
extern Fl_Progress* cond_map_progress;
extern Fl_Value_Output* cond_map_here;        // 1/kappa at the current pose

void cond_map(void);
// menu: show, the map started for the current pose
void ShowCondMap(void);
// refresher (UpdateAll): the marker and the value here; the map computed again when a
// held joint, a limit or the robot changed
void UpdateCondMap(void);
// robot-load rebuild: joint choices for the new robot, the map dropped
void CondMapNewRobot(void);
// 1 when every cell of the map is computed for the current pose
int CondMapComplete(void);
// joints ja, jb (0-based) set to qa, qb through the Forward Kinematics panel's joint edit;
// when either value breaks a limit, that joint's message and nothing moves
void CondMapMoveJoints(int ja, float qa, int jb, float qb);
void cond_map_choice_cb(Fl_Widget*, void*);

#endif
