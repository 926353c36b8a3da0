// enter_key.cpp -- Enter in a name field presses the button that saves under the name
#include "gui/shell/enter_key.h"

#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Input.H>   // for: Fl_Input

//------------------------------------------------------------------ static helpers

static void PressCb(Fl_Widget*, void* button) {
  Fl_Button* b = (Fl_Button*)button;
  if (b->active_r()) b->do_callback();
}

//------------------------------------------------------------------ public API

void EnterPresses(Fl_Input* field, Fl_Button* button) {
  field->when(FL_WHEN_ENTER_KEY_ALWAYS);
  field->callback(PressCb, button);
}
