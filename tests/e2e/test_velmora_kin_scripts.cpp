// test_velmora_kin_scripts.cpp -- velmora-kin as scripts use it: exit status, quiet runs,
// CSV and JSON, batches on standard input, paths, the Jacobian and URDF for other tools
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>  // for: setenv(), system()

#include <string>
#include <vector>

#include "e2e/kin_run.h"

class KinScripts : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { LeaveDataCopy(dir); }
};

static const double kDeg = 3.14159265358979323846/180.0;

// the closed form of the sample RRR positioning arm Posit3 (d1 = 5, al1 = 90, a2 = 4, a3 = 3)
static void Posit3(const double* qd, double* p, double J[3][3]) {
  double q1 = qd[0]*kDeg, q2 = qd[1]*kDeg, q23 = (qd[1] + qd[2])*kDeg;
  double r = 4*cos(q2) + 3*cos(q23);
  p[0] = cos(q1)*r;  p[1] = sin(q1)*r;  p[2] = 5 + 4*sin(q2) + 3*sin(q23);
  double dr2 = -4*sin(q2) - 3*sin(q23), dr3 = -3*sin(q23);
  double col[3][3] = {{-sin(q1)*r, cos(q1)*r, 0},
                      {cos(q1)*dr2, sin(q1)*dr2, 4*cos(q2) + 3*cos(q23)},
                      {cos(q1)*dr3, sin(q1)*dr3, 3*cos(q23)}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) J[i][j] = col[j][i];
}

