// test_traj_transform.cpp -- covers src/traj/traj_transform.cpp
#include <gtest/gtest.h>
#include <stdlib.h>

#include "robot/app_state.h"
#include "traj/traj_transform.h"

// one loaded point at p in a trajectory's pose array, Q the identity
static CartesianConfigRec* OnePoint(double x, double y, double z) {
  CartesianConfigRec* cc = (CartesianConfigRec*)calloc(1, sizeof(CartesianConfigRec));
  cc->r[0] = x;  cc->r[1] = y;  cc->r[2] = z;
  for (int i = 0; i < 3; i++) cc->Q[i][i] = 1.0;
  return cc;
}

static void ExpectAt(const CartesianConfigRec* cc, double x, double y, double z) {
  EXPECT_NEAR(cc->r[0], x, 1e-6);  EXPECT_NEAR(cc->r[1], y, 1e-6);  EXPECT_NEAR(cc->r[2], z, 1e-6);
}

class TrajTransform : public ::testing::Test {
 protected:
  void SetUp() override {
    TransReset();
    CT.CC = OnePoint(1, 2, 3);  CT.ntp = 1;  CT.active = 1;
    JT.CC = OnePoint(0, 0, 1);  JT.ntp = 1;  JT.active = 1;
  }
  void TearDown() override {
    ClearCartesianTrajectory(&CT);
    ClearJointTrajectory(&JT);
  }
};

// x + 1, then 90 degrees about z, then scale 2; both loaded trajectories move
TEST_F(TrajTransform, TranslateRotateScaleThenDifferences) {
  TransPosition(0, 1);
  TransOrientation(2, 90);
  TransScale(2);
  ExpectAt(CT.CC, -4, 4, 6);            // (2,2,3) -> (-2,2,3) -> (-4,4,6)
  ExpectAt(JT.CC, 0, 2, 2);             // (1,0,1) -> (0,1,1) -> (0,2,2)
  // the same values again change nothing; a new value applies only its difference
  TransScale(2);
  TransOrientation(2, 90);
  TransPosition(0, 3);                  // + 2
  ExpectAt(CT.CC, -2, 4, 6);
  TransOrientation(2, 180);             // another 90: (x, y) -> (-y, x)
  ExpectAt(CT.CC, -4, -2, 6);
  ExpectAt(JT.CC, -2, 2, 2);
  TransScale(0);                        // ignored
  ExpectAt(CT.CC, -4, -2, 6);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(CT.CC->Q[i][j], i == j ? 1.0 : 0.0);
  EXPECT_EQ(m_config_position[0], 3.0);  EXPECT_EQ(m_config_oritation[2], 180.0);
  EXPECT_EQ(m_config_scale_value, 2.0);
}

// the senses about x and y, right-handed: x turns y into z, y turns z into x
TEST_F(TrajTransform, SenseAboutXAndY) {
  JT.active = 0;
  CT.CC->r[0] = 0;  CT.CC->r[1] = 1;  CT.CC->r[2] = 0;
  TransOrientation(0, 90);
  ExpectAt(CT.CC, 0, 0, 1);
  TransOrientation(1, 90);
  ExpectAt(CT.CC, 1, 0, 0);
  ExpectAt(JT.CC, 0, 0, 1);             // not loaded: untouched
}
