// selmar.h -- the DH parameters and posture of best conditioning
#ifndef VELMORA_SELMAR_H
#define VELMORA_SELMAR_H

#include "nlrt.h"

// register the library and create its constants; call before any use
void selmarInitialize(void);
// destroy the constants and unregister
void selmarTerminate(void);

// x = the minimiser of objfun from x_v (1 x 4n: a, b, alpha, theta; degrees), whatever
// the exit flag; NULL after an error
NlArray* mlfHomogenousfun(NlArray* x_v, NlArray* n);
void mlxHomogenousfun(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

// functionvalue = (1/36) trace(H H') trace(inv(H H')), H = [e_v; exr_v] (6 x n). The
// out-pointer may be NULL; a non-NULL one must hold NULL or an owned array
NlArray* mlfObjfun(NlArray** H, NlArray* x_v, NlArray* n);
void mlxObjfun(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

#endif
