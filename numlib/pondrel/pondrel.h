// pondrel.h -- maximum reach of a manipulator: farthest end point from the first joint axis
#ifndef VELMORA_PONDREL_H
#define VELMORA_PONDREL_H

#include "nlrt.h"

// register the library and create its constants; call before any use
void pondrelInitialize(void);
// destroy the constants and unregister
void pondrelTerminate(void);

// ret = [reach, joints 2..n of the reaching posture] (1 x n), or -1; reads x_guess, x_vv
// (a, b, alpha: 3n values at least) and n; the four last inputs are ignored; NULL after
// an error
NlArray* mlfMaxreachlength(NlArray* x_guess, NlArray* x_vv, NlArray* n, NlArray* in4,
                           NlArray* in5, NlArray* in6, NlArray* in7);
void mlxMaxreachlength(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

// functionvalue = 1 / (distance of the end point from the first joint axis) at the joint
// angles x_v (degrees, every joint revolute)
NlArray* mlfReachfunlength(NlArray* x_v, NlArray* x_vv, NlArray* n);
void mlxReachfunlength(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

#endif
