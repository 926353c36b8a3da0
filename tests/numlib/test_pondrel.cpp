// test_pondrel.cpp -- covers numlib/pondrel: reach objective and the maximum reach search
#include <gtest/gtest.h>

#include <math.h>
#include <string>

#include "pondrel.h"
#include "dh_reference.h"
#include "nl_capture.h"

class Pondrel : public ::testing::Test {
 protected:
  void SetUp() override { pondrelInitialize(); }
  void TearDown() override { pondrelTerminate(); }
};

// a, b, al (and a theta block the library does not read)
static NlArray* Packed(const RefLink* L, int n) {
  NlArray* v = mclCreateDoubleMatrix(1, 4*n, NL_REAL);
  double* p = mclGetPr(v);
  for (int i = 0; i < n; i++) {
    p[i] = L[i].a;  p[n + i] = L[i].b;  p[2*n + i] = L[i].al;  p[3*n + i] = 1e6;
  }
  return v;
}

static const RefLink puma[6] = {{0, 0, 90, 0}, {4.318, 0, 0, 0}, {0.203, 1.5005, -90, 0},
                                {0, 4.318, 90, 0}, {0, 0, -90, 0}, {0, 0, 0, 0}};

// 1 / distance of the end point from the first axis, from the reference chain
TEST_F(Pondrel, ObjectiveAgainstReference) {
  double q[6] = {25, -40, 75, 10, 60, -20};
  RefLink L[6];
  for (int i = 0; i < 6; i++) {
    L[i] = puma[i];
    L[i].th = q[i];
  }
  double z[18], o[18], p[3];
  RefFrames(L, 6, z, o, p);
  NlArray* x = Row(6, q);
  NlArray* vv = Packed(puma, 6);
  NlArray* n = NlScalar(6);
  NlArray* f = mlfReachfunlength(x, vv, n);
  ASSERT_NE(f, nullptr);
  EXPECT_NEAR(mclGetPr(f)[0], 1.0/hypot(p[0], p[1]), 1e-12);
  NlArray* all[] = {x, vv, n, f};
  for (NlArray* a : all) NlDestroyArray(a);
}

static NlArray* Reach(const RefLink* L, int n, const double* start, NlArray* extra) {
  NlArray* x = Row(n, start);
  NlArray* vv = Packed(L, n);
  NlArray* nn = NlScalar(n);
  NlArray* ret = mlfMaxreachlength(x, vv, nn, extra, extra, nullptr, extra);
  NlDestroyArray(x);
  NlDestroyArray(vv);
  NlDestroyArray(nn);
  return ret;
}

// planar 2R, a = 2 and 1: 3, with the elbow straight
TEST_F(Pondrel, PlanarTwoLink) {
  RefLink L[2] = {{2, 0, 0, 0}, {1, 0, 0, 0}};
  double start[2] = {0, 50};
  NlArray* opt = NlString("ignored");        // inputs 4 to 7 are never read
  NlArray* ret = Reach(L, 2, start, opt);
  ASSERT_NE(ret, nullptr);
  ASSERT_EQ(NlNumel(ret), 2);
  EXPECT_NEAR(mclGetPr(ret)[0], 3.0, 0.01);
  EXPECT_NEAR(cos(mclGetPr(ret)[1]*kDeg), 1.0, 1e-3);
  NlDestroyArray(ret);
  NlDestroyArray(opt);
}

// the search stops at the fixed options (TolX = TolFun = 0.1, 10000 evaluations and
// iterations): the same search run directly with them lands on the same posture, one
// with tolerances 1e-4 lands measurably closer to the straight arm (reach 2 + 1 + 1)
TEST_F(Pondrel, SearchStopsAtItsFixedTolerances) {
  RefLink L[3] = {{2, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}};
  double start[3] = {10, 40, 40};
  testing::internal::CaptureStdout();
  NlArray* ret = Reach(L, 3, start, nullptr);
  testing::internal::GetCapturedStdout();
  ASSERT_NE(ret, nullptr);
  ASSERT_EQ(NlNumel(ret), 3);
  NlArray* x0 = Row(3, start);
  NlArray* extra[2] = {Packed(L, 3), NlScalar(3)};
  double q[2][3], fval[2];
  const double tol[2] = {0.1, 1e-4};
  for (int k = 0; k < 2; k++) {
    NlOptions o;
    NlOptionsDefault(&o, 3);
    o.TolX = o.TolFun = tol[k];
    o.MaxFunEvals = o.MaxIter = 10000;
    int flag = 0;
    NlArray* x = NlFminsearch("Reachfunlength", x0, &o, extra, 2, &fval[k], &flag, nullptr);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(flag, 1);
    for (int i = 0; i < 3; i++) q[k][i] = mclGetPr(x)[i];
    NlDestroyArray(x);
  }
  EXPECT_DOUBLE_EQ(mclGetPr(ret)[0], 1.0/fval[0]);
  EXPECT_DOUBLE_EQ(mclGetPr(ret)[1], q[0][1]);
  EXPECT_DOUBLE_EQ(mclGetPr(ret)[2], q[0][2]);
  EXPECT_NEAR(1.0/fval[1], 4.0, 1e-9);
  EXPECT_GT(fabs(q[0][1] - q[1][1]) + fabs(q[0][2] - q[1][2]), 0.01);
  NlDestroyArray(ret);
  NlDestroyArray(x0);
  NlDestroyArray(extra[0]);
  NlDestroyArray(extra[1]);
}

