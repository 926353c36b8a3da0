// cart_traj.cpp -- the Cartesian Trajectory panel: pick a stored or built-in path, play it
// through the solver, step it, and save the joint solutions found ("Save JT")
#include <FL/Fl_Input.H>   // for: Fl_Input
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "robot/app_state.h"        // for: R, JC, CC, CT
#include "scene/coordi_trans.h"     // for: Coordi_Trans()
#include "base/fileio.h"           // for: TOK_PATH_MAX
#include "gui/export/anim_win.h"  // for: anim_panel_record_cb()
#include "gui/shell/hubs.h"
#include "gui/shell/enter_key.h"  // for: EnterPresses()
#include "gui/traj/traj_panel_layout.h"
#include "gui/traj/traj_panels.h"
#include "traj/traj_file.h"        // for: LoadCartesianTrajectory(), WriteJointTrajectory()
#include "traj/traj_play.h"        // for: CartTrajPosePoint(), TrajStepTarget()
#include "kin/ikp.h"               // for: InvErr()
#include "scene/workspace.h"        // for: coord_id

//------------------------------------------------------------------ module state
Fl_Window* cart_traj_win = nullptr;
Fl_Hold_Browser* cart_traj_select = nullptr;
Fl_Light_Button *cart_traj_points = nullptr, *cart_traj_frames = nullptr;
Fl_Check_Button *cart_traj_cont = nullptr, *cart_traj_step = nullptr;
Fl_Button *cart_traj_rev = nullptr, *cart_traj_fwd = nullptr;
Fl_Slider* cart_traj_progress = nullptr;
Fl_Input* CtoJ_name = nullptr;
Fl_Button* CtoJ_save_b = nullptr;

bool CartTraj_ani_fwd = false, CartTraj_ani_rev = false;

static TrajPanelWidgets panel;        // the same widgets, for the shared helpers
static const TrajPanelState ct_state = {&CT.active, &CT.ShowPoints, &CT.ShowFrames, &CT.last,
                                        &CT.ctp, &CT.mode, &CT.state, CartTrajShowPoint};
static bool failure_said = false;    // a point of this run or step was not reached and said so

//------------------------------------------------------------------ static helpers

// a continuous run starts from the point it stands on: when it has not started, that point
// (the first, or the last in reverse) is solved and recorded now, so "Save JT" gets it too
static void StartRun(int dir) {
  failure_said = false;
  if (CT.ctp == -1) {
    CT.ctp = dir > 0 ? 0 : CT.last;
    CartTrajShowPoint(CT.ctp);
    gl_win_redraw();
  }
  CT.state = dir;
  if (dir > 0) CartTraj_ani_fwd = true;
  else CartTraj_ani_rev = true;
}

// the five-step rule of both direction buttons; `me` is the pressed button
static void DirectionPressed(Fl_Button* me, Fl_Button* other, int dir) {
  other->value(0);
  if (!R || !CT.active) {
    me->value(0);
    return;
  }
  if (me->value()) {                  // lit: a second press stops the run
    CT.state = 0;
    me->value(0);
    return;
  }
  int k = TrajStepTarget(CT.ctp, CT.last, dir);
  if (k < 0) {                        // already at the end of this direction
    me->value(0);
    return;
  }
  if (CT.mode != 2) {
    me->value(1);
    StartRun(dir);
    return;
  }
  CT.ctp = k;
  failure_said = false;
  CartTrajShowPoint(k);
  me->value(0);
  gl_win_redraw();
}

static void CtoJ_save_ok(const char* path) {
  if (WriteJointTrajectory(path, R, &CT) == 0) TrajShowSaved("Saved %s", path);
}

//------------------------------------------------------------------ public API

void cart_traj(void) {
  static const TrajPanelCallbacks cb = {
    cart_traj_select_cb, cart_traj_points_cb, cart_traj_frames_cb, cart_traj_cont_cb,
    cart_traj_step_cb, cart_traj_progress_cb, cart_traj_rev_cb, cart_traj_fwd_cb,
    cart_traj_reset_cb, cart_traj_clear_cb};
  cart_traj_win = new Fl_Window(285, 350, "Cartesian Trajectory");
    BuildTrajPanel(&cb, &panel);
    Fl_Button* record = new Fl_Button(140, 245, 60, 25, "Record");
    record->callback(anim_panel_record_cb, (void*)0L);
    CtoJ_name = new Fl_Input(100, 285, 90, 25, "Joint Traj File:");
    CtoJ_name->labelsize(12);             // the label fits the 100 pixels left of the input
    CtoJ_name->deactivate();
    CtoJ_save_b = new Fl_Button(200, 285, 65, 25, "Save JT");
    CtoJ_save_b->callback(CtoJ_save_cb, CtoJ_name);
    EnterPresses(CtoJ_name, CtoJ_save_b);
    CtoJ_save_b->deactivate();
    close_win(cart_traj_win);
  cart_traj_win->end();
  cart_traj_select = panel.select;
  cart_traj_points = panel.points;  cart_traj_frames = panel.frames;
  cart_traj_cont = panel.cont;  cart_traj_step = panel.step;
  cart_traj_progress = panel.progress;
  cart_traj_rev = panel.rev;  cart_traj_fwd = panel.fwd;
}

