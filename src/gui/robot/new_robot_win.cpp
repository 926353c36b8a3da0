// new_robot_win.cpp -- the Create Robot window (link count) and the Create Robot - Parameters
// dialog that writes a new robot file and its description
#include <FL/Fl_Box.H>                // for: Fl_Box
#include <FL/Fl_Button.H>             // for: Fl_Button
#include <FL/Fl_Check_Button.H>       // for: Fl_Check_Button
#include <FL/Fl_Counter.H>            // for: Fl_Counter
#include <FL/Fl_Float_Input.H>        // for: Fl_Float_Input
#include <FL/Fl_Group.H>              // for: Fl_Group
#include <FL/Fl_Multiline_Input.H>    // for: Fl_Multiline_Input
#include <FL/Fl_Return_Button.H>      // for: Fl_Return_Button
#include <FL/Fl_Window.H>             // for: Fl_Window
#include <math.h>                     // for: isfinite()
#include <stdio.h>                    // for: snprintf()
#include <stdlib.h>                   // for: strtod()
#include <unistd.h>                   // for: access()

#include "base/number.h"  // for: ParseNumber()

#include "base/fileio.h"                   // for: MakePath()
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"  // for: ShowWritten(), WrittenText()
#include "gui/shell/enter_key.h"  // for: EnterPresses()
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"              // for: Jw_Spinner
#include "robot/reader.h"                   // for: SaveNewRobot()
#include "robot/robot_files.h"              // for: RobotNameProblem(), WriteDescription()
#include "scene/workspace.h"                // for: workspace_number

//------------------------------------------------------------------ module state
Fl_Window* new_arch_win = nullptr;
Jw_Spinner* arch_new_links = nullptr;
Fl_Window* arch_new_win = nullptr;
Fl_Input* arch_new_filename = nullptr;
Fl_Multiline_Input* m_description_input = nullptr;
Fl_Box* link_box[MAX_DIALOG_LINKS];
Fl_Input *input_a[MAX_DIALOG_LINKS], *input_b[MAX_DIALOG_LINKS];
Fl_Input *input_al[MAX_DIALOG_LINKS], *input_th[MAX_DIALOG_LINKS];
Fl_Check_Button *input_prismatic[MAX_DIALOG_LINKS], *input_limits[MAX_DIALOG_LINKS];
Fl_Input *input_limits_min[MAX_DIALOG_LINKS], *input_limits_max[MAX_DIALOG_LINKS];
Fl_Counter* links_counter = nullptr;
int new_links = 0;
int new_robot_overwrite1 = 0;
Fl_Window* new_robot_exist_win = nullptr;
Fl_Window* new_robot_created_win = nullptr;
static char link_label[MAX_DIALOG_LINKS][12];  // "1" .. "30"

//------------------------------------------------------------------ static helpers

static void new_robot_input_show(int i) {
  link_box[i]->show();  input_a[i]->show();  input_b[i]->show();  input_al[i]->show();
  input_th[i]->show();  input_prismatic[i]->show();  input_limits[i]->show();
  input_limits_min[i]->show();  input_limits_max[i]->show();
}

static void new_robot_input_hide(int i) {
  link_box[i]->hide();  input_a[i]->hide();  input_b[i]->hide();  input_al[i]->hide();
  input_th[i]->hide();  input_prismatic[i]->hide();  input_limits[i]->hide();
  input_limits_min[i]->hide();  input_limits_max[i]->hide();
}

// the six columns of page p (1-based), no others
static void ShowPage(int p) {
  for (int i = 0; i < new_links; i++)
    if (i/6 == p - 1) new_robot_input_show(i);
    else new_robot_input_hide(i);
}

static void new_robot_input_prismatic_cb(Fl_Widget*, void* v) {
  int i = (int)(long)v;
  input_a[i]->value("0");
  if (input_prismatic[i]->value()) input_a[i]->deactivate();
  else input_a[i]->activate();
}

