// traj_plot_draw.cpp -- the trajectory plot described as pen strokes, curves and texts
#include "traj/traj_plot_draw.h"

#include <math.h>   // for: isnan()
#include <stdio.h>  // for: snprintf()

#include "kin/pose_edit.h"  // for: COND_LEVEL_LOW, COND_LEVEL_HIGH

//------------------------------------------------------------------ static helpers

// the frame's border, grid lines and tick labels; x ticks are whole point indices
static void Axes(const PlotFrame* f, int ny, const PlotPainter* pa) {
  double t[16], step;
  char s[32];
  double right = f->x + f->w, bottom = f->y + f->h;
  int most = (int)(f->x1 - f->x0) + 1 < 10 ? (int)(f->x1 - f->x0) + 1 : 10;
  int nx = PlotTicks(f->x0, f->x1, most, t);
  step = nx > 1 ? t[1] - t[0] : 1;
  for (int k = 0; k < nx; k++) {
    double x = PlotPixelX(f, t[k]);
    pa->pen(pa->data, 225, 225, 225, 1, 0);
    pa->line(pa->data, x, f->y, x, bottom);
    pa->pen(pa->data, 0, 0, 0, 1, 0);
    pa->line(pa->data, x, bottom, x, bottom + 4);
    PlotTickText(s, sizeof s, t[k], step);
    pa->text(pa->data, x, bottom + 12, 0, s);
  }
  int n = PlotTicks(f->y0, f->y1, ny, t);
  step = n > 1 ? t[1] - t[0] : 1;
  for (int k = 0; k < n; k++) {
    double y = PlotPixelY(f, t[k]);
    pa->pen(pa->data, 225, 225, 225, 1, 0);
    pa->line(pa->data, f->x, y, right, y);
    pa->pen(pa->data, 0, 0, 0, 1, 0);
    pa->line(pa->data, f->x - 4, y, f->x, y);
    PlotTickText(s, sizeof s, t[k], step);
    pa->text(pa->data, f->x - 7, y, 1, s);
  }
  pa->pen(pa->data, 0, 0, 0, 1, 0);
  pa->line(pa->data, f->x, f->y, right, f->y);
  pa->line(pa->data, right, f->y, right, bottom);
  pa->line(pa->data, right, bottom, f->x, bottom);
  pa->line(pa->data, f->x, bottom, f->x, f->y);
}

// values q[i*stride] (or d[i]) of the points that have them; a gap starts a new run
static void Curve(const TrajPlot* p, const PlotFrame* f, const float* q, const double* d,
                  int stride, const PlotPainter* pa) {
  int move = 1;
  for (int i = 0; i < p->ntp; i++) {
    if (!p->have[i]) {
      move = 1;
      continue;
    }
    double v = q ? q[(size_t)i*stride] : d[i];
    double x = PlotPixelX(f, i), y = PlotPixelY(f, v);
    pa->curve_point(pa->data, x, y, move);
    if (move && (i + 1 == p->ntp || !p->have[i + 1]))
      pa->curve_point(pa->data, x, y, 0);      // a lone point: a segment of no length
    move = 0;
  }
}

// the measured clearances (a point without one is a gap), then the stretches where something
// touches as a thick red bar along the frame's foot
static void ClearCurve(const TrajPlot* p, const PlotFrame* f, const PlotPainter* pa) {
  pa->pen(pa->data, 0, 120, 120, 1.5, 0);
  pa->curve_begin(pa->data, "clearance", 2);
  int move = 1;
  for (int i = 0; i < p->ntp; i++) {
    if (isnan(p->clear[i])) {
      move = 1;
      continue;
    }
    double x = PlotPixelX(f, i), y = PlotPixelY(f, p->clear[i]);
    pa->curve_point(pa->data, x, y, move);
    if (move && (i + 1 == p->ntp || isnan(p->clear[i + 1])))
      pa->curve_point(pa->data, x, y, 0);
    move = 0;
  }
  pa->curve_end(pa->data);
  pa->pen(pa->data, 220, 0, 0, 4, 0);
  double foot = f->y + f->h - 2;
  for (int i = 0; i < p->ntp; i++) {
    if (!p->touch[i]) continue;
    int j = i;
    while (j + 1 < p->ntp && p->touch[j + 1]) j++;
    double x0 = PlotPixelX(f, i > 0 ? i - 0.5 : i);
    double x1 = PlotPixelX(f, j + 1 < p->ntp ? j + 0.5 : j);
    pa->line(pa->data, x0, foot, x1, foot);
    i = j;
  }
}

