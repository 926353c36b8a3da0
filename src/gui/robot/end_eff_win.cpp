// end_eff_win.cpp -- the End Effector window: the current robot's end effectors, one mounted
#include <FL/Fl_Hold_Browser.H>   // for: Fl_Hold_Browser
#include <FL/Fl_Window.H>         // for: Fl_Window
#include <string.h>               // for: strcmp(), strncpy()

#include "robot/app_state.h"            // for: R
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "base/message.h"              // for: VmMessage()

//------------------------------------------------------------------ module state
Fl_Window* end_eff_win = nullptr;
Fl_Hold_Browser* end_eff_select = nullptr;

//------------------------------------------------------------------ public API

void end_eff(void) {
  end_eff_win = new Fl_Window(100, 100, 120, 165, "End Effector");
    end_eff_select = new Fl_Hold_Browser(10, 25, 100, 100, "Select EE");
    end_eff_select->labelfont(FL_BOLD);  end_eff_select->labelsize(16);
    end_eff_select->align(FL_ALIGN_TOP);
    end_eff_select->callback(end_eff_select_cb);
    close_win(end_eff_win);
  end_eff_win->end();
}

void end_eff_fill(void) {
  if (!end_eff_select) return;
  end_eff_select->clear();
  if (!R || !R->EElist) return;
  for (EEData* e = R->EElist; e->name; e++) {
    end_eff_select->add(e->name);
    if (strcmp(e->name, R->EE.name) == 0) end_eff_select->value(end_eff_select->size());
  }
}

// the mounted end effector destroyed, the chosen one made, the pose recomputed
void end_eff_select_cb(Fl_Widget*, void*) {
  int k = end_eff_select->value();
  if (!R || !R->EElist || k < 1) return;
  EEData* e = R->EElist;
  for (int i = 1; i < k && e->name; i++) e++;
  if (!e->name) return;
  VmMessage(MsgTrace, "EE name = %s\n", e->name);
  if (R->EE.DestroyProc) R->EE.DestroyProc(&R->EE);
  R->EE.DestroyProc = nullptr;
  e->InitProc(&R->EE);
  strncpy(R->EE.name, e->name, sizeof(R->EE.name) - 1);
  R->EE.name[sizeof(R->EE.name) - 1] = '\0';
  R->changed = 1;   // Save writes the end-effector line
  robot_dlg_pose_changed();
}

void end_eff_show(void) {
  if (!end_eff_win) end_eff();
  end_eff_fill();
  ShowWindow(end_eff_win);
}
