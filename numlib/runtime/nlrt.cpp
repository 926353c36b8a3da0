// nlrt.cpp -- arrays, run-time errors, contexts and the library registry
#include "nlrt.h"

#include <math.h>     // for: floor()
#include <stdarg.h>   // for: va_list
#include <stdio.h>    // for: fprintf(), vsnprintf(), snprintf(), fputs()
#include <stdlib.h>   // for: malloc(), realloc(), free()
#include <string.h>   // for: memcpy(), memset(), strlen()
#include <strings.h>  // for: strcasecmp()

//------------------------------------------------------------------ module state
static int live = 0;                       // arrays made and not destroyed
static int depth = 0;                      // nesting of call contexts
static int pending = 0;                    // an error is unwinding
static char last_error[512] = "";
static NlErrorHandler handler = nullptr;   // nullptr: print on stderr
static NlPrintHandler printer = nullptr;   // nullptr: print on stdout

#define NL_MAXLIB 16
static const NlLibrary* libs[NL_MAXLIB];   // registered libraries
static int lib_count[NL_MAXLIB];           // registrations of each

//------------------------------------------------------------------ static helpers

// storage for at least k elements, new ones zero; 0, or -1 after an out-of-memory error
// (the array is unchanged: a library call must never end the program)
static int reserve(NlArray* a, long k) {
  if (k <= a->cap) return 0;
  long old = a->cap > 0 ? a->cap : 0, cap = 2*old > k ? 2*old : k;
  if (cap < 4) cap = 4;
  double* p = k <= NL_MAXEL ? (double*)realloc(a->pr, sizeof(double)*(size_t)cap) : nullptr;
  if (!p) {
    NlRaise("Run-time Error: Out of memory.");
    return -1;
  }
  for (long i = old; i < cap; i++) p[i] = 0.0;
  a->pr = p;  a->cap = (int)cap;
  return 0;
}

// m x n zeros; NULL after an out-of-memory error
static NlArray* make(int m, int n) {
  NlArray* a = (NlArray*)calloc(1, sizeof(NlArray));
  if (!a || reserve(a, (long)m*n) != 0) {
    if (a) free(a);
    else NlRaise("Run-time Error: Out of memory.");
    return nullptr;
  }
  a->m = m;  a->n = n;
  live++;
  return a;
}

static void print_default(const char* message) {
  fprintf(stderr, "%s\n", message);
}

//------------------------------------------------------------------ arrays

// m x n zero array; only NL_REAL is supported (NL_COMPLEX gives NULL after an error)
NlArray* mclCreateDoubleMatrix(int m, int n, int complexity) {
  if (complexity != NL_REAL) {
    NlRaise("Run-time Error: complex arrays are not supported.");
    return nullptr;
  }
  if (m < 0) m = 0;
  if (n < 0) n = 0;
  return make(m, n);
}

// m x n array holding pr (column-major, m*n values); pi must be NULL (real only)
NlArray* mlfDoubleMatrix(int m, int n, const double* pr, const double* pi) {
  if (pi) {
    NlRaise("Run-time Error: complex arrays are not supported.");
    return nullptr;
  }
  NlArray* a = mclCreateDoubleMatrix(m, n, NL_REAL);
  if (a && pr && a->m*a->n > 0) memcpy(a->pr, pr, sizeof(double)*a->m*a->n);
  return a;
}

// bind src to *dst: the array *dst held is destroyed first; src becomes owned by *dst
void mlfAssign(NlArray** dst, NlArray* src) {
  if (!dst) return;
  if (*dst != src) NlDestroyArray(*dst);
  *dst = src;
}

// the real values, column-major; NULL for NULL
double* mclGetPr(const NlArray* a) {
  return a ? a->pr : nullptr;
}

// free an array; NULL does nothing
void NlDestroyArray(NlArray* a) {
  if (!a) return;
  free(a->pr);
  free(a);
  live--;
}

// 1 x 1 array holding v
NlArray* NlScalar(double v) {
  NlArray* a = make(1, 1);
  if (a) a->pr[0] = v;
  return a;
}

