// timer.cpp -- the animation timer: one callback that advances every running motion a step
//
// The timer re-arms itself: every 0.1 s while nothing moves, every 0.017 s while a section
// found its motion running. A new motion adds its section to IdleCallback, in the order the
// sections run: configuration move, joint trajectory forward, closed trajectory panels,
// joint trajectory reverse, Cartesian trajectory forward and reverse (trajectories).
#include <FL/Fl.H>   // for: Fl::repeat_timeout()

#include "robot/app_state.h"      // for: R, JC, CC
#include "gui/shell/hubs.h"       // for: UpdateAll()
#include "gui/view/opengl_win.h"
#include "gui/traj/traj_panels.h"  // for: the trajectory sections
#include "kin/ikp.h"            // for: FwdKin()
#include "robot/jconfig.h"        // for: InterpolateConfig_ani, ConfigStep()

//------------------------------------------------------------------ sections

// the cycloidal move between two joint configurations; true while it runs
static bool ConfigurationMove(OpenGL_WIN* view) {
  if (!InterpolateConfig_ani) return false;
  if (!R || !JC || !CC) {             // the robot went away under the move
    InterpolateConfig_ani = false;
    return true;
  }
  if (ConfigStep(JC, R->n)) {
    FwdKin(R, JC, CC);
    UpdateAll();
    view->redraw();
  } else {                            // the move is over: ConfigStep reset its counters
    FwdKin(R, JC, CC);
    UpdateAll();
  }
  return true;
}

//------------------------------------------------------------------ public API

void IdleCallback(void* data) {
  OpenGL_WIN* view = (OpenGL_WIN*)data;
  bool moving = false;
  moving |= ConfigurationMove(view);
  moving |= JointTrajForwardTick(view);
  moving |= ClosedTrajPanelsTick();
  moving |= JointTrajReverseTick(view);
  moving |= CartTrajForwardTick(view);
  moving |= CartTrajReverseTick(view);
  Fl::repeat_timeout(moving ? 0.017 : 0.1, IdleCallback, data);
}
