// test_torvik.cpp -- covers numlib/torvik: the homogenised Jacobian and the length search
#include <gtest/gtest.h>

#include <math.h>
#include <string>

#include "torvik.h"
#include "dh_reference.h"
#include "nl_capture.h"

//------------------------------------------------------------------ helpers

class Torvik : public ::testing::Test {
 protected:
  void SetUp() override { torvikInitialize(); }
  void TearDown() override { torvikTerminate(); }
};

// packed a, b, al, th of reference rows
static NlArray* Packed(const RefLink* L, int n) {
  NlArray* v = mclCreateDoubleMatrix(1, 4*n, NL_REAL);
  double* p = mclGetPr(v);
  for (int i = 0; i < n; i++) {
    p[i] = L[i].a;  p[n + i] = L[i].b;  p[2*n + i] = L[i].al;  p[3*n + i] = L[i].th;
  }
  return v;
}

static const RefLink arm6[6] = {{0, 0.6, 90, 15}, {4.318, 0, 0, -30}, {0.203, 1.5005, -90, 70},
                                {0, 4.318, 90, 20}, {0, 0, -90, -50}, {0, 0.5, 0, 10}};

// everything jacobian_calculate returns, for one posture and kind
struct JcOut {
  NlArray *f = nullptr, *H = nullptr, *rv = nullptr, *l = nullptr;
  ~JcOut() {
    NlDestroyArray(f);  NlDestroyArray(H);  NlDestroyArray(rv);  NlDestroyArray(l);
  }
};

static void CallJc(JcOut* o, const RefLink* L, int n, const double* x, double M,
                   const double* typev, int kind) {
  NlArray* xv = Row(n, x);
  NlArray* vv = Packed(L, n);
  NlArray* nn = NlScalar(n);
  NlArray* Ma = NlScalar(M);
  NlArray* tv = Row(n, typev);
  NlArray* k = NlScalar(kind);
  o->f = mlfJacobian_calculate(&o->H, &o->rv, &o->l, xv, vv, nn, Ma, tv, k);
  NlArray* all[] = {xv, vv, nn, Ma, tv, k};
  for (NlArray* a : all) NlDestroyArray(a);
}

//------------------------------------------------------------------ jacobian_calculate

// kind 0: H = [z; -(z x r) x_v(1) / M] and kappa^2 of the reference chain; a prismatic
// joint takes its offset from the search vector
TEST_F(Torvik, JacobianSpatialAgainstReference) {
  double x[6] = {1.7, -25, 60, 33, -80, 12}, typev[6] = {0, 0, 1, 0, 0, 0};
  double M = 4.318;
  JcOut o;
  CallJc(&o, arm6, 6, x, M, typev, 0);
  ASSERT_NE(o.f, nullptr);
  RefLink L[6];
  for (int i = 0; i < 6; i++) L[i] = arm6[i];
  L[1].th = x[1];  L[2].b = x[2];  L[3].th = x[3];  L[4].th = x[4];  L[5].th = x[5];
  double H[36];
  RefJacobian(L, 6, -x[0]/M, H);
  ASSERT_EQ(NlRows(o.H), 6);
  ASSERT_EQ(NlCols(o.H), 6);
  for (int k = 0; k < 36; k++) EXPECT_NEAR(mclGetPr(o.H)[k], H[k], 1e-12) << k;
  double k2 = RefKappa2(H, 6, 0, 6);
  EXPECT_NEAR(mclGetPr(o.f)[0], k2, 1e-9*k2);
  EXPECT_DOUBLE_EQ(mclGetPr(o.l)[0], M/x[0]);
  // r_v(:,1) is the end point seen from the base
  double z[18], org[18], p[3];
  RefFrames(L, 6, z, org, p);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(mclGetPr(o.rv)[k], p[k], 1e-12);
  // the same through the generic entry, called by name
  NlArray* in[6] = {Row(6, x), Packed(arm6, 6), NlScalar(6), NlScalar(M), Row(6, typev),
                    NlScalar(0)};
  NlArray* out[1];
  ASSERT_EQ(NlFeval("Jacobian_Calculate", 1, out, 6, in), 0);
  EXPECT_DOUBLE_EQ(mclGetPr(out[0])[0], mclGetPr(o.f)[0]);
  NlDestroyArray(out[0]);
  for (NlArray* a : in) NlDestroyArray(a);
}