// 1 x strlen(s) character array
NlArray* NlString(const char* s) {
  int k = (int)strlen(s);
  NlArray* a = make(k ? 1 : 0, k);
  if (!a) return nullptr;
  for (int i = 0; i < k; i++) a->pr[i] = (unsigned char)s[i];
  a->is_char = 1;
  return a;
}

// 0 x 0 array
NlArray* NlEmpty(void) {
  return make(0, 0);
}

// the option names of the minimiser, as each optimising module keeps them
void NlMakeOptionNames(NlArray* names[4]) {
  static const char* text[4] = {"TolX", "TolFun", "MaxFunEvals", "MaxIter"};
  for (int k = 0; k < 4; k++) names[k] = NlString(text[k]);
}

// last to first, slots cleared
void NlDestroyArrays(NlArray** a, int count) {
  for (int k = count - 1; k >= 0; k--) {
    NlDestroyArray(a[k]);
    a[k] = nullptr;
  }
}

// a copy with the same shape and kind; NULL for NULL
NlArray* NlCopy(const NlArray* a) {
  if (!a) return nullptr;
  NlArray* c = make(a->m, a->n);
  if (!c) return nullptr;
  if (a->m*a->n > 0) memcpy(c->pr, a->pr, sizeof(double)*a->m*a->n);
  c->is_char = a->is_char;
  return c;
}

int NlRows(const NlArray* a) { return a ? a->m : 0; }
int NlCols(const NlArray* a) { return a ? a->n : 0; }
int NlNumel(const NlArray* a) { return a ? a->m*a->n : 0; }

// the text of a character array into buf (at most size-1 characters), NUL-terminated
void NlGetString(const NlArray* a, char* buf, int size) {
  int k = 0;
  if (a) {
    for (; k < a->m*a->n && k < size - 1; k++) buf[k] = (char)(int)a->pr[k];
  }
  buf[k] = '\0';
}

// a(i), 1-based linear index; beyond the size raises an index error and gives 0
double NlGet(const NlArray* a, int i) {
  if (!a || i < 1 || i > a->m*a->n) {
    NlRaise("Run-time Error: Index exceeds matrix dimensions.");
    return 0.0;
  }
  return a->pr[i - 1];
}

// a(i) = v; beyond the size grows a row (or empty) array along its columns, a column
// along its rows, with zeros in between; a matrix cannot grow by a linear index
void NlSet(NlArray* a, int i, double v) {
  if (i < 1) {
    NlRaise("Run-time Error: Index into matrix must be positive.");
    return;
  }
  int k = a->m*a->n;
  if (i > k) {
    if (k == 0 || a->m == 1) {
      if (reserve(a, i) != 0) return;
      a->m = 1;  a->n = i;
    } else if (a->n == 1) {
      if (reserve(a, i) != 0) return;
      a->m = i;
    } else {
      NlRaise("Run-time Error: A matrix cannot be resized by a linear index.");
      return;
    }
  }
  a->pr[i - 1] = v;
}

// a(i, j) = v; grows to max(m, i) x max(n, j) keeping the values, zeros elsewhere
void NlSet2(NlArray* a, int i, int j, double v) {
  if (i < 1 || j < 1) {
    NlRaise("Run-time Error: Index into matrix must be positive.");
    return;
  }
  if (i > a->m || j > a->n) {
    int m = i > a->m ? i : a->m, n = j > a->n ? j : a->n;
    double* p = (long)m*n <= NL_MAXEL ? (double*)calloc((size_t)m*n, sizeof(double)) : nullptr;
    if (!p) {
      NlRaise("Run-time Error: Out of memory.");
      return;
    }
    for (int c = 0; c < a->n; c++) {
      for (int r = 0; r < a->m; r++) p[c*m + r] = a->pr[c*a->m + r];
    }
    free(a->pr);
    a->pr = p;  a->cap = m*n;  a->m = m;  a->n = n;
  }
  a->pr[(j - 1)*a->m + (i - 1)] = v;
}

// arrays alive now (made and not yet destroyed); a leak check for the libraries
int NlLiveArrays(void) {
  return live;
}

// one line of a printed array to the print handler, else to standard output
static void put_line(const char* text) {
  if (printer) {
    printer(text);
    return;
  }
  fputs(text, stdout);
}

