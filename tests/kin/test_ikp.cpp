// test_ikp.cpp -- covers src/kin/ikp.cpp: forward kinematics, pose angles, task Jacobian, solvers
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>
#include <string>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/robot.h"
#include "support/kin_support.h"

//------------------------------------------------------------------ helpers

// a robot made current: configurations created with the class lines swallowed
struct Arm {
  Robot r;
  JointConfig jc;
  CartesianConfig cc;
};

static Arm MakeArm(Robot r) {
  Arm a;
  a.r = r;
  a.jc = JointConfigFromRobot(r);
  testing::internal::CaptureStdout();
  a.cc = CartesianConfigFromRobot(r, a.jc);
  testing::internal::GetCapturedStdout();
  return a;
}

static void FreeArm(Arm& a) {
  FreeCartesianConfig(a.cc);
  FreeJointConfig(a.jc);
  FreeRobot(a.r);
}

static void SetQ(Arm& a, const float* q) {
  for (int i = 0; i < a.r->n; i++) a.jc->q[i] = q[i];
}

// target pose of arm a at joints q, as a separate record
static CartesianConfigRec PoseAt(Arm& a, const float* q) {
  float keep[16];
  for (int i = 0; i < a.r->n; i++) keep[i] = a.jc->q[i];
  CartesianConfigRec t;
  memset(&t, 0, sizeof t);
  t.type = a.cc->type;
  SetQ(a, q);
  FwdKin(a.r, a.jc, &t);
  SetQ(a, keep);
  return t;
}

// largest difference of position and rotation between two poses; a solve stops once the
// task error is below 5e-5, which leaves rotation entries up to about that much apart
static double PoseGap(const CartesianConfigRec& x, const CartesianConfigRec& y) {
  double g = 0.0;
  for (int i = 0; i < 3; i++) {
    g = fmax(g, fabs(x.r[i] - y.r[i]));
    for (int j = 0; j < 3; j++) g = fmax(g, fabs(x.Q[i][j] - y.Q[i][j]));
  }
  return g;
}

// three links, the middle one optionally prismatic; scale 1 gives avg_len = 1
static Robot ThreeLinkPositioning(int prismatic, float scale) {
  DHRow rows[3] = {{0, 1.0f*scale, 1.2f*scale, 90, 0, -100000, 100000},
                   {prismatic, 1.0f*scale, 1.3f*scale, -90, 20, -100000, 100000},
                   {0, 1.5f*scale, 0, 0, 0, -100000, 100000}};
  return RobotFromDH("pos3", 3, rows);
}

// the Newton iteration alone, for the cases that pin its own codes and folds
struct NoFallback {
  NoFallback() { SetInvFallback(0); }
  ~NoFallback() { SetInvFallback(1); }
};

//------------------------------------------------------------------ forward kinematics

// the pose equals the product of Rz Tz Tx Rx over the links, for every link frame too
TEST(FwdKin, MatchesHomogeneousChain) {
  Robot arms[3] = {KsPumaArm(), KsSevenArm(), KsPrismaticArm()};
  unsigned seed = 7;
  for (Robot r : arms) {
    Arm a = MakeArm(r);
    for (int trial = 0; trial < 20; trial++) {
      float q[8];
      for (int i = 0; i < r->n; i++)
        q[i] = r->L[i].joint ? (float)KsUniform(&seed, -0.5, 1.0)
                             : (float)KsUniform(&seed, -1000, 1000);   // every quarter turn
      SetQ(a, q);
      ASSERT_EQ(FwdKin(r, a.jc, a.cc), 0);
      double T[4][4];
      KsChain(r, q, r->n, T);
      for (int i = 0; i < 3; i++) {
        EXPECT_NEAR(a.cc->r[i], T[i][3], 1e-12);
        for (int j = 0; j < 3; j++) EXPECT_NEAR(a.cc->Q[i][j], T[i][j], 1e-12);
      }
      for (int k = 1; k <= r->n; k++) {
        KsChain(r, q, k, T);
        for (int i = 0; i < 3; i++)
          for (int j = 0; j < 3; j++) EXPECT_NEAR(r->L[k - 1].Q_1[i][j], T[i][j], 1e-12);
      }
    }
    FreeArm(a);
  }
}