// kind 2 keeps the axes, kind 4 the negated moment rows; each 3 rows
TEST_F(Torvik, JacobianOrientationAndPosition) {
  double x[6] = {1, -25, 60, 33, -80, 12}, typev[6] = {0, 0, 0, 0, 0, 0};
  RefLink L[6];
  for (int i = 0; i < 6; i++) L[i] = arm6[i];
  for (int i = 1; i < 6; i++) L[i].th = x[i];
  double H[36];
  RefJacobian(L, 6, -1.0, H);
  for (int kind = 2; kind <= 4; kind += 2) {
    JcOut o;
    CallJc(&o, arm6, 6, x, 2.0, typev, kind);
    ASSERT_NE(o.f, nullptr);
    ASSERT_EQ(NlRows(o.H), 3);
    int r0 = kind == 2 ? 0 : 3;
    for (int i = 0; i < 6; i++) {
      for (int k = 0; k < 3; k++) EXPECT_NEAR(mclGetPr(o.H)[3*i + k], H[6*i + r0 + k], 1e-12);
    }
    double k2 = RefKappa2(H, 6, r0, 3);
    EXPECT_NEAR(mclGetPr(o.f)[0], k2, 1e-9*k2);
  }
}

// one joint: r_v = a_v, exr = [-a sin; a cos; 0], e = [0;0;1]
TEST_F(Torvik, ChainOfOneJoint) {
  RefLink L[1] = {{2.0, 0.5, 30, 40}};
  double x[1] = {2.0}, typev[1] = {0};
  JcOut o;
  CallJc(&o, L, 1, x, 4.0, typev, 0);
  ASSERT_NE(o.rv, nullptr);
  double c = cos(40*kDeg), s = sin(40*kDeg);
  EXPECT_NEAR(mclGetPr(o.rv)[0], 2*c, 1e-14);
  EXPECT_NEAR(mclGetPr(o.rv)[1], 2*s, 1e-14);
  EXPECT_NEAR(mclGetPr(o.rv)[2], 0.5, 1e-14);
  const double* H = mclGetPr(o.H);
  double want[6] = {0, 0, 1, 2*s*2.0/4.0, -2*c*2.0/4.0, 0};
  for (int k = 0; k < 6; k++) EXPECT_NEAR(H[k], want[k], 1e-14) << k;
  EXPECT_TRUE(isinf(mclGetPr(o.f)[0]));      // one column cannot fill six rows
}

// a zero scale: infinite l, the lower block zero, still evaluated
TEST_F(Torvik, ZeroScale) {
  double x[6] = {0, -25, 60, 33, -80, 12}, typev[6] = {0, 0, 0, 0, 0, 0};
  JcOut o;
  CallJc(&o, arm6, 6, x, 4.0, typev, 0);
  ASSERT_NE(o.f, nullptr);
  EXPECT_TRUE(isinf(mclGetPr(o.l)[0]));
  for (int i = 0; i < 6; i++) {
    for (int k = 3; k < 6; k++) EXPECT_EQ(fabs(mclGetPr(o.H)[6*i + k]), 0.0);
  }
  EXPECT_TRUE(isinf(mclGetPr(o.f)[0]));
}

// kind 3 assigns no H: the undefined-variable error names it and the call returns nothing
TEST_F(Torvik, KindThreeLeavesHUndefined) {
  CaptureErrors cap;
  double x[6] = {1, 0, 0, 0, 0, 0}, typev[6] = {0, 0, 0, 0, 0, 0};
  JcOut o;
  CallJc(&o, arm6, 6, x, 4.0, typev, 3);
  EXPECT_EQ(o.f, nullptr);
  EXPECT_EQ(o.H, nullptr);
  EXPECT_NE(cap.text().find("\"H\""), std::string::npos);
  EXPECT_NE(cap.text().find("jacobian_calculate"), std::string::npos);
}

//------------------------------------------------------------------ homogenous_length_calculate

// the nine inputs for reference rows, start vector x
static void LengthArgs(NlArray** in, const RefLink* L, int n, const double* x, int kind) {
  double t[16] = {0};
  in[0] = Row(n, x);  in[1] = Packed(L, n);  in[2] = NlScalar(n);  in[3] = Row(n, t);
  in[4] = NlScalar(kind);  in[5] = NlScalar(1e-4);  in[6] = NlScalar(1e-4);
  in[7] = NlScalar(10000);  in[8] = NlScalar(10000);
}

