// quenta.cpp -- the quenta library: area, its function table, start and stop
#include "quenta.h"

#include <math.h>     // for: sqrt(), floor(), isfinite(), NAN

//------------------------------------------------------------------ module state
static const char* fname = "area";
static const char* outnames[] = {"A"};
static NlArray* k_two = nullptr;
static NlArray* k_empty = nullptr;

//------------------------------------------------------------------ static helpers

// A from x_v (three sides) and n (repeat count)
static void body(NlArray** out, int, NlArray* const* in) {
  if (!k_two) {
    NlRaise("Run-time Error: The library \"quenta\" is not initialised.");
    return;
  }
  if (!NlDefined(in[0], "x_v", fname)) return;
  double a = NlGet(in[0], 1), b = NlGet(in[0], 2), c = NlGet(in[0], 3);
  if (NlErrorPending()) return;
  double s = (a + b + c)/k_two->pr[0];
  double q = s*(s - a)*(s - b)*(s - c);
  // the real runtime has no complex values: an impossible triangle has no area
  double A = q >= 0.0 ? sqrt(q) : NAN;
  double n = NlScalarOf(in[1], "n", fname);
  if (NlErrorPending()) return;
  for (double i = 1.0; i <= floor(n); i += 1.0) {
    A = A + A;
    if (A == 0.0 || !isfinite(A)) break;     // doubling changes nothing any more
  }
  out[0] = NlScalar(A);
}

static void InitializeModule_area(void) {
  k_two = NlScalar(2.0);
  k_empty = NlEmpty();
}

static void TerminateModule_area(void) {
  NlDestroyArray(k_empty);  k_empty = nullptr;
  NlDestroyArray(k_two);  k_two = nullptr;
}

static const NlFunctionEntry functions[] = {{"area", mlxArea, 2, 1, nullptr}};
static void (*const inits[])(void) = {InitializeModule_area};
static void (*const finis[])(void) = {TerminateModule_area};
static const NlLibrary library = {"quenta", functions, 1, inits, finis, 1};

//------------------------------------------------------------------ public API

// register the library and create its constants; call before any use
void quentaInitialize(void) {
  NlRegisterLibrary(&library);
}

// destroy the constants and unregister
void quentaTerminate(void) {
  NlUnregisterLibrary(&library);
}

// A = Heron's area of the sides x_v, doubled n times; NULL after an error
NlArray* mlfArea(NlArray* x_v, NlArray* n) {
  NlArray* in[2] = {x_v, n};
  NlArray* out[1] = {nullptr};
  NlRunBody(fname, outnames, 1, body, out, 1, in);
  return out[0];
}

void mlxArea(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 1, outnames, 1, 2, body, nlhs, plhs, nrhs, prhs);
}
