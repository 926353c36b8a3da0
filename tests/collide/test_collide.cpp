// test_collide.cpp -- covers src/collide: distances against closed forms, the touch flag at
// contact, self-collision, the switch, and the Puma560 cell
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <string>

#include "base/consts.h"
#include "collide/collide.h"
#include "kin/ikp.h"
#include "links/links.h"
#include "robot/app_state.h"
#include "robot/reader.h"
#include "load/robot_load.h"
#include "robot/robot.h"
#include "scene/workspace.h"
#include "scene/workspace_file.h"
#include "support/data_copy.h"

//------------------------------------------------------------------ helpers

// the scene as start-up leaves it: no object shown, no obstacle, no payload; check on
static void EmptyScene() {
  ResetWorkspace();
  for (int i = 0; i < WS_MAX; i++) ShowWorkspace[i] = 0;
  for (int e = 0; e < 5; e++) { ShowObstacle[e] = 0;  Radius[e] = 1;  SOI[e] = 0.2f; }
  ShowPayload = 0;
  SetCollideCheck(1);
}

static void Obstacle(int e, double x, double y, double z, double r) {
  Obstacle_pos[e][0] = (float)x;  Obstacle_pos[e][1] = (float)y;  Obstacle_pos[e][2] = (float)z;
  Radius[e] = (float)r;
  ShowObstacle[e] = 1;
}

// one revolute link with a = b = 0 in the down geometry: its body is the joint cylinder
// alone, radius 1.4 rad and length 2.8 rad about z, 24 sides with a corner at angle 0
static Robot OneCylinder(float rad) {
  DHRow row = {0, 0, 0, 0, 0, -180, 180};
  Robot r = RobotFromDH("Cyl", 1, &row);
  r->geom_type = 1;
  r->rad = rad;
  MakeLinks(r->n, r->L, rad, 1);
  return r;
}

// a planar arm of three unit links in the down geometry, straight at home
static Robot PlanarArm() {
  DHRow rows[3] = {{0, 1, 0, 0, 0, -180, 180}, {0, 1, 0, 0, 0, -180, 180},
                   {0, 1, 0, 0, 0, -180, 180}};
  Robot r = RobotFromDH("Planar", 3, rows);
  r->geom_type = 1;
  r->rad = 0.1f;
  MakeLinks(r->n, r->L, r->rad, 1);
  return r;
}

static int BodyNamed(CollideModel m, const char* name) {
  for (int k = 0; k < CollideBodyCount(m); k++)
    if (!strcmp(CollideGetBody(m, k)->name, name)) return k;
  return -1;
}

//------------------------------------------------------------------ closed forms

// sphere of radius 0.5 on the x axis at 4: the cylinder's corner edge at angle 0 faces it
// (gap 4 - 1.4 - 0.5); turned by half a side (7.5 degrees) a face does, at r cos(7.5 deg);
// above the cap at z = 5 the gap is 5 - 1.4 - 0.5
TEST(Clearance, SphereAgainstCylinderLink) {
  EmptyScene();
  Robot r = OneCylinder(1.0f);
  CollideModel m = CollideBuild(r);
  ASSERT_NE(m, nullptr);
  float q = 0;
  Obstacle(0, 4, 0, 0, 0.5);
  EXPECT_NEAR(CollideClearance(m, &q, nullptr), 4 - 1.4 - 0.5, 1e-6);
  q = 7.5f;
  double face = 1.4*cos(VmDegToRad(7.5));
  CollideReport rep;
  EXPECT_NEAR(CollideClearance(m, &q, &rep), 4 - face - 0.5, 1e-6);
  EXPECT_STREQ(CollideGetBody(m, rep.near_a)->name, "Link 1");
  EXPECT_STREQ(CollideGetBody(m, rep.near_b)->name, "Obstacle 1");
  Obstacle(0, 0, 0, 5, 0.5);
  EXPECT_NEAR(CollideClearance(m, &q, nullptr), 5 - 1.4 - 0.5, 1e-6);
  // inside the obstacle the clearance is the centre's distance less the radius
  Obstacle(0, 2.0, 0, 0, 1.0);
  q = 0;
  EXPECT_NEAR(CollideClearance(m, &q, nullptr), 2.0 - 1.4 - 1.0, 1e-6);
  CollideFree(m);
  FreeRobot(r);
}