// the tool transform moves and turns the pose; the payload offset turns with the flange only
TEST(FwdKin, ToolAndPayload) {
  Arm a = MakeArm(KsPumaArm());
  float q[6] = {20, -35, 50, 10, 70, -15};
  SetQ(a, q);
  Matrix& E = a.r->EE.Qee;
  float Ree[3][3] = {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}};
  float tee[3] = {0.05f, -0.02f, 0.1f};
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) E[i][j] = Ree[i][j];
    E[i][3] = tee[i];
  }
  double T[4][4];
  KsChain(a.r, q, 6, T);
  FwdKin(a.r, a.jc, a.cc);
  for (int i = 0; i < 3; i++) {
    double p = T[i][3];
    for (int k = 0; k < 3; k++) p += T[i][k]*tee[k];
    EXPECT_NEAR(a.cc->r[i], p, 1e-12);
    for (int j = 0; j < 3; j++) {
      double s = 0.0;
      for (int k = 0; k < 3; k++) s += T[i][k]*Ree[k][j];
      EXPECT_NEAR(a.cc->Q[i][j], s, 1e-12);
    }
  }
  double before[3] = {a.cc->r[0], a.cc->r[1], a.cc->r[2]};
  float pay[3] = {0.1f, 0.2f, -0.3f};
  for (int k = 0; k < 3; k++) Payload_info[k] = pay[k];
  ShowPayload = 1;
  FwdKin(a.r, a.jc, a.cc);
  ShowPayload = 0;
  for (int k = 0; k < 3; k++) Payload_info[k] = 0.0f;
  for (int i = 0; i < 3; i++) {
    double s = 0.0;
    for (int k = 0; k < 3; k++) s += T[i][k]*pay[k];
    EXPECT_NEAR(a.cc->r[i] - before[i], s, 1e-12);
  }
  FreeArm(a);
}

TEST(FwdKin, PoseTypes) {
  Arm a = MakeArm(KsPumaArm());
  float q[6] = {10, 20, 30, 40, 50, 60};
  SetQ(a, q);
  double T[4][4];
  KsChain(a.r, q, 6, T);
  CartesianConfigRec c;
  memset(&c, 0, sizeof c);
  c.type = 1;
  EXPECT_EQ(FwdKin(a.r, a.jc, &c), 0);
  for (int i = 0; i < 3; i++) { EXPECT_NEAR(c.r[i], T[i][3], 1e-12);  EXPECT_EQ(c.rB[i], c.r[i]); }
  memset(&c, 0, sizeof c);
  c.type = 4;
  FwdKin(a.r, a.jc, &c);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(c.r[i], T[i][3], 1e-12);
  EXPECT_EQ(c.Q[0][0], 0.0);                          // orientation not written
  memset(&c, 0, sizeof c);
  c.type = 2;
  FwdKin(a.r, a.jc, &c);
  EXPECT_EQ(c.r[0], 0.0);
  EXPECT_NEAR(c.Q[1][2], T[1][2], 1e-12);

  // a bad type is reported, and no pose is written
  memset(&c, 0, sizeof c);
  c.type = 3;
  testing::internal::CaptureStderr();
  EXPECT_EQ(FwdKin(a.r, a.jc, &c), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cartesian Configuration is no good\n");
  EXPECT_EQ(c.r[0], 0.0);  EXPECT_EQ(c.Q[0][0], 0.0);
  FreeArm(a);
}

// a prismatic joint slides its frame along the joint axis by exactly the change of q
TEST(FwdKin, PrismaticSlide) {
  Arm a = MakeArm(KsPrismaticArm());
  float q[6] = {15, 0.4f, -30, 0.25f, 45, 10};
  SetQ(a, q);
  FwdKin(a.r, a.jc, a.cc);
  double r1[3] = {a.cc->r[0], a.cc->r[1], a.cc->r[2]};
  double z[3] = {a.r->L[2].Q_1[0][2], a.r->L[2].Q_1[1][2], a.r->L[2].Q_1[2][2]};
  a.jc->q[3] += 0.5f;
  FwdKin(a.r, a.jc, a.cc);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(a.cc->r[i] - r1[i], 0.5*z[i], 1e-12);
  FreeArm(a);
}

//------------------------------------------------------------------ pose angles

static void Rot(int axis, double deg, double M[3][3]) {
  double t = deg*KS_PI/180.0, c = cos(t), s = sin(t);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) M[i][j] = i == j ? 1.0 : 0.0;
  int u = (axis + 1)%3, v = (axis + 2)%3;
  M[u][u] = c;  M[u][v] = -s;  M[v][u] = s;  M[v][v] = c;
}

static void Mul3(double A[3][3], double B[3][3], double C[3][3]) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      C[i][j] = 0.0;
      for (int k = 0; k < 3; k++) C[i][j] += A[i][k]*B[k][j];
    }
}

