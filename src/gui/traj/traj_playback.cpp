// traj_playback.cpp -- continuous trajectory playback: the timer's trajectory sections and
// the unloading of trajectories whose panel was closed
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "robot/app_state.h"       // for: CT, JT
#include "gui/shell/hubs.h"
#include "gui/view/opengl_win.h"
#include "gui/traj/traj_panels.h"
#include "traj/traj_play.h"       // for: CartTrajTick(), JointTrajTick()
#include "gui/view/collisions.h"  // for: CollisionsRunPoint()

//------------------------------------------------------------------ static helpers

// a panel counts as open while it has a window on screen (an iconified one too)
static bool Open(Fl_Window* w) { return w && w->shown(); }

// one tick of a joint run in direction dir; *flag is its playback flag, `button` its button
static bool JointRun(OpenGL_WIN* view, bool* flag, Fl_Button* button, int dir) {
  if (!*flag || !Open(joint_traj_win)) return false;
  int tick = JointTrajTick(&JT, dir);
  if (tick == TRAJ_TICK_IDLE) {         // stopped, or unloaded under the run (a robot load)
    *flag = false;
    button->value(0);
    return true;
  }
  if (tick == TRAJ_TICK_END) {
    button->value(0);
    *flag = false;
  }
  JointTrajShowPoint(JT.ctp);
  CollisionsRunPoint(JT.ctp);
  view->redraw();
  return true;
}

static bool CartRun(OpenGL_WIN* view, bool* flag, Fl_Button* button, int dir) {
  if (!*flag || !Open(cart_traj_win)) return false;
  int tick = CartTrajTick(&CT, dir);
  if (tick == TRAJ_TICK_IDLE) {
    *flag = false;
    button->value(0);
    return true;
  }
  if (tick == TRAJ_TICK_END) {          // the end point is posed once more
    cart_traj_fwd->value(0);
    cart_traj_rev->value(0);
    *flag = false;
  }
  CartTrajShowPoint(CT.ctp);
  CollisionsRunPoint(CT.ctp);
  view->redraw();
  return true;
}

//------------------------------------------------------------------ public API

bool JointTrajForwardTick(OpenGL_WIN* view) {
  return JointRun(view, &JointTraj_ani_fwd, joint_traj_fwd, 1);
}

// only something loaded or running is cleared, so an idle program does not redraw
bool ClosedTrajPanelsTick(void) {
  if (Open(trans_win)) return false;
  if (!Open(joint_traj_win) && (JT.active || JointTraj_ani_fwd || JointTraj_ani_rev))
    joint_traj_clear_cb();
  if (!Open(cart_traj_win) && (CT.active || CartTraj_ani_fwd || CartTraj_ani_rev))
    cart_traj_clear_cb();
  return false;
}

bool JointTrajReverseTick(OpenGL_WIN* view) {
  return JointRun(view, &JointTraj_ani_rev, joint_traj_rev, -1);
}

bool CartTrajForwardTick(OpenGL_WIN* view) {
  return CartRun(view, &CartTraj_ani_fwd, cart_traj_fwd, 1);
}

bool CartTrajReverseTick(OpenGL_WIN* view) {
  return CartRun(view, &CartTraj_ani_rev, cart_traj_rev, -1);
}
