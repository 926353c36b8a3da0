// menu_dispatch.cpp -- menu_cb: every menu command found by its code in one table
//
// A new dialog plugs in by filling its row's handler below (a function of its own file,
// declared in its header); a row whose handler is NULL does nothing yet. "Needs robot" rows
// do nothing while no robot is loaded.
#include <stdlib.h>   // for: exit()

#include "app_state.h"  // for: R
#include "gui/hubs.h"
#include "gui/menu_export_gl.h"  // for: export_gl()

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
  {22, 0, nullptr},    // New Robot: show the Create Robot dialog (robot dialogs)
  {1, 0, nullptr},     // Load Robot: arch_fill, show the robot list (robot dialogs)
  {2, 1, nullptr},     // Edit Robot: show the Edit Robot window (robot dialogs)
  {27, 1, nullptr},    // DH Parameter: display_DH_parameter (robot dialogs)
  {3, 1, nullptr},     // End Effector: show the end-effector dialog (robot dialogs)
  {23, 1, nullptr},    // Save: edit_robot_save_cb (robot dialogs)
  {24, 1, nullptr},    // Save As: robot_saveas (robot dialogs)
  {99, 0, Exit},       // Exit: status 0 at once
  {5, 1, nullptr},     // Joint Limits: show the joint-limits window (robot dialogs)
  {6, 1, nullptr},     // Select Configuration: config_fill, show the panel (pose panels)
  {8, 1, nullptr},     // Forward Kinematics: show, joint_config_update(JC) (pose panels)
  {9, 1, nullptr},     // Inverse Kinematics: show, cart_config_update(CC) (pose panels)
  {11, 1, nullptr},    // Joint Trajectory: joint_traj_fill, show (trajectories)
  {10, 1, nullptr},    // Cartesian Trajectory: cart_traj_fill, show (trajectories)
  {26, 1, nullptr},    // Transform Trajectory: trans_pos_ori (trajectories)
  {12, 1, nullptr},    // Conditioning: show, Update_condit() (pose panels)
  {15, 1, nullptr},    // Set Work Environment: show, object 1, Updateworkspace (environment)
  {18, 1, nullptr},    // Load Work Environment: load_workspace (environment)
  {13, 1, nullptr},    // Obstacle: show the obstacle panel (environment)
  {14, 1, nullptr},    // Payload: show the payload panel (environment)
  {4, 0, nullptr},     // Set System: show the settings panel (pose panels: Setting System)
  {19, 1, export_gl},  // Export: the export dialog
  {25, 0, ShowAbout},  // About Velmora
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