TEST(PoseAngles, ConstructIsRxRyRzAndDecomposeInverts) {
  unsigned seed = 3;
  for (int trial = 0; trial < 50; trial++) {
    CartesianConfigRec c;
    c.ang[0] = KsUniform(&seed, -179, 179);
    c.ang[1] = KsUniform(&seed, -89, 89);
    c.ang[2] = KsUniform(&seed, -179, 179);
    double X[3][3], Y[3][3], Z[3][3], XY[3][3], M[3][3];
    Rot(0, c.ang[0], X);  Rot(1, c.ang[1], Y);  Rot(2, c.ang[2], Z);
    Mul3(X, Y, XY);  Mul3(XY, Z, M);
    ConstructQ(&c);
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) EXPECT_NEAR(c.Q[i][j], M[i][j], 1e-14);
    double want[3] = {c.ang[0], c.ang[1], c.ang[2]};
    DecomposeQ(&c);
    for (int i = 0; i < 3; i++) EXPECT_NEAR(c.ang[i], want[i], 1e-9);
  }
}

// at ang[1] = +-90 the rotation about the common axis lands in ang[2]
TEST(PoseAngles, GimbalLock) {
  CartesianConfigRec c;
  c.ang[0] = 30;  c.ang[1] = 90;  c.ang[2] = 20;
  ConstructQ(&c);
  DecomposeQ(&c);
  EXPECT_EQ(c.ang[0], 0.0);
  EXPECT_NEAR(c.ang[1], 90.0, 1e-6);
  EXPECT_NEAR(c.ang[2], 50.0, 1e-6);
  c.ang[0] = 30;  c.ang[1] = -90;  c.ang[2] = 20;
  ConstructQ(&c);
  DecomposeQ(&c);
  EXPECT_EQ(c.ang[0], 0.0);
  EXPECT_NEAR(c.ang[1], -90.0, 1e-6);
  EXPECT_NEAR(c.ang[2], -10.0, 1e-6);
}

// a rotation about y by 90 degrees whose corner entry rounded just above 1
TEST(PoseAngles, CornerEntryAboveOne) {
  CartesianConfigRec c;
  double Q[3][3] = {{0, 0, 1.0000000000000002}, {0.5, sqrt(0.75), 0}, {-sqrt(0.75), 0.5, 0}};
  memcpy(c.Q, Q, sizeof Q);
  DecomposeQ(&c);
  EXPECT_EQ(c.ang[0], 0.0);
  EXPECT_NEAR(c.ang[1], 90.0, 1e-6);
  EXPECT_NEAR(c.ang[2], 30.0, 1e-6);
}

