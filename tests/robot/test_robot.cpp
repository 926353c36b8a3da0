// test_robot.cpp -- covers src/robot/robot.cpp and src/robot/app_state.cpp
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>
#include <string>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "matrix/matrix.h"
#include "robot/robot.h"
#include "support/kin_support.h"

static DHRow Rev(float a, float b, float al, float th) {
  DHRow r = {0, a, b, al, th, -100000.0f, 100000.0f};
  return r;
}

//------------------------------------------------------------------ links

TEST(LinkDefaults, StartValuesOfABlock) {
  Link l;
  SetLinkDefaults(&l);
  EXPECT_EQ(l.joint, 0);
  EXPECT_EQ(l.a, 1.0f);  EXPECT_EQ(l.b, 0.0f);  EXPECT_EQ(l.sign_b, 0);
  EXPECT_EQ(l.cal, 1.0f);  EXPECT_EQ(l.sal, 0.0f);  EXPECT_EQ(l.cth, 1.0f);  EXPECT_EQ(l.sth, 0.0f);
  EXPECT_EQ(l.q_limit[0], -100000.0f);  EXPECT_EQ(l.q_limit[1], 100000.0f);
  EXPECT_EQ(l.h_q_limit[0], -100000.0f);  EXPECT_EQ(l.h_q_limit[1], 100000.0f);
  EXPECT_EQ(l.m, 1.0f);
  EXPECT_EQ(l.cm[0], 0.5f);  EXPECT_EQ(l.cm[1], 0.0f);  EXPECT_EQ(l.cm[2], 0.0f);
  float I[6] = {0, 0.1f, 0.1f, 0, 0, 0};
  for (int i = 0; i < 6; i++) EXPECT_EQ(l.I[i], I[i]);
  EXPECT_EQ(l.next, nullptr);
  EXPECT_EQ(l.Q_i, nullptr);
}

// a negative offset, a twist of 30 degrees, a limited prismatic joint
TEST(PrepareLink, DerivedValuesAndLimitsSwitch) {
  Link src, dst;
  SetLinkDefaults(&src);
  src.joint = 1;  src.a = 0.25f;  src.b = -0.5f;  src.al = 30.0f;  src.th = 60.0f;
  src.q_limit[0] = -1.0f;  src.q_limit[1] = 2.0f;
  src.m = 3.0f;
  EXPECT_EQ(PrepareLink(&dst, &src), 1);
  EXPECT_EQ(dst.joint, 1);
  EXPECT_EQ(dst.abs_b, 0.5f);
  EXPECT_EQ(dst.sign_b, -1);
  EXPECT_NEAR(dst.cal, sqrt(3.0)/2, 1e-7);  EXPECT_NEAR(dst.sal, 0.5, 1e-7);
  EXPECT_NEAR(dst.cth, 0.5, 1e-7);  EXPECT_NEAR(dst.sth, sqrt(3.0)/2, 1e-7);
  EXPECT_EQ(dst.h_q, -0.5f);                         // prismatic: home is the offset
  EXPECT_EQ(dst.q_limit[0], -1.0f);  EXPECT_EQ(dst.h_q_limit[1], 2.0f);
  EXPECT_EQ(dst.m, 3.0f);
  EXPECT_EQ(dst.visible, 1);  EXPECT_EQ(dst.show_axes, 0);  EXPECT_EQ(dst.show_cm, 0);
  EXPECT_EQ(dst.hinge, nullptr);  EXPECT_EQ(dst.draw_proc, nullptr);
  ASSERT_NE(dst.Q_i, nullptr);  ASSERT_NE(dst.Q_1, nullptr);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(dst.Q_i[i][j], 0.0);
  FreeLink(&dst);
  EXPECT_EQ(dst.Q_i, nullptr);

  // revolute, positive offset, only a minimum limit: the switch stays off
  SetLinkDefaults(&src);
  src.b = 0.2f;  src.th = 30.0f;  src.q_limit[0] = -45.0f;
  EXPECT_EQ(PrepareLink(&dst, &src), 0);
  EXPECT_EQ(dst.sign_b, 1);
  EXPECT_EQ(dst.h_q, 30.0f);
  FreeLink(&dst);
  SetLinkDefaults(&src);
  EXPECT_EQ(PrepareLink(&dst, &src), 0);
  EXPECT_EQ(dst.sign_b, 0);
  FreeLink(&dst);
}

//------------------------------------------------------------------ robots

