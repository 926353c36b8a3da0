// selmar_modules.h -- the modules of the selmar library
#ifndef VELMORA_SELMAR_MODULES_H
#define VELMORA_SELMAR_MODULES_H

#include "nlrt.h"

void InitializeModule_homogenousfun(void);
void TerminateModule_homogenousfun(void);
void InitializeModule_objfun(void);
void TerminateModule_objfun(void);

// scalar form of objfun for the minimiser: extra = n
int FastObjfun(const double* x, int nx, NlArray* const* extra, int nextra, double* f);

#endif
