// selmar.cpp -- the selmar library: function table, start and stop
#include "selmar.h"
#include "selmar_modules.h"

//------------------------------------------------------------------ module state
static const NlFunctionEntry functions[] = {
  {"homogenousfun", mlxHomogenousfun, 2, 1, nullptr},
  {"objfun", mlxObjfun, 2, 2, FastObjfun},
};
static void (*const inits[])(void) = {InitializeModule_homogenousfun, InitializeModule_objfun};
static void (*const finis[])(void) = {TerminateModule_homogenousfun, TerminateModule_objfun};
static const NlLibrary library = {"selmar", functions, 2, inits, finis, 2};

//------------------------------------------------------------------ public API

// register the library and create its constants; call before any use
void selmarInitialize(void) {
  NlRegisterLibrary(&library);
}

// destroy the constants and unregister
void selmarTerminate(void) {
  NlUnregisterLibrary(&library);
}
