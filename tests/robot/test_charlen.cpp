// test_charlen.cpp -- covers src/robot/charlen.cpp: length, reach, posture files, the fallback
#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "robot/app_state.h"
#include "robot/charlen.h"
#include "robot/robot.h"
#include "numlib/dh_reference.h"

//------------------------------------------------------------------ helpers

// a scratch working directory with "JConfig" (optional); the old one comes back after
class CharlenDir : public ::testing::Test {
 protected:
  char old_[PATH_MAX];
  char dir_[64];
  void SetUp() override {
    ASSERT_NE(getcwd(old_, sizeof old_), nullptr);
    strcpy(dir_, "/tmp/velmora_charlenXXXXXX");
    ASSERT_NE(mkdtemp(dir_), nullptr);
    ASSERT_EQ(chdir(dir_), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(old_), 0);
    char cmd[128];
    snprintf(cmd, sizeof cmd, "rm -rf %s", dir_);
    ASSERT_EQ(system(cmd), 0);
  }
  void MakeJConfig() { ASSERT_EQ(system("mkdir JConfig"), 0); }
};

// the values of "th = [ ... ]" in a joint configuration file; count, or -1
static int ReadPosture(const char* path, double* q, int max) {
  FILE* fp = fopen(path, "r");
  if (!fp) return -1;
  char line[1024];
  int k = -1;
  if (fgets(line, sizeof line, fp) && strncmp(line, "th = [", 6) == 0) {
    char* p = line + 6;
    k = 0;
    char* end;
    while (k < max) {
      double v = strtod(p, &end);
      if (end == p) break;
      q[k++] = v;
      p = end;
    }
    while (*p == ' ') p++;
    if (*p != ']') k = -1;
  }
  fclose(fp);
  return k;
}

static Robot MakeRobot(const char* name, int n, const double* a, const double* b,
                       const double* al, const double* th) {
  DHRow rows[16];
  for (int i = 0; i < n; i++) {
    rows[i].joint = 0;
    rows[i].a = (float)a[i];  rows[i].b = (float)b[i];
    rows[i].al = (float)al[i];  rows[i].th = (float)th[i];
    rows[i].qmin = -100000.0f;  rows[i].qmax = 100000.0f;
  }
  return RobotFromDH(name, n, rows);
}

// the robot's links as reference rows (float values widened as the program widens them)
static void RefRows(Robot r, RefLink* L) {
  for (int i = 0; i < r->n; i++) {
    L[i].a = r->L[i].a;  L[i].b = r->L[i].b;  L[i].al = r->L[i].al;  L[i].th = r->L[i].th;
  }
}

static const double z6[6] = {0, 0, 0, 0, 0, 0};
static const double puma_a[6] = {0, 4.318, 0.203, 0, 0, 0};
static const double puma_b[6] = {0, 0, 1.5005, 4.318, 0, 0};
static const double puma_al[6] = {90, 0, -90, 90, -90, 0};

//------------------------------------------------------------------ maximum reach

// planar 2R with a = 2, 1: stretched out, 3 from the first axis
TEST_F(CharlenDir, MaxReachPlanar2R) {
  MakeJConfig();
  double a[2] = {2, 1}, b[2] = {0, 0}, al[2] = {0, 0}, th[2] = {0, 40};
  Robot r = MakeRobot("Planar2", 2, a, b, al, th);
  EXPECT_NEAR(caculate_maxreach(r), 3.0, 0.01);
  FreeRobot(r);
}

// PUMA 560-class arm from all joints 0: sqrt(b3^2 + (a2 + sqrt(a3^2 + b4^2))^2)
TEST_F(CharlenDir, MaxReachPuma) {
  MakeJConfig();
  Robot r = MakeRobot("Puma", 6, puma_a, puma_b, puma_al, z6);
  double reach = caculate_maxreach(r);
  double closed = sqrt(1.5005*1.5005 + pow(4.318 + sqrt(0.203*0.203 + 4.318*4.318), 2));
  printf("PUMA reach %.6f closed form %.6f (%.4f %%)\n", reach, closed,
         100.0*(reach - closed)/closed);
  EXPECT_NEAR(reach, closed, 0.002*closed);
  // the posture file puts the end point that far from the first axis
  double q[6];
  ASSERT_EQ(ReadPosture("JConfig/Puma.Maxreach", q, 6), 6);
  RefLink L[6];
  RefRows(r, L);
  for (int i = 0; i < 6; i++) L[i].th = q[i];
  double z[18], o[18], p[3];
  RefFrames(L, 6, z, o, p);
  EXPECT_NEAR(hypot(p[0], p[1]), reach, 1e-3*closed);
  FreeRobot(r);
}

