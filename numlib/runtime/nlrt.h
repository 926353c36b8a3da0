// nlrt.h -- the array runtime of the numeric libraries: arrays, errors, registry, minimiser
#ifndef VELMORA_NLRT_H
#define VELMORA_NLRT_H

//------------------------------------------------------------------ arrays
// a dense real double matrix, column-major; a character array holds one code per element
typedef struct _NlArray_ {
  int m, n;                   // rows and columns
  int cap;                    // allocated elements of pr
  int is_char;                // 1 for a text literal
  double* pr;                 // m*n values, column-major
} NlArray;

enum { NL_REAL = 0, NL_COMPLEX = 1 };

// the largest block of doubles the runtime allocates (an array, the minimiser's work
// block): 128 MiB; a larger request is an out-of-memory error
#define NL_MAXEL (1L << 24)

// m x n zero array; only NL_REAL is supported (NL_COMPLEX gives NULL after an error, and
// so does an array beyond the runtime's size limit: errors never end the program)
NlArray* mclCreateDoubleMatrix(int m, int n, int complexity);
// m x n array holding pr (column-major, m*n values); pi must be NULL (real only)
NlArray* mlfDoubleMatrix(int m, int n, const double* pr, const double* pi);
// bind src to *dst: the array *dst held is destroyed first; src becomes owned by *dst
void mlfAssign(NlArray** dst, NlArray* src);
// the real values, column-major; NULL for NULL
double* mclGetPr(const NlArray* a);
// free an array; NULL does nothing
void NlDestroyArray(NlArray* a);

// 1 x 1 array holding v
NlArray* NlScalar(double v);
// 1 x strlen(s) character array
NlArray* NlString(const char* s);
// 0 x 0 array
NlArray* NlEmpty(void);
// the minimiser's four option names "TolX", "TolFun", "MaxFunEvals", "MaxIter" into names
void NlMakeOptionNames(NlArray* names[4]);
// destroy count arrays from the last to the first and clear their slots
void NlDestroyArrays(NlArray** a, int count);
// a copy with the same shape and kind; NULL for NULL
NlArray* NlCopy(const NlArray* a);
int NlRows(const NlArray* a);
int NlCols(const NlArray* a);
int NlNumel(const NlArray* a);
// the text of a character array into buf (at most size-1 characters), NUL-terminated
void NlGetString(const NlArray* a, char* buf, int size);
// a(i), 1-based linear index; beyond the size raises an index error and gives 0
double NlGet(const NlArray* a, int i);
// a(i) = v; beyond the size grows a row (or empty) array along its columns, a column
// along its rows, with zeros in between; a matrix cannot grow by a linear index
void NlSet(NlArray* a, int i, double v);
// a(i, j) = v; grows to max(m, i) x max(n, j) keeping the values, zeros elsewhere
void NlSet2(NlArray* a, int i, int j, double v);
// arrays alive now (made and not yet destroyed); a leak check for the libraries
int NlLiveArrays(void);
// print "name =" and the values by rows, line by line through the print handler
void NlPrintArray(const char* name, const NlArray* a);
// receives each printed line, newline included; the default prints it on standard output
typedef void (*NlPrintHandler)(const char* text);
// NULL restores the default
void NlSetPrintHandler(NlPrintHandler h);
NlPrintHandler NlGetPrintHandler(void);

//------------------------------------------------------------------ errors and contexts
// receives the full text of a run-time error; the default prints it on standard error
typedef void (*NlErrorHandler)(const char* message);
// NULL restores the default handler
void NlSetErrorHandler(NlErrorHandler h);
// raise a run-time error: the handler receives the text once; the error stays pending,
// every runtime call unwinds, and the outermost context clears it when it is left
void NlRaise(const char* format, ...);
// 1 while an error is pending
int NlErrorPending(void);
// text of the last error raised, "" when none yet
const char* NlLastError(void);
// a call enters a context for its arguments and leaves it afterwards
void NlEnterContext(void);
void NlExitContext(void);
// 1 when a is defined; else raises the undefined-variable error naming var in fname
int NlDefined(const NlArray* a, const char* var, const char* fname);
// 0 when nlhs <= nout and nrhs <= nin; else raises the count error of fname at line
int NlCheckCounts(const char* fname, int line, int nlhs, int nout, int nrhs, int nin);
// the scalar value of a defined array (its first element); raises an error when empty
double NlScalarOf(const NlArray* a, const char* var, const char* fname);
// the scalar value as a count or code: a whole number within +-1e8, else an error and 0
int NlIndexOf(const NlArray* a, const char* var, const char* fname);

