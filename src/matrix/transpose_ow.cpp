// transpose_ow.cpp -- square matrix transposed in place
#include "matrix.h"

//------------------------------------------------------------------ public API

// swap A[i][j] and A[j][i] for j > i
void JmTransposeOW(double** A, int n) {
  for (int i = 0; i < n; i++) {
    for (int j = i + 1; j < n; j++) {
      double t = A[i][j];
      A[i][j] = A[j][i];  A[j][i] = t;
    }
  }
}

void JmFTransposeOW(float** A, int n) {
  for (int i = 0; i < n; i++) {
    for (int j = i + 1; j < n; j++) {
      float t = A[i][j];
      A[i][j] = A[j][i];  A[j][i] = t;
    }
  }
}
