// matsub.cpp -- difference of two matrices
#include "matrix.h"

//------------------------------------------------------------------ public API

// C = A - B (m x n); C may be A or B
void JmMatSub(double** A, double** B, double** C, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) C[i][j] = A[i][j] - B[i][j];
}

void JmFMatSub(float** A, float** B, float** C, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) C[i][j] = A[i][j] - B[i][j];
}
