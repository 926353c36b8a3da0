// obstacle_payload_win.cpp -- the Obstacle and Payload panels: four moving spheres and the
// sphere or battery the end effector carries
#include <FL/Fl_Box.H>           // for: Fl_Box
#include <FL/Fl_Input_Choice.H>  // for: Fl_Input_Choice
#include <FL/Fl_Light_Button.H>  // for: Fl_Light_Button
#include <FL/Fl_Value_Input.H>   // for: Fl_Value_Input
#include <FL/Fl_Value_Slider.H>  // for: Fl_Value_Slider
#include <FL/Fl_Window.H>        // for: Fl_Window
#include <string.h>              // for: strcmp()

#include "robot/app_state.h"        // for: R, JC, CC, the obstacle and payload tables
#include "gui/env/environment.h"
#include "gui/shell/hubs.h"
#include "gui/shell/spinner.h"
#include "kin/ikp.h"              // for: FwdKin()
#include "scene/obstacles.h"        // for: ObstacleEntry(), RebuildObstacleSpheres(), ...
#include "scene/things.h"     // for: DefBattery()

//------------------------------------------------------------------ panel state
Fl_Window* obstacle_win = nullptr;
Jw_Spinner* obstacle_spin[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
Fl_Value_Slider* obstacle_radius = nullptr;
Fl_Light_Button* obstacle_visible = nullptr;
Fl_Value_Input* obstacle_active = nullptr;
Fl_Window* payload_win = nullptr;
Fl_Input_Choice* payload_type = nullptr;
Jw_Spinner* payload_spin[3] = {nullptr, nullptr, nullptr};
Fl_Value_Slider* payload_radius = nullptr;
Fl_Light_Button* payload_visible = nullptr;

//------------------------------------------------------------------ static helpers

static Jw_Spinner* Spinner(int x, int y, int w, const char* label, Fl_Callback* cb, long i) {
  Jw_Spinner* s = new Jw_Spinner(x, y, w, 25, label);
  s->range(-10000, 10000);
  s->step(0.1);
  s->format("%4.2lf");
  s->value(0);
  s->callback(cb, (void*)i);
  return s;
}

// vertical value slider, 4 at the top and 0 at the bottom
static Fl_Value_Slider* RadiusSlider(int x, int y, int h, Fl_Callback* cb) {
  Fl_Value_Slider* s = new Fl_Value_Slider(x, y, 30, h, "Radius");
  s->type(FL_VERT_SLIDER);
  s->bounds(4, 0);
  s->textsize(12);
  s->callback(cb);
  return s;
}

static Fl_Box* Title(int x, int y, int w, int h, const char* text) {
  Fl_Box* b = new Fl_Box(x, y, w, h, text);
  b->labelsize(16);
  return b;
}

// the obstacle being edited, as a table entry
static int Active() { return ObstacleEntry(Obstacle_Active); }

// the widgets show the active obstacle
static void LoadObstacle() {
  int e = Active();
  for (int i = 0; i < 6; i++) obstacle_spin[i]->value(Obstacle_info[e][i]);
  obstacle_radius->value(Radius[e]);
  obstacle_visible->value(ShowObstacle[e]);
  obstacle_active->value(Obstacle_Active);
}

// the pose displays follow the payload: forward kinematics counts its offset while it is shown
static void PayloadChanged() {
  if (R && JC && CC) {
    FwdKin(R, JC, CC);
    UpdateAll();
  }
  gl_win_redraw();
}

//------------------------------------------------------------------ obstacle callbacks

// spinner i: start position (0..2) or velocity (3..5); a new start is also the current place
static void obstacle_set_cb(Fl_Widget*, void* data) {
  int i = (int)(long)data, e = Active();
  Obstacle_info[e][i] = (float)obstacle_spin[i]->value();
  if (i <= 2) Obstacle_pos[e][i] = Obstacle_info[e][i];
  obstacle_spin[i]->value(Obstacle_info[e][i]);
  gl_win_redraw();
}

static void obstacle_radius_cb(Fl_Widget*, void*) {
  int e = Active();
  Radius[e] = (float)obstacle_radius->value();
  RebuildObstacleSpheres(e);
  gl_win_redraw();
}

static void obstacle_visible_cb(Fl_Widget*, void*) {
  ShowObstacle[Active()] = obstacle_visible->value() ? 1 : 0;
  gl_win_redraw();
}

static void obstacle_active_cb(Fl_Widget*, void*) {
  Obstacle_Active = ClampObstacleNumber(obstacle_active->value());
  LoadObstacle();
  gl_win_redraw();
}

//------------------------------------------------------------------ payload callbacks

static void payload_type_cb(Fl_Widget*, void*) {
  const char* t = payload_type->value();
  TypePayload = (t && strcmp(t, "Battery") == 0) ? 2 : 1;
  if (TypePayload == 2) payload_radius->deactivate();
  else payload_radius->activate();
  gl_win_redraw();
}

static void payload_set_cb(Fl_Widget*, void* data) {
  int i = (int)(long)data;
  Payload_info[i] = (float)payload_spin[i]->value();
  PayloadChanged();
}

static void payload_radius_cb(Fl_Widget*, void*) {
  Radius_pay = (float)payload_radius->value();
  RebuildPayloadSphere();
  gl_win_redraw();
}

static void payload_visible_cb(Fl_Widget*, void*) {
  ShowPayload = payload_visible->value() ? 1 : 0;
  PayloadChanged();
}

//------------------------------------------------------------------ builders

void obstacle(void) {
  static const char* const label[6] = {"X-Position  ", "Y-Position  ", "Z-Position  ",
                                       "X-Velocity  ", "Y-Velocity  ", "Z-Velocity  "};
  static const int row[6] = {70, 98, 126, 159, 187, 215};
  for (int e = 0; e < OBSTACLE_COUNT; e++)
    if (!obs[e] || !soi[e]) RebuildObstacleSpheres(e);
  obstacle_win = new Fl_Window(100, 100, 260, 315, "Obstacle");
    Title(92, 15, 125, 21, "Obstacle Data");
    for (int i = 0; i < 6; i++)
      obstacle_spin[i] = Spinner(84, row[i], 80, label[i], obstacle_set_cb, i);
    obstacle_radius = RadiusSlider(200, 60, 185, obstacle_radius_cb);
    obstacle_visible = new Fl_Light_Button(10, 275, 70, 25, "visibile");
    obstacle_visible->callback(obstacle_visible_cb);
    obstacle_active = new Fl_Value_Input(130, 275, 25, 25, "Active");
    obstacle_active->step(1);   // whole numbers; the callback clamps to 1..4
    obstacle_active->callback(obstacle_active_cb);
    close_win(obstacle_win);
  obstacle_win->end();
  Obstacle_Active = ClampObstacleNumber(Obstacle_Active);
  LoadObstacle();
}

void payload(void) {
  if (!pay) RebuildPayloadSphere();
  if (!pay_bat) pay_bat = DefBattery(1, PAYLOAD_COLOR, OBSTACLE_COLOR);
  payload_win = new Fl_Window(100, 100, 250, 230, "Payload");
    Title(50, 5, 150, 25, "Payload Data");
    payload_type = new Fl_Input_Choice(50, 35, 110, 25, "Type");
    payload_type->add("Sphere");
    payload_type->add("Battery");
    payload_type->value(TypePayload == 2 ? "Battery" : "Sphere");
    payload_type->callback(payload_type_cb);
    for (int i = 0; i < 3; i++) {
      static const char* const label[3] = {"X-Position", "Y-Position", "Z-Position"};
      payload_spin[i] = Spinner(70, 75 + 30*i, 90, label[i], payload_set_cb, i);
      payload_spin[i]->labelsize(13);   // the labels fill the 70 pixels left of the entries
      payload_spin[i]->value(Payload_info[i]);
    }
    payload_radius = RadiusSlider(190, 35, 140, payload_radius_cb);
    payload_radius->value(Radius_pay);
    if (TypePayload == 2) payload_radius->deactivate();
    payload_visible = new Fl_Light_Button(10, payload_win->h() - 30, 70, 25, "visible");
    payload_visible->value(ShowPayload);
    payload_visible->callback(payload_visible_cb);
    close_win(payload_win);
  payload_win->end();
}

//------------------------------------------------------------------ public API

void ShowObstaclePanel(void) {
  LoadObstacle();
  ShowWindow(obstacle_win);
}

void ShowPayloadPanel(void) { ShowWindow(payload_win); }
