// menu_dispatch.cpp -- the menu table (label, code, key, flags, handler) and menu_cb, which
// runs a command found by its code in it
//
// A new command is one code in menu_codes.h and one row below: the menu bar is built from
// the rows (main_win.cpp) and menu_cb runs the row's handler. "Needs robot" rows do nothing
// while no robot is loaded.
#include <FL/Fl_Menu_Item.H>  // for: FL_MENU_DIVIDER
#include <FL/Enumerations.H>  // for: FL_CTRL, FL_SHIFT, FL_F
#include <stdlib.h>   // for: exit()

#include "robot/app_state.h"  // for: R
#include "gui/export/anim_win.h"  // for: anim_export()
#include "gui/export/analysis_wins.h"  // for: Export URDF, Plot, Conditioning Map
#include "gui/env/environment.h"  // for: the environment commands
#include "gui/shell/hubs.h"
#include "gui/shell/menu_codes.h"
#include "gui/pose/pose_panels.h"  // for: the pose panels' menu commands
#include "gui/traj/traj_panels.h"  // for: the trajectory windows
#include "gui/robot/robot_dlg.h"  // for: the robot dialogs
#include "gui/export/menu_export_gl.h"  // for: export_gl()
#include "gui/view/opengl_win.h"  // for: FitView(), HomeView()

//------------------------------------------------------------------ commands built here

// status 0 at once, once unsaved robot edits are saved or given up
static void Exit() {
  if (LeaveAllowed()) exit(0);
}
static void ShowAbout() { ShowWindow(about_win); }

//------------------------------------------------------------------ the table

// the menu in the order the bar shows it: one row per command (menu_codes.h)
static const MenuRow rows[] = {
  {"&Robot/New Robot", MENU_NEW_ROBOT, FL_CTRL + 'n', 0, 0, new_arch_show},
  {"&Robot/Load Robot", MENU_LOAD_ROBOT, FL_CTRL + 'o', 0, 0, arch_show},
  {"&Robot/Import Robot...", MENU_IMPORT_ROBOT, 0, FL_MENU_DIVIDER, 0, robot_import},
  {"&Robot/Edit Robot", MENU_EDIT_ROBOT, 0, 0, 1, edit_robot_show},
  {"&Robot/DH Parameter", MENU_DH_PARAMETER, 0, 0, 1, display_DH_parameter},
  {"&Robot/End Effector", MENU_END_EFFECTOR, 0, FL_MENU_DIVIDER, 1, end_eff_show},
  {"&Robot/Save", MENU_SAVE, FL_CTRL + 's', 0, 1, edit_robot_save_cb},
  {"&Robot/Save As", MENU_SAVE_AS, FL_CTRL + FL_SHIFT + 's', 0, 1, robot_saveas},
  {"&Robot/Export URDF", MENU_EXPORT_URDF, 0, FL_MENU_DIVIDER, 1, ShowUrdfExport},
  {"&Robot/Exit", MENU_EXIT, FL_CTRL + 'q', 0, 0, Exit},
  {"&Edit/Undo", MENU_UNDO, FL_CTRL + 'z', 0, 1, UndoCommand},
  {"&Edit/Redo", MENU_REDO, FL_CTRL + FL_SHIFT + 'z', 0, 1, RedoCommand},
  {"&Posture/Joint Limits", MENU_JOINT_LIMITS, 0, 0, 1, joint_limits_show},
  {"&Posture/Select Configuration", MENU_SELECT_CONFIG, 0, 0, 1, ShowConfig},
  {"&Posture/Forward Kinematics", MENU_FORWARD_KIN, 0, 0, 1, ShowJointConfig},
  {"&Posture/Inverse Kinematics", MENU_INVERSE_KIN, 0, 0, 1, ShowCartConfig},
  {"&Posture/Conditioning Map", MENU_COND_MAP, 0, 0, 1, ShowCondMap},
  {"&Trajectory/Joint Trajectory", MENU_JOINT_TRAJ, 0, 0, 1, joint_traj_show},
  {"&Trajectory/Cartesian Trajectory", MENU_CART_TRAJ, 0, 0, 1, cart_traj_show},
  {"&Trajectory/Transform Trajectory", MENU_TRANSFORM_TRAJ, 0, 0, 1, trans_pos_ori},
  {"&Trajectory/Plot", MENU_PLOT, 0, 0, 1, ShowTrajPlot},
  {"&Conditioning", MENU_CONDITIONING, 0, 0, 1, ShowCondit},
  {"&Environment/Set Work Environment", MENU_SET_WORK_ENV, 0, 0, 1, ShowWorkspaceDialog},
  {"&Environment/Load Work Environment", MENU_LOAD_WORK_ENV, 0, 0, 1, load_workspace},
  {"&Environment/Obstacle", MENU_OBSTACLE, 0, 0, 1, ShowObstaclePanel},
  {"&Environment/Payload", MENU_PAYLOAD, 0, 0, 1, ShowPayloadPanel},
  {"&View/Fit", MENU_FIT, 'f', 0, 1, FitView},
  {"&View/Home", MENU_HOME, FL_Home, 0, 0, HomeView},
  {"&Setting/Set System", MENU_SET_SYSTEM, 0, 0, 0, ShowControl},
  {"E&xport/Export", MENU_EXPORT, FL_CTRL + 'e', 0, 1, export_gl},
  {"E&xport/Export Animation...", MENU_EXPORT_ANIMATION, 0, 0, 1, anim_export},
  {"&About/About Velmora", MENU_ABOUT, FL_F + 1, 0, 0, ShowAbout},
};
static const int nrows = sizeof(rows)/sizeof(rows[0]);

//------------------------------------------------------------------ public API

const MenuRow* MenuRows(int* n) {
  *n = nrows;
  return rows;
}

const MenuRow* MenuRowOfCode(int code) {
  for (int i = 0; i < nrows; i++)
    if (rows[i].code == code) return &rows[i];
  return nullptr;
}

void menu_cb(Fl_Widget*, void* code) {
  const MenuRow* c = MenuRowOfCode((int)(long)code);
  if (!c || (c->needs_robot && !R) || !c->run) return;
  c->run();
}

int MenuCodeNeedsRobot(int code) {
  const MenuRow* c = MenuRowOfCode(code);
  return c ? c->needs_robot : -1;
}

void RunMenu(int code) { menu_cb(nullptr, (void*)(long)code); }
