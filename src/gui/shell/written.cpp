// written.cpp -- the confirmation of a file written on the user's behalf: its full path on
// the message line and in a notice box
#include "gui/shell/written.h"

#include <FL/Fl.H>          // for: Fl::w()
#include <FL/Fl_Window.H>   // for: Fl_Window
#include <FL/fl_draw.H>     // for: fl_font(), fl_measure()
#include <stdio.h>          // for: snprintf()

#include "base/user_path.h"  // for: ShownPath(), USER_PATH_MAX
#include "gui/shell/hubs.h"  // for: ShowMessage(), ShowWindow()

//------------------------------------------------------------------ public API

const char* WrittenText(char* out, const char* format, const char* path) {
  char shown[USER_PATH_MAX];
  snprintf(out, WRITTEN_TEXT_MAX, format, ShownPath(path, shown, sizeof shown));
  return out;
}

void ShowWritten(Fl_Window* box, const char* text) {
  ShowMessage("%s", text);
  if (!box || box->children() < 1) return;
  Fl_Widget* t = box->child(0);
  t->copy_label(text);
  int tw = 0, th = 0;
  fl_font(t->labelfont(), t->labelsize());
  fl_measure(text, tw, th, 0);
  // as wide as the text and its margins, never narrower than built, never past the screen
  int w = tw + 2*t->x() + 10;
  if (w < box->w()) w = box->w();
  if (w > Fl::w() - 20) w = Fl::w() - 20;
  int right = box->w() - 5;   // a button ending here stays at the lower right
  box->resizable(nullptr);    // the children keep their places: only these move
  box->size(w, box->h());
  t->size(w - 2*t->x(), t->h());
  for (int i = 1; i < box->children(); i++) {
    Fl_Widget* c = box->child(i);
    if (c->x() + c->w() == right) c->position(w - 5 - c->w(), c->y());
  }
  ShowWindow(box);
}
