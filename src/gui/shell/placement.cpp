// placement.cpp -- where a dialog first opens: to the right of the main window, cascading
// past the dialogs already open, kept on the screen; later it opens where it was left
#include <FL/Fl.H>         // for: Fl::screen_work_area(), Fl::first_window()
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "gui/shell/hubs.h"
#include "gui/shell/main_win.h"

//------------------------------------------------------------------ module state
// the dialogs placed so far (a window built anew is placed anew)
enum { PlacedMax = 128, Cascade = 30, Gap = 12 };
static const Fl_Window* placed[PlacedMax];
static int nplaced = 0;

//------------------------------------------------------------------ static helpers

static bool Placed(const Fl_Window* w) {
  for (int i = 0; i < nplaced; i++)
    if (placed[i] == w) return true;
  return false;
}

// the top-level windows shown now, the main window aside
static int OpenDialogs() {
  int n = 0;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
    if (w != (Fl_Window*)window && !w->parent()) n++;
  return n;
}

//------------------------------------------------------------------ public API

void PlaceDialog(Fl_Window* w) {
  if (!w || !window || w == (Fl_Window*)window || w->parent() || w->shown() || Placed(w))
    return;
  int k = OpenDialogs();
  int X, Y, W, H;
  Fl::screen_work_area(X, Y, W, H, window->x(), window->y());
  int x = window->x() + window->w() + Gap + Cascade*k, y = window->y() + Cascade*k;
  if (x + w->w() > X + W) x = X + W - w->w();   // on the screen, at worst over the window
  if (y + w->h() > Y + H) y = Y + H - w->h();
  if (x < X) x = X;
  if (y < Y) y = Y;
  w->position(x, y);
  if (nplaced < PlacedMax) placed[nplaced++] = w;
}
