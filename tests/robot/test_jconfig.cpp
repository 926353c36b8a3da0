// test_jconfig.cpp -- covers src/robot/jconfig.cpp (and the tokenizer it shares with the robot reader)
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <vector>

#include "robot/app_state.h"
#include "robot/jconfig.h"
#include "robot/robot.h"
#include "support/data_copy.h"
#include "robot/tokenizer.h"

// a robot of n revolute links named name, unlimited unless lo/hi are given
static Robot MakeArm(const char* name, int n, float lo = -100000, float hi = 100000) {
  DHRow rows[64];
  for (int i = 0; i < n; i++) rows[i] = {0, 1.0f, 0.0f, 90.0f, 0.0f, lo, hi};
  return RobotFromDH(name, n, rows);
}

class JConfigFiles : public ::testing::Test {
 protected:
  std::string dir;
  Robot arm = nullptr;
  JointConfig jc = nullptr;
  void SetUp() override {
    dir = EnterDataCopy(0);
    ASSERT_FALSE(dir.empty());
    arm = MakeArm("arm", 6);
    jc = JointConfigFromRobot(arm);
    R = arm;
  }
  void TearDown() override {
    R = nullptr;
    FreeJointConfig(jc);
    FreeRobot(arm);
    LeaveDataCopy(dir);
  }
  // read the file text as arm.t; returns the result and the captured stderr
  int ReadText(const std::string& text, std::string* err) {
    WriteTextFile("JConfig/arm.t", text);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    int rc = ReadJointConfig(jc, "arm.t");
    std::string out = testing::internal::GetCapturedStdout();
    *err = testing::internal::GetCapturedStderr() + out;
    return rc;
  }
};

//------------------------------------------------------------------ writer and round trip

// the layout, written out by hand from the format: "th = [  ", " %lf " each, " ]\n"
TEST_F(JConfigFiles, WriterLayout) {
  double q[6] = {1.5, -2, 0, 100.25, 0.0000004, -0.0000006};
  ASSERT_EQ(WriteJointConfig(arm, q, "home"), 0);
  EXPECT_EQ(ReadTextFile("JConfig/arm.home"),
            "th = [   1.500000  -2.000000  0.000000  100.250000  0.000000  -0.000001  ]\n");
}

TEST_F(JConfigFiles, RoundTripWithinSixDecimals) {
  double q[6] = {12.3456789, -170.000001, 0.5, 33.333333, -0.0000049, 179.999999};
  ASSERT_EQ(WriteJointConfig(arm, q, "x.y"), 0);
  testing::internal::CaptureStdout();
  ASSERT_EQ(ReadJointConfig(jc, "arm.x.y"), 0);
  testing::internal::GetCapturedStdout();
  for (int i = 0; i < 6; i++) {
    double six = round(q[i]*1e6)/1e6;     // what six decimals keep
    EXPECT_NEAR(jc->q[i], six, 2e-5) << i;  // float storage: 1.5e-5 at 180
  }
}

TEST_F(JConfigFiles, ReplacesAnExistingFileAndLeavesNoTemporary) {
  double a[6] = {1, 2, 3, 4, 5, 6}, b[6] = {6, 5, 4, 3, 2, 1};
  ASSERT_EQ(WriteJointConfig(arm, a, "p"), 0);
  ASSERT_EQ(WriteJointConfig(arm, b, "p"), 0);
  EXPECT_EQ(ListFiles("JConfig"), "arm.p\n");
  EXPECT_EQ(ReadTextFile("JConfig/arm.p").substr(0, 17), "th = [   6.000000");
}

