// test_things.cpp -- covers src/scene/things.cpp: placement operations and the builders' geometry
#include <gtest/gtest.h>

#include <math.h>

#include "graphics/primitives.h"
#include "scene/things.h"

//------------------------------------------------------------------ helpers

struct Box { double lo[3], hi[3]; };

// bounding box of every vertex of solids first .. last - 1 (last = -1: all)
static Box Bounds(Thing T, int first = 0, int last = -1) {
  Box b = {{1e30, 1e30, 1e30}, {-1e30, -1e30, -1e30}};
  if (last < 0) last = T->np;
  for (int p = first; p < last; p++) {
    for (int u = 0; u < T->P[p]->nu; u++) {
      JwUnit U = T->P[p]->U[u];
      for (int v = 0; v < U->nv; v++) {
        for (int k = 0; k < 3; k++) {
          b.lo[k] = fmin(b.lo[k], U->V[4*v + k]);
          b.hi[k] = fmax(b.hi[k], U->V[4*v + k]);
        }
      }
    }
  }
  return b;
}

static void ExpectBox(const Box& b, double x0, double x1, double y0, double y1, double z0,
                      double z1) {
  const double e = 1e-5, lo[3] = {x0, y0, z0}, hi[3] = {x1, y1, z1};
  for (int k = 0; k < 3; k++) {
    EXPECT_NEAR(b.lo[k], lo[k], e) << "axis " << k;
    EXPECT_NEAR(b.hi[k], hi[k], e) << "axis " << k;
  }
}

// p' = M p with M(i, j) = Q[j][i]
static void Apply(Thing T, const double p[3], double out[3]) {
  for (int i = 0; i < 3; i++) {
    out[i] = T->Q[3][i];
    for (int j = 0; j < 3; j++) out[i] += T->Q[j][i]*p[j];
  }
}

//------------------------------------------------------------------ operations

// translate by (1, 2, 3), then turn 90 degrees about z: the turn acts in the thing's frame,
// so (1, 0, 0) goes to (0, 1, 0) + (1, 2, 3)
TEST(Things, TranslateThenRotateActsInOwnFrame) {
  Thing T = NewThing(0);
  TranslateThing(T, 1, 2, 3);
  RotThing(T, 90, 'z');
  const float want[4][4] = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 2, 3, 1}};
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_NEAR(T->Q[i][j], want[i][j], 1e-6) << i << j;
  // the other order: 30 degrees about X, then (0, 1, 0) moves the origin to (0, cos 30, sin 30)
  SetQToIdentity(T->Q);
  RotThing(T, 30, 'X');
  TranslateThing(T, 0, 1, 0);
  const double o[3] = {0, 0, 0}, ez[3] = {0, 0, 1};
  double q[3];
  Apply(T, o, q);
  EXPECT_NEAR(q[0], 0, 1e-6);  EXPECT_NEAR(q[1], 0.8660254, 1e-6);  EXPECT_NEAR(q[2], 0.5, 1e-6);
  // y by 90 degrees takes z to x; an unknown axis changes nothing
  SetQToIdentity(T->Q);
  RotThing(T, 90, 'y');
  RotThing(T, 45, 'q');
  Apply(T, ez, q);
  EXPECT_NEAR(q[0], 1, 1e-6);  EXPECT_NEAR(q[1], 0, 1e-6);  EXPECT_NEAR(q[2], 0, 1e-6);
  DestroyThing(T);
  DestroyThing(nullptr);
}

//------------------------------------------------------------------ builders

// 2 x 1 x 0.8: t = 0.12, legs 0.144 square; the top spans 0.68 .. 0.8, the legs 0 .. 0.68
TEST(Things, TableTopAtHeightAndLegsAtCorners) {
  Thing T = DefTable(2, 1, 0.8f, 0xffc0c0c0);
  ASSERT_EQ(T->np, 5);
  ExpectBox(Bounds(T), -1, 1, -0.5, 0.5, 0, 0.8);
  ExpectBox(Bounds(T, 0, 1), -1, 1, -0.5, 0.5, 0.68, 0.8);
  ExpectBox(Bounds(T, 1, 2), 1 - 0.144, 1, 0.5 - 0.144, 0.5, 0, 0.68);
  DestroyThing(T);
}

