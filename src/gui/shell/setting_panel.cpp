// setting_panel.cpp -- the Setting System panel: view background, projection, frames drawn,
// the tolerance and step limit of the inverse kinematics, and the collision switches
#include <FL/Fl_Button.H>         // for: Fl_Button
#include <FL/Fl_Group.H>          // for: Fl_Group
#include <FL/Fl_Check_Button.H>  // for: Fl_Check_Button
#include <FL/Fl_Light_Button.H>   // for: Fl_Light_Button
#include <FL/Fl_Round_Button.H>   // for: Fl_Round_Button
#include <FL/Fl_Value_Input.H>    // for: Fl_Value_Input
#include <FL/Fl_Value_Slider.H>   // for: Fl_Value_Slider
#include <FL/Fl_Window.H>         // for: Fl_Window
#include <math.h>                 // for: isfinite()

#include "robot/app_state.h"   // for: ShowInertialAxes, ShowJointAxes, ShowEEAxes
#include "gui/shell/hubs.h"
#include "gui/view/opengl_win.h"   // for: bg_red, bg_green, bg_blue, prespectiv_mode
#include "gui/pose/pose_panels.h"
#include "kin/ikp.h"         // for: GetInvTol(), SetInvTol(), GetInvMax(), SetInvMax(),
                             //      SetInvFallback()
#include "gui/view/collisions.h"  // for: SetCollisionsSwitch(), CollisionsSwitch()

//------------------------------------------------------------------ panel state
Fl_Window* control_win = nullptr;
Fl_Button* ikp_fallback = nullptr;
Fl_Value_Slider* bg_color_r = nullptr;
Fl_Value_Slider* bg_color_g = nullptr;
Fl_Value_Slider* bg_color_b = nullptr;
Fl_Button* bg_color_grey = nullptr;
Fl_Button* bg_color_white = nullptr;
Fl_Button* bg_color_default = nullptr;
Fl_Button* mode_perspective = nullptr;
Fl_Button* mode_orthogonal = nullptr;
Fl_Button* axes_inertial = nullptr;
Fl_Button* axes_joint = nullptr;
Fl_Button* axes_ee = nullptr;
Fl_Value_Input* ikp_tolerance = nullptr;
Fl_Value_Input* ikp_max_iter = nullptr;
Fl_Button* check_collisions = nullptr;
Fl_Button* avoid_obstacles = nullptr;

//------------------------------------------------------------------ static helpers

// all three channels to v of 255, sliders with them
static void AllChannels(int v) {
  bg_red = bg_green = bg_blue = v/255.0;
  bg_color_r->value(v);  bg_color_g->value(v);  bg_color_b->value(v);
  gl_win_redraw();
}

static Fl_Value_Slider* Channel(int y, const char* label, Fl_Color c, double v, Fl_Callback* cb) {
  Fl_Value_Slider* s = new Fl_Value_Slider(29, y, 200, 27, label);
  s->type(FL_HOR_SLIDER);
  s->bounds(0, 255);  s->step(1);
  s->labeltype(FL_ENGRAVED_LABEL);  s->labelsize(18);  s->labelcolor(c);
  s->align(FL_ALIGN_LEFT);
  s->value(v*255);
  s->callback(cb);
  return s;
}

static Fl_Button* FaceButton(int y, const char* label, Fl_Color face, Fl_Color text,
                             Fl_Callback* cb) {
  Fl_Button* b = new Fl_Button(240, y, 64, 26, label);
  b->color(face);  b->labelcolor(text);
  b->callback(cb);
  return b;
}

static Fl_Group* Group(int x, int y, int w, int h, const char* label) {
  Fl_Group* g = new Fl_Group(x, y, w, h, label);   // no frame: the groups overlap their
                                                    // buttons and the window's lower edge
  g->labeltype(FL_ENGRAVED_LABEL);  g->labelsize(16);
  g->align(FL_ALIGN_TOP);
  return g;
}

static void AxesButton(Fl_Button** b, int y, const char* label, int on, Fl_Callback* cb) {
  *b = new Fl_Light_Button(150, y, 105, 25, label);
  (*b)->value(on);
  (*b)->callback(cb);
}

//------------------------------------------------------------------ callbacks

static void bg_color_r_cb(Fl_Widget* w, void*) {
  bg_red = ((Fl_Value_Slider*)w)->value()/255.0;
  gl_win_redraw();
}
static void bg_color_g_cb(Fl_Widget* w, void*) {
  bg_green = ((Fl_Value_Slider*)w)->value()/255.0;
  gl_win_redraw();
}
static void bg_color_b_cb(Fl_Widget* w, void*) {
  bg_blue = ((Fl_Value_Slider*)w)->value()/255.0;
  gl_win_redraw();
}
static void bg_color_grey_cb(Fl_Widget*, void*) { AllChannels(181); }
static void bg_color_white_cb(Fl_Widget*, void*) { AllChannels(255); }
static void bg_color_default_cb(Fl_Widget*, void*) { AllChannels(0); }

static void mode_cb(Fl_Widget*, void* mode) {
  prespectiv_mode = (int)(long)mode;
  gl_win_redraw();
}

