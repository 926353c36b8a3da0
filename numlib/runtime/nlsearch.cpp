// nlsearch.cpp -- minimiser options and the Nelder-Mead simplex search
#include "nlrt.h"

#include <math.h>     // for: fabs(), isnan(), isfinite()
#include <stdint.h>   // for: SIZE_MAX
#include <stdio.h>    // for: snprintf()
#include <stdlib.h>   // for: malloc(), free()
#include <string.h>   // for: memcpy(), strcasecmp()
#include <strings.h>  // for: strcasecmp()

//------------------------------------------------------------------ module state
// the smallest initial step of a coordinate: the variables are angles in degrees and
// lengths, so a step of a few units explores the function, whatever the start value
static double step_floor = 5.0;
static double step_ratio = 0.05;             // or 5 % of the start value when larger

//------------------------------------------------------------------ static helpers

// the objective: a registered function called with x and the extra arguments
typedef struct _Objective_ {
  const NlFunctionEntry* fe;
  NlArray* const* extra;
  int nextra;
  NlArray* xa;                               // x in the start vector's shape (generic form)
  NlArray** args;                            // xa, then the extras
} Objective;

// f(x); 0, or -1 after an error
static int evaluate(Objective* ob, const double* x, int nx, double* f) {
  if (ob->fe->fast) return ob->fe->fast(x, nx, ob->extra, ob->nextra, f);
  memcpy(ob->xa->pr, x, sizeof(double)*nx);
  NlArray* out[1] = {nullptr};
  ob->fe->mlx(1, out, 1 + ob->nextra, ob->args);
  if (NlErrorPending()) {
    NlDestroyArray(out[0]);
    return -1;
  }
  if (!out[0] || NlNumel(out[0]) < 1) {
    NlDestroyArray(out[0]);
    NlRaise("Run-time Error: The objective \"%s\" returned no value.", ob->fe->name);
    return -1;
  }
  *f = out[0]->pr[0];
  NlDestroyArray(out[0]);
  return 0;
}

// ranking value: NaN counts as +Inf, so both rank worst
static double key(double f) {
  return isnan(f) ? INFINITY : f;
}

// order idx[0..k-1] by ascending key of f; insertion keeps equal values in place
static void sort_vertices(int* idx, const double* f, int k) {
  for (int i = 1; i < k; i++) {
    int v = idx[i], j = i - 1;
    while (j >= 0 && key(f[idx[j]]) > key(f[v])) {
      idx[j + 1] = idx[j];
      j--;
    }
    idx[j + 1] = v;
  }
}

// both tests: every vertex within TolX of the best in each coordinate, every value finite
// and within TolFun of the best
static int converged(const double* V, const double* f, const int* idx, int n, double tolx,
                     double tolfun) {
  const double* b = V + idx[0]*n;
  for (int i = 0; i <= n; i++) {
    if (!isfinite(f[idx[i]])) return 0;
    if (fabs(f[idx[i]] - f[idx[0]]) > tolfun) return 0;
  }
  for (int i = 1; i <= n; i++) {
    const double* v = V + idx[i]*n;
    for (int j = 0; j < n; j++) {
      if (!(fabs(v[j] - b[j]) <= tolx)) return 0;
    }
  }
  return 1;
}

// doubles in the work block of n variables: n+1 vertices of n, their n+1 values, the
// centroid, three trial points and one spare = n (n + 6) + 2; 0 when that exceeds the
// runtime's largest block (NL_MAXEL), computed in size_t so a large n cannot wrap
static size_t work_doubles(int n) {
  size_t m = (size_t)n;
  if (n < 0 || m > (SIZE_MAX - 2)/(m + 6)) return 0;
  size_t total = m*(m + 6) + 2;
  return total <= (size_t)NL_MAXEL ? total : 0;
}

//------------------------------------------------------------------ options

// defaults for nvars variables: 1e-4, 1e-4, 200 nvars, 200 nvars
void NlOptionsDefault(NlOptions* o, int nvars) {
  o->TolX = 1e-4;
  o->TolFun = 1e-4;
  o->MaxFunEvals = 200.0*nvars;
  o->MaxIter = 200.0*nvars;
}

