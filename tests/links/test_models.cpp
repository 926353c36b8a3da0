// test_models.cpp -- covers the eight built-in models besides Puma560 (src/links/*.cpp): the
// registry rows, each model's solids and end effectors, the sample robots and their joints
#include <gtest/gtest.h>
#include <math.h>

#include "links/C3Manip.h"
#include "links/FanucS300.h"
#include "links/Kerrow.h"
#include "links/REKERROW.h"
#include "links/REKERROWB.h"
#include "links/Wrist.h"
#include "links/Yaskawa.h"
#include "links/ZireVoro.h"
#include "kin/ikp.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "links_test_util.h"
#include "support/data_copy.h"
#include "links/links.h"

//------------------------------------------------------------------ helpers
static int Row(const char* name) {
  for (int i = 0; i < ngeomlinks; i++)
    if (strcmp(geomlinks[i].name, name) == 0) return i;
  return -1;
}

// the end effector of list entry k of a model, built into ee
static void MakeEE(EEData* list, int k, EndEffector* ee) {
  memset(ee, 0, sizeof(*ee));
  list[k].InitProc(ee);
}

// box of every solid a link draws, in its own frame, with a Kerrow mesh's points
static Box3 LinkBox(const ModelParts* m, int link, const KerrowMesh* mesh) {
  Box3 b;
  for (int k = 0; k < 3; k++) { b.lo[k] = 1e30f;  b.hi[k] = -1e30f; }
  for (int s = 0; s < m->n; s++) {
    if (m->link[s] != link) continue;
    Box3 p = BoundingBox(m->P[s]);
    for (int k = 0; k < 3; k++) {
      b.lo[k] = fminf(b.lo[k], p.lo[k]);
      b.hi[k] = fmaxf(b.hi[k], p.hi[k]);
    }
  }
  for (int v = 0; mesh && v < 2*mesh->n; v++) {
    const float* p = (v < mesh->n) ? mesh->A + 3*v : mesh->B + 3*(v - mesh->n);
    for (int k = 0; k < 3; k++) { b.lo[k] = fminf(b.lo[k], p[k]);  b.hi[k] = fmaxf(b.hi[k], p[k]); }
  }
  return b;
}

static bool Inside(const Box3& b, const float p[3], float tol) {
  for (int k = 0; k < 3; k++)
    if (p[k] < b.lo[k] - tol || p[k] > b.hi[k] + tol) return false;
  return true;
}

//------------------------------------------------------------------ registry
// nine rows in the registry's order; each table has one entry per link plus the base
TEST(Models, RegistryRows) {
  const char* names[9] = {"Puma560", "ZireVoro", "Yaskawa", "KERROW", "FanucS300", "REKERROW",
                          "REKERROWB", "Rozivi+Rudov", "Wrist"};
  const int links[9] = {6, 12, 6, 6, 6, 7, 13, 7, 3};
  ASSERT_EQ(ngeomlinks, 9);
  for (int i = 0; i < 9; i++) {
    EXPECT_STREQ(geomlinks[i].name, names[i]);
    EXPECT_EQ(geomlinks[i].n, links[i]) << names[i];
    for (int k = 0; k <= links[i]; k++) EXPECT_NE(geomlinks[i].links[k], nullptr) << names[i];
  }
  EXPECT_EQ(geomlinks[7].links, C3ManipLinks);
  EXPECT_EQ(Row("rozivi+rudov"), -1);
  // end-effector lists: names and list types of every row, null-terminated
  const char* ee[9] = {"None0 Hand1", "None0 Hand1", "None0 Hand1 Welder2", "None0 Hand1",
                       "None0 Hand1 Glue3", "None0 Hand1", "None0 Hand1 Peg6 Spray6",
                       "None0 Hand1 Cone4 Cone And Sphere5", "None0"};
  for (int i = 0; i < 9; i++) {
    std::string s;
    for (EEData* e = geomlinks[i].EElist; e->name; e++)
      s += (s.empty() ? "" : " ") + std::string(e->name) + std::to_string(e->type);
    EXPECT_EQ(s, ee[i]) << names[i];
  }
}