// the sphere slides in along x in steps of 1e-4: the flag turns on within one step of the
// exact contact distance 1.4 + 0.5, and the report names the pair
TEST(Check, ContactFlipsAtTheExactDistance) {
  EmptyScene();
  Robot r = OneCylinder(1.0f);
  CollideModel m = CollideBuild(r);
  float q = 0;
  const double contact = 1.4 + 0.5, step = 1e-4;
  double first = -1;
  for (double x = contact + 0.01; x > contact - 0.01; x -= step) {
    Obstacle(0, x, 0, 0, 0.5);
    if (CollideCheck(m, &q, nullptr) > 0) { first = x;  break; }
  }
  EXPECT_NEAR(first, contact, 1.5*step);
  CollideReport rep;
  Obstacle(0, contact - 0.01, 0, 0, 0.5);
  EXPECT_EQ(CollideCheck(m, &q, &rep), 1);
  EXPECT_STREQ(rep.message, "Link 1 touches Obstacle 1");
  // the sphere of influence (radius 0.6) warns from 0.1 farther out, without a touch
  Obstacle(0, contact + 0.05, 0, 0, 0.5);
  EXPECT_EQ(CollideCheck(m, &q, &rep), 0);
  EXPECT_EQ(rep.warned, 1);
  EXPECT_EQ(CollideGetBody(m, 1)->warn, 1);
  Obstacle(0, contact + 0.15, 0, 0, 0.5);
  CollideCheck(m, &q, &rep);
  EXPECT_EQ(rep.warned, 0);
  CollideFree(m);
  FreeRobot(r);
}

// folded back on itself (q2 = 180 degrees) link 3 lies along link 1; straight, no pair
// touches; with the check switched off the folded pose reports nothing
TEST(Check, SelfCollisionOfAFoldedArm) {
  EmptyScene();
  Robot r = PlanarArm();
  CollideModel m = CollideBuild(r);
  float straight[3] = {0, 0, 0}, folded[3] = {0, 180, 0};
  CollideReport rep;
  EXPECT_EQ(CollideCheck(m, straight, &rep), 0);
  EXPECT_EQ(rep.clearance, CollideFar);
  EXPECT_GT(CollideCheck(m, folded, &rep), 0);
  EXPECT_STREQ(rep.message, "Link 1 touches Link 3");
  EXPECT_EQ(CollideGetBody(m, 1)->hit, 1);
  EXPECT_EQ(CollideGetBody(m, 3)->hit, 1);
  EXPECT_EQ(CollideGetBody(m, 2)->hit, 0);
  SetCollideCheck(0);
  EXPECT_EQ(CollideCheck(m, folded, &rep), 0);
  EXPECT_STREQ(rep.message, "");
  EXPECT_EQ(CollideGetBody(m, 1)->hit, 0);
  SetCollideCheck(1);
  CollideFree(m);
  FreeRobot(r);
}

//------------------------------------------------------------------ the Puma560 cell