static NlArray* Length(NlArray** in) {
  return mlfHomogenous_length_calculate(in[0], in[1], in[2], in[3], in[4], in[5], in[6],
                                        in[7], in[8]);
}

static void FreeArgs(NlArray** in, int k) {
  for (int i = 0; i < k; i++) NlDestroyArray(in[i]);
}

// kinds 1, 5, 6 are refused at once: the single value -1, nothing printed
TEST_F(Torvik, RefusedKinds) {
  double x[6] = {1, 0, 0, 0, 0, 0};
  int kinds[3] = {1, 5, 6};
  for (int kind : kinds) {
    NlArray* in[9];
    LengthArgs(in, arm6, 6, x, kind);
    testing::internal::CaptureStdout();
    NlArray* ret = Length(in);
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_NE(ret, nullptr);
    EXPECT_EQ(NlNumel(ret), 1);
    EXPECT_EQ(mclGetPr(ret)[0], -1.0);
    EXPECT_EQ(out, "");
    NlDestroyArray(ret);
    FreeArgs(in, 9);
  }
}

// a spherical wrist: length 1 and the optimum angles, ret printed after each angle
TEST_F(Torvik, WristPrintsRetPerAngle) {
  RefLink L[3] = {{0, 0, -90, 0}, {0, 0, 90, 30}, {0, 0.1, 0, 0}};
  double x[3] = {1, 30, 0};
  NlArray* in[9];
  LengthArgs(in, L, 3, x, 2);
  testing::internal::CaptureStdout();
  NlArray* ret = Length(in);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(ret, nullptr);
  EXPECT_EQ(NlNumel(ret), 3);
  EXPECT_EQ(mclGetPr(ret)[0], 1.0);
  size_t first = out.find("ret =");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(out.find("ret =", first + 1), std::string::npos);
  // axes of a wrist are best spread when joint 2 stands at 90 degrees
  EXPECT_NEAR(fabs(fmod(mclGetPr(ret)[1], 180.0)), 90.0, 0.5);
  NlDestroyArray(ret);
  FreeArgs(in, 9);
}

// a search that never converges gives -1, printed once
TEST_F(Torvik, PlanarArmPrintsMinusOne) {
  RefLink L[2] = {{2, 0, 0, 0}, {1, 0, 0, 30}};
  double x[2] = {1, 30};
  NlArray* in[9];
  LengthArgs(in, L, 2, x, 4);
  testing::internal::CaptureStdout();
  NlArray* ret = Length(in);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(ret, nullptr);
  EXPECT_EQ(NlNumel(ret), 1);
  EXPECT_EQ(mclGetPr(ret)[0], -1.0);
  size_t first = out.find("ret =");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(out.find("ret =", first + 1), std::string::npos);
  NlDestroyArray(ret);
  FreeArgs(in, 9);
}

// the objective is even in the scale: a negative start still gives a positive length
TEST_F(Torvik, NegativeScaleGivesMagnitude) {
  double xp[6] = {1, -30, 70, 20, -50, 10}, xn[6] = {-1, -30, 70, 20, -50, 10};
  NlArray *in[9], *jn[9];
  LengthArgs(in, arm6, 6, xp, 0);
  LengthArgs(jn, arm6, 6, xn, 0);
  testing::internal::CaptureStdout();
  NlArray* rp = Length(in);
  NlArray* rn = Length(jn);
  testing::internal::GetCapturedStdout();
  ASSERT_NE(rp, nullptr);
  ASSERT_NE(rn, nullptr);
  double Ln = mclGetPr(rn)[0];
  EXPECT_GT(Ln, 0.0);
  RefLink L[6];
  for (int i = 0; i < 6; i++) L[i] = arm6[i];
  double kp = RefHomogenisedKappa2(L, 6, mclGetPr(rp)[0], mclGetPr(rp) + 1);
  double kn = RefHomogenisedKappa2(L, 6, Ln, mclGetPr(rn) + 1);
  EXPECT_NEAR(kn, kp, 0.02*kp);
  NlDestroyArray(rp);
  NlDestroyArray(rn);
  FreeArgs(in, 9);
  FreeArgs(jn, 9);
}