// every model builds solids, frees them all, and survives two Inits in a row (no leak: ASan)
TEST(Models, InitDestroyEveryModel) {
  ModelParts* parts[8] = {&zirevoro, &yaskawa, &kerrow, &fanuc, &rekerrow, &rekerrowb,
                          &c3manip, &wrist};
  for (int i = 1; i < 9; i++) {
    geomlinks[i].Init(nullptr);
    geomlinks[i].Init(nullptr);
    EXPECT_GT(parts[i - 1]->n, 0) << geomlinks[i].name;
    for (int link = 0; link <= geomlinks[i].n && link <= 5; link++)
      EXPECT_GT(ModelLinkParts(parts[i - 1], link), 0) << link;
    geomlinks[i].Destroy(nullptr);
    EXPECT_EQ(parts[i - 1]->n, 0);
  }
  EXPECT_EQ(kerrow_link1, nullptr);
  EXPECT_EQ(zirevoro_arm.Bplate, nullptr);
  EXPECT_EQ(c3manip_leg.barrel, nullptr);
  // Kerrow's custom meshes: 12-point tapering lofts with unit normals
  KerrowMesh* m = DefLink1();
  ASSERT_EQ(m->n, 12);
  EXPECT_FLOAT_EQ(m->A[0], 0.0f);  EXPECT_FLOAT_EQ(m->B[0], 1.9f);
  EXPECT_FLOAT_EQ(m->A[1], 0.28f);  EXPECT_FLOAT_EQ(m->B[1], 0.2f);   // first point on +y
  for (int k = 0; k < 12; k++)
    EXPECT_NEAR(m->N[3*k]*m->N[3*k] + m->N[3*k + 1]*m->N[3*k + 1] +
                m->N[3*k + 2]*m->N[3*k + 2], 1.0, 1e-5);
  EXPECT_GT(m->N[1], 0.9f);                                            // outward at +y
  EXPECT_FLOAT_EQ(m->nA[0], -1.0f);  EXPECT_FLOAT_EQ(m->nB[0], 1.0f);
  FreeKerrowMesh(m);
}

//------------------------------------------------------------------ end effectors
// type, solid count, opening and tool translation of every entry but "None"
TEST(Models, EndEffectorValues) {
  struct Want { const char* model; int k, type, nP; float v, x, y, z; };
  const Want want[] = {
    {"ZireVoro", 1, 1, 3, 0.256f, 0, 0, 0.561f},  {"Yaskawa", 1, 1, 3, 0, 0, 0, 0.561f},
    {"Yaskawa", 2, 2, 1, 0, 0, 0, 1},             {"KERROW", 1, 1, 3, 0, 0, -0.204f, 0},
    {"FanucS300", 1, 1, 3, 0, 0, 0, 1.02f},       {"FanucS300", 2, 3, 4, 0, 0, 0, 2.4f},
    {"REKERROW", 1, 1, 3, 0, 0.561f, 0, 0},       {"REKERROWB", 1, 1, 3, 0, 0.561f, 0, 0},
    {"REKERROWB", 2, 6, 5, 0, 1.45f, 0, 0},       {"REKERROWB", 3, 7, 6, 0, 5, 0, 0},
    {"Rozivi+Rudov", 1, 1, 3, 0, -0.029f, 0, 0},  {"Rozivi+Rudov", 2, 4, 1, 0, 0, 0, 0},
    {"Rozivi+Rudov", 3, 5, 1, 0, -0.029f, 0, 0}};
  for (const Want& w : want) {
    EndEffector ee;
    MakeEE(geomlinks[Row(w.model)].EElist, w.k, &ee);
    SCOPED_TRACE(std::string(w.model) + " " + std::to_string(w.k));
    EXPECT_EQ(ee.type, w.type);
    EXPECT_EQ(ee.nP, w.nP);
    ASSERT_EQ(ee.nv, 1);
    EXPECT_FLOAT_EQ(ee.v[0], w.v);
    const float t[3] = {w.x, w.y, w.z};
    for (int i = 0; i < 3; i++) {
      EXPECT_FLOAT_EQ(ee.Qee[i][3], t[i]);
      EXPECT_FLOAT_EQ(ee.Qee_gl[3][i], t[i]);
      for (int j = 0; j < 3; j++) EXPECT_EQ(ee.Qee[i][j], i == j ? 1.0f : 0.0f);
    }
    EXPECT_EQ(ee.DrawProc, w.v > 0 ? ZDrawEE : StdDrawEE);
    EXPECT_EQ(ee.DestroyProc, StdDestroyEE);
    ee.DestroyProc(&ee);
  }
}

