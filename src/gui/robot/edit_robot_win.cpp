// edit_robot_win.cpp -- the Edit Robot window (geometry style, one button per link) and the
// Link Settings window of each link, which edit the current robot in place
#include <FL/fl_draw.H>  // for: fl_font(), fl_measure()
#include <FL/Fl_Box.H>             // for: Fl_Box
#include <FL/Fl_Button.H>          // for: Fl_Button
#include <FL/Fl_Check_Button.H>    // for: Fl_Check_Button
#include <FL/Fl_Float_Input.H>     // for: Fl_Float_Input
#include <FL/Fl_Group.H>           // for: Fl_Group
#include <FL/Fl_Light_Button.H>    // for: Fl_Light_Button
#include <FL/Fl_Round_Button.H>    // for: Fl_Round_Button
#include <FL/Fl_Scroll.H>          // for: Fl_Scroll
#include <FL/Fl_Value_Output.H>    // for: Fl_Value_Output
#include <FL/Fl_Window.H>          // for: Fl_Window
#include <math.h>                  // for: isfinite(), fabs()
#include <stdio.h>                 // for: snprintf()
#include <stdlib.h>                // for: calloc(), free(), strtod()
#include <string.h>                // for: strcmp()

#include "base/number.h"  // for: ParseNumber()

#include "robot/app_state.h"             // for: R, JC, ShowScene
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"           // for: Jw_Spinner
#include "links/links.h"           // for: RemakeLinks(), MakeEE(), FreeEE()
#include "robot/reader.h"                // for: RobotText()
#include "robot/robot_files.h"           // for: SetLinkParams(), RecomputeLengthScale()

//------------------------------------------------------------------ module state
Fl_Window* edit_robot_win = nullptr;
LinkEditor* LL = nullptr;
int LL_n = 0;
Fl_Light_Button *geom_up = nullptr, *geom_down = nullptr, *geom_full = nullptr;
static char (*button_label)[16] = nullptr;  // "Link  1" ... per link, as long as the buttons

enum { EditMaxHeight = 600 };   // taller robots scroll their link buttons

//------------------------------------------------------------------ static helpers

static int Index(void* v) { return (int)(long)v; }

// generic bodies and the default end effector at the robot's current rad
static void RemakeBodies(void) {
  int n = R->n;
  RemakeLinks(n, R->L, R->rad, R->geom_type);
  FreeEE(&R->dEE);
  MakeEE(&R->dEE, R->rad, R->L[n - 1].a, R->L[n - 1].b);
}

// the spinners of link i show its values; the group of its joint kind is active
static void ShowLinkValues(int i) {
  LinkEditor* e = &LL[i];
  const Link* l = &R->L[i];
  e->pris_a->value(l->a);  e->pris_th->value(l->th);  e->pris_al->value(l->al);
  e->revo_a->value(l->a);  e->revo_b->value(l->b);  e->revo_al->value(l->al);
  e->is_prismatic->value(l->joint == 1);  e->is_revolute->value(l->joint == 0);
  if (l->joint == 1) {
    e->prismatic->activate();  e->revolute->deactivate();
  } else {
    e->prismatic->deactivate();  e->revolute->activate();
  }
}

// one parameter of link i changed: derived fields, length scale for revolute edits, bodies,
// pose
static void LinkChanged(int i, float a, float b, float al, float th, int rescale) {
  if (!R || i >= R->n) return;
  Link* l = &R->L[i];
  SetLinkParams(l, l->joint, a, b, al, th);
  R->changed = 1;
  if (rescale) RecomputeLengthScale(R);
  RemakeBodies();
  robot_dlg_pose_changed();
}

// a joint kind switch keeps the pose: the old joint variable keeps its current value, the
// new one starts from the link's value
static void SetJointKind(int i, int joint) {
  if (!R || i >= R->n || R->L[i].joint == joint) {
    if (R && i < R->n) ShowLinkValues(i);
    return;
  }
  Link* l = &R->L[i];
  float a = l->a, b = l->b, al = l->al, th = l->th;
  if (l->joint == 0) th = JC->q[i];
  else b = JC->q[i];
  SetLinkParams(l, joint, a, b, al, th);
  JC->q[i] = joint ? b : th;
  R->changed = 1;
  RecomputeLengthScale(R);
  RemakeBodies();
  ShowLinkValues(i);
  robot_dlg_pose_changed();
}

