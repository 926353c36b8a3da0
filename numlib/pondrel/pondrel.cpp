// pondrel.cpp -- the pondrel library: function table, start and stop
#include "pondrel.h"
#include "pondrel_modules.h"

//------------------------------------------------------------------ module state
static const NlFunctionEntry functions[] = {
  {"maxreachlength", mlxMaxreachlength, 7, 1, nullptr},
  {"reachfunlength", mlxReachfunlength, 3, 1, FastReachfunlength},
};
static void (*const inits[])(void) = {
  InitializeModule_maxreachlength, InitializeModule_reachfunlength,
};
static void (*const finis[])(void) = {
  TerminateModule_maxreachlength, TerminateModule_reachfunlength,
};
static const NlLibrary library = {"pondrel", functions, 2, inits, finis, 2};

//------------------------------------------------------------------ public API

// register the library and create its constants; call before any use
void pondrelInitialize(void) {
  NlRegisterLibrary(&library);
}

// destroy the constants and unregister
void pondrelTerminate(void) {
  NlUnregisterLibrary(&library);
}
