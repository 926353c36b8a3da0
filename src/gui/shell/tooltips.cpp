// tooltips.cpp -- the tooltips of terse controls: one table naming each quantity and its unit,
// given to a window's widgets when it is shown
#include "gui/shell/tooltips.h"

#include <FL/Fl_Box.H>     // for: Fl_Box
#include <FL/Fl_Group.H>   // for: Fl_Group
#include <FL/Fl_Input_Choice.H>  // for: Fl_Input_Choice
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <stdio.h>         // for: snprintf()
#include <string.h>        // for: strcmp(), strlen(), memcpy()

#include "gui/shell/spinner.h"  // for: Jw_Spinner

//------------------------------------------------------------------ module state

#define LEN "in the robot file's length unit"
#define DEG "in degrees"

typedef struct _TooltipRow_ {
  const char* window;   // window title, or "*" for every window
  const char* label;    // the control's label without blanks and trailing ':'
  const char* tip;
} TooltipRow;

// one row per terse label; a new control with a terse label gets its row here
static const TooltipRow tips[] = {
  // Denavit-Hartenberg parameters: Link Settings, DH Parameters, Create Robot
  {"*", "a", "a: link length, the distance between joint axes along x, " LEN},
  {"*", "b", "b: link offset along the joint axis z, " LEN
             " (the joint value of a prismatic joint)"},
  {"*", "al", "al: link twist, the angle between joint axes about x, " DEG},
  {"*", "th", "th: joint angle about z, " DEG " (the joint value of a revolute joint)"},
  {"*", "Prismatic", "Checked: the joint slides along z (prismatic); unchecked: it turns (revolute)"},
  {"*", "Limits", "Keep this joint within its minimum and maximum"},
  {"*", "min", "Lowest joint value: " DEG " for a revolute joint, " LEN " for a prismatic one"},
  {"*", "max", "Highest joint value: " DEG " for a revolute joint, " LEN " for a prismatic one"},
  {"Link Settings", "Min", "Lowest joint value: " DEG " for a revolute joint, " LEN
                           " for a prismatic one"},
  {"Link Settings", "Max", "Highest joint value: " DEG " for a revolute joint, " LEN
                           " for a prismatic one"},
  {"Joint Limits", "on", "Keep every joint within the limits below"},
  {"Joint Limits", "off", "Let the joints move freely"},
  // end-effector pose and the trajectory transform
  {"*", "x", "Position along the base frame's x axis, " LEN},
  {"*", "y", "Position along the base frame's y axis, " LEN},
  {"*", "z", "Position along the base frame's z axis, " LEN},
  {"*", "Rx", "Rotation about the x axis, " DEG " (applied first)"},
  {"*", "Ry", "Rotation about the moved y axis, " DEG},
  {"*", "Rz", "Rotation about the moved z axis, " DEG " (applied last)"},
  {"Transform Trajectory", "x", "Shift of the path along the base frame's x axis, " LEN},
  {"Transform Trajectory", "y", "Shift of the path along the base frame's y axis, " LEN},
  {"Transform Trajectory", "z", "Shift of the path along the base frame's z axis, " LEN},
  {"Transform Trajectory", "Rx", "Rotation of the path about x, " DEG},
  {"Transform Trajectory", "Ry", "Rotation of the path about y, " DEG},
  {"Transform Trajectory", "Rz", "Rotation of the path about z, " DEG},
  {"Transform Trajectory", "Scale", "Scale factor of the path about its first point (1 keeps it)"},
  // work environment
  {"Work Environment", "ID", "Number of the object shown (1 to Total)"},
  {"Work Environment", "Total", "Number of objects of the scene"},
  {"Work Environment", "Position x", "Object position along the base frame's x axis, " LEN},
  {"Work Environment", "Position y", "Object position along the base frame's y axis, " LEN},
  {"Work Environment", "Position z", "Object position along the base frame's z axis, " LEN},
  {"Work Environment", "Length", "Object size along its x axis, " LEN},
  {"Work Environment", "Width", "Object size along its y axis, " LEN},
  {"Work Environment", "Height", "Object size along its z axis, " LEN},
  {"Work Environment", "Radius", "Object radius, " LEN},
  {"Work Environment", "Rotation", "Object rotation about the axis chosen beside, " DEG},
  {"Work Environment", "Set", "Use the object's frame as the user frame"},
  {"Work Environment", "Coord. ID", "Number of the object whose frame is the user frame"},
  {"Work Environment", "Axes", "Draw the user frame's axes"},
  {"Work Environment", "C", "User frame at the object's centre"},
  {"Work Environment", "E1", "User frame at the object's first edge"},
  {"Work Environment", "E2", "User frame at the object's second edge"},
  // obstacles and payload
  {"*", "X-Position", "Start position along the base frame's x axis, " LEN},
  {"*", "Y-Position", "Start position along the base frame's y axis, " LEN},
  {"*", "Z-Position", "Start position along the base frame's z axis, " LEN},
  {"Payload", "X-Position", "Payload offset along the end effector's x axis, " LEN},
  {"Payload", "Y-Position", "Payload offset along the end effector's y axis, " LEN},
  {"Payload", "Z-Position", "Payload offset along the end effector's z axis, " LEN},
  {"*", "X-Velocity", "Speed along x while a joint trajectory plays, " LEN
                      " per second (a point is 0.01 s)"},
  {"*", "Y-Velocity", "Speed along y while a joint trajectory plays, " LEN
                      " per second (a point is 0.01 s)"},
  {"*", "Z-Velocity", "Speed along z while a joint trajectory plays, " LEN
                      " per second (a point is 0.01 s)"},
  {"Obstacle", "Radius", "Obstacle radius, " LEN "; its sphere of influence (SOI) reaches "
                         "0.2 farther"},
  {"Payload", "Radius", "Radius of the payload sphere, " LEN},
  {"Obstacle", "Active", "Number of the obstacle edited (1 to 4)"},
};

