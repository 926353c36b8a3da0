// homogenous_length_calculate.cpp -- characteristic length: the scale and posture at which
// the homogenised Jacobian is best conditioned
#include "torvik.h"
#include "torvik_modules.h"

#include <math.h>     // for: fabs()

//------------------------------------------------------------------ module state
static const char* fname = "homogenous_length_calculate";
static const char* outnames[] = {"ret"};
static NlArray* k_opt[4] = {nullptr, nullptr, nullptr, nullptr};  // option names
static NlArray* k_objective = nullptr;       // "Jacobian_Calculate"
static NlArray* k_minus1 = nullptr;
static NlArray* k_zero = nullptr;
static NlArray* k_one = nullptr;

//------------------------------------------------------------------ static helpers

// ret from x_v, x_vv, n, typev, robottype and the four minimiser options
static void body(NlArray** out, int, NlArray* const* in) {
  static const char* optvars[] = {"x_tolx", "x_tolfun", "x_maxfuneval", "x_maxiter"};
  if (!k_objective) {
    NlRaise("Run-time Error: The library \"torvik\" is not initialised.");
    return;
  }
  NlOptions o;
  NlOptionsDefault(&o, NlNumel(in[0]));
  for (int k = 0; k < 4; k++) {
    if (!NlDefined(in[5 + k], optvars[k], fname)) return;
    if (NlOptionsSet(&o, k_opt[k], in[5 + k]) != 0) return;
  }
  if (!NlDefined(in[1], "x_vv", fname)) return;
  int n = NlIndexOf(in[2], "n", fname);
  if (NlErrorPending()) return;

  // b(1) does not move the Jacobian: keep it out of the scale
  NlArray* vv = NlCopy(in[1]);
  NlArray *M = nullptr, *x = nullptr, *ret = nullptr;
  NlSet(vv, n + 1, k_zero->pr[0]);
  double m = k_minus1->pr[0];
  for (int i = 1; i <= 2*n && !NlErrorPending(); i++) {
    double v = fabs(NlGet(vv, i));
    if (m < v) m = v;
  }
  int robottype = NlIndexOf(in[4], "robottype", fname);
  if (NlErrorPending()) goto done;
  ret = NlEmpty();
  if (robottype == PositionPosition || robottype == PlanarPositionOrientation ||
      robottype == PlanarPosition) {
    NlSet(ret, 1, k_minus1->pr[0]);
    goto done;
  }

  {
    if (!NlDefined(in[0], "x_v", fname) || !NlDefined(in[3], "typev", fname)) goto done;
    char objective[40];
    NlGetString(k_objective, objective, sizeof(objective));
    M = NlScalar(m);
    NlArray* extra[5] = {vv, in[2], M, in[3], in[4]};
    double fval;
    int exitflag;
    NlSearchReport rep;
    x = NlFminsearch(objective, in[0], &o, extra, 5, &fval, &exitflag, &rep);
    if (!x) goto done;
    if (exitflag != 0) {
      // the objective is even in the scale: a negative scale is as good as its magnitude
      if (robottype == PositionOrientation) NlSet(ret, 1, fabs(m/NlGet(x, 1)));
      else NlSet(ret, 1, k_one->pr[0]);
      for (int i = 2; i <= n && !NlErrorPending(); i++) {
        NlSet(ret, i, NlGet(x, i));
        NlPrintArray("ret", ret);
      }
    } else {
      NlSet(ret, 1, k_minus1->pr[0]);
      NlPrintArray("ret", ret);
    }
  }

done:
  NlDestroyArray(x);
  NlDestroyArray(M);
  NlDestroyArray(vv);
  if (NlErrorPending()) NlDestroyArray(ret);
  else out[0] = ret;
}

//------------------------------------------------------------------ module constants

void InitializeModule_homogenous_length_calculate(void) {
  NlMakeOptionNames(k_opt);
  k_objective = NlString("Jacobian_Calculate");
  k_minus1 = NlScalar(-1.0);
  k_zero = NlScalar(0.0);
  k_one = NlScalar(1.0);
}

void TerminateModule_homogenous_length_calculate(void) {
  NlDestroyArray(k_one);  k_one = nullptr;
  NlDestroyArray(k_zero);  k_zero = nullptr;
  NlDestroyArray(k_minus1);  k_minus1 = nullptr;
  NlDestroyArray(k_objective);  k_objective = nullptr;
  NlDestroyArrays(k_opt, 4);
}

//------------------------------------------------------------------ entries

// ret = [L, optimum joints 2..n]; NULL after an error
NlArray* mlfHomogenous_length_calculate(NlArray* x_v, NlArray* x_vv, NlArray* n,
                                        NlArray* typev, NlArray* robottype,
                                        NlArray* x_tolx, NlArray* x_tolfun,
                                        NlArray* x_maxfuneval, NlArray* x_maxiter) {
  NlArray* in[9] = {x_v, x_vv, n, typev, robottype, x_tolx, x_tolfun, x_maxfuneval,
                    x_maxiter};
  NlArray* out[1] = {nullptr};
  NlRunBody(fname, outnames, 1, body, out, 1, in);
  return out[0];
}

void mlxHomogenous_length_calculate(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 42, outnames, 1, 9, body, nlhs, plhs, nrhs, prhs);
}
