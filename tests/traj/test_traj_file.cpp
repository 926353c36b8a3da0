// test_traj_file.cpp -- covers src/traj/traj_file.cpp
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "support/data_copy.h"
#include "support/kin_support.h"
#include "traj/traj_file.h"

// a three-link positioning arm (type 4) with the given name
static Robot PositArm(const char* name) {
  DHRow rows[3] = {{0, 0, 5, 90, 0, -1e5f, 1e5f}, {0, 4, 0, 0, 30, -1e5f, 1e5f},
                   {0, 3, 0, 0, -60, -1e5f, 1e5f}};
  return RobotFromDH(name, 3, rows);
}

class TrajFiles : public ::testing::Test {
 protected:
  std::string dir;
  Robot puma = nullptr, posit = nullptr;
  void SetUp() override {
    dir = EnterDataCopy(0);
    ASSERT_FALSE(dir.empty());
    puma = KsPumaArm();
    posit = PositArm("PumaArm");
  }
  void TearDown() override {
    ClearCartesianTrajectory(&CT);
    ClearJointTrajectory(&JT);
    FreeRobot(puma);
    FreeRobot(posit);
    LeaveDataCopy(dir);
  }
};

static std::string Err() { return testing::internal::GetCapturedStderr(); }

// twelve counted lines; blank, whitespace-only and carriage-return lines between them
TEST_F(TrajFiles, LineRuleGivesPointsByType) {
  std::string text;
  for (int i = 0; i < 12; i++)
    text += std::to_string(i) + " 0.5\t-2\r\n" + (i%3 ? "" : " \t\v\f\r\n\n");
  WriteTextFile("Ctraj/PumaArm.c", text.substr(0, text.size() - 1));  // no final newline
  EXPECT_EQ(wc("Ctraj/PumaArm.c"), 12);
  EXPECT_EQ(wc("Ctraj/missing"), -1);
  ASSERT_EQ(LoadCartesianTrajectory(puma, "PumaArm.c", &CT), 0);
  EXPECT_EQ(CT.ntp, 3);  EXPECT_EQ(CT.last, 2);  EXPECT_EQ(CT.ctp, -1);  EXPECT_EQ(CT.active, 1);
  EXPECT_EQ(CT.CC[1].r[0], 4.0);                // line 5 is the position of point 1
  EXPECT_EQ(CT.CC[1].Q[2][0], 7.0);             // line 8 its last row of Q
  EXPECT_EQ(CT.CC[2].type, 0);
  for (int j = 0; j < 6; j++) EXPECT_EQ(CT.JC[2].q[j], -1.0f);
  ASSERT_EQ(LoadCartesianTrajectory(posit, "PumaArm.c", &CT), 0);
  EXPECT_EQ(CT.ntp, 12);
  EXPECT_EQ(CT.CC[11].r[0], 11.0);  EXPECT_EQ(CT.CC[11].r[2], -2.0);  EXPECT_EQ(CT.CC[11].type, 4);
}

// a wrist with a twisted last link: the position derived from Q equals the chain's
TEST_F(TrajFiles, WristPositionFromGeometry) {
  DHRow rows[3] = {{0, 0, 2, -90, 0, -1e5f, 1e5f}, {0, 0, 0, 90, 30, -1e5f, 1e5f},
                   {0, 0.5f, 1, 30, 0, -1e5f, 1e5f}};
  Robot w = RobotFromDH("Wr", 3, rows);
  ASSERT_EQ(w->type, 2);
  float q[3] = {25, -40, 70};
  double T[4][4];
  KsChain(w, q, 3, T);
  char line[200], text[600] = "";
  for (int i = 0; i < 3; i++) {
    snprintf(line, sizeof(line), "%.9f %.9f %.9f\n", T[i][0], T[i][1], T[i][2]);
    strcat(text, line);
  }
  WriteTextFile("Ctraj/Wr.t", text);
  ASSERT_EQ(ReadCartesianTrajectory(w, "Ctraj/Wr.t", &CT), 0);
  ASSERT_EQ(CT.ntp, 1);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(CT.CC[0].r[i], T[i][3], 1e-6) << i;
  FreeRobot(w);
}

