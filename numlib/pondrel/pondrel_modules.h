// pondrel_modules.h -- the modules of the pondrel library
#ifndef VELMORA_PONDREL_MODULES_H
#define VELMORA_PONDREL_MODULES_H

#include "nlrt.h"

void InitializeModule_maxreachlength(void);
void TerminateModule_maxreachlength(void);
void InitializeModule_reachfunlength(void);
void TerminateModule_reachfunlength(void);

// scalar form of reachfunlength for the minimiser: extra = x_vv, n
int FastReachfunlength(const double* x, int nx, NlArray* const* extra, int nextra,
                       double* f);

#endif