// where the turned tools lie, from their stated sizes and turns
TEST(Models, EndEffectorPlacement) {
  EndEffector ee;
  // the pointer cone: radius 0.075 at x = -0.42 tapering to its tip at the origin
  MakeEE(C3ManipEElist, 2, &ee);
  EXPECT_BOX(ee.P[0], -0.42f, 0, -0.075f, 0.075f, -0.075f, 0.075f);
  ee.DestroyProc(&ee);
  // the spray cone: apex at x = 1, base of radius 0.5 at x = 5, colour as given
  MakeEE(REKERROWBEElist, 3, &ee);
  EXPECT_BOX(ee.P[5], 1, 5, -0.5f, 0.5f, -0.5f, 0.5f);
  EXPECT_EQ(ee.P[5]->U[0]->color, 0xff12a8fful);
  Box3 peg = BoundingBox(ee.P[4]);                       // the peg's tip cone ends at 1.45
  EXPECT_NEAR(peg.hi[0], 1.45f, 1e-5);
  ee.DestroyProc(&ee);
  // REKERROWB's hand colours; REKERROW's hand turned onto +x, KERROW's onto -y
  MakeEE(REKERROWBEElist, 1, &ee);
  EXPECT_EQ(ee.P[0]->U[0]->color, 0xff00d7fful);
  EXPECT_EQ(ee.P[1]->U[0]->color, 0xff13458bul);
  ee.DestroyProc(&ee);
  MakeEE(REKERROWEElist, 1, &ee);
  Box3 b = BoundingBox(ee.P[1]);
  EXPECT_GT(b.hi[0], 0.3f);  EXPECT_LT(b.hi[2] - b.lo[2], b.hi[0] - b.lo[0]);
  ee.DestroyProc(&ee);
  MakeEE(KerrowEElist, 1, &ee);
  b = BoundingBox(ee.P[1]);
  EXPECT_LT(b.lo[1], -0.1f);  EXPECT_LT(b.hi[2] - b.lo[2], b.hi[1] - b.lo[1]);
  ee.DestroyProc(&ee);
}

//------------------------------------------------------------------ sample robots
// each sample robot loads with its model and end effector; every link's bodies sit on its
// joint axis and reach the next joint, (a, 0, b) of its file in its frame (the view draws
// KERROW's first offset 2.4 longer and Rozivi+Rudov's 7.5 shorter; a prismatic link is
// drawn after its slide, so its next joint is at (a, 0, 0))
TEST(Models, SampleRobotsLoadAndJoin) {
  std::string dir = EnterDataCopy(1);
  ModelParts* parts[9] = {nullptr, &zirevoro, &yaskawa, &kerrow, &fanuc, &rekerrow,
                          &rekerrowb, &c3manip, &wrist};
  const int ee_type[9] = {1, 1, 2, 1, 3, 1, 1, 1, 0};
  for (int i = 1; i < 9; i++) {
    SCOPED_TRACE(geomlinks[i].name);
    Robot r = ReadRobot(geomlinks[i].name);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->links, geomlinks[i].links);
    EXPECT_EQ(r->geom_type, 2);
    EXPECT_EQ(r->EE.type, ee_type[i]);
    EXPECT_GT(r->avg_len, 0.0f);
    int last = (i == 1) ? 5 : (i == 7 ? r->n - 1 : r->n);   // ZireVoro's arm is Puma560's;
    float tol = 0.02f*r->avg_len;                            // the tool holds C3Manip's end
    for (int k = 1; k <= last; k++) {
      const KerrowMesh* mesh = (i == 3 && k == 2) ? kerrow_link1
                             : ((i == 3 && k == 4) ? kerrow_link2 : nullptr);
      Box3 b = LinkBox(parts[i], k, mesh);
      const Link* l = &r->L[k - 1];
      float bz = (l->joint == 1) ? 0 : l->b;
      if (k == 1 && i == 3) bz += 2.4f;
      if (k == 1 && i == 7) bz -= 7.5f;
      const float far[3] = {l->a, 0, bz};
      EXPECT_TRUE(Inside(b, far, tol)) << "link " << k << " ends short of its next joint";
      EXPECT_TRUE(b.lo[0] <= tol && b.hi[0] >= -tol && b.lo[1] <= tol && b.hi[1] >= -tol)
          << "link " << k << " off its axis";
    }
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
  }
  LeaveDataCopy(dir);
}