TEST(RobotFromDH, LengthsFlagsAndTool) {
  Robot r = KsPumaArm();
  // a + |b| summed: 0.4318 + 0.0203 + 0.15005 + 0.4318 over 2 n = 12
  EXPECT_NEAR(r->avg_len, (0.4318 + 0.0203 + 0.15005 + 0.4318)/12, 1e-7);
  EXPECT_NEAR(r->rad, r->avg_len/8, 1e-9);
  EXPECT_EQ(r->wrist_partitioned, 1);
  EXPECT_EQ(r->limits, 0);
  EXPECT_EQ(r->type, 0);
  EXPECT_EQ(r->J, nullptr);  EXPECT_EQ(r->links, nullptr);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      EXPECT_EQ(r->EE.Qee[i][j], i == j ? 1.0f : 0.0f);
      EXPECT_EQ(r->EE.Qee_gl[i][j], i == j ? 1.0f : 0.0f);
    }
  EXPECT_STREQ(r->name, "PumaArm");
  FreeRobot(r);

  // an offset on link 5 breaks the wrist; a limit switches limits on
  DHRow rows[6] = {Rev(0, 0, 90, 0), Rev(1, 0, 0, 0), Rev(1, 0, 0, 0),
                   Rev(0, 0, 90, 0), Rev(0, 0.1f, -90, 0), Rev(0, 0, 0, 0)};
  rows[2].qmax = 120.0f;
  r = RobotFromDH("w", 6, rows);
  EXPECT_EQ(r->wrist_partitioned, 0);
  EXPECT_EQ(r->limits, 1);
  FreeRobot(r);
  FreeRobot(nullptr);
}

TEST(RobotType, Classification) {
  // six revolute links whose axes all meet in one point (a = 0 but on the last link, b = 0
  // but on the first and the last): orientation only
  DHRow rows[7] = {Rev(0, 1, 90, 0), Rev(0, 0, -90, 0), Rev(0, 0, 90, 0), Rev(0, 0, -90, 0),
                   Rev(0, 0, 90, 0), Rev(0.5f, 0.7f, 0, 0), Rev(1, 0, 0, 0)};
  Robot r = RobotFromDH("a", 6, rows);
  EXPECT_EQ(r->type, 2);
  EXPECT_EQ(allRevolute, 1);
  FreeRobot(r);
  // an offset on a middle link moves the later axes off that point: the hand's position
  // changes with the joints, so the arm is spatial (the 7R arm with a = 0 everywhere too)
  rows[2].b = 1;
  r = RobotFromDH("e", 6, rows);
  EXPECT_EQ(r->type, 0);
  FreeRobot(r);
  DHRow seven[7] = {Rev(0, 0.34f, -90, 0), Rev(0, 0, 90, 0), Rev(0, 0.4f, 90, 0),
                    Rev(0, 0, -90, 0), Rev(0, 0.4f, -90, 0), Rev(0, 0, 90, 0),
                    Rev(0, 0.126f, 0, 0)};
  r = RobotFromDH("f", 7, seven);
  EXPECT_EQ(r->type, 0);
  EXPECT_EQ(r->n - 6, 1);
  FreeRobot(r);
  rows[2].b = 0;
  // the same with one prismatic joint: spatial
  rows[2].joint = 1;
  r = RobotFromDH("b", 6, rows);
  EXPECT_EQ(r->type, 0);
  EXPECT_EQ(allRevolute, 0);
  FreeRobot(r);
  rows[2].joint = 0;
  // a length before the last link: 5 links positioning, 7 links spatial
  rows[1].a = 0.3f;
  r = RobotFromDH("c", 5, rows);
  EXPECT_EQ(r->type, 4);
  FreeRobot(r);
  r = RobotFromDH("d", 7, rows);
  EXPECT_EQ(r->type, 0);
  FreeRobot(r);
}

// redundancy and Jacobian sizes per class, and the two trace lines
TEST(CartesianConfigFromRobot, SizesAndTrace) {
  struct Case { Robot r; int type, red, jm, km; } cases[4] = {
    {KsPumaArm(), 0, 0, 7, 6}, {KsSevenArm(), 0, 1, 7, 6},
    {KsWristArm(), 2, 0, 4, 3}, {nullptr, 4, 2, 3, 3}};
  DHRow rows[5] = {Rev(0.3f, 0.2f, 90, 0), Rev(0.5f, 0, 0, 0), Rev(0.4f, 0, 0, 0),
                   Rev(0.1f, 0, -90, 0), Rev(0.1f, 0, 0, 0)};
  cases[3].r = RobotFromDH("five", 5, rows);
  for (auto& c : cases) {
    JointConfig jc = JointConfigFromRobot(c.r);
    testing::internal::CaptureStdout();
    CartesianConfig cc = CartesianConfigFromRobot(c.r, jc);
    std::string out = testing::internal::GetCapturedStdout();
    char want[200];
    snprintf(want, sizeof want, "The robot type selected is (0-Spatial; 2-Spherical Wrist; "
             "4-Positioning) %d\nRedundancy = %d\n", c.type, c.red);
    EXPECT_EQ(out, want);
    EXPECT_EQ(cc->type, c.type);
    EXPECT_EQ(c.r->redundant, c.red);
    EXPECT_EQ(c.r->jm, c.jm);
    EXPECT_EQ(c.r->km, c.km);
    ASSERT_NE(c.r->J, nullptr);
    ASSERT_NE(c.r->K, nullptr);
    c.r->J[c.jm - 1][c.r->n - 1] = 1.0;            // the full size is addressable
    c.r->K[c.km - 1][c.r->n - 1] = 1.0;
    FreeCartesianConfig(cc);
    FreeJointConfig(jc);
    FreeRobot(c.r);
  }
}

