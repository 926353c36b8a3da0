// vecsub.cpp -- difference of two vectors
#include "matrix.h"

//------------------------------------------------------------------ public API

// c = a - b; c may be a or b
void JmVecSub(double* a, double* b, double* c, int n) {
  for (int i = 0; i < n; i++) c[i] = a[i] - b[i];
}

void JmFVecSub(float* a, float* b, float* c, int n) {
  for (int i = 0; i < n; i++) c[i] = a[i] - b[i];
}