TEST(PoseAngles, VectTraceNorm) {
  double Q[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
  double v[3];
  Vect(Q, v);
  EXPECT_EQ(v[0], 1.0);  EXPECT_EQ(v[1], -2.0);  EXPECT_EQ(v[2], 1.0);
  EXPECT_EQ(Trace(Q), 16.0);
  double w[4] = {1, 2, 2, 4};
  EXPECT_EQ(Norm(w, 4), 5.0);
}

//------------------------------------------------------------------ task Jacobian

// every column against central differences of the task error. Revolute joints are in
// degrees, so a column is 180/pi times the slope; a prismatic column is L times the slope
// (the step is taken in q / L). Every row, the trace row included, is the true slope.
static void CheckColumns(Arm& a, const float* q, const CartesianConfigRec& target) {
  Robot r = a.r;
  int n = r->n, jm = r->jm, type = target.type;
  CartesianConfigRec t = target;
  SetQ(a, q);
  double f[8], fp[8], fm[8];
  EvalQr_i(r, a.jc);
  EvalQr_1(r);
  F2(&t, f);
  EvalObjJacobian(type, r, &t);
  Normalize(type, r);
  double J[8][8];
  for (int i = 0; i < jm; i++)
    for (int j = 0; j < n; j++) J[i][j] = r->J[i][j];
  double L = r->avg_len;
  for (int j = 0; j < n; j++) {
    int rev = r->L[j].joint == 0;
    float step = rev ? 1.0f/64 : 1.0f/1024;
    SetQ(a, q);
    a.jc->q[j] = q[j] + step;
    double up = a.jc->q[j];
    EvalQr_i(r, a.jc);  EvalQr_1(r);  F2(&t, fp);
    a.jc->q[j] = q[j] - step;
    double dn = a.jc->q[j];
    EvalQr_i(r, a.jc);  EvalQr_1(r);  F2(&t, fm);
    for (int i = 0; i < jm; i++) {
      double slope = (fp[i] - fm[i])/(up - dn);
      double want = rev ? slope*180.0/KS_PI : slope*L;
      EXPECT_NEAR(J[i][j], want, 2e-7) << "type " << type << " row " << i << " col " << j;
    }
  }
  SetQ(a, q);
}

TEST(TaskJacobian, SpatialColumnsMatchDifferences) {
  Arm a = MakeArm(KsPumaArm());
  Matrix& E = a.r->EE.Qee;                // a tool, so the target of the flange differs
  E[0][0] = 0;  E[0][1] = 0;  E[0][2] = 1;  E[0][3] = 0.1f;
  E[1][0] = 0;  E[1][1] = 1;  E[1][2] = 0;  E[1][3] = 0.0f;
  E[2][0] = -1; E[2][1] = 0;  E[2][2] = 0;  E[2][3] = 0.05f;
  float qt[6] = {20, -30, 40, 25, 60, -45}, q[6] = {35, -20, 20, 5, 45, -10};
  CheckColumns(a, q, PoseAt(a, qt));
  FreeArm(a);
  a = MakeArm(KsPrismaticArm());
  float pt[6] = {10, 0.2f, 30, 0.4f, -20, 15}, p[6] = {25, 0.35f, 15, 0.3f, -40, 35};
  CheckColumns(a, p, PoseAt(a, pt));
  FreeArm(a);
}

TEST(TaskJacobian, OrientationAndPositionColumns) {
  Arm a = MakeArm(KsWristArm());
  ASSERT_EQ(a.cc->type, 2);
  float qt[3] = {20, 50, -30}, q[3] = {40, 30, 10};
  CheckColumns(a, q, PoseAt(a, qt));
  FreeArm(a);
  for (int pris = 0; pris < 2; pris++) {
    a = MakeArm(ThreeLinkPositioning(pris, 0.3f));
    ASSERT_EQ(a.cc->type, 4);
    float pt[3] = {30, pris ? 0.5f : 40, -20}, pq[3] = {45, pris ? 0.3f : 60, 10};
    CheckColumns(a, pq, PoseAt(a, pt));
    FreeArm(a);
  }
}

//------------------------------------------------------------------ Newton solver

TEST(InvKin, RoundTripsReachThePose) {
  Arm a = MakeArm(KsPumaArm());
  unsigned seed = 11;
  int solved = 0;
  for (int trial = 0; trial < 40; trial++) {
    float qt[6], q[6];
    for (int i = 0; i < 6; i++) {
      qt[i] = (float)KsUniform(&seed, -150, 150);
      q[i] = qt[i] + (float)KsUniform(&seed, -10, 10);
    }
    CartesianConfigRec t = PoseAt(a, qt);
    SetQ(a, q);
    int k = InvKin(a.r, a.jc, &t);
    if (k < 0) {
      for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
      continue;
    }
    EXPECT_GE(k, 1);
    solved++;
    CartesianConfigRec got = t;
    FwdKin(a.r, a.jc, &got);
    EXPECT_LT(PoseGap(got, t), 1e-4) << "trial " << trial;
  }
  EXPECT_GE(solved, 38);
  FreeArm(a);
}

TEST(InvKin, TargetAtTheCurrentPoseTakesNoStep) {
  Arm a = MakeArm(KsPumaArm());
  float q[6] = {12.5f, -40, 33, 71, -20, 5};
  CartesianConfigRec t = PoseAt(a, q);
  SetQ(a, q);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), 0);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  FreeArm(a);
}

// the error is tested only before a step: one step allowed is never enough
TEST(InvKin, FailuresRestoreTheJoints) {
  NoFallback part_only;
  Arm a = MakeArm(KsPumaArm());
  float qt[6] = {12, -40, 33, 71, -20, 5}, q[6] = {14, -38, 31, 70, -18, 7};
  CartesianConfigRec t = PoseAt(a, qt);
  SetQ(a, q);
  int steps = InvKin(a.r, a.jc, &t);
  EXPECT_GE(steps, 2);
  SetQ(a, q);
  SetInvMax(steps);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -1);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  SetInvMax(1);
  EXPECT_EQ(GetInvMax(), 1);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -1);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  SetInvMax(40);

  // out of reach
  CartesianConfigRec far = t;
  far.r[0] = 5;  far.r[1] = 5;  far.r[2] = 5;
  EXPECT_EQ(InvKin(a.r, a.jc, &far), -1);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);

  // a tighter tolerance is honoured and read back
  SetInvTol(1e-9);
  EXPECT_EQ(GetInvTol(), 1e-9);
  SetQ(a, q);
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  CartesianConfigRec got = t;
  FwdKin(a.r, a.jc, &got);
  EXPECT_LT(PoseGap(got, t), 1e-6);
  SetInvTol(KIN_INV_TOL);
  FreeArm(a);
}

