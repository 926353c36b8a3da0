// dh_win.cpp -- the DH Parameters window: the current robot's table, read-only, six links a page
#include <FL/Fl_Box.H>             // for: Fl_Box
#include <FL/Fl_Check_Button.H>    // for: Fl_Check_Button
#include <FL/Fl_Counter.H>         // for: Fl_Counter
#include <FL/Fl_Group.H>           // for: Fl_Group
#include <FL/Fl_Input.H>           // for: Fl_Input
#include <FL/Fl_Text_Buffer.H>     // for: Fl_Text_Buffer
#include <FL/Fl_Text_Display.H>    // for: Fl_Text_Display
#include <FL/Fl_Window.H>          // for: Fl_Window
#include <stdio.h>                 // for: snprintf()
#include <stdlib.h>                // for: calloc(), free()

#include "robot/app_state.h"             // for: R, JC
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "robot/robot_files.h"           // for: ReadDescription()

//------------------------------------------------------------------ module state
Fl_Window* dh_win = nullptr;
Fl_Counter* robot_links_counter = nullptr;
static Fl_Group** column = nullptr;          // one group per link
static int ncolumns = 0;
static Fl_Text_Buffer* dh_description = nullptr;   // kept for the program's life

//------------------------------------------------------------------ static helpers

static void display_robot_input_show(int i) { column[i]->show(); }
static void display_robot_input_hide(int i) { column[i]->hide(); }

static void Field(int x, int y, double v) {
  char t[32];
  snprintf(t, sizeof t, "%g", v);
  Fl_Input* in = new Fl_Input(x, y, 60, 25);
  in->value(t);
  in->deactivate();
}

//------------------------------------------------------------------ public API

// built anew on every call, for the robot loaded now
void display_DH_parameter(void) {
  dh_win_free();
  if (!R || !JC) return;
  int n = R->n;
  column = (Fl_Group**)calloc(n, sizeof(Fl_Group*));
  if (!column) return;
  ncolumns = n;
  dh_win = new Fl_Window(100, 100, 410, 400, "DH Parameters");
    robot_links_counter = robot_dlg_dh_header(n, robot_links_counter_cb);
    for (int i = 0; i < n; i++) {
      int x = 40 + 60*(i % 6);
      const Link* l = &R->L[i];
      column[i] = new Fl_Group(x, 62, 60, 150);
        Fl_Box* num = new Fl_Box(FL_SHADOW_BOX, x + 15, 62, 30, 20, nullptr);
        char t[16];
        snprintf(t, sizeof t, "%d", i + 1);
        num->copy_label(t);
        Field(x, 85, l->a);
        Field(x, 110, l->joint ? JC->q[i] : l->b);
        Field(x, 135, l->al);
        Field(x, 160, l->joint ? l->th : JC->q[i]);
        Fl_Check_Button* p = new Fl_Check_Button(x + 20, 185, 25, 25);
        p->value(l->joint == 1);
        p->deactivate();
      column[i]->end();
      if (i >= 6) column[i]->hide();
    }
    Fl_Group* g = new Fl_Group(10, 250, 390, 105, "Description");
    g->box(FL_ENGRAVED_FRAME);  g->labelsize(16);  g->align(FL_ALIGN_TOP);
      if (!dh_description) dh_description = new Fl_Text_Buffer();
      char* text = ReadDescription(R->name, 0);
      dh_description->text(text ? text : "");
      free(text);
      Fl_Text_Display* d = new Fl_Text_Display(10, 250, 380, 100);
      d->buffer(dh_description);
      d->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
    g->end();
    close_win(dh_win);
  dh_win->end();
  dh_win->set_modal();
  ShowWindow(dh_win);
}

void robot_links_counter_cb(Fl_Widget*, void*) {
  int p = (int)robot_links_counter->value();
  for (int i = 0; i < ncolumns; i++)
    if (i/6 == p - 1) display_robot_input_show(i);
    else display_robot_input_hide(i);
}

void dh_win_free(void) {
  robot_dlg_destroy(&dh_win);
  free(column);  column = nullptr;  ncolumns = 0;
  robot_links_counter = nullptr;
}
