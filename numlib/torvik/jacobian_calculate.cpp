// jacobian_calculate.cpp -- squared condition number of the homogenised Jacobian at a posture
#include "torvik.h"
#include "torvik_modules.h"
#include "nlchain.h"

#include <stdlib.h>   // for: malloc(), free()

//------------------------------------------------------------------ module state
static const char* fname = "jacobian_calculate";
static const char* outnames[] = {"functionvalue", "H", "r_v", "l"};
static NlArray* k_pi = nullptr;              // constants of the module
static NlArray* k_180 = nullptr;
static NlArray* k_axis = nullptr;            // [0;0;1]

#define STACK_JOINTS 32

//------------------------------------------------------------------ static helpers

// the evaluation on plain values; H (6n), rv (3n), l may be NULL; 0, or -1 after an error
static int evaluate(const double* x, int nx, const NlArray* x_vv, int n, double M,
                    const NlArray* typev, int robottype, double* f, double* H, int* d,
                    double* rv, double* l) {
  if (!k_pi) {
    NlRaise("Run-time Error: The library \"torvik\" is not initialised.");
    return -1;
  }
  if (n < 1) n = 0;
  if (NlNumel(x_vv) < 4*n || nx < (n > 1 ? n : 1) || (n > 1 && NlNumel(typev) < n)) {
    NlRaise("Run-time Error: File: %s Index exceeds matrix dimensions.", fname);
    return -1;
  }
  if (robottype != PositionOrientation && robottype != Orientation &&
      robottype != Position_r) {
    // no branch assigns H for this kind
    NlDefined(nullptr, "H", fname);
    return -1;
  }
  double stack[(4 + 18 + 3 + 3 + 3)*STACK_JOINTS];
  double* buf = n <= STACK_JOINTS ? stack : (double*)malloc(sizeof(double)*31*n);
  double *a = buf, *b = a + n, *al = b + n, *th = al + n, *work = th + n;
  double *r = work + 18*n, *exr = r + 3*n, *e = exr + 3*n;
  const double* p = x_vv->pr;
  double rad = k_pi->pr[0]/k_180->pr[0];
  for (int i = 0; i < n; i++) {
    a[i] = p[i];  b[i] = p[n + i];  al[i] = p[2*n + i]*rad;  th[i] = p[3*n + i];
  }
  for (int i = 1; i < n; i++) {
    if (typev->pr[i] != 0.0) {
      b[i] = x[i];
    } else {
      th[i] = x[i];
    }
  }
  for (int i = 0; i < n; i++) th[i] *= rad;
  double oM = x[0];
  if (l) *l = M/oM;
  NlChainEval(n, a, b, al, th, r, exr, e, work);
  double Hl[6*STACK_JOINTS];
  double* Hm = H ? H : (n <= STACK_JOINTS ? Hl : (double*)malloc(sizeof(double)*6*n));
  int dim;
  if (robottype == PositionOrientation) {
    dim = 6;
    for (int i = 0; i < n; i++) {
      for (int k = 0; k < 3; k++) {
        Hm[6*i + k] = e[3*i + k];
        Hm[6*i + 3 + k] = (-exr[3*i + k]/M)*oM;
      }
    }
  } else if (robottype == Orientation) {
    dim = 3;
    for (int k = 0; k < 3*n; k++) Hm[k] = e[k];
  } else {
    dim = 3;
    for (int k = 0; k < 3*n; k++) Hm[k] = -exr[k];
  }
  *f = NlKapaSquare(Hm, dim, n);
  if (d) *d = dim;
  if (rv) {
    for (int k = 0; k < 3*n; k++) rv[k] = r[k];
  }
  if (Hm != H && Hm != Hl) free(Hm);
  if (buf != stack) free(buf);
  return 0;
}

