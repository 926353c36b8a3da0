// cond_colour.cpp -- the colour scale of 1/kappa pictures, in step with the Conditioning light
#include "kin/cond_colour.h"

#include "kin/pose_edit.h"  // for: COND_LEVEL_LOW, COND_LEVEL_HIGH

//------------------------------------------------------------------ public API

void CondColour(double k, unsigned char rgb[3]) {
  static const double at[5] = {0.0, COND_LEVEL_LOW, 0.3, COND_LEVEL_HIGH, 1.0};
  static const double c[5][3] = {
    {90, 0, 0}, {225, 30, 20}, {245, 150, 30}, {235, 225, 60}, {20, 165, 60}};
  if (!(k > 0)) k = 0;                  // NaN too
  if (k > 1) k = 1;
  int s = 0;
  while (s < 3 && k > at[s + 1]) s++;
  double t = (k - at[s])/(at[s + 1] - at[s]);
  for (int i = 0; i < 3; i++) rgb[i] = (unsigned char)(c[s][i] + t*(c[s + 1][i] - c[s][i]) + 0.5);
}