// a dashed line across the frame at level v, its value at the right
static void Level(const PlotFrame* f, double v, int r, int g, int b, const PlotPainter* pa) {
  char s[16];
  double y = PlotPixelY(f, v);
  pa->pen(pa->data, r, g, b, 1, 1);
  pa->line(pa->data, f->x, y, f->x + f->w, y);
  snprintf(s, sizeof s, "%g", v);
  pa->text(pa->data, f->x + f->w + 6, y, -1, s);
}

//------------------------------------------------------------------ public API

void DrawTrajPlot(const TrajPlot* p, int w, int h, const PlotPainter* pa) {
  PlotFrame fj, fk, fc;
  char s[64];
  TrajPlotLayout(p, w, h, &fj, &fk, &fc);
  if (p->ntp < 1) {
    pa->pen(pa->data, 0, 0, 0, 1, 0);
    pa->text(pa->data, w/2.0, h/2.0, 0, "No trajectory loaded");
    return;
  }
  Axes(&fj, 8, pa);
  Axes(&fc, 6, pa);
  snprintf(s, sizeof s, "joint value (%s)", TrajPlotUnit(p));
  pa->text(pa->data, fj.x, fj.y - 12, -1, s);
  pa->text(pa->data, fc.x, fc.y - 12, -1, "1/kappa");
  pa->text(pa->data, fc.x + fc.w/2.0, fc.y + fc.h + 30, 0, "point index");
  if (p->cartesian) pa->text(pa->data, fj.x + fj.w, fj.y - 12, 1,
                             "Cartesian: recorded solutions, gaps unsolved");
  if (TrajPlotHasClearance(p)) {
    Axes(&fk, 4, pa);
    pa->pen(pa->data, 0, 0, 0, 1, 0);
    pa->text(pa->data, fk.x, fk.y - 12, -1, "clearance (usu), red where touching");
    if (fk.y0 < 0) Level(&fk, 0, 120, 120, 120, pa);
    ClearCurve(p, &fk, pa);
  }
  Level(&fc, COND_LEVEL_LOW, 220, 0, 0, pa);
  Level(&fc, COND_LEVEL_HIGH, 0, 160, 0, pa);
  for (int j = 0; j < p->n; j++) {
    unsigned char c[3];
    TrajPlotColour(j, c);
    snprintf(s, sizeof s, "q%d", j + 1);
    pa->pen(pa->data, c[0], c[1], c[2], 2, 0);
    pa->curve_begin(pa->data, s, 0);
    Curve(p, &fj, p->q + j, nullptr, p->n, pa);
    pa->curve_end(pa->data);
    double ly = fj.y + 8 + 16*j, lx = fj.x + fj.w + 12;   // the legend entry
    pa->line(pa->data, lx, ly, lx + 20, ly);
    pa->pen(pa->data, 0, 0, 0, 1, 0);
    snprintf(s, sizeof s, "q%d (%s)", j + 1, p->prismatic[j] ? "usu" : "deg");
    pa->text(pa->data, lx + 26, ly, -1, s);
  }
  pa->pen(pa->data, 0, 0, 0, 1.5, 0);
  pa->curve_begin(pa->data, "1/kappa", 1);
  Curve(p, &fc, nullptr, p->rcond, 1, pa);
  pa->curve_end(pa->data);
  if (p->cursor >= 0) {
    double x = PlotPixelX(&fj, p->cursor);
    pa->pen(pa->data, 90, 90, 90, 1, 0);
    pa->line(pa->data, x, fj.y, x, fj.y + fj.h);
    pa->line(pa->data, x, fc.y, x, fc.y + fc.h);
    snprintf(s, sizeof s, "point %d", p->cursor);
    pa->text(pa->data, fc.x + fc.w, fc.y - 12, 1, s);
  }
}
