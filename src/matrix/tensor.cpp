// tensor.cpp -- outer product of two vectors
#include "matrix.h"

//------------------------------------------------------------------ public API

// M[i][j] = a[i] b[j]; M is m x n
void JmTensor(double* a, double* b, double** M, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) M[i][j] = a[i]*b[j];
}

void JmFTensor(float* a, float* b, float** M, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) M[i][j] = a[i]*b[j];
}