// functionvalue, H, r_v, l from x_v, x_vv, n, M, typev, robottype
static void body(NlArray** out, int nargout, NlArray* const* in) {
  const char* names[] = {"x_v", "x_vv", "n", "M", "typev", "robottype"};
  // read in the order the formula needs them: x_vv, n, typev, x_v, M, robottype
  static const int order[] = {1, 2, 4, 0, 3, 5};
  for (int k = 0; k < 6; k++) {
    if (!NlDefined(in[order[k]], names[order[k]], fname)) return;
  }
  int n = NlIndexOf(in[2], "n", fname);
  double M = NlScalarOf(in[3], "M", fname);
  int robottype = NlIndexOf(in[5], "robottype", fname);
  if (NlErrorPending()) return;
  int nn = n < 1 ? 0 : n;
  NlArray* H = mclCreateDoubleMatrix(6, nn, NL_REAL);
  NlArray* rv = mclCreateDoubleMatrix(3, nn, NL_REAL);
  double f = 0.0, l = 0.0;
  int d = 0;
  if (evaluate(in[0]->pr, NlNumel(in[0]), in[1], n, M, in[4], robottype, &f, H->pr, &d,
               rv->pr, &l) != 0) {
    NlDestroyArray(H);
    NlDestroyArray(rv);
    return;
  }
  H->m = d;                                  // column-major d x n fills the front
  out[0] = NlScalar(f);
  if (nargout > 1) out[1] = H; else NlDestroyArray(H);
  if (nargout > 2) out[2] = rv; else NlDestroyArray(rv);
  if (nargout > 3) out[3] = NlScalar(l);
}

//------------------------------------------------------------------ module constants

void InitializeModule_jacobian_calculate(void) {
  double z[3] = {0.0, 0.0, 1.0};
  k_pi = NlScalar(3.14159265358979323846);
  k_180 = NlScalar(180.0);
  k_axis = mlfDoubleMatrix(3, 1, z, nullptr);
}

void TerminateModule_jacobian_calculate(void) {
  NlDestroyArray(k_axis);  k_axis = nullptr;
  NlDestroyArray(k_180);  k_180 = nullptr;
  NlDestroyArray(k_pi);  k_pi = nullptr;
}

//------------------------------------------------------------------ entries

// scalar form of jacobian_calculate for the minimiser: extra = x_vv, n, M, typev, robottype
int FastJacobian_calculate(const double* x, int nx, NlArray* const* extra, int nextra,
                           double* f) {
  const char* names[] = {"x_vv", "n", "M", "typev", "robottype"};
  for (int k = 0; k < 5; k++) {
    if (!NlDefined(k < nextra ? extra[k] : nullptr, names[k], fname)) return -1;
  }
  int n = NlIndexOf(extra[1], "n", fname);
  double M = NlScalarOf(extra[2], "M", fname);
  int robottype = NlIndexOf(extra[4], "robottype", fname);
  if (NlErrorPending()) return -1;
  return evaluate(x, nx, extra[0], n, M, extra[3], robottype, f, nullptr, nullptr, nullptr,
                  nullptr);
}

// functionvalue = squared condition number of H; H the (homogenised) Jacobian; r_v the
// 3 x n end-point vectors; l = M / x_v(1); NULL after an error
NlArray* mlfJacobian_calculate(NlArray** H, NlArray** r_v, NlArray** l, NlArray* x_v,
                               NlArray* x_vv, NlArray* n, NlArray* M, NlArray* typev,
                               NlArray* robottype) {
  NlArray* in[6] = {x_v, x_vv, n, M, typev, robottype};
  NlArray* out[4] = {nullptr, nullptr, nullptr, nullptr};
  NlArray** ptr[3] = {H, r_v, l};
  // outputs come in order: ask for all up to the last wanted one
  int want = 1;
  for (int k = 0; k < 3; k++) {
    if (ptr[k]) want = k + 2;
  }
  NlRunBody(fname, outnames, 4, body, out, want, in);
  for (int k = 0; k < 3; k++) {
    if (ptr[k]) mlfAssign(ptr[k], out[k + 1]);
    else NlDestroyArray(out[k + 1]);
  }
  return out[0];
}

void mlxJacobian_calculate(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch(fname, 16, outnames, 4, 6, body, nlhs, plhs, nrhs, prhs);
}
