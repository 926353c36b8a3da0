// tmatmul.cpp -- transposed products of row-pointer matrices
#include "matrix.h"

//------------------------------------------------------------------ public API

// C = A'*B; A is l x m, B is l x n, C is m x n; C must not share storage with A or B
void JmTMatMul(double** A, double** B, double** C, int l, int m, int n) {
  for (int j = 0; j < m; j++) {
    for (int i = 0; i < n; i++) {
      double s = 0.0;                        // double sum, ascending inner index
      for (int k = 0; k < l; k++) s += A[k][j]*B[k][i];
      C[j][i] = s;
    }
  }
}

void JmFTMatMul(float** A, float** B, float** C, int l, int m, int n) {
  for (int j = 0; j < m; j++) {
    for (int i = 0; i < n; i++) {
      float s = 0.0f;
      for (int k = 0; k < l; k++) s += A[k][j]*B[k][i];
      C[j][i] = s;
    }
  }
}
