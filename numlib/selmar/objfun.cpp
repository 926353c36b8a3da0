// objfun.cpp -- squared condition number of the plain Jacobian of a DH parameter set
#include "selmar.h"
#include "selmar_modules.h"
#include "nlchain.h"

#include <stdlib.h>   // for: malloc(), free()

//------------------------------------------------------------------ module state
static const char* fname = "objfun";
static const char* outnames[] = {"functionvalue", "H"};
static NlArray* k_pi = nullptr;
static NlArray* k_180 = nullptr;
static NlArray* k_36th = nullptr;            // 1/36
static NlArray* k_axis = nullptr;            // [0;0;1]

#define STACK_JOINTS 32

//------------------------------------------------------------------ static helpers

// f and H (6n, may be NULL) from x (4n values); 0, or -1 after an error
static int evaluate(const double* x, int nx, int n, double* f, double* H) {
  if (!k_pi) {
    NlRaise("Run-time Error: The library \"selmar\" is not initialised.");
    return -1;
  }
  if (n < 1) n = 0;
  if (nx < 4*n) {
    NlRaise("Run-time Error: File: %s Index exceeds matrix dimensions.", fname);
    return -1;
  }
  double stack[(4 + 18 + 3 + 3 + 6)*STACK_JOINTS];
  double* buf = n <= STACK_JOINTS ? stack : (double*)malloc(sizeof(double)*34*n);
  double *a = buf, *b = a + n, *al = b + n, *th = al + n, *work = th + n;
  double *exr = work + 18*n, *e = exr + 3*n, *Hm = H ? H : e + 3*n;
  double rad = k_pi->pr[0]/k_180->pr[0];
  for (int i = 0; i < n; i++) {
    a[i] = x[i];  b[i] = x[n + i];  al[i] = x[2*n + i]*rad;  th[i] = x[3*n + i]*rad;
  }
  NlChainEval(n, a, b, al, th, nullptr, exr, e, work);
  for (int i = 0; i < n; i++) {
    for (int k = 0; k < 3; k++) {
      Hm[6*i + k] = e[3*i + k];
      Hm[6*i + 3 + k] = exr[3*i + k];
    }
  }
  *f = NlKapaSquare(Hm, 6, n);               // carries the 1/36 of six rows
  if (buf != stack) free(buf);
  return 0;
}

// functionvalue, H from x_v, n
static void body(NlArray** out, int nargout, NlArray* const* in) {
  if (!NlDefined(in[0], "x_v", fname)) return;
  int n = NlIndexOf(in[1], "n", fname);
  if (NlErrorPending()) return;
  NlArray* H = mclCreateDoubleMatrix(6, n < 1 ? 0 : n, NL_REAL);
  double f;
  if (evaluate(in[0]->pr, NlNumel(in[0]), n, &f, H->pr) != 0) {
    NlDestroyArray(H);
    return;
  }
  out[0] = NlScalar(f);
  if (nargout > 1) out[1] = H; else NlDestroyArray(H);
}

//------------------------------------------------------------------ module constants

void InitializeModule_objfun(void) {
  double z[3] = {0.0, 0.0, 1.0};
  k_pi = NlScalar(3.14159265358979323846);
  k_180 = NlScalar(180.0);
  k_36th = NlScalar(1.0/36.0);
  k_axis = mlfDoubleMatrix(3, 1, z, nullptr);
}

void TerminateModule_objfun(void) {
  NlDestroyArray(k_axis);  k_axis = nullptr;
  NlDestroyArray(k_36th);  k_36th = nullptr;
  NlDestroyArray(k_180);  k_180 = nullptr;
  NlDestroyArray(k_pi);  k_pi = nullptr;
}

//------------------------------------------------------------------ entries

// scalar form of objfun for the minimiser: extra = n
int FastObjfun(const double* x, int nx, NlArray* const* extra, int nextra, double* f) {
  int n = NlIndexOf(nextra > 0 ? extra[0] : nullptr, "n", fname);
  if (NlErrorPending()) return -1;
  return evaluate(x, nx, n, f, nullptr);
}

// functionvalue and H; NULL after an error
NlArray* mlfObjfun(NlArray** H, NlArray* x_v, NlArray* n) {
  NlArray* in[2] = {x_v, n};
  NlArray* out[2] = {nullptr, nullptr};
  NlRunBody(fname, outnames, 2, body, out, H ? 2 : 1, in);
  if (H) mlfAssign(H, out[1]);
  return out[0];
}

void mlxObjfun(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 7, outnames, 2, 2, body, nlhs, plhs, nrhs, prhs);
}
