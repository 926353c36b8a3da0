// matmul_ow.cpp -- product of two matrices that may overwrite an operand
#include "matrix.h"

//------------------------------------------------------------------ static helpers

// products up to this many elements are formed on the stack, larger ones on the heap
#define OW_STACK 64

//------------------------------------------------------------------ public API

// C (l x n) = A (l x m) B (m x n) formed in a temporary, so C may be A or B
void JmMatmulOW(double** A, double** B, double** C, int l, int m, int n) {
  double buf[OW_STACK];
  int ln = l*n;
  double* t = ln <= OW_STACK ? buf : JmVector(ln);
  for (int i = 0; i < l; i++) {
    for (int j = 0; j < n; j++) {
      double s = 0.0;                        // double sum, ascending inner index
      for (int k = 0; k < m; k++) s += A[i][k]*B[k][j];
      t[i*n + j] = s;
    }
  }
  for (int i = 0; i < l; i++)
    for (int j = 0; j < n; j++) C[i][j] = t[i*n + j];
  if (t != buf) JmFreeVector(t);
}

void JmFMatMulOW(float** A, float** B, float** C, int l, int m, int n) {
  float buf[OW_STACK];
  int ln = l*n;
  float* t = ln <= OW_STACK ? buf : JmFVector(ln);
  for (int i = 0; i < l; i++) {
    for (int j = 0; j < n; j++) {
      float s = 0.0f;
      for (int k = 0; k < m; k++) s += A[i][k]*B[k][j];
      t[i*n + j] = s;
    }
  }
  for (int i = 0; i < l; i++)
    for (int j = 0; j < n; j++) C[i][j] = t[i*n + j];
  if (t != buf) JmFreeFVector(t);
}