// every command's failures: the status, one line on standard error, nothing on standard
// output; and a good call of each is silent on standard error
TEST_F(KinScripts, ExitStatusAndOneLineErrors) {
  WriteTextFile("Arch/broken", "geomtype = up\n{\n  a = 1\n  b = x\n}\n");
  struct Case {
    const char* args;
    int status;
    const char* err;   // the whole of standard error
  };
  std::vector<Case> cases = {
    {"fk Puma560 0 0", 2, "velmora-kin: Puma560: Puma560 has 6 joints, 2 values given\n"},
    {"fk", 2, "velmora-kin: fk: ROBOT expected (usage: velmora-kin fk ROBOT q1 ... qn | -)\n"},
    {"fk broken 0", 3, nullptr},
    {"ik Posit3 100 100 100", 1, "velmora-kin: Posit3: Did Not Converge\n"},
    {"ik Puma560 1 2 3 4 5 6 --from 0 0", 2, nullptr},
    {"indices Puma560 1 2 nan 4 5 6", 2, "velmora-kin: Puma560: not a number: 'nan'\n"},
    {"jacobian Posit3 1e999 0 0", 2, "velmora-kin: Posit3: not a number: '1e999'\n"},
    {"check nothing_here", 3, nullptr},
    {"path Nowhere.line", 3, nullptr},
    {"solve Puma560 no.such", 3, nullptr},
    {"urdf Puma560 --scale -1", 2, nullptr},
    {"urdf Puma560 --scale", 2, nullptr},
    {"list things", 2, nullptr},
    {"list configs", 2, nullptr},
    {"frobnicate", 2, "velmora-kin: frobnicate: no such command (velmora-kin --help)\n"},
    {"--format xml fk Puma560 0 0 0 0 0 0", 2, nullptr},
    {"fk Puma560 0 0 0 0 0 0 --data", 2, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    KinRun r = Kin(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(Lines(r.err).size(), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("velmora-kin: ", 0), 0u) << r.err;
    if (c.err) {
      EXPECT_EQ(r.err, c.err);
    }
  }
  const char* good[] = {"fk Puma560 0 -30 20 0 45 0", "ik Posit3 5 2 8", "indices Puma560",
                        "jacobian Puma560", "check Puma560", "path FanucS300.helix",
                        "solve Puma560 Puma560.arc", "urdf Puma560", "list robots",
                        "list trajectories Puma560", "clearance Puma560 0 0 0 0 0 0"};
  for (const char* args : good) {
    SCOPED_TRACE(args);
    KinRun r = Kin(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out, "");
  }
  // the core's trace only when asked, and then on standard error
  KinRun r = Kin("--trace indices Puma560");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Lines(r.out).size(), 1u);
  for (const char* t : {"The avg_length is:", "ret =", "Matrix Rank 6", "Redundancy = 0"})
    EXPECT_NE(r.err.find(t), std::string::npos) << t;
}

// CSV: a header naming each column with its unit; JSON: named fields whose rotation is
// Rx(rx) Ry(ry) Rz(rz) of its angles and whose position is the closed form
TEST_F(KinScripts, CsvAndJsonResults) {
  KinRun r = Kin("--format csv fk Puma560 0 -30 20 0 45 0");
  ASSERT_EQ(r.status, 0);
  std::vector<std::string> l = Lines(r.out);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "x[length],y[length],z[length],rx[deg],ry[deg],rz[deg]");
  EXPECT_EQ(l[1], "4.044813,1.500000,3.621533,-180.000000,-35.000000,0.000000");
  r = Kin("ik Posit3 4 3 6 --format=csv");
  l = Lines(r.out);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "q1[deg],q2[deg],q3[deg],code[1],message[text]");
  EXPECT_EQ(l[1].substr(l[1].size() - 10), ",Converged");
  r = Kin("--format csv indices Puma560");
  EXPECT_EQ(Lines(r.out)[0], "length[length],reach[length],rcond[1]");

  double q[3] = {30, 50, -40}, p[3], J[3][3];
  Posit3(q, p, J);
  r = Kin("fk Posit3 30 50 -40 --format json");
  ASSERT_EQ(r.status, 0);
  char want[256];
  snprintf(want, sizeof(want), "{\"robot\": \"Posit3\", \"joints\": [30.000000, 50.000000, "
           "-40.000000], \"position\": [%.6f, %.6f, %.6f]}\n", p[0], p[1], p[2]);
  EXPECT_EQ(r.out, want);
  r = Kin("--format json fk Puma560 10 -40 30 15 50 -20");
  ASSERT_EQ(r.status, 0);
  size_t at = r.out.find("\"angles\": [");
  ASSERT_NE(at, std::string::npos) << r.out;
  std::vector<double> a;
  for (std::string s = r.out.substr(at + 11); a.size() < 3; s = s.substr(s.find(',') + 1))
    a.push_back(atof(s.c_str()));
  double cx = cos(a[0]*kDeg), sx = sin(a[0]*kDeg), cy = cos(a[1]*kDeg), sy = sin(a[1]*kDeg);
  double cz = cos(a[2]*kDeg), sz = sin(a[2]*kDeg);
  double Q[3][3] = {{cy*cz, -cy*sz, sy},
                    {sx*sy*cz + cx*sz, -sx*sy*sz + cx*cz, -sx*cy},
                    {-cx*sy*cz + sx*sz, cx*sy*sz + sx*cz, cx*cy}};
  at = r.out.find("\"rotation\": [");
  ASSERT_NE(at, std::string::npos);
  std::string rot = r.out.substr(at + 13);
  for (int i = 0; i < 3; i++) {
    size_t b = rot.find('[');
    std::string row = rot.substr(b + 1, rot.find(']') - b - 1);
    for (char& ch : row) ch = ch == ',' ? ' ' : ch;
    std::vector<double> v = Numbers(row);
    ASSERT_EQ(v.size(), 3u);
    for (int j = 0; j < 3; j++) EXPECT_NEAR(v[j], Q[i][j], 2e-5) << i << j;
    rot = rot.substr(rot.find(']') + 1);
  }
  r = Kin("ik Posit3 100 100 100 --format json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "{\"robot\": \"Posit3\", \"joints\": null, \"code\": -1, \"message\": "
                   "\"Did Not Converge\"}\n");
}

