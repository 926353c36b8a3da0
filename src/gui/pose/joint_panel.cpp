// joint_panel.cpp -- the Forward Kinematics panel: a spinner and a slider per joint, the
// joint-edit rule, and the "File:"/"save" pair that writes the pose into "JConfig"
#include <FL/Fl.H>
#include <FL/Fl_Box.H>           // for: Fl_Box
#include <FL/Fl_Button.H>        // for: Fl_Button
#include <FL/Fl_Input.H>         // for: Fl_Input
#include <FL/Fl_Scroll.H>        // for: Fl_Scroll
#include <FL/Fl_Value_Output.H>  // for: Fl_Value_Output
#include <FL/Fl_Slider.H>        // for: Fl_Slider
#include <FL/Fl_Window.H>        // for: Fl_Window
#include <stdio.h>               // for: snprintf()

#include "robot/app_state.h"   // for: R, JC, CC, ErrStatus
#include "base/fileio.h"       // for: TOK_PATH_MAX
#include "gui/shell/hubs.h"
#include "gui/shell/enter_key.h"  // for: EnterPresses()
#include "gui/shell/written.h"   // for: WrittenText()
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "gui/shell/tooltips.h"  // for: JointValueTooltip()
#include "kin/ikp.h"         // for: FwdKin()
#include "robot/jconfig.h"     // for: WriteJointConfig()
#include "kin/pose_edit.h"   // for: JointEditRule(), NormalizeJointValues(), ConfigSuffixProblem()

//------------------------------------------------------------------ panel state
Fl_Window* joint_config_win = nullptr;
Jw_Spinner* joint_config_set_q[JOINT_PANEL_MAX];
Fl_Slider* joint_config_sl_set_q[JOINT_PANEL_MAX];
Fl_Input* joint_config_file = nullptr;
static int rows = 0;             // joints the current panel shows

//------------------------------------------------------------------ static helpers

// the rule for joint j with value v; on a limit the spinner (and slider) shows the limit
static void JointEdit(int j, float v) {
  if (!R || !JC || !CC || j < 0 || j >= rows || j >= R->n) return;
  int rc = ApplyJointEdit(R, JC, CC, j, &v);
  if (rc == JointEditAboveMax || rc == JointEditBelowMin) {
    ShowMessage("%s", JointLimitText(j, rc == JointEditAboveMax));
    ErrStatus = 1;
    joint_config_set_q[j]->value(v);
    if (joint_config_sl_set_q[j]) joint_config_sl_set_q[j]->value(v);
    return;
  }
  if (rc != JointEditOk) {       // not a number: the pose stays and is shown again
    joint_config_set_q[j]->value(JC->q[j]);
    return;
  }
  ClearMessage();
  ErrStatus = 0;
  UpdateAll();
  gl_win_redraw();
}

//------------------------------------------------------------------ public API

void joint_config_set_cb(Fl_Widget* w, void* j) {
  JointEdit((int)(long)j, (float)((Jw_Spinner*)w)->value());
}

void joint_config_sl_set_cb(Fl_Widget* w, void* j) {
  JointEdit((int)(long)j, (float)((Fl_Slider*)w)->value());
}

void joint_config_save_cb(Fl_Widget*, void* input) {
  if (!R) return;
  const char* suffix = ((Fl_Input*)input)->value();
  const char* problem = ConfigSuffixProblem(R->name, suffix);
  if (problem) {
    ShowMessage("%s", problem);
    ErrStatus = 1;
    return;
  }
  double q[JOINT_PANEL_MAX];
  int n = R->n < rows ? R->n : rows;
  for (int j = 0; j < n; j++) q[j] = joint_config_set_q[j]->value();
  if (n < R->n) return;          // a robot beyond the tables: nothing partial is written
  if (WriteJointConfig(R, q, suffix) != 0) {
    ErrStatus = 1;               // the writer showed why
    return;
  }
  ErrStatus = 0;
  char path[TOK_PATH_MAX + 1], text[WRITTEN_TEXT_MAX];
  snprintf(path, sizeof path, "JConfig/%s.%s", R->name, suffix);   // the name the writer took
  ShowMessage("%s", WrittenText(text, "Saved %s", path));
  config_fill();                 // the new pose joins the Select Configuration list
}

