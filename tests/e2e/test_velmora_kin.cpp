// test_velmora_kin.cpp -- velmora-kin run as a program on a copy of the sample robots
#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/kin_run.h"

class KinProgram : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { LeaveDataCopy(dir); }
};

// a sample robot, a pose to visit, a start near it, and whether the joints are unique
struct Case {
  const char* name;
  std::vector<double> q, from;
  bool unique;
};

// fk, then ik from a nearby start, then fk again: the same pose; for a non-redundant arm
// started close by, the same joints, within the solver's stop (an error norm of 5e-5 is
// about 3e-3 degrees)
TEST_F(KinProgram, FkThenIkReturnsTheJoints) {
  std::vector<Case> cases = {
    {"Puma560", {10, -40, 30, 15, 50, -20}, {14, -36, 26, 10, 55, -15}, true},
    {"Indus6", {20, -80, 10, 10, 40, -15}, {16, -84, 14, 5, 36, -10}, true},
    {"Redund7", {20, 40, -10, 80, 15, 20, 5}, {15, 35, -5, 75, 10, 25, 0}, false},
    {"Posit3", {30, 50, -40}, {25, 55, -35}, true},
    {"SphWrist", {40, 60, -30}, {35, 55, -25}, true},
    {"Slide6", {30, 45, 6, 10, 40, -20}, {25, 40, 5.8, 15, 35, -15}, true},
    {"Arm4R", {60, 80, -100, 20}, {55, 75, -95, 25}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KinRun fk = Kin(std::string("fk ") + c.name + " " + Join(c.q));
    ASSERT_EQ(fk.status, 0) << fk.err;
    std::vector<double> pose = Numbers(fk.out);
    ASSERT_TRUE(pose.size() == 3 || pose.size() == 6) << fk.out;
    EXPECT_EQ(std::count(fk.out.begin(), fk.out.end(), '\n'), 1) << fk.out;
    KinRun ik = Kin(std::string("ik ") + c.name + " " + Join(pose) + "--from " + Join(c.from));
    ASSERT_EQ(ik.status, 0) << ik.out << ik.err;
    EXPECT_EQ(ik.err, "");
    ASSERT_EQ(std::count(ik.out.begin(), ik.out.end(), '\n'), 2) << ik.out;
    std::string first = ik.out.substr(0, ik.out.find('\n'));
    std::string second = ik.out.substr(ik.out.find('\n') + 1);
    EXPECT_NE(second.find(" Converged\n"), std::string::npos);
    std::vector<double> q = Numbers(first);
    ASSERT_EQ(q.size(), c.q.size());
    if (c.unique) {
      for (size_t i = 0; i < q.size(); i++) EXPECT_NEAR(q[i], c.q[i], 3e-3) << i;
    }
    KinRun back = Kin(std::string("fk ") + c.name + " " + first);
    std::vector<double> pose2 = Numbers(back.out);
    ASSERT_EQ(pose2.size(), pose.size());
    // the solver stops at an error norm of 5e-5: about 3e-3 degrees of orientation
    for (size_t i = 0; i < pose.size(); i++) EXPECT_NEAR(pose2[i], pose[i], 5e-3) << i;
  }
}

// a 6R arm at its home pose: the reach is the closed-form distance of the chain's end point
// from the first axis at best, and the conditioning lies in (0, 1]
TEST_F(KinProgram, IndicesOfTheSampleArms) {
  KinRun r = Kin("indices Puma560");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<double> v = Numbers(r.out);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_GT(v[0], 0.0);
  // the wrist centre can be at most a2 + sqrt(a3^2 + d4^2) from the shoulder axis, plus the
  // shoulder offset and flange: a generous bound from the DH table
  EXPECT_GT(v[1], 4.318);
  EXPECT_LT(v[1], 4.318 + 0.203 + 4.318 + 1.5 + 0.5625 + 1e-3);
  EXPECT_GT(v[2], 0.0);
  EXPECT_LE(v[2], 1.0 + 1e-9);
  // a prismatic arm has no characteristic length or reach computed
  r = Kin("indices Slide6 0 60 5 0 30 0");
  ASSERT_EQ(r.status, 0);
  v = Numbers(r.out);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], 0.0);
  EXPECT_EQ(v[1], 0.0);
}

