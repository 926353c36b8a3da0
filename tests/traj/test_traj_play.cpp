// test_traj_play.cpp -- covers src/traj/traj_play.cpp
#include <gtest/gtest.h>

#include "robot/app_state.h"
#include "support/kin_support.h"
#include "traj/traj_file.h"
#include "traj/traj_play.h"
#include "kin/ikp.h"  // for: CartesianConfigFromRobot()

// 3 points: a Cartesian run steps to the end, then once more onto the same end and stops; a
// joint run stops on reaching its end; single steps stop at both ends and start a reverse
// walk at the last point
TEST(TrajPlay, RunsAndStepsEndOnTheirEndPoints) {
  CartesianTrajectory ct = {1, 1, 0, 3, 2, 0, 1, 1, nullptr, nullptr};
  const int cart_fwd[4][2] = {{TRAJ_TICK_STEP, 1}, {TRAJ_TICK_STEP, 2}, {TRAJ_TICK_END, 2},
                              {TRAJ_TICK_IDLE, 2}};
  for (auto& t : cart_fwd) {
    EXPECT_EQ(CartTrajTick(&ct, 1), t[0]);
    EXPECT_EQ(ct.ctp, t[1]);
  }
  EXPECT_EQ(ct.state, 0);
  ct.state = -1;
  EXPECT_EQ(CartTrajTick(&ct, -1), TRAJ_TICK_STEP);
  EXPECT_EQ(CartTrajTick(&ct, -1), TRAJ_TICK_STEP);
  EXPECT_EQ(CartTrajTick(&ct, -1), TRAJ_TICK_END);
  EXPECT_EQ(ct.ctp, 0);

  JointTrajectory jt = {1, 1, 0, 3, 2, 0, 1, 1, nullptr, nullptr};
  EXPECT_EQ(JointTrajTick(&jt, 1), TRAJ_TICK_STEP);
  EXPECT_EQ(JointTrajTick(&jt, 1), TRAJ_TICK_END);
  EXPECT_EQ(jt.ctp, 2);  EXPECT_EQ(jt.state, 0);
  EXPECT_EQ(JointTrajTick(&jt, -1), TRAJ_TICK_IDLE);
  jt.state = -1;
  EXPECT_EQ(JointTrajTick(&jt, -1), TRAJ_TICK_STEP);
  EXPECT_EQ(JointTrajTick(&jt, -1), TRAJ_TICK_END);
  EXPECT_EQ(jt.ctp, 0);

  EXPECT_EQ(TrajStepTarget(-1, 2, 1), 0);  EXPECT_EQ(TrajStepTarget(1, 2, 1), 2);
  EXPECT_EQ(TrajStepTarget(2, 2, 1), -1);  EXPECT_EQ(TrajStepTarget(-1, 2, -1), 2);
  EXPECT_EQ(TrajStepTarget(0, 2, -1), -1); EXPECT_EQ(TrajStepTarget(-1, -1, 1), -1);
}

// point 1 set to the pose of known joints (an independent chain of transforms) and solved
// from two degrees away: the joints come back within the solver's stop (about 3e-3 degrees)
// and are recorded at point 1 only; a point outside the trajectory is refused untouched
TEST(TrajPlay, PosingAPointRecordsItsSolution) {
  Robot r = KsPumaArm();
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  ASSERT_EQ(LoadBuiltinPath(r, "FanucS300.helix", &CT), 0);
  const float q[6] = {10, -40, 30, 15, 50, -20};
  double T[4][4];
  KsChain(r, q, 6, T);
  for (int i = 0; i < 3; i++) {
    CT.CC[1].r[i] = T[i][3];
    for (int j = 0; j < 3; j++) CT.CC[1].Q[i][j] = T[i][j];
  }
  for (int j = 0; j < 6; j++) jc->q[j] = q[j] + 2;
  CartTrajPosePoint(r, jc, cc, &CT, 1);
  for (int j = 0; j < 6; j++) {
    EXPECT_NEAR(CT.JC[1].q[j], q[j], 3e-3) << j;
    EXPECT_EQ(CT.JC[0].q[j], -1);  EXPECT_EQ(CT.JC[2].q[j], -1);
  }
  for (int i = 0; i < 3; i++) EXPECT_NEAR(cc->r[i], T[i][3], 1e-4);
  EXPECT_EQ(CartTrajPosePoint(r, jc, cc, &CT, CT.ntp), -1);
  EXPECT_EQ(JointTrajPosePoint(r, jc, cc, &JT, 0), -1);     // nothing loaded
  EXPECT_NEAR(jc->q[0], q[0], 3e-3);
  ClearCartesianTrajectory(&CT);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  FreeRobot(r);
}
