// traj_panel_layout.cpp -- what the Cartesian and Joint Trajectory panels share: their widgets'
// layout and the filling of their lists
#include "gui/traj/traj_panel_layout.h"

#include <FL/Fl_Group.H>  // for: Fl_Group
#include <dirent.h>       // for: opendir(), readdir()
#include <math.h>         // for: lround()
#include <stdlib.h>       // for: qsort(), free()
#include <string.h>       // for: strcmp(), strdup()
#include <sys/stat.h>     // for: stat()

#include "robot/app_state.h"   // for: R
#include "traj/ctraj.h"        // for: CTlist
#include "gui/shell/hubs.h"    // for: gl_win_redraw()
#include "base/fileio.h"       // for: MakePath(), TOK_PATH_MAX

//------------------------------------------------------------------ static helpers

static int by_name(const void* a, const void* b) {
  return strcmp(*(char* const*)a, *(char* const*)b);
}

static int is_directory(const char* dir, const char* name) {
  char path[TOK_PATH_MAX + 1];
  struct stat st;
  if (MakePath(path, dir, name) != 0 || stat(path, &st) != 0) return 0;
  return S_ISDIR(st.st_mode);
}

// names[0..*n) gets a copy of name unless it is there already; the array grows by doubling
static void add_name(char*** names, int* n, int* cap, const char* name) {
  for (int i = 0; i < *n; i++)
    if (!strcmp((*names)[i], name)) return;
  if (*n == *cap) {
    int c = *cap ? 2*(*cap) : 32;
    char** grown = (char**)realloc(*names, (size_t)c*sizeof(char*));
    if (!grown) return;
    *names = grown;  *cap = c;
  }
  char* copy = strdup(name);
  if (copy) (*names)[(*n)++] = copy;
}

//------------------------------------------------------------------ public API

void BuildTrajPanel(const TrajPanelCallbacks* cb, TrajPanelWidgets* w) {
  w->select = new Fl_Hold_Browser(10, 10, 170, 180);
  w->select->format_char(0);             // a file name is shown as it is
  w->select->callback(cb->select);
  w->points = new Fl_Light_Button(190, 20, 80, 25, "Points");
  w->points->value(1);  w->points->callback(cb->points);
  w->frames = new Fl_Light_Button(190, 49, 80, 25, "Frames");
  w->frames->callback(cb->frames);
  Fl_Group* g = new Fl_Group(190, 90, 85, 55);
    w->cont = new Fl_Check_Button(195, 90, 60, 25, "Cont");
    w->cont->type(FL_RADIO_BUTTON);  w->cont->value(1);  w->cont->callback(cb->cont);
    w->step = new Fl_Check_Button(195, 120, 55, 25, "Step");
    w->step->type(FL_RADIO_BUTTON);  w->step->callback(cb->step);
  g->end();
  w->progress = new Fl_Slider(10, 205, 265, 25);
  w->progress->type(FL_HOR_NICE_SLIDER);
  w->progress->step(1);
  TrajSliderBounds(w->progress, 0);
  w->progress->callback(cb->progress);
  w->rev = new Fl_Button(190, 165, 40, 25, "@<");
  w->rev->callback(cb->rev);
  w->fwd = new Fl_Button(235, 165, 40, 25, "@>");
  w->fwd->callback(cb->fwd);
  w->reset = new Fl_Button(10, 245, 55, 25, "Reset");
  w->reset->callback(cb->reset);
  w->clear = new Fl_Button(75, 245, 55, 25, "Clear");
  w->clear->callback(cb->clear);
}

void FillTrajList(Fl_Browser* b, const char* dir, int (*match)(const char*), int builtins) {
  b->clear();
  char** names = nullptr;
  int n = 0, cap = 0;
  DIR* d = opendir(dir);
  if (d) {
    for (struct dirent* e = readdir(d); e; e = readdir(d))
      if (match(e->d_name) && !is_directory(dir, e->d_name)) add_name(&names, &n, &cap, e->d_name);
    closedir(d);
  }
  for (int i = 0; builtins && CTlist[i].ntp != 0; i++)
    if (match(CTlist[i].name)) add_name(&names, &n, &cap, CTlist[i].name);
  if (n > 1) qsort(names, (size_t)n, sizeof(char*), by_name);
  for (int i = 0; i < n; i++) {
    b->add(names[i]);
    free(names[i]);
  }
  free(names);
}

void TrajButtonsOff(const TrajPanelWidgets* w) {
  w->fwd->value(0);
  w->rev->value(0);
}

void TrajSliderBounds(Fl_Slider* s, int last) {
  s->bounds(0, last > 1 ? last : 1);
  s->value(0);
}

int TrajSliderPoint(Fl_Slider* s, int last) {
  long k = lround(s->value());
  if (k > last) k = last;
  return k < 0 ? 0 : (int)k;
}

//------------------------------------------------------------------ public API: shared buttons

void TrajPanelShowPoints(const TrajPanelState* s, Fl_Widget* button) {
  *s->show_points = ((Fl_Light_Button*)button)->value();
  gl_win_redraw();
}

void TrajPanelShowFrames(const TrajPanelState* s, Fl_Widget* button) {
  *s->show_frames = ((Fl_Light_Button*)button)->value();
  gl_win_redraw();
}

void TrajPanelStep(const TrajPanelState* s, const TrajPanelWidgets* w) {
  *s->mode = 2;
  *s->state = 0;
  TrajButtonsOff(w);
}

void TrajPanelProgress(const TrajPanelState* s, const TrajPanelWidgets* w) {
  if (!R || !*s->active || *s->ctp == -1) {
    w->progress->value(0);
    return;
  }
  if (*s->state != 0) {
    *s->state = 0;
    TrajButtonsOff(w);
  }
  *s->ctp = TrajSliderPoint(w->progress, *s->last);
  s->show_point(*s->ctp);
  gl_win_redraw();
}
