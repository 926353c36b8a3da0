// cond.cpp -- condition number of a rectangular matrix from its Gram matrix
#include <cmath>     // for: sqrt()

#include "base/message.h"  // for: VmMessage()

#include "matrix.h"

//------------------------------------------------------------------ module state

// Gram matrices up to this many entries (with their work vectors) live on the stack
#define COND_STACK 256
#define COND_ISTACK 16

//------------------------------------------------------------------ static helpers

// trace of M^-1 from the pivoted factorisation of M (k x k, full rank): column j of the
// inverse is Q' e_j, back substitution, unpermute. The k columns go through each step
// together, so their independent sums overlap; each column sees the very operations, in
// the very order, of JmHHMult_U, JmSolveUx_b and JmUnpiv. X is k x k scratch, row-major
static double trace_of_inverse(double** M, int k, const double* v, const int* piv, double* X) {
  for (int i = 0; i < k; i++)
    for (int c = 0; c < k; c++) X[i*k + c] = i == c ? 1.0 : 0.0;
  for (int i = 0; i < k; i++) {                       // reflection i on every column
    double d = v[i]*M[i][i];
    for (int c = 0; c < k; c++) {
      double t = v[i]*X[i*k + c];
      for (int j = i + 1; j < k; j++) t += M[j][i]*X[j*k + c];
      t /= d;
      X[i*k + c] += v[i]*t;
      for (int j = i + 1; j < k; j++) X[j*k + c] += M[j][i]*t;
    }
  }
  for (int i = k - 1; i >= 0; i--) {                  // back substitution, row i
    for (int c = 0; c < k; c++) {
      double s = X[i*k + c];
      for (int j = i + 1; j < k; j++) s -= M[i][j]*X[j*k + c];
      X[i*k + c] = s/M[i][i];
    }
  }
  double t = 0.0;
  for (int c = 0; c < k; c++) {                       // unpermute, then the diagonal entry
    for (int i = k - 1; i >= 0; i--) {
      double w = X[i*k + c];
      X[i*k + c] = X[piv[i]*k + c];
      X[piv[i]*k + c] = w;
    }
    t += X[c*k + c];
  }
  return t;
}

//------------------------------------------------------------------ public API

// k = min(m, n); M = A'A or A A' (k x k); sqrt(trace(M) trace(M^-1)) / k; -1 when rank < k.
// The rank goes to *rank; nothing is printed; A is unchanged
double JmMatrixConditionRank(double** A, int m, int n, int* rank) {
  int k = m < n ? m : n;
  *rank = 0;
  if (k <= 0) return -1.0;
  int need = 2*k*k + k;
  double dbuf[COND_STACK];
  double* rbuf[COND_ISTACK];
  int ibuf[COND_ISTACK];
  double* W = need <= COND_STACK ? dbuf : JmVector(need);
  double *Mp = W, *v = Mp + k*k, *X = v + k;
  double** M = k <= COND_ISTACK ? rbuf : JmConvertMatrix_(Mp, k, k);
  int* piv = k <= COND_ISTACK ? ibuf : JmIVector(k);
  for (int i = 0; i < k; i++) M[i] = Mp + i*k;

  // Gram matrix of the shorter side; double sums in ascending order; the lower half is
  // the mirror of the upper (each product commutes, so it is the same sum)
  for (int i = 0; i < k; i++) {
    for (int j = i; j < k; j++) {
      double s = 0.0;
      if (n <= m) for (int l = 0; l < m; l++) s += A[l][i]*A[l][j];
      else for (int l = 0; l < n; l++) s += A[i][l]*A[j][l];
      M[i][j] = M[j][i] = s;
    }
  }
  double s = 0.0;
  for (int i = 0; i < k; i++) s += M[i][i];

  double result = -1.0;
  int r = JmHHRedP(M, k, k, v, piv);
  *rank = r;
  if (r == k) {
    double t = trace_of_inverse(M, k, v, piv, X);
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
  VmMessage(MsgTrace, "Matrix Rank %d\n", r);
  return c;
}
