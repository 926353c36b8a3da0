// test_selmar.cpp -- covers numlib/selmar: the plain Jacobian objective and its search
#include <gtest/gtest.h>

#include <math.h>
#include <string>

#include "selmar.h"
#include "dh_reference.h"
#include "nl_capture.h"

class Selmar : public ::testing::Test {
 protected:
  void SetUp() override { selmarInitialize(); }
  void TearDown() override { selmarTerminate(); }
};

static NlArray* PackedAll(const RefLink* L, int n) {
  NlArray* v = mclCreateDoubleMatrix(1, 4*n, NL_REAL);
  double* p = mclGetPr(v);
  for (int i = 0; i < n; i++) {
    p[i] = L[i].a;  p[n + i] = L[i].b;  p[2*n + i] = L[i].al;  p[3*n + i] = L[i].th;
  }
  return v;
}

static const RefLink arm6[6] = {{0.2, 0.6, 90, 15}, {1.3, 0, 0, -30}, {0.2, 0.5, -90, 70},
                                {0, 1.1, 90, 20}, {0, 0, -90, -50}, {0, 0.3, 0, 10}};

// H = [z; z x r] (not homogenised) and kappa^2 / 36 of the reference chain
TEST_F(Selmar, ObjfunAgainstReference) {
  NlArray* x = PackedAll(arm6, 6);
  NlArray* n = NlScalar(6);
  NlArray* H = nullptr;
  NlArray* f = mlfObjfun(&H, x, n);
  ASSERT_NE(f, nullptr);
  double Hr[36];
  RefJacobian(arm6, 6, 1.0, Hr);
  for (int k = 0; k < 36; k++) EXPECT_NEAR(mclGetPr(H)[k], Hr[k], 1e-12) << k;
  double k2 = RefKappa2(Hr, 6, 0, 6);
  EXPECT_NEAR(mclGetPr(f)[0], k2, 1e-9*k2);
  NlDestroyArray(f);
  NlDestroyArray(H);
  NlDestroyArray(x);
  NlDestroyArray(n);
}

// all lengths zero: the lower block vanishes and the objective is infinite
TEST_F(Selmar, ZeroLengthsInfinite) {
  RefLink L[6];
  for (int i = 0; i < 6; i++) L[i] = RefLink{0, 0, arm6[i].al, arm6[i].th};
  NlArray* x = PackedAll(L, 6);
  NlArray* n = NlScalar(6);
  NlArray* f = mlfObjfun(nullptr, x, n);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(isinf(mclGetPr(f)[0]));
  NlDestroyArray(f);
  NlDestroyArray(x);
  NlDestroyArray(n);
}

// the search improves the start and keeps the packing, even when it stops at the limit
TEST_F(Selmar, HomogenousfunKeepsShape) {
  NlArray* x = PackedAll(arm6, 6);
  NlArray* n = NlScalar(6);
  NlArray* f0 = mlfObjfun(nullptr, x, n);
  NlArray* best = mlfHomogenousfun(x, n);
  ASSERT_NE(best, nullptr);
  EXPECT_EQ(NlRows(best), 1);
  EXPECT_EQ(NlCols(best), 24);
  NlArray* f1 = mlfObjfun(nullptr, best, n);
  EXPECT_LE(mclGetPr(f1)[0], mclGetPr(f0)[0]);
  EXPECT_GE(mclGetPr(f1)[0], 1.0 - 1e-9);    // kappa^2 is never below 1
  // two joints: H H' is singular everywhere, the search runs to its limit
  RefLink L2[2] = {arm6[0], arm6[1]};
  NlArray* x2 = PackedAll(L2, 2);
  NlArray* n2 = NlScalar(2);
  NlArray* b2 = mlfHomogenousfun(x2, n2);
  ASSERT_NE(b2, nullptr);
  EXPECT_EQ(NlCols(b2), 8);
  NlArray* all[] = {x, n, f0, best, f1, x2, n2, b2};
  for (NlArray* a : all) NlDestroyArray(a);
}

TEST_F(Selmar, CountMessagesAndMissingInput) {
  CaptureErrors cap;
  NlArray* in[3] = {nullptr, nullptr, nullptr};
  NlArray* out[3];
  mlxHomogenousfun(2, out, 2, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: homogenousfun Line: 43 Column: 1 The function "
            "\"homogenousfun\" was called with more than the declared number of outputs (1).");
  mlxHomogenousfun(1, out, 3, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: homogenousfun Line: 43 Column: 1 The function "
            "\"homogenousfun\" was called with more than the declared number of inputs (2).");
  mlxObjfun(3, out, 2, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: objfun Line: 7 Column: 1 The function "
            "\"objfun\" was called with more than the declared number of outputs (2).");
  mlxObjfun(2, out, 3, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: objfun Line: 7 Column: 1 The function "
            "\"objfun\" was called with more than the declared number of inputs (2).");
  in[0] = PackedAll(arm6, 6);
  mlxObjfun(2, out, 1, in);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_NE(cap.text().find("\"n\""), std::string::npos);
  EXPECT_EQ(cap.count(), 5);
  NlDestroyArray(in[0]);
}

TEST(SelmarCycles, NoLeak) {
  int base = NlLiveArrays();
  NlArray* x = PackedAll(arm6, 6);
  NlArray* n = NlScalar(6);
  for (int k = 0; k < 1000; k++) {
    selmarInitialize();
    NlDestroyArray(mlfObjfun(nullptr, x, n));
    selmarTerminate();
  }
  NlDestroyArray(x);
  NlDestroyArray(n);
  EXPECT_EQ(NlLiveArrays(), base);
}
