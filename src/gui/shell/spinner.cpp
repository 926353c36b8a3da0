// spinner.cpp -- Jw_Spinner: layout, typed values, stepping with wrap-around, display
#include "gui/shell/spinner.h"

#include <FL/Fl.H>
#include <math.h>    // for: fabs(), floor()
#include <stdio.h>   // for: snprintf()
#include <stdlib.h>  // for: atof()
#include <string.h>  // for: strchr(), strlen(), strncmp(), strpbrk(), memmove()

#include "base/number.h"  // for: ParseNumber()

//------------------------------------------------------------------ static helpers

// decimals of s as printed with "%.12f" once trailing zeros are gone (0.25 -> 2, 3 -> 0)
static int StepDecimals(double s) {
  char t[400];  // "%.12f" of the largest double needs 309 + 14 characters
  snprintf(t, sizeof(t), "%.12f", s);
  const char* dot = strchr(t, '.');
  if (!dot) return 0;
  int n = (int)strlen(dot + 1);
  while (n > 0 && dot[n] == '0') n--;
  return n;
}

// a stepped value that passes a range end only by rounding (0.2 + 0.1 against 0.3) still
// counts as reaching it
static int Past(double v, double end, double step, int up) {
  double slack = 1e-9*fabs(step);
  return up ? v > end + slack : v < end - slack;
}

//------------------------------------------------------------------ Jw_SpinnerInput

int Jw_SpinnerInput::handle(int event) {
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Up || Fl::event_key() == FL_Down)) {
    return parent() ? parent()->handle(event) : 0;
  }
  return Fl_Input::handle(event);
}

//------------------------------------------------------------------ Jw_Spinner

Jw_Spinner::Jw_Spinner(int X, int Y, int W, int H, const char* L)
    : Fl_Group(X, Y, W, H, L),
      input_(X, Y, W - H/2 - 2, H),
      up_button_(X + W - H/2 - 2, Y, H/2 + 2, H/2, "@-42<"),
      down_button_(X + W - H/2 - 2, Y + H/2, H/2 + 2, H/2, "@-42>") {
  end();
  value_ = 1.0;
  minimum_ = 1.0;
  maximum_ = 100.0;
  step_ = 1.0;
  format_ = "%g";
  align(FL_ALIGN_LEFT);
  input_.value("1");
  input_.type(FL_INT_INPUT);
  input_.when(FL_WHEN_ENTER_KEY | FL_WHEN_RELEASE);
  input_.callback((Fl_Callback*)sb_cb, this);
  up_button_.callback((Fl_Callback*)sb_cb, this);
  down_button_.callback((Fl_Callback*)sb_cb, this);
}

// typed text is clamped to the range; text that is no number (NaN) restores the value
void Jw_Spinner::sb_cb(Fl_Widget* w, Jw_Spinner* sb) {
  if (w == &sb->input_) {
    double v = 0;
    if (ParseNumber(sb->input_.value(), -1, NumBlanks, &v) != 0) {
      sb->update();
      return;
    } else if (v < sb->minimum_) {
      sb->value_ = sb->minimum_;
      sb->update();
    } else if (v > sb->maximum_) {
      sb->value_ = sb->maximum_;
      sb->update();
    } else {
      sb->value_ = v;
      sb->update();   // taken: shown in the format, not as typed
    }
  } else if (w == &sb->up_button_) {
    double v = sb->value_ + sb->step_;
    if (Past(v, sb->maximum_, sb->step_, 1)) sb->value_ = sb->minimum_;
    else sb->value_ = v > sb->maximum_ ? sb->maximum_ : v;
    sb->update();
  } else if (w == &sb->down_button_) {
    double v = sb->value_ - sb->step_;
    if (Past(v, sb->minimum_, sb->step_, 0)) sb->value_ = sb->maximum_;
    else sb->value_ = v < sb->minimum_ ? sb->minimum_ : v;
    sb->update();
  }
  sb->do_callback();
}

// the value in the format, always within the buffer
void Jw_Spinner::update() {
  char s[400];
  if (strncmp(format_, "%.*", 3) == 0) {
    snprintf(s, sizeof(s), format_, StepDecimals(step_), value_);
  } else {
    snprintf(s, sizeof(s), format_, value_);
  }
  if (s[0] == '-' && !strpbrk(s, "123456789")) memmove(s, s + 1, strlen(s));   // no "-0.00"
  input_.value(s);
}

void Jw_Spinner::step(double s) {
  step_ = s;
  if (floor(s) != s) input_.type(FL_FLOAT_INPUT);
  update();
}

void Jw_Spinner::type(uchar t) {
  format_ = t == FL_FLOAT_INPUT ? "%g" : "%.0f";
  input_.type(t);
  update();
}

// Up and Down act as the buttons; focus goes to the entry
int Jw_Spinner::handle(int event) {
  switch (event) {
    case FL_KEYDOWN:
    case FL_SHORTCUT:
      if (Fl::event_key() == FL_Up) {
        up_button_.do_callback();
        return 1;
      } else if (Fl::event_key() == FL_Down) {
        down_button_.do_callback();
        return 1;
      }
      return 0;
    case FL_FOCUS:
      return input_.take_focus() ? 1 : 0;
  }
  return Fl_Group::handle(event);
}

void Jw_Spinner::resize(int X, int Y, int W, int H) {
  Fl_Widget::resize(X, Y, W, H);
  input_.resize(X, Y, W - H/2 - 2, H);
  up_button_.resize(X + W - H/2 - 2, Y, H/2 + 2, H/2);
  down_button_.resize(X + W - H/2 - 2, Y + H/2, H/2 + 2, H/2);
}