TEST_F(JConfigFiles, FailedWriteKeepsTheOldFile) {
  WriteTextFile("JConfig/arm.keep", "th = [1 2 3 4 5 6]\n");
  auto failing = [](FILE* f, const void*) -> int {
    fprintf(f, "th = [ 9");
    return -1;
  };
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteFileSafely("JConfig/arm.keep", failing, nullptr), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unable to write file `JConfig/arm.keep'"), std::string::npos);
  EXPECT_EQ(ReadTextFile("JConfig/arm.keep"), "th = [1 2 3 4 5 6]\n");
  EXPECT_EQ(ListFiles("JConfig"), "arm.keep\n");
  // no directory: nothing written, failure reported
  double q[6] = {0};
  Robot ghost = MakeArm("ghost", 6);
  ASSERT_EQ(rename("JConfig", "JConfig.away"), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteJointConfig(ghost, q, "p"), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to write file"),
            std::string::npos);
  ASSERT_EQ(rename("JConfig.away", "JConfig"), 0);
  FreeRobot(ghost);
}

//------------------------------------------------------------------ reader

TEST_F(JConfigFiles, SynonymsSeparatorsAndTheLastAssignmentWins) {
  std::string err;
  ASSERT_EQ(ReadText("/* pose */ q = [1,2;3 4 , 5 ;6]\nb=[-1 -2 -3 -4 -5 -6.5e0],\n"
                     "th = [ 10 /* c */ 20 30 40 50 60 ]", &err), 0) << err;
  float want[6] = {10, 20, 30, 40, 50, 60};
  for (int i = 0; i < 6; i++) EXPECT_FLOAT_EQ(jc->q[i], want[i]);
  ASSERT_EQ(ReadText("b=[-1 -2 -3 -4 -5 -6.5e0]", &err), 0) << err;
  EXPECT_FLOAT_EQ(jc->q[5], -6.5f);
}

TEST_F(JConfigFiles, CommentOnlyFileGivesTheZeroPose) {
  for (int i = 0; i < 6; i++) jc->q[i] = 7;
  std::string err;
  ASSERT_EQ(ReadText("/* nothing /* nested */ here */\n\n", &err), 0);
  for (int i = 0; i < 6; i++) EXPECT_EQ(jc->q[i], 0.0f);
}

TEST_F(JConfigFiles, WrongLengthIsRefusedAndLeavesThePose) {
  for (int i = 0; i < 6; i++) jc->q[i] = 7;
  std::string err;
  EXPECT_EQ(ReadText("\nth = [1 2 3 4 5]\n", &err), -1);
  EXPECT_NE(err.find("Improper number of entries in vector on line 2 in JConfig/arm.t"),
            std::string::npos) << err;
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"
                     " 25 26 27 28 29 30 31 32 33 34 35]\n", &err), -1);
  EXPECT_NE(err.find("Improper number of entries in vector on line 1"), std::string::npos);
  for (int i = 0; i < 6; i++) EXPECT_EQ(jc->q[i], 7.0f);
}

TEST_F(JConfigFiles, MessagesCarryTheirLine) {
  std::string err;
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6]\n\n7\n", &err), -1);
  EXPECT_NE(err.find("ERROR 3\n"), std::string::npos) << err;
  EXPECT_EQ(ReadText("\n\nx = [1 2 3 4 5 6]\n", &err), -1);
  EXPECT_NE(err.find("Unexpected name 'x' at line 3 in JConfig/arm.t"), std::string::npos);
  EXPECT_EQ(ReadText("th [1 2 3 4 5 6]\n", &err), -1);
  EXPECT_NE(err.find("'=' expected at line 1 in JConfig/arm.t"), std::string::npos);
  EXPECT_EQ(ReadText("th = 5\n", &err), -1);
  EXPECT_NE(err.find("Type mismatch: Vector expected at line 1"), std::string::npos);
  EXPECT_EQ(ReadText("th = [1 2 x 4 5 6]\n", &err), -1);
  EXPECT_NE(err.find("Bad float on line 1 in JConfig/arm.t"), std::string::npos);
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6]x\n", &err), -1);
  EXPECT_NE(err.find("Syntax error: at line 1 in JConfig/arm.t"), std::string::npos);
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6] /* open\n\n", &err), -1);
  EXPECT_NE(err.find("Unterminated comment"), std::string::npos);
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6]\n/* open /* and nested */\n", &err), -1);
  EXPECT_NE(err.find("JConfig/arm.t: Unterminated comment\n"), std::string::npos) << err;
  EXPECT_EQ(ReadText("th = [1 2 3 /* open \n", &err), -1);
  EXPECT_NE(err.find("Unterminated comment\n"), std::string::npos);
  EXPECT_EQ(ReadText("th = [1 2 . 4 5 6]\n", &err), -1);
  EXPECT_NE(err.find("JConfig/arm.t: syntax error at line 1"), std::string::npos);
}

TEST_F(JConfigFiles, MissingFile) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadJointConfig(jc, "arm.none"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Unable to open file `JConfig/arm.none'\n");
}

