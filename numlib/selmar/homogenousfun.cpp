// homogenousfun.cpp -- search of the DH parameters and posture of best conditioning
#include "selmar.h"
#include "selmar_modules.h"

//------------------------------------------------------------------ module state
static const char* fname = "homogenousfun";
static const char* outnames[] = {"x"};
static NlArray* k_opt[4] = {nullptr, nullptr, nullptr, nullptr};  // option names
static NlArray* k_tol = nullptr;             // 0.1
static NlArray* k_max = nullptr;             // 10000
static NlArray* k_objective = nullptr;       // "objfun"

//------------------------------------------------------------------ static helpers

// x from x_v, n: the minimiser whatever the exit flag
static void body(NlArray** out, int, NlArray* const* in) {
  if (!k_objective) {
    NlRaise("Run-time Error: The library \"selmar\" is not initialised.");
    return;
  }
  NlOptions o;
  if (NlOptionsFixed(&o, NlNumel(in[0]), k_opt, k_tol, k_max) != 0) return;
  if (!NlDefined(in[0], "x_v", fname) || !NlDefined(in[1], "n", fname)) return;
  char objective[16];
  NlGetString(k_objective, objective, sizeof(objective));
  double fval;
  int exitflag;
  NlSearchReport rep;
  NlArray* extra[1] = {in[1]};
  out[0] = NlFminsearch(objective, in[0], &o, extra, 1, &fval, &exitflag, &rep);
}

//------------------------------------------------------------------ module constants

void InitializeModule_homogenousfun(void) {
  NlMakeOptionNames(k_opt);
  k_tol = NlScalar(0.1);
  k_max = NlScalar(10000.0);
  k_objective = NlString("objfun");
}

void TerminateModule_homogenousfun(void) {
  NlDestroyArray(k_objective);  k_objective = nullptr;
  NlDestroyArray(k_max);  k_max = nullptr;
  NlDestroyArray(k_tol);  k_tol = nullptr;
  NlDestroyArrays(k_opt, 4);
}

//------------------------------------------------------------------ entries

// the minimiser of objfun from x_v; NULL after an error
NlArray* mlfHomogenousfun(NlArray* x_v, NlArray* n) {
  NlArray* in[2] = {x_v, n};
  NlArray* out[1] = {nullptr};
  NlRunBody(fname, outnames, 1, body, out, 1, in);
  return out[0];
}

void mlxHomogenousfun(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 43, outnames, 1, 2, body, nlhs, plhs, nrhs, prhs);
}