//------------------------------------------------------------------ characteristic length

// spherical wrist and a positioning arm that converges: 1
TEST_F(CharlenDir, LengthOneForWristAndPositioning) {
  MakeJConfig();
  double a[3] = {0, 0, 0}, b[3] = {0, 0, 0.1}, al[3] = {-90, 90, 0}, th[3] = {0, 30, 0};
  Robot w = MakeRobot("Wrist3", 3, a, b, al, th);
  ASSERT_EQ(w->type, 2);
  m_maximum_reach = -7.0;
  RobotCharacteristicLength(w);
  EXPECT_EQ(m_homogenous_length, 1.0);
  EXPECT_EQ(m_maximum_reach, -7.0);          // a wrist has no reach to compute
  EXPECT_FLOAT_EQ(w->avg_len, 1.0f);
  FreeRobot(w);
  double a2[3] = {0, 1, 0.8}, b2[3] = {0.5, 0, 0}, al2[3] = {90, 0, 0}, th2[3] = {0, 20, 45};
  Robot p = MakeRobot("Elbow3", 3, a2, b2, al2, th2);
  ASSERT_EQ(p->type, 4);
  RobotCharacteristicLength(p);
  EXPECT_EQ(m_homogenous_length, 1.0);
  EXPECT_EQ(m_converge_flag, 1);
  EXPECT_FLOAT_EQ(p->avg_len, 1.0f);
  EXPECT_FLOAT_EQ(p->rad, 0.125f);
  EXPECT_GT(m_maximum_reach, 0.0);
  FreeRobot(p);
}

// planar 2R positioning arm: H H' is singular everywhere, so -1 and the average link length
TEST_F(CharlenDir, PlanarFallsBack) {
  MakeJConfig();
  double a[2] = {2, 1}, b[2] = {0, -0.5}, al[2] = {0, 0}, th[2] = {0, 30};
  Robot r = MakeRobot("Planar2", 2, a, b, al, th);
  ASSERT_EQ(r->type, 4);
  EXPECT_EQ(caculate_length(r), -1.0);
  RobotCharacteristicLength(r);
  EXPECT_EQ(m_homogenous_length, -1.0);
  EXPECT_EQ(m_converge_flag, 0);
  EXPECT_FLOAT_EQ(r->avg_len, (2 + 1 + 0.5f)/4);
  EXPECT_FLOAT_EQ(r->rad, (2 + 1 + 0.5f)/32);
  EXPECT_NEAR(m_maximum_reach, 3.0, 0.01);
  EXPECT_EQ(fopen("JConfig/Planar2.Characteristic", "r"), nullptr);
  FreeRobot(r);
}

// the test's own objective over (log L, q2..qn)
typedef struct _Case_ {
  RefLink* L;
  int n;
} Case;

static double CaseObjective(const double* v, void* ctx) {
  Case* c = (Case*)ctx;
  return RefHomogenisedKappa2(c->L, c->n, exp(v[0]), v + 1);
}

// best squared condition number of a multi-start pattern search from seeded random starts
static double MultiStartBest(RefLink* L, int n, int starts) {
  Case c = {L, n};
  unsigned s = 12345u;
  double best = INFINITY;
  for (int k = 0; k < starts; k++) {
    double v[16];
    s = s*1103515245u + 12345u;
    v[0] = log(0.2 + 4.0*((s >> 8) % 1000)/1000.0);
    for (int i = 1; i < n; i++) {
      s = s*1103515245u + 12345u;
      v[i] = -180.0 + 360.0*((s >> 8) % 10000)/10000.0;
    }
    double f = RefPatternSearch(CaseObjective, &c, v, n, 20.0, 1e-7);
    if (f < best) best = f;
  }
  return best;
}

// length, posture file and the conditioning at it against an independent search
static void CheckSpatialArm(const char* name, int n, const double* a, const double* b,
                            const double* al, const double* th, int starts) {
  Robot r = MakeRobot(name, n, a, b, al, th);
  ASSERT_EQ(r->type, 0);
  RobotCharacteristicLength(r);
  double Lc = m_homogenous_length;
  ASSERT_GT(Lc, 0.0);
  EXPECT_EQ(m_converge_flag, 1);
  EXPECT_FLOAT_EQ(r->avg_len, (float)Lc);
  EXPECT_FLOAT_EQ(r->rad, (float)Lc/8);
  EXPECT_GT(m_maximum_reach, 0.0);
  char path[128];
  snprintf(path, sizeof path, "JConfig/%s.Characteristic", name);
  double q[16];
  ASSERT_EQ(ReadPosture(path, q, 16), n);
  EXPECT_NEAR(q[0], th[0], 1e-6);            // the first joint keeps its stored angle
  RefLink L[16];
  RefRows(r, L);
  double k2 = RefHomogenisedKappa2(L, n, Lc, q + 1);
  double best = MultiStartBest(L, n, starts);
  double gap = 100.0*(k2 - best)/best;
  printf("%s: L = %.6f, kappa^2 %.6f, multi-start best %.6f, gap %.3f %%\n", name, Lc, k2,
         best, gap);
  EXPECT_LE(k2, 1.02*best);
  FreeRobot(r);
}

