// magn.cpp -- Euclidean length of a vector
#include <cmath>     // for: sqrt()

#include "matrix.h"

//------------------------------------------------------------------ public API

// sqrt of the sum of squares, from the last element down
double JmMagn(double* v, int n) {
  double s = 0.0;
  for (int k = n - 1; k >= 0; k--) s += v[k]*v[k];
  return sqrt(s);
}

float JmFMagn(float* v, int n) {
  float s = 0.0f;
  for (int k = n - 1; k >= 0; k--) s += v[k]*v[k];
  return sqrtf(s);
}
