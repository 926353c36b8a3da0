// vecscal_ow.cpp -- scale a vector in place
#include "matrix.h"

//------------------------------------------------------------------ public API

// v = s v
void JmVecScalOW(double* v, double s, int n) {
  for (int i = 0; i < n; i++) v[i] *= s;
}

void JmFVecScalOW(float* v, float s, int n) {
  for (int i = 0; i < n; i++) v[i] *= s;
}