static Jw_Spinner* ParamSpinner(int x, int y, const char* label, Fl_Callback* cb, int i) {
  Jw_Spinner* s = new Jw_Spinner(x, y, 75, 25, label);
  s->labelfont(FL_BOLD);
  s->range(-360, 360);  s->step(0.1);  s->format("%3.2lf");
  s->callback(cb, (void*)(long)i);
  return s;
}

// "" for the markers and 0, the value otherwise
static void LimitText(Fl_Input* in, float v, float marker) {
  char t[32] = "";
  if (v != marker && v != 0.0f) snprintf(t, sizeof t, "%g", (double)v);
  in->value(t);
  if (t[0]) in->activate();
  else in->deactivate();
}

// the limits of the Link Settings windows for links k < R->n; 0, or -1 at a limit that is not
// a number (refused on the message line when say is 1)
static int ReadLimits(int* lim_on, float (*lim)[2], int say) {
  for (int k = 0; R && k < R->n; k++) {
    lim_on[k] = 0;  lim[k][0] = lim[k][1] = 0;
    if (!LL || k >= LL_n || !LL[k].limits_set) continue;
    lim_on[k] = 1;
    Fl_Input* in[2] = {LL[k].limits_min, LL[k].limits_max};
    for (int j = 0; j < 2; j++) {
      const char* t = in[j]->value();
      double v = 0;
      if (ParseNumber(t, -1, NumEmptyZero | NumBlanks | NumSane, &v) != 0) {
        if (say) robot_dlg_refuse("Link %d: %s limit is not a number", k + 1, j ? "Max" : "Min");
        return -1;
      }
      lim[k][j] = (float)v;
    }
  }
  return 0;
}

// a limit typed in Link Settings: Save writes it, so the robot is edited
static void limit_input_cb(Fl_Widget*, void*) {
  if (!R) return;
  R->changed = 1;
  robot_dlg_edited();
}

//------------------------------------------------------------------ public API: Edit Robot

void edit_robot(Robot r) {
  edit_robot_free();
  if (!r || r->n < 1) return;
  int n = r->n;
  LL = (LinkEditor*)calloc(n, sizeof(LinkEditor));
  button_label = (char(*)[16])calloc(n, sizeof(*button_label));
  if (!LL || !button_label) {
    free(LL);  free(button_label);
    LL = nullptr;  button_label = nullptr;
    return;
  }
  LL_n = n;
  int H = n > 5 ? 200 + 26*(n - 5) : 200;
  if (H > EditMaxHeight) H = EditMaxHeight;
  edit_robot_win = new Fl_Window(100, 100, 240, H, "Edit Robot");
    // the name left of the "Geometry" heading: smaller when bold 16 would reach it, clipped
    // beyond that
    Fl_Box* name = new Fl_Box(10, 15, 102, 25);
    name->copy_label(r->name);
    int tw = 0, th = 0;
    fl_font(FL_BOLD, 16);
    fl_measure(r->name, tw, th, 0);
    name->labelfont(FL_BOLD);  name->labelsize(tw > 100 ? 12 : 16);
    name->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
    Fl_Scroll* s = new Fl_Scroll(15, 40, 100, H - 45);
    s->type(Fl_Scroll::VERTICAL);  s->box(FL_NO_BOX);
      for (int i = 0; i < n; i++) {
        snprintf(button_label[i], sizeof button_label[i], "Link %2d", i + 1);
        LL[i].lbutton = new Fl_Button(20, 42 + 26*i, 80, 25, button_label[i]);
        LL[i].lbutton->callback(link_edit_cb, (void*)(long)i);
      }
    s->end();
    Fl_Group* g = new Fl_Group(120, 40, 80, 100, "Geometry");
    g->labelfont(FL_BOLD);  g->labelsize(16);  g->align(FL_ALIGN_TOP);
      geom_up = new Fl_Light_Button(120, 40, 60, 25, "Up");
      geom_up->type(FL_RADIO_BUTTON);  geom_up->callback(edit_robot_geom_cb, (void*)0L);
      geom_down = new Fl_Light_Button(120, 65, 60, 25, "Down");
      geom_down->type(FL_RADIO_BUTTON);  geom_down->callback(edit_robot_geom_cb, (void*)1L);
      geom_full = nullptr;
      if (r->links) {
        geom_full = new Fl_Light_Button(120, 90, 60, 25, "Full");
        geom_full->type(FL_RADIO_BUTTON);  geom_full->callback(edit_robot_geom_cb, (void*)2L);
        if (r->geom_type != 2) geom_full->deactivate();
      }
    g->end();
    if (r->geom_type == 0) geom_up->value(1);
    else if (r->geom_type == 1) geom_down->value(1);
    else if (geom_full) geom_full->value(1);
    if (strcmp(r->name, "Puma560") == 0) {
      Fl_Check_Button* scene = new Fl_Check_Button(120, 120, 60, 25, "Scene");
      scene->callback(edit_robot_scene_cb);
      scene->value(ShowScene == 1);   // a window built again shows the cell as it is
    }
    close_win(edit_robot_win);
  edit_robot_win->end();
  for (int i = 0; i < n; i++) link_edit(i);
}

