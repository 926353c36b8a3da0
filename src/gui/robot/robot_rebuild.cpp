// robot_rebuild.cpp -- what a robot load does to the robot dialogs
#include <FL/Fl_Window.H>   // for: Fl_Window

#include "robot/app_state.h"      // for: R
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"

//------------------------------------------------------------------ public API

// the windows of the old robot go first, then those of the new one are built hidden
void robot_dialogs_rebuild(void) {
  edit_robot_free();
  joint_limits_free();
  if (R) {
    edit_robot(R);
    joint_limits(R);
  }
  if (!end_eff_win) end_eff();
  end_eff_fill();
}

void robot_dialogs_close(void) {
  dh_win_free();
  robot_saveas_free();
}
