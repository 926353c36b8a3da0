// test_workspace_things.cpp -- covers src/scene/workspace_things.cpp: a kept thing is drawn
// while its object is unchanged, and an edit gives a rebuilt thing at once
#include <gtest/gtest.h>

#include <math.h>

#include "graphics/primitives.h"
#include "scene/workspace_things.h"
#include "scene/workspace.h"

// highest vertex of a thing
static double TopZ(Thing T) {
  double z = -1e30;
  for (int p = 0; p < T->np; p++)
    for (int u = 0; u < T->P[p]->nu; u++)
      for (int v = 0; v < T->P[p]->U[u]->nv; v++) z = fmax(z, T->P[p]->U[u]->V[4*v + 2]);
  return z;
}

// a table 6 x 6 x 3.5 has its top at 3.5; raising it to 5 moves the top on the next call;
// turning it into a pallet or recolouring it rebuilds too; other objects are left alone
TEST(WorkspaceThings, KeptUntilTheObjectChanges) {
  ResetWorkspaceObject(0);  ResetWorkspaceObject(1);
  ws_object_info[0][0] = 6;  ws_object_info[0][1] = 6;  ws_object_info[0][2] = 3.5f;
  Thing a = WorkspaceThing(0);
  ASSERT_NE(a, nullptr);
  EXPECT_NEAR(TopZ(a), 3.5, 1e-5);
  EXPECT_EQ(WorkspaceThing(0), a);
  Thing other = WorkspaceThing(1);
  ws_object_info[0][2] = 5;
  Thing b = WorkspaceThing(0);
  EXPECT_NEAR(TopZ(b), 5.0, 1e-5);
  WorkspaceColor[0] = WorkspaceColorValue[3];
  Thing c = WorkspaceThing(0);
  EXPECT_EQ(WorkspaceThing(0), c);
  WorkspaceType[0] = 99;                       // no such type: nothing to draw
  EXPECT_EQ(WorkspaceThing(0), nullptr);
  EXPECT_EQ(WorkspaceThing(1), other);
  EXPECT_EQ(WorkspaceThing(-1), nullptr);
  EXPECT_EQ(WorkspaceThing(WS_MAX), nullptr);
  FreeWorkspaceThings();
}
