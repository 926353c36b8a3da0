// workspace_win.cpp -- the Work Environment dialog: objects of the environment, their type,
// place, size, turn, colour and visibility, the user frame, the reference options and saving
#include <FL/Fl_Button.H>        // for: Fl_Button
#include <FL/Fl_Check_Button.H>  // for: Fl_Check_Button
#include <FL/Fl_Group.H>         // for: Fl_Group
#include <FL/Fl_Input.H>         // for: Fl_Input
#include <FL/Fl_Input_Choice.H>  // for: Fl_Input_Choice
#include <FL/Fl_Light_Button.H>  // for: Fl_Light_Button
#include <FL/Fl_Output.H>        // for: Fl_Output
#include <FL/Fl_Value_Input.H>   // for: Fl_Value_Input
#include <FL/Fl_Window.H>        // for: Fl_Window
#include <stdio.h>               // for: snprintf()
#include <string.h>              // for: strcmp()

#include "robot/app_state.h"        // for: ErrStatus
#include "scene/coordi_trans.h"     // for: SetWorkspaceReference()
#include "gui/env/environment.h"
#include "base/fileio.h"        // for: TOK_PATH_MAX
#include "gui/shell/hubs.h"
#include "gui/shell/enter_key.h"  // for: EnterPresses()
#include "gui/traj/traj_panels.h"  // for: TrajShowSaved()
#include "gui/view/opengl_win.h"   // for: user_axes, edge_1, edge_2
#include "gui/shell/spinner.h"
#include "scene/workspace.h"
#include "scene/workspace_edit.h"   // for: ClampWorkspaceDimension(), SetWorkspaceTotal(), ...
#include "scene/workspace_file.h"   // for: WriteWorkspace()

//------------------------------------------------------------------ panel state
Fl_Window* workspace_win = nullptr;
Fl_Input_Choice* ws_object_choice = nullptr;
Jw_Spinner* ws_pos[3] = {nullptr, nullptr, nullptr};
Jw_Spinner* ws_info[3] = {nullptr, nullptr, nullptr};
Fl_Value_Input* ws_rot_angle = nullptr;
Fl_Input_Choice* ws_rot_axis = nullptr;
Fl_Input_Choice* ws_color_choice = nullptr;
Jw_Spinner* ws_id = nullptr;
Jw_Spinner* ws_total = nullptr;
Fl_Light_Button* ws_visible = nullptr;
Fl_Light_Button* ws_set = nullptr;
Fl_Check_Button* centre_chk = nullptr;
Fl_Output* ws_coord_id = nullptr;
Fl_Input* ws_file = nullptr;
Fl_Button* ws_save = nullptr;

static const char* const axis_name[3] = {"x", "y", "z"};

//------------------------------------------------------------------ static helpers

static int Current() { return Workspace_ID >= 0 && Workspace_ID < workspace_number; }

// index of text in names[first..count-1], or -1
static int FindName(const char* text, const char* const* names, int first, int count) {
  for (int i = first; i < count; i++)
    if (text && strcmp(text, names[i]) == 0) return i;
  return -1;
}

static void SetLabel(int k, const char* label, int active) {
  ws_info[k]->label(label);
  if (active) ws_info[k]->activate();
  else ws_info[k]->deactivate();
}

// the object's frame moved with it: a path expressed in it follows
static void FollowFrame() {
  if (Workspace_ID == coord_id) ReapplyUserFrame();
}

// the frame outputs: "Set" lit on the frame's object, "Coord. ID" = coord_id + 1
static void ShowFrame() {
  char t[16];
  snprintf(t, sizeof(t), "%d", coord_id + 1);
  ws_coord_id->value(t);
  ws_set->value(coord_id != -1 && coord_id == Workspace_ID);
}

//------------------------------------------------------------------ relabelling by type

// labels and active dimension spinners of the type; a type chosen by the user (changed = 1)
// also sets the dimension the type fixes: width 1 for boxes, height 1 for a surface
static void workspace_info_activ(int type, int changed) {
  int i = Workspace_ID;
  const WorkspaceKind* kind = WorkspaceKindOf(type);
  if (!kind) kind = WorkspaceKindOf(WS_TABLE);
  for (int k = 0; k < 3; k++) {
    ws_info[k]->step(kind->step[k]);
    SetLabel(k, kind->label[k], kind->active[k]);
  }
  if (changed && kind->chosen_dim >= 0) ws_object_info[i][kind->chosen_dim] = 1;
  for (int k = 0; k < 3; k++) ws_info[k]->value(ws_object_info[i][k]);
  workspace_win->redraw();   // the labels sit outside the spinners
}

//------------------------------------------------------------------ callbacks

