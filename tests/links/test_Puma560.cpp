// test_Puma560.cpp -- covers src/links/Puma560.cpp: the model's solids and its "Hand"
#include <gtest/gtest.h>

#include "links/Puma560.h"
#include "links_test_util.h"

// where each solid lands, from the dimensions and placements of the model table
TEST(Puma560, SolidsInPlace) {
  Puma560Init(nullptr);
  const Puma560Solids& s = puma560;
  EXPECT_BOX(s.Bplate, -1.825f, 1.825f, -1.825f, 1.825f, 0, 0.6f);
  EXPECT_BOX(s.Bstump, -0.9f, 0.9f, -0.9f, 0.9f, 0.6f, 5.7f);
  EXPECT_BOX(s.Bbox, -0.525f, 0.525f, 0.625f, 2.225f, 0, 0.9f);
  EXPECT_BOX(s.Bmotor, -0.44f, 0.44f, 1.135f, 2.015f, 0.9f, 2.35f);
  EXPECT_BOX(s.L1trunk, -0.9f, 0.9f, -0.9f, 0.9f, 5.7f, 6.6f);
  // turned onto y about x, then moved: axis along y from -1.04 to 1.94 at height 6.6
  EXPECT_BOX(s.L1hinge, -0.9f, 0.9f, -1.04f, 1.94f, 5.7f, 7.5f);
  // outline extents, the plate 1.02 thick around z = 2.45
  EXPECT_BOX(s.L2link, -2.24f, 5.1f, -1.485f, 1.485f, 1.94f, 2.96f);
  EXPECT_BOX(s.L3link, -0.91f, 0.81f, -1.17f, 3.52f, -0.45f, 0.45f);
  // wrist cylinder across y at z = 4.32
  EXPECT_BOX(s.L4cyl, -0.4f, 0.4f, -0.45f, 0.45f, 3.92f, 4.72f);
  EXPECT_BOX(s.L4b1, -0.45f, 0.45f, -0.45f, 0.45f, 3.52f, 3.92f);
  EXPECT_BOX(s.L4b2, -0.325f, 0.325f, -0.325f, 0.325f, 3.92f, 4.12f);
  EXPECT_BOX(s.L6a, -0.19f, 0.19f, -0.19f, 0.19f, 0.36f, 0.48f);
  EXPECT_BOX(s.L6b, -0.24f, 0.24f, -0.24f, 0.24f, 0.48f, 0.53f);
  EXPECT_BOX(s.L6c, -0.34f, 0.34f, -0.34f, 0.34f, 0.53f, 0.56f);
  // materials and colours
  EXPECT_EQ(s.Bplate->U[0]->mat, 3);
  EXPECT_EQ(s.Bplate->U[0]->color, 0xff908070ul);
  EXPECT_EQ(s.Bmotor->U[0]->color, 0xff3b472eul);
  EXPECT_EQ(s.L2link->U[0]->color, 0xff8b3d48ul);
  EXPECT_EQ(s.L2link->type, JwFlatT);
  EXPECT_EQ(s.L6a->U[0]->n, 16);
  Puma560Destroy(nullptr);
}

// Destroy frees all fourteen and clears them; a second Init after one without Destroy
// replaces the solids without leaking (ASan)
TEST(Puma560, InitDestroyOwnership) {
  Puma560Init(nullptr);
  Puma560Init(nullptr);
  Puma560Destroy(nullptr);
  const Puma560Solids& s = puma560;
  const JwPrimitive all[14] = {s.Bplate, s.Bstump, s.Bbox, s.Bmotor, s.L1trunk, s.L1hinge,
                               s.L2link, s.L3link, s.L4cyl, s.L4b1, s.L4b2, s.L6a, s.L6b,
                               s.L6c};
  for (int k = 0; k < 14; k++) EXPECT_EQ(all[k], nullptr) << k;
  Puma560Destroy(nullptr);
}

// fingers 0.256 either side, tool frame 0.561 along z, three gripper solids of material 4
TEST(Puma560, HandValues) {
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  ASSERT_STREQ(Puma560EElist[1].name, "Hand");
  EXPECT_EQ(Puma560EElist[1].type, 1);
  EXPECT_STREQ(Puma560EElist[0].name, "None");
  EXPECT_EQ(Puma560EElist[2].name, nullptr);
  Puma560EElist[1].InitProc(&ee);
  EXPECT_EQ(ee.type, 1);
  ASSERT_EQ(ee.nP, 3);
  EXPECT_EQ(ee.P[0]->type, JwTamsellGripperHT);
  EXPECT_EQ(ee.P[1]->type, JwTamsellGripperF1T);
  EXPECT_EQ(ee.P[2]->type, JwTamsellGripperF2T);
  EXPECT_EQ(ee.P[0]->U[0]->mat, 4);
  EXPECT_EQ(ee.P[0]->U[0]->color, 0xff3b472eul);
  EXPECT_EQ(ee.P[1]->U[0]->color, 0xff696969ul);
  ASSERT_EQ(ee.nv, 1);
  EXPECT_FLOAT_EQ(ee.v[0], 0.256f);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      float want = (i == j) ? 1.0f : (i == 2 && j == 3 ? 0.561f : 0.0f);
      EXPECT_FLOAT_EQ(ee.Qee[i][j], want);
      EXPECT_FLOAT_EQ(ee.Qee_gl[j][i], want);
    }
  EXPECT_EQ(ee.DestroyProc, StdDestroyEE);
  EXPECT_EQ(ee.DrawProc, ZDrawEE);
  EXPECT_EQ(ee.EditProc, StdEditEE);
  ee.DestroyProc(&ee);
  EXPECT_EQ(ee.P, nullptr);
}

// a drawing table of base + six links, every entry callable before the drawing library
// registers (the headless entries draw nothing)
TEST(Puma560, DrawingTableComplete) {
  for (int i = 0; i < 7; i++) {
    ASSERT_NE(Puma560Links[i], nullptr);
    Puma560Links[i]();
  }
}
