// maxreachlength.cpp -- maximum reach: the posture farthest from the first joint axis
#include "pondrel.h"
#include "pondrel_modules.h"

//------------------------------------------------------------------ module state
static const char* fname = "maxreachlength";
static const char* outnames[] = {"ret"};
static NlArray* k_opt[4] = {nullptr, nullptr, nullptr, nullptr};  // option names
static NlArray* k_tol = nullptr;             // 0.1
static NlArray* k_max = nullptr;             // 10000
static NlArray* k_one = nullptr;
static NlArray* k_minus1 = nullptr;
static NlArray* k_objective = nullptr;       // "Reachfunlength"

//------------------------------------------------------------------ static helpers

// ret from x_guess, x_vv, n; the options are fixed, inputs 4 to 7 are not read
static void body(NlArray** out, int, NlArray* const* in) {
  if (!k_objective) {
    NlRaise("Run-time Error: The library \"pondrel\" is not initialised.");
    return;
  }
  NlOptions o;
  if (NlOptionsFixed(&o, NlNumel(in[0]), k_opt, k_tol, k_max) != 0) return;
  if (!NlDefined(in[0], "x_guess", fname) || !NlDefined(in[1], "x_vv", fname)) return;
  int n = NlIndexOf(in[2], "n", fname);
  if (NlErrorPending()) return;
  char objective[24];
  NlGetString(k_objective, objective, sizeof(objective));
  double fval;
  int exitflag;
  NlSearchReport rep;
  NlArray* extra[2] = {in[1], in[2]};
  NlArray* x = NlFminsearch(objective, in[0], &o, extra, 2, &fval, &exitflag, &rep);
  if (!x) return;
  NlArray* ret = NlEmpty();
  if (exitflag != 0) {
    NlSet(ret, 1, k_one->pr[0]/fval);
    for (int i = 2; i <= n && !NlErrorPending(); i++) {
      NlSet(ret, i, NlGet(x, i));
      NlPrintArray("ret", ret);
    }
  } else {
    NlSet(ret, 1, k_minus1->pr[0]);
  }
  NlDestroyArray(x);
  if (NlErrorPending()) NlDestroyArray(ret);
  else out[0] = ret;
}

//------------------------------------------------------------------ module constants

void InitializeModule_maxreachlength(void) {
  NlMakeOptionNames(k_opt);
  k_tol = NlScalar(0.1);
  k_max = NlScalar(10000.0);
  k_one = NlScalar(1.0);
  k_minus1 = NlScalar(-1.0);
  k_objective = NlString("Reachfunlength");
}

void TerminateModule_maxreachlength(void) {
  NlDestroyArray(k_objective);  k_objective = nullptr;
  NlDestroyArray(k_minus1);  k_minus1 = nullptr;
  NlDestroyArray(k_one);  k_one = nullptr;
  NlDestroyArray(k_max);  k_max = nullptr;
  NlDestroyArray(k_tol);  k_tol = nullptr;
  NlDestroyArrays(k_opt, 4);
}

//------------------------------------------------------------------ entries

// ret = [reach, joints 2..n] or -1; NULL after an error
NlArray* mlfMaxreachlength(NlArray* x_guess, NlArray* x_vv, NlArray* n, NlArray* in4,
                           NlArray* in5, NlArray* in6, NlArray* in7) {
  NlArray* in[7] = {x_guess, x_vv, n, in4, in5, in6, in7};
  NlArray* out[1] = {nullptr};
  NlRunBody(fname, outnames, 1, body, out, 1, in);
  return out[0];
}

void mlxMaxreachlength(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 43, outnames, 1, 7, body, nlhs, plhs, nrhs, prhs);
}