class PumaCell : public ::testing::Test {
 protected:
  std::string dir;
  Robot r = nullptr;
  CollideModel m = nullptr;
  void SetUp() override {
    dir = EnterDataCopy(1);
    EmptyScene();
    ASSERT_EQ(ReadWorkspace("Puma560_cell"), 0);
    r = ReadRobot("Puma560");
    ASSERT_NE(r, nullptr);
    m = CollideBuild(r);
  }
  void TearDown() override {
    CollideFree(m);
    if (r && r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
    EmptyScene();
    LeaveDataCopy(dir);
  }
};

// the hand lowered to z = 2.7 over the table (top 3 x 3 at height 4, centred on
// (5.5, 0)): the arm must pass through the top; turned to face away (q1 = 180) nothing is
// within reach, so it is free and the clearance positive
TEST_F(PumaCell, TableHitAndFreePose) {
  float hit[6] = {-15, -10, -20, 0, 60, 0};
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  for (int i = 0; i < 6; i++) jc->q[i] = hit[i];
  FwdKin(r, jc, cc);
  ASSERT_GT(cc->r[0], 4.2);  ASSERT_LT(cc->r[0], 6.8);  ASSERT_LT(cc->r[2], 4.0);
  CollideReport rep;
  EXPECT_GT(CollideCheck(m, hit, &rep), 0);
  int table = BodyNamed(m, "Table 1");
  ASSERT_GE(table, 0);
  EXPECT_EQ(CollideGetBody(m, table)->hit, 1);
  EXPECT_NE(strstr(rep.message, " touches "), nullptr);
  float away[6] = {180, -60, 60, 0, 30, 0};
  EXPECT_EQ(CollideCheck(m, away, &rep), 0);
  EXPECT_GT(CollideClearance(m, away, &rep), 0.5);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
}

//------------------------------------------------------------------ avoidance

// Redund7 along a straight joint path (tool poses from forward kinematics, eleven points),
// an obstacle of radius 0.4 put 0.3 beside where the plain solver's elbow (link 4's frame)
// is at mid path: the plain solutions run through it (clearance below 0); with avoidance
// every point keeps a positive clearance and meets the task within the solver's tolerance
TEST(Avoid, Redund7KeepsClearOfAnObstacleOnTheElbowPath) {
  std::string dir = EnterDataCopy(1);
  EmptyScene();
  Robot r = ReadRobot("Redund7");
  ASSERT_NE(r, nullptr);
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);   // sizes the task: 7 joints, 6 rows
  ASSERT_EQ(r->redundant, 1);
  const int N = 11;
  const float a[7] = {0, 30, 0, 60, 0, 30, 0}, b[7] = {60, 50, -10, 90, 15, 20, 5};
  CartesianConfigRec target[N];
  for (int i = 0; i < N; i++) {
    for (int j = 0; j < 7; j++) jc->q[j] = a[j] + (b[j] - a[j])*i/(N - 1);
    FwdKin(r, jc, cc);
    target[i] = *cc;
  }
  CollideModel m = CollideBuild(r);
  double lowest[2];
  for (int pass = 0; pass < 2; pass++) {
    SetCollideAvoid(pass ? m : nullptr);
    for (int j = 0; j < 7; j++) jc->q[j] = a[j];
    lowest[pass] = CollideFar;
    for (int i = 0; i < N; i++) {
      *cc = target[i];
      ASSERT_GE(InvKin(r, jc, cc), 0) << pass << " " << i;
      double f[8];
      EvalQr_i(r, jc);
      EvalQr_1(r);
      EXPECT_LT(F2(cc, f), GetInvTol()) << pass << " " << i;
      if (pass == 0 && i == N/2) {
        // the elbow, where link 4 starts: the chain's end r_1(1) (base coordinates) less
        // r_1(4), the rest of the chain, turned into the base by Q_1(3)
        double e[3];
        for (int k = 0; k < 3; k++) {
          e[k] = r->L[0].r_1[k];
          for (int l = 0; l < 3; l++) e[k] -= r->L[2].Q_1[k][l]*r->L[3].r_1[l];
        }
        Obstacle(0, e[0], e[1] + 0.3, e[2], 0.4);
        SOI[0] = 1.0f;
      }
      if (pass == 0 && i < N/2) continue;   // the obstacle is not there yet
      double c = CollideClearance(m, jc->q, nullptr);
      if (c < lowest[pass]) lowest[pass] = c;
    }
  }
  SetCollideAvoid(nullptr);
  EXPECT_LT(lowest[0], -0.1);
  EXPECT_GT(lowest[1], 0.0);
  CollideFree(m);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
  FreeRobot(r);
  EmptyScene();
  LeaveDataCopy(dir);
}
