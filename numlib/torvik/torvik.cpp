// torvik.cpp -- the torvik library: function table, start and stop
#include "torvik.h"
#include "torvik_modules.h"

//------------------------------------------------------------------ module state
static const NlFunctionEntry functions[] = {
  {"homogenous_length_calculate", mlxHomogenous_length_calculate, 9, 1, nullptr},
  {"jacobian_calculate", mlxJacobian_calculate, 6, 4, FastJacobian_calculate},
};
static void (*const inits[])(void) = {
  InitializeModule_homogenous_length_calculate, InitializeModule_jacobian_calculate,
};
static void (*const finis[])(void) = {
  TerminateModule_homogenous_length_calculate, TerminateModule_jacobian_calculate,
};
static const NlLibrary library = {"torvik", functions, 2, inits, finis, 2};

//------------------------------------------------------------------ public API

// register the library and create its constants; call before any use
void torvikInitialize(void) {
  NlRegisterLibrary(&library);
}

// destroy the constants and unregister
void torvikTerminate(void) {
  NlUnregisterLibrary(&library);
}
