// normalize.cpp -- scale a vector to unit length
#include <cmath>     // for: sqrt()

#include "matrix.h"

//------------------------------------------------------------------ public API

// m = sqrt of the sum of squares (from the first element); v /= m; returns m;
// a zero vector is left as it is (no division by zero) and 0 is returned
double JmNormalize(double* v, int n) {
  double s = 0.0;
  for (int j = 0; j < n; j++) s += v[j]*v[j];
  double m = sqrt(s);
  if (m == 0.0) return 0.0;
  for (int j = 0; j < n; j++) v[j] /= m;
  return m;
}

float JmFNormalize(float* v, int n) {
  float s = 0.0f;
  for (int j = 0; j < n; j++) s += v[j]*v[j];
  float m = sqrtf(s);
  if (m == 0.0f) return 0.0f;
  for (int j = 0; j < n; j++) v[j] /= m;
  return m;
}