TEST(InvKin, JointLimitCodes) {
  NoFallback part_only;
  Arm a = MakeArm(KsPumaArm());
  float qt[6] = {12, -40, 33, 71, -20, 5}, q[6] = {14, -38, 31, 70, -18, 7};
  CartesianConfigRec t = PoseAt(a, qt);
  a.r->limits = 1;
  a.r->L[2].q_limit[1] = 32;                       // solution 33 is above
  SetQ(a, q);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -703);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  EXPECT_STREQ(InvErr(-703), "Maximum Limit of Joint 3 Exceeded");
  a.r->L[1].q_limit[0] = -39;                      // solution -40 is below, and comes first
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -602);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  EXPECT_STREQ(InvErr(-602), "Minimum Limit of Joint 2 Exceeded");
  // the same limits switched off are not checked
  a.r->limits = 0;
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  EXPECT_STREQ(InvErr(-1), "Did Not Converge");
  EXPECT_STREQ(InvErr(-2), "Joint Limit Exceeded");
  FreeArm(a);
}

// joints fold by whole turns: during steps towards (-360, 360), at the end towards [-360, 360]
TEST(InvKin, TurnsAreFolded) {
  NoFallback part_only;
  Arm a = MakeArm(KsPumaArm());
  float qt[6] = {10.5f, -40, 33, 71, -20, 5};
  CartesianConfigRec t = PoseAt(a, qt);
  float q[6] = {365, -38, 31, 70, -18, 7};
  SetQ(a, q);
  ASSERT_GE(InvKin(a.r, a.jc, &t), 1);
  EXPECT_NEAR(a.jc->q[0], 10.5, 1e-3);
  qt[0] = -10.5f;  q[0] = -365;
  t = PoseAt(a, qt);
  SetQ(a, q);
  ASSERT_GE(InvKin(a.r, a.jc, &t), 1);
  EXPECT_NEAR(a.jc->q[0], -10.5, 1e-3);

  // met at once: only the final fold of unlimited joints applies
  qt[0] = 400;
  t = PoseAt(a, qt);
  SetQ(a, qt);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), 0);
  EXPECT_EQ(a.jc->q[0], 40.0f);
  qt[0] = -400;
  t = PoseAt(a, qt);
  SetQ(a, qt);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), 0);
  EXPECT_EQ(a.jc->q[0], -40.0f);
  // a joint with real limits is left as it is
  a.r->limits = 1;
  a.r->L[0].q_limit[0] = -500;  a.r->L[0].q_limit[1] = 500;
  qt[0] = 400;
  t = PoseAt(a, qt);
  SetQ(a, qt);
  EXPECT_EQ(InvKin(a.r, a.jc, &t), 0);
  EXPECT_EQ(a.jc->q[0], 400.0f);
  FreeArm(a);
}

// a joint exactly at a limit is inside; one float step beyond gives that limit's code
TEST(InvKin, LimitsAreInclusive) {
  NoFallback part_only;
  Arm a = MakeArm(KsPumaArm());
  a.r->limits = 1;
  a.r->L[2].q_limit[0] = -20;  a.r->L[2].q_limit[1] = 33;
  float q[6] = {12, -40, 33, 71, -20, 5};
  float at[4] = {33, -20, nextafterf(33, 100), nextafterf(-20, -100)};
  int want[4] = {0, 0, InvAboveMaximum - 2, InvBelowMinimum - 2};
  for (int c = 0; c < 4; c++) {
    q[2] = at[c];
    CartesianConfigRec t = PoseAt(a, q);       // met at once: only the checks run
    SetQ(a, q);
    EXPECT_EQ(InvKin(a.r, a.jc, &t), want[c]) << c;
    EXPECT_EQ(a.jc->q[2], at[c]);
  }
  FreeArm(a);
}

