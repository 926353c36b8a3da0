// ctraj.cpp -- analytic Cartesian paths: timing laws, space curves, Frenet-Serret samples
#include "traj/ctraj.h"

#include <math.h>    // for: sqrt(), cos(), sin()
#include <string.h>  // for: strcmp(), memset()

//------------------------------------------------------------------ path table
CTData CTlist[3] = {
  {"FanucS300.helix", Beta, Rf, 201, 10.0f},
  {"RozevUredo.helix", Beta, Rf, 201, 10.0f},
  {"", nullptr, nullptr, 0, 0.0f},
};

//------------------------------------------------------------------ static helpers

static double dot3(const double* a, const double* b) {
  return a[0]*b[0] + a[1]*b[1] + a[2]*b[2];
}

static void cross3(const double* a, const double* b, double* c) {
  c[0] = a[1]*b[2] - a[2]*b[1];
  c[1] = a[2]*b[0] - a[0]*b[2];
  c[2] = a[0]*b[1] - a[1]*b[0];
}

//------------------------------------------------------------------ curves

// beta = t pi/20; over 10 s the helix parameter runs 0 .. pi/2
void Beta(double t, double* b, double* bd, double* bdd, double* bddd, double* bdddd) {
  const double w = 0.15707963267948966;
  *b = t*w;  *bd = w;  *bdd = 0.0;  *bddd = 0.0;  *bdddd = 0.0;
}

// radius 16 about x = 2, y = -2, rising 25 a turn from height 12
void Rf(double b, double* r, double* r1, double* r2, double* r3, double* r4) {
  const double rise = 3.9788735772973833;   // 25 / (2 pi)
  double c = cos(b), s = sin(b);
  r[0] = 16*c + 2;  r[1] = 16*s - 2;  r[2] = rise*b + 12;
  r1[0] = -16*s;  r1[1] = 16*c;  r1[2] = rise;
  r2[0] = -16*c;  r2[1] = -16*s;  r2[2] = 0.0;
  r3[0] = 16*s;  r3[1] = -16*c;  r3[2] = 0.0;
  r4[0] = 16*c;  r4[1] = 16*s;  r4[2] = 0.0;
}

//------------------------------------------------------------------ samples

// chain rule for the time derivatives of r, the speed and its derivatives, the Frenet-Serret
// frame with curvature and torsion, and the Darboux vector scaled by the speed
void CartesianTraj(double t, CurveFunc bfunc, CurveFunc rfunc, CartesianConfig cc) {
  double b, b1, b2, b3, b4;
  bfunc(t, &b, &b1, &b2, &b3, &b4);
  double p1[3], p2[3], p3[3], p4[3];
  rfunc(b, cc->r, p1, p2, p3, p4);

  // time derivatives of the position
  double rd[3], rdd[3], r3[3], r4[3];
  for (int i = 0; i < 3; i++) {
    rd[i] = b1*p1[i];
    rdd[i] = b1*b1*p2[i] + b2*p1[i];
    r3[i] = b1*b1*b1*p3[i] + 3*b2*b1*p2[i] + b3*p1[i];
    r4[i] = b1*b1*b1*b1*p4[i] + 6*b2*b1*b1*p3[i] + 3*b2*b2*p2[i] + 4*b3*b1*p2[i] + b4*p1[i];
    cc->rd[i] = rd[i];
    cc->rdd[i] = rdd[i];
  }

  // speed and its derivatives
  double v = sqrt(dot3(rd, rd));
  double Hs = dot3(rd, rdd);
  double Is = dot3(rdd, rdd) + dot3(rd, r3);
  double Isd = 3*dot3(rdd, r3) + dot3(rd, r4);
  double vd = Hs/v;
  double vdd = (v*Is - Hs*vd)/(v*v);
  double vddd = (v*Isd - Hs*vdd)/(v*v) - 2*vd*(v*Is - Hs*vd)/(v*v*v);

  // K = N1 / v^3 with N1 = v rdd - vd rd; dK/dt = Num / v^6, Num = v^3 N2 - 3 v^2 vd N1
  double v2 = v*v, v3 = v2*v, v6 = v3*v3;
  double T[3], K[3], Ks[3], Kss[3];
  for (int i = 0; i < 3; i++) {
    double n1 = v*rdd[i] - vd*rd[i];
    double n2 = v*r3[i] - vdd*rd[i];                       // dN1/dt
    double n2d = vd*r3[i] + v*r4[i] - vdd*rdd[i] - vddd*rd[i];
    double num = v3*n2 - 3*v2*vd*n1;
    double numd = 3*v2*vd*n2 + v3*n2d - (6*v*vd*vd + 3*v2*vdd)*n1 - 3*v2*vd*n2;
    double Kd = num/v6;
    double Kdd = (numd*v6 - num*6*v*v*v*v*v*vd)/(v6*v6);
    T[i] = rd[i]/v;
    K[i] = n1/v3;
    Ks[i] = Kd/v;
    double Ksd = (Kdd*v - Kd*vd)/v2;                       // d(Kd / v)/dt
    Kss[i] = Ksd/v;
  }

  // frame: B = T x K / |T x K|, N = B x T; Q has the columns T, N, B
  double TK[3], TKs[3], KKs[3], B[3], N[3];
  cross3(T, K, TK);
  double kappa = sqrt(dot3(TK, TK));
  for (int i = 0; i < 3; i++) B[i] = TK[i]/kappa;
  cross3(B, T, N);
  for (int i = 0; i < 3; i++) {
    cc->Q[i][0] = T[i];  cc->Q[i][1] = N[i];  cc->Q[i][2] = B[i];
  }

  // torsion and the arc-length derivatives of curvature and torsion
  cross3(K, Ks, KKs);
  cross3(T, Ks, TKs);
  double k2 = kappa*kappa;
  double tau = dot3(T, KKs)/k2;
  double tk = dot3(TK, TKs);
  double kappa_s = tk/kappa;
  double tau_s = (dot3(TK, Kss) - 2*tau*tk)/k2;

  for (int i = 0; i < 3; i++) {
    cc->om[i] = v*(tau*T[i] + kappa*B[i]);
    cc->omd[i] = vd*(tau*T[i] + kappa*B[i]) + v2*(tau_s*T[i] + kappa_s*B[i]);
  }
}

//------------------------------------------------------------------ table use

const CTData* CTFind(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; CTlist[i].ntp != 0; i++)
    if (strcmp(CTlist[i].name, name) == 0) return &CTlist[i];
  return nullptr;
}

// time steps in single precision, as the trajectory panel has always sampled them
int CTSampleList(const CTData* row, CartesianConfigRec* out) {
  if (!row || !out || row->ntp < 1) return 0;
  float dt = row->ntp > 1 ? row->tend/(row->ntp - 1) : 0.0f;
  float t = 0.0f;
  for (int i = 0; i < row->ntp; i++) {
    memset(&out[i], 0, sizeof(CartesianConfigRec));
    out[i].type = 0;
    CartesianTraj(t, row->bfunc, row->rfunc, &out[i]);
    t += dt;
  }
  return row->ntp;
}
