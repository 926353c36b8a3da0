// cross.cpp -- cross product of 3-vectors
#include "matrix.h"

//------------------------------------------------------------------ public API

// c = a x b; components formed first, so c may be a or b
void JmCross(double* a, double* b, double* c) {
  double c0 = a[1]*b[2] - a[2]*b[1];
  double c1 = a[2]*b[0] - a[0]*b[2];
  double c2 = a[0]*b[1] - a[1]*b[0];
  c[0] = c0;  c[1] = c1;  c[2] = c2;
}

void JmFCross(float* a, float* b, float* c) {
  float c0 = a[1]*b[2] - a[2]*b[1];
  float c1 = a[2]*b[0] - a[0]*b[2];
  float c2 = a[0]*b[1] - a[1]*b[0];
  c[0] = c0;  c[1] = c1;  c[2] = c2;
}
