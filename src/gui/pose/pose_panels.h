// pose_panels.h -- the panels that pose the robot and show its pose: Forward and Inverse
// Kinematics with the Q and J windows, Select Configuration, Conditioning, Setting System
#ifndef VELMORA_GUI_POSE_PANELS_H
#define VELMORA_GUI_POSE_PANELS_H

#include "robot/robot.h"

class Fl_Box;
class Fl_Browser;
class Fl_Button;
class Fl_Input;
class Fl_Output;
class Fl_Slider;
class Fl_Text_Buffer;
class Fl_Value_Input;
class Fl_Value_Output;
class Fl_Value_Slider;
class Fl_Widget;
class Fl_Window;
class Jw_Spinner;

//------------------------------------------------------------------ Forward Kinematics
// (joint_panel.cpp)
// joints the panel's tables hold: every robot a file describes; rows beyond
// JOINT_PANEL_ROWS scroll
#define JOINT_PANEL_MAX 30
#define JOINT_PANEL_ROWS 12

extern Fl_Window* joint_config_win;
extern Jw_Spinner* joint_config_set_q[JOINT_PANEL_MAX];
extern Fl_Slider* joint_config_sl_set_q[JOINT_PANEL_MAX];   // NULL for prismatic joints
extern Fl_Input* joint_config_file;                         // the "File:" input

// the panel for R and jc, hidden, replacing the one before; nothing without a robot
void joint_config(JointConfig jc);
// when shown: fold the joint values (written back into jc) and show them
void joint_config_update(JointConfig jc);
// spinner j or slider j (user data j) moved: the edit rule, then FwdKin, UpdateAll, redraw
void joint_config_set_cb(Fl_Widget* w, void* j);
void joint_config_sl_set_cb(Fl_Widget* w, void* j);
// "save": the spinners' values to "JConfig/" + R->name + "." + the text of input
void joint_config_save_cb(Fl_Widget* w, void* input);
// menu command 8
void ShowJointConfig(void);

//------------------------------------------------------------------ Inverse Kinematics
// (cart_panel.cpp)
extern Fl_Window* cart_config_win;
extern Jw_Spinner* c_config_pos[3];   // NULL in the orientation-only layout
extern Jw_Spinner* c_config_ori[3];   // NULL in the position-only layout
extern Fl_Window *q_win, *j_win;      // the "Q" window (one per run) and the "J" window
extern Fl_Text_Buffer *buf, *buf_j;

// the Q window once, then the panel laid out by cc->type, hidden, replacing the one before
void cart_config(CartesianConfig cc);
// when shown: the spinners from cc, then UpdateQ and UpdateJ
void cart_config_update(CartesianConfig cc);
// position spinner i / orientation spinner i (user data i): solve, or restore on failure
void c_config_pos_cb(Fl_Widget* w, void* i);
void c_config_ori_cb(Fl_Widget* w, void* i);
// "Q": show the Q window; "J": size the one J window for R and show it
void cart_config_q_cb(Fl_Widget* w, void*);
void cart_config_j_cb(Fl_Widget* w, void*);
// the texts of the two windows while they are shown
void UpdateQ(CartesianConfig cc);
void UpdateJ(CartesianConfig cc);
// menu command 9
void ShowCartConfig(void);
// robot-load rebuild: both panels for the new robot, then UpdateQ and UpdateJ
void RebuildPosePanels(void);

//------------------------------------------------------------------ Select Configuration
// (config_panel.cpp)
extern Fl_Window* config_win;
extern Fl_Browser* config_browser;
extern Fl_Button *config_spline, *config_jump;

void config(void);
// the poses of R in "JConfig", sorted
void config_fill(void);
void config_select_cb(Fl_Widget* w, void*);
void config_spline_cb(Fl_Widget* w, void*);
void config_jump_cb(Fl_Widget* w, void*);
// menu command 6
void ShowConfig(void);

//------------------------------------------------------------------ Conditioning
// (condit_panel.cpp)
extern Fl_Window* condit_win;
extern Fl_Box* condit_level;
extern Fl_Value_Output *condit_value, *length_value, *reach_value;
extern Fl_Output* clearance_value;   // the clearance, "-" while nothing is checked
extern Fl_Box* clearance_pair;       // its pair: "Link 3, Table 1"

void condit(void);
// when shown: 1/kappa with its level light, length and reach by the robot's task kind
void Update_condit(void);
// times Update_condit evaluated the index since start-up
long ConditEvaluations(void);
// menu command 12
void ShowCondit(void);

//------------------------------------------------------------------ Setting System
// (setting_panel.cpp)
extern Fl_Window* control_win;
extern Fl_Value_Slider *bg_color_r, *bg_color_g, *bg_color_b;
extern Fl_Button *bg_color_grey, *bg_color_white, *bg_color_default;
extern Fl_Button *mode_perspective, *mode_orthogonal;
extern Fl_Button *axes_inertial, *axes_joint, *axes_ee;
extern Fl_Value_Input *ikp_tolerance, *ikp_max_iter;
extern Fl_Button* ikp_fallback;       // "Damped fallback" of the solvers, on at start
extern Fl_Button* check_collisions;   // "Check collisions"
extern Fl_Button* avoid_obstacles;    // "Avoid obstacles"

void control(void);
// menu command 4
void ShowControl(void);

#endif
