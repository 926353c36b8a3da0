// matmul.cpp -- product of two matrices
#include "matrix.h"

//------------------------------------------------------------------ public API

// C (l x n) = A (l x m) B (m x n); C must not share storage with A or B
void JmMatMul(double** A, double** B, double** C, int l, int m, int n) {
  for (int i = 0; i < l; i++) {
    for (int j = 0; j < n; j++) {
      double s = 0.0;                        // double sum, ascending inner index
      for (int k = 0; k < m; k++) s += A[i][k]*B[k][j];
      C[i][j] = s;
    }
  }
}

void JmFMatMul(float** A, float** B, float** C, int l, int m, int n) {
  for (int i = 0; i < l; i++) {
    for (int j = 0; j < n; j++) {
      float s = 0.0f;
      for (int k = 0; k < m; k++) s += A[i][k]*B[k][j];
      C[i][j] = s;
    }
  }
}