//------------------------------------------------------------------ library registry
// generic entry: nlhs outputs wanted into plhs (at least one slot), nrhs inputs in prhs
typedef void (*NlMlxFunc)(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);
// scalar form of an objective for the minimiser: f(x, extra...); 0, or -1 after an error
typedef int (*NlFastFunc)(const double* x, int nx, NlArray* const* extra, int nextra,
                          double* f);

typedef struct _NlFunctionEntry_ {
  const char* name;           // the function's name
  NlMlxFunc mlx;              // generic entry
  int nin, nout;              // declared inputs and outputs
  NlFastFunc fast;            // allocation-free objective form, or NULL
} NlFunctionEntry;

typedef struct _NlLibrary_ {
  const char* name;
  const NlFunctionEntry* table;
  int nfun;
  void (*const* init)(void);  // module constant initialisers, nmod of them
  void (*const* fini)(void);  // matching finalisers
  int nmod;
} NlLibrary;

// register a library and run its initialisers; a second registration only counts
void NlRegisterLibrary(const NlLibrary* lib);
// undo one registration; the last one runs the finalisers and removes the library
void NlUnregisterLibrary(const NlLibrary* lib);
// the registered function of that name, letter case ignored; NULL when none
const NlFunctionEntry* NlLookupFunction(const char* name);
// call a function by name in a context of its own; 0, or -1 after an error (outputs NULL)
int NlFeval(const char* name, int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]);

// a function body: reads in[0..nin-1] (NULL = not supplied), assigns out[0..nargout-1]
typedef void (*NlBody)(NlArray** out, int nargout, NlArray* const* in);
// run body in a context; out has nout slots, all NULL on entry: on success out[0..nargout-1]
// are set (an unassigned one raises the output error naming outnames[i] and fname) and
// the rest are destroyed; on failure all are NULL; 0 or -1
int NlRunBody(const char* fname, const char* const* outnames, int nout, NlBody body,
              NlArray** out, int nargout, NlArray* const* in);
// the generic entry of a function: count checks (error at line), missing trailing inputs
// absent, outputs stored in plhs
void NlMlxDispatch(const char* fname, int line, const char* const* outnames, int nout,
                   int nin, NlBody body, int nlhs, NlArray* plhs[], int nrhs,
                   NlArray* prhs[]);

//------------------------------------------------------------------ minimiser
typedef struct _NlOptions_ {
  double TolX;                // simplex size: largest coordinate distance from the best vertex
  double TolFun;              // spread: largest value distance from the best value
  double MaxFunEvals;
  double MaxIter;
} NlOptions;

typedef struct _NlSearchReport_ {
  int iterations;
  int funcCount;
  char algorithm[40];
  char message[120];
} NlSearchReport;

// defaults for nvars variables: 1e-4, 1e-4, 200 nvars, 200 nvars
void NlOptionsDefault(NlOptions* o, int nvars);
// set the option named by the character array name to the scalar value; 0, or -1 after
// an error for an unknown name or a non-scalar value
int NlOptionsSet(NlOptions* o, const NlArray* name, const NlArray* value);
// defaults for nvars variables, then both tolerances = tol and both limits = max through
// the four option names; 0, or -1 after an error
int NlOptionsFixed(NlOptions* o, int nvars, NlArray* const names[4], const NlArray* tol,
                   const NlArray* max);

// Nelder-Mead (reflection 1, expansion 2, contraction 0.5, shrink 0.5) of the function
// called fname, from x0 (the result has its shape), extra arguments passed after x;
// exitflag 1 when simplex size <= TolX and spread <= TolFun, 0 at MaxFunEvals or MaxIter;
// NaN and +Inf rank worst and fail the spread test; NULL after an error, the out-of-memory
// error when the work block of n (n + 6) + 2 doubles exceeds NL_MAXEL (n > 4093)
NlArray* NlFminsearch(const char* fname, const NlArray* x0, const NlOptions* o,
                      NlArray* const* extra, int nextra, double* fval, int* exitflag,
                      NlSearchReport* rep);
// the initial simplex: vertex i moves coordinate i by h = max(5 % of |x0[i]|, floor)
double NlSimplexStep(double x0);
// the floor of the initial step, 5 by default (degrees or length units)
void NlSetSimplexFloor(double h);
double NlGetSimplexFloor(void);

#endif
