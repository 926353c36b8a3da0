// torvik.h -- characteristic length of a manipulator and its homogenised Jacobian
#ifndef VELMORA_TORVIK_H
#define VELMORA_TORVIK_H

#include "nlrt.h"

// register the library and create its constants; call before any use
void torvikInitialize(void);
// destroy the constants and unregister
void torvikTerminate(void);

// ret = [L, optimum joints 2..n] (1 x n), 1 for the orientation-only and position-only
// kinds, -1 when no length was found or the kind is refused (1, 5, 6); NULL after an error
NlArray* mlfHomogenous_length_calculate(NlArray* x_v, NlArray* x_vv, NlArray* n,
                                        NlArray* typev, NlArray* robottype,
                                        NlArray* x_tolx, NlArray* x_tolfun,
                                        NlArray* x_maxfuneval, NlArray* x_maxiter);
void mlxHomogenous_length_calculate(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

// functionvalue = squared condition number of H; H the (homogenised) Jacobian; r_v the
// 3 x n end-point vectors; l = M / x_v(1). Out-pointers may be NULL; a non-NULL one must
// hold NULL or an owned array (it is replaced). NULL after an error
NlArray* mlfJacobian_calculate(NlArray** H, NlArray** r_v, NlArray** l, NlArray* x_v,
                               NlArray* x_vv, NlArray* n, NlArray* M, NlArray* typev,
                               NlArray* robottype);
void mlxJacobian_calculate(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

#endif
