// matvect.cpp -- matrix times column vector
#include "matrix.h"

//------------------------------------------------------------------ public API

// y (m) = A (m x n) x (n); y must not share storage with x
void JmMatVec(double** A, double* x, double* y, int m, int n) {
  for (int i = 0; i < m; i++) {
    double s = 0.0;                          // double sum, ascending inner index
    for (int k = 0; k < n; k++) s += A[i][k]*x[k];
    y[i] = s;
  }
}

void JmFMmatVec(float** A, float* x, float* y, int m, int n) {
  for (int i = 0; i < m; i++) {
    float s = 0.0f;
    for (int k = 0; k < n; k++) s += A[i][k]*x[k];
    y[i] = s;
  }
}
