// plot_frame.cpp -- a rectangle of pixels that shows a range of data: mapping and axis ticks
#include "traj/plot_frame.h"

#include <math.h>   // for: floor(), ceil(), log10(), pow(), isfinite()
#include <stdio.h>  // for: snprintf()

//------------------------------------------------------------------ public API

double PlotPixelX(const PlotFrame* f, double v) {
  return f->x + (v - f->x0)/(f->x1 - f->x0)*f->w;
}

double PlotPixelY(const PlotFrame* f, double v) {
  return f->y + f->h - (v - f->y0)/(f->y1 - f->y0)*f->h;
}

double PlotDataX(const PlotFrame* f, double px) {
  return f->x0 + (px - f->x)/f->w*(f->x1 - f->x0);
}

// the smallest step of 1, 2, 5 x 10^k that leaves at most `most` multiples in the range
int PlotTicks(double lo, double hi, int most, double* t) {
  if (most < 1 || !isfinite(lo) || !isfinite(hi) || !(hi > lo)) return 0;
  double step = pow(10.0, floor(log10((hi - lo)/most)));
  static const double mult[4] = {1, 2, 5, 10};
  for (int k = 0; k < 4; k++) {
    double s = step*mult[k];
    if (floor(hi/s + 1e-9) - ceil(lo/s - 1e-9) + 1 <= most) {
      step = s;
      break;
    }
  }
  int n = 0;
  // multiples a rounding error puts just outside the range still count (1 / 0.2)
  for (double k = ceil(lo/step - 1e-9); k <= floor(hi/step + 1e-9) && n < most; k++)
    t[n++] = k*step;
  return n;
}

void PlotTickText(char* buf, int size, double v, double step) {
  int dec = step > 0 && step < 1 ? (int)ceil(-log10(step) - 1e-9) : 0;
  if (fabs(v) < step*1e-6) v = 0;   // a sum that should be zero prints as "0"
  snprintf(buf, size, "%.*f", dec, v);
}
