// vecscal.cpp -- scaled copy of a vector
#include "matrix.h"

//------------------------------------------------------------------ public API

// dst = s src
void JmVecScal(double* src, double* dst, double s, int n) {
  for (int i = 0; i < n; i++) dst[i] = s*src[i];
}

void JmFVecScal(float* src, float* dst, float s, int n) {
  for (int i = 0; i < n; i++) dst[i] = s*src[i];
}