// a positioning robot with three links has no redundancy
TEST(CartesianConfigFromRobot, ThreeLinkPositioning) {
  DHRow rows[3] = {Rev(0.2f, 0.4f, 90, 0), Rev(0.5f, 0, 0, 0), Rev(0.4f, 0, 0, 0)};
  Robot r = RobotFromDH("three", 3, rows);
  JointConfig jc = JointConfigFromRobot(r);
  testing::internal::CaptureStdout();
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(r->type, 4);
  EXPECT_EQ(r->redundant, 0);
  // the pose is computed at once: planar 2-link arm behind a 90-degree twist at home
  EXPECT_NEAR(cc->r[0], 0.2 + 0.5 + 0.4, 1e-6);
  EXPECT_NEAR(cc->r[2], 0.4, 1e-6);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  FreeRobot(r);
}

TEST(JointConfigFromRobot, HomeValues) {
  DHRow rows[2] = {Rev(0.5f, 0, 0, 30), Rev(0.5f, 0, 0, -10)};
  Robot r = RobotFromDH("rr", 2, rows);
  JointConfig jc = JointConfigFromRobot(r);
  EXPECT_EQ(jc->q[0], 30.0f);  EXPECT_EQ(jc->q[1], -10.0f);
  for (int i = 0; i < 2; i++) { EXPECT_EQ(jc->qd[i], 0.0f);  EXPECT_EQ(jc->qdd[i], 0.0f); }
  FreeJointConfig(jc);
  FreeRobot(r);
  rows[0].joint = 1;  rows[0].b = 0.5f;
  r = RobotFromDH("pr", 2, rows);
  jc = JointConfigFromRobot(r);
  EXPECT_EQ(jc->q[0], 0.5f);
  FreeJointConfig(jc);
  FreeRobot(r);
  FreeJointConfig(nullptr);
}

//------------------------------------------------------------------ application state

TEST(AppState, StartValues) {
  EXPECT_EQ(ShowInertialAxes, 1);  EXPECT_EQ(ShowJointAxes, 0);  EXPECT_EQ(ShowFlangeAxes, 0);
  EXPECT_EQ(ShowEEAxes, 1);  EXPECT_EQ(ShowScene, 0);
  for (int i = 1; i <= 4; i++) {
    EXPECT_EQ(Radius[i], 1.0f);  EXPECT_EQ(SOI[i], 0.2f);  EXPECT_EQ(ShowObstacle[i], 0);
    for (int k = 0; k < 6; k++) EXPECT_EQ(Obstacle_info[i][k], 0.0f);
  }
  EXPECT_EQ(Obstacle_Active, 1);
  EXPECT_EQ(TypePayload, 1);  EXPECT_EQ(Radius_pay, 1.0f);
  EXPECT_EQ(JT.active, 0);  EXPECT_EQ(JT.JC, nullptr);  EXPECT_EQ(CT.CC, nullptr);
  EXPECT_EQ(ErrStatus, 0);
}

TEST(AppState, ClearTrajectories) {
  JointTrajectory jt = {1, 1, 0, 3, 2, 1, 1, 0, nullptr, nullptr};
  jt.JC = (JointConfigRec*)calloc(3, sizeof(JointConfigRec));
  jt.CC = (CartesianConfigRec*)calloc(3, sizeof(CartesianConfigRec));
  for (int i = 0; i < 3; i++) { jt.JC[i].q = JmFVector(4);  jt.JC[i].qd = nullptr; }
  ClearJointTrajectory(&jt);
  EXPECT_EQ(jt.active, 0);  EXPECT_EQ(jt.ntp, 0);  EXPECT_EQ(jt.last, -1);
  EXPECT_EQ(jt.JC, nullptr);  EXPECT_EQ(jt.CC, nullptr);
  EXPECT_EQ(jt.ShowPoints, 1);                       // display switches are the panel's

  CartesianTrajectory ct = {1, 1, 1, 2, 1, 0, 1, 0, nullptr, nullptr};
  ct.CC = (CartesianConfigRec*)calloc(2, sizeof(CartesianConfigRec));
  ClearCartesianTrajectory(&ct);                     // no joint array yet
  EXPECT_EQ(ct.active, 0);  EXPECT_EQ(ct.ntp, 0);  EXPECT_EQ(ct.last, -1);
  EXPECT_EQ(ct.CC, nullptr);
  ClearCartesianTrajectory(&ct);                     // twice is harmless
}
