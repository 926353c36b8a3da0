// test_runtime.cpp -- covers numlib/runtime: arrays, errors, registry, Nelder-Mead
#include <gtest/gtest.h>

#include <math.h>

#include "nlrt.h"
#include "nl_capture.h"

//------------------------------------------------------------------ a library of test functions

static int evals = 0;

// (x1 - c1)^2 + 10 (x2 - c2)^2 with c the extra argument
static void quad_mlx(int, NlArray* plhs[], int, NlArray* prhs[]) {
  const double *x = prhs[0]->pr, *c = prhs[1]->pr;
  evals++;
  plhs[0] = NlScalar((x[0] - c[0])*(x[0] - c[0]) + 10*(x[1] - c[1])*(x[1] - c[1]));
}

static void rosen_mlx(int, NlArray* plhs[], int, NlArray* prhs[]) {
  const double* x = prhs[0]->pr;
  plhs[0] = NlScalar(100*pow(x[1] - x[0]*x[0], 2) + pow(1 - x[0], 2));
}

static void inf_mlx(int, NlArray* plhs[], int, NlArray*[]) {
  evals++;
  plhs[0] = NlScalar(INFINITY);
}

// NaN left of x1 = 1, else a bowl at (2, 2): NaN must rank worst
static void nan_mlx(int, NlArray* plhs[], int, NlArray* prhs[]) {
  const double* x = prhs[0]->pr;
  plhs[0] = NlScalar(x[0] < 1 ? NAN : pow(x[0] - 2, 2) + pow(x[1] - 2, 2));
}

// a gentle bowl at (3, -2): values change little, so only the size test keeps it going
static void flat_mlx(int, NlArray* plhs[], int, NlArray* prhs[]) {
  const double* x = prhs[0]->pr;
  plhs[0] = NlScalar(1e-3*(pow(x[0] - 3, 2) + pow(x[1] + 2, 2)));
}

// fails after the first three calls
static int fail_calls = 0;
static void fail_mlx(int, NlArray* plhs[], int, NlArray* prhs[]) {
  if (++fail_calls > 3) {
    NlRaise("Run-time Error: deliberate failure.");
    return;
  }
  plhs[0] = NlScalar(prhs[0]->pr[0]);
}

static const char* noout_names[] = {"y", "z"};
static void noout_body(NlArray** out, int, NlArray* const*) {
  out[0] = NlScalar(1);                      // z is never assigned
}
static void noout_mlx(int nlhs, NlArray* plhs[], int nrhs, NlArray* prhs[]) {
  NlMlxDispatch("noout", 3, noout_names, 2, 1, noout_body, nlhs, plhs, nrhs, prhs);
}

static const NlFunctionEntry test_functions[] = {
  {"quad", quad_mlx, 2, 1, nullptr}, {"rosen", rosen_mlx, 1, 1, nullptr},
  {"allinf", inf_mlx, 1, 1, nullptr}, {"nanleft", nan_mlx, 1, 1, nullptr},
  {"flatbowl", flat_mlx, 1, 1, nullptr}, {"noout", noout_mlx, 1, 2, nullptr},
  {"failing", fail_mlx, 1, 1, nullptr},
};
static int inits = 0, finis = 0;
static void test_init(void) { inits++; }
static void test_fini(void) { finis++; }
static void (*const test_inits[])(void) = {test_init};
static void (*const test_finis[])(void) = {test_fini};
static const NlLibrary test_library = {"testlib", test_functions, 7, test_inits, test_finis, 1};

class Runtime : public ::testing::Test {
 protected:
  void SetUp() override { NlRegisterLibrary(&test_library); }
  void TearDown() override { NlUnregisterLibrary(&test_library); }
};

//------------------------------------------------------------------ arrays