// one joint: nothing searched but the scale, ret is the length alone
TEST_F(Torvik, OneJointReturnsLengthOnly) {
  RefLink L[1] = {{2.0, 0.5, 0, 0}};
  double x[1] = {1};
  NlArray* in[9];
  LengthArgs(in, L, 1, x, 2);
  NlArray* ret = Length(in);
  ASSERT_NE(ret, nullptr);
  EXPECT_EQ(NlNumel(ret), 1);
  NlDestroyArray(ret);
  FreeArgs(in, 9);
}

//------------------------------------------------------------------ entries and counts

TEST_F(Torvik, CountMessages) {
  CaptureErrors cap;
  NlArray* in[10] = {nullptr};
  NlArray* out[5];
  mlxHomogenous_length_calculate(2, out, 9, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: homogenous_length_calculate Line: 42 Column: 1 "
            "The function \"homogenous_length_calculate\" was called with more than the "
            "declared number of outputs (1).");
  EXPECT_EQ(out[0], nullptr);
  mlxHomogenous_length_calculate(1, out, 10, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: homogenous_length_calculate Line: 42 Column: 1 "
            "The function \"homogenous_length_calculate\" was called with more than the "
            "declared number of inputs (9).");
  mlxJacobian_calculate(5, out, 6, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: jacobian_calculate Line: 16 Column: 1 The "
            "function \"jacobian_calculate\" was called with more than the declared number "
            "of outputs (4).");
  mlxJacobian_calculate(4, out, 7, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: jacobian_calculate Line: 16 Column: 1 The "
            "function \"jacobian_calculate\" was called with more than the declared number "
            "of inputs (6).");
  EXPECT_EQ(cap.count(), 4);
}

// fewer inputs are accepted; the first one read that is missing is named
TEST_F(Torvik, MissingInputIsUndefined) {
  CaptureErrors cap;
  double x[6] = {1, 0, 0, 0, 0, 0};
  NlArray* in[9];
  LengthArgs(in, arm6, 6, x, 0);
  NlArray* out[4];
  mlxHomogenous_length_calculate(1, out, 8, in);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_NE(cap.text().find("\"x_maxiter\""), std::string::npos);
  NlArray* jin[6] = {in[0], in[1], in[2], NlScalar(4.0), in[3], nullptr};
  mlxJacobian_calculate(4, out, 5, jin);
  for (int k = 0; k < 4; k++) EXPECT_EQ(out[k], nullptr);
  EXPECT_NE(cap.text().find("\"robottype\""), std::string::npos);
  // and the library still works afterwards
  mlxJacobian_calculate(1, out, 6, (jin[5] = in[4], jin));
  ASSERT_NE(out[0], nullptr);
  NlDestroyArray(out[0]);
  NlDestroyArray(jin[3]);
  FreeArgs(in, 9);
}

// a joint count that is no count, or far beyond the data, is an error and nothing more
TEST_F(Torvik, BadJointCount) {
  CaptureErrors cap;
  double x[6] = {1, 0, 0, 0, 0, 0};
  double counts[3] = {1e8, 2.5, NAN};
  for (double c : counts) {
    NlArray* in[9];
    LengthArgs(in, arm6, 6, x, 0);
    mlfAssign(&in[2], NlScalar(c));
    EXPECT_EQ(Length(in), nullptr);
    FreeArgs(in, 9);
  }
  EXPECT_EQ(cap.count(), 3);
}

// 1000 start and stop cycles with a call each leave no array behind
TEST(TorvikCycles, NoLeak) {
  int base = NlLiveArrays();
  double x[6] = {1, 0, 0, 0, 0, 0};
  for (int k = 0; k < 1000; k++) {
    torvikInitialize();
    NlArray* in[9];
    LengthArgs(in, arm6, 6, x, 5);
    NlDestroyArray(Length(in));
    FreeArgs(in, 9);
    torvikTerminate();
  }
  EXPECT_EQ(NlLiveArrays(), base);
  // a call after the stop is an error, not a crash
  CaptureErrors cap;
  NlArray* in[9];
  LengthArgs(in, arm6, 6, x, 0);
  EXPECT_EQ(Length(in), nullptr);
  EXPECT_EQ(cap.count(), 1);
  FreeArgs(in, 9);
}
