// cond_map_win.cpp -- the Conditioning Map window: 1/kappa over two chosen joints as a colour
// image with a colour bar, the current pose marked, clicks that move the two joints there;
// the map is computed a few rows per timeout so the window stays responsive
#include <FL/Fl.H>                // for: Fl::add_timeout(), Fl::event_x()
#include <FL/Fl_Box.H>            // for: Fl_Box
#include <FL/Fl_Choice.H>         // for: Fl_Choice
#include <FL/Fl_Double_Window.H>  // for: Fl_Double_Window
#include <FL/Fl_Progress.H>       // for: Fl_Progress
#include <FL/Fl_Value_Output.H>   // for: Fl_Value_Output
#include <FL/fl_draw.H>           // for: fl_draw_image(), fl_line()
#include <math.h>                 // for: lround()
#include <stdio.h>                // for: snprintf()
#include <stdlib.h>               // for: free()
#include <string.h>               // for: memcmp()
#include <time.h>                 // for: clock_gettime()

#include "robot/app_state.h"          // for: R, JC, CC
#include "kin/cond_colour.h"        // for: CondColour()
#include "kin/cond_map.h"           // for: NewCondMap(), CondMapRows(), CondMapValueAt()
#include "graphics/misc.h"      // for: JwMalloc()
#include "gui/export/analysis_wins.h"
#include "gui/shell/hubs.h"
#include "gui/shell/spinner.h"        // for: Jw_Spinner
#include "traj/plot_frame.h"         // for: PlotFrame, PlotTicks()
#include "kin/pose_edit.h"          // for: JointEditRule(), ApplyJointEdit(), JointLimitText()

//------------------------------------------------------------------ window state
Fl_Window* cond_map_win = nullptr;
Fl_Choice *cond_map_ja = nullptr, *cond_map_jb = nullptr;
Fl_Choice* cond_map_size = nullptr;
Fl_Widget* cond_map_view = nullptr;
Fl_Progress* cond_map_progress = nullptr;
Fl_Value_Output* cond_map_here = nullptr;
static Fl_Box* hover = nullptr;

enum { Side = 320 };                  // image pixels per side
static const int sizes[4] = {50, 100, 200, 400};
static const double SliceSeconds = 0.03;   // work per timeout, well under the 0.1 s a user feels

static CondMap* map = nullptr;
static double* cells = nullptr;       // rows x cols of the map
static unsigned char* seen = nullptr; // rows: 1 once the row was computed for any pose
static int next_row = 0, remaining = 0;   // the sweep: rows still to compute for this pose
static float* signature = nullptr;    // what the map depends on besides the held joints
static int nsignature = 0;
static int prev_ja = 1, prev_jb = 2;
static unsigned char pixels[Side*Side*3];
static char hover_text[128] = "";

//------------------------------------------------------------------ static helpers

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec*1e-9;
}

// the image area in the view's coordinates, data x: joint ja, y: joint jb
static PlotFrame ImageFrame(void) {
  PlotFrame f = {55, 22, Side, Side, 0, 1, 0, 1};
  if (map) {
    f.x0 = map->lo[0];  f.x1 = map->hi[0];  f.y0 = map->lo[1];  f.y1 = map->hi[1];
  }
  return f;
}

// robot, task kind and every link's geometry and limits
static int SignatureChanged(void) {
  int n = 3 + 7*R->n, k = 0;
  float* s = (float*)JwMalloc(sizeof(float)*n);
  s[k++] = (float)R->n;  s[k++] = (float)R->type;  s[k++] = (float)CC->type;
  for (int j = 0; j < R->n; j++) {
    const Link* l = &R->L[j];
    s[k++] = (float)l->joint;  s[k++] = l->a;  s[k++] = l->b;  s[k++] = l->al;  s[k++] = l->th;
    s[k++] = l->q_limit[0];  s[k++] = l->q_limit[1];
  }
  int changed = n != nsignature || memcmp(s, signature, sizeof(float)*n) != 0;
  free(signature);
  signature = s;  nsignature = n;
  return changed;
}

// every pixel from its cell; rows never computed grey
static void BuildImage(void) {
  if (!map) return;
  for (int py = 0; py < Side; py++) {
    int j = (Side - 1 - py)*map->cols/Side;
    for (int px = 0; px < Side; px++) {
      int i = px*map->rows/Side;
      unsigned char* p = pixels + 3*(py*Side + px);
      if (seen[i]) CondColour(cells[(size_t)i*map->cols + j], p);
      else p[0] = p[1] = p[2] = 200;
    }
  }
}