// growth by a linear index keeps a row a row, a column a column, and fills zeros
TEST(NlArrayTest, GrowthAndOwnership) {
  int base = NlLiveArrays();
  NlArray* a = NlEmpty();
  NlSet(a, 3, 7.0);
  EXPECT_EQ(NlRows(a), 1);
  EXPECT_EQ(NlCols(a), 3);
  EXPECT_EQ(NlGet(a, 1), 0.0);
  EXPECT_EQ(NlGet(a, 3), 7.0);
  double col[2] = {1, 2};
  NlArray* c = mlfDoubleMatrix(2, 1, col, nullptr);
  NlSet(c, 4, 5.0);
  EXPECT_EQ(NlRows(c), 4);
  EXPECT_EQ(NlCols(c), 1);
  EXPECT_EQ(mclGetPr(c)[2], 0.0);
  // 2 x 2 from (2, 2) on an empty array, then (1, 3): column-major values survive
  NlArray* m = NlEmpty();
  NlSet2(m, 2, 2, 4.0);
  NlSet2(m, 1, 1, 1.0);
  NlSet2(m, 1, 3, 9.0);
  ASSERT_EQ(NlRows(m), 2);
  ASSERT_EQ(NlCols(m), 3);
  double want[6] = {1, 0, 0, 4, 9, 0};
  for (int i = 0; i < 6; i++) EXPECT_EQ(mclGetPr(m)[i], want[i]);
  // mlfAssign destroys what the variable held
  mlfAssign(&a, c);
  EXPECT_EQ(NlLiveArrays(), base + 2);
  mlfAssign(&a, nullptr);
  NlDestroyArray(m);
  EXPECT_EQ(NlLiveArrays(), base);
}

// the values given are copied; a complex part is refused without ending the process
TEST(NlArrayTest, CreationCopiesAndRefusesComplex) {
  double v[3] = {1, 2, 3};
  NlArray* a = mlfDoubleMatrix(1, 3, v, nullptr);
  v[0] = 99;
  EXPECT_EQ(mclGetPr(a)[0], 1.0);
  NlDestroyArray(a);
  CaptureErrors cap;
  EXPECT_EQ(mlfDoubleMatrix(1, 3, v, v), nullptr);
  EXPECT_EQ(mclCreateDoubleMatrix(1, 1, NL_COMPLEX), nullptr);
  EXPECT_EQ(cap.count(), 2);
}

// sizes beyond the runtime's limit are errors, never the end of the program
TEST(NlArrayTest, HugeSizesRefused) {
  CaptureErrors cap;
  EXPECT_EQ(mclCreateDoubleMatrix(1 << 20, 1 << 20, NL_REAL), nullptr);
  NlArray* a = NlEmpty();
  NlSet(a, 2000000000, 1.0);
  EXPECT_EQ(NlNumel(a), 0);
  NlSet2(a, 100000, 100000, 1.0);
  EXPECT_EQ(NlNumel(a), 0);
  EXPECT_EQ(cap.count(), 3);
  EXPECT_NE(cap.text().find("Out of memory"), std::string::npos);
  NlDestroyArray(a);
}

// a read beyond the size is an index error and never touches memory beyond the array
TEST(NlArrayTest, IndexError) {
  CaptureErrors cap;
  NlArray* a = NlScalar(2);
  EXPECT_EQ(NlGet(a, 2), 0.0);
  EXPECT_NE(cap.text().find("Index exceeds"), std::string::npos);
  NlDestroyArray(a);
}

//------------------------------------------------------------------ errors and registry

TEST_F(Runtime, RegistrationCountsAndLookupIgnoresCase) {
  EXPECT_EQ(inits, finis + 1);
  NlRegisterLibrary(&test_library);          // a second start only counts
  EXPECT_EQ(inits, finis + 1);
  NlUnregisterLibrary(&test_library);
  EXPECT_NE(NlLookupFunction("ROSEN"), nullptr);
  EXPECT_EQ(NlLookupFunction("rosen")->nin, 1);
  EXPECT_EQ(NlLookupFunction("nosuch"), nullptr);
}

