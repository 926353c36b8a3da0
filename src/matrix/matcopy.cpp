// matcopy.cpp -- copy of a matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// B = A (m x n)
void JmMatCopy(double** A, double** B, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[i][j] = A[i][j];
}

void JmFMatCopy(float** A, float** B, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[i][j] = A[i][j];
}
