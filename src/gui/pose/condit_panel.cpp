// condit_panel.cpp -- the Conditioning window: 1/kappa of the task Jacobian with its level
// light, the characteristic length, the maximum reach and the clearance
#include <FL/Fl_Box.H>              // for: Fl_Box
#include <FL/Fl_Double_Window.H>    // for: Fl_Double_Window
#include <FL/Fl_Output.H>           // for: Fl_Output
#include <FL/Fl_Value_Output.H>     // for: Fl_Value_Output

#include "robot/app_state.h"   // for: R, JC, CC, m_homogenous_length, m_maximum_reach
#include "gui/shell/hubs.h"
#include "gui/pose/pose_panels.h"
#include "kin/ikp.h"         // for: GetJacobianCond()
#include "kin/pose_edit.h"   // for: ConditionLevel()
#include "gui/view/collisions.h"  // for: CurrentClearance()

#include <stdio.h>   // for: snprintf()

//------------------------------------------------------------------ panel state
Fl_Window* condit_win = nullptr;
Fl_Box* condit_level = nullptr;
Fl_Value_Output* condit_value = nullptr;
Fl_Value_Output* length_value = nullptr;
Fl_Value_Output* reach_value = nullptr;
Fl_Output* clearance_value = nullptr;
Fl_Box* clearance_pair = nullptr;
static long evaluations = 0;

//------------------------------------------------------------------ static helpers

static Fl_Box* Label(int x, int y, int w, int h, const char* text) {
  Fl_Box* b = new Fl_Box(x, y, w, h, text);
  b->labeltype(FL_ENGRAVED_LABEL);
  b->labelsize(14);   // 17 would cut "Characteristic Length" at the window's edges
  return b;
}

// the smallest distance to anything else and its pair; "-" while nothing is checked
static void ShowClearance(void) {
  char pair[112], text[32];
  double c = CurrentClearance(pair, sizeof(pair));
  if (c >= CollideFar) snprintf(text, sizeof(text), "-");
  else snprintf(text, sizeof(text), "%.4f", c);
  clearance_value->value(text);
  clearance_pair->copy_label(pair);
}

// the length only for spatial tasks, the reach for spatial and position tasks; an output
// comes back when a later robot satisfies its rule
static void Activation(void) {
  if (!R) return;
  if (R->type != 0) {
    length_value->deactivate();
  } else {
    length_value->activate();
    length_value->value(m_homogenous_length);
  }
  if (R->type != 0 && R->type != 4) {
    reach_value->deactivate();
  } else {
    reach_value->activate();
    reach_value->value(m_maximum_reach);
  }
}

//------------------------------------------------------------------ public API

void condit(void) {
  condit_win = new Fl_Double_Window(100, 100, 175, 265, "Conditioning");
    Label(30, 5, 120, 25, "           1/kappa");
    condit_level = new Fl_Box(10, 30, 45, 25);
    condit_level->box(FL_PLASTIC_THIN_DOWN_BOX);
    condit_value = new Fl_Value_Output(70, 30, 95, 25);
    condit_value->box(FL_PLASTIC_DOWN_BOX);
    Label(30, 65, 120, 25, "Characteristic Length");
    length_value = new Fl_Value_Output(35, 95, 95, 25);
    new Fl_Box(135, 95, 15, 25, "usu");
    Label(30, 120, 120, 25, "Maximum Reach");
    reach_value = new Fl_Value_Output(35, 150, 95, 25);
    new Fl_Box(135, 150, 15, 25, "usu");
    Label(30, 180, 120, 25, "Clearance");
    clearance_value = new Fl_Output(35, 205, 95, 25);
    clearance_pair = new Fl_Box(5, 232, 165, 25, "");
    clearance_pair->labelsize(11);
    clearance_pair->align(FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  condit_win->end();
  Activation();
}

// palette: 1 red, 92 orange (full red, about 57 % green), 2 green
void Update_condit(void) {
  if (!condit_win || !condit_win->visible() || !R || !JC || !CC) return;
  evaluations++;
  double k = GetJacobianCond(JC, CC);
  condit_value->value(k);
  static const Fl_Color colours[3] = {FL_RED, (Fl_Color)92, FL_GREEN};
  condit_level->color(colours[ConditionLevel(k)]);
  condit_level->redraw();
  condit_value->redraw();
  Activation();
  ShowClearance();
}

long ConditEvaluations(void) { return evaluations; }

void ShowCondit(void) {
  ShowWindow(condit_win);
  Update_condit();
}
