// reachfunlength.cpp -- reciprocal distance of the end point from the first joint axis
#include "pondrel.h"
#include "pondrel_modules.h"
#include "nlchain.h"

#include <math.h>     // for: sqrt()
#include <stdlib.h>   // for: malloc(), free()

//------------------------------------------------------------------ module state
static const char* fname = "reachfunlength";
static const char* outnames[] = {"functionvalue"};
static NlArray* k_pi = nullptr;
static NlArray* k_180 = nullptr;
static NlArray* k_one = nullptr;

#define STACK_JOINTS 64

//------------------------------------------------------------------ static helpers

// 1 / |exr_v(:,1)| at the angles x; 0, or -1 after an error
static int evaluate(const double* x, int nx, const NlArray* x_vv, int n, double* f) {
  if (!k_pi) {
    NlRaise("Run-time Error: The library \"pondrel\" is not initialised.");
    return -1;
  }
  if (n < 1) n = 0;
  if (nx < n || NlNumel(x_vv) < 3*n) {
    NlRaise("Run-time Error: File: %s Index exceeds matrix dimensions.", fname);
    return -1;
  }
  double stack[4*STACK_JOINTS];
  double* buf = n <= STACK_JOINTS ? stack : (double*)malloc(sizeof(double)*4*n);
  double *a = buf, *b = a + n, *al = b + n, *th = al + n;
  const double* p = x_vv->pr;
  double rad = k_pi->pr[0]/k_180->pr[0];
  for (int i = 0; i < n; i++) {
    a[i] = p[i];  b[i] = p[n + i];  al[i] = p[2*n + i]*rad;  th[i] = x[i]*rad;
  }
  double r1[3];
  NlChainEndPoint(n, a, b, al, th, r1);
  // exr_v(:,1) = [-r2; r1; 0]: its norm is the distance from the first axis
  *f = k_one->pr[0]/sqrt(r1[0]*r1[0] + r1[1]*r1[1]);
  if (buf != stack) free(buf);
  return 0;
}

// functionvalue from x_v, x_vv, n
static void body(NlArray** out, int, NlArray* const* in) {
  if (!NlDefined(in[0], "x_v", fname) || !NlDefined(in[1], "x_vv", fname)) return;
  int n = NlIndexOf(in[2], "n", fname);
  if (NlErrorPending()) return;
  double f;
  if (evaluate(in[0]->pr, NlNumel(in[0]), in[1], n, &f) == 0) out[0] = NlScalar(f);
}

//------------------------------------------------------------------ module constants

void InitializeModule_reachfunlength(void) {
  k_pi = NlScalar(3.14159265358979323846);
  k_180 = NlScalar(180.0);
  k_one = NlScalar(1.0);
}

void TerminateModule_reachfunlength(void) {
  NlDestroyArray(k_one);  k_one = nullptr;
  NlDestroyArray(k_180);  k_180 = nullptr;
  NlDestroyArray(k_pi);  k_pi = nullptr;
}

//------------------------------------------------------------------ entries

// scalar form of reachfunlength for the minimiser: extra = x_vv, n
int FastReachfunlength(const double* x, int nx, NlArray* const* extra, int nextra,
                       double* f) {
  if (!NlDefined(nextra > 0 ? extra[0] : nullptr, "x_vv", fname)) return -1;
  int n = NlIndexOf(nextra > 1 ? extra[1] : nullptr, "n", fname);
  if (NlErrorPending()) return -1;
  return evaluate(x, nx, extra[0], n, f);
}

// 1 / reach at the angles x_v; NULL after an error
NlArray* mlfReachfunlength(NlArray* x_v, NlArray* x_vv, NlArray* n) {
  NlArray* in[3] = {x_v, x_vv, n};
  NlArray* out[1] = {nullptr};
  NlRunBody(fname, outnames, 1, body, out, 1, in);
  return out[0];
}

void mlxReachfunlength(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 11, outnames, 1, 3, body, nlhs, plhs, nrhs, prhs);
}