// rows beyond JOINT_PANEL_ROWS scroll inside the joint group's place
void joint_config(JointConfig jc) {
  if (joint_config_win) Fl::delete_widget(joint_config_win);
  joint_config_win = nullptr;
  joint_config_file = nullptr;
  for (int j = 0; j < JOINT_PANEL_MAX; j++) {
    joint_config_set_q[j] = nullptr;
    joint_config_sl_set_q[j] = nullptr;
  }
  rows = 0;
  if (!R || !jc) return;
  int n = R->n < JOINT_PANEL_MAX ? R->n : JOINT_PANEL_MAX;
  int shown = n < JOINT_PANEL_ROWS ? n : JOINT_PANEL_ROWS;
  int sb = n > shown ? Fl::scrollbar_size() : 0;
  NormalizeJointValues(R, jc);
  int h = 56*shown + 107;
  joint_config_win = new Fl_Window(100, 100, 180 + sb, h, "Forward Kinematics");
    Fl_Box* title = new Fl_Box(7, 7, 160, 25, "Forward Kinematics");
    title->labelfont(FL_BOLD);  title->labelsize(15);   // 16 would not fit the 160 pixels
    Fl_Scroll* scroll = new Fl_Scroll(5, 30, 170 + sb, 56*shown + 10);
    scroll->type(Fl_Scroll::VERTICAL);
    scroll->box(FL_NO_BOX);
      Fl_Group* g = new Fl_Group(5, 30, 170, 56*n + 10);
      g->box(FL_UP_FRAME);
      for (int j = 0; j < n; j++) {
        int b = 56*j;
        Jw_Spinner* s = new Jw_Spinner(48, b + 40, 117, 25);
        s->labelfont(FL_BOLD);
        s->range(-360, 360);  s->step(0.5);  s->format("%3.2lf");
        s->value(jc->q[j]);
        s->callback(joint_config_set_cb, (void*)(long)j);
        char tip[96];
        JointValueTooltip(tip, sizeof tip, "Value", j + 1, R->L[j].joint != 0);
        s->copy_tooltip(tip);
        joint_config_set_q[j] = s;
        if (R->L[j].joint == 0) {
          Fl_Slider* sl = new Fl_Slider(48, b + 68, 117, 20);
          sl->type(FL_HOR_NICE_SLIDER);
          sl->bounds(-360, 360);
          sl->value(jc->q[j]);
          sl->callback(joint_config_sl_set_cb, (void*)(long)j);
          sl->copy_tooltip(tip);
          joint_config_sl_set_q[j] = sl;
        }
        // two bold digits ("th 10" and up) with a gap before the spinner
        Fl_Value_Output* num = new Fl_Value_Output(25, b + 40, 20, 25, "th");
        num->box(FL_FLAT_BOX);
        num->labelfont(FL_BOLD);  num->textfont(FL_BOLD);
        num->value(j + 1);
      }
      g->end();
    scroll->end();
    int b = 56*shown;
    joint_config_file = new Fl_Input(35, b + 47, 120, 25, "File:");
    joint_config_file->value("config");
    Fl_Button* save = new Fl_Button(25, b + 77, 70, 25, "save");
    save->box(FL_PLASTIC_UP_BOX);
    save->callback(joint_config_save_cb, joint_config_file);
    EnterPresses(joint_config_file, save);
    close_win(joint_config_win);
  joint_config_win->end();
  rows = n;
}

void joint_config_update(JointConfig jc) {
  if (!joint_config_win || !joint_config_win->visible() || !R || !jc) return;
  NormalizeJointValues(R, jc);
  for (int j = 0; j < rows && j < R->n; j++) {
    joint_config_set_q[j]->value(jc->q[j]);
    if (joint_config_sl_set_q[j]) joint_config_sl_set_q[j]->value(jc->q[j]);
  }
}

void ShowJointConfig(void) {
  ShowWindow(joint_config_win);
  joint_config_update(JC);
}