// a revolute joint's value moved by whole turns into [lo, hi] when it fits there
static float IntoRange(int j, float q, float lo, float hi) {
  if (R->L[j].joint != 0) return q;
  while (q > hi && q - 360 >= lo) q -= 360;
  while (q < lo && q + 360 <= hi) q += 360;
  return q;
}

static void Slice(void*) {
  if (!map || !cond_map_win->shown()) return;
  double t0 = Now();
  while (remaining > 0 && Now() - t0 < SliceSeconds) {
    CondMapRows(map, next_row, next_row + 1);
    seen[next_row] = 1;
    next_row = (next_row + 1) % map->rows;
    remaining--;
  }
  BuildImage();
  double done = 1.0 - (double)remaining/map->rows;
  cond_map_progress->value((float)done);
  char s[32];
  if (remaining > 0) snprintf(s, sizeof s, "computing %d %%", (int)(done*100));
  else snprintf(s, sizeof s, "map complete");
  cond_map_progress->copy_label(s);
  cond_map_view->redraw();
  if (remaining > 0) Fl::repeat_timeout(0.0, Slice);
}

static void Schedule(void) {
  if (remaining > 0 && !Fl::has_timeout(Slice)) Fl::add_timeout(0.0, Slice);
}

static void DropMap(void) {
  Fl::remove_timeout(Slice);
  FreeCondMap(map);
  map = nullptr;
  free(cells);  free(seen);
  cells = nullptr;  seen = nullptr;
  remaining = 0;
}

// a new map for the chosen joints and size at the current pose
static void Rebuild(void) {
  DropMap();
  if (!R || !JC || !CC || R->n < 2) return;
  int side = sizes[cond_map_size->value() < 0 ? 2 : cond_map_size->value()];
  cells = (double*)JwMalloc(sizeof(double)*side*side);
  seen = (unsigned char*)JwMalloc((size_t)side);
  memset(seen, 0, (size_t)side);
  map = NewCondMap(R, JC, CC, cond_map_ja->value(), cond_map_jb->value(), side, side, cells);
  if (!map) {
    DropMap();
    return;
  }
  next_row = 0;  remaining = side;
  BuildImage();
  Schedule();
}

static int HeldJointsChanged(void) {
  for (int j = 0; j < R->n; j++)
    if (j != map->ja && j != map->jb && map->q.q[j] != JC->q[j]) return 1;
  return 0;
}

// a joint moved by a click: the joint rule and FwdKin of the core, the limit message or
// every pose display refreshed
static void EditJoint(int j, float v) {
  int rc = ApplyJointEdit(R, JC, CC, j, &v);
  if (rc == JointEditAboveMax || rc == JointEditBelowMin) {
    ShowMessage("%s", JointLimitText(j, rc == JointEditAboveMax));
    ErrStatus = 1;
    return;
  }
  if (rc != JointEditOk) return;
  ClearMessage();
  ErrStatus = 0;
  UpdateAll();
  gl_win_redraw();
}

static void Hover(int px, int py) {
  PlotFrame f = ImageFrame();
  if (!map || px < f.x || px >= f.x + f.w || py < f.y || py >= f.y + f.h) {
    hover_text[0] = '\0';
  } else {
    int i = (px - f.x)*map->rows/Side, j = (Side - 1 - (py - f.y))*map->cols/Side;
    int n = snprintf(hover_text, sizeof hover_text, "q%d = %.1f, q%d = %.1f", map->ja + 1,
                     CondMapCentre(map, 0, i), map->jb + 1, CondMapCentre(map, 1, j));
    if (seen[i])
      snprintf(hover_text + n, sizeof hover_text - n, ":  1/kappa %.4f",
               cells[(size_t)i*map->cols + j]);
  }
  hover->label(hover_text);
  hover->redraw();
}

//------------------------------------------------------------------ the view widget

static void Label(double x, double y, int align, const char* s) {
  double w = fl_width(s);
  double left = align < 0 ? x : align == 0 ? x - w/2 : x - w;
  fl_draw(s, (int)lround(left), (int)lround(y) + fl_height()/2 - fl_descent());
}

class CondMapView : public Fl_Widget {
 public:
  CondMapView(int X, int Y, int W, int H) : Fl_Widget(X, Y, W, H) {}