// print "name =" and the values by rows, line by line through the print handler
void NlPrintArray(const char* name, const NlArray* a) {
  char line[1024], v[400];                 // %12.4f of a double is at most 330 characters
  snprintf(line, sizeof(line), "%s =\n", name);
  put_line(line);
  put_line("\n");
  for (int r = 0; a && r < a->m; r++) {
    size_t k = 0;
    for (int c = 0; c < a->n; c++) {
      int w = snprintf(v, sizeof(v), " %12.4f", a->pr[c*a->m + r]);
      size_t len = w < 0 ? 0 : (size_t)w < sizeof(v) ? (size_t)w : sizeof(v) - 1;
      if (k + len + 2 > sizeof(line)) {    // a long row goes out in pieces
        put_line(line);
        k = 0;
      }
      memcpy(line + k, v, len);
      k += len;
      line[k] = '\0';
    }
    line[k] = '\n';
    line[k + 1] = '\0';
    put_line(line);
  }
  put_line("\n");
  if (!printer) fflush(stdout);
}

// NULL restores printing on standard output
void NlSetPrintHandler(NlPrintHandler h) {
  printer = h;
}

NlPrintHandler NlGetPrintHandler(void) {
  return printer;
}

//------------------------------------------------------------------ errors and contexts

// NULL restores the default handler
void NlSetErrorHandler(NlErrorHandler h) {
  handler = h;
}

// raise a run-time error: the handler receives the text once; the error stays pending,
// every runtime call unwinds, and the outermost context clears it when it is left
void NlRaise(const char* format, ...) {
  if (pending) return;                     // the first error is the one reported
  va_list ap;
  va_start(ap, format);
  vsnprintf(last_error, sizeof(last_error), format, ap);
  va_end(ap);
  pending = 1;
  (handler ? handler : print_default)(last_error);
  if (depth == 0) pending = 0;             // raised outside any call: nothing to unwind
}

// 1 while an error is pending
int NlErrorPending(void) {
  return pending;
}

// text of the last error raised, "" when none yet
const char* NlLastError(void) {
  return last_error;
}

// a call enters a context for its arguments and leaves it afterwards
void NlEnterContext(void) {
  depth++;
}

void NlExitContext(void) {
  if (depth > 0) depth--;
  if (depth == 0) pending = 0;
}

// 1 when a is defined; else raises the undefined-variable error naming var in fname
int NlDefined(const NlArray* a, const char* var, const char* fname) {
  if (a) return 1;
  NlRaise("Run-time Error: File: %s The variable \"%s\" is undefined (it holds no value).",
          fname, var);
  return 0;
}

// 0 when nlhs <= nout and nrhs <= nin; else raises the count error of fname at line
int NlCheckCounts(const char* fname, int line, int nlhs, int nout, int nrhs, int nin) {
  const char* what = nullptr;
  int k = 0;
  if (nlhs > nout) {
    what = "outputs";  k = nout;
  } else if (nrhs > nin) {
    what = "inputs";  k = nin;
  }
  if (!what) return 0;
  NlRaise("Run-time Error: File: %s Line: %d Column: 1 The function \"%s\" was called with "
          "more than the declared number of %s (%d).", fname, line, fname, what, k);
  return -1;
}

// the scalar value of a defined array (its first element); raises an error when empty
double NlScalarOf(const NlArray* a, const char* var, const char* fname) {
  if (!NlDefined(a, var, fname)) return 0.0;
  if (a->m*a->n < 1) {
    NlRaise("Run-time Error: File: %s The variable \"%s\" is empty where a value is needed.",
            fname, var);
    return 0.0;
  }
  return a->pr[0];
}

// the scalar value of a defined array as a count or code: a whole number of moderate size;
// anything else raises an error and gives 0
int NlIndexOf(const NlArray* a, const char* var, const char* fname) {
  double v = NlScalarOf(a, var, fname);
  if (NlErrorPending()) return 0;
  if (!(v >= -1e8 && v <= 1e8) || v != floor(v)) {
    NlRaise("Run-time Error: File: %s The variable \"%s\" must hold a whole number.", fname,
            var);
    return 0;
  }
  return (int)v;
}

//------------------------------------------------------------------ library registry

