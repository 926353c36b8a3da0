// identity.cpp -- identity matrices, also rectangular
#include "matrix.h"

//------------------------------------------------------------------ public API

// A = 0, then A[i][i] = 1 for i < min(m, n)
void JmIdentityMat(double** A, int m, int n) {
  JmZeroMatrix(A, m, n);
  for (int i = 0; i < m && i < n; i++) A[i][i] = 1.0;
}

void JmIdentityFMmat(float** A, int m, int n) {
  JmZeroFMatrix(A, m, n);
  for (int i = 0; i < m && i < n; i++) A[i][i] = 1.0f;
}

void JmIdentityIMat(int** A, int m, int n) {
  JmZeroIMatrix(A, m, n);
  for (int i = 0; i < m && i < n; i++) A[i][i] = 1;
}