static void axes_inertial_cb(Fl_Widget* w, void*) {
  ShowInertialAxes = ((Fl_Button*)w)->value();
  gl_win_redraw();
}
static void axes_joint_cb(Fl_Widget* w, void*) {
  ShowJointAxes = ((Fl_Button*)w)->value();
  gl_win_redraw();
}
static void axes_ee_cb(Fl_Widget* w, void*) {
  ShowEEAxes = ((Fl_Button*)w)->value();
  gl_win_redraw();
}

// a tolerance that is no positive number is refused and the one in force shown again
static void ikp_tolerance_cb(Fl_Widget* w, void*) {
  double t = ((Fl_Value_Input*)w)->value();
  if (isfinite(t) && t > 0) SetInvTol(t);
  else ((Fl_Value_Input*)w)->value(GetInvTol());
}

// truncated to an integer; fewer than one step is refused
static void ikp_max_iter_cb(Fl_Widget* w, void*) {
  double v = ((Fl_Value_Input*)w)->value();
  if (isfinite(v) && v >= 1 && v < 1e9) SetInvMax((int)v);
  ((Fl_Value_Input*)w)->value(GetInvMax());
}

// the solvers' damped fallback with restarts after a failed iteration: on or off
static void ikp_fallback_cb(Fl_Widget* w, void*) {
  SetInvFallback(((Fl_Button*)w)->value() ? 1 : 0);
}

// the user's choice from now on; the view shows it at once
static void check_collisions_cb(Fl_Widget* w, void*) {
  SetCollisionsSwitch(((Fl_Button*)w)->value());
  gl_win_redraw();
}

// redundant robots keep their parts out of the spheres of influence from the next solve on
static void avoid_obstacles_cb(Fl_Widget* w, void*) {
  SetAvoidObstacles(((Fl_Button*)w)->value());
}

//------------------------------------------------------------------ public API

void control(void) {
  control_win = new Fl_Window(100, 100, 330, 445, "Setting System");
    Fl_Group* g = Group(10, 25, 310, 100, "Background Color");
      bg_color_r = Channel(36, "R", FL_RED, bg_red, bg_color_r_cb);
      bg_color_g = Channel(63, "G", FL_GREEN, bg_green, bg_color_g_cb);
      bg_color_b = Channel(90, "B", FL_BLUE, bg_blue, bg_color_b_cb);
      bg_color_grey = FaceButton(36, "grey", FL_GRAY, FL_WHITE, bg_color_grey_cb);
      bg_color_white = FaceButton(62, "white", FL_WHITE, FL_BLACK, bg_color_white_cb);
      bg_color_default = FaceButton(88, "default", FL_BLACK, FL_WHITE, bg_color_default_cb);
    g->end();
    g = Group(10, 150, 110, 60, "View");
      mode_perspective = new Fl_Round_Button(30, 160, 100, 25, "Perspective");
      mode_perspective->type(FL_RADIO_BUTTON);
      mode_perspective->callback(mode_cb, (void*)1L);
      mode_orthogonal = new Fl_Round_Button(30, 190, 100, 25, "Orthogonal");
      mode_orthogonal->type(FL_RADIO_BUTTON);
      mode_orthogonal->callback(mode_cb, (void*)0L);
      (prespectiv_mode ? mode_perspective : mode_orthogonal)->setonly();
    g->end();
    g = Group(145, 150, 120, 100, "Axes");
      AxesButton(&axes_inertial, 160, "Reference", ShowInertialAxes, axes_inertial_cb);
      AxesButton(&axes_joint, 186, "Joint", ShowJointAxes, axes_joint_cb);
      AxesButton(&axes_ee, 212, "End Effector", ShowEEAxes, axes_ee_cb);
    g->end();
    g = Group(100, 265, 120, 100, "Inverse Kinematics");
      ikp_tolerance = new Fl_Value_Input(150, 275, 75, 25, "Error Tolerance");
      ikp_tolerance->value(GetInvTol());
      ikp_tolerance->callback(ikp_tolerance_cb);
      ikp_tolerance->when(FL_WHEN_ENTER_KEY | FL_WHEN_RELEASE);   // not on every keystroke
      ikp_max_iter = new Fl_Value_Input(150, 300, 75, 25, "Max. # of Iterations");
      ikp_max_iter->value(GetInvMax());
      ikp_max_iter->callback(ikp_max_iter_cb);
      ikp_max_iter->when(FL_WHEN_ENTER_KEY | FL_WHEN_RELEASE);
    g->end();
    ikp_fallback = new Fl_Check_Button(150, 326, 165, 22, "Damped fallback");
    ikp_fallback->tooltip("When the iteration fails within its limit: damped steps and "
                          "restarts, which may land on another branch");
    ikp_fallback->value(GetInvFallback());
    ikp_fallback->callback(ikp_fallback_cb);
    g = Group(10, 378, 310, 30, "Collisions");
      check_collisions = new Fl_Light_Button(20, 380, 140, 25, "Check collisions");
      check_collisions->value(CollisionsSwitch());
      check_collisions->callback(check_collisions_cb);
      avoid_obstacles = new Fl_Light_Button(170, 380, 140, 25, "Avoid obstacles");
      avoid_obstacles->value(AvoidObstacles());
      avoid_obstacles->callback(avoid_obstacles_cb);
    g->end();
    close_win(control_win);
  control_win->end();
}

void ShowControl(void) {
  if (ikp_fallback) ikp_fallback->value(GetInvFallback());
  if (check_collisions) check_collisions->value(CollisionsSwitch());
  ShowWindow(control_win);
}