// 40 links: the scratch vector grows instead of overrunning its 30 entries
TEST_F(JConfigFiles, MoreThanThirtyLinks) {
  Robot big = MakeArm("big", 40);
  JointConfig bj = JointConfigFromRobot(big);
  double q[40];
  for (int i = 0; i < 40; i++) q[i] = i*1.25 - 20;
  ASSERT_EQ(WriteJointConfig(big, q, "all"), 0);
  testing::internal::CaptureStdout();
  ASSERT_EQ(ReadJointConfigFor(big, bj, "big.all"), 0);
  testing::internal::GetCapturedStdout();
  for (int i = 0; i < 40; i++) EXPECT_FLOAT_EQ(bj->q[i], (float)q[i]);
  // and a short robot afterwards still reads its own length
  std::string err;
  EXPECT_EQ(ReadText("th = [1 2 3 4 5 6]", &err), 0) << err;
  FreeJointConfig(bj);
  FreeRobot(big);
}

//------------------------------------------------------------------ list rule

TEST(ConfigList, EntriesOfTheRobotNamedArm) {
  EXPECT_TRUE(ConfigNameMatches("arm", "arm.home"));
  EXPECT_TRUE(ConfigNameMatches("arm", "arm.x.y"));
  EXPECT_FALSE(ConfigNameMatches("arm", "arm2.home"));
  EXPECT_FALSE(ConfigNameMatches("arm", "arm.home~"));
  EXPECT_FALSE(ConfigNameMatches("arm", "arm.CKP"));
  EXPECT_FALSE(ConfigNameMatches("arm", ".arm.home"));
  EXPECT_FALSE(ConfigNameMatches("arm", "armhome"));
  EXPECT_FALSE(ConfigNameMatches("arm", "arm"));
  EXPECT_FALSE(ConfigNameMatches("arm", "ar"));
  EXPECT_FALSE(ConfigNameMatches("arm", "Arm.home"));
  Robot arm = MakeArm("arm", 3);
  R = nullptr;
  EXPECT_EQ(config_fill_match("arm.home"), 0);
  R = arm;
  EXPECT_EQ(config_fill_match("arm.home"), 1);
  EXPECT_EQ(config_fill_match("arm2.home"), 0);
  R = nullptr;
  FreeRobot(arm);
}

//------------------------------------------------------------------ smooth motion

class SmoothMotion : public ::testing::Test {
 protected:
  Robot arm = nullptr;
  JointConfig cur = nullptr, target = nullptr;
  void SetUp() override {
    arm = MakeArm("arm", 3);
    cur = JointConfigFromRobot(arm);
    target = JointConfigFromRobot(arm);
  }
  void TearDown() override {
    FreeJointConfig(target);  FreeJointConfig(cur);  FreeRobot(arm);
  }
  // frames played until the motion reports its end
  int Play(std::vector<float>* j = nullptr, int joint = 0) {
    int k = 0;
    while (ConfigStep(cur, 3)) {
      k++;
      if (j) j->push_back(cur->q[joint]);
      if (k > 1000) break;
    }
    return k;
  }
};

