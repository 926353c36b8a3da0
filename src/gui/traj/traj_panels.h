// traj_panels.h -- the Cartesian Trajectory, Joint Trajectory and Transform Trajectory
// windows, their continuous playback in the animation timer, and the two save dialogs
#ifndef VELMORA_GUI_TRAJ_PANELS_H
#define VELMORA_GUI_TRAJ_PANELS_H

#include "robot/robot.h"

class Fl_Button;
class Fl_Hold_Browser;
class Fl_Input;
class Fl_Light_Button;
class Fl_Check_Button;
class Fl_Slider;
class Fl_Widget;
class Fl_Window;
class Jw_Spinner;
class OpenGL_WIN;

//------------------------------------------------------------------ playback flags
// continuous playback running, set by the direction buttons, run by IdleCallback
extern bool CartTraj_ani_fwd, CartTraj_ani_rev, JointTraj_ani_fwd, JointTraj_ani_rev;

//------------------------------------------------------------------ Cartesian (cart_traj.cpp)
extern Fl_Window* cart_traj_win;
extern Fl_Hold_Browser* cart_traj_select;
extern Fl_Light_Button *cart_traj_points, *cart_traj_frames;
extern Fl_Check_Button *cart_traj_cont, *cart_traj_step;
extern Fl_Button *cart_traj_rev, *cart_traj_fwd;
extern Fl_Slider* cart_traj_progress;
extern Fl_Input* CtoJ_name;
extern Fl_Button* CtoJ_save_b;

// build the panel hidden; CreateForms() calls this once
void cart_traj(void);
// the list: entries of "Ctraj" for the current robot and its built-in paths, sorted
void cart_traj_fill(void);
// menu: refill, show
void cart_traj_show(void);
// the "Joint Traj File:" input and "Save JT" on or off; off also empties the input
void CtoJ_active(bool on);
// both direction buttons off, slider 0, ctp -1, state 0, playback flags off, redraw
void cart_traj_reset(CartesianTrajectoryPtr t);
// "Save JT" off, reset, the trajectory unloaded, redraw
void cart_traj_clear(CartesianTrajectoryPtr t);
// point k posed through the solver and recorded, slider at k, displays refreshed (no redraw)
void CartTrajShowPoint(int k);

void cart_traj_select_cb(Fl_Widget*, void*);
void cart_traj_points_cb(Fl_Widget*, void*);
void cart_traj_frames_cb(Fl_Widget*, void*);
void cart_traj_cont_cb(Fl_Widget*, void*);
void cart_traj_step_cb(Fl_Widget*, void*);
void cart_traj_fwd_cb(Fl_Widget*, void*);
void cart_traj_rev_cb(Fl_Widget*, void*);
void cart_traj_progress_cb(Fl_Widget*, void*);
void cart_traj_reset_cb(Fl_Widget*, void*);
// cart_traj_clear(&CT) and the list deselected
void cart_traj_clear_cb(Fl_Widget* = nullptr, void* = nullptr);
// "Save JT": the recorded joint solutions into "Jtraj/" + robot name + "." + the input
void CtoJ_save_cb(Fl_Widget*, void*);

//------------------------------------------------------------------ joint panel (joint_traj.cpp)
extern Fl_Window* joint_traj_win;
extern Fl_Hold_Browser* joint_traj_select;
extern Fl_Light_Button *joint_traj_points, *joint_traj_frames;
extern Fl_Check_Button *joint_traj_cont, *joint_traj_step;
extern Fl_Button *joint_traj_rev, *joint_traj_fwd;
extern Fl_Slider* joint_traj_progress;

void joint_traj(void);
void joint_traj_fill(void);
void joint_traj_show(void);
void joint_traj_reset(JointTrajectoryPtr t);
void joint_traj_clear(JointTrajectoryPtr t);
// point k posed, the obstacles moved to it, slider at k, displays refreshed (no redraw)
void JointTrajShowPoint(int k);

void joint_traj_select_cb(Fl_Widget*, void*);
void joint_traj_point_cb(Fl_Widget*, void*);
void joint_traj_frame_cb(Fl_Widget*, void*);
void joint_traj_cont_cb(Fl_Widget*, void*);
void joint_traj_step_cb(Fl_Widget*, void*);
void joint_traj_fwd_cb(Fl_Widget*, void*);
void joint_traj_rev_cb(Fl_Widget*, void*);
void joint_traj_progress_cb(Fl_Widget*, void*);
void joint_traj_reset_cb(Fl_Widget*, void*);
void joint_traj_clear_cb(Fl_Widget* = nullptr, void* = nullptr);

// both panels emptied for a newly loaded robot (the core already unloaded the trajectories)
void TrajPanelsNewRobot(void);

//------------------------------------------------------------------ Transform (trans_traj.cpp)
extern Fl_Window* trans_win;
extern Jw_Spinner* m_config_pos[3];
extern Jw_Spinner* m_config_ori[3];
extern Jw_Spinner* m_config_scale;
extern Fl_Input* trans_file_name;

// menu: remembered values reset, trajectory panels hidden, the dialog built anew and shown
void trans_pos_ori(void);
void trans_pos_cb(Fl_Widget*, void* axis);
void trans_ori_cb(Fl_Widget*, void* axis);
void trans_scale_cb(Fl_Widget*, void*);
// "save": the moved path into "Ctraj/" + robot name + "." + the input, then both unloaded
void traj_save_cb(Fl_Widget*, void*);

//------------------------------------------------------------------ saves (traj_save_dialogs.cpp)
extern Fl_Window* traj_ask_win;     // "Overwrite existing file?"
extern Fl_Button *traj_ask_ok, *traj_ask_cancel;
extern Fl_Window* traj_saved_win;   // "Joint-trajectory saved" or "Trajectory  saved"

// ask before writing over path; ok runs write(path), cancel nothing. The question is modal
// and sits at the position of the window `over`
void TrajAskOverwrite(Fl_Window* over, const char* ok, const char* cancel, const char* path,
                      void (*write)(const char* path));
// the message window "Message" with a bold line and a "close" button, showing format with
// "%s" for the full path of the file written (ShowWritten)
void TrajShowSaved(const char* format, const char* path);

//------------------------------------------------------------------ timer (traj_playback.cpp)
// each returns true when its start condition held this tick (the timer then runs fast)
bool JointTrajForwardTick(OpenGL_WIN* view);
// a hidden panel's trajectory is unloaded unless the Transform window is open; never fast
bool ClosedTrajPanelsTick(void);
bool JointTrajReverseTick(OpenGL_WIN* view);
bool CartTrajForwardTick(OpenGL_WIN* view);
bool CartTrajReverseTick(OpenGL_WIN* view);

#endif