  void draw() {
    fl_push_clip(x(), y(), w(), h());
    fl_color(FL_WHITE);
    fl_rectf(x(), y(), w(), h());
    fl_font(FL_HELVETICA, 11);
    fl_color(FL_BLACK);
    if (!map) {
      Label(x() + w()/2.0, y() + h()/2.0, 0, R && R->n >= 2 ? "" : "No robot with two joints");
      fl_pop_clip();
      return;
    }
    PlotFrame f = ImageFrame();
    f.x += x();  f.y += y();
    fl_draw_image(pixels, f.x, f.y, Side, Side, 3);
    Axes(&f);
    Marker(&f);
    ColourBar(f.y);
    fl_pop_clip();
  }

  void Axes(const PlotFrame* f) {
    double t[12];
    char s[32], u[3][8] = {"deg", "usu"};
    fl_color(FL_BLACK);
    fl_line_style(0);
    fl_rect(f->x - 1, f->y - 1, f->w + 2, f->h + 2);
    int n = PlotTicks(f->x0, f->x1, 7, t);
    for (int k = 0; k < n; k++) {
      double px = PlotPixelX(f, t[k]);
      fl_line((int)px, f->y + f->h, (int)px, f->y + f->h + 4);
      PlotTickText(s, sizeof s, t[k], n > 1 ? t[1] - t[0] : 1);
      Label(px, f->y + f->h + 12, 0, s);
    }
    n = PlotTicks(f->y0, f->y1, 7, t);
    for (int k = 0; k < n; k++) {
      double py = PlotPixelY(f, t[k]);
      fl_line(f->x - 5, (int)py, f->x - 1, (int)py);
      PlotTickText(s, sizeof s, t[k], n > 1 ? t[1] - t[0] : 1);
      Label(f->x - 8, py, 1, s);
    }
    snprintf(s, sizeof s, "q%d (%s)", map->ja + 1, u[R->L[map->ja].joint == 1]);
    Label(f->x + f->w/2.0, f->y + f->h + 32, 0, s);
    snprintf(s, sizeof s, "q%d (%s)", map->jb + 1, u[R->L[map->jb].joint == 1]);
    Label(x() + 5, f->y - 12, -1, s);
  }

  // a ring with a cross at the current pose, drawn in black over white so any colour shows it
  void Marker(const PlotFrame* f) {
    if (!JC) return;
    float qa = IntoRange(map->ja, JC->q[map->ja], map->lo[0], map->hi[0]);
    float qb = IntoRange(map->jb, JC->q[map->jb], map->lo[1], map->hi[1]);
    int px = (int)lround(PlotPixelX(f, qa)), py = (int)lround(PlotPixelY(f, qb));
    if (px < f->x || px > f->x + f->w || py < f->y || py > f->y + f->h) return;
    for (int pass = 0; pass < 2; pass++) {
      fl_color(pass ? FL_BLACK : FL_WHITE);
      fl_line_style(FL_SOLID, pass ? 1 : 3);
      fl_arc(px - 6, py - 6, 13, 13, 0, 360);
      fl_line(px - 10, py, px - 7, py);  fl_line(px + 7, py, px + 10, py);
      fl_line(px, py - 10, px, py - 7);  fl_line(px, py + 7, px, py + 10);
    }
    fl_line_style(0);
  }

  // 1 at the top, 0 at the bottom, the light's two levels marked
  void ColourBar(int top) {
    int bx = x() + 400, bw = 18;
    for (int k = 0; k < Side; k++) {
      unsigned char c[3];
      CondColour(1.0 - (k + 0.5)/Side, c);
      fl_color(c[0], c[1], c[2]);
      fl_xyline(bx, top + k, bx + bw - 1);
    }
    fl_color(FL_BLACK);
    fl_rect(bx - 1, top - 1, bw + 2, Side + 2);
    static const double marks[4] = {0, COND_LEVEL_LOW, COND_LEVEL_HIGH, 1};
    for (int k = 0; k < 4; k++) {
      int py = top + (int)lround((1 - marks[k])*(Side - 1));
      char text[16];
      snprintf(text, sizeof text, "%g", marks[k]);
      fl_line(bx + bw, py, bx + bw + 4, py);
      Label(bx + bw + 7, py, -1, text);
    }
    Label(bx - 6, top - 12, -1, "1/kappa");
  }

