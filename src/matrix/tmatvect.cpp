// tmatvect.cpp -- transposed matrix times column vector
#include "matrix.h"

//------------------------------------------------------------------ public API

// y (n) = A' x; A is m x n, x has m; y must not share storage with x
void JmTMatVec(double** A, double* x, double* y, int m, int n) {
  for (int j = 0; j < n; j++) {
    double s = 0.0;                          // double sum, ascending inner index
    for (int k = 0; k < m; k++) s += A[k][j]*x[k];
    y[j] = s;
  }
}

void JmTFMatVec(float** A, float* x, float* y, int m, int n) {
  for (int j = 0; j < n; j++) {
    float s = 0.0f;
    for (int k = 0; k < m; k++) s += A[k][j]*x[k];
    y[j] = s;
  }
}
