// test_links.cpp -- covers src/links/links.cpp: generic bodies, default end effector, registry
#include <gtest/gtest.h>

#include "links/links.h"
#include "links/Puma560.h"
#include "links_test_util.h"

// With rad = 1: joint cylinder radius 1.4 and length 2.8, bars radius 1, sleeve 2.52 wide,
// rods and prismatic bars 1.4 wide, eelen 1.44. Cylinders have 24 segments, so the vertex
// rings reach the full radius along both x and y.

//------------------------------------------------------------------ down geometry, revolute
// middle link a = 3, b = 2: bar up to b - 1, elbow turned 180 degrees, bar from x = 1 to 3
TEST(DownRevolute, PositiveOffset) {
  Link L[3] = {HandLink(0, 0, 0, 0), HandLink(0, 3, 2, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, L, 1.0f, 1);
  EXPECT_BOX(L[1].hinge, -1.4f, 1.4f, -1.4f, 1.4f, -1.4f, 1.4f);
  EXPECT_BOX(L[1].linkz, -1, 1, -1, 1, 0, 1);
  // bend centre (1, 0, 1): from the bar end (0, 0, 1) round to (1, 0, 2), tube radius 1
  EXPECT_BOX(L[1].elbow, -1, 1, -1, 1, 1, 3);
  // a bend turned the other way (centre (1, 0, 3)) has the same box: its mass lies higher
  EXPECT_LT(VertexMean(L[1].elbow, 2), 2.0f);
  EXPECT_GT(VertexMean(L[1].elbow, 0), 0.0f);
  EXPECT_BOX(L[1].linkx, 1, 3, -1, 1, 1, 3);
  FreeBodies(3, L);
}

// b = -2: bar below the joint, elbow turned 90 degrees, link bar at height -2
TEST(DownRevolute, NegativeOffset) {
  Link L[3] = {HandLink(0, 0, 0, 0), HandLink(0, 3, -2, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, L, 1.0f, 1);
  EXPECT_BOX(L[1].linkz, -1, 1, -1, 1, -1, 0);
  // bend centre (1, 0, -1): from (0, 0, -1) round to (1, 0, -2)
  EXPECT_BOX(L[1].elbow, -1, 1, -1, 1, -3, -1);
  EXPECT_GT(VertexMean(L[1].elbow, 2), -2.0f);
  EXPECT_BOX(L[1].linkx, 1, 3, -1, 1, -3, -1);
  FreeBodies(3, L);
}

// a = 0, b = 0 gets only its joint; b without a gets no elbow; a without b no offset bar
TEST(DownRevolute, ZeroLengthsSkipBodies) {
  Link L[3] = {HandLink(0, 0, 0, 0), HandLink(0, 0, 2, 0), HandLink(0, 2, 0, 0)};
  MakeLinks(3, L, 1.0f, 1);
  EXPECT_NE(L[0].hinge, nullptr);
  EXPECT_EQ(L[0].linkz, nullptr);  EXPECT_EQ(L[0].linkx, nullptr);
  EXPECT_EQ(L[0].elbow, nullptr);
  EXPECT_NE(L[1].linkz, nullptr);  EXPECT_EQ(L[1].elbow, nullptr);
  EXPECT_EQ(L[1].linkx, nullptr);
  FreeBodies(3, L);
  Link M[3] = {HandLink(0, 0, 0, 0), HandLink(0, 2, 0, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, M, 1.0f, 1);
  EXPECT_EQ(M[1].linkz, nullptr);  EXPECT_EQ(M[1].elbow, nullptr);
  EXPECT_BOX(M[1].linkx, 1, 2, -1, 1, -1, 1);
  FreeBodies(3, M);
}

// the last link stops eelen short of its end, along x or, without a length, along z
TEST(DownRevolute, LastLinkLeavesRoomForTheHand) {
  Link L[2] = {HandLink(0, 0, 0, 0), HandLink(0, 3, 2, 0)};
  MakeLinks(2, L, 1.0f, 1);
  EXPECT_NE(L[1].hinge, nullptr);
  EXPECT_NE(L[1].elbow, nullptr);
  EXPECT_BOX(L[1].linkx, 1, 3 - 1.44f, -1, 1, 1, 3);
  FreeBodies(2, L);
  Link U[2] = {HandLink(0, 0, 0, 0), HandLink(0, 0, 3, 0)};
  MakeLinks(2, U, 1.0f, 1);
  EXPECT_NE(U[1].hinge, nullptr);
  EXPECT_BOX(U[1].linkz, -1, 1, -1, 1, 0, 3 - 1.44f);
  EXPECT_EQ(U[1].linkx, nullptr);
  FreeBodies(2, U);
  Link D[2] = {HandLink(0, 0, 0, 0), HandLink(0, 0, -3, 0)};
  MakeLinks(2, D, 2.0f, 1);       // rad 2: eelen 2.88
  EXPECT_BOX(D[1].linkz, -2, 2, -2, 2, -(3 - 2.88f), 0);
  FreeBodies(2, D);
}

//------------------------------------------------------------------ down geometry, prismatic
// sleeve 2.52 x 2.52 x 2.8; unit rod from z = 0 to 1; bar from x = -0.7 to a
TEST(DownPrismatic, SleeveRodAndBar) {
  Link L[3] = {HandLink(1, 2, 0, 0), HandLink(1, 0, 0, 0), HandLink(1, 2, 0, 0)};
  MakeLinks(3, L, 1.0f, 1);
  EXPECT_BOX(L[0].hinge, -1.26f, 1.26f, -1.26f, 1.26f, -1.4f, 1.4f);
  EXPECT_BOX(L[0].linkz, -0.7f, 0.7f, -0.7f, 0.7f, 0, 1);
  EXPECT_BOX(L[0].linkx, -0.7f, 2, -0.7f, 0.7f, -0.7f, 0.7f);
  EXPECT_NE(L[1].linkz, nullptr);
  EXPECT_EQ(L[1].linkx, nullptr);
  // last link: the bar ends eelen short of a
  EXPECT_BOX(L[2].linkx, -0.7f, 2 - 1.44f, -0.7f, 0.7f, -0.7f, 0.7f);
  EXPECT_BOX(L[2].linkz, -0.7f, 0.7f, -0.7f, 0.7f, 0, 1);
  FreeBodies(3, L);
  // a last prismatic link without a length has only its sleeve
  Link M[2] = {HandLink(0, 0, 0, 0), HandLink(1, 0, 0, 0)};
  MakeLinks(2, M, 1.0f, 1);
  EXPECT_NE(M[1].hinge, nullptr);
  EXPECT_EQ(M[1].linkz, nullptr);  EXPECT_EQ(M[1].linkx, nullptr);
  FreeBodies(2, M);
}

//------------------------------------------------------------------ up geometry
// first link a = 3, b = 2, twist -90, next offset 1.5: joint at height b, bar from 0 to b,
// link bar from 0 to a - 1, elbow turning into the next joint axis (+y here)
TEST(UpRevolute, FirstLinkIntoNextAxis) {
  Link L[3] = {HandLink(0, 3, 2, -90), HandLink(0, 0, 1.5f, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, L, 1.0f, 0);
  EXPECT_BOX(L[0].hinge, -1.4f, 1.4f, -1.4f, 1.4f, 0.6f, 3.4f);
  EXPECT_BOX(L[0].linkz, -1, 1, -1, 1, 0, 2);
  EXPECT_BOX(L[0].linkx, 0, 2, -1, 1, 1, 3);
  // bend centre (2, 1, 2): from the bar end (2, 0, 2) to (3, 1, 2), where the pipe runs along
  // the next joint axis +y
  EXPECT_BOX(L[0].elbow, 2, 4, -1, 1, 1, 3);
  EXPECT_GT(VertexMean(L[0].elbow, 1), 0.2f);
  // middle link with b: the offset bar starts rad above the frame
  EXPECT_BOX(L[1].linkz, -1, 1, -1, 1, 1, 1.5f);
  EXPECT_BOX(L[1].hinge, -1.4f, 1.4f, -1.4f, 1.4f, 0.1f, 2.9f);
  FreeBodies(3, L);
}

// a negative next offset turns the elbow the other way (about x by al + 180)
TEST(UpRevolute, NegativeNextOffsetFlipsTheElbow) {
  Link L[3] = {HandLink(0, 3, 2, -90), HandLink(0, 0, -1.5f, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, L, 1.0f, 0);
  EXPECT_BOX(L[0].elbow, 2, 4, -1, 1, 1, 3);
  EXPECT_LT(VertexMean(L[0].elbow, 1), -0.2f);
  EXPECT_BOX(L[1].linkz, -1, 1, -1, 1, -1.5f, -1);
  FreeBodies(3, L);
  // no next offset: no elbow
  Link M[3] = {HandLink(0, 3, 2, -90), HandLink(0, 0, 0, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, M, 1.0f, 0);
  EXPECT_EQ(M[0].elbow, nullptr);
  EXPECT_NE(M[0].linkx, nullptr);
  FreeBodies(3, M);
}

// a prismatic next link: the bar runs the full length a and there is no elbow; the
// prismatic link itself has no body
TEST(UpRevolute, PrismaticNextLink) {
  Link L[3] = {HandLink(0, 3, 2, 0), HandLink(1, 2, 1, 0), HandLink(0, 0, 0, 0)};
  MakeLinks(3, L, 1.0f, 0);
  EXPECT_BOX(L[0].linkx, 0, 3, -1, 1, 1, 3);
  EXPECT_EQ(L[0].elbow, nullptr);
  EXPECT_EQ(L[1].hinge, nullptr);  EXPECT_EQ(L[1].linkz, nullptr);
  EXPECT_EQ(L[1].linkx, nullptr);  EXPECT_EQ(L[1].elbow, nullptr);
  FreeBodies(3, L);
}

// last link: with a length, bar from 0 to a - eelen; without, no joint and a shortened bar
TEST(UpRevolute, LastLink) {
  Link L[2] = {HandLink(0, 0, 0, 0), HandLink(0, 3, 2, 0)};
  MakeLinks(2, L, 1.0f, 0);
  EXPECT_BOX(L[1].hinge, -1.4f, 1.4f, -1.4f, 1.4f, 0.6f, 3.4f);
  EXPECT_BOX(L[1].linkz, -1, 1, -1, 1, 1, 2);
  EXPECT_BOX(L[1].linkx, 0, 3 - 1.44f, -1, 1, 1, 3);
  EXPECT_EQ(L[1].elbow, nullptr);
  FreeBodies(2, L);
  Link M[2] = {HandLink(0, 0, 0, 0), HandLink(0, 0, -3, 0)};
  MakeLinks(2, M, 1.0f, 0);
  EXPECT_EQ(M[1].hinge, nullptr);
  EXPECT_BOX(M[1].linkz, -1, 1, -1, 1, -(3 - 1.44f), 0);
  FreeBodies(2, M);
}

// a one-link robot is built as a last link and never reads a following record
TEST(UpRevolute, SingleLinkRobot) {
  Link* L = new Link[1];
  L[0] = HandLink(0, 3, 2, 0);
  MakeLinks(1, L, 1.0f, 0);
  EXPECT_BOX(L[0].linkx, 0, 3 - 1.44f, -1, 1, 1, 3);
  FreeBodies(1, L);
  delete[] L;
}

//------------------------------------------------------------------ MakeLinks and RemakeLinks
// geometry types other than up and down build nothing
TEST(MakeLinks, FullGeometryBuildsNothing) {
  Link L[2] = {HandLink(0, 3, 2, 0), HandLink(0, 3, 2, 0)};
  MakeLinks(2, L, 1.0f, 2);
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(L[i].hinge, nullptr);  EXPECT_EQ(L[i].linkz, nullptr);
    EXPECT_EQ(L[i].linkx, nullptr);  EXPECT_EQ(L[i].elbow, nullptr);
  }
}

// rebuilding with another radius replaces every body (the old ones are freed: ASan)
TEST(MakeLinks, RemakeWithNewRadius) {
  Link L[3] = {HandLink(0, 3, 2, -90), HandLink(0, 2, 1, 90), HandLink(0, 1, 1, 0)};
  MakeLinks(3, L, 1.0f, 0);
  RemakeLinks(3, L, 0.5f, 0);
  EXPECT_BOX(L[0].hinge, -0.7f, 0.7f, -0.7f, 0.7f, 2 - 0.7f, 2 + 0.7f);
  RemakeLinks(3, L, 0.5f, 1);
  EXPECT_BOX(L[0].hinge, -0.7f, 0.7f, -0.7f, 0.7f, -0.7f, 0.7f);
  FreeBodies(3, L);
}

// every body of a mixed six-link robot in both geometries, built and freed
TEST(MakeLinks, MixedRobotOwnership) {
  for (int geom = 0; geom < 2; geom++) {
    Link L[6] = {HandLink(0, 0, 6.6f, -90), HandLink(1, 4.3f, 1.5f, 0),
                 HandLink(0, 0.2f, -1, 90), HandLink(0, 0, 4.3f, -90),
                 HandLink(1, 1, 0, 90), HandLink(0, 0, 1, 0)};
    MakeLinks(6, L, 0.7f, geom);
    int bodies = 0;
    for (int i = 0; i < 6; i++)
      bodies += (L[i].hinge != nullptr) + (L[i].linkz != nullptr) +
                (L[i].linkx != nullptr) + (L[i].elbow != nullptr);
    EXPECT_GT(bodies, 8);
    FreeBodies(6, L);
  }
}

//------------------------------------------------------------------ default end effector
// rad 1, last link along z: palm 2.64 x 3.12 x 0.48 behind the fingers, fingers 0.96 either side
TEST(DefaultEE, AlongZ) {
  DefaultEE e;
  MakeEE(&e, 1.0f, 0, 2);
  EXPECT_BOX(e.h1, -1.32f, 1.32f, -1.56f, 1.56f, -1.44f, -0.96f);
  EXPECT_BOX(e.h2, -1.32f, 1.32f, 1.08f, 1.56f, -0.96f, 0.96f);
  EXPECT_BOX(e.h3, -1.32f, 1.32f, -1.56f, -1.08f, -0.96f, 0.96f);
  EXPECT_EQ(e.h1->U[0]->mat, 3);
  EXPECT_EQ(e.h1->U[0]->color, 0xffc0c0c0ul);
  FreeEE(&e);
  EXPECT_EQ(e.h1, nullptr);
}

// a last link with a length points the hand along x, for either sign of b
TEST(DefaultEE, AlongX) {
  for (float b = -1; b <= 1; b += 2) {
    DefaultEE e;
    MakeEE(&e, 1.0f, 2, b);
    EXPECT_BOX(e.h1, -1.44f, -0.96f, -1.56f, 1.56f, -1.32f, 1.32f);
    EXPECT_BOX(e.h2, -0.96f, 0.96f, 1.08f, 1.56f, -1.32f, 1.32f);
    EXPECT_BOX(e.h3, -0.96f, 0.96f, -1.56f, -1.08f, -1.32f, 1.32f);
    FreeEE(&e);
  }
  // no length and a negative offset: the palm sits on the +z side
  DefaultEE e;
  MakeEE(&e, 0.5f, 0, -1);
  EXPECT_BOX(e.h1, -0.66f, 0.66f, -0.78f, 0.78f, 0.48f, 0.72f);
  FreeEE(&e);
}

//------------------------------------------------------------------ registry
static int destroy_calls = 0;
static void CountingDestroy(Robot r) {
  destroy_calls++;
  Puma560Destroy(r);
}

static RobotRec* NamedRobot(const char* name, int ee_type) {
  RobotRec* r = new RobotRec;
  memset(r, 0, sizeof(*r));
  strncpy(r->name, name, sizeof(r->name) - 1);
  r->n = 6;
  r->EE.type = ee_type;
  return r;
}

static void ReleaseEE(RobotRec* r) {
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
}

// exact, case-sensitive names; no match leaves the robot as it was
TEST(Registry, LookupByExactName) {
  ASSERT_GE(ngeomlinks, 1);
  EXPECT_STREQ(geomlinks[0].name, "Puma560");
  RobotRec* r = NamedRobot("puma560", 1);
  LinkMatchName(r);
  EXPECT_EQ(r->links, nullptr);
  EXPECT_EQ(r->EElist, nullptr);
  EXPECT_EQ(r->EE.DrawProc, nullptr);
  EXPECT_EQ(puma560.Bplate, nullptr);
  FreeFullGeom(r);            // nothing attached: nothing to destroy
  delete r;
}

// a match builds the model, attaches its table and list and the first entry of the type
TEST(Registry, MatchAttachesModelAndHand) {
  RobotRec* r = NamedRobot("Puma560", 1);
  LinkMatchName(r);
  EXPECT_EQ(r->links, Puma560Links);
  EXPECT_EQ(r->EElist, Puma560EElist);
  for (int i = 0; i < 7; i++) EXPECT_NE(r->links[i], nullptr);
  EXPECT_STREQ(r->EE.name, "Hand");
  EXPECT_EQ(r->EE.type, 1);
  EXPECT_EQ(r->EE.nP, 3);
  EXPECT_EQ(r->EE.DrawProc, ZDrawEE);
  EXPECT_NE(puma560.Bplate, nullptr);
  FreeFullGeom(r);
  EXPECT_EQ(puma560.Bplate, nullptr);
  ReleaseEE(r);
  delete r;
}

// type 0 selects "None"; a type missing from the list leaves the reset end effector alone
TEST(Registry, EndEffectorTypes) {
  RobotRec* r = NamedRobot("Puma560", 0);
  strcpy(r->EE.name, "x");
  LinkMatchName(r);
  EXPECT_STREQ(r->EE.name, "None");
  EXPECT_EQ(r->EE.DrawProc, nullptr);
  EXPECT_EQ(r->EE.Qee[0][3], 0.0f);  EXPECT_EQ(r->EE.Qee[3][3], 1.0f);
  FreeFullGeom(r);
  delete r;
  r = NamedRobot("Puma560", 5);
  strcpy(r->EE.name, "kept");
  LinkMatchName(r);
  EXPECT_STREQ(r->EE.name, "kept");
  EXPECT_EQ(r->EE.DrawProc, nullptr);
  EXPECT_EQ(r->EE.nP, 0);
  EXPECT_EQ(r->links, Puma560Links);
  FreeFullGeom(r);
  delete r;
}

// the destroyer runs once, however often FreeFullGeom is called
TEST(Registry, FreeFullGeomTwiceDestroysOnce) {
  void (*saved)(Robot) = geomlinks[0].Destroy;
  geomlinks[0].Destroy = CountingDestroy;
  destroy_calls = 0;
  RobotRec* r = NamedRobot("Puma560", 0);
  LinkMatchName(r);
  FreeFullGeom(r);
  FreeFullGeom(r);
  EXPECT_EQ(destroy_calls, 1);
  geomlinks[0].Destroy = saved;
  delete r;
}

//------------------------------------------------------------------ end-effector helpers
TEST(EEHelpers, QeeGlIsTheTranspose) {
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) ee.Qee[i][j] = (float)(10*i + j);
  MakeQee_gl(&ee);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(ee.Qee_gl[i][j], (float)(10*j + i));
}

TEST(EEHelpers, NothingInitAndStdDestroy) {
  EndEffector ee;
  memset(&ee, 0x5a, sizeof(ee));
  NothingInitEE(&ee);
  EXPECT_EQ(ee.type, 0);
  EXPECT_STREQ(ee.name, "None");
  EXPECT_EQ(ee.DestroyProc, nullptr);  EXPECT_EQ(ee.DrawProc, nullptr);
  EXPECT_EQ(ee.EditProc, nullptr);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      EXPECT_EQ(ee.Qee[i][j], i == j ? 1.0f : 0.0f);
      EXPECT_EQ(ee.Qee_gl[i][j], i == j ? 1.0f : 0.0f);
    }
  // StdDestroyEE frees the solids, P and v, and leaves nothing to free twice
  ee.nP = 2;
  ee.P = (JwPrimitive*)malloc(2*sizeof(JwPrimitive));
  ee.P[0] = JwDefPrism(1, 1, 1, 3, 0);
  ee.P[1] = JwDefCylinder(8, 1, 1, 3, 0);
  ee.nv = 1;
  ee.v = (float*)malloc(sizeof(float));
  StdDestroyEE(&ee);
  EXPECT_EQ(ee.nP, 0);  EXPECT_EQ(ee.P, nullptr);  EXPECT_EQ(ee.v, nullptr);
  StdDestroyEE(&ee);
}

// the forwarding draw procedures reach the drawer set for their slot, and nothing else
static int drawn_std = 0, drawn_z = 0;
static void CountStd(EndEffectorPtr) { drawn_std++; }
static void CountZ(EndEffectorPtr) { drawn_z++; }

TEST(EEHelpers, DrawersForwardBySlot) {
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  SetEEDrawer(EEDrawStd, nullptr);
  SetEEDrawer(EEDrawZ, nullptr);
  StdDrawEE(&ee);  ZDrawEE(&ee);        // empty slots draw nothing
  SetEEDrawer(EEDrawStd, CountStd);
  SetEEDrawer(EEDrawZ, CountZ);
  SetEEDrawer(-1, CountZ);  SetEEDrawer(EEDrawSlots, CountZ);   // ignored
  StdDrawEE(&ee);  StdDrawEE(&ee);  ZDrawEE(&ee);
  StdEditEE(&ee);
  EXPECT_EQ(drawn_std, 2);
  EXPECT_EQ(drawn_z, 1);
  SetEEDrawer(EEDrawStd, nullptr);
  SetEEDrawer(EEDrawZ, nullptr);
}

//------------------------------------------------------------------ with the robot records
static const DHRow arm[6] = {
  {0, 0, 6.6f, -90, 0, -100000, 100000}, {0, 4.32f, 1.5f, 0, 0, -100000, 100000},
  {0, 0.2f, 0, -90, 0, -100000, 100000}, {1, 0, 4.32f, 90, 0, -100000, 100000},
  {0, 0, 0, -90, 0, -100000, 100000}, {0, 0.5f, 0.3f, 0, 0, -100000, 100000}};

// a robot built as the reader does, then freed by the robot module: nothing leaks (ASan)
TEST(RobotBodies, GenericBodiesFreedWithTheRobot) {
  for (int geom = 0; geom < 2; geom++) {
    Robot r = RobotFromDH("arm", 6, arm);
    ASSERT_NE(r, nullptr);
    r->geom_type = geom;
    MakeLinks(r->n, r->L, r->rad, geom);
    MakeEE(&r->dEE, r->rad, r->L[5].a, r->L[5].b);
    EXPECT_NE(r->L[0].hinge, nullptr);
    EXPECT_NE(r->dEE.h1, nullptr);
    LinkMatchName(r);                   // no model of that name
    EXPECT_EQ(r->links, nullptr);
    FreeRobot(r);
  }
}

// a named model: its solids go with FreeRobot, its hand with the end effector's DestroyProc
TEST(RobotBodies, Puma560FreedWithTheRobot) {
  Robot r = RobotFromDH("Puma560", 6, arm);
  ASSERT_NE(r, nullptr);
  r->geom_type = 2;
  r->EE.type = 1;
  MakeLinks(r->n, r->L, r->rad, r->geom_type);
  MakeEE(&r->dEE, r->rad, r->L[5].a, r->L[5].b);
  LinkMatchName(r);
  ASSERT_EQ(r->links, Puma560Links);
  EXPECT_NE(puma560.L4cyl, nullptr);
  r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  EXPECT_EQ(puma560.L4cyl, nullptr);
}
