// vectmat_ow.cpp -- row vector times matrix, result may overwrite the operand
#include "matrix.h"

//------------------------------------------------------------------ static helpers

// results up to this many elements are formed on the stack, longer ones on the heap
#define OW_STACK 64

//------------------------------------------------------------------ public API

// y (n) = x (m) A (m x n) through a temporary of n, so y may be x
void JmVecMatOW(double* x, double** A, double* y, int m, int n) {
  double buf[OW_STACK];
  double* t = n <= OW_STACK ? buf : JmVector(n);
  for (int j = 0; j < n; j++) {
    double s = 0.0;                          // double sum, ascending inner index
    for (int k = 0; k < m; k++) s += x[k]*A[k][j];
    t[j] = s;
  }
  for (int j = 0; j < n; j++) y[j] = t[j];
  if (t != buf) JmFreeVector(t);
}

void JmFVecMatOW(float* x, float** A, float* y, int m, int n) {
  float buf[OW_STACK];
  float* t = n <= OW_STACK ? buf : JmFVector(n);
  for (int j = 0; j < n; j++) {
    float s = 0.0f;
    for (int k = 0; k < m; k++) s += x[k]*A[k][j];
    t[j] = s;
  }
  for (int j = 0; j < n; j++) y[j] = t[j];
  if (t != buf) JmFreeFVector(t);
}
