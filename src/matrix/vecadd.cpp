// vecadd.cpp -- sum of two vectors
#include "matrix.h"

//------------------------------------------------------------------ public API

// c = a + b; c may be a or b
void JmVecAdd(double* a, double* b, double* c, int n) {
  for (int i = 0; i < n; i++) c[i] = a[i] + b[i];
}

void JmFVecAdd(float* a, float* b, float* c, int n) {
  for (int i = 0; i < n; i++) c[i] = a[i] + b[i];
}