void edit_robot_free(void) {
  link_edit_free();
  robot_dlg_destroy(&edit_robot_win);
  free(LL);  LL = nullptr;  LL_n = 0;
  free(button_label);  button_label = nullptr;
  geom_up = geom_down = geom_full = nullptr;
}

void edit_robot_geom_cb(Fl_Widget*, void* style) {
  if (!R) return;
  int g = Index(style);
  if (g == 2) {
    if (!R->links) return;
    R->geom_type = 2;
    joint_limits_full();
  } else {
    R->geom_type = g;
    RemakeLinks(R->n, R->L, R->rad, g);
    joint_limits_generic();
  }
  R->changed = 1;
  robot_dlg_edited();
}

void edit_robot_scene_cb(Fl_Widget* w, void*) {
  ShowScene = ((Fl_Check_Button*)w)->value();
  gl_win_redraw();
}

void edit_robot_show(void) { ShowWindow(edit_robot_win); }

int edit_robot_limits(int* lim_on, float (*lim)[2]) { return ReadLimits(lim_on, lim, 1); }

char* edit_robot_text(void) {
  if (!R || R->n < 1) return nullptr;
  int* on = (int*)calloc(R->n, sizeof(int));
  float (*lim)[2] = (float(*)[2])calloc(R->n, sizeof(float[2]));
  char* text = nullptr;
  if (on && lim && ReadLimits(on, lim, 0) == 0) text = RobotText(R, nullptr, on, lim);
  free(on);  free(lim);
  return text;
}

void edit_robot_text_limits(void) {
  for (int k = 0; R && LL && k < LL_n && k < R->n; k++) {
    const Link* l = &R->L[k];
    LinkEditor* e = &LL[k];
    if (e->limits_set || (l->h_q_limit[0] == JOINT_UNLIMITED_MIN &&
                          l->h_q_limit[1] == JOINT_UNLIMITED_MAX))
      continue;
    e->limits_set = 1;
    e->limits_box->value(1);
    e->limits_min->activate();  e->limits_max->activate();
  }
}

//------------------------------------------------------------------ public API: Link Settings