// register a library and run its initialisers; a second registration only counts
void NlRegisterLibrary(const NlLibrary* lib) {
  int free_slot = -1;
  for (int i = 0; i < NL_MAXLIB; i++) {
    if (libs[i] == lib) {
      lib_count[i]++;
      return;
    }
    if (!libs[i] && free_slot < 0) free_slot = i;
  }
  if (free_slot < 0) {
    fprintf(stderr, "array runtime: too many libraries\n");
    return;
  }
  libs[free_slot] = lib;  lib_count[free_slot] = 1;
  for (int m = 0; m < lib->nmod; m++) lib->init[m]();
}

// undo one registration; the last one runs the finalisers and removes the library
void NlUnregisterLibrary(const NlLibrary* lib) {
  for (int i = 0; i < NL_MAXLIB; i++) {
    if (libs[i] != lib) continue;
    if (--lib_count[i] > 0) return;
    for (int m = lib->nmod - 1; m >= 0; m--) lib->fini[m]();
    libs[i] = nullptr;
    return;
  }
}

// the registered function of that name, letter case ignored; NULL when none
const NlFunctionEntry* NlLookupFunction(const char* name) {
  for (int i = 0; i < NL_MAXLIB; i++) {
    if (!libs[i]) continue;
    for (int f = 0; f < libs[i]->nfun; f++) {
      if (strcasecmp(libs[i]->table[f].name, name) == 0) return &libs[i]->table[f];
    }
  }
  return nullptr;
}

// call a function by name in a context of its own; 0, or -1 after an error (outputs NULL)
int NlFeval(const char* name, int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  int k = nlhs < 1 ? 1 : nlhs;
  for (int i = 0; i < k; i++) plhs[i] = nullptr;
  NlEnterContext();
  const NlFunctionEntry* f = NlLookupFunction(name);
  if (!f) {
    NlRaise("Run-time Error: Undefined function \"%s\".", name);
  } else {
    f->mlx(nlhs, plhs, nrhs, prhs);
  }
  int failed = NlErrorPending();
  NlExitContext();
  if (failed) {
    for (int i = 0; i < k; i++) {
      NlDestroyArray(plhs[i]);
      plhs[i] = nullptr;
    }
    return -1;
  }
  return 0;
}

// run body in a context; out has nout slots, all NULL on entry: on success out[0..nargout-1]
// are set (an unassigned one raises the output error naming outnames[i] and fname) and
// the rest are destroyed; on failure all are NULL; 0 or -1
int NlRunBody(const char* fname, const char* const* outnames, int nout, NlBody body,
              NlArray** out, int nargout, NlArray* const* in) {
  NlEnterContext();
  body(out, nargout, in);
  for (int i = nargout; i < nout; i++) {
    NlDestroyArray(out[i]);
    out[i] = nullptr;
  }
  for (int i = 0; i < nargout && !NlErrorPending(); i++) {
    if (!out[i]) {
      NlRaise("Run-time Error: File: %s The output \"%s\" of function \"%s\" was not "
              "assigned a value.", fname, outnames[i], fname);
    }
  }
  int failed = NlErrorPending();
  NlExitContext();
  if (failed) {
    for (int i = 0; i < nout; i++) {
      NlDestroyArray(out[i]);
      out[i] = nullptr;
    }
    return -1;
  }
  return 0;
}

// the generic entry of a function: count checks (error at line), missing trailing inputs
// absent, outputs stored in plhs
void NlMlxDispatch(const char* fname, int line, const char* const* outnames, int nout,
                   int nin, NlBody body, int nlhs, NlArray* plhs[], int nrhs,
                   NlArray* prhs[]) {
  int k = nlhs < 1 ? 1 : nlhs;
  for (int i = 0; i < k; i++) plhs[i] = nullptr;
  NlEnterContext();
  if (NlCheckCounts(fname, line, nlhs, nout, nrhs, nin) == 0) {
    NlArray* in[32] = {nullptr};
    NlArray* out[32] = {nullptr};
    for (int i = 0; i < nrhs && i < 32; i++) in[i] = prhs[i];
    if (NlRunBody(fname, outnames, nout, body, out, k, in) == 0) {
      for (int i = 0; i < k; i++) plhs[i] = out[i];
    }
  }
  NlExitContext();
}
