// test_pose_edit.cpp -- covers src/kin/pose_edit.cpp: joint folding and limits, the level
// thresholds, file-name rule, and the exact texts of the Q and J windows
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <string>

#include "kin/pose_edit.h"

// two revolute joints without limits, one limited to [-90, 90], one prismatic
static Robot FoldArm(int limits_on) {
  DHRow rows[4] = {{0, 1, 0, 0, 0, -100000, 100000}, {0, 1, 0, 0, 0, -100000, 100000},
                   {0, 1, 0, 0, 0, -90, 90}, {1, 0, 1, 0, 0, -100000, 100000}};
  Robot r = RobotFromDH("fold", 4, rows);
  r->limits = limits_on;
  return r;
}

// whole turns: 725 -> 5, -725 -> -5, 720 -> 360 (repeated subtraction stops at 360); a huge
// value, where subtracting 360 changes nothing, lands on its exact remainder (long double);
// limits: above the maximum and below the minimum refused
TEST(PoseEdit, JointValuesFoldAndLimits) {
  Robot r = FoldArm(1);
  JointConfig jc = JointConfigFromRobot(r);
  jc->q[0] = 725;  jc->q[1] = -725;  jc->q[2] = 725;  jc->q[3] = 725;
  NormalizeJointValues(r, jc);
  EXPECT_EQ(jc->q[0], 5.0f);  EXPECT_EQ(jc->q[1], -5.0f);
  EXPECT_EQ(jc->q[2], 725.0f);  EXPECT_EQ(jc->q[3], 725.0f);   // limited, prismatic: kept
  jc->q[0] = 720;  jc->q[1] = -1080;
  NormalizeJointValues(r, jc);
  EXPECT_EQ(jc->q[0], 360.0f);  EXPECT_EQ(jc->q[1], -360.0f);
  jc->q[0] = 1e30f;
  NormalizeJointValues(r, jc);
  EXPECT_GT(jc->q[0], 0.0f);  EXPECT_LE(jc->q[0], 360.0f);
  EXPECT_EQ(jc->q[0], (float)fmodl((long double)1e30f, 360.0L));

  float v = 95;
  EXPECT_EQ(JointEditRule(r, 2, &v), JointEditAboveMax);
  v = -90.5f;
  EXPECT_EQ(JointEditRule(r, 2, &v), JointEditBelowMin);
  v = 90;
  EXPECT_EQ(JointEditRule(r, 2, &v), JointEditOk);
  v = 365;
  EXPECT_EQ(JointEditRule(r, 0, &v), JointEditOk);
  EXPECT_EQ(v, 5.0f);
  v = NAN;
  EXPECT_EQ(JointEditRule(r, 0, &v), JointEditNotFinite);
  r->limits = 0;                // limits off: every revolute joint folds, none refuses
  v = 365;
  EXPECT_EQ(JointEditRule(r, 2, &v), JointEditOk);
  EXPECT_EQ(v, 5.0f);
  FreeJointConfig(jc);
  FreeRobot(r);
}

TEST(PoseEdit, LevelThresholdsAndWrap) {
  EXPECT_EQ(ConditionLevel(0.1), CondOrange);
  EXPECT_EQ(ConditionLevel(nextafter(0.1, 0.0)), CondRed);
  EXPECT_EQ(ConditionLevel(0.5), CondGreen);
  EXPECT_EQ(ConditionLevel(nextafter(0.5, 0.0)), CondOrange);
  EXPECT_EQ(ConditionLevel(0.0), CondRed);
  EXPECT_EQ(ConditionLevel(NAN), CondRed);
  EXPECT_EQ(WrapAngle180(190), -170);
  EXPECT_EQ(WrapAngle180(-190), 170);
  EXPECT_EQ(WrapAngle180(180), 180);
}

TEST(PoseEdit, SuffixRule) {
  EXPECT_EQ(ConfigSuffixProblem("arm", "home"), nullptr);
  EXPECT_STREQ(ConfigSuffixProblem("arm", ""), "File name is empty");
  EXPECT_STREQ(ConfigSuffixProblem("arm", "a/b"), "File name must not contain \"/\"");
  EXPECT_NE(ConfigSuffixProblem("arm", "home~"), nullptr);   // the list would hide them
  EXPECT_NE(ConfigSuffixProblem("arm", "x.CKP"), nullptr);
  EXPECT_NE(ConfigSuffixProblem("arm", std::string(252, 'x').c_str()), nullptr);
  EXPECT_EQ(ConfigSuffixProblem("arm", std::string(251, 'x').c_str()), nullptr);
}

// the texts character by character, written out by hand
TEST(PoseEdit, QAndJTexts) {
  double Q[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
  char t[150];
  FormatQText(t, sizeof t, Q);
  EXPECT_STREQ(t, "\n     0.00     -1.00      0.00\n\n     1.00      0.00      0.00\n\n"
                  "     0.00      0.00      1.00");
  // entries that round to zero show no minus sign; -0.005 rounds away from it
  double Z[3][3] = {{-0.001, -0.0, -0.006}, {1, -0.0049, 0}, {0, 0, 1}};
  FormatQText(t, sizeof t, Z);
  EXPECT_STREQ(t, "\n     0.00      0.00     -0.01\n\n     1.00      0.00      0.00\n\n"
                  "     0.00      0.00      1.00");

  double r0[2] = {1, -2.5}, r1[2] = {0.125, 1234.5678};
  double* M[2] = {r0, r1};
  char j[200];
  int n = FormatJText(j, sizeof j, M, 2, 2);
  const char* want = "\n   Col. 1     Col. 2  \n\n     1.000    -2.500\n\n     0.125  1234.568";
  EXPECT_STREQ(j, want);
  EXPECT_EQ(n, (int)strlen(want));
  // no rows: the header alone; a short buffer is cut, never overrun, the length still whole
  EXPECT_EQ(FormatJText(j, sizeof j, M, 0, 1), (int)strlen("\n   Col. 1  \n\n"));
  char small[8];
  memset(small, 'z', sizeof small);
  EXPECT_EQ(FormatJText(small, 5, M, 2, 2), (int)strlen(want));
  EXPECT_STREQ(small, "\n   ");
  EXPECT_EQ(small[5], 'z');
}
