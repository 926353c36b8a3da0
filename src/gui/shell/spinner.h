// spinner.h -- Jw_Spinner: a numeric input with up and down repeat buttons, range and step
//
// Typed values are clamped to the range; the buttons and the Up and Down keys step with
// wrap-around. The spinner's callback runs after every change made by the user.
#ifndef VELMORA_GUI_SPINNER_H
#define VELMORA_GUI_SPINNER_H

#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Repeat_Button.H>

// the spinner's text entry: a single-line input would take Up and Down for cursor moves,
// this one leaves them to the spinner
class Jw_SpinnerInput : public Fl_Input {
 public:
  Jw_SpinnerInput(int X, int Y, int W, int H) : Fl_Input(X, Y, W, H) {}
  int handle(int event);
};

class Jw_Spinner : public Fl_Group {
  double value_;              // current value
  double minimum_;            // lower end of the range
  double maximum_;            // upper end of the range
  double step_;               // amount of one up or down
  const char* format_;        // printf format of the displayed value (kept, not copied)
  Jw_SpinnerInput input_;     // the text entry
  Fl_Repeat_Button up_button_, down_button_;

  static void sb_cb(Fl_Widget* w, Jw_Spinner* sb);
  void update();

 public:
  // input (x, y, w - h/2 - 2, h), the two buttons stacked at its right; value 1 in 1 .. 100,
  // step 1, format "%g", label at the left, integer entry
  Jw_Spinner(int X, int Y, int W, int H, const char* L = 0);

  int handle(int event);
  void resize(int X, int Y, int W, int H);

  const char* format() const { return format_; }
  // a format beginning "%.*" gets the number of decimals of the step as its precision
  void format(const char* f) { format_ = f; update(); }
  double maximum() const { return maximum_; }
  void maximum(double m) { maximum_ = m; }
  double minimum() const { return minimum_; }
  void minimum(double m) { minimum_ = m; }
  void range(double a, double b) { minimum_ = a; maximum_ = b; }
  double step() const { return step_; }
  // a step with a fraction switches the entry to floating point
  void step(double s);
  // the entry type (FL_INT_INPUT or FL_FLOAT_INPUT); sets the format to "%g" for floating
  // point, "%.0f" otherwise
  uchar type() const { return input_.type(); }
  void type(uchar t);
  double value() const { return value_; }
  void value(double v) { value_ = v; update(); }
};

#endif