TEST_F(CharlenDir, LengthSpatial6R) {
  MakeJConfig();
  double th[6] = {30, 10, 20, 30, 40, 50};
  CheckSpatialArm("Puma6", 6, puma_a, puma_b, puma_al, th, 12);
}

TEST_F(CharlenDir, LengthSpatial7R) {
  MakeJConfig();
  double a[7] = {0, 0.4, 0, 0.3, 0, 0.1, 0}, b[7] = {0.3, 0, 0.2, 0, 0.25, 0, 0.1};
  double al[7] = {90, -90, 90, -90, 90, -90, 0}, th[7] = {0, 0, 0, 0, 0, 0, 0};
  CheckSpatialArm("Arm7", 7, a, b, al, th, 12);
}

//------------------------------------------------------------------ posture files

// replaced on recomputation; values follow the edited robot
TEST_F(CharlenDir, PostureFileReplaced) {
  MakeJConfig();
  FILE* fp = fopen("JConfig/Puma6.Characteristic", "w");
  fputs("th = [ 1 2 3 ]\nold junk\n", fp);
  fclose(fp);
  double th[6] = {12.5, 0, 0, 0, 0, 0};
  Robot r = MakeRobot("Puma6", 6, puma_a, puma_b, puma_al, th);
  double L1 = caculate_length(r);
  ASSERT_GT(L1, 0.0);
  double q[16];
  ASSERT_EQ(ReadPosture("JConfig/Puma6.Characteristic", q, 16), 6);
  EXPECT_DOUBLE_EQ(q[0], 12.5);
  fp = fopen("JConfig/Puma6.Characteristic", "r");
  char line[512];
  int lines = 0;
  while (fgets(line, sizeof line, fp)) lines++;
  fclose(fp);
  EXPECT_EQ(lines, 1);
  // an edit of link 2's length: a new length, the file rewritten
  r->L[1].a = 2.0f;
  double L2 = caculate_length(r);
  ASSERT_GT(L2, 0.0);
  EXPECT_NE(L1, L2);
  double q2[16];
  ASSERT_EQ(ReadPosture("JConfig/Puma6.Characteristic", q2, 16), 6);
  RefLink Lr[6];
  RefRows(r, Lr);
  // the file holds the posture of the new optimum: its conditioning is the optimum's
  double k2 = RefHomogenisedKappa2(Lr, 6, L2, q2 + 1);
  EXPECT_TRUE(isfinite(k2));
  FreeRobot(r);
}

// without "JConfig" nothing is written, the length still comes back, the directory stays
TEST_F(CharlenDir, MissingJConfig) {
  char before[PATH_MAX], after[PATH_MAX];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  Robot r = MakeRobot("Puma6", 6, puma_a, puma_b, puma_al, z6);
  testing::internal::CaptureStderr();
  EXPECT_GT(caculate_length(r), 0.0);
  EXPECT_GT(caculate_maxreach(r), 0.0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");   // silently not written
  ASSERT_NE(getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after);
  EXPECT_NE(access("JConfig", F_OK), 0);
  FreeRobot(r);
}

// a prismatic joint starts from its offset b; the file line is in the reader's format
TEST_F(CharlenDir, PrismaticStartsFromOffset) {
  MakeJConfig();
  DHRow rows[3] = {{0, 0, 0.5f, 90, 0, -100000, 100000}, {0, 1, 0, 0, 10, -100000, 100000},
                   {1, 0, 0.7f, 0, 0, -100000, 100000}};
  Robot r = RobotFromDH("Prism", 3, rows);
  ASSERT_EQ(r->type, 4);
  EXPECT_EQ(caculate_length(r), 1.0);
  FILE* fp = fopen("JConfig/Prism.Characteristic", "r");
  ASSERT_NE(fp, nullptr);
  char line[256];
  ASSERT_NE(fgets(line, sizeof line, fp), nullptr);
  fclose(fp);
  EXPECT_EQ(strncmp(line, "th = [   0.000000  ", 19), 0) << line;
  EXPECT_EQ(strcmp(line + strlen(line) - 3, " ]\n"), 0) << line;
  FreeRobot(r);
}