// whole turns: 360 stays, 720 ends at 360, 360.5 at 0.5, -720 at -360; a step that crosses
// 360 on a limited joint (no final fold) is folded by the step itself
TEST(InvKin, WholeTurnsAtTheEdges) {
  NoFallback part_only;
  Arm a = MakeArm(KsPumaArm());
  float q[6] = {0, -40, 33, 71, -20, 5};
  float from[5] = {360, 720, 360.5f, -720, -360.5f}, to[5] = {360, 360, 0.5f, -360, -0.5f};
  for (int c = 0; c < 5; c++) {
    q[0] = from[c];
    CartesianConfigRec t = PoseAt(a, q);
    SetQ(a, q);
    EXPECT_EQ(InvKin(a.r, a.jc, &t), 0);
    EXPECT_EQ(a.jc->q[0], to[c]) << from[c];
  }
  a.r->limits = 1;
  a.r->L[0].q_limit[0] = -500;  a.r->L[0].q_limit[1] = 500;
  q[0] = 5;
  CartesianConfigRec t = PoseAt(a, q);
  q[0] = 357;
  SetQ(a, q);
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  EXPECT_NEAR(a.jc->q[0], 5, 1e-3);
  FreeArm(a);
}

// huge starts end promptly: the iteration folds its first step and converges on a target
// elsewhere; a target met at once is no success when the final fold moves the pose, and
// the fallback then solves it from the folded start
TEST(InvKin, HugeAndNonFiniteStarts) {
  Arm a = MakeArm(KsWristArm());
  float qt[3] = {20, 50, -30};
  CartesianConfigRec t = PoseAt(a, qt);
  float huge[6] = {9e9f, 4e9f, 1e9f, 1e10f, -1e10f, 3e38f};
  for (int fb = 0; fb < 2; fb++) {
    SetInvFallback(fb);
    for (int c = 0; c < 6; c++) {
      for (int met = 0; met < 2; met++) {     // a target elsewhere, and the pose at the start
        float q[3] = {huge[c], 0, 0};
        CartesianConfigRec goal = met ? PoseAt(a, q) : t;
        SetQ(a, q);
        testing::internal::CaptureStdout();
        int rc = InvKin(a.r, a.jc, &goal);
        testing::internal::GetCapturedStdout();
        if (fb || !met) {
          ASSERT_GE(rc, 0) << huge[c] << " fallback " << fb;
        }
        if (rc < 0) {
          EXPECT_EQ(memcmp(q, a.jc->q, sizeof q), 0);
          continue;
        }
        double T[4][4], e = 0.0;
        KsChain(a.r, a.jc->q, 3, T);
        for (int i = 0; i < 3; i++)
          for (int j = 0; j < 3; j++) e = fmax(e, fabs(T[i][j] - goal.Q[i][j]));
        EXPECT_LT(e, GetInvTol()) << huge[c] << " fallback " << fb;
        EXPECT_LE(fabs(a.jc->q[0]), 360) << huge[c];
      }
    }
  }
  float bad[3] = {NAN, INFINITY, -INFINITY};
  for (int c = 0; c < 3; c++) {
    float q[3] = {10, bad[c], 0};
    SetQ(a, q);
    testing::internal::CaptureStderr();
    EXPECT_EQ(InvKin(a.r, a.jc, &t), InvNotConverged);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Joint 2 value is not a finite number\n");
    EXPECT_EQ(memcmp(q, a.jc->q, sizeof q), 0);
  }
  FreeArm(a);
}

TEST(InvKin, RankDeficientStepIsAnnounced) {
  Arm a = MakeArm(KsPumaArm());
  float qt[6] = {5, -5, 5, 5, 10, 5}, zero[6] = {0, 0, 0, 0, 0, 0};
  CartesianConfigRec t = PoseAt(a, qt);
  SetQ(a, zero);                                  // wrist axes 4 and 6 aligned
  testing::internal::CaptureStdout();
  int k = InvKin(a.r, a.jc, &t);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.substr(0, 34), "ObjFuncJacobian is rank-deficient\n");   // one per line
  if (k >= 0) {
    CartesianConfigRec got = t;
    FwdKin(a.r, a.jc, &got);
    EXPECT_LT(PoseGap(got, t), 1e-4);
  }
  FreeArm(a);
}