// a robot naming a model but with another number of links keeps the generic bodies
TEST(Models, LinkCountMismatchFallsBack) {
  Link L[2] = {HandLink(0, 0, 2, -90), HandLink(0, 1.5f, 0, 0)};
  RobotRec r;
  memset(&r, 0, sizeof(r));
  strcpy(r.name, "Wrist");                              // the model draws three links
  r.n = 2;  r.L = L;  r.rad = 0.2f;  r.geom_type = 2;
  testing::internal::CaptureStderr();
  LinkMatchName(&r);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(r.links, nullptr);
  EXPECT_EQ(r.geom_type, 1);
  EXPECT_NE(L[0].hinge, nullptr);
  EXPECT_NE(err.find("Wrist"), std::string::npos);
  EXPECT_EQ(wrist.n, 0);                                // the model was never built
  FreeFullGeom(&r);
  FreeBodies(2, L);
}

//------------------------------------------------------------------ mechanisms
// the wrist legs' platform ends, from the frames: with q5 = q6 = 0 the platform frame is the
// forearm frame moved 2 along z, so (0.3, +-0.25, -0.25) lands on (0.3, +-0.25, 1.75); the
// forearm roll does not move them in the forearm's own frame
TEST(Models, MechanismsFollowTheFrames) {
  std::string dir = EnterDataCopy(1);
  Robot r = ReadRobot("Rozivi+Rudov");
  ASSERT_NE(r, nullptr);
  JointConfig jc = JointConfigFromRobot(r);
  float A[2][3], B[2][3];
  jc->q[4] = 0;  jc->q[5] = 0;  jc->q[3] = 70;
  ASSERT_EQ(C3ManipLegEnds(r, jc, A, B), 0);
  for (int k = 0; k < 2; k++) {
    EXPECT_NEAR(B[k][0], 0.3f, 1e-5);
    EXPECT_NEAR(B[k][1], k ? -0.25f : 0.25f, 1e-5);
    EXPECT_NEAR(B[k][2], 1.75f, 1e-5);
  }
  // home (q5 = -90): the platform's x turns onto the forearm axis: (0.25, +-0.25, 2.3)
  jc->q[4] = -90;
  C3ManipLegEnds(r, jc, A, B);
  EXPECT_NEAR(B[0][0], 0.25f, 1e-5);  EXPECT_NEAR(B[0][2], 2.3f, 1e-5);
  FreeJointConfig(jc);
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);

  // the boom cylinder at q2 = 60: upper end 1.8 (2.4 sin 60 + 0.45 cos 60, 0,
  // 2.5 + 2.4 cos 60 - 0.45 sin 60), lower end (1.62, 0, 1.62); back in the boom's frame the
  // upper end is its mounting point 1.8 (0.45, -2.4, 0); with q6 = 180 - q2 the arm's base
  // frame stays upright
  r = ReadRobot("ZireVoro");
  ASSERT_NE(r, nullptr);
  jc = JointConfigFromRobot(r);
  float lo[3], hi[3];
  const double s = sin(M_PI/3), c = cos(M_PI/3);
  float phi = ZireVoroCylinder(r, jc, 1, lo, hi);
  EXPECT_NEAR(hi[0], 1.8*(2.4*s + 0.45*c), 1e-4);
  EXPECT_NEAR(hi[2], 1.8*(2.5 + 2.4*c - 0.45*s), 1e-4);
  EXPECT_NEAR(lo[0], 1.62f, 1e-5);
  EXPECT_NEAR(phi, atan2(hi[2] - 1.62, hi[0] - 1.62)*180/M_PI, 1e-3);
  ZireVoroCylinder(r, jc, 2, lo, hi);
  EXPECT_NEAR(hi[0], 0.81f, 1e-4);  EXPECT_NEAR(hi[1], -4.32f, 1e-4);  EXPECT_NEAR(hi[2], 0, 1e-4);
  for (float q2 : {50.0f, 60.0f, 95.0f}) {
    jc->q[1] = q2;  jc->q[5] = 180 - q2;
    EvalQr_i(r, jc);
    EvalQr_1(r);
    EXPECT_NEAR(r->L[5].Q_1[2][2], 1.0, 1e-6) << q2;
  }
  FreeJointConfig(jc);
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  LeaveDataCopy(dir);
}