TEST_F(KinProgram, CheckReportsTheReadersMessage) {
  const char* robots[] = {"Puma560", "Indus6", "Redund7", "Posit3", "SphWrist", "Slide6",
                          "Arm4R"};
  for (const char* name : robots) {
    KinRun r = Kin(std::string("check ") + name);
    EXPECT_EQ(r.status, 0) << name << r.err;
    EXPECT_EQ(r.out.rfind("ok ", 0), 0u) << name;
  }
  WriteTextFile("Arch/broken", "geomtype = up\n{\n  a = 1\n  b = x\n}\n");
  KinRun r = Kin("check broken");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "velmora-kin: broken: Type mismatch:Float expected at line 4 in Arch/broken "
                   "(data folder " + dir + ")\n");
  r = Kin("check " + dir + "/Arch/broken");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Type mismatch:Float expected at line 4 in " + dir + "/Arch/broken"),
            std::string::npos) << r.err;
  r = Kin("check nothing_here");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Unable to open file `Arch/nothing_here'"), std::string::npos);
}

// the helix: r(beta) = (16 cos b + 2, 16 sin b - 2, 25 b / (2 pi) + 12), b from 0 to pi/2
TEST_F(KinProgram, BuiltInPathInTheTrajectoryFormat) {
  KinRun r = Kin("path FanucS300.helix");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines;
  std::istringstream in(r.out);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 201u*4);
  EXPECT_EQ(lines[0], "18.000000 -2.000000 12.000000 ");
  std::vector<double> last = Numbers(lines[200*4]);
  EXPECT_NEAR(last[0], 2.0, 1e-4);
  EXPECT_NEAR(last[1], 14.0, 1e-4);
  EXPECT_NEAR(last[2], 18.25, 1e-4);
  // every rotation row is a unit vector
  for (size_t p = 0; p < 201; p++)
    for (int i = 1; i <= 3; i++) {
      std::vector<double> row = Numbers(lines[p*4 + i]);
      EXPECT_NEAR(row[0]*row[0] + row[1]*row[1] + row[2]*row[2], 1.0, 1e-5);
    }
  r = Kin("path Nowhere.line");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
}

TEST_F(KinProgram, UsageVersionAndBadArguments) {
  KinRun r = Kin("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: velmora-kin"), std::string::npos);
  r = Kin("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("velmora-kin ", 0), 0u);
  r = Kin("");
  EXPECT_EQ(r.status, 2);
  r = Kin("fk Puma560 1 2 3");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmora-kin: Puma560: Puma560 has 6 joints, 3 values given\n");
  EXPECT_EQ(r.out, "");
  r = Kin("fk Puma560 1 2 3 4 5 x");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmora-kin: Puma560: not a number: 'x'\n");
  r = Kin("ik Puma560 1 2 3");
  EXPECT_EQ(r.status, 2);
  // a target far out of reach: the solver's message, status 1, nothing on standard output
  r = Kin("ik Posit3 100 100 100");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "velmora-kin: Posit3: Did Not Converge\n");
  EXPECT_EQ(r.out, "");
}

// solve: every point of a Cartesian file, one line each; the joints printed reach the file's
// position (fk), and the 1/kappa printed is the one indices gives at those joints
TEST_F(KinProgram, SolveReachesEachPointWithItsConditioning) {
  KinRun r = Kin("solve Puma560 Puma560.arc");
  ASSERT_EQ(r.status, 0) << r.err.substr(0, 400);
  std::istringstream lines(r.out), file(ReadTextFile("Ctraj/Puma560.arc"));
  std::vector<std::vector<double>> rows, pos;
  for (std::string l; std::getline(lines, l);) rows.push_back(Numbers(l));
  for (std::string l; std::getline(file, l);) {
    pos.push_back(Numbers(l));
    for (int k = 0; k < 3; k++) std::getline(file, l);
  }
  ASSERT_EQ(rows.size(), 80u);
  ASSERT_EQ(pos.size(), 80u);
  for (size_t i : {0, 39, 79}) {
    SCOPED_TRACE(i);
    ASSERT_EQ(rows[i].size(), 8u);
    EXPECT_GE(rows[i][6], 0) << "solver code";
    std::vector<double> q(rows[i].begin(), rows[i].begin() + 6);
    std::vector<double> p = Numbers(Kin("fk Puma560 " + Join(q)).out);
    ASSERT_EQ(p.size(), 6u);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(p[k], pos[i][k], 2e-4) << k;
    std::vector<double> ind = Numbers(Kin("indices Puma560 " + Join(q)).out);
    ASSERT_EQ(ind.size(), 3u);
    EXPECT_NEAR(rows[i][7], ind[2], 2e-6);
  }
  r = Kin("solve Puma560 no.such");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Cannot open no.such"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

// urdf: the document on standard output, the trace kept off it
TEST_F(KinProgram, UrdfPrintsTheDocument) {
  KinRun r = Kin("urdf Slide6");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("<?xml version=\"1.0\"?>\n<robot name=\"Slide6\">", 0), 0u);
  size_t joints = 0;
  for (size_t at = r.out.find("<joint "); at != std::string::npos;
       at = r.out.find("<joint ", at + 1))
    joints++;
  EXPECT_EQ(joints, 7u);
  EXPECT_NE(r.out.find("type=\"prismatic\""), std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 9), "</robot>\n");
  EXPECT_EQ(Kin("urdf missing").status, 3);
}

// clearance: the Puma560 with its hand lowered through the cell's table, then turned away;
// solve with the same scene ends each line with the clearance the command gives at its joints
TEST_F(KinProgram, ClearanceInTheCellAndAlongAPath) {
  KinRun r = Kin("clearance Puma560 --workspace Puma560_cell -15 -10 -20 0 60 0");
  ASSERT_EQ(r.status, 0) << r.err.substr(0, 400);
  EXPECT_EQ(r.out.rfind("clearance 0.000000\nclosest ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\ncollision Link "), std::string::npos) << r.out;
  r = Kin("clearance Puma560 --workspace Puma560_cell 180 -60 60 0 30 0");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\ncollision none\n"), std::string::npos) << r.out;
  EXPECT_GT(Numbers(r.out.substr(10))[0], 0.5) << r.out;
  EXPECT_EQ(Kin("clearance Puma560 0 0 0 0 0 0").out,
            "clearance inf\nclosest none\ncollision none\n");

  r = Kin("solve Puma560 Puma560.arc --obstacle 4 2 6 0.5");
  ASSERT_EQ(r.status, 0) << r.err.substr(0, 400);
  std::istringstream lines(r.out);
  std::vector<std::vector<double>> rows;
  for (std::string l; std::getline(lines, l);) rows.push_back(Numbers(l));
  ASSERT_EQ(rows.size(), 80u);
  for (size_t i : {0, 40, 79}) {
    ASSERT_EQ(rows[i].size(), 9u);
    std::vector<double> q(rows[i].begin(), rows[i].begin() + 6);
    KinRun c = Kin("clearance Puma560 --obstacle 4 2 6 0.5 " + Join(q));
    EXPECT_NEAR(Numbers(c.out.substr(10))[0], rows[i][8], 1e-4) << i;
  }

  // refused: a radius of 0, a fifth obstacle (usage), a missing file (unreadable), too few
  // joints (usage)
  r = Kin("clearance Puma560 --obstacle 1 2 3 0 0 0 0 0 0 0");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmora-kin: --obstacle: the radius must be above 0\n");
  std::string five;
  for (int e = 0; e < 5; e++) five += "--obstacle 9 9 9 1 ";
  EXPECT_EQ(Kin("clearance Puma560 " + five + "0 0 0 0 0 0").status, 2);
  EXPECT_EQ(Kin("clearance Puma560 --workspace no.such 0 0 0 0 0 0").status, 3);
  r = Kin("clearance Puma560 0 0 0");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  // the same in CSV: a header naming the unit, then the numbers of the text lines
  r = Kin("--format csv solve Puma560 Puma560.arc --obstacle 4 2 6 0.5");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "q1[deg],q2[deg],q3[deg],q4[deg],q5[deg],q6[deg],code[1],rcond[1],clearance[length]");
}