// set the option named by the character array name to the scalar value; 0, or -1 after
// an error for an unknown name or a non-scalar value
int NlOptionsSet(NlOptions* o, const NlArray* name, const NlArray* value) {
  char s[32];
  if (!NlDefined(name, "name", "optimset") || !NlDefined(value, "value", "optimset")) return -1;
  NlGetString(name, s, sizeof(s));
  if (NlNumel(value) != 1) {
    NlRaise("Run-time Error: The option \"%s\" needs a scalar value.", s);
    return -1;
  }
  double v = value->pr[0];
  if (strcasecmp(s, "TolX") == 0) {
    o->TolX = v;
  } else if (strcasecmp(s, "TolFun") == 0) {
    o->TolFun = v;
  } else if (strcasecmp(s, "MaxFunEvals") == 0) {
    o->MaxFunEvals = v;
  } else if (strcasecmp(s, "MaxIter") == 0) {
    o->MaxIter = v;
  } else {
    NlRaise("Run-time Error: Unrecognized option name \"%s\".", s);
    return -1;
  }
  return 0;
}

// the fixed options of the modules that do not take them as inputs
int NlOptionsFixed(NlOptions* o, int nvars, NlArray* const names[4], const NlArray* tol,
                   const NlArray* max) {
  NlOptionsDefault(o, nvars);
  const NlArray* values[4] = {tol, tol, max, max};
  for (int k = 0; k < 4; k++)
    if (NlOptionsSet(o, names[k], values[k]) != 0) return -1;
  return 0;
}

//------------------------------------------------------------------ minimiser

// h = max(5 % of |x0|, floor)
double NlSimplexStep(double x0) {
  double h = step_ratio*fabs(x0);
  return h > step_floor ? h : step_floor;
}

void NlSetSimplexFloor(double h) { step_floor = h; }
double NlGetSimplexFloor(void) { return step_floor; }

