// test_cond_map.cpp -- covers src/kin/cond_map.cpp on the Puma560 sample
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "robot/app_state.h"
#include "kin/cond_map.h"
#include "kin/ikp.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "support/data_copy.h"

class CondMapPuma : public ::testing::Test {
 protected:
  std::string dir;
  Robot r = nullptr;
  JointConfig jc = nullptr;
  CartesianConfig cc = nullptr;
  void SetUp() override {
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    testing::internal::CaptureStdout();
    r = ReadRobot("Puma560");
    R = r;
    jc = JointConfigFromRobot(r);
    cc = CartesianConfigFromRobot(r, jc);
    testing::internal::GetCapturedStdout();
  }
  void TearDown() override {
    FreeCartesianConfig(cc);
    FreeJointConfig(jc);
    R = nullptr;
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
    LeaveDataCopy(dir);
  }
  // the Conditioning window's value at jc
  double Index() {
    testing::internal::CaptureStdout();
    double k = GetJacobianCond(jc, cc);
    testing::internal::GetCapturedStdout();
    return k;
  }
};

// joints 2 and 3 over their limits (-225..45 and -45..225): on a 9 x 27 grid the home pose
// (-30, 20) is the centre of cell (6, 6); that cell holds the index, computed in two slices
TEST_F(CondMapPuma, CellAtTheCurrentPoseIsTheIndex) {
  std::vector<double> v(9*27, -1.0);
  CondMap* m = NewCondMap(r, jc, cc, 1, 2, 9, 27, v.data());
  ASSERT_NE(m, nullptr);
  EXPECT_FLOAT_EQ(m->lo[0], -225.0f);  EXPECT_FLOAT_EQ(m->hi[1], 225.0f);
  EXPECT_EQ(CondMapCentre(m, 0, 6), -30.0f);
  EXPECT_EQ(CondMapCentre(m, 1, 6), 20.0f);
  EXPECT_EQ(CondMapRows(m, 0, 4), 4);
  EXPECT_EQ(v[4*27], -1.0);                               // not computed yet
  EXPECT_EQ(CondMapRows(m, 4, 100), 9);
  double k = Index();
  EXPECT_GT(k, 0.0);
  EXPECT_DOUBLE_EQ(v[6*27 + 6], k);
  EXPECT_EQ(jc->q[1], -30.0f);                            // the robot's joints untouched
  // after a pose change the held joints follow, and any pose's value is the index there
  jc->q[0] = 35;  jc->q[3] = -60;  jc->q[4] = 70;  jc->q[5] = 10;
  jc->q[1] = -100;  jc->q[2] = 140;
  CondMapSetJoints(m, jc);
  EXPECT_DOUBLE_EQ(CondMapValueAt(m, -100, 140), Index());
  // cells along an axis: the upper limit is in the last one, beyond it none
  EXPECT_EQ(CondMapCell(m, 1, 225.0f), 26);
  EXPECT_EQ(CondMapCell(m, 1, 225.5f), -1);
  EXPECT_EQ(CondMapCell(m, 0, -30.0f), 6);
  EXPECT_EQ(NewCondMap(r, jc, cc, 2, 2, 9, 9, v.data()), nullptr);
  EXPECT_EQ(NewCondMap(r, jc, cc, 1, 6, 9, 9, v.data()), nullptr);
  FreeCondMap(m);
}

// q5 = 0 lines up the axes of joints 4 and 6: on a 200 x 200 map of joints 4 and 5 the cell
// holding q5 = 0 is below 0.1 in every row, while the home value q5 = 45 is well above it
TEST_F(CondMapPuma, WristSingularityIsDark) {
  std::vector<double> v(200*200);
  CondMap* m = NewCondMap(r, jc, cc, 3, 4, 200, 200, v.data());
  ASSERT_NE(m, nullptr);
  CondMapRows(m, 0, 200);
  int zero = CondMapCell(m, 1, 0.0f), home = CondMapCell(m, 1, 45.0f);
  ASSERT_EQ(zero, 100);                                   // -100..100 in 1 degree steps
  for (int i = 0; i < 200; i++) {
    EXPECT_LT(v[i*200 + zero], 0.1) << i;
    EXPECT_GT(v[i*200 + home], 0.1) << i;
  }
  FreeCondMap(m);
}