// poses written and read back for each type, and joint solutions through a joint file
TEST_F(TrajFiles, RoundTrips) {
  Robot wrist = KsWristArm();
  Robot robots[3] = {puma, wrist, posit};
  for (Robot r : robots) {
    ClearCartesianTrajectory(&CT);
    ASSERT_EQ(LoadBuiltinPath(r, "FanucS300.helix", &CT), 0);
    for (int k = 0; k < CT.ntp; k++) CT.CC[k].r[0] += 1.0/3.0;
    ASSERT_EQ(WriteCartesianTrajectory("Ctraj/x.rt", r, &CT, &JT), 0);
    CartesianTrajectory back = {0, 0, 0, 0, -1, -1, 0, 0, nullptr, nullptr};
    ASSERT_EQ(ReadCartesianTrajectory(r, "Ctraj/x.rt", &back), 0);
    ASSERT_EQ(back.ntp, 201) << r->type;
    for (int k = 0; k < 201; k += 50) {
      for (int i = 0; i < 3; i++) {
        if (r->type != 2) {
          EXPECT_NEAR(back.CC[k].r[i], CT.CC[k].r[i], 5e-7);
        }
        for (int j = 0; j < 3 && r->type != 4; j++) {
          EXPECT_NEAR(back.CC[k].Q[i][j], CT.CC[k].Q[i][j], 5e-7);
        }
      }
    }
    ClearCartesianTrajectory(&back);
  }
  FreeRobot(wrist);

  // Save JT after a partial playback: points 0 and 1 solved, point 2 never reached
  ASSERT_EQ(LoadBuiltinPath(puma, "FanucS300.helix", &CT), 0);
  float q[2][6] = {{10.125f, -20, 30, 0.5f, -45.25f, 90}, {1, 2, 3, 4, 5, 6}};
  for (int j = 0; j < 6; j++) { CT.JC[0].q[j] = q[0][j];  CT.JC[1].q[j] = q[1][j]; }
  char path[300];
  ASSERT_EQ(TrajSavePath(path, JTRAJ_DIR, puma, "helix_JT"), 0);
  EXPECT_STREQ(path, "Jtraj/PumaArm.helix_JT");
  ASSERT_EQ(WriteJointTrajectory(path, puma, &CT), 0);
  std::string text = ReadTextFile(path);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1),
            "10.125000 -20.000000 30.000000 0.500000 -45.250000 90.000000 \n");
  EXPECT_NE(text.find("\n-1.000000 -1.000000 -1.000000 -1.000000 -1.000000 -1.000000 \n"),
            std::string::npos);
  ASSERT_EQ(LoadJointTrajectory(puma, "PumaArm.helix_JT", &JT), 0);
  EXPECT_EQ(JT.ntp, 201);
  double T[4][4];
  KsChain(puma, q[0], 6, T);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(JT.CC[0].r[i], T[i][3], 1e-6);
  for (int j = 0; j < 6; j++) EXPECT_EQ(JT.JC[1].q[j], q[1][j]);
}

TEST_F(TrajFiles, ListFilterAndPreset) {
  EXPECT_TRUE(TrajNameMatches("FanucS300", "FanucS300.helix"));
  EXPECT_FALSE(TrajNameMatches("FanucS300", "FanucS300.helix~"));
  EXPECT_FALSE(TrajNameMatches("FanucS300", "FanucS300.CKP"));
  EXPECT_FALSE(TrajNameMatches("FanucS300", "Puma560.x"));
  EXPECT_FALSE(TrajNameMatches("FanucS300", "FanucS3000.x"));
  char out[64];
  CtoJPresetName("FanucS300.helix", out, sizeof(out));
  EXPECT_STREQ(out, "helix_JT");
}

// an empty file of a built-in name generates its path: 201 helix samples
TEST_F(TrajFiles, EmptyFileGivesBuiltinHelix) {
  Robot fanuc = PositArm("FanucS300");
  WriteTextFile("Ctraj/FanucS300.helix", " \n\n");
  ASSERT_EQ(LoadCartesianTrajectory(fanuc, "FanucS300.helix", &CT), 0);
  ASSERT_EQ(CT.ntp, 201);
  EXPECT_NEAR(CT.CC[0].r[0], 18.0, 1e-9);  EXPECT_NEAR(CT.CC[0].r[2], 12.0, 1e-9);
  // the time is summed in single precision: the last sample lands within 2e-5 s of 10 s
  EXPECT_NEAR(CT.CC[200].r[0], 2.0, 1e-4);  EXPECT_NEAR(CT.CC[200].r[1], 14.0, 1e-4);
  EXPECT_NEAR(CT.CC[200].r[2], 18.25, 1e-4);
  EXPECT_EQ(CT.CC[200].type, 4);  EXPECT_EQ(CT.JC[200].q[2], -1.0f);
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadCartesianTrajectory(fanuc, "FanucS300.none", &CT), -1);
  EXPECT_EQ(Err(), "Cannot open FanucS300.none\n");
  FreeRobot(fanuc);
}