// an unassigned requested output is an error naming it; asking for one output is fine
TEST_F(Runtime, UnassignedOutput) {
  CaptureErrors cap;
  NlArray* out[2];
  NlArray* in[1] = {nullptr};
  EXPECT_EQ(NlFeval("noout", 1, out, 0, in), 0);
  NlDestroyArray(out[0]);
  EXPECT_EQ(cap.count(), 0);
  EXPECT_EQ(NlFeval("noout", 2, out, 0, in), -1);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_EQ(out[1], nullptr);
  EXPECT_NE(cap.text().find("\"z\""), std::string::npos);
  EXPECT_NE(cap.text().find("\"noout\""), std::string::npos);
  // the error is over once the call is: the next call runs normally
  EXPECT_FALSE(NlErrorPending());
  EXPECT_EQ(NlFeval("noout", 1, out, 0, in), 0);
  NlDestroyArray(out[0]);
}

// the default handler writes the message on stderr and the process goes on
TEST_F(Runtime, DefaultHandlerPrintsAndReturns) {
  NlArray* out[1];
  testing::internal::CaptureStderr();
  EXPECT_EQ(NlFeval("nosuch", 1, out, 0, nullptr), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Undefined function \"nosuch\""), std::string::npos);
  EXPECT_EQ(out[0], nullptr);
}

//------------------------------------------------------------------ Nelder-Mead

static NlArray* Search(const char* f, double x1, double x2, const NlOptions* o,
                       NlArray* const* extra, int nextra, double* fval, int* flag,
                       NlSearchReport* rep) {
  double x0[2] = {x1, x2};
  NlArray* a = Row(2, x0);
  NlArray* x = NlFminsearch(f, a, o, extra, nextra, fval, flag, rep);
  NlDestroyArray(a);
  return x;
}

TEST_F(Runtime, ShiftedQuadratic) {
  NlOptions o;
  NlOptionsDefault(&o, 2);
  o.TolX = 1e-8;  o.TolFun = 1e-10;  o.MaxFunEvals = o.MaxIter = 5000;
  double c[2] = {1.5, -0.75};
  NlArray* ca = Row(2, c);
  double fval;
  int flag;
  NlSearchReport rep;
  NlArray* x = Search("quad", 10, 10, &o, &ca, 1, &fval, &flag, &rep);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(flag, 1);
  EXPECT_NEAR(mclGetPr(x)[0], 1.5, 1e-6);
  EXPECT_NEAR(mclGetPr(x)[1], -0.75, 1e-6);
  EXPECT_LT(fval, 1e-10);
  EXPECT_GT(rep.funcCount, rep.iterations);
  NlDestroyArray(x);
  NlDestroyArray(ca);
}

TEST_F(Runtime, RosenbrockFromClassicStart) {
  NlOptions o;
  NlOptionsDefault(&o, 2);
  o.TolX = 1e-8;  o.TolFun = 1e-12;  o.MaxFunEvals = o.MaxIter = 10000;
  double fval;
  int flag;
  NlArray* x = Search("rosen", -1.2, 1, &o, nullptr, 0, &fval, &flag, nullptr);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(flag, 1);
  EXPECT_NEAR(mclGetPr(x)[0], 1.0, 1e-5);
  EXPECT_NEAR(mclGetPr(x)[1], 1.0, 1e-5);
  NlDestroyArray(x);
}

// +Inf everywhere never converges: the evaluation limit ends it with flag 0
TEST_F(Runtime, InfiniteEverywhereNeverConverges) {
  NlOptions o;
  NlOptionsDefault(&o, 2);
  o.TolX = 1e30;  o.TolFun = 1e30;  o.MaxFunEvals = 300;  o.MaxIter = 10000;
  double fval;
  int flag = 7;
  NlSearchReport rep;
  evals = 0;
  NlArray* x = Search("allinf", 0, 0, &o, nullptr, 0, &fval, &flag, &rep);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(flag, 0);
  EXPECT_GE(evals, 300);
  EXPECT_LE(evals, 300 + 3);
  EXPECT_EQ(rep.funcCount, evals);
  NlDestroyArray(x);
  // the iteration limit ends it the same way
  o.MaxFunEvals = 1e9;  o.MaxIter = 25;
  x = Search("allinf", 0, 0, &o, nullptr, 0, &fval, &flag, &rep);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(rep.iterations, 25);
  NlDestroyArray(x);
}

