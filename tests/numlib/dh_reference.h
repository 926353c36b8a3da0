// dh_reference.h -- an independent DH chain for the numeric-library tests: 4x4 transforms,
// the Jacobian from joint axes, a Gauss-Jordan condition number and a pattern search
#ifndef VELMORA_TEST_DH_REFERENCE_H
#define VELMORA_TEST_DH_REFERENCE_H

#include <math.h>
#include <stdlib.h>

static const double kDeg = M_PI/180.0;

// one DH row: joint i turns about z of the previous frame by th, moves b along it, then a
// along the new x, then twists by al about that x
typedef struct _RefLink_ {
  double a, b, al, th;        // lengths; angles in degrees
} RefLink;

// T = T * [Rz(th) Tz(b) Tx(a) Rx(al)], all 4x4 row-major
static inline void RefStep(double T[16], const RefLink* l) {
  double ct = cos(l->th*kDeg), st = sin(l->th*kDeg), ca = cos(l->al*kDeg), sa = sin(l->al*kDeg);
  double A[16] = {ct, -st*ca, st*sa, l->a*ct,
                  st, ct*ca, -ct*sa, l->a*st,
                  0, sa, ca, l->b,
                  0, 0, 0, 1};
  double R[16];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      double s = 0;
      for (int k = 0; k < 4; k++) s += T[4*i + k]*A[4*k + j];
      R[4*i + j] = s;
    }
  for (int k = 0; k < 16; k++) T[k] = R[k];
}

// joint axes z (3 x n) and origins o (3 x n) of the frames before each joint, end point p
static inline void RefFrames(const RefLink* L, int n, double* z, double* o, double p[3]) {
  double T[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < n; i++) {
    z[3*i] = T[2];  z[3*i + 1] = T[6];  z[3*i + 2] = T[10];
    o[3*i] = T[3];  o[3*i + 1] = T[7];  o[3*i + 2] = T[11];
    RefStep(T, &L[i]);
  }
  p[0] = T[3];  p[1] = T[7];  p[2] = T[11];
}

// Jacobian columns: rows 0-2 the axis z_i, rows 3-5 s*(z_i x (p - o_i)); column-major 6 x n
static inline void RefJacobian(const RefLink* L, int n, double s, double* H) {
  double* z = (double*)malloc(sizeof(double)*6*n);
  double* o = z + 3*n;
  double p[3];
  RefFrames(L, n, z, o, p);
  for (int i = 0; i < n; i++) {
    double r[3] = {p[0] - o[3*i], p[1] - o[3*i + 1], p[2] - o[3*i + 2]};
    const double* e = z + 3*i;
    H[6*i] = e[0];  H[6*i + 1] = e[1];  H[6*i + 2] = e[2];
    H[6*i + 3] = s*(e[1]*r[2] - e[2]*r[1]);
    H[6*i + 4] = s*(e[2]*r[0] - e[0]*r[2]);
    H[6*i + 5] = s*(e[0]*r[1] - e[1]*r[0]);
  }
  free(z);
}

// (1/d^2) trace(G) trace(inv(G)), G = H H' of a d-row block of the 6-row H starting at row
// r0; inverse by Gauss-Jordan with partial pivoting; +Inf when a pivot vanishes
static inline double RefKappa2(const double* H, int n, int r0, int d) {
  double G[36], I[36];
  for (int i = 0; i < d; i++)
    for (int j = 0; j < d; j++) {
      double s = 0;
      for (int k = 0; k < n; k++) s += H[6*k + r0 + i]*H[6*k + r0 + j];
      G[d*i + j] = s;
      I[d*i + j] = i == j;
    }
  double tr = 0;
  for (int i = 0; i < d; i++) tr += G[d*i + i];
  for (int c = 0; c < d; c++) {
    int p = c;
    for (int i = c + 1; i < d; i++) if (fabs(G[d*i + c]) > fabs(G[d*p + c])) p = i;
    if (fabs(G[d*p + c]) < 1e-300) return INFINITY;
    for (int j = 0; j < d; j++) {
      double t = G[d*c + j]; G[d*c + j] = G[d*p + j]; G[d*p + j] = t;
      t = I[d*c + j]; I[d*c + j] = I[d*p + j]; I[d*p + j] = t;
    }
    double piv = G[d*c + c];
    for (int j = 0; j < d; j++) { G[d*c + j] /= piv; I[d*c + j] /= piv; }
    for (int i = 0; i < d; i++) {
      if (i == c) continue;
      double f = G[d*i + c];
      for (int j = 0; j < d; j++) { G[d*i + j] -= f*G[d*c + j]; I[d*i + j] -= f*I[d*c + j]; }
    }
  }
  double ti = 0;
  for (int i = 0; i < d; i++) ti += I[d*i + i];
  return tr*ti/(d*d);
}

// squared condition number of the homogenised Jacobian with length Lc at the joint angles
// of L (th replaced by q for joints 2..n)
static inline double RefHomogenisedKappa2(const RefLink* L0, int n, double Lc, const double* q) {
  RefLink L[16];
  for (int i = 0; i < n; i++) L[i] = L0[i];
  for (int i = 1; i < n; i++) L[i].th = q[i - 1];
  double H[6*16];
  RefJacobian(L, n, -1.0/Lc, H);
  return RefKappa2(H, n, 0, 6);
}

// pattern search (compass steps halved to tol) of f over k variables from x; returns f(x)
static inline double RefPatternSearch(double (*f)(const double*, void*), void* ctx, double* x,
                                      int k, double step, double tol) {
  double fx = f(x, ctx);
  while (step > tol) {
    int moved = 0;
    for (int j = 0; j < k; j++) {
      for (int sgn = -1; sgn <= 1; sgn += 2) {
        double keep = x[j];
        x[j] = keep + sgn*step;
        double fy = f(x, ctx);
        if (fy < fx) {
          fx = fy;
          moved = 1;
          break;
        }
        x[j] = keep;
      }
    }
    if (!moved) step *= 0.5;
  }
  return fx;
}

#endif
