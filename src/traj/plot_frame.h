// plot_frame.h -- a rectangle of pixels that shows a range of data: mapping and axis ticks,
// shared by the plot windows and the files they write
#ifndef VELMORA_PLOT_FRAME_H
#define VELMORA_PLOT_FRAME_H

// pixels (x, y, w, h) with y growing downwards; data x0..x1 left to right, y0..y1 bottom to top
typedef struct _PlotFrame_ {
  int x, y, w, h;
  double x0, x1, y0, y1;
} PlotFrame;

// px = x + (v - x0) / (x1 - x0) * w
double PlotPixelX(const PlotFrame* f, double v);
// py = y + h - (v - y0) / (y1 - y0) * h
double PlotPixelY(const PlotFrame* f, double v);
// the data x of pixel column px, the inverse of PlotPixelX
double PlotDataX(const PlotFrame* f, double px);

// tick values inside [lo, hi] at a step of 1, 2 or 5 times a power of ten, chosen so that
// at most `most` ticks fall inside; written into t (room for `most`), their count returned.
// lo > hi, an empty or non-finite range gives 0
int PlotTicks(double lo, double hi, int most, double* t);
// the text of a tick: the value with as many decimals as the step needs, never "-0.0"
void PlotTickText(char* buf, int size, double v, double step);

#endif
