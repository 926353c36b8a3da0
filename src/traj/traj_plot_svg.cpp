// traj_plot_svg.cpp -- the trajectory plot written by hand as a plain SVG document
#include <stdio.h>  // for: fprintf(), ferror()

#include "base/fileio.h"  // for: WriteFileSafely()
#include "traj/traj_plot_draw.h"

//------------------------------------------------------------------ the painter's state

// the pen the painter calls leave for the next element
typedef struct _SvgPen_ {
  FILE* f;
  int r, g, b, dashed;
  double width;
} SvgPen;

//------------------------------------------------------------------ static helpers

static void Stroke(SvgPen* s) {
  fprintf(s->f, " fill=\"none\" stroke=\"rgb(%d,%d,%d)\" stroke-width=\"%g\"%s", s->r, s->g,
          s->b, s->width, s->dashed ? " stroke-dasharray=\"5 3\"" : "");
}

static void Pen(void* d, int r, int g, int b, double width, int dashed) {
  SvgPen* s = (SvgPen*)d;
  s->r = r;  s->g = g;  s->b = b;  s->width = width;  s->dashed = dashed;
}

static void Line(void* d, double x0, double y0, double x1, double y1) {
  SvgPen* s = (SvgPen*)d;
  fprintf(s->f, "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"", x0, y0, x1, y1);
  Stroke(s);
  fputs("/>\n", s->f);
}

// the three characters XML reserves in text, escaped
static void Text(void* d, double x, double y, int align, const char* t) {
  SvgPen* s = (SvgPen*)d;
  static const char* anchor[3] = {"start", "middle", "end"};
  fprintf(s->f, "<text x=\"%.2f\" y=\"%.2f\" dy=\"0.35em\" text-anchor=\"%s\" "
          "fill=\"rgb(%d,%d,%d)\">", x, y, anchor[align + 1], s->r, s->g, s->b);
  for (; *t; t++) {
    if (*t == '<') fputs("&lt;", s->f);
    else if (*t == '>') fputs("&gt;", s->f);
    else if (*t == '&') fputs("&amp;", s->f);
    else fputc(*t, s->f);
  }
  fputs("</text>\n", s->f);
}

// the path element stays open while its points come
static void CurveBegin(void* d, const char* name, int cond) {
  SvgPen* s = (SvgPen*)d;
  if (cond == 2) fputs("<path class=\"clearance\"", s->f);
  else if (cond) fputs("<path class=\"rcond\"", s->f);
  else fprintf(s->f, "<path class=\"joint\" id=\"%s\"", name);
  Stroke(s);
  fputs(" stroke-linejoin=\"round\" stroke-linecap=\"round\" d=\"", s->f);
}

static void CurvePoint(void* d, double x, double y, int move) {
  fprintf(((SvgPen*)d)->f, "%c%.2f %.2f ", move ? 'M' : 'L', x, y);
}

static void CurveEnd(void* d) { fputs("\"/>\n", ((SvgPen*)d)->f); }

typedef struct _SvgJob_ {
  const TrajPlot* p;
  int w, h;
} SvgJob;

static int Body(FILE* f, const void* data) {
  const SvgJob* j = (const SvgJob*)data;
  return PutTrajPlotSvg(f, j->p, j->w, j->h);
}

//------------------------------------------------------------------ public API

int PutTrajPlotSvg(FILE* f, const TrajPlot* p, int w, int h) {
  SvgPen s = {f, 0, 0, 0, 0, 1.0};
  PlotPainter pa = {&s, Pen, Line, Text, CurveBegin, CurvePoint, CurveEnd};
  fprintf(f, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
             "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"11\">\n"
             "<rect width=\"%d\" height=\"%d\" fill=\"white\"/>\n", w, h, w, h, w, h);
  DrawTrajPlot(p, w, h, &pa);
  fputs("</svg>\n", f);
  return ferror(f) ? -1 : 0;
}

int SaveTrajPlotSvg(const char* path, const TrajPlot* p, int w, int h) {
  SvgJob j = {p, w, h};
  return WriteFileSafely(path, Body, &j);
}