// L = 3, W = 1, H = 0.5: r = ceil(2) + 2 = 4 frames, 21 solids; t = 0.07, a = 0.035,
// belt end radius 0.0325 centred at height 0.465
TEST(Things, ConveyorFramesRailsAndBelt) {
  Thing T = DefConveyor(3, 1, 0.5f, 0xff00ffff);
  ASSERT_EQ(T->np, 21);
  ExpectBox(Bounds(T), 0, 1, 0, 3, 0, 0.5);
  ExpectBox(Bounds(T, 0, 1), 0, 0.035, 0.035, 0.105, 0, 0.43);          // first post
  ExpectBox(Bounds(T, 15, 16), 0.035, 0.965, 2.895, 2.965, 0.07, 0.105);  // last low bar
  ExpectBox(Bounds(T, 18, 19), 0.035, 0.965, 0, 0.0325, 0.4325, 0.4975);  // near belt end
  ExpectBox(Bounds(T, 19, 20), 0.035, 0.965, 2.9675, 3, 0.4325, 0.4975);  // far belt end
  ExpectBox(Bounds(T, 20, 21), 0.035, 0.965, 0.0325, 2.9675, 0.4325, 0.4975);
  for (int p = 18; p < 21; p++) EXPECT_EQ(T->P[p]->U[0]->color, 0xff3b472eUL);
  EXPECT_EQ(T->P[17]->U[0]->color, 0xff00ffffUL);
  DestroyThing(T);
}

// a zero height or a negative length (a hostile file) gives the two end frames, not a
// division by zero or a runaway count
TEST(Things, ConveyorDegenerateSizesStayBounded) {
  Thing T = DefConveyor(3, 1, 0, 0xff00ffff);
  EXPECT_EQ(T->np, 13);
  DestroyThing(T);
  T = DefConveyor(-4, 1, 1, 0xff00ffff);
  EXPECT_EQ(T->np, 13);
  DestroyThing(T);
  T = DefConveyor(50, 1, 1e-9f, 0xff00ffff);
  EXPECT_EQ(T->np, 4*ConveyorMaxFrames + 5);
  DestroyThing(T);
}

TEST(Things, PlateCylindersPalletBattery) {
  Thing T = DefSurface(2, 1, 0, 0xffffffff);  // thickness 0.12 resting on its base
  ASSERT_EQ(T->np, 1);
  ExpectBox(Bounds(T), -1, 1, -0.5, 0.5, 0, 0.12);
  DestroyThing(T);

  T = DefPeg(0.4f, 1, 0xff0000ff);  // 16 sides: corners on both axes
  ASSERT_EQ(T->np, 1);
  ExpectBox(Bounds(T), -0.2, 0.2, -0.2, 0.2, 0.02, 1.02);
  DestroyThing(T);

  // 26 sides: corners on x, the nearest to y at 6 x 360/26 degrees
  T = DefFuselage(0.5f, 0.3f, 2, 0xffff0000);
  ASSERT_EQ(T->np, 1);
  double ymax = 0.5*sin(6*2*M_PI/26);
  ExpectBox(Bounds(T), -0.5, 0.5, -ymax, ymax, 0.02, 2.02);
  DestroyThing(T);

  // 1.2 x 0.8 x 0.15: boards 0.015 thick, the side blocks flush with the edges
  T = DefPallet(1.2f, 0.8f, 0.15f, 0xff00ff00);
  ASSERT_EQ(T->np, 5);
  ExpectBox(Bounds(T), -0.6, 0.6, -0.4, 0.4, 0, 0.15);
  ExpectBox(Bounds(T, 1, 2), -0.6, 0.6, -0.4, 0.4, 0.135, 0.15);
  DestroyThing(T);

  // size 2: bodies 2.44 x 1.28, lower up to 0.44, upper to 2, terminals to 2.18 at x = +-0.854
  T = DefBattery(2, 0xffc0c0c0, 0xff0000ff);
  ASSERT_EQ(T->np, 4);
  ExpectBox(Bounds(T), -1.22, 1.22, -0.64, 0.64, 0, 2.18);
  ExpectBox(Bounds(T, 0, 1), -1.22, 1.22, -0.64, 0.64, 0, 0.44);
  ExpectBox(Bounds(T, 2, 3), 0.854 - 0.14, 0.854 + 0.14, -0.14, 0.14, 2, 2.18);
  EXPECT_EQ(T->P[0]->U[0]->color, 0xff0000ffUL);
  EXPECT_EQ(T->P[3]->U[0]->color, 0xff212429UL);
  DestroyThing(T);
}
