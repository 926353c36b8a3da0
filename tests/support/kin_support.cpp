// kin_support.cpp -- test helpers for the kinematics: reference arms, an independent chain
#include "kin_support.h"

#include <math.h>    // for: cos(), sin(), fabs()
#include <string.h>  // for: memcpy()

//------------------------------------------------------------------ reference arms

static DHRow Row(int joint, float a, float b, float al, float th) {
  DHRow r = {joint, a, b, al, th, -100000.0f, 100000.0f};
  return r;
}

Robot KsPumaArm() {
  DHRow rows[6] = {Row(0, 0, 0, 90, 0), Row(0, 0.4318f, 0, 0, 0), Row(0, 0.0203f, 0.15005f, -90, 0),
                   Row(0, 0, 0.4318f, 90, 0), Row(0, 0, 0, -90, 0), Row(0, 0, 0, 0, 0)};
  return RobotFromDH("PumaArm", 6, rows);
}

Robot KsSevenArm() {
  // an elbow offset of 0.05 makes it a spatial arm: with a = 0 on all links it would
  // count as orientation only
  DHRow rows[7] = {Row(0, 0, 0.34f, -90, 0), Row(0, 0, 0, 90, 0), Row(0, 0.05f, 0.4f, 90, 0),
                   Row(0, 0, 0, -90, 0), Row(0, 0, 0.4f, -90, 0), Row(0, 0, 0, 90, 0),
                   Row(0, 0, 0.126f, 0, 0)};
  return RobotFromDH("SevenArm", 7, rows);
}

Robot KsPrismaticArm() {
  DHRow rows[6] = {Row(0, 0.2f, 0.5f, 90, 0), Row(1, 0.1f, 0.7f, -90, 30),
                   Row(0, 0.4f, 0, 45, 0), Row(1, 0, 0.3f, 90, -60),
                   Row(0, 0.15f, 0.05f, -90, 0), Row(0, 0.1f, 0.2f, 0, 0)};
  return RobotFromDH("SlideArm", 6, rows);
}

Robot KsWristArm() {
  DHRow rows[3] = {Row(0, 0, 0.3f, -90, 0), Row(0, 0, 0, 90, 0), Row(0, 0.5f, 0.1f, 0, 0)};
  return RobotFromDH("WristArm", 3, rows);
}

//------------------------------------------------------------------ chain

static void Mul4(double A[4][4], double B[4][4], double C[4][4]) {
  double T[4][4];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      double s = 0.0;
      for (int k = 0; k < 4; k++) s += A[i][k]*B[k][j];
      T[i][j] = s;
    }
  memcpy(C, T, sizeof T);
}

static void Ident4(double A[4][4]) {
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) A[i][j] = i == j ? 1.0 : 0.0;
}

void KsChain(Robot r, const float* q, int upto, double T[4][4]) {
  Ident4(T);
  for (int i = 0; i < upto; i++) {
    const Link* l = &r->L[i];
    double c, s, d;
    if (l->joint == 0) {
      double th = q[i]*KS_PI/180.0;
      c = cos(th);  s = sin(th);  d = l->b;
    } else {
      c = (float)cos(l->th*(KS_PI/180.0));  s = (float)sin(l->th*(KS_PI/180.0));  d = q[i];
    }
    double ca = (float)cos(l->al*(KS_PI/180.0)), sa = (float)sin(l->al*(KS_PI/180.0));
    double Rz[4][4], Tz[4][4], Tx[4][4], Rx[4][4];
    Ident4(Rz);  Ident4(Tz);  Ident4(Tx);  Ident4(Rx);
    Rz[0][0] = c;  Rz[0][1] = -s;  Rz[1][0] = s;  Rz[1][1] = c;
    Tz[2][3] = d;
    Tx[0][3] = l->a;
    Rx[1][1] = ca;  Rx[1][2] = -sa;  Rx[2][1] = sa;  Rx[2][2] = ca;
    Mul4(T, Rz, T);  Mul4(T, Tz, T);  Mul4(T, Tx, T);  Mul4(T, Rx, T);
  }
}

//------------------------------------------------------------------ eigenvalues

void KsSymEig(const double* A0, int n, double* eig) {
  double A[64];
  memcpy(A, A0, sizeof(double)*n*n);
  for (int sweep = 0; sweep < 100; sweep++) {
    double off = 0.0;
    for (int p = 0; p < n; p++)
      for (int q = p + 1; q < n; q++) off += A[p*n + q]*A[p*n + q];
    if (off < 1e-30) break;
    for (int p = 0; p < n; p++) {
      for (int q = p + 1; q < n; q++) {
        double apq = A[p*n + q];
        if (fabs(apq) < 1e-300) continue;
        double theta = (A[q*n + q] - A[p*n + p])/(2*apq);
        double t = (theta >= 0 ? 1.0 : -1.0)/(fabs(theta) + sqrt(theta*theta + 1));
        double c = 1/sqrt(t*t + 1), s = t*c;
        for (int k = 0; k < n; k++) {          // columns p, q
          double akp = A[k*n + p], akq = A[k*n + q];
          A[k*n + p] = c*akp - s*akq;  A[k*n + q] = s*akp + c*akq;
        }
        for (int k = 0; k < n; k++) {          // rows p, q
          double apk = A[p*n + k], aqk = A[q*n + k];
          A[p*n + k] = c*apk - s*aqk;  A[q*n + k] = s*apk + c*aqk;
        }
      }
    }
  }
  for (int i = 0; i < n; i++) eig[i] = A[i*n + i];
}

double KsUniform(unsigned* state, double lo, double hi) {
  *state = *state*1664525u + 1013904223u;
  return lo + (hi - lo)*((*state >> 8)/16777216.0);
}
