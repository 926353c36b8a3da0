// vectmat.cpp -- row vector times matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// y (n) = row vector x (m) times A (m x n); y must not share storage with x
void JmVecMat(double* x, double** A, double* y, int m, int n) {
  for (int j = 0; j < n; j++) {
    double s = 0.0;                          // double sum, ascending inner index
    for (int k = 0; k < m; k++) s += x[k]*A[k][j];
    y[j] = s;
  }
}

void JmFVecMat(float* x, float** A, float* y, int m, int n) {
  for (int j = 0; j < n; j++) {
    float s = 0.0f;
    for (int k = 0; k < m; k++) s += x[k]*A[k][j];
    y[j] = s;
  }
}
