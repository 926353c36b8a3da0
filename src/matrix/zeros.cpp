// zeros.cpp -- set vectors, matrices and three-index arrays to zero
#include "matrix.h"

//------------------------------------------------------------------ vectors

// v = 0
void JmZeroVector(double* v, int n) {
  for (int i = 0; i < n; i++) v[i] = 0.0;
}

void JmZeroFVector(float* v, int n) {
  for (int i = 0; i < n; i++) v[i] = 0.0f;
}

void JmZeroIVector(int* v, int n) {
  for (int i = 0; i < n; i++) v[i] = 0;
}

//------------------------------------------------------------------ matrices

// A (m x n) = 0; row by row, so wrapped matrices with any row stride work too
void JmZeroMatrix(double** A, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) A[i][j] = 0.0;
}

void JmZeroFMatrix(float** A, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) A[i][j] = 0.0f;
}

void JmZeroIMatrix(int** A, int m, int n) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) A[i][j] = 0;
}

//------------------------------------------------------------------ arrays

// all l*m*n elements = 0
void JmZeroArray(double*** A, int l, int m, int n) {
  for (int i = 0; i < l; i++) JmZeroMatrix(A[i], m, n);
}

void JmZeroFArray(float*** A, int l, int m, int n) {
  for (int i = 0; i < l; i++) JmZeroFMatrix(A[i], m, n);
}

void JmZeroIArray(int*** A, int l, int m, int n) {
  for (int i = 0; i < l; i++) JmZeroIMatrix(A[i], m, n);
}
