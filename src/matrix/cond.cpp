// cond.cpp -- condition number of a rectangular matrix from its Gram matrix
#include <cmath>     // for: sqrt()
#include <cstdio>    // for: printf()

#include "matrix.h"

//------------------------------------------------------------------ module state

// Gram matrices up to this many entries (with their work vectors) live on the stack
#define COND_STACK 256
#define COND_ISTACK 16

//------------------------------------------------------------------ public API

// k = min(m, n); M = A'A or A A' (k x k); sqrt(trace(M) trace(M^-1)) / k; -1 when rank < k.
// The rank goes to *rank; nothing is printed; A is unchanged
double JmMatrixConditionRank(double** A, int m, int n, int* rank) {
  int k = m < n ? m : n;
  *rank = 0;
  if (k <= 0) return -1.0;
  int need = k*k + 2*k;
  double dbuf[COND_STACK];
  double* rbuf[COND_ISTACK];
  int ibuf[COND_ISTACK];
  double* W = need <= COND_STACK ? dbuf : JmVector(need);
  double *Mp = W, *v = Mp + k*k, *x = v + k;
  double** M = k <= COND_ISTACK ? rbuf : JmConvertMatrix_(Mp, k, k);
  int* piv = k <= COND_ISTACK ? ibuf : JmIVector(k);
  for (int i = 0; i < k; i++) M[i] = Mp + i*k;

  // Gram matrix of the shorter side; double sums in ascending order
  for (int i = 0; i < k; i++) {
    for (int j = 0; j < k; j++) {
      double s = 0.0;
      if (n <= m) for (int l = 0; l < m; l++) s += A[l][i]*A[l][j];
      else for (int l = 0; l < n; l++) s += A[i][l]*A[j][l];
      M[i][j] = s;
    }
  }
  double s = 0.0;
  for (int i = 0; i < k; i++) s += M[i][i];

  double result = -1.0;
  int r = JmHHRedP(M, k, k, v, piv);
  *rank = r;
  if (r == k) {
    // trace of M^-1, one column at a time: Q' e_j, back substitution, unpermute
    double t = 0.0;
    for (int j = 0; j < k; j++) {
      for (int i = 0; i < k; i++) x[i] = 0.0;
      x[j] = 1.0;
      JmHHMult_U(M, k, k, v, x);
      JmSolveUx_b(M, k, x);
      JmUnpiv(x, k, piv);
      t += x[j];
    }
    result = sqrt(s*t)/k;
  }

  if (piv != ibuf) JmFreeIVector(piv);
  if (M != rbuf) JmFreeConvertMatrix(M);
  if (W != dbuf) JmFreeVector(W);
  return result;
}

// the same, then "Matrix Rank %d\n"
double JmMatrixCondition(double** A, int m, int n) {
  int r;
  double c = JmMatrixConditionRank(A, m, n, &r);
  printf("Matrix Rank %d\n", r);
  return c;
}
