// quenta.h -- the area library: a triangle's area doubled n times
#ifndef VELMORA_QUENTA_H
#define VELMORA_QUENTA_H

#include "nlrt.h"

// register the library and create its constants; call before any use
void quentaInitialize(void);
// destroy the constants and unregister
void quentaTerminate(void);

// A = sqrt(s (s-a)(s-b)(s-c)), s = (a+b+c)/2, then doubled for i = 1..n; sides that break
// the triangle inequality give NaN; NULL after an error
NlArray* mlfArea(NlArray* x_v, NlArray* n);
void mlxArea(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

#endif