//------------------------------------------------------------------ static helpers

// label without leading blanks, trailing blanks and one trailing ':'
static void Trim(const char* s, char* out, size_t size) {
  while (*s == ' ') s++;
  size_t n = strlen(s);
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == ':')) n--;
  if (n >= size) n = size - 1;
  memcpy(out, s, n);
  out[n] = 0;
}

// a spinner is one control; other groups hold controls (their tooltip covers them)
static int IsControl(Fl_Widget* w) {
  if (dynamic_cast<Jw_Spinner*>(w) || dynamic_cast<Fl_Input_Choice*>(w)) return 1;
  return !w->as_group() && !dynamic_cast<Fl_Box*>(w);
}

static int HoldsControls(Fl_Widget* w) {
  return w->as_group() && !w->as_window() && !IsControl(w) && !w->tooltip();
}

// the nearest widget left of c on its row that carries a tooltip and a label
static const char* RowTip(Fl_Group* g, const Fl_Widget* c) {
  const Fl_Widget* best = nullptr;
  for (int i = 0; i < g->children(); i++) {
    Fl_Widget* o = g->child(i);
    if (o == c || !o->tooltip() || !o->label() || !o->label()[0]) continue;
    if (o->y() != c->y() || o->x() >= c->x()) continue;
    if (!best || o->x() > best->x()) best = o;
  }
  return best ? best->tooltip() : nullptr;
}

static void Walk(Fl_Group* g, const char* title, Fl_Group* top) {
  for (int i = 0; i < g->children(); i++) {
    Fl_Widget* o = g->child(i);
    if (!o->tooltip() && o->label() && o->label()[0]) {
      char t[64];
      Trim(o->label(), t, sizeof t);
      const char* tip = TooltipFor(title, t);
      if (tip) o->tooltip(tip);
    }
    if (HoldsControls(o)) Walk(o->as_group(), title, top);
  }
}

// unlabelled controls after the labelled ones have theirs; row heads may sit in other groups
static void WalkRows(Fl_Group* g, Fl_Group* top) {
  for (int i = 0; i < g->children(); i++) {
    Fl_Widget* o = g->child(i);
    if (HoldsControls(o)) {
      WalkRows(o->as_group(), top);
      continue;
    }
    if (o->tooltip() || (o->label() && o->label()[0]) || !IsControl(o)) continue;
    const char* tip = RowTip(g, o);
    if (!tip && g != top) tip = RowTip(top, o);
    if (tip) o->tooltip(tip);
  }
}

//------------------------------------------------------------------ public API

const char* TooltipFor(const char* window, const char* label) {
  if (!label) return nullptr;
  const char* any = nullptr;
  for (size_t i = 0; i < sizeof tips/sizeof tips[0]; i++) {
    if (strcmp(tips[i].label, label) != 0) continue;
    if (window && strcmp(tips[i].window, window) == 0) return tips[i].tip;
    if (!any && strcmp(tips[i].window, "*") == 0) any = tips[i].tip;
  }
  return any;
}

void ApplyTooltips(Fl_Window* w) {
  if (!w) return;
  char title[64];
  Trim(w->label() ? w->label() : "", title, sizeof title);
  Walk(w, title, w);
  WalkRows(w, w);
}

void JointValueTooltip(char* out, size_t size, const char* what, int joint, int prismatic) {
  snprintf(out, size, "%s of joint %d, %s", what, joint, prismatic ? LEN : DEG);
}
