// torvik_modules.h -- the modules of the torvik library and their constants
#ifndef VELMORA_TORVIK_MODULES_H
#define VELMORA_TORVIK_MODULES_H

#include "nlrt.h"

// robot kinds as the library names them
enum {
  PositionOrientation = 0, PositionPosition = 1, Orientation = 2, Position_r = 4,
  PlanarPositionOrientation = 5, PlanarPosition = 6
};

void InitializeModule_homogenous_length_calculate(void);
void TerminateModule_homogenous_length_calculate(void);
void InitializeModule_jacobian_calculate(void);
void TerminateModule_jacobian_calculate(void);

// scalar form of jacobian_calculate for the minimiser: extra = x_vv, n, M, typev, robottype
int FastJacobian_calculate(const double* x, int nx, NlArray* const* extra, int nextra,
                           double* f);

#endif
