// matscal.cpp -- scaled copy of a matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// B = s A (m x n)
void JmMatScal(double** A, double** B, double s, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[i][j] = s*A[i][j];
}

void JmFMatScal(float** A, float** B, float s, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) B[i][j] = s*A[i][j];
}
