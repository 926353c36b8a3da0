// test_ikp_fallback.cpp -- covers the solvers' fallback and the honesty of their result codes
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/robot.h"
#include "support/kin_support.h"

//------------------------------------------------------------------ helpers

struct Solver {
  Robot r;
  JointConfig jc;
  CartesianConfig cc;
};

static Solver Make(Robot r) {
  Solver s = {r, JointConfigFromRobot(r), nullptr};
  testing::internal::CaptureStdout();
  s.cc = CartesianConfigFromRobot(r, s.jc);
  testing::internal::GetCapturedStdout();
  return s;
}

static void Free(Solver& s) {
  FreeCartesianConfig(s.cc);
  FreeJointConfig(s.jc);
  FreeRobot(s.r);
}

// the solver's task error of joints q against the pose of joints qt, from the independent
// chain: Vect and Trace - 3 of Tq Tqt', then the position gap over avg_len, by task kind
static double TaskError(Robot r, int type, const float* q, const float* qt) {
  double T[4][4], D[4][4], M[3][3];
  KsChain(r, q, r->n, T);
  KsChain(r, qt, r->n, D);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) M[i][j] = T[i][0]*D[j][0] + T[i][1]*D[j][1] + T[i][2]*D[j][2];
  double e2 = 0.0;
  if (type != 4) {
    double v[3] = {(M[2][1] - M[1][2])/2, (M[0][2] - M[2][0])/2, (M[1][0] - M[0][1])/2};
    double tr = M[0][0] + M[1][1] + M[2][2] - 3;
    e2 += v[0]*v[0] + v[1]*v[1] + v[2]*v[2] + tr*tr;
  }
  if (type != 2)
    for (int i = 0; i < 3; i++) e2 += pow((T[i][3] - D[i][3])/r->avg_len, 2);
  return sqrt(e2);
}

// a target from joints in +-170 degrees (slides in [0.1, 0.6]) and a start near it or at 0
static void Problem(Robot r, unsigned* seed, int from_zero, float* qt, float* q0) {
  for (int i = 0; i < r->n; i++) {
    int slide = r->L[i].joint != 0;
    qt[i] = (float)(slide ? KsUniform(seed, 0.1, 0.6) : KsUniform(seed, -170, 170));
    q0[i] = from_zero ? 0.0f
                      : qt[i] + (float)(slide ? KsUniform(seed, -0.05, 0.05)
                                              : KsUniform(seed, -20, 20));
  }
}

static CartesianConfigRec Target(Solver& s, const float* qt) {
  CartesianConfigRec t;
  memset(&t, 0, sizeof t);
  t.type = s.cc->type;
  for (int i = 0; i < s.r->n; i++) s.jc->q[i] = qt[i];
  FwdKin(s.r, s.jc, &t);
  return t;
}

// a solve with the rank and trace lines swallowed
static int Solve(Solver& s, CartesianConfigRec* t) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  int rc = InvKin(s.r, s.jc, t);
  testing::internal::GetCapturedStderr();
  testing::internal::GetCapturedStdout();
  return rc;
}

// seven joints with a slide in third place (redundancy 1)
static Robot SevenWithSlide() {
  DHRow rows[7] = {{0, 0, 0.34f, -90, 0, -100000, 100000}, {0, 0, 0, 90, 0, -100000, 100000},
                   {1, 0.05f, 0.4f, 90, 0, -100000, 100000}, {0, 0, 0, -90, 0, -100000, 100000},
                   {0, 0, 0.4f, -90, 0, -100000, 100000}, {0, 0, 0, 90, 0, -100000, 100000},
                   {0, 0, 0.126f, 0, 0, -100000, 100000}};
  return RobotFromDH("slide7", 7, rows);
}

static Robot PositioningInMetres() {
  DHRow rows[3] = {{0, 0.4f, 0, 90, 0, -100000, 100000}, {0, 0.3f, 0, 0, 0, -100000, 100000},
                   {0, 0.2f, 0, 0, 0, -100000, 100000}};
  return RobotFromDH("pos3", 3, rows);
}

//------------------------------------------------------------------ honesty

