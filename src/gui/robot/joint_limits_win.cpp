// joint_limits_win.cpp -- the Joint Limits window: enforcement on or off, and the limits of
// every joint
#include <FL/Fl_Box.H>             // for: Fl_Box
#include <FL/Fl_Group.H>           // for: Fl_Group
#include <FL/Fl_Round_Button.H>    // for: Fl_Round_Button
#include <FL/Fl_Scroll.H>          // for: Fl_Scroll
#include <FL/Fl_Value_Output.H>    // for: Fl_Value_Output
#include <FL/Fl_Window.H>          // for: Fl_Window
#include <stdlib.h>                // for: calloc(), free()

#include "robot/app_state.h"             // for: R, JC
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"           // for: Jw_Spinner
#include "gui/shell/tooltips.h"          // for: JointValueTooltip()

//------------------------------------------------------------------ module state
Fl_Window* joint_limits_win = nullptr;
Fl_Round_Button *joint_limits_on = nullptr, *joint_limits_off = nullptr;
LimitEditor* LE = nullptr;
static int LE_n = 0;
static Fl_Group* on_off = nullptr;

enum { LimitsMaxHeight = 600 };   // taller robots scroll their rows

//------------------------------------------------------------------ static helpers

static float Shown(float v, float marker) { return v == marker ? 0.0f : v; }

// every joint value into its limits; 1 when one moved
static int ClampJoints(void) {
  int moved = 0;
  for (int i = 0; i < R->n && i < LE_n; i++) {
    float q = JC->q[i], lo = R->L[i].q_limit[0], hi = R->L[i].q_limit[1];
    if (q < lo) q = lo;
    if (q > hi) q = hi;
    if (q != JC->q[i]) {
      JC->q[i] = q;
      moved = 1;
    }
  }
  return moved;
}

static void SpinnersActive(int on) {
  for (int i = 0; i < LE_n; i++) {
    if (on) {
      LE[i].min->activate();  LE[i].max->activate();
    } else {
      LE[i].min->deactivate();  LE[i].max->deactivate();
    }
  }
}

static Jw_Spinner* LimitSpinner(int x, int y, Fl_Callback* cb, int i, float v) {
  Jw_Spinner* s = new Jw_Spinner(x, y, 100, 25);
  s->range(-1000, 1000);  s->step(0.1);  s->format("%5.2lf");
  s->value(v);
  s->callback(cb, (void*)(long)i);
  return s;
}

//------------------------------------------------------------------ public API

// building switches enforcement off for a generic robot; a "full" one keeps the limits its
// file and its reader gave it (they are its model's, and the solvers apply them)
void joint_limits(Robot r) {
  joint_limits_free();
  if (!r || r->n < 1) return;
  int n = r->n;
  LE = (LimitEditor*)calloc(n, sizeof(LimitEditor));
  if (!LE) return;
  LE_n = n;
  int keep = r->geom_type == 2 && r->limits;
  r->limits = 0;
  int H = 28*n + 122, frame = 28*n + 37;
  if (H > LimitsMaxHeight) H = LimitsMaxHeight;
  joint_limits_win = new Fl_Window(100, 100, 300, H, "Joint Limits");
    // the bold label left of the group, with room for its first letter
    on_off = new Fl_Group(125, 10, 135, 35, "Joint Limits");
    on_off->labelfont(FL_BOLD);  on_off->labelsize(16);  on_off->align(FL_ALIGN_LEFT);
      joint_limits_on = new Fl_Round_Button(135, 15, 40, 25, "on");
      joint_limits_on->type(FL_RADIO_BUTTON);  joint_limits_on->callback(joint_limits_on_cb);
      joint_limits_off = new Fl_Round_Button(175, 15, 40, 25, "off");
      joint_limits_off->type(FL_RADIO_BUTTON);  joint_limits_off->callback(joint_limits_off_cb);
    on_off->end();
    joint_limits_off->value(1);
    if (r->geom_type == 2) on_off->deactivate();
    Fl_Scroll* s = new Fl_Scroll(10, 50, 290, H - 85);
    s->type(Fl_Scroll::VERTICAL);  s->box(FL_NO_BOX);
      Fl_Group* g = new Fl_Group(10, 50, 275, frame);
      g->box(FL_ENGRAVED_FRAME);
        Fl_Box* h1 = new Fl_Box(85, 55, 80, 20, "Minimum");
        h1->labelsize(16);
        Fl_Box* h2 = new Fl_Box(190, 55, 80, 20, "Maximum");
        h2->labelsize(16);
        for (int i = 0; i < n; i++) {
          int y = 80 + 28*i;
          Fl_Value_Output* num = new Fl_Value_Output(55, y, 18, 25, "Joint ");
          num->labelsize(16);  num->value(i + 1);
          LE[i].min = LimitSpinner(75, y, joint_limits_min_cb, i, 0);
          LE[i].max = LimitSpinner(180, y, joint_limits_max_cb, i, 0);
          char tip[96];
          JointValueTooltip(tip, sizeof tip, "Lowest value", i + 1, r->L[i].joint != 0);
          LE[i].min->copy_tooltip(tip);
          JointValueTooltip(tip, sizeof tip, "Highest value", i + 1, r->L[i].joint != 0);
          LE[i].max->copy_tooltip(tip);
        }
      g->end();
    s->end();
    close_win(joint_limits_win);
  joint_limits_win->end();
  SpinnersActive(0);
  if (!keep) return;
  r->limits = 1;
  for (int i = 0; i < n; i++) {
    LE[i].min->value(Shown(r->L[i].q_limit[0], JOINT_UNLIMITED_MIN));
    LE[i].max->value(Shown(r->L[i].q_limit[1], JOINT_UNLIMITED_MAX));
  }
  SpinnersActive(1);
  joint_limits_on->value(1);  joint_limits_off->value(0);
}

