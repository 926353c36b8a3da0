// forms.cpp -- the lists that tie the windows together: dialog builders (CreateForms), pose
// refreshers (UpdateAll), robot-load rebuilds (NewRobot) and restores (RobotRestored); redraw
// requests; the close button
//
// A new panel adds one line to each list it belongs to, at its commented slot; the order of
// the lists is the order in which the program runs them.
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <FL/fl_ask.H>     // for: fl_message_title_default()
#include <stdio.h>         // for: snprintf()

#include "robot/app_state.h"     // for: R, JC, CC, ErrStatus
#include "gui/export/analysis_wins.h"  // for: Export URDF, Plot, Conditioning Map
#include "gui/env/environment.h"  // for: obstacle(), payload(), workspace(), WorkspaceAfterRobotLoad()
#include "gui/shell/hubs.h"
#include "gui/shell/tooltips.h"
#include "gui/shell/main_win.h"
#include "gui/export/menu_export_gl.h"  // for: DestroyExportWindow()
#include "gui/view/opengl_win.h"
#include "gui/view/collisions.h"  // for: CollisionsNewRobot()
#include "gui/pose/pose_panels.h"  // for: the pose panels' builders, refreshers and rebuild
#include "gui/traj/traj_panels.h"  // for: cart_traj(), joint_traj()
#include "gui/robot/robot_dlg.h"  // for: the robot dialogs
#include "load/robot_load.h"    // for: LoadRobotRecords()

//------------------------------------------------------------------ the dialog builders

// CreateForms builds these hidden, in this order
static void (*const form_builders[])(void) = {
  CreateMsg,   // the message window
  config,      // Select Configuration
  end_eff,     // End Effector
  arch,        // Load Robot
  new_arch,    // Create Robot
  condit,      // Conditioning
  cart_traj,   // Cartesian Trajectory
  joint_traj,  // Joint Trajectory
  obstacle,    // Obstacle (environment)
  payload,     // Payload (environment)
  workspace,   // Work Environment (environment)
  control,     // Setting System
  about,       // the About box
  urdf_export, // Export URDF (analysis)
  traj_plot,   // Trajectory Plot (analysis)
  cond_map,    // Conditioning Map (analysis)
};

//------------------------------------------------------------------ the pose refreshers

// UpdateAll calls these in this order after JC or CC changed
static void (*const pose_refreshers[])(void) = {
  [] { cart_config_update(CC); },    // Inverse Kinematics panel
  [] { joint_config_update(JC); },   // Forward Kinematics panel
  [] { UpdateQ(CC); },               // Q window
  [] { UpdateJ(CC); },               // J window
  Update_condit,                     // Conditioning
  UpdateTrajPlot,                    // Trajectory Plot: cursor and recorded solutions
  UpdateCondMap,                     // Conditioning Map: marker, value, map of the pose
  UndoRecordPose,                    // the undo history (undo)
};

//------------------------------------------------------------------ the robot-load rebuilds

// NewRobot runs these in this order after the records of the new robot are in place
// (R may be NULL when the file did not load)
static void (*const robot_rebuilds[])(void) = {
  RebuildPosePanels,       // Forward and Inverse Kinematics panels, UpdateQ, UpdateJ
  robot_dialogs_rebuild,   // Link Settings, Edit Robot, Joint Limits; End Effector refill
  config_fill,             // Select Configuration refill
  WorkspaceAfterRobotLoad, // Updateworkspace, hide the file list (environment)
  TrajPanelsNewRobot,      // empty both trajectory panels
  robot_dialogs_close,     // DH freed; Save As destroyed
  HideRobotWindows,        // the windows of robot_load_hidden hidden
  // hide the dialogs that show robot data, destroy Export (export), Save As (robot dialogs)
  //   and the work-environment file list (environment)
  DestroyExportWindow,   // destroy Export (export)
  TrajPlotNewRobot,      // Trajectory Plot emptied (analysis)
  CondMapNewRobot,       // Conditioning Map: joint choices, map dropped (analysis)
  CollisionsNewRobot,    // the collision model of the new robot (view)
  FitView,               // the whole robot (and its cell) in view (camera)
  UndoAfterLoad,         // a new undo history (undo)
};

// an Undo or Redo that rebuilt the same robot from its text runs these after its records are
// in place: the robot's panels and dialogs as after its edits; trajectories, view and the
// undo history stay
static void (*const robot_restores[])(void) = {
  RebuildPosePanels,       // Forward and Inverse Kinematics panels, UpdateQ, UpdateJ
  robot_dialogs_restore,   // the robot dialogs rebuilt, the shown ones shown again
  config_fill,             // Select Configuration refill
  CollisionsNewRobot,      // the collision model of the rebuilt robot (view)
};

//------------------------------------------------------------------ the windows a load hides

// NewRobot hides these when shown: they show the previous robot's data (a new panel that
// does adds one line here); they are built by CreateForms
static Fl_Window** const robot_load_hidden[] = {
  &workspace_win,   // Set Work Environment
  &control_win,     // Setting System
  &config_win,      // Select Configuration
  &obstacle_win,    // Obstacle
  &payload_win,     // Payload
  &condit_win,      // Conditioning
  &joint_traj_win,  // Joint Trajectory
  &cart_traj_win,   // Cartesian Trajectory
  &end_eff_win,     // End Effector
  &new_arch_win,    // Create Robot
  &about_win,       // About
};

//------------------------------------------------------------------ static helpers

static void RunAll(void (*const* list)(void), int n) {
  for (int i = 0; i < n; i++)
    if (list[i]) list[i]();
}

#define COUNT(a) ((int)(sizeof(a)/sizeof((a)[0])))

static void close_win_cb(Fl_Widget* w, void*) { w->window()->hide(); }

//------------------------------------------------------------------ public API

void CreateForms(void) {
  fl_message_title_default("Velmora");   // the questions' title bar names the program
  RunAll(form_builders, COUNT(form_builders));
}

void HideRobotWindows(void) {
  for (int i = 0; i < COUNT(robot_load_hidden); i++) {
    Fl_Window* w = *robot_load_hidden[i];
    if (w && w->shown()) w->hide();
  }
}

int RobotLoadHiddenCount(void) { return COUNT(robot_load_hidden); }

Fl_Window* RobotLoadHidden(int k) {
  return k >= 0 && k < COUNT(robot_load_hidden) ? *robot_load_hidden[k] : nullptr;
}

void UpdateAll(void) { RunAll(pose_refreshers, COUNT(pose_refreshers)); }

// the line shows what the load said (why it failed or fell back) and nothing older; what the
// rebuilds of the panels say is dropped
Robot NewRobot(const char* name) {
  ErrStatus = 0;
  ClearMessage();
  LoadRobotRecords(name);
  char said[128];
  snprintf(said, sizeof said, "%s", MessageText());
  if (!R && !said[0]) snprintf(said, sizeof said, "Robot %s did not load", name);
  RunAll(robot_rebuilds, COUNT(robot_rebuilds));
  ErrStatus = said[0] != '\0';
  if (said[0]) ShowMessage("%s", said);
  else ClearMessage();
  gl_win_redraw();
  return R;
}

void RobotRestored(void) { RunAll(robot_restores, COUNT(robot_restores)); }

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
  PlaceDialog(w);   // beside the main window the first time, then where it was left
  ApplyTooltips(w);
  w->show();
  w->redraw();
}