// broken files: one message naming file and line, nothing loaded
TEST_F(TrajFiles, BrokenFilesLoadNothing) {
  struct { const char* dir; const char* text; const char* msg; } cases[] = {
    {"Ctraj", "1 2 3\n1 0 0\n\n0 1 0\n0 0 1\n4 5 6\n1 0\n0 1 0\n0 0 1\n",
     "Too few numbers on line 7 of Ctraj/PumaArm.b (3 expected)\n"},
    {"Ctraj", "1 2 3\n1 0 0 9\n0 1 0\n0 0 1\n",
     "Too many numbers on line 2 of Ctraj/PumaArm.b (3 expected)\n"},
    {"Ctraj", "1 2 3\n1 0 0\n0 1 nan\n0 0 1\n", "Bad number on line 3 of Ctraj/PumaArm.b\n"},
    {"Ctraj", "1 2 3\n", "Trajectory Ctraj/PumaArm.b holds no complete point\n"},
    {"Jtraj", "1 2 3 4 5 6\n1 2 3 4 5\n",
     "Too few numbers on line 2 of Jtraj/PumaArm.b (6 expected)\n"},
    {"Jtraj", "1 2 3 4 5 6\n1 2 3 4 5 6x\n", "Bad number on line 2 of Jtraj/PumaArm.b\n"},
  };
  for (auto& c : cases) {
    WriteTextFile(std::string(c.dir) + "/PumaArm.b", c.text);
    testing::internal::CaptureStderr();
    int rc = c.dir[0] == 'C' ? LoadCartesianTrajectory(puma, "PumaArm.b", &CT)
                             : LoadJointTrajectory(puma, "PumaArm.b", &JT);
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(Err(), c.msg);
    EXPECT_EQ(CT.active + JT.active + CT.ntp + JT.ntp, 0);
    EXPECT_TRUE(!CT.CC && !CT.JC && !JT.CC && !JT.JC);
  }
}

// a million lines are refused before anything is allocated
TEST_F(TrajFiles, HugeFileRefused) {
  FILE* f = fopen("Ctraj/PumaArm.big", "w");
  for (int i = 0; i < 1000000; i++) fputs("1 2 3\n", f);
  fclose(f);
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadCartesianTrajectory(posit, "PumaArm.big", &CT), -1);
  EXPECT_EQ(Err(), "Trajectory Ctraj/PumaArm.big is too long: 1000000 points, at most 100000\n");
  EXPECT_EQ(CT.CC, nullptr);
}

// typed names that would escape the directory or hide the file are refused; a refused
// save keeps the old file
TEST_F(TrajFiles, SaveNamesAndOldFileKept) {
  char path[300];
  testing::internal::CaptureStderr();
  for (const char* bad : {"", "a/b", ".x", "x~", "x.CKP"})
    EXPECT_EQ(TrajSavePath(path, CTRAJ_DIR, puma, bad), -1);
  EXPECT_EQ(TrajSavePath(path, CTRAJ_DIR, puma, std::string(250, 'a').c_str()), -1);
  std::string err = Err();
  EXPECT_NE(err.find("File name must not contain \"/\"\n"), std::string::npos);
  // a file whose temporary name would be too long: the write fails and the file stays
  std::string keep = "Ctraj/" + std::string(250, 'k');
  WriteTextFile(keep, "old\n");
  ASSERT_EQ(LoadBuiltinPath(posit, "FanucS300.helix", &CT), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteCartesianTrajectory(keep.c_str(), posit, &CT, &JT), -1);
  EXPECT_NE(Err().find("Unable to write file"), std::string::npos);
  EXPECT_EQ(ReadTextFile(keep), "old\n");
  EXPECT_TRUE(TrajFileExists(keep.c_str()));
  EXPECT_EQ(ListFiles("Ctraj"), std::string(250, 'k') + "\n");
}

// the point cap is inclusive: exactly the cap loads, one more point is refused
TEST_F(TrajFiles, PointCapIsInclusive) {
  SetTrajMaxPoints(3);
  WriteTextFile("Ctraj/PumaArm.three", "1 2 3\n1 2 4\n1 2 5\n");
  WriteTextFile("Ctraj/PumaArm.four", "1 2 3\n1 2 4\n1 2 5\n1 2 6\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadCartesianTrajectory(posit, "PumaArm.three", &CT), 0);
  EXPECT_EQ(CT.ntp, 3);
  EXPECT_EQ(LoadCartesianTrajectory(posit, "PumaArm.four", &CT), -1);
  EXPECT_EQ(Err(), "Trajectory Ctraj/PumaArm.four is too long: 4 points, at most 3\n");
  SetTrajMaxPoints(0);
}