// the Newton step is the same at every length scale: the positioning robots in metres (and
// the robot with a slide of the robot files) converge in the steps they take at scale 1
TEST(InvKin, PositioningRobotsAtAnyScale) {
  NoFallback part_only;
  float scales[3] = {1.0f, 2.0f, 0.3f};
  int steps[3];
  for (int s = 0; s < 3; s++) {
    Arm a = MakeArm(ThreeLinkPositioning(1, scales[s]));
    float qt[3] = {30, 1.5f*scales[s], -20}, q[3] = {36, 1.4f*scales[s], -25};
    CartesianConfigRec t = PoseAt(a, qt);
    SetQ(a, q);
    steps[s] = InvKin(a.r, a.jc, &t);
    EXPECT_GE(steps[s], 1);
    EXPECT_LE(steps[s], 8);
    double T[4][4];
    KsChain(a.r, a.jc->q, 3, T);
    for (int i = 0; i < 3; i++) EXPECT_NEAR(T[i][3], t.r[i], GetInvTol()*a.r->avg_len);
    FreeArm(a);
  }
  EXPECT_EQ(steps[1], steps[0]);
  EXPECT_EQ(steps[2], steps[0]);
  DHRow rows[3] = {{0, 0, 0.5f, 90, 0, -100000, 100000}, {0, 0, 0, -90, 90, -100000, 100000},
                   {1, 0, 0.3f, 0, 0, -100000, 100000}};
  Arm a = MakeArm(RobotFromDH("slide3", 3, rows));
  ASSERT_EQ(a.cc->type, 4);
  float qt[3] = {40, 25, 0.3f}, q[3] = {45, 20, 0.35f};
  CartesianConfigRec t = PoseAt(a, qt);
  SetQ(a, q);
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(a.jc->q[i], qt[i], 1e-3);
  FreeArm(a);

  a = MakeArm(KsWristArm());
  float wt[3] = {20, 50, -30}, w[3] = {28, 44, -22};
  t = PoseAt(a, wt);
  SetQ(a, w);
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  CartesianConfigRec got = t;
  FwdKin(a.r, a.jc, &got);
  EXPECT_LT(PoseGap(got, t), 1e-4);
  FreeArm(a);
}

// a pose of another task kind is not solved; the work storage follows the robot handed over
TEST(InvKin, TaskKindAndStorage) {
  Arm a = MakeArm(KsPumaArm());
  float qt[6] = {12, -40, 33, 71, -20, 5}, q[6] = {14, -38, 31, 70, -18, 7};
  CartesianConfigRec t = PoseAt(a, qt);
  SetQ(a, q);
  t.type = 1;
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -1);
  t.type = 4;                                     // 3 rows against a 7-row Jacobian
  EXPECT_EQ(InvKin(a.r, a.jc, &t), -1);
  for (int i = 0; i < 6; i++) EXPECT_EQ(a.jc->q[i], q[i]);
  t.type = 0;
  Arm small = MakeArm(KsWristArm());             // storage now sized for three joints
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  CartesianConfigRec got = t;
  FwdKin(a.r, a.jc, &got);
  EXPECT_LT(PoseGap(got, t), 1e-4);
  FreeArm(small);
  FreeArm(a);
}

// two links for a three-row task (redundancy -1): the least-squares Newton solver, not the
// constrained one, which cannot meet three equations with two unknowns
TEST(InvKin, PlanarTwoLinkArm) {
  DHRow rows[2] = {{0, 2, 0, 0, 0, -100000, 100000}, {0, 2, 0, 0, 0, -100000, 100000}};
  Arm a = MakeArm(RobotFromDH("planar", 2, rows));
  ASSERT_EQ(a.r->redundant, -1);
  float qt[2] = {30, 60}, q[2] = {35, 50};
  CartesianConfigRec t = PoseAt(a, qt);
  SetQ(a, q);
  EXPECT_GE(InvKin(a.r, a.jc, &t), 1);
  EXPECT_NEAR(a.jc->q[0], 30, 1e-3);
  EXPECT_NEAR(a.jc->q[1], 60, 1e-3);
  FreeArm(a);
}

//------------------------------------------------------------------ redundant solver

TEST(RInvKin, SevenJointsSolveWithCodeZero) {
  Arm a = MakeArm(KsSevenArm());
  ASSERT_EQ(a.r->redundant, 1);
  unsigned seed = 5;
  int solved = 0;
  for (int trial = 0; trial < 20; trial++) {
    float qt[7], q[7];
    for (int i = 0; i < 7; i++) {
      qt[i] = (float)KsUniform(&seed, -120, 120);
      q[i] = qt[i] + (float)KsUniform(&seed, -10, 10);
    }
    CartesianConfigRec t = PoseAt(a, qt);
    SetQ(a, q);
    int rc = InvKin(a.r, a.jc, &t);
    EXPECT_TRUE(rc == 0 || rc == -1) << rc;
    if (rc != 0) {
      for (int i = 0; i < 7; i++) EXPECT_EQ(a.jc->q[i], q[i]);
      continue;
    }
    solved++;
    CartesianConfigRec got = t;
    FwdKin(a.r, a.jc, &got);
    EXPECT_LT(PoseGap(got, t), 1e-4) << "trial " << trial;
  }
  EXPECT_GE(solved, 18);
  FreeArm(a);
}