TEST_F(SmoothMotion, FrameCounts) {
  struct { int joint; float d; int frames; } cases[] = {
    {1, 10, 16}, {1, 40, 40}, {1, 200, 80}, {0, 40, 30}};   // 40 / 1.33 = 30.08
  for (auto& c : cases) {
    for (int i = 0; i < 3; i++) cur->q[i] = target->q[i] = 5;
    target->q[c.joint] += c.d;
    ASSERT_EQ(InterpolateConfig(cur, target, arm), 0);
    EXPECT_TRUE(InterpolateConfig_ani);
    EXPECT_EQ(m, c.frames);
    EXPECT_EQ(Play(), c.frames);
    EXPECT_FALSE(InterpolateConfig_ani);
  }
}

// q(t) = q0 + d/360 (2 pi t - sin 2 pi t) 180/pi: starts at q0, zero slope at both ends,
// lands on the target
TEST_F(SmoothMotion, CycloidReachesTheTarget) {
  cur->q[0] = 10;  cur->q[1] = -20;  cur->q[2] = 0;
  target->q[0] = -50;  target->q[1] = 37.5;  target->q[2] = 0.3f;
  float t0 = target->q[0], t1 = target->q[1], t2 = target->q[2];
  ASSERT_EQ(InterpolateConfig(cur, target, arm), 0);
  int frames = m;
  std::vector<float> q1;
  EXPECT_EQ(Play(&q1, 1), frames);
  EXPECT_EQ(cur->q[0], t0);
  EXPECT_EQ(cur->q[1], t1);
  EXPECT_EQ(cur->q[2], t2);
  ASSERT_EQ((int)q1.size(), frames);
  EXPECT_FLOAT_EQ(q1[0], -20.0f);
  // frame k at t = k/(m-1); compare with the closed form
  for (int k = 0; k < frames; k++) {
    double t = (double)k/(frames - 1);
    double want = -20 + 57.5/360*(2*M_PI*t - sin(2*M_PI*t))*180/M_PI;
    EXPECT_NEAR(q1[k], want, 1e-4) << k;
  }
  // slow start and finish, fastest in the middle
  float first = q1[1] - q1[0], mid = q1[frames/2] - q1[frames/2 - 1];
  float last = q1[frames - 1] - q1[frames - 2];
  EXPECT_LT(first, 0.05f*mid);
  EXPECT_LT(last, 0.05f*mid);
}

TEST_F(SmoothMotion, SamePoseEndsOnTheFirstStep) {
  for (int i = 0; i < 3; i++) cur->q[i] = target->q[i] = 12;
  ASSERT_EQ(InterpolateConfig(cur, target, arm), 0);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(ConfigStep(cur, 3), 0);
  EXPECT_FALSE(InterpolateConfig_ani);
  for (int i = 0; i < 3; i++) EXPECT_EQ(cur->q[i], 12.0f);
}

TEST_F(SmoothMotion, EnforcedLimitsRefuseTheTarget) {
  Robot lim = MakeArm("lim", 3, -90, 90);
  ASSERT_EQ(lim->limits, 1);
  JointConfig a = JointConfigFromRobot(lim), b = JointConfigFromRobot(lim);
  b->q[2] = 91;
  InterpolateConfig_ani = false;
  m = 7;
  EXPECT_EQ(InterpolateConfig(a, b, lim), -1);
  EXPECT_FALSE(InterpolateConfig_ani);
  EXPECT_EQ(m, 7);
  b->q[2] = -90;
  EXPECT_EQ(InterpolateConfig(a, b, lim), 0);
  lim->limits = 0;
  b->q[2] = 300;
  EXPECT_EQ(InterpolateConfig(a, b, lim), 0);
  while (ConfigStep(a, 3)) {}
  FreeJointConfig(a);  FreeJointConfig(b);  FreeRobot(lim);
}