static void new_robot_input_limits_cb(Fl_Widget*, void* v) {
  int i = (int)(long)v;
  if (input_limits[i]->value()) {
    input_limits_min[i]->activate();  input_limits_max[i]->activate();
  } else {
    input_limits_min[i]->deactivate();  input_limits_max[i]->deactivate();
  }
}

static Fl_Input* NumberInput(int x, int y) {
  Fl_Float_Input* in = new Fl_Float_Input(x, y, 60, 25);
  in->value("0");
  return in;
}

// the number of an input; 0 for an empty one; -1 and a refusal for anything not finite
static int Number(Fl_Input* in, int link, const char* what, float* v) {
  double d = 0;
  if (ParseNumber(in->value(), -1, NumEmptyZero | NumBlanks | NumSane, &d) != 0) {
    robot_dlg_refuse("Link %d: %s is not a number", link + 1, what);
    return -1;
  }
  *v = (float)d;
  return 0;
}

// the dialog's rows; 0, or -1 after a refusal
static int ReadRows(RobotFileRow* rows) {
  for (int i = 0; i < new_links; i++) {
    RobotFileRow* w = &rows[i];
    w->joint = input_prismatic[i]->value() ? 1 : 0;
    w->limits_on = input_limits[i]->value() ? 1 : 0;
    w->qmin = w->qmax = 0;
    if (Number(input_a[i], i, "a", &w->a) || Number(input_b[i], i, "b", &w->b) ||
        Number(input_al[i], i, "al", &w->al) || Number(input_th[i], i, "th", &w->th))
      return -1;
    if (w->limits_on && (Number(input_limits_min[i], i, "min", &w->qmin) ||
                         Number(input_limits_max[i], i, "max", &w->qmax)))
      return -1;
  }
  return 0;
}

static void new_robot_file_exist_cb(Fl_Widget*, void* ok) {
  new_robot_exist_win->hide();
  if (!ok) return;
  new_robot_overwrite1 = 1;
  new_robot_save_cb(nullptr, nullptr);
}

static void new_robot_file_exist_message(void) {
  if (!new_robot_exist_win)
    new_robot_exist_win = robot_dlg_box(100, 100, 175, "File exist! Overwrite?",
                                        new_robot_file_exist_cb, new_robot_file_exist_cb);
  ShowWindow(new_robot_exist_win);
}

// back to the robot list, which now holds the new robot
static void new_robot_created_cb(Fl_Widget*, void*) {
  if (arch_new_win) arch_new_win->hide();
  new_robot_created_win->hide();
  arch_show();
}

static void new_robot_created(const char* path) {
  if (!new_robot_created_win) {
    new_robot_created_win = robot_dlg_box(100, 100, 175, "Robot created", nullptr, nullptr);
    Fl_Button* ok = robot_dlg_button(new_robot_created_win, "close");
    ok->label("ok");
    ok->callback(new_robot_created_cb);
  }
  char text[WRITTEN_TEXT_MAX];
  ShowWritten(new_robot_created_win, WrittenText(text, "Robot created: %s", path));
}

//------------------------------------------------------------------ public API

// the link count; "ok" opens the parameter dialog
void new_arch(void) {
  new_arch_win = new Fl_Window(100, 100, 200, 70, "Create Robot");
    arch_new_links = new Jw_Spinner(100, 10, 75, 25, "Links (max.30)");
    arch_new_links->labelsize(12);
    arch_new_links->range(1, MAX_DIALOG_LINKS);  arch_new_links->step(1);
    arch_new_links->value(6);
    Fl_Button* ok = new Fl_Return_Button(40, 40, 55, 25, "ok");   // Enter goes on
    ok->box(FL_PLASTIC_UP_BOX);  ok->callback(arch_new_cb);
    close_win(new_arch_win);
  new_arch_win->end();
}

void arch_new_cb(Fl_Widget*, void*) {
  new_arch_win->hide();
  new_robot1();
  workspace_number = 1;
}

