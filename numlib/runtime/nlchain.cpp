// nlchain.cpp -- serial-chain evaluation and the squared condition number
#include "nlchain.h"

#include <math.h>    // for: cos(), sin(), sqrt(), isnan()

//------------------------------------------------------------------ static helpers

// row-major 3x3 rotation of one joint
static void joint_rotation(double ct, double st, double l, double m, double* Q) {
  Q[0] = ct;   Q[1] = -l*st;  Q[2] = m*st;
  Q[3] = st;   Q[4] = l*ct;   Q[5] = -m*ct;
  Q[6] = 0.0;  Q[7] = m;      Q[8] = l;
}

// y = A x, A row-major 3x3
static void mul3(const double* A, const double* x, double* y) {
  y[0] = A[0]*x[0] + A[1]*x[1] + A[2]*x[2];
  y[1] = A[3]*x[0] + A[4]*x[1] + A[5]*x[2];
  y[2] = A[6]*x[0] + A[7]*x[1] + A[8]*x[2];
}

//------------------------------------------------------------------ public API

// chain of n joints (see nlchain.h for the formulas)
void NlChainEval(int n, const double* a, const double* b, const double* al,
                 const double* th, double* rv, double* exr, double* e, double* work) {
  if (n <= 0) return;
  double* Q = work;                          // 9n: Q_i row-major
  double* P = work + 9*n;                    // 9n: P_i row-major
  double rloc[3];
  for (int i = 0; i < n; i++) {
    double ct = cos(th[i]), st = sin(th[i]);
    joint_rotation(ct, st, cos(al[i]), sin(al[i]), Q + 9*i);
  }
  for (int k = 0; k < 9; k++) P[k] = Q[k];
  for (int i = 1; i < n; i++) {
    const double* A = P + 9*(i - 1);
    const double* B = Q + 9*i;
    double* C = P + 9*i;
    for (int r0 = 0; r0 < 3; r0++) {
      for (int c = 0; c < 3; c++) {
        C[3*r0 + c] = A[3*r0]*B[c] + A[3*r0 + 1]*B[3 + c] + A[3*r0 + 2]*B[6 + c];
      }
    }
  }
  // backwards: r_v(:,i) = a_v(:,i) + Q_i r_v(:,i+1); kept in r (or one vector at a time)
  double next[3] = {0.0, 0.0, 0.0};
  for (int i = n - 1; i >= 0; i--) {
    double ct = cos(th[i]), st = sin(th[i]);
    double cur[3] = {a[i]*ct, a[i]*st, b[i]};
    if (i < n - 1) {
      mul3(Q + 9*i, next, rloc);
      cur[0] += rloc[0];  cur[1] += rloc[1];  cur[2] += rloc[2];
    }
    next[0] = cur[0];  next[1] = cur[1];  next[2] = cur[2];
    if (rv) {
      rv[3*i] = cur[0];  rv[3*i + 1] = cur[1];  rv[3*i + 2] = cur[2];
    }
    // exr and e need only P_(i-1), which this loop does not overwrite
    if (exr) {
      double x[3] = {-cur[1], cur[0], 0.0};
      if (i == 0) {
        exr[0] = x[0];  exr[1] = x[1];  exr[2] = 0.0;
      } else {
        mul3(P + 9*(i - 1), x, exr + 3*i);
      }
    }
    if (e) {
      if (i == 0) {
        e[0] = 0.0;  e[1] = 0.0;  e[2] = 1.0;
      } else {
        const double* Pp = P + 9*(i - 1);
        e[3*i] = Pp[2];  e[3*i + 1] = Pp[5];  e[3*i + 2] = Pp[8];
      }
    }
  }
}

// r_v(:,1) of the chain alone: the end point relative to joint 1, in frame 1
void NlChainEndPoint(int n, const double* a, const double* b, const double* al,
                     const double* th, double r1[3]) {
  double r[3] = {0.0, 0.0, 0.0}, Q[9], y[3];
  for (int i = n - 1; i >= 0; i--) {
    double ct = cos(th[i]), st = sin(th[i]);
    joint_rotation(ct, st, cos(al[i]), sin(al[i]), Q);
    mul3(Q, r, y);                           // r = 0 for the last joint
    r[0] = a[i]*ct + y[0];  r[1] = a[i]*st + y[1];  r[2] = b[i] + y[2];
  }
  r1[0] = r[0];  r1[1] = r[1];  r1[2] = r[2];
}

// (1/d^2) trace(G) trace(inv(G)), G = H H'; trace(inv(G)) = sum of squares of inv(L) for
// G = L L' (Cholesky); a non-positive pivot means G is singular: +Inf
double NlKapaSquare(const double* H, int d, int n) {
  double G[36], L[36], Li[36];
  double tr = 0.0;
  for (int i = 0; i < d; i++) {
    for (int j = 0; j <= i; j++) {
      double s = 0.0;
      for (int k = 0; k < n; k++) s += H[k*d + i]*H[k*d + j];
      G[i*d + j] = G[j*d + i] = s;
    }
    tr += G[i*d + i];
  }
  if (isnan(tr)) return NAN;
  for (int i = 0; i < d; i++) {
    for (int j = 0; j <= i; j++) {
      double s = G[i*d + j];
      for (int k = 0; k < j; k++) s -= L[i*d + k]*L[j*d + k];
      if (i == j) {
        if (!(s > 0.0)) return INFINITY;
        L[i*d + i] = sqrt(s);
      } else {
        L[i*d + j] = s/L[j*d + j];
      }
    }
  }
  // inv(L) by forward substitution, column by column; lower triangular
  double ti = 0.0;
  for (int c = 0; c < d; c++) {
    for (int i = 0; i < d; i++) {
      if (i < c) {
        Li[i*d + c] = 0.0;
        continue;
      }
      double s = (i == c) ? 1.0 : 0.0;
      for (int k = c; k < i; k++) s -= L[i*d + k]*Li[k*d + c];
      Li[i*d + c] = s/L[i*d + i];
      ti += Li[i*d + c]*Li[i*d + c];
    }
  }
  return tr*ti/((double)d*d);
}