// NaN ranks worst: the search leaves the NaN side and finds the bowl
TEST_F(Runtime, NaNRanksWorst) {
  NlOptions o;
  NlOptionsDefault(&o, 2);
  o.TolX = 1e-6;  o.TolFun = 1e-8;  o.MaxFunEvals = o.MaxIter = 5000;
  double fval;
  int flag;
  NlArray* x = Search("nanleft", 0.5, 0, &o, nullptr, 0, &fval, &flag, nullptr);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(flag, 1);
  EXPECT_NEAR(mclGetPr(x)[0], 2.0, 1e-4);
  EXPECT_NEAR(mclGetPr(x)[1], 2.0, 1e-4);
  NlDestroyArray(x);
}

// a zero start with loose tolerances still searches: the first simplex is not collapsed
TEST_F(Runtime, ZeroStartSearches) {
  EXPECT_GE(NlSimplexStep(0.0), 1.0);
  EXPECT_DOUBLE_EQ(NlSimplexStep(400.0), 20.0);
  NlOptions o;
  NlOptionsDefault(&o, 2);
  o.TolX = 0.1;  o.TolFun = 0.1;  o.MaxFunEvals = o.MaxIter = 10000;
  double fval;
  int flag;
  NlArray* x = Search("flatbowl", 0, 0, &o, nullptr, 0, &fval, &flag, nullptr);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(flag, 1);
  EXPECT_NEAR(mclGetPr(x)[0], 3.0, 0.2);
  EXPECT_NEAR(mclGetPr(x)[1], -2.0, 0.2);
  NlDestroyArray(x);
}

// an objective's error ends the search with no result and one message
TEST_F(Runtime, ObjectiveErrorEndsSearch) {
  CaptureErrors cap;
  NlOptions o;
  NlOptionsDefault(&o, 2);
  double fval;
  int flag = 1;
  fail_calls = 0;
  EXPECT_EQ(Search("failing", 1, 2, &o, nullptr, 0, &fval, &flag, nullptr), nullptr);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(cap.count(), 1);
  EXPECT_EQ(cap.text(), "Run-time Error: deliberate failure.");
  EXPECT_FALSE(NlErrorPending());
}

// 65,536 variables need a work block of 2^32 doubles: an out-of-memory error before any
// evaluation, never a wrapped size
TEST_F(Runtime, HugeSearchIsAnOutOfMemoryError) {
  CaptureErrors cap;
  NlArray* a = mclCreateDoubleMatrix(1, 65536, NL_REAL);
  ASSERT_NE(a, nullptr);
  NlOptions o;
  NlOptionsDefault(&o, 65536);
  double fval;
  int flag = 1;
  evals = 0;
  EXPECT_EQ(NlFminsearch("allinf", a, &o, nullptr, 0, &fval, &flag, nullptr), nullptr);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(evals, 0);
  EXPECT_EQ(cap.count(), 1);
  EXPECT_EQ(cap.text(), "Run-time Error: Out of memory.");
  EXPECT_FALSE(NlErrorPending());
  NlDestroyArray(a);
}

// the four named options, and refusals of unknown names
TEST(NlOptionsTest, NamedOptions) {
  NlOptions o;
  NlOptionsDefault(&o, 3);
  EXPECT_EQ(o.MaxFunEvals, 600);
  const char* names[4] = {"TolX", "TolFun", "MaxFunEvals", "MaxIter"};
  for (int k = 0; k < 4; k++) {
    NlArray* nm = NlString(names[k]);
    NlArray* v = NlScalar(k + 1);
    EXPECT_EQ(NlOptionsSet(&o, nm, v), 0);
    NlDestroyArray(nm);
    NlDestroyArray(v);
  }
  EXPECT_EQ(o.TolX, 1);
  EXPECT_EQ(o.TolFun, 2);
  EXPECT_EQ(o.MaxFunEvals, 3);
  EXPECT_EQ(o.MaxIter, 4);
  CaptureErrors cap;
  NlArray* nm = NlString("Display");
  NlArray* v = NlScalar(0);
  EXPECT_EQ(NlOptionsSet(&o, nm, v), -1);
  EXPECT_EQ(cap.count(), 1);
  NlDestroyArray(nm);
  NlDestroyArray(v);
}