void new_robot1(void) {
  robot_dlg_destroy(&arch_new_win);
  new_links = (int)arch_new_links->value();
  if (new_links < 1) new_links = 1;
  if (new_links > MAX_DIALOG_LINKS) new_links = MAX_DIALOG_LINKS;
  new_robot_overwrite1 = 0;
  const int H = 465;
  arch_new_win = new Fl_Window(100, 100, 410, H, "Create Robot - Parameters");
    arch_new_filename = new Fl_Input(70, 5, 150, 25, "Filename");
    arch_new_filename->value("Robot");
    links_counter = robot_dlg_dh_header(new_links, new_robot_links_counter_cb);
    new Fl_Box(5, 240, 30, 25, "min");
    new Fl_Box(5, 265, 30, 25, "max");
    for (int i = 0; i < new_links; i++) {
      int x = 40 + 60*(i % 6);
      snprintf(link_label[i], sizeof link_label[i], "%d", i + 1);
      link_box[i] = new Fl_Box(FL_SHADOW_BOX, x + 15, 62, 30, 20, link_label[i]);
      input_a[i] = NumberInput(x, 85);
      input_b[i] = NumberInput(x, 110);
      input_al[i] = NumberInput(x, 135);
      input_th[i] = NumberInput(x, 160);
      input_prismatic[i] = new Fl_Check_Button(x + 20, 185, 25, 25);
      input_prismatic[i]->callback(new_robot_input_prismatic_cb, (void*)(long)i);
      input_limits[i] = new Fl_Check_Button(x + 20, 215, 25, 25);
      input_limits[i]->callback(new_robot_input_limits_cb, (void*)(long)i);
      input_limits_min[i] = NumberInput(x, 240);
      input_limits_max[i] = NumberInput(x, 265);
      input_limits_min[i]->deactivate();  input_limits_max[i]->deactivate();
      if (i >= 6) new_robot_input_hide(i);
    }
    Fl_Box* ll = new Fl_Box(5, 215, 30, 25, "Limits");
    ll->labelsize(11);  ll->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    Fl_Group* g = new Fl_Group(10, 325, 390, 105, "Description");
    g->box(FL_ENGRAVED_FRAME);  g->labelsize(16);  g->align(FL_ALIGN_TOP);
      m_description_input = new Fl_Multiline_Input(10, 325, 380, 100);
      m_description_input->wrap(1);
    g->end();
    Fl_Button* save = new Fl_Button(10, H - 30, 80, 25, "Save");
    save->box(FL_PLASTIC_UP_BOX);  save->callback(new_robot_save_cb);
    EnterPresses(arch_new_filename, save);
    close_win(arch_new_win);
  arch_new_win->end();
  ShowWindow(arch_new_win);
}

void new_robot_links_counter_cb(Fl_Widget*, void*) { ShowPage((int)links_counter->value()); }

void new_robot_save_cb(Fl_Widget*, void*) {
  char name[256], path[TOK_PATH_MAX + 1];
  snprintf(name, sizeof name, "%s", arch_new_filename->value());
  const char* why = RobotNameProblem(name);
  if (why || MakePath(path, "Arch", name) < 0) {
    robot_dlg_refuse("%s", why ? why : "File name is too long");
    new_robot_overwrite1 = 0;
    return;
  }
  RobotFileRow rows[MAX_DIALOG_LINKS];
  if (ReadRows(rows) != 0) {
    new_robot_overwrite1 = 0;
    return;
  }
  if (access(path, F_OK) == 0 && !new_robot_overwrite1) {
    new_robot_file_exist_message();
    return;
  }
  new_robot_overwrite1 = 0;   // the next press asks again
  if (SaveNewRobot(name, new_links, rows) != 0) {
    robot_dlg_refuse("Unable to write file %s: the robot was not created", path);
    return;
  }
  new_robot_created(path);
  if (WriteDescription(name, m_description_input->value()) != 0)
    robot_dlg_refuse("Unable to write the description of %s", name);
}

void new_arch_show(void) { ShowWindow(new_arch_win); }