// a batch: comments, blank lines and commas; a bad line is reported by number and the
// batch goes on; the results are the closed form, in order, one line each; ik follows the
// path from each solution and reproduces the joints it came from
TEST_F(KinScripts, BatchesOnStandardInput) {
  std::vector<std::vector<double>> qs;
  std::string in = "# joints of Posit3\n\n";
  for (int i = 0; i < 40; i++) {
    qs.push_back({10.0 + i, 40.0 + 0.5*i, -50.0 + i});
    char line[96];
    snprintf(line, sizeof(line), i % 2 ? "%g, %g, %g\n" : "  %g %g %g  # point\n", qs[i][0],
             qs[i][1], qs[i][2]);
    in += line;
    if (i == 20) in += "1 2 zz\n";
  }
  KinRun r = Kin("fk Posit3 -", in);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmora-kin: Posit3: line 24: not a number: 'zz'\n"
                   "velmora-kin: Posit3: 1 of 41 lines failed\n");
  std::vector<std::string> out = Lines(r.out);
  ASSERT_EQ(out.size(), 41u);
  EXPECT_EQ(out[21], "# line 24: not a number: 'zz'");
  out.erase(out.begin() + 21);
  std::string poses;
  for (size_t i = 0; i < qs.size(); i++) {
    double p[3], J[3][3];
    Posit3(qs[i].data(), p, J);
    std::vector<double> v = Numbers(out[i]);
    ASSERT_EQ(v.size(), 3u) << i;
    for (int k = 0; k < 3; k++) EXPECT_NEAR(v[k], p[k], 2e-6) << i;
    poses += out[i] + "\n";
  }
  // the first pose solved from a start near it, each next one from the last solution
  r = Kin("ik Posit3 -", poses);
  ASSERT_EQ(r.status, 0) << r.err;
  out = Lines(r.out);
  ASSERT_EQ(out.size(), qs.size());
  for (size_t i = 0; i < qs.size(); i++) {
    std::vector<double> v = Numbers(out[i]);
    ASSERT_EQ(v.size(), 3u);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(v[k], qs[i][k], 3e-3) << i;
  }
  // a target out of reach fails alone: status 1, a comment line, the next one solved
  r = Kin("ik Posit3 - --from 30 50 -40 --format csv", "4 3 6\n100 100 100\n4 3 6\n");
  EXPECT_EQ(r.status, 1);
  out = Lines(r.out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[2], ",,,-1,Did Not Converge");   // three joints empty
  EXPECT_EQ(out[1], out[3]);     // --from: both solved from the same start
  r = Kin("indices Puma560 -", "0 -30 20 0 45 0\n0 0 0 0 0 0 0\n");
  EXPECT_EQ(r.status, 2);
  out = Lines(r.out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[1], "# line 2: Puma560 has 6 joints, 7 values given");
  EXPECT_EQ(Kin("fk Posit3 -", "").status, 0);   // no lines: no results
}

// the Jacobian of a positioning arm is the closed-form derivative of its position (its
// characteristic length is 1); 1/kappa = 3 / sqrt(tr(A) tr(inv A)), A = J J'
TEST_F(KinScripts, JacobianIsTheDerivativeOfThePosition) {
  double q[3] = {30, 50, -40}, p[3], J[3][3];
  Posit3(q, p, J);
  KinRun r = Kin("jacobian Posit3 30 50 -40");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> l = Lines(r.out);
  ASSERT_EQ(l.size(), 4u);
  for (int i = 0; i < 3; i++) {
    std::vector<double> v = Numbers(l[i]);
    ASSERT_EQ(v.size(), 3u);
    for (int j = 0; j < 3; j++) EXPECT_NEAR(v[j], J[i][j], 2e-6) << i << j;
  }
  double A[3][3], C[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) A[i][j] = J[i][0]*J[j][0] + J[i][1]*J[j][1] + J[i][2]*J[j][2];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++)
      C[i][j] = A[(i + 1) % 3][(j + 1) % 3]*A[(i + 2) % 3][(j + 2) % 3] -
                A[(i + 1) % 3][(j + 2) % 3]*A[(i + 2) % 3][(j + 1) % 3];
  double det = A[0][0]*C[0][0] + A[0][1]*C[0][1] + A[0][2]*C[0][2];
  double trA = A[0][0] + A[1][1] + A[2][2], trInv = (C[0][0] + C[1][1] + C[2][2])/det;
  double rcond = 3.0/sqrt(trA*trInv);
  EXPECT_NEAR(Numbers(l[3])[0], rcond, 2e-6);
  EXPECT_NEAR(Numbers(Kin("indices Posit3 30 50 -40").out)[2], rcond, 2e-6);
  // a batch line holds the rows one after the other, then 1/kappa
  r = Kin("jacobian Posit3 -", "30 50 -40\n");
  std::vector<double> v = Numbers(r.out);
  ASSERT_EQ(v.size(), 10u);
  for (int k = 0; k < 9; k++) EXPECT_NEAR(v[k], J[k/3][k % 3], 2e-6) << k;
}