// Nelder-Mead (reflection 1, expansion 2, contraction 0.5, shrink 0.5) of the function
// called fname, from x0 (the result has its shape), extra arguments passed after x;
// exitflag 1 when simplex size <= TolX and spread <= TolFun, 0 at MaxFunEvals or MaxIter;
// NaN and +Inf rank worst and fail the spread test; NULL after an error, the out-of-memory
// error when the work block of n (n + 6) + 2 doubles exceeds NL_MAXEL (n > 4093)
NlArray* NlFminsearch(const char* fname, const NlArray* x0, const NlOptions* o,
                      NlArray* const* extra, int nextra, double* fval, int* exitflag,
                      NlSearchReport* rep) {
  NlSearchReport dummy;
  if (!rep) rep = &dummy;
  memset(rep, 0, sizeof(*rep));
  snprintf(rep->algorithm, sizeof(rep->algorithm), "Nelder-Mead simplex direct search");
  *exitflag = 0;
  *fval = NAN;
  if (!NlDefined(x0, "x0", "fminsearch")) return nullptr;
  Objective ob = {NlLookupFunction(fname), extra, nextra, nullptr, nullptr};
  if (!ob.fe) {
    NlRaise("Run-time Error: Undefined function \"%s\".", fname);
    return nullptr;
  }
  NlEnterContext();                          // an objective's error stays pending until here
  int n = NlNumel(x0);
  int k = n + 1;

  // one block for the vertices, their values, the centroid and the trial points (so the
  // int offsets below stay under NL_MAXEL), the vertex order apart; an allocation that
  // fails is the runtime's out-of-memory error, as for arrays
  size_t nwork = work_doubles(n);
  double* V = nwork ? (double*)malloc(sizeof(double)*nwork) : nullptr;
  int* idx = V ? (int*)malloc(sizeof(int)*(size_t)k) : nullptr;
  int fcount = 0, iter = 0, rc = 0;
  if (idx && !ob.fe->fast) {
    ob.xa = NlCopy(x0);
    ob.args = (NlArray**)malloc(sizeof(NlArray*)*(1 + (size_t)(nextra > 0 ? nextra : 0)));
    if (ob.args) {
      ob.args[0] = ob.xa;
      for (int i = 0; i < nextra; i++) ob.args[1 + i] = extra[i];
    }
  }
  if (!idx || (!ob.fe->fast && (!ob.xa || !ob.args))) {
    if (!NlErrorPending()) NlRaise("Run-time Error: Out of memory.");
    free(ob.args);
    NlDestroyArray(ob.xa);
    free(idx);
    free(V);
    *exitflag = 0;
    snprintf(rep->message, sizeof(rep->message), "Stopped: out of memory.");
    NlExitContext();
    return nullptr;
  }
  double* f = V + (size_t)k*n;
  double* xbar = f + k;
  double* xr = xbar + n;
  double* xe = xr + n;
  double* xc = xe + n;
  double maxfun = o->MaxFunEvals, maxiter = o->MaxIter;
  const char* how = "";

  // start vertex and one step along each coordinate
  for (int i = 0; i < k; i++) {
    idx[i] = i;
    memcpy(V + i*n, x0->pr, sizeof(double)*n);
    if (i > 0) V[i*n + i - 1] += NlSimplexStep(x0->pr[i - 1]);
    rc = evaluate(&ob, V + i*n, n, &f[i]);
    fcount++;
    if (rc) break;
  }
  if (rc == 0) sort_vertices(idx, f, k);

  while (rc == 0) {
    if (n == 0) {                            // nothing to search
      *exitflag = isfinite(f[0]) ? 1 : 0;
      how = "there are no variables";
      break;
    }
    if (converged(V, f, idx, n, o->TolX, o->TolFun)) {
      *exitflag = 1;
      how = "the simplex size and the value spread are within TolX and TolFun";
      break;
    }
    if (fcount >= maxfun) {
      how = "the evaluation limit MaxFunEvals was reached";
      break;
    }
    if (iter >= maxiter) {
      how = "the iteration limit MaxIter was reached";
      break;
    }
    iter++;
    int w = idx[n];                          // worst vertex
    double* vw = V + w*n;
    double fb = key(f[idx[0]]), fs = key(f[idx[n - 1]]), fw = key(f[w]);
    for (int j = 0; j < n; j++) xbar[j] = 0.0;
    for (int i = 0; i < n; i++) {
      const double* v = V + idx[i]*n;
      for (int j = 0; j < n; j++) xbar[j] += v[j];
    }
    for (int j = 0; j < n; j++) xbar[j] /= n;

    // reflect
    double fr, fe, fc;
    for (int j = 0; j < n; j++) xr[j] = 2.0*xbar[j] - vw[j];
    if ((rc = evaluate(&ob, xr, n, &fr))) break;
    fcount++;
    int shrink = 0;
    if (key(fr) < fb) {
      // expand
      for (int j = 0; j < n; j++) xe[j] = 3.0*xbar[j] - 2.0*vw[j];
      if ((rc = evaluate(&ob, xe, n, &fe))) break;
      fcount++;
      if (key(fe) < key(fr)) {
        memcpy(vw, xe, sizeof(double)*n);  f[w] = fe;
      } else {
        memcpy(vw, xr, sizeof(double)*n);  f[w] = fr;
      }
    } else if (key(fr) < fs) {
      memcpy(vw, xr, sizeof(double)*n);  f[w] = fr;
    } else if (key(fr) < fw) {
      // contract outside
      for (int j = 0; j < n; j++) xc[j] = 1.5*xbar[j] - 0.5*vw[j];
      if ((rc = evaluate(&ob, xc, n, &fc))) break;
      fcount++;
      if (key(fc) <= key(fr)) {
        memcpy(vw, xc, sizeof(double)*n);  f[w] = fc;
      } else {
        shrink = 1;
      }
    } else {
      // contract inside
      for (int j = 0; j < n; j++) xc[j] = 0.5*xbar[j] + 0.5*vw[j];
      if ((rc = evaluate(&ob, xc, n, &fc))) break;
      fcount++;
      if (key(fc) < fw) {
        memcpy(vw, xc, sizeof(double)*n);  f[w] = fc;
      } else {
        shrink = 1;
      }
    }
    if (shrink) {
      const double* vb = V + idx[0]*n;
      for (int i = 1; i <= n && rc == 0; i++) {
        double* v = V + idx[i]*n;
        for (int j = 0; j < n; j++) v[j] = vb[j] + 0.5*(v[j] - vb[j]);
        rc = evaluate(&ob, v, n, &f[idx[i]]);
        fcount++;
      }
      if (rc) break;
    }
    sort_vertices(idx, f, k);
  }

  NlArray* x = nullptr;
  if (rc == 0) {
    x = NlCopy(x0);
    memcpy(x->pr, V + idx[0]*n, sizeof(double)*n);
    *fval = f[idx[0]];
  } else {
    *exitflag = 0;
    how = "an error in the objective";
  }
  rep->iterations = iter;
  rep->funcCount = fcount;
  snprintf(rep->message, sizeof(rep->message), "Stopped: %s.", how);
  free(idx);
  free(V);
  free(ob.args);
  NlDestroyArray(ob.xa);
  NlExitContext();
  return x;
}