  int handle(int event) {
    int px = Fl::event_x() - x(), py = Fl::event_y() - y();
    switch (event) {
      case FL_ENTER:
        return 1;
      case FL_MOVE:
        Hover(px, py);
        return 1;
      case FL_LEAVE:
        Hover(-1, -1);
        return 1;
      case FL_PUSH: {
        PlotFrame f = ImageFrame();
        if (!map || px < f.x || px >= f.x + f.w || py < f.y || py >= f.y + f.h) return 1;
        int i = (px - f.x)*map->rows/Side, j = (Side - 1 - (py - f.y))*map->cols/Side;
        CondMapMoveJoints(map->ja, CondMapCentre(map, 0, i), map->jb, CondMapCentre(map, 1, j));
        return 1;
      }
    }
    return Fl_Widget::handle(event);
  }
};

//------------------------------------------------------------------ public API

void cond_map(void) {
  cond_map_win = new Fl_Double_Window(100, 100, 480, 545, "Conditioning Map");
    cond_map_ja = new Fl_Choice(65, 10, 60, 25, "x joint:");
    cond_map_ja->callback(cond_map_choice_cb);
    cond_map_jb = new Fl_Choice(190, 10, 60, 25, "y joint:");
    cond_map_jb->callback(cond_map_choice_cb);
    cond_map_size = new Fl_Choice(300, 10, 110, 25, "cells:");
    cond_map_size->add("50 x 50|100 x 100|200 x 200|400 x 400");
    cond_map_size->value(2);
    cond_map_size->callback(cond_map_choice_cb);
    cond_map_view = new CondMapView(5, 45, 470, 400);
    cond_map_progress = new Fl_Progress(10, 455, 200, 22);
    cond_map_progress->minimum(0);  cond_map_progress->maximum(1);
    cond_map_progress->selection_color(FL_DARK_GREEN);
    cond_map_progress->labelsize(12);
    cond_map_here = new Fl_Value_Output(375, 455, 95, 22, "1/kappa here:");
    hover = new Fl_Box(10, 482, 460, 20, "");
    hover->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    hover->labelsize(12);
    close_win(cond_map_win);
  cond_map_win->end();
  CondMapNewRobot();
}

void ShowCondMap(void) {
  if (!cond_map_win) return;
  ShowWindow(cond_map_win);
  UpdateCondMap();
}

void UpdateCondMap(void) {
  if (!cond_map_win || !cond_map_win->shown()) return;
  if (!R || !JC || !CC) {
    DropMap();
    cond_map_view->redraw();
    return;
  }
  if (SignatureChanged() || !map || map->robot != R) {
    Rebuild();
  } else if (HeldJointsChanged()) {   // the same map for the new pose, swept from here on
    CondMapSetJoints(map, JC);
    remaining = map->rows;
  }
  if (map) {
    cond_map_here->value(CondMapValueAt(map, JC->q[map->ja], JC->q[map->jb]));
    Schedule();
  }
  cond_map_view->redraw();
}

void CondMapNewRobot(void) {
  if (!cond_map_win) return;
  DropMap();
  cond_map_ja->clear();
  cond_map_jb->clear();
  int n = R ? R->n : 0;
  for (int j = 0; j < n; j++) {
    char s[16];
    snprintf(s, sizeof s, "q%d", j + 1);
    cond_map_ja->add(s);
    cond_map_jb->add(s);
  }
  prev_ja = n >= 3 ? 1 : 0;
  prev_jb = n >= 3 ? 2 : 1;
  if (n >= 2) {
    cond_map_ja->value(prev_ja);
    cond_map_jb->value(prev_jb);
  }
  cond_map_here->value(0);
  UpdateCondMap();
}

int CondMapComplete(void) { return map && remaining == 0; }

// both values checked first, so a refusal leaves both joints where they were
void CondMapMoveJoints(int ja, float qa, int jb, float qb) {
  if (!R || !JC || ja < 0 || jb < 0 || ja >= R->n || jb >= R->n) return;
  float va = qa, vb = qb;
  if (JointEditRule(R, ja, &va) != JointEditOk) {
    EditJoint(ja, qa);
    return;
  }
  if (JointEditRule(R, jb, &vb) != JointEditOk) {
    EditJoint(jb, qb);
    return;
  }
  EditJoint(ja, qa);
  EditJoint(jb, qb);
}

// the same joint on both axes swaps them
void cond_map_choice_cb(Fl_Widget* w, void*) {
  if (cond_map_ja->value() == cond_map_jb->value()) {
    if (w == cond_map_ja) cond_map_jb->value(prev_ja);
    else cond_map_ja->value(prev_jb);
  }
  prev_ja = cond_map_ja->value();
  prev_jb = cond_map_jb->value();
  Rebuild();
  UpdateCondMap();
}