void joint_limits_free(void) {
  robot_dlg_destroy(&joint_limits_win);
  free(LE);  LE = nullptr;  LE_n = 0;
  joint_limits_on = joint_limits_off = nullptr;  on_off = nullptr;
}

// the clamp uses the limits as they were, so a joint without limits does not move now
void joint_limits_on_cb(Fl_Widget*, void*) {
  if (!R || !LE) return;
  R->limits = 1;
  int moved = ClampJoints();
  for (int i = 0; i < LE_n && i < R->n; i++) {
    Link* l = &R->L[i];
    LE[i].min->activate();  LE[i].max->activate();
    LE[i].min->value(Shown(l->q_limit[0], JOINT_UNLIMITED_MIN));
    l->q_limit[0] = (float)LE[i].min->value();
    LE[i].max->value(Shown(l->q_limit[1], JOINT_UNLIMITED_MAX));
    l->q_limit[1] = (float)LE[i].max->value();
  }
  if (moved) robot_dlg_pose_changed();
  else robot_dlg_edited();
}

void joint_limits_off_cb(Fl_Widget*, void*) {
  if (!R) return;
  R->limits = 0;
  SpinnersActive(0);
  robot_dlg_edited();
}

void joint_limits_min_cb(Fl_Widget* w, void* i) {
  int k = (int)(long)i;
  if (!R || k >= R->n) return;
  R->L[k].q_limit[0] = (float)((Jw_Spinner*)w)->value();
  R->changed = 1;
  robot_dlg_edited();
}

void joint_limits_max_cb(Fl_Widget* w, void* i) {
  int k = (int)(long)i;
  if (!R || k >= R->n) return;
  R->L[k].q_limit[1] = (float)((Jw_Spinner*)w)->value();
  R->changed = 1;
  robot_dlg_edited();
}

void joint_limits_full(void) {
  if (!R || !LE) return;
  R->limits = 1;
  int moved = ClampJoints();
  for (int i = 0; i < LE_n && i < R->n; i++) {
    LE[i].min->value(Shown(R->L[i].q_limit[0], JOINT_UNLIMITED_MIN));
    LE[i].max->value(Shown(R->L[i].q_limit[1], JOINT_UNLIMITED_MAX));
  }
  SpinnersActive(1);
  joint_limits_on->value(1);  joint_limits_off->value(0);
  if (moved) robot_dlg_pose_changed();
}

void joint_limits_generic(void) {
  if (!R || !LE || !R->limits) return;
  SpinnersActive(1);
  on_off->activate();
}

void joint_limits_show(void) { ShowWindow(joint_limits_win); }

void joint_limits_refresh(void) {
  if (!R || !LE || !joint_limits_on) return;
  for (int i = 0; i < LE_n && i < R->n; i++) {
    LE[i].min->value(Shown(R->L[i].q_limit[0], JOINT_UNLIMITED_MIN));
    LE[i].max->value(Shown(R->L[i].q_limit[1], JOINT_UNLIMITED_MAX));
  }
  SpinnersActive(R->limits);
  joint_limits_on->value(R->limits ? 1 : 0);  joint_limits_off->value(R->limits ? 0 : 1);
  if (R->geom_type == 2) on_off->deactivate();
  else on_off->activate();
}