// the PUMA-class arm from all joints 0 reaches its closed form
TEST_F(Pondrel, PumaClosedForm) {
  double start[6] = {0, 0, 0, 0, 0, 0};
  testing::internal::CaptureStdout();
  NlArray* ret = Reach(puma, 6, start, nullptr);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(ret, nullptr);
  double closed = sqrt(1.5005*1.5005 + pow(4.318 + sqrt(0.203*0.203 + 4.318*4.318), 2));
  EXPECT_NEAR(mclGetPr(ret)[0], closed, 0.002*closed);
  // ret is printed after each of the five angles
  int prints = 0;
  for (size_t at = out.find("ret ="); at != std::string::npos; at = out.find("ret =", at + 1))
    prints++;
  EXPECT_EQ(prints, 5);
  NlDestroyArray(ret);
}

// one joint: the reach is the fixed distance of the end point from the axis
TEST_F(Pondrel, OneJoint) {
  RefLink L[1] = {{1.5, 0.3, 45, 0}};
  double start[1] = {0};
  NlArray* ret = Reach(L, 1, start, nullptr);
  ASSERT_NE(ret, nullptr);
  EXPECT_EQ(NlNumel(ret), 1);
  EXPECT_NEAR(mclGetPr(ret)[0], 1.5, 1e-12);
  NlDestroyArray(ret);
}

// every posture on the axis: no reach, -1
TEST_F(Pondrel, NoReach) {
  RefLink L[2] = {{0, 1, 0, 0}, {0, 1, 0, 0}};
  double start[2] = {0, 0};
  NlArray* ret = Reach(L, 2, start, nullptr);
  ASSERT_NE(ret, nullptr);
  EXPECT_EQ(NlNumel(ret), 1);
  EXPECT_EQ(mclGetPr(ret)[0], -1.0);
  NlDestroyArray(ret);
}

TEST_F(Pondrel, CountMessagesAndMissingInput) {
  CaptureErrors cap;
  NlArray* in[8] = {nullptr};
  NlArray* out[2];
  mlxMaxreachlength(2, out, 7, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: maxreachlength Line: 43 Column: 1 The function "
            "\"maxreachlength\" was called with more than the declared number of outputs (1).");
  mlxMaxreachlength(1, out, 8, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: maxreachlength Line: 43 Column: 1 The function "
            "\"maxreachlength\" was called with more than the declared number of inputs (7).");
  mlxReachfunlength(2, out, 3, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: reachfunlength Line: 11 Column: 1 The function "
            "\"reachfunlength\" was called with more than the declared number of outputs (1).");
  mlxReachfunlength(1, out, 4, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: reachfunlength Line: 11 Column: 1 The function "
            "\"reachfunlength\" was called with more than the declared number of inputs (3).");
  // three inputs are enough for the search; two are not
  double start[2] = {0, 0};
  RefLink L[2] = {{2, 0, 0, 0}, {1, 0, 0, 0}};
  in[0] = Row(2, start);
  in[1] = Packed(L, 2);
  mlxMaxreachlength(1, out, 2, in);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_NE(cap.text().find("\"n\""), std::string::npos);
  EXPECT_EQ(cap.count(), 5);
  in[2] = NlScalar(2);
  testing::internal::CaptureStdout();
  mlxMaxreachlength(1, out, 3, in);
  testing::internal::GetCapturedStdout();
  ASSERT_NE(out[0], nullptr);
  EXPECT_NEAR(mclGetPr(out[0])[0], 3.0, 0.01);
  NlDestroyArray(out[0]);
  for (int k = 0; k < 3; k++) NlDestroyArray(in[k]);
}

TEST(PondrelCycles, NoLeak) {
  int base = NlLiveArrays();
  RefLink L[2] = {{2, 0, 0, 0}, {1, 0, 0, 0}};
  double start[2] = {0, 0};
  testing::internal::CaptureStdout();
  for (int k = 0; k < 1000; k++) {
    pondrelInitialize();
    NlDestroyArray(Reach(L, 2, start, nullptr));
    pondrelTerminate();
  }
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(NlLiveArrays(), base);
}