void link_edit(int i) {
  LinkEditor* e = &LL[i];
  const Link* l = &R->L[i];
  e->link_edit_win = new Fl_Window(100, 100, 235, 240, "Link Settings");
    Fl_Value_Output* num = new Fl_Value_Output(105, 5, 20, 25, "Link ");
    num->box(FL_ENGRAVED_BOX);  num->labelfont(FL_BOLD);  num->labelsize(16);
    num->textfont(FL_BOLD);  num->textsize(16);  num->value(i + 1);
    Fl_Group* joint = new Fl_Group(50, 30, 215, 25, "Joint");
    joint->labelfont(FL_BOLD);  joint->labelsize(16);  joint->align(FL_ALIGN_LEFT);
      e->is_prismatic = new Fl_Round_Button(60, 30, 80, 25, "Prismatic");
      e->is_prismatic->type(FL_RADIO_BUTTON);  e->is_prismatic->labelsize(12);
      e->is_prismatic->callback(link_edit_prismatic_cb, (void*)(long)i);
      e->is_revolute = new Fl_Round_Button(140, 30, 80, 25, "Revolute");
      e->is_revolute->type(FL_RADIO_BUTTON);  e->is_revolute->labelsize(12);
      e->is_revolute->callback(link_edit_revolute_cb, (void*)(long)i);
    joint->end();
    e->prismatic = new Fl_Group(5, 55, 110, 95);
    e->prismatic->box(FL_ENGRAVED_FRAME);
      e->pris_a = ParamSpinner(30, 59, "a ", link_edit_pris_a_cb, i);
      e->pris_th = ParamSpinner(30, 89, "th ", link_edit_pris_th_cb, i);
      e->pris_al = ParamSpinner(30, 119, "al ", link_edit_pris_al_cb, i);
    e->prismatic->end();
    e->revolute = new Fl_Group(120, 55, 110, 95);
    e->revolute->box(FL_ENGRAVED_FRAME);
      e->revo_a = ParamSpinner(145, 59, "a ", link_edit_revo_a_cb, i);
      e->revo_b = ParamSpinner(145, 89, "b ", link_edit_revo_b_cb, i);
      e->revo_al = ParamSpinner(145, 119, "al ", link_edit_revo_al_cb, i);
    e->revolute->end();
    Fl_Group* lg = new Fl_Group(5, 155, 225, 50);
    lg->box(FL_ENGRAVED_FRAME);
      e->limits_box = new Fl_Check_Button(35, 175, 30, 25, "Limits");
      e->limits_box->down_box(FL_DOWN_BOX);  e->limits_box->align(FL_ALIGN_TOP);
      e->limits_box->callback(link_limits_set_cb, (void*)(long)i);
      e->limits_min = new Fl_Float_Input(80, 175, 60, 25, "Min");
      e->limits_min->labelfont(FL_BOLD);  e->limits_min->align(FL_ALIGN_TOP);
      e->limits_max = new Fl_Float_Input(145, 175, 60, 25, "Max");
      e->limits_max->labelfont(FL_BOLD);  e->limits_max->align(FL_ALIGN_TOP);
      e->limits_min->when(FL_WHEN_RELEASE | FL_WHEN_ENTER_KEY);
      e->limits_min->callback(limit_input_cb);
      e->limits_max->when(FL_WHEN_RELEASE | FL_WHEN_ENTER_KEY);
      e->limits_max->callback(limit_input_cb);
    lg->end();
    close_win(e->link_edit_win);
  e->link_edit_win->end();
  LimitText(e->limits_min, l->q_limit[0], JOINT_UNLIMITED_MIN);
  LimitText(e->limits_max, l->q_limit[1], JOINT_UNLIMITED_MAX);
  e->limits_set = (e->limits_min->value()[0] || e->limits_max->value()[0]) ? 1 : 0;
  e->limits_box->value(e->limits_set);
  e->visible = 0;
  ShowLinkValues(i);
}

void link_edit_free(void) {
  for (int i = 0; LL && i < LL_n; i++) robot_dlg_destroy(&LL[i].link_edit_win);
}

void link_edit_cb(Fl_Widget*, void* i) {
  if (LL && Index(i) < LL_n) ShowWindow(LL[Index(i)].link_edit_win);
}

void link_edit_prismatic_cb(Fl_Widget*, void* i) { SetJointKind(Index(i), 1); }
void link_edit_revolute_cb(Fl_Widget*, void* i) { SetJointKind(Index(i), 0); }

// a prismatic link: a, th, al; the bodies remade at the current rad
void link_edit_pris_a_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), ((Jw_Spinner*)w)->value(), l->b, l->al, l->th, 0);
}
void link_edit_pris_th_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), l->a, l->b, l->al, ((Jw_Spinner*)w)->value(), 0);
}
void link_edit_pris_al_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), l->a, l->b, ((Jw_Spinner*)w)->value(), l->th, 0);
}

// a revolute link: a, b, al; the length scale recomputed first
void link_edit_revo_a_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), ((Jw_Spinner*)w)->value(), l->b, l->al, l->th, 1);
}
void link_edit_revo_b_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), l->a, ((Jw_Spinner*)w)->value(), l->al, l->th, 1);
}
void link_edit_revo_al_cb(Fl_Widget* w, void* i) {
  const Link* l = &R->L[Index(i)];
  LinkChanged(Index(i), l->a, l->b, ((Jw_Spinner*)w)->value(), l->th, 1);
}

void link_limits_set_cb(Fl_Widget*, void* i) {
  LinkEditor* e = &LL[Index(i)];
  e->limits_set = e->limits_box->value() ? 1 : 0;
  if (e->limits_set) {
    e->limits_min->activate();  e->limits_max->activate();
  } else {
    e->limits_min->deactivate();  e->limits_max->deactivate();
  }
  if (R) R->changed = 1;
  robot_dlg_edited();
}
