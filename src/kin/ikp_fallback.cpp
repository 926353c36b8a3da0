// ikp_fallback.cpp -- damped least squares with restarts, for solves the Newton iteration misses
#include "kin/ikp_fallback.h"

#include <math.h>    // for: fmod(), remainder(), sqrt(), fabs()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: memcpy()

#include "graphics/misc.h"  // for: JwMalloc()
#include "kin/task.h"  // for: F2(), EvalObjJacobian(), EvalQr_i()
#include "base/consts.h"  // for: VM_PI


//------------------------------------------------------------------ module state
static const int fb_budget = 2500;    // error evaluations per solve, all attempts together
static const int fb_restarts = 24;    // starting points after the start itself
static const int fb_keep = 3;         // solutions compared for nearness before stopping

static int cap = 0;                   // work vectors of n entries, grown on demand
static double *g = nullptr, *d = nullptr, *A = nullptr, *base = nullptr, *best = nullptr;
static float *qs = nullptr;

//------------------------------------------------------------------ static helpers

// the work vectors hold nothing between solves: free and allocate anew (fatal on failure)
static void grow(int n) {
  if (n <= cap) return;
  free(g);  free(d);  free(A);  free(base);  free(best);  free(qs);
  g = (double*)JwMalloc(sizeof(double)*n);
  d = (double*)JwMalloc(sizeof(double)*n);
  A = (double*)JwMalloc(sizeof(double)*n*n);
  base = (double*)JwMalloc(sizeof(double)*n);
  best = (double*)JwMalloc(sizeof(double)*n);
  qs = (float*)JwMalloc(sizeof(float)*n);
  cap = n;
}

static int unlimited_turns(Robot robot, int j) {
  Link* l = &robot->L[j];
  return l->joint == 0 && l->q_limit[1] == KIN_UNLIMITED_MAX && l->q_limit[0] == KIN_UNLIMITED_MIN;
}

// a joint value kept inside its limits while they are on
static float clamp_joint(Robot robot, int j, double q) {
  Link* l = &robot->L[j];
  if (robot->limits == 1) {
    if (q > l->q_limit[1]) q = l->q_limit[1];
    if (q < l->q_limit[0]) q = l->q_limit[0];
  }
  return (float)q;
}

// solve (A + lam I) x = b by Cholesky on a copy; 0, or -1 when not positive definite
static int damped_solve(const double* Am, const double* b, double lam, double* x, int n) {
  double C[64*64];
  double* M = n <= 64 ? C : nullptr;
  if (!M) return -1;
  for (int i = 0; i < n*n; i++) M[i] = Am[i];
  for (int i = 0; i < n; i++) M[i*n + i] += lam;
  for (int j = 0; j < n; j++) {
    double s = M[j*n + j];
    for (int k = 0; k < j; k++) s -= M[j*n + k]*M[j*n + k];
    if (!(s > 0.0)) return -1;
    M[j*n + j] = sqrt(s);
    for (int i = j + 1; i < n; i++) {
      double t = M[i*n + j];
      for (int k = 0; k < j; k++) t -= M[i*n + k]*M[j*n + k];
      M[i*n + j] = t/M[j*n + j];
    }
  }
  for (int i = 0; i < n; i++) {
    double t = b[i];
    for (int k = 0; k < i; k++) t -= M[i*n + k]*x[k];
    x[i] = t/M[i*n + i];
  }
  for (int i = n - 1; i >= 0; i--) {
    double t = x[i];
    for (int k = i + 1; k < n; k++) t -= M[k*n + i]*x[k];
    x[i] = t/M[i*n + i];
  }
  return 0;
}

static double eval(Robot robot, JointConfig jc, CartesianConfig cc, double* fv) {
  EvalQr_i(robot, jc);
  EvalQr_1(robot);
  return F2(cc, fv);
}

