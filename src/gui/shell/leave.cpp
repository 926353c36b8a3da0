// leave.cpp -- leaving the program: the unsaved-changes question asked by Exit, Ctrl+Q and
// the main window's close box
#include <FL/fl_ask.H>  // for: fl_choice()

#include "gui/robot/robot_dlg.h"  // for: edit_robot_save_cb()
#include "gui/shell/hubs.h"
#include "robot/app_state.h"      // for: R

//------------------------------------------------------------------ module state

// "Save changes to NAME?": the desktop's question box, Discard, Save and Cancel; Enter
// saves (an Enter pressed by habit must not throw the edits away), Escape cancels
static int AskBox(const char* name) {
  // fl_choice numbers its buttons from the right: 0 "Cancel" (Escape), 1 "Save" (the
  // default button, Enter), 2 "Discard"
  int b = fl_choice("Save changes to %s?", "Cancel", "Save", "Discard", name);
  return b == 1 ? LEAVE_SAVE : b == 2 ? LEAVE_DISCARD : LEAVE_CANCEL;
}
static int (*ask)(const char* name) = AskBox;

//------------------------------------------------------------------ public API

void SetLeaveQuestion(int (*q)(const char* name)) { ask = q ? q : AskBox; }

int LeaveAllowed(void) {
  if (!R || !R->changed) return 1;
  switch (ask(R->name)) {
    case LEAVE_SAVE:
      edit_robot_save_cb();
      return !R->changed;   // a failed save said why, and the program stays
    case LEAVE_DISCARD:
      return 1;
    default:
      return 0;
  }
}