void cart_traj_fill(void) {
  if (!cart_traj_win) return;
  FillTrajList(cart_traj_select, CTRAJ_DIR, cart_traj_fill_match, 1);
  if (!CT.active) cart_traj_clear(&CT);  // a robot load unloaded it behind the panel's back
}

void cart_traj_show(void) {
  cart_traj_fill();
  ShowWindow(cart_traj_win);
}

void CtoJ_active(bool on) {
  if (!CtoJ_name) return;
  if (on) {
    CtoJ_name->activate();
    CtoJ_save_b->activate();
  } else {
    CtoJ_name->value("");
    CtoJ_name->deactivate();
    CtoJ_save_b->deactivate();
  }
}

void cart_traj_reset(CartesianTrajectoryPtr t) {
  if (cart_traj_win) {
    TrajButtonsOff(&panel);
    cart_traj_progress->value(0);
  }
  t->ctp = -1;  t->state = 0;
  CartTraj_ani_fwd = CartTraj_ani_rev = false;
  gl_win_redraw();
}

void cart_traj_clear(CartesianTrajectoryPtr t) {
  CtoJ_active(false);
  cart_traj_reset(t);
  ClearCartesianTrajectory(t);
  gl_win_redraw();
}

// a point the solver does not reach is said on the message line, once per run or step
void CartTrajShowPoint(int k) {
  bool posable = R && JC && CC && CT.active && CT.CC && k >= 0 && k < CT.ntp;
  int rc = CartTrajPosePoint(R, JC, CC, &CT, k);
  if (posable && rc < 0 && !failure_said) {
    ShowMessage("Point %d of %d not reached: %s", k + 1, CT.ntp, InvErr(rc));
    ErrStatus = 1;
    failure_said = true;
  }
  if (cart_traj_progress) cart_traj_progress->value(k);
  UpdateAll();
}

void cart_traj_select_cb(Fl_Widget*, void*) {
  int line = cart_traj_select->value();
  if (line < 1 || !R) return;
  CT.ShowPoints = cart_traj_points->value();
  CT.ShowFrames = cart_traj_frames->value();
  CT.mode = cart_traj_step->value() ? 2 : 1;
  const char* name = cart_traj_select->text(line);
  if (!cart_traj_fill_match(name)) {    // listed for the robot before the last load
    cart_traj_fill();
    return;
  }
  ClearMessage();
  cart_traj_clear(&CT);
  if (LoadCartesianTrajectory(R, name, &CT) == 0) {
    char preset[TOK_PATH_MAX + 1];
    CtoJPresetName(name, preset, (int)sizeof preset);
    CtoJ_active(true);
    CtoJ_name->value(preset);
    TrajSliderBounds(cart_traj_progress, CT.last);
    if (coord_id != -1) Coordi_Trans(coord_id);
    gl_win_redraw();
  }
  TrajButtonsOff(&panel);
  joint_traj_clear_cb();                // one trajectory at a time
}

void cart_traj_points_cb(Fl_Widget* w, void*) { TrajPanelShowPoints(&ct_state, w); }

void cart_traj_frames_cb(Fl_Widget* w, void*) { TrajPanelShowFrames(&ct_state, w); }

void cart_traj_cont_cb(Fl_Widget*, void*) { CT.mode = 1; }

void cart_traj_step_cb(Fl_Widget*, void*) { TrajPanelStep(&ct_state, &panel); }

void cart_traj_fwd_cb(Fl_Widget*, void*) { DirectionPressed(cart_traj_fwd, cart_traj_rev, 1); }

void cart_traj_rev_cb(Fl_Widget*, void*) { DirectionPressed(cart_traj_rev, cart_traj_fwd, -1); }

void cart_traj_progress_cb(Fl_Widget*, void*) { TrajPanelProgress(&ct_state, &panel); }

void cart_traj_reset_cb(Fl_Widget*, void*) { cart_traj_reset(&CT); }

void cart_traj_clear_cb(Fl_Widget*, void*) {
  cart_traj_clear(&CT);
  if (cart_traj_select) cart_traj_select->deselect();
}

void CtoJ_save_cb(Fl_Widget*, void* input) {
  if (!R || !CT.active) return;
  char path[TOK_PATH_MAX + 1];
  Fl_Input* in = input ? (Fl_Input*)input : CtoJ_name;
  if (TrajSavePath(path, JTRAJ_DIR, R, in->value()) != 0) return;
  if (TrajFileExists(path)) TrajAskOverwrite(cart_traj_win, "Ok", "Cancel", path, CtoJ_save_ok);
  else CtoJ_save_ok(path);
}
