// forms.cpp -- the lists that tie the windows together: dialog builders (CreateForms), pose
// refreshers (UpdateAll) and robot-load rebuilds (NewRobot); redraw requests; the close button
//
// A new panel adds one line to each list it belongs to, at its commented slot; the order of
// the lists is the order in which the program runs them.
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "app_state.h"     // for: R, JC, CC, ErrStatus
#include "gui/hubs.h"
#include "gui/main_win.h"
#include "gui/menu_export_gl.h"  // for: DestroyExportWindow()
#include "gui/opengl_win.h"
#include "robot_load.h"    // for: LoadRobotRecords()

//------------------------------------------------------------------ the dialog builders

// CreateForms builds these hidden, in this order
static void (*const form_builders[])(void) = {
  CreateMsg,   // the message window
  // config,        Select Configuration (pose panels)
  // end_eff,       End Effector (robot dialogs)
  // arch,          Load Robot (robot dialogs)
  // new_arch,      Create Robot (robot dialogs)
  // condit,        Conditioning (pose panels)
  // cart_traj,     Cartesian Trajectory (trajectories)
  // joint_traj,    Joint Trajectory (trajectories)
  // obstacle,      Obstacle (environment)
  // payload,       Payload (environment)
  // workspace,     Work Environment (environment)
  // control,       Setting System (pose panels)
  about,       // the About box
};

//------------------------------------------------------------------ the pose refreshers

// UpdateAll calls these in this order after JC or CC changed
static void (*const pose_refreshers[])(void) = {
  nullptr,     // cart_config_update(CC): Inverse Kinematics panel (pose panels)
  // joint_config_update(JC): Forward Kinematics panel (pose panels)
  // UpdateQ(CC): Q window (pose panels)
  // UpdateJ(CC): J window (pose panels)
  // Update_condit(): Conditioning (pose panels)
};

//------------------------------------------------------------------ the robot-load rebuilds

// NewRobot runs these in this order after the records of the new robot are in place
// (R may be NULL when the file did not load)
static void (*const robot_rebuilds[])(void) = {
  nullptr,     // Forward and Inverse Kinematics panels, UpdateQ, UpdateJ (pose panels)
  // Link Settings, Edit Robot, Joint Limits windows (robot dialogs)
  // Select Configuration refill (pose panels); End Effector refill (robot dialogs)
  // Updateworkspace (environment)
  // hide the dialogs that show robot data, destroy Export (export), Save As (robot dialogs)
  //   and the work-environment file list (environment)
  DestroyExportWindow,   // destroy Export (export)
};

//------------------------------------------------------------------ static helpers

static void RunAll(void (*const* list)(void), int n) {
  for (int i = 0; i < n; i++)
    if (list[i]) list[i]();
}

#define COUNT(a) ((int)(sizeof(a)/sizeof((a)[0])))

static void close_win_cb(Fl_Widget* w, void*) { w->window()->hide(); }

//------------------------------------------------------------------ public API

void CreateForms(void) { RunAll(form_builders, COUNT(form_builders)); }

void UpdateAll(void) { RunAll(pose_refreshers, COUNT(pose_refreshers)); }

Robot NewRobot(const char* name) {
  LoadRobotRecords(name);
  RunAll(robot_rebuilds, COUNT(robot_rebuilds));
  if (ErrStatus == 1) {
    ErrStatus = 0;
    ClearMessage();
  }
  gl_win_redraw();
  return R;
}

void gl_win_redraw(void) {
  if (opengl_window) opengl_window->redraw();
  if (window) window->redraw();
}

// 70 x 25 at the lower right of the window under construction; hides that window
void close_win(Fl_Window* w) {
  Fl_Button* b = new Fl_Button(w->w() - 75, w->h() - 30, 70, 25, "close");
  b->box(FL_PLASTIC_UP_BOX);
  b->callback(close_win_cb);
}

void ShowWindow(Fl_Window* w) {
  if (!w) return;
  w->show();
  w->redraw();
}
