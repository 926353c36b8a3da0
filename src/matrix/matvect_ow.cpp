// matvect_ow.cpp -- matrix times column vector, result may overwrite the operand
#include "matrix.h"

//------------------------------------------------------------------ static helpers

// results up to this many elements are formed on the stack, longer ones on the heap
#define OW_STACK 64

//------------------------------------------------------------------ public API

// y (m) = A (m x n) x (n) through a temporary of m, so y may be x
void JmMatVecOW(double** A, double* x, double* y, int m, int n) {
  double buf[OW_STACK];
  double* t = m <= OW_STACK ? buf : JmVector(m);
  for (int i = 0; i < m; i++) {
    double s = 0.0;                          // double sum, ascending inner index
    for (int k = 0; k < n; k++) s += A[i][k]*x[k];
    t[i] = s;
  }
  for (int i = 0; i < m; i++) y[i] = t[i];
  if (t != buf) JmFreeVector(t);
}

void JmFMatVecOW(float** A, float* x, float* y, int m, int n) {
  float buf[OW_STACK];
  float* t = m <= OW_STACK ? buf : JmFVector(m);
  for (int i = 0; i < m; i++) {
    float s = 0.0f;
    for (int k = 0; k < n; k++) s += A[i][k]*x[k];
    t[i] = s;
  }
  for (int i = 0; i < m; i++) y[i] = t[i];
  if (t != buf) JmFreeFVector(t);
}