// code >= 0: the independent task error is below the solver's tolerance; code < 0: the
// start joints come back bit for bit. With and without the fallback; the iteration alone
// solves most (a third of the starts are all zeros), the fallback every reachable target
TEST(SolverHonesty, CodesTellTheTruth) {
  Robot (*arms[5])() = {KsPumaArm, KsSevenArm, SevenWithSlide, PositioningInMetres,
                        KsWristArm};
  int floor[5] = {105, 80, 35, 105, 110};
  for (int fb = 0; fb < 2; fb++) {
    SetInvFallback(fb);
    for (int k = 0; k < 5; k++) {
      Solver s = Make(arms[k]());
      double tol = s.r->redundant > 0 ? GetRInvTol() : GetInvTol();
      unsigned seed = 100 + k;
      int solved = 0, count = 120;
      for (int p = 0; p < count; p++) {
        float qt[8], q0[8], q[8];
        Problem(s.r, &seed, p % 3 == 0, qt, q0);
        CartesianConfigRec t = Target(s, qt);
        for (int i = 0; i < s.r->n; i++) s.jc->q[i] = q0[i];
        int rc = Solve(s, &t);
        for (int i = 0; i < s.r->n; i++) q[i] = s.jc->q[i];
        if (rc >= 0) {
          solved++;
          EXPECT_LT(TaskError(s.r, t.type, q, qt), tol) << s.r->name << " problem " << p;
        } else {
          EXPECT_EQ(memcmp(q, q0, sizeof(float)*s.r->n), 0) << s.r->name << " problem " << p;
        }
      }
      EXPECT_GE(solved, fb ? count : floor[k]) << s.r->name;
      Free(s);
    }
  }
  SetInvFallback(1);
}

//------------------------------------------------------------------ fallback

// where the iteration converges the fallback changes nothing; where it fails (two steps
// allowed) a target 3 degrees away is met by joints a few degrees from the start
TEST(Fallback, KeepsNewtonAndStaysNear) {
  Solver s = Make(KsPumaArm());
  unsigned seed = 9;
  for (int p = 0; p < 60; p++) {
    float qt[8], q0[8], qa[8];
    Problem(s.r, &seed, p % 2, qt, q0);
    CartesianConfigRec t = Target(s, qt);
    SetInvFallback(0);
    for (int i = 0; i < 6; i++) s.jc->q[i] = q0[i];
    int ra = Solve(s, &t);
    for (int i = 0; i < 6; i++) qa[i] = s.jc->q[i];
    SetInvFallback(1);
    for (int i = 0; i < 6; i++) s.jc->q[i] = q0[i];
    int rb = Solve(s, &t);
    if (ra >= 0) {
      EXPECT_EQ(rb, ra);
      EXPECT_EQ(memcmp(qa, s.jc->q, sizeof qa[0]*6), 0) << "problem " << p;
    }
  }
  SetInvMax(2);
  float away[6] = {10, -40, 30, 60, -70, 20};   // elbow bent, wrist away from its singularity
  for (int p = 0; p < 20; p++) {
    float qt[8], q0[8];
    for (int i = 0; i < 6; i++) {
      qt[i] = away[i] + (float)KsUniform(&seed, -30, 30);
      q0[i] = qt[i] + (KsUniform(&seed, 0, 1) < 0.5 ? -3.0f : 3.0f);
    }
    CartesianConfigRec t = Target(s, qt);
    for (int i = 0; i < 6; i++) s.jc->q[i] = q0[i];
    int rc = Solve(s, &t);
    EXPECT_GE(rc, 2) << "problem " << p;       // the fallback's code: max + its steps
    for (int i = 0; i < 6; i++) EXPECT_NEAR(s.jc->q[i], qt[i], 0.1) << "problem " << p;
  }
  SetInvMax(40);
  Free(s);
}

// with limits on, an out-of-limit solution of the iteration gives way to one inside them;
// when none is inside, the limit code comes back with the start joints
TEST(Fallback, PrefersASolutionInsideTheLimits) {
  Solver s = Make(KsPumaArm());
  float qt[6] = {12, -40, 33, 71, -20, 5}, q0[6] = {14, -38, 31, 70, -18, 7};
  CartesianConfigRec t = Target(s, qt);
  s.r->limits = 1;
  s.r->L[3].q_limit[0] = -100;  s.r->L[3].q_limit[1] = 60;   // the wrist flip (71 - 180) fits
  for (int i = 0; i < 6; i++) s.jc->q[i] = q0[i];
  int rc = Solve(s, &t);
  ASSERT_GE(rc, 0);
  EXPECT_LT(TaskError(s.r, 0, s.jc->q, qt), GetInvTol());
  for (int i = 0; i < 6; i++) {
    EXPECT_LE(s.jc->q[i], s.r->L[i].q_limit[1]);
    EXPECT_GE(s.jc->q[i], s.r->L[i].q_limit[0]);
  }
  s.r->L[0].q_limit[0] = 11;  s.r->L[0].q_limit[1] = 11.5f;  // no branch has joint 1 here
  for (int i = 0; i < 6; i++) s.jc->q[i] = q0[i];
  EXPECT_EQ(Solve(s, &t), InvAboveMaximum - 0);
  EXPECT_EQ(memcmp(q0, s.jc->q, sizeof q0), 0);
  Free(s);
}
