// robot_rebuild.cpp -- what a robot load, and a robot restored by Undo or Redo, do to the
// robot dialogs
#include <FL/Fl_Window.H>   // for: Fl_Window

#include "robot/app_state.h"      // for: R
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"

//------------------------------------------------------------------ static helpers

// where a window was shown: x, y, or shown 0
typedef struct _Shown_ {
  int shown, x, y;
} Shown;

static Shown Where(Fl_Window* w) {
  Shown s = {0, 0, 0};
  if (w && w->shown()) s.shown = 1, s.x = w->x(), s.y = w->y();
  return s;
}

static void ShowAt(Fl_Window* w, Shown s) {
  if (!w || !s.shown) return;
  w->position(s.x, s.y);
  w->show();
}

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

void robot_dialogs_restore(void) {
  Shown edit = Where(edit_robot_win), limits = Where(joint_limits_win);
  Shown link[MAX_DIALOG_LINKS];
  for (int i = 0; i < MAX_DIALOG_LINKS; i++)
    link[i] = Where(LL && i < LL_n ? LL[i].link_edit_win : nullptr);
  robot_dialogs_rebuild();
  ShowAt(edit_robot_win, edit);
  for (int i = 0; LL && i < LL_n && i < MAX_DIALOG_LINKS; i++) ShowAt(LL[i].link_edit_win, link[i]);
  ShowAt(joint_limits_win, limits);
}