//------------------------------------------------------------------ conditioning

// 1 / cond with cond = sqrt(sum sigma^2 * sum sigma^-2) / k from the singular values of M
static double IndependentInverseCond(double M[6][8], int m, int n) {
  int k = m < n ? m : n;
  double G[64];
  for (int i = 0; i < k; i++)
    for (int j = 0; j < k; j++) {
      double s = 0.0;
      if (n <= m) for (int l = 0; l < m; l++) s += M[l][i]*M[l][j];
      else for (int l = 0; l < n; l++) s += M[i][l]*M[j][l];
      G[i*k + j] = s;
    }
  double eig[8], s2 = 0.0, si = 0.0;
  KsSymEig(G, k, eig);
  for (int i = 0; i < k; i++) { s2 += eig[i];  si += 1.0/eig[i]; }
  return k/sqrt(s2*si);
}

// rows 0-2 the joint axes, rows 3-5 z x (p - o) / L, from the independent chain
static void IndependentM(Robot r, const float* q, double M[6][8]) {
  double T[4][4], E[4][4];
  KsChain(r, q, r->n, E);
  for (int j = 0; j < r->n; j++) {
    KsChain(r, q, j, T);
    double z[3] = {T[0][2], T[1][2], T[2][2]};
    double p[3] = {E[0][3] - T[0][3], E[1][3] - T[1][3], E[2][3] - T[2][3]};
    M[0][j] = z[0];  M[1][j] = z[1];  M[2][j] = z[2];
    M[3][j] = (z[1]*p[2] - z[2]*p[1])/r->avg_len;
    M[4][j] = (z[2]*p[0] - z[0]*p[2])/r->avg_len;
    M[5][j] = (z[0]*p[1] - z[1]*p[0])/r->avg_len;
  }
}

TEST(JacobianCond, MatchesSingularValues) {
  Robot arms[2] = {KsPumaArm(), KsSevenArm()};
  for (Robot rb : arms) {
    Arm a = MakeArm(rb);
    R = a.r;
    float q[7] = {15, -50, 40, 30, 60, -20, 35};
    SetQ(a, q);
    double M[6][8];
    IndependentM(a.r, q, M);
    testing::internal::CaptureStdout();
    double k = GetJacobianCond(a.jc, a.cc);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Matrix Rank 6\n");
    EXPECT_NEAR(k, IndependentInverseCond(M, 6, a.r->n), 1e-9);
    EXPECT_GT(k, 0.0);
    R = nullptr;
    FreeArm(a);
  }
  // a positioning robot: the normalised position rows alone
  Arm a = MakeArm(ThreeLinkPositioning(0, 0.3f));
  R = a.r;
  float q[3] = {20, 30, 40};
  SetQ(a, q);
  double M[6][8], P[6][8];
  IndependentM(a.r, q, M);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) P[i][j] = M[3 + i][j];
  testing::internal::CaptureStdout();
  double k = GetJacobianCond(a.jc, a.cc);
  testing::internal::GetCapturedStdout();
  EXPECT_NEAR(k, IndependentInverseCond(P, 3, 3), 1e-9);
  R = nullptr;
  FreeArm(a);
}

TEST(JacobianCond, AlignedAxesGiveZero) {
  DHRow rows[3] = {{0, 0, 0.3f, 0, 0, -100000, 100000}, {0, 0, 0, 90, 0, -100000, 100000},
                   {0, 0.5f, 0, 0, 0, -100000, 100000}};
  Arm a = MakeArm(RobotFromDH("aligned", 3, rows));
  ASSERT_EQ(a.cc->type, 2);
  R = a.r;
  testing::internal::CaptureStdout();
  double k = GetJacobianCond(a.jc, a.cc);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(k, 0.0);
  // an orthogonal wrist is perfectly conditioned
  float q[3] = {0, 90, 0};
  a.r->L[0].al = -90;  a.r->L[0].cal = 0;  a.r->L[0].sal = -1;
  SetQ(a, q);
  testing::internal::CaptureStdout();
  k = GetJacobianCond(a.jc, a.cc);
  testing::internal::GetCapturedStdout();
  EXPECT_NEAR(k, 1.0, 1e-12);
  R = nullptr;
  FreeArm(a);
}
