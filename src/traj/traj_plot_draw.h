// traj_plot_draw.h -- the trajectory plot described as pen strokes, curves and texts, so the
// window and the SVG file draw the same picture
#ifndef VELMORA_TRAJ_PLOT_DRAW_H
#define VELMORA_TRAJ_PLOT_DRAW_H

#include <stdio.h>  // for: FILE

#include "traj/traj_plot.h"

// what a drawing surface offers; coordinates are pixels of the picture, y downwards
typedef struct _PlotPainter_ {
  void* data;
  // colour 0..255, width in pixels, dashed 1 for a dashed pen
  void (*pen)(void* data, int r, int g, int b, double width, int dashed);
  void (*line)(void* data, double x0, double y0, double x1, double y1);
  // text centred on y; align -1 starts at x, 0 centres on x, 1 ends at x
  void (*text)(void* data, double x, double y, int align, const char* s);
  // a curve named name ("q1".., "1/kappa" when cond is 1, "clearance" when cond is 2); a
  // point with move 1 starts
  // a new run (after a gap), others join the last one; a point between two gaps comes
  // twice, as a segment of no length
  void (*curve_begin)(void* data, const char* name, int cond);
  void (*curve_point)(void* data, double x, double y, int move);
  void (*curve_end)(void* data);
} PlotPainter;

// the whole plot of p for a w x h picture on a white ground: frames with ticks, tick
// labels and units, one coloured curve per joint with its legend, the clearance under them
// (when measured) with the touching stretches in red, 1/kappa below with the 0.1 and 0.5
// levels, and the cursor at p->cursor
void DrawTrajPlot(const TrajPlot* p, int w, int h, const PlotPainter* pa);

// the picture as an SVG document on f: one <path class="joint" id="qj"> per joint (empty
// when the joint has no values), one <path class="rcond">, one <path class="clearance"> when
// measured; 0, or -1 when the stream failed
int PutTrajPlotSvg(FILE* f, const TrajPlot* p, int w, int h);
// the document written through a temporary file renamed over path: 0, or -1 after one
// message with an old file left in place
int SaveTrajPlotSvg(const char* path, const TrajPlot* p, int w, int h);

#endif
