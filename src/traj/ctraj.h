// ctraj.h -- analytic Cartesian paths: timing laws, space curves, Frenet-Serret samples
#ifndef VELMORA_CTRAJ_H
#define VELMORA_CTRAJ_H

#include "robot/robot.h"

// a curve: the value at x and its first four derivatives; each output is one double for a
// timing law and a 3-vector for a space curve
typedef void (*CurveFunc)(double x, double* f0, double* f1, double* f2, double* f3, double* f4);

// one row of the built-in path table; ntp 0 ends the table
typedef struct _CTData_ {
  char name[32];
  CurveFunc bfunc;            // timing law beta(t)
  CurveFunc rfunc;            // space curve r(beta)
  int ntp;                    // number of samples
  float tend;                 // duration, seconds
} CTData;

extern CTData CTlist[3];

// beta = t pi/20, beta' = pi/20, higher derivatives 0
void Beta(double t, double* b, double* bd, double* bdd, double* bddd, double* bdddd);
// helix r = (16 cos b + 2, 16 sin b - 2, 25 b / (2 pi) + 12) and its derivatives in b
void Rf(double b, double* r, double* r1, double* r2, double* r3, double* r4);

// one sample at time t into cc: r, Q (columns T, N, B), rd, rdd, om, omd; nothing else
void CartesianTraj(double t, CurveFunc bfunc, CurveFunc rfunc, CartesianConfig cc);

// the row named exactly name, scanning until ntp 0; NULL when absent
const CTData* CTFind(const char* name);
// row->ntp samples into out (zeroed first, type 0): dt = tend/(ntp-1) and t += dt, both in
// single precision, from t = 0; returns the count
int CTSampleList(const CTData* row, CartesianConfigRec* out);

#endif
