// veccopy.cpp -- copy of a vector
#include "matrix.h"

//------------------------------------------------------------------ public API

// dst = src (source first)
void JmVecCopy(double* src, double* dst, int n) {
  for (int i = 0; i < n; i++) dst[i] = src[i];
}

void JmFVecCopy(float* src, float* dst, int n) {
  for (int i = 0; i < n; i++) dst[i] = src[i];
}
