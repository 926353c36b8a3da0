// test_spinner.cpp -- covers src/gui/shell/spinner.cpp through real events on a shown spinner
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <string.h>

#include "gl/gl_display.h"
#include "gui/shell/spinner.h"

//------------------------------------------------------------------ helpers

// a shown window holding one spinner at (60, 10), 100 x 24, that counts its callbacks
struct SpinnerWindow {
  Fl_Double_Window* win;
  Jw_Spinner* sp;
  int calls = 0;

  SpinnerWindow() {
    OpenTestDisplay();
    win = new Fl_Double_Window(200, 50, "spinner");
    sp = new Jw_Spinner(60, 10, 100, 24, "N:");
    sp->callback([](Fl_Widget*, void* d) { ((SpinnerWindow*)d)->calls++; }, this);
    win->end();
    win->show();
    Fl::check();
  }
  ~SpinnerWindow() { delete win; }

  Fl_Input* input() { return (Fl_Input*)sp->child(0); }
  const char* text() { return input()->value(); }

  // a mouse press and release at (x, y) in the window
  void Click(int x, int y) {
    Fl::e_x = x;  Fl::e_y = y;
    Fl::e_x_root = win->x() + x;  Fl::e_y_root = win->y() + y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = FL_BUTTON1;
    Fl::handle(FL_PUSH, win);
    Fl::e_state = 0;
    Fl::handle(FL_RELEASE, win);
  }
  // the up button covers x 146 .. 159, y 10 .. 21; the down button y 22 .. 33
  void Up() { Click(152, 14); }
  void Down() { Click(152, 28); }

  void Key(int keysym, const char* text) {
    Fl::e_keysym = keysym;
    Fl::e_text = (char*)text;
    Fl::e_length = (int)strlen(text);
    Fl::handle(FL_KEYBOARD, win);
  }
  // clears the entry, types s key by key and presses Enter
  void Type(const char* s) {
    input()->take_focus();
    input()->value("");
    for (const char* c = s; *c; c++) {
      char one[2] = {*c, 0};
      Key((unsigned char)*c, one);
    }
    Key(FL_Enter, "");
  }
};

//------------------------------------------------------------------ stepping

// default range 1 .. 100, step 1: up at 100 shows 1, down at 1 shows 100; Up and Down keys
// step the same way
TEST(Spinner, StepsWrapAroundTheRange) {
  SpinnerWindow w;
  EXPECT_STREQ(w.text(), "1");
  w.sp->value(100);
  w.Up();
  EXPECT_EQ(w.sp->value(), 1);
  EXPECT_STREQ(w.text(), "1");
  w.Down();
  EXPECT_EQ(w.sp->value(), 100);
  EXPECT_STREQ(w.text(), "100");
  EXPECT_EQ(w.calls, 2);
  w.input()->take_focus();
  w.Key(FL_Up, "");
  EXPECT_STREQ(w.text(), "1");
  w.Key(FL_Down, "");
  EXPECT_STREQ(w.text(), "100");
  EXPECT_EQ(w.calls, 4);
}

// 0.2 + 0.1 lies above 0.3 by rounding only: it shows the end of the range, not a wrap
TEST(Spinner, RoundingDoesNotSkipTheRangeEnd) {
  SpinnerWindow w;
  w.sp->range(0, 0.3);
  w.sp->step(0.1);
  w.sp->value(0.2);
  w.Up();
  EXPECT_DOUBLE_EQ(w.sp->value(), 0.3);
  w.Up();
  EXPECT_EQ(w.sp->value(), 0);
}

//------------------------------------------------------------------ typing and display

// typed values above the maximum store and show the maximum, below the minimum the minimum
TEST(Spinner, TypedValuesAreClamped) {
  SpinnerWindow w;
  w.Type("250");
  EXPECT_EQ(w.sp->value(), 100);
  EXPECT_STREQ(w.text(), "100");
  w.Type("-5");
  EXPECT_EQ(w.sp->value(), 1);
  EXPECT_STREQ(w.text(), "1");
  w.Type("42");
  EXPECT_EQ(w.sp->value(), 42);
  EXPECT_EQ(w.calls, 3);
}

// a step of 0.25 switches to floating-point entry; "%.*f" shows two decimals; "%.0f" and
// "%g" come with the entry types; a huge value stays within the display buffer
TEST(Spinner, FractionalStepAndPrecisionFormat) {
  SpinnerWindow w;
  w.sp->range(0, 10);
  w.sp->step(0.25);
  EXPECT_EQ(w.sp->type(), FL_FLOAT_INPUT);
  w.sp->format("%.*f");
  w.sp->value(2.5);
  EXPECT_STREQ(w.text(), "2.50");
  w.Up();
  EXPECT_STREQ(w.text(), "2.75");
  w.Type("3.1");
  EXPECT_DOUBLE_EQ(w.sp->value(), 3.1);
  w.sp->type(FL_INT_INPUT);
  EXPECT_STREQ(w.sp->format(), "%.0f");
  EXPECT_STREQ(w.text(), "3");
  w.sp->step(1e300);
  w.sp->format("%.*f");
  w.sp->value(-1.7e308);
  EXPECT_EQ(strlen(w.text()), 310u);  // sign, 309 digits, no decimals
}

// a typed value once taken shows in the spinner's format, not as typed; a value that rounds
// to zero shows no minus sign
TEST(Spinner, TakenValuesShowInTheFormat) {
  SpinnerWindow w;
  w.sp->range(-360, 360);
  w.sp->step(0.5);
  w.sp->format("%3.2lf");
  w.Type("2");
  EXPECT_EQ(w.sp->value(), 2);
  EXPECT_STREQ(w.text(), "2.00");
  w.Type("90");
  EXPECT_STREQ(w.text(), "90.00");
  w.sp->value(-0.001);
  EXPECT_STREQ(w.text(), "0.00");
  w.sp->value(-0.25);
  EXPECT_STREQ(w.text(), "-0.25");
}