static void workspace_object_cb(Fl_Widget*, void*) {
  if (!Current()) return;
  int t = WorkspaceKindByName(ws_object_choice->value());
  if (t < 0) {   // typed text that names no type: the object keeps its own
    ws_object_choice->value(WorkspaceKindName(WorkspaceType[Workspace_ID]));
    return;
  }
  WorkspaceType[Workspace_ID] = t;
  workspace_info_activ(t, 1);
  FollowFrame();
  gl_win_redraw();
}

static void workspace_pos_cb(Fl_Widget*, void* data) {
  int k = (int)(long)data;
  if (!Current()) return;
  ws_object_pos[Workspace_ID][k] = (float)ws_pos[k]->value();
  FollowFrame();
  gl_win_redraw();
}

static void workspace_info_cb(Fl_Widget*, void* data) {
  int k = (int)(long)data;
  if (!Current()) return;
  float v = ClampWorkspaceDimension(ws_info[k]->value());
  ws_object_info[Workspace_ID][k] = v;
  ws_info[k]->value(v);
  FollowFrame();
  gl_win_redraw();
}

static void workspace_rot_angle_cb(Fl_Widget*, void*) {
  if (!Current()) return;
  double v = ws_rot_angle->clamp(ws_rot_angle->value());
  if (v != v) v = 0;
  ws_rot_angle->value(v);
  WorkspaceAngle[Workspace_ID][ws_axis] = (float)v;
  FollowFrame();
  gl_win_redraw();
}

static void workspace_rot_axis_cb(Fl_Widget*, void*) {
  int a = FindName(ws_rot_axis->value(), axis_name, 0, 3);
  if (a >= 0) ws_axis = a;
  ws_rot_axis->value(axis_name[ws_axis]);
  if (Current()) ws_rot_angle->value(WorkspaceAngle[Workspace_ID][ws_axis]);
}

static void workspace_color_cb(Fl_Widget*, void*) {
  if (!Current()) return;
  int c = FindName(ws_color_choice->value(), WorkspaceColorName, 0, WS_COLORS);
  if (c >= 0) WorkspaceColor[Workspace_ID] = WorkspaceColorValue[c];
  Updateworkspace();
  gl_win_redraw();
}

static void workspace_id_cb(Fl_Widget*, void*) {
  Workspace_ID = (int)ws_id->value() - 1;
  if (Workspace_ID >= workspace_number) Workspace_ID = workspace_number - 1;
  if (Workspace_ID < 0) Workspace_ID = 0;
  Updateworkspace();
}

static void workspace_add_cb(Fl_Widget*, void*) {
  SetWorkspaceTotal((int)ws_total->value());
  Updateworkspace();
  gl_win_redraw();
}

static void workspace_visible_cb(Fl_Widget*, void*) {
  if (!Current()) return;
  ShowWorkspace[Workspace_ID] = ws_visible->value() ? 1 : 0;
  gl_win_redraw();
}

static void user_coordi_cb(Fl_Widget*, void*) {
  ToggleUserFrame(Workspace_ID);
  ShowFrame();
  gl_win_redraw();
}

// "C", "E1", "E2" pick the reference point; "Axes" shows the user frame
static void workspace_reference_cb(Fl_Widget*, void*) {
  int ref = edge_1->value() ? WS_REF_E1 : (edge_2->value() ? WS_REF_E2 : WS_REF_CENTRE);
  SetWorkspaceReference(ref);
  ReapplyUserFrame();
  gl_win_redraw();
}

static void workspace_save_cb(Fl_Widget*, void*) {
  if (WriteWorkspace(ws_file->value()) != 0) {   // the writer said why on the message line
    ErrStatus = 1;
    return;
  }
  ErrStatus = 0;
  char path[TOK_PATH_MAX + 1];
  snprintf(path, sizeof path, "%s/%s", WS_DIR, ws_file->value());   // the name passed the rule
  TrajShowSaved("Saved %s", path);   // confirmed as the other saves are
}

//------------------------------------------------------------------ builder

static Fl_Input_Choice* Choice(int x, int y, int w, const char* label, const char* const* items,
                               int n, Fl_Callback* cb) {
  Fl_Input_Choice* c = new Fl_Input_Choice(x, y, w, 25, label);
  for (int i = 0; i < n; i++) c->add(items[i]);
  c->value(items[0]);
  c->callback(cb);
  return c;
}

static Jw_Spinner* Spinner(int x, int y, int w, const char* label, double lo, double hi,
                           Fl_Callback* cb, long data) {
  Jw_Spinner* s = new Jw_Spinner(x, y, w, 25, label);
  s->range(lo, hi);
  s->step(0.1);
  s->format("%2.2lf");
  s->callback(cb, (void*)data);
  return s;
}

