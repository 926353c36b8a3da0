// transpose.cpp -- transposed copy of a matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// B (n x m) = A' (A is m x n); B must not share storage with A
void JmTranspose(double** A, double** B, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[j][i] = A[i][j];
}

void JmFTranspose(float** A, float** B, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[j][i] = A[i][j];
}
