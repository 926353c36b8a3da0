// dot.cpp -- inner product of two vectors
#include "matrix.h"

//------------------------------------------------------------------ public API

// sum of a[k] b[k], k from n-1 down to 0
double JmDot(double* a, double* b, int n) {
  double s = 0.0;
  for (int k = n - 1; k >= 0; k--) s += a[k]*b[k];
  return s;
}

float JmFDot(float* a, float* b, int n) {
  float s = 0.0f;
  for (int k = n - 1; k >= 0; k--) s += a[k]*b[k];
  return s;
}
