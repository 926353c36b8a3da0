// matscal_ow.cpp -- scale a matrix in place
#include "matrix.h"

//------------------------------------------------------------------ public API

// A = s A (m x n)
void JmMatScalOW(double** A, double s, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) A[i][j] *= s;
}

void JmFMatScalOW(float** A, float s, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) A[i][j] *= s;
}
