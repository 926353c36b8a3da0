// menu_dispatch.cpp -- menu_cb: every menu command found by its code in one table
//
// A new dialog plugs in by filling its row's handler below (a function of its own file,
// declared in its header); a row whose handler is NULL does nothing yet. "Needs robot" rows
// do nothing while no robot is loaded.
#include <stdlib.h>   // for: exit()

#include "robot/app_state.h"  // for: R
#include "gui/export/analysis_wins.h"  // for: Export URDF, Plot, Conditioning Map
#include "gui/env/environment.h"  // for: the environment commands
#include "gui/shell/hubs.h"
#include "gui/pose/pose_panels.h"  // for: the pose panels' menu commands
#include "gui/traj/traj_panels.h"  // for: the trajectory windows
#include "gui/robot/robot_dlg.h"  // for: the robot dialogs
#include "gui/export/menu_export_gl.h"  // for: export_gl()

//------------------------------------------------------------------ commands built here

static void Exit() { exit(0); }
static void ShowAbout() { ShowWindow(about_win); }

//------------------------------------------------------------------ the table

typedef struct _MenuCommand_ {
  int code;                 // the menu item's code
  int needs_robot;          // 1: nothing happens while R is NULL
  void (*run)(void);        // the command; NULL until its dialog exists
} MenuCommand;

static const MenuCommand commands[] = {
  {22, 0, new_arch_show},         // New Robot: show the Create Robot dialog (robot dialogs)
  {1, 0, arch_show},              // Load Robot: arch_fill, show the robot list (robot dialogs)
  {2, 1, edit_robot_show},        // Edit Robot: show the Edit Robot window (robot dialogs)
  {27, 1, display_DH_parameter},  // DH Parameter: display_DH_parameter (robot dialogs)
  {3, 1, end_eff_show},           // End Effector: show the end-effector dialog (robot dialogs)
  {23, 1, edit_robot_save_cb},    // Save: edit_robot_save_cb (robot dialogs)
  {24, 1, robot_saveas},          // Save As: robot_saveas (robot dialogs)
  {99, 0, Exit},       // Exit: status 0 at once
  {5, 1, joint_limits_show},      // Joint Limits: show the joint-limits window
  {6, 1, ShowConfig},       // Select Configuration: config_fill, show the panel
  {8, 1, ShowJointConfig},  // Forward Kinematics: show, joint_config_update(JC)
  {9, 1, ShowCartConfig},   // Inverse Kinematics: show, cart_config_update(CC)
  {11, 1, joint_traj_show},  // Joint Trajectory: joint_traj_fill, show
  {10, 1, cart_traj_show},   // Cartesian Trajectory: cart_traj_fill, show
  {26, 1, trans_pos_ori},    // Transform Trajectory
  {12, 1, ShowCondit},      // Conditioning: show, Update_condit()
  {15, 1, ShowWorkspaceDialog},  // Set Work Environment: object 1, show (environment)
  {18, 1, load_workspace},  // Load Work Environment: load_workspace (environment)
  {13, 1, ShowObstaclePanel},  // Obstacle: show the obstacle panel (environment)
  {14, 1, ShowPayloadPanel},  // Payload: show the payload panel (environment)
  {4, 0, ShowControl},      // Set System: show the Setting System panel
  {19, 1, export_gl},  // Export: the export dialog
  {25, 0, ShowAbout},  // About Velmora
  {28, 1, ShowUrdfExport},  // Export URDF: the name dialog (analysis)
  {29, 1, ShowTrajPlot},    // Plot: the trajectory plot window (analysis)
  {30, 1, ShowCondMap},     // Conditioning Map: the map window (analysis)
};
static const int ncommands = sizeof(commands)/sizeof(commands[0]);

static const MenuCommand* Find(int code) {
  for (int i = 0; i < ncommands; i++)
    if (commands[i].code == code) return &commands[i];
  return nullptr;
}

//------------------------------------------------------------------ public API

void menu_cb(Fl_Widget*, void* code) {
  const MenuCommand* c = Find((int)(long)code);
  if (!c || (c->needs_robot && !R) || !c->run) return;
  c->run();
}

int MenuCodeNeedsRobot(int code) {
  const MenuCommand* c = Find(code);
  return c ? c->needs_robot : -1;
}
