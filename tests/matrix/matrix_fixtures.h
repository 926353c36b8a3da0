// matrix_fixtures.h -- small helpers shared by the matrix library tests
#ifndef VELMORA_MATRIX_FIXTURES_H
#define VELMORA_MATRIX_FIXTURES_H

#include <cmath>             // for: cos(), sin()
#include <initializer_list>  // for: row-major literals

#include "matrix/matrix.h"

// m x n matrix filled row by row from a literal
static inline double** FilledMatrix(int m, int n, std::initializer_list<double> vals) {
  double** A = JmMatrix(m, n);
  int k = 0;
  for (double x : vals) {
    A[k/n][k%n] = x;
    k++;
  }
  return A;
}

// rotation by angle t in the (p, q) plane of a k x k matrix, the rest identity
static inline double** PlaneRotation(int k, int p, int q, double t) {
  double** R = JmMatrix(k, k);
  JmIdentityMat(R, k, k);
  R[p][p] = cos(t);  R[p][q] = -sin(t);
  R[q][p] = sin(t);  R[q][q] = cos(t);
  return R;
}

// dense solve of the k x k system M x = r by Gaussian elimination with partial pivoting;
// M and r are destroyed, x returned in r (written here, independent of the library)
static inline void GaussSolve(double** M, double* r, int k) {
  for (int c = 0; c < k; c++) {
    int p = c;
    for (int i = c + 1; i < k; i++)
      if (std::fabs(M[i][c]) > std::fabs(M[p][c])) p = i;
    for (int j = 0; j < k; j++) { double t = M[c][j]; M[c][j] = M[p][j]; M[p][j] = t; }
    double t = r[c]; r[c] = r[p]; r[p] = t;
    for (int i = c + 1; i < k; i++) {
      double f = M[i][c]/M[c][c];
      for (int j = c; j < k; j++) M[i][j] -= f*M[c][j];
      r[i] -= f*r[c];
    }
  }
  for (int i = k - 1; i >= 0; i--) {
    double s = r[i];
    for (int j = i + 1; j < k; j++) s -= M[i][j]*r[j];
    r[i] = s/M[i][i];
  }
}

#endif
