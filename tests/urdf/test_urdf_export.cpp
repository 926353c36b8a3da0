// test_urdf_export.cpp -- covers src/robot/urdf_export.cpp: documents read back by a real URDF parser
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <sstream>
#include <string>

#include <urdf_parser/urdf_parser.h>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "support/data_copy.h"
#include "support/kin_support.h"
#include "robot/urdf_export.h"

// the document of r as a string
static std::string Urdf(Robot r) {
  char* buf = nullptr;
  size_t len = 0;
  FILE* f = open_memstream(&buf, &len);
  EXPECT_EQ(PutUrdf(f, r), 0);
  fclose(f);
  std::string s(buf, len);
  free(buf);
  return s;
}

// T = T * (rotation of quaternion q, translation p)
static void Compose(double T[4][4], const urdf::Rotation& q, const urdf::Vector3& p) {
  double x = q.x, y = q.y, z = q.z, w = q.w;
  double A[4][4] = {{1 - 2*(y*y + z*z), 2*(x*y - z*w), 2*(x*z + y*w), p.x},
                    {2*(x*y + z*w), 1 - 2*(x*x + z*z), 2*(y*z - x*w), p.y},
                    {2*(x*z - y*w), 2*(y*z + x*w), 1 - 2*(x*x + y*y), p.z},
                    {0, 0, 0, 1}};
  double C[4][4];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      C[i][j] = 0;
      for (int k = 0; k < 4; k++) C[i][j] += T[i][k]*A[k][j];
    }
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) T[i][j] = C[i][j];
}

// walk from the root through each link's single child joint, applying the joint origins
// and the motions of q (degrees for turning joints, lengths for sliding ones); the tool
// pose lands in T; the number of moving joints met is returned
static int ChainTool(urdf::ModelInterfaceSharedPtr m, const float* q, double T[4][4]) {
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) T[i][j] = i == j;
  urdf::LinkConstSharedPtr link = m->getRoot();
  int k = 0;
  while (link && link->child_joints.size() == 1) {
    urdf::JointSharedPtr j = link->child_joints[0];
    Compose(T, j->parent_to_joint_origin_transform.rotation,
            j->parent_to_joint_origin_transform.position);
    urdf::Rotation rot;  urdf::Vector3 off;
    if (j->type == urdf::Joint::REVOLUTE || j->type == urdf::Joint::CONTINUOUS) {
      double h = q[k++]*KS_PI/360.0;                      // half the angle, radians
      rot = urdf::Rotation(j->axis.x*sin(h), j->axis.y*sin(h), j->axis.z*sin(h), cos(h));
    } else if (j->type == urdf::Joint::PRISMATIC) {
      off = urdf::Vector3(j->axis.x*q[k], j->axis.y*q[k], j->axis.z*q[k]);
      k++;
    }
    Compose(T, rot, off);
    link = m->getLink(j->child_link_name);
  }
  EXPECT_TRUE(link && link->name == "tool");
  return k;
}

// the parser's chain of r's document at 20 random joint sets within the limits (or
// -180..180 degrees, -1..1 lengths) against the forward kinematics: link frames times Qee, and the pose of the
// robot's task kind
static void CheckChain(Robot r, unsigned* seed, double tol) {
  testing::internal::CaptureStdout();
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  testing::internal::GetCapturedStdout();
  urdf::ModelInterfaceSharedPtr m = urdf::parseURDF(Urdf(r));
  ASSERT_TRUE(m != nullptr);
  EXPECT_EQ(m->getName(), r->name);
  for (int s = 0; s < 20; s++) {
    for (int i = 0; i < r->n; i++) {
      const Link& l = r->L[i];
      double w = l.joint == 0 ? 180 : 1;                  // degrees or lengths
      double lo = l.q_limit[0] > -1000 ? l.q_limit[0] : -w;
      double hi = l.q_limit[1] < 1000 ? l.q_limit[1] : w;
      jc->q[i] = (float)KsUniform(seed, lo, hi);
    }
    FwdKin(r, jc, cc);
    double T[4][4];
    ASSERT_EQ(ChainTool(m, jc->q, T), r->n);
    double** Qn = r->L[r->n - 1].Q_1;
    const double* r0 = r->L[0].r_1;
    for (int i = 0; i < 3; i++) {
      double p = r0[i];
      for (int k = 0; k < 3; k++) p += Qn[i][k]*r->EE.Qee[k][3];
      EXPECT_NEAR(T[i][3], p, tol);
      for (int j = 0; j < 3; j++) {
        double e = 0;
        for (int k = 0; k < 3; k++) e += Qn[i][k]*r->EE.Qee[k][j];
        EXPECT_NEAR(T[i][j], e, tol);
        if (cc->type == 0) {
          EXPECT_NEAR(T[i][j], cc->Q[i][j], tol);
        }
      }
      if (cc->type != 2) {
        EXPECT_NEAR(T[i][3], cc->r[i], tol);
      }
    }
  }
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
}

