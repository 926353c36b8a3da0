// joint_traj.cpp -- the Joint Trajectory panel: pick a stored joint path and play it with
// forward kinematics; the obstacles move with its points
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <stdio.h>         // for: printf()

#include "robot/app_state.h"        // for: R, JC, CC, JT
#include "gui/export/anim_win.h"  // for: anim_panel_record_cb()
#include "gui/shell/hubs.h"
#include "gui/traj/traj_panel_layout.h"
#include "gui/traj/traj_panels.h"
#include "traj/traj_file.h"        // for: LoadJointTrajectory()
#include "scene/obstacles.h"        // for: MoveObstacles()
#include "traj/traj_play.h"        // for: JointTrajPosePoint(), TrajStepTarget()

//------------------------------------------------------------------ module state
Fl_Window* joint_traj_win = nullptr;
Fl_Hold_Browser* joint_traj_select = nullptr;
Fl_Light_Button *joint_traj_points = nullptr, *joint_traj_frames = nullptr;
Fl_Check_Button *joint_traj_cont = nullptr, *joint_traj_step = nullptr;
Fl_Button *joint_traj_rev = nullptr, *joint_traj_fwd = nullptr;
Fl_Slider* joint_traj_progress = nullptr;

bool JointTraj_ani_fwd = false, JointTraj_ani_rev = false;

static TrajPanelWidgets panel;        // the same widgets, for the shared helpers
static const TrajPanelState jt_state = {&JT.active, &JT.ShowPoints, &JT.ShowFrames, &JT.last,
                                        &JT.ctp, &JT.mode, &JT.state, JointTrajShowPoint};

//------------------------------------------------------------------ static helpers

// the five-step rule of both direction buttons; `me` is the pressed button. A run started
// before the first point poses its starting point at once (the timer shows the next ones)
static void DirectionPressed(Fl_Button* me, Fl_Button* other, int dir) {
  other->value(0);
  if (dir > 0) JointTraj_ani_rev = false;
  else JointTraj_ani_fwd = false;
  if (!R || !JT.active) {
    me->value(0);
    return;
  }
  if (me->value()) {                  // lit: a second press stops the run
    JT.state = 0;
    me->value(0);
    return;
  }
  int k = TrajStepTarget(JT.ctp, JT.last, dir);
  if (k < 0) {
    me->value(0);
    return;
  }
  if (JT.mode != 2) {
    me->value(1);
    if (JT.ctp == -1) {
      JT.ctp = dir > 0 ? 0 : JT.last;
      JointTrajShowPoint(JT.ctp);
    }
    JT.state = dir;
    if (dir > 0) JointTraj_ani_fwd = true;
    else JointTraj_ani_rev = true;
  } else {
    JT.ctp = k;
    JointTrajShowPoint(k);
    me->value(0);
  }
  gl_win_redraw();
}

//------------------------------------------------------------------ public API

void joint_traj(void) {
  static const TrajPanelCallbacks cb = {
    joint_traj_select_cb, joint_traj_point_cb, joint_traj_frame_cb, joint_traj_cont_cb,
    joint_traj_step_cb, joint_traj_progress_cb, joint_traj_rev_cb, joint_traj_fwd_cb,
    joint_traj_reset_cb, joint_traj_clear_cb};
  joint_traj_win = new Fl_Window(100, 100, 285, 280, "Joint Trajectory");
    BuildTrajPanel(&cb, &panel);
    Fl_Button* record = new Fl_Button(140, 245, 60, 25, "Record");
    record->callback(anim_panel_record_cb, (void*)1L);
    close_win(joint_traj_win);
  joint_traj_win->end();
  joint_traj_select = panel.select;
  joint_traj_points = panel.points;  joint_traj_frames = panel.frames;
  joint_traj_cont = panel.cont;  joint_traj_step = panel.step;
  joint_traj_progress = panel.progress;
  joint_traj_rev = panel.rev;  joint_traj_fwd = panel.fwd;
}

void joint_traj_fill(void) {
  if (!joint_traj_win) return;
  FillTrajList(joint_traj_select, JTRAJ_DIR, joint_traj_fill_match, 0);
  if (!JT.active) joint_traj_clear(&JT);  // a robot load unloaded it behind the panel's back
}

void joint_traj_show(void) {
  joint_traj_fill();
  ShowWindow(joint_traj_win);
}

void joint_traj_reset(JointTrajectoryPtr t) {
  if (joint_traj_win) {
    TrajButtonsOff(&panel);
    joint_traj_progress->value(0);
  }
  t->ctp = -1;  t->state = 0;
  JointTraj_ani_fwd = JointTraj_ani_rev = false;
  gl_win_redraw();
}

void joint_traj_clear(JointTrajectoryPtr t) {
  joint_traj_reset(t);
  ClearJointTrajectory(t);
  t->ShowPoints = 1;  t->ShowFrames = 0;  t->ctp = -1;
  gl_win_redraw();
}

void JointTrajShowPoint(int k) {
  if (JointTrajPosePoint(R, JC, CC, &JT, k) != 0) return;
  MoveObstacles(k);
  if (joint_traj_progress) joint_traj_progress->value(k);
  UpdateAll();
}

void joint_traj_select_cb(Fl_Widget*, void*) {
  int line = joint_traj_select->value();
  if (line > 0 && R) {
    const char* name = joint_traj_select->text(line);
    if (!joint_traj_fill_match(name)) {   // listed for the robot before the last load
      joint_traj_fill();
      return;
    }
    ClearMessage();
    printf("%s\n", name);
    joint_traj_clear(&JT);
    // the panel's buttons, not the defaults a clear leaves, say how it is drawn and played
    JT.ShowPoints = joint_traj_points->value();
    JT.ShowFrames = joint_traj_frames->value();
    JT.mode = joint_traj_step->value() ? 2 : 1;
    if (LoadJointTrajectory(R, name, &JT) == 0) {
      TrajSliderBounds(joint_traj_progress, JT.last);
      gl_win_redraw();
    }
  }
  TrajButtonsOff(&panel);
  cart_traj_clear_cb();                 // one trajectory at a time
}

void joint_traj_point_cb(Fl_Widget* w, void*) { TrajPanelShowPoints(&jt_state, w); }

void joint_traj_frame_cb(Fl_Widget* w, void*) { TrajPanelShowFrames(&jt_state, w); }

void joint_traj_cont_cb(Fl_Widget*, void*) { JT.mode = 1; }

void joint_traj_step_cb(Fl_Widget*, void*) { TrajPanelStep(&jt_state, &panel); }

void joint_traj_fwd_cb(Fl_Widget*, void*) { DirectionPressed(joint_traj_fwd, joint_traj_rev, 1); }

void joint_traj_rev_cb(Fl_Widget*, void*) { DirectionPressed(joint_traj_rev, joint_traj_fwd, -1); }

void joint_traj_progress_cb(Fl_Widget*, void*) { TrajPanelProgress(&jt_state, &panel); }

void joint_traj_reset_cb(Fl_Widget*, void*) { joint_traj_reset(&JT); }

void joint_traj_clear_cb(Fl_Widget*, void*) {
  joint_traj_clear(&JT);
  if (joint_traj_select) joint_traj_select->deselect();
}

void TrajPanelsNewRobot(void) {
  cart_traj_clear_cb();
  joint_traj_clear_cb();
}