// ROBOT and TRAJECTORY: names in the data folder, or paths when they hold "/": from the
// working directory, "~" expanded, else from the data folder; a message says where it looked
TEST_F(KinScripts, PathsAndNames) {
  KinRun r = Kin("solve Puma560 Ctraj/Puma560.arc");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out).size(), 80u);
  EXPECT_EQ(r.out, Kin("solve Puma560 Puma560.arc").out);
  EXPECT_EQ(Kin("check ./Arch/Puma560").out, "ok 6 0\n");
  ASSERT_EQ(system("mkdir -p sub/deeper && cp Arch/Posit3 sub/MyArm"), 0);
  ASSERT_EQ(chdir("sub/deeper"), 0);
  EXPECT_EQ(Kin("check ../MyArm").out, "ok 3 4\n");
  // from another folder, with the data folder given: the working directory first
  r = Kin("--data " + dir + " solve Puma560 Ctraj/Puma560.arc");
  EXPECT_EQ(Lines(r.out).size(), 80u) << r.err;
  r = Kin("--data " + dir + " solve Puma560 Ctraj/nothing");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("looked at " + dir + "/sub/deeper/Ctraj/nothing and " + dir +
                       "/Ctraj/nothing"), std::string::npos) << r.err;
  ASSERT_EQ(chdir(dir.c_str()), 0);
  const char* home = getenv("HOME");
  std::string old = home ? home : "";
  setenv("HOME", (dir + "/sub").c_str(), 1);
  r = Kin("check '~/MyArm'");
  EXPECT_EQ(r.out, "ok 3 4\n") << r.err;
  r = Kin("check '~/Missing'");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("(looked at " + dir + "/sub/Missing)"), std::string::npos) << r.err;
  setenv("HOME", old.c_str(), 1);
  // the lists: robots of Arch, built-in paths, a robot's poses and trajectories
  r = Kin("list robots");
  EXPECT_NE(r.out.find("\nPuma560\n"), std::string::npos);
  EXPECT_EQ(Kin("list paths").out, "FanucS300.helix\nRozevUredo.helix\n");
  EXPECT_EQ(Kin("list trajectories Puma560").out, "Puma560.arc\n");
  EXPECT_EQ(Kin("list trajectories FanucS300").out, "FanucS300.helix\n");
  EXPECT_NE(Kin("list configs Puma560").out.find("Puma560.home\n"), std::string::npos);
  EXPECT_EQ(Kin("--format json list paths").out,
            "{\"list\": \"paths\", \"names\": [\"FanucS300.helix\", \"RozevUredo.helix\"]}\n");
}

// check_urdf (liburdfdom-tools) accepts the document of every sample, scaled or not; the
// scale multiplies every length, and lengths are the floats' shortest texts
TEST_F(KinScripts, UrdfForOtherTools) {
  if (system("command -v check_urdf >/dev/null 2>&1") != 0) GTEST_SKIP() << "no check_urdf";
  std::vector<std::string> names = Lines(Kin("list robots").out);
  ASSERT_GE(names.size(), 10u);
  for (const std::string& n : names) {
    for (const char* scale : {"", " --scale 0.1"}) {
      SCOPED_TRACE(n + scale);
      KinRun r = Kin("urdf " + n + scale);
      ASSERT_EQ(r.status, 0) << r.err;
      WriteTextFile("robot.urdf", r.out);
      EXPECT_EQ(system("check_urdf robot.urdf >check.out 2>&1"), 0) << ReadTextFile("check.out");
    }
  }
  // Puma560: d2 = 6.6 and a2 = 4.318 in decimetres
  std::string dm = Kin("urdf Puma560").out, m = Kin("urdf Puma560 --scale 0.1").out;
  EXPECT_NE(dm.find("<origin xyz=\"0 0 6.6\" rpy="), std::string::npos);
  EXPECT_NE(m.find("<origin xyz=\"0 0 0.66\" rpy="), std::string::npos);
  EXPECT_NE(m.find("<origin xyz=\"0.4318 0 0.15\""), std::string::npos);
  EXPECT_EQ(dm.find("6.599999"), std::string::npos);
  EXPECT_NE(m.find("times 0.1"), std::string::npos);
}
