// test_workspace_edit.cpp -- covers src/scene/workspace_edit.cpp, src/scene/obstacles.cpp and the undo of
// src/scene/coordi_trans.cpp without windows
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include "robot/app_state.h"
#include "scene/coordi_trans.h"
#include "graphics/primitives.h"
#include "scene/obstacles.h"
#include "support/data_copy.h"
#include "scene/workspace.h"
#include "scene/workspace_edit.h"

// a table 1 high at the origin turned 90 degrees about x: (0, 1, 0) turns to (0, 0, 1) and
// rises onto the top, (0, 0, 2). A path replaced while the frame is on (a new allocation) is
// not "taken back" when the frame goes; dropping the frame's object removes the frame
TEST(WorkspaceEdit, UserFrameUndoesOnlyWhatItMoved) {
  for (int i = 0; i < 3; i++) ResetWorkspaceObject(i);
  ResetWorkspace();
  SetWorkspaceReference(WS_REF_CENTRE);
  workspace_number = 3;
  WorkspaceAngle[0][0] = 90;
  CartesianConfigRec a, b;
  memset(&a, 0, sizeof(a));  memset(&b, 0, sizeof(b));
  a.r[1] = 1;
  CT.CC = &a;  CT.ntp = 1;
  EXPECT_EQ(ToggleUserFrame(0), 0);
  EXPECT_NEAR(a.r[0], 0, 1e-7);  EXPECT_NEAR(a.r[1], 0, 1e-7);  EXPECT_NEAR(a.r[2], 2, 1e-7);
  b.r[0] = 5;
  CT.CC = &b;
  EXPECT_EQ(ToggleUserFrame(0), -1);
  EXPECT_EQ(b.r[0], 5);  EXPECT_EQ(b.r[1], 0);  EXPECT_EQ(b.r[2], 0);

  EXPECT_EQ(ToggleUserFrame(2), 2);
  EXPECT_EQ(SetWorkspaceTotal(2), 2);
  EXPECT_EQ(coord_id, -1);
  EXPECT_EQ(SetWorkspaceTotal(-3), 1);
  CT.CC = nullptr;  CT.ntp = 0;
}

// the load list: no hidden, backup or checkpoint names, sorted
TEST(WorkspaceEdit, FileListFiltersAndSorts) {
  std::string dir = EnterDataCopy(0);
  for (const char* n : {"b", "a", ".x", "c~", "d.CKP"})
    WriteTextFile(std::string("Workspace/") + n, "");
  char** names;
  int n = WorkspaceFileList(&names);
  ASSERT_EQ(n, 2);
  EXPECT_STREQ(names[0], "a");  EXPECT_STREQ(names[1], "b");
  FreeWorkspaceFileList(names, n);
  LeaveDataCopy(dir);
}

// numbers clamp to 1..4; the influence sphere is Radius (1 + SOI) and leaves the others alone
TEST(Obstacles, NumbersAndSpheres) {
  EXPECT_EQ(ClampObstacleNumber(NAN), 1);
  EXPECT_EQ(ClampObstacleNumber(2.9), 2);
  EXPECT_EQ(ClampObstacleNumber(1e9), 4);
  Radius[3] = 2;  SOI[3] = 0.5f;
  RebuildObstacleSpheres(3);
  double m = 0;
  for (int u = 0; u < soi[3]->nu; u++)
    for (int k = 0; k < soi[3]->U[u]->nv; k++) {
      const float* v = soi[3]->U[u]->V + 4*k;
      m = fmax(m, sqrt(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]));
    }
  EXPECT_NEAR(m, 3.0, 1e-5);
  EXPECT_EQ(obs[0], nullptr);
  RebuildObstacleSpheres(3);            // the second build frees the first (ASan: no leak)
  Radius[3] = 1;  SOI[3] = 0.2f;
}