static Fl_Check_Button* Check(int x, int y, int w, const char* label, int radio) {
  Fl_Check_Button* b = new Fl_Check_Button(x, y, w, 25, label);
  if (radio) b->type(FL_RADIO_BUTTON);
  b->callback(workspace_reference_cb);
  return b;
}

void workspace(void) {
  static const char* const pos_label[3] = {"Position x:", "Position y:", "Position z:"};
  static const char* const info_label[3] = {"Length:", "Width:", "Height:"};
  workspace_win = new Fl_Window(100, 100, 470, 335, "Work Environment");
    const char* kind_names[WS_TYPES_MAX];
    int nkinds = 0;
    for (int t = 1; t <= WS_TYPES && nkinds < WS_TYPES_MAX; t++)
      kind_names[nkinds++] = WorkspaceKindName(t);
    ws_object_choice = Choice(70, 15, 150, "Object:", kind_names, nkinds,
                              workspace_object_cb);
    ws_id = new Jw_Spinner(260, 15, 60, 25, "ID:");
    ws_id->range(1, 1);
    ws_id->callback(workspace_id_cb);
    ws_total = new Jw_Spinner(385, 15, 70, 25, "Total:");
    ws_total->range(1, WS_MAX);
    ws_total->callback(workspace_add_cb);
    for (int k = 0; k < 3; k++) {
      ws_pos[k] = Spinner(90, 55 + 30*k, 110, pos_label[k], -10000, 10000, workspace_pos_cb, k);
      ws_info[k] = Spinner(320, 55 + 30*k, 110, info_label[k], -1, 51, workspace_info_cb, k);
    }
    ws_rot_angle = new Fl_Value_Input(90, 155, 70, 25, "Rotation");
    ws_rot_angle->range(-180, 180);
    ws_rot_angle->callback(workspace_rot_angle_cb);
    ws_rot_axis = Choice(165, 155, 45, nullptr, axis_name, 3, workspace_rot_axis_cb);
    ws_color_choice = Choice(320, 155, 110, "Color:", WorkspaceColorName, WS_COLORS,
                             workspace_color_cb);
    ws_color_choice->value("Grey");
    ws_visible = new Fl_Light_Button(20, 195, 80, 25, "visible");
    ws_visible->callback(workspace_visible_cb);
    ws_set = new Fl_Light_Button(110, 195, 60, 25, "Set");
    ws_set->callback(user_coordi_cb);
    ws_coord_id = new Fl_Output(255, 195, 40, 25, "Coord. ID");
    user_axes = Check(20, 230, 60, "Axes", 0);
    Fl_Group* ref = new Fl_Group(90, 230, 170, 25);
      centre_chk = Check(90, 230, 45, "C", 1);
      edge_1 = Check(140, 230, 50, "E1", 1);
      edge_2 = Check(195, 230, 50, "E2", 1);
    ref->end();
    centre_chk->value(1);
    ws_file = new Fl_Input(60, 270, 200, 25, "File:");
    ws_file->value("Enviroment");
    ws_save = new Fl_Button(270, 270, 60, 25, "save");
    ws_save->callback(workspace_save_cb);
    EnterPresses(ws_file, ws_save);
    close_win(workspace_win);
  workspace_win->end();
  Updateworkspace();
}

//------------------------------------------------------------------ public API

void Updateworkspace(void) {
  if (!workspace_win) return;
  if (Workspace_ID < 0 || Workspace_ID >= workspace_number) Workspace_ID = 0;
  int i = Workspace_ID, t = WorkspaceType[i];
  ws_object_choice->value(WorkspaceKindName(t));
  workspace_info_activ(t, 0);
  for (int k = 0; k < 3; k++) ws_pos[k]->value(ws_object_pos[i][k]);
  ws_rot_axis->value(axis_name[ws_axis]);
  ws_rot_angle->value(WorkspaceAngle[i][ws_axis]);
  const char* color = "";
  for (int c = 0; c < WS_COLORS; c++)
    if (WorkspaceColorValue[c] == WorkspaceColor[i]) color = WorkspaceColorName[c];
  ws_color_choice->value(color);
  ws_id->range(1, workspace_number);
  ws_id->value(i + 1);
  ws_total->value(workspace_number);
  ws_visible->value(ShowWorkspace[i]);
  ShowFrame();
}

void ShowWorkspaceDialog(void) {
  Workspace_ID = 0;
  Updateworkspace();
  ShowWindow(workspace_win);
}

void WorkspaceAfterRobotLoad(void) {
  ResetWorkspaceObject(0);   // the load left one object: it starts hidden, as at start-up
  Updateworkspace();
  if (load_workspace_win) load_workspace_win->hide();
}