class UrdfSamples : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { LeaveDataCopy(dir); }
};

// every sample robot within 2e-6: a length is written as the shortest text of its float
// (4.318, not 4.3179998397827148), so a parser's chain carries the decimal the file gave and
// the model the float, about 1e-7 of each length apart; the same for an arm whose slides
// have a fixed turn th and whose twists are not multiples of 90 degrees
TEST_F(UrdfSamples, ParsedChainMatchesForwardKinematics) {
  std::istringstream names(ListFiles("Arch"));
  unsigned seed = 7;
  int robots = 0, prismatic = 0;
  for (std::string name; std::getline(names, name);) {
    SCOPED_TRACE(name);
    testing::internal::CaptureStdout();
    Robot r = ReadRobot(name.c_str());
    testing::internal::GetCapturedStdout();
    ASSERT_NE(r, nullptr);
    CheckChain(r, &seed, 2e-6);
    for (int i = 0; i < r->n; i++) prismatic += r->L[i].joint != 0;
    robots++;
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
  }
  EXPECT_GE(robots, 10);
  EXPECT_GE(prismatic, 2);
  Robot slides = KsPrismaticArm();
  CheckChain(slides, &seed, 2e-6);
  FreeRobot(slides);
}

// joint kinds and limits as a consumer reads them: radians, lengths, continuous when free
TEST_F(UrdfSamples, JointKindsAndLimits) {
  testing::internal::CaptureStdout();
  Robot puma = ReadRobot("Puma560"), slide = ReadRobot("Slide6"), free4 = ReadRobot("Arm4R");
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(puma && slide && free4);
  urdf::ModelInterfaceSharedPtr m = urdf::parseURDF(Urdf(puma));
  ASSERT_TRUE(m != nullptr);
  urdf::JointConstSharedPtr j = m->getJoint("joint2");
  EXPECT_EQ(j->type, urdf::Joint::REVOLUTE);
  EXPECT_NEAR(j->limits->lower, -3.92699081, 1e-8);       // -225 degrees
  EXPECT_NEAR(j->limits->upper, 0.785398163, 1e-8);       // 45 degrees
  EXPECT_EQ(m->getJoint("tool_joint")->type, urdf::Joint::FIXED);
  EXPECT_NEAR(m->getJoint("tool_joint")->parent_to_joint_origin_transform.position.z,
              0.5625 + 0.561, 1e-6);                      // flange offset plus the hand

  m = urdf::parseURDF(Urdf(slide));
  ASSERT_TRUE(m != nullptr);
  j = m->getJoint("joint3");
  EXPECT_EQ(j->type, urdf::Joint::PRISMATIC);
  EXPECT_DOUBLE_EQ(j->limits->lower, 2.0);
  EXPECT_DOUBLE_EQ(j->limits->upper, 9.0);
  EXPECT_EQ(m->getJoint("joint4")->type, urdf::Joint::CONTINUOUS);

  m = urdf::parseURDF(Urdf(free4));
  ASSERT_TRUE(m != nullptr);
  for (const char* n : {"joint1", "joint2", "joint3", "joint4"})
    EXPECT_EQ(m->getJoint(n)->type, urdf::Joint::CONTINUOUS) << n;
  EXPECT_EQ(m->links_.size(), 6u);                        // base, four links, tool

  // markup in a robot name stays a name
  snprintf(free4->name, sizeof free4->name, "a&b<\"c\">");
  m = urdf::parseURDF(Urdf(free4));
  ASSERT_TRUE(m != nullptr);
  EXPECT_EQ(m->getName(), "a&b<\"c\">");

  // the file: names refused as elsewhere, then a saved file that parses
  char path[300];
  testing::internal::CaptureStderr();
  EXPECT_EQ(UrdfSavePath(path, ".", ""), -1);
  EXPECT_EQ(UrdfSavePath(path, ".", "a/b"), -1);
  EXPECT_EQ(UrdfSavePath(path, ".", ".hidden"), -1);
  EXPECT_EQ(UrdfSavePath(path, ".", std::string(300, 'x').c_str()), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("File name must not contain \"/\""), std::string::npos) << err;
  EXPECT_NE(err.find("is too long"), std::string::npos) << err;
  ASSERT_EQ(UrdfSavePath(path, ".", "Puma560.urdf"), 0);
  EXPECT_STREQ(path, "./Puma560.urdf");
  ASSERT_EQ(UrdfSavePath(path, ".", "Puma560"), 0);
  EXPECT_STREQ(path, "./Puma560.urdf");
  ASSERT_EQ(SaveUrdf(path, puma), 0);
  m = urdf::parseURDFFile(path);
  ASSERT_TRUE(m != nullptr);
  EXPECT_EQ(m->joints_.size(), 7u);

  for (Robot r : {puma, slide, free4}) {
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
  }
}
