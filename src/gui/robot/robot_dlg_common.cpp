// robot_dlg_common.cpp -- what the robot dialogs share: question and notice boxes, refusals,
// the main window's title, deferred destruction and the refresh after an edit
#include <FL/Fl.H>          // for: Fl::delete_widget()
#include <FL/Fl_Box.H>      // for: Fl_Box
#include <FL/Fl_Button.H>   // for: Fl_Button
#include <FL/Fl_Counter.H>  // for: Fl_Counter
#include <FL/Fl_Window.H>   // for: Fl_Window
#include <FL/fl_draw.H>     // for: fl_font(), fl_measure()
#include <stdarg.h>         // for: va_list
#include <stdio.h>          // for: vsnprintf(), snprintf()
#include <string.h>         // for: strcmp()

#include "robot/app_state.h"      // for: R, JC, CC, ErrStatus, m_converge_flag
#include "gui/shell/hubs.h"
#include "gui/shell/main_win.h"
#include "gui/robot/robot_dlg.h"
#include "kin/ikp.h"            // for: FwdKin()

//------------------------------------------------------------------ public API

Fl_Window* robot_dlg_box(int x, int y, int w, const char* text,
                         void (*ok_cb)(Fl_Widget*, void*), void (*cancel_cb)(Fl_Widget*, void*)) {
  int tw = 0, th = 0;              // as wide as the bold text needs, w at least
  fl_font(FL_BOLD, 16);
  fl_measure(text, tw, th, 0);
  if (tw + 20 > w) w = tw + 20;
  Fl_Window* win = new Fl_Window(x, y, w, 75);
    Fl_Box* b = new Fl_Box(5, 5, w - 10, 30, text);
    b->labelfont(FL_BOLD);  b->labelsize(16);
    if (ok_cb) {
      Fl_Button* ok = new Fl_Button(25, 40, 50, 25, "ok");
      ok->box(FL_PLASTIC_UP_BOX);  ok->callback(ok_cb, (void*)1L);
      Fl_Button* no = new Fl_Button(95, 40, 50, 25, "cancel");
      no->box(FL_PLASTIC_UP_BOX);  no->callback(cancel_cb, (void*)0L);
    } else {
      close_win(win);
    }
  win->end();
  win->set_non_modal();
  return win;
}

Fl_Button* robot_dlg_button(Fl_Window* win, const char* label) {
  if (!win) return nullptr;
  for (int i = 0; i < win->children(); i++) {
    Fl_Button* b = dynamic_cast<Fl_Button*>(win->child(i));
    if (b && b->label() && strcmp(b->label(), label) == 0) return b;
  }
  return nullptr;
}

void robot_dlg_refuse(const char* format, ...) {
  char text[128];
  va_list ap;
  va_start(ap, format);
  vsnprintf(text, sizeof text, format, ap);
  va_end(ap);
  ShowMessage("%s", text);
  ErrStatus = 1;
}

void robot_dlg_title(const char* prefix, const char* name) {
  if (!window) return;
  // a robot with a prismatic joint gets no length; the flag would be the previous robot's
  int found = R && m_converge_flag == 1;
  for (int i = 0; found && i < R->n; i++)
    if (R->L[i].joint != 0) found = 0;
  char title[160];
  snprintf(title, sizeof title, "%s%s%s", prefix, name, found ? "+" : "-");
  window->copy_label(title);
}

void robot_dlg_destroy(Fl_Window** w) {
  if (!*w) return;
  (*w)->hide();
  Fl::delete_widget(*w);   // a callback of one of its widgets may still be running
  *w = nullptr;
}

// the edit is recorded before the refresh, so the pose it may have moved is no step of its own
void robot_dlg_pose_changed(void) {
  UndoRecordEdit();
  if (R && JC && CC) FwdKin(R, JC, CC);
  UpdateAll();
  gl_win_redraw();
}

void robot_dlg_edited(void) {
  UndoRecordEdit();
  gl_win_redraw();
}

Fl_Counter* robot_dlg_dh_header(int nlinks, void (*cb)(Fl_Widget*, void*)) {
  Fl_Box* title = new Fl_Box(10, 30, 410, 25, "DH Parameter");
  title->labeltype(FL_ENGRAVED_LABEL);  title->labelsize(16);
  Fl_Counter* pages = new Fl_Counter(330, 5, 65, 25);
  pages->type(FL_SIMPLE_COUNTER);  pages->step(1);
  pages->range(1, (nlinks + 5)/6);  pages->value(1);
  pages->callback(cb);
  if (nlinks <= 6) pages->hide();
  const char* rows[4] = {"a", "b", "al", "th"};
  for (int r = 0; r < 4; r++) {
    Fl_Box* b = new Fl_Box(5, 85 + 25*r, 30, 25, rows[r]);
    b->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
  }
  Fl_Box* pl = new Fl_Box(5, 185, 30, 25, "Prismatic");
  pl->labelsize(11);  pl->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return pages;
}