// damped steps from the joints in jc until the error is below tl; 0 solved, -1 not (stalled,
// or *left evaluations used up)
static int damped_descent(Robot robot, JointConfig jc, CartesianConfig cc, double tl,
                          int* left) {
  int n = robot->n, m = robot->jm, type = cc->type;
  double L = robot->avg_len;
  double fv[8], ft[8];
  double e = eval(robot, jc, cc, fv);
  (*left)--;
  double lam = 1e-3;
  int stalls = 0;
  while (*left > 0) {
    if (e < tl) return 0;
    EvalObjJacobian(type, robot, cc);
    Normalize(type, robot);
    double** J = robot->J;
    for (int i = 0; i < n; i++) {
      double s = 0.0;
      for (int r = 0; r < m; r++) s += J[r][i]*fv[r];
      g[i] = s;
      for (int k = 0; k <= i; k++) {
        double t = 0.0;
        for (int r = 0; r < m; r++) t += J[r][i]*J[r][k];
        A[i*n + k] = A[k*n + i] = t;
      }
    }
    for (int j = 0; j < n; j++) qs[j] = jc->q[j];
    int accepted = 0;
    while (*left > 0 && lam < 1e10) {
      if (damped_solve(A, g, lam, d, n) == 0) {
        for (int j = 0; j < n; j++) {
          double step = robot->L[j].joint != 0 ? L*d[j] : d[j]*180.0/VM_PI;
          jc->q[j] = clamp_joint(robot, j, qs[j] - step);
        }
        double et = eval(robot, jc, cc, ft);
        (*left)--;
        if (et < e) {
          accepted = 1;
          memcpy(fv, ft, sizeof(double)*m);
          stalls = e - et < 1e-3*e ? stalls + 1 : 0;
          e = et;
          lam = lam/5 > 1e-12 ? lam/5 : 1e-12;
          break;
        }
      }
      lam *= 8;
    }
    if (!accepted || stalls > 30) {           // a local minimum or a limit in the way
      for (int j = 0; j < n; j++) jc->q[j] = qs[j];
      return e < tl ? 0 : -1;
    }
  }
  return e < tl ? 0 : -1;
}

// distance of the joints in jc from the start, degrees (slides in avg_len per radian)
static double distance(Robot robot, JointConfig jc) {
  double s = 0.0;
  for (int j = 0; j < robot->n; j++) {
    double t = jc->q[j] - base[j];
    if (robot->L[j].joint != 0) t *= 180.0/VM_PI/robot->avg_len;
    else if (unlimited_turns(robot, j)) t = remainder(t, 360.0);
    s += t*t;
  }
  return sqrt(s);
}

// unlimited revolute joints moved by whole turns to within half a turn of the start,
// kept when the error stays below tl (a turn is 2 x 3.14159265 radians, not exactly 2 pi)
static void nearest_turns(Robot robot, JointConfig jc, CartesianConfig cc, double tl) {
  int n = robot->n;
  double fv[8];
  for (int j = 0; j < n; j++) qs[j] = jc->q[j];
  for (int j = 0; j < n; j++) {
    if (!unlimited_turns(robot, j)) continue;
    double t = base[j] + remainder(jc->q[j] - base[j], 360.0);
    jc->q[j] = (float)fmod(t, 360.0);
  }
  if (!(eval(robot, jc, cc, fv) < tl))
    for (int j = 0; j < n; j++) jc->q[j] = qs[j];
}

//------------------------------------------------------------------ public API

int IkFallback(Robot robot, JointConfig jc, CartesianConfig cc, double tl, const double* q0) {
  int n = robot->n;
  if (n > 64 || robot->jm > 8) return -1;
  grow(n);
  // the start with whole turns folded off (a value of 1e9 degrees has lost its fraction)
  for (int j = 0; j < n; j++) {
    double v = q0[j];
    if (robot->L[j].joint == 0) v = fmod(v, 360.0);
    base[j] = clamp_joint(robot, j, v);
  }
  int left = fb_budget, found = 0;
  double best_dist = 0.0;
  unsigned seed = 12345u;
  for (int attempt = 0; attempt <= fb_restarts && left > 0 && found < fb_keep; attempt++) {
    // ever wider spreads around the start: +-30, +-60, ... up to +-180 degrees
    double spread = attempt == 0 ? 0.0 : fmin(30.0*((attempt + 1)/2), 180.0);
    for (int j = 0; j < n; j++) {
      seed = seed*1664525u + 1013904223u;
      double u = 2.0*((seed >> 8)/16777216.0) - 1.0;
      double off = robot->L[j].joint != 0 ? u*spread/90.0*robot->avg_len : u*spread;
      jc->q[j] = clamp_joint(robot, j, base[j] + off);
    }
    if (damped_descent(robot, jc, cc, tl, &left) != 0) continue;
    nearest_turns(robot, jc, cc, tl);
    double dist = distance(robot, jc);
    if (!found || dist < best_dist) {
      for (int j = 0; j < n; j++) best[j] = jc->q[j];
      best_dist = dist;
    }
    found++;
    if (attempt == 0) break;                  // continued from the start: the near branch
  }
  if (!found) return -1;
  for (int j = 0; j < n; j++) jc->q[j] = (float)best[j];
  return fb_budget - left;
}
