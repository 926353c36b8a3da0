// test_workspace.cpp -- covers src/scene/workspace_file.cpp and src/scene/coordi_trans.cpp
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "robot/app_state.h"
#include "scene/coordi_trans.h"
#include "support/data_copy.h"
#include "scene/workspace.h"
#include "scene/workspace_file.h"

class WorkspaceFiles : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = EnterDataCopy(0);
    ASSERT_FALSE(dir.empty());
    for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
    ResetWorkspace();
    SetWorkspaceReference(WS_REF_CENTRE);
  }
  void TearDown() override { LeaveDataCopy(dir); }
  // read text as Workspace/t; the result, with what was said on stderr
  int ReadText(const std::string& text, std::string* err) {
    WriteTextFile("Workspace/t", text);
    testing::internal::CaptureStderr();
    int rc = ReadWorkspace("t");
    *err = testing::internal::GetCapturedStderr();
    return rc;
  }
};

static const char* kObject = " Table\n 0\n 0\n 0\n 1\n 1\n 1\n Grey\n 0\n 0\n 0\n 1\n";

// one visible grey 2 x 1 x 0.8 table at the origin: the 13 lines written out by hand
TEST_F(WorkspaceFiles, WriterLayoutAndRoundTrip) {
  ShowWorkspace[0] = 1;
  ws_object_info[0][0] = 2;  ws_object_info[0][1] = 1;  ws_object_info[0][2] = 0.8f;
  ASSERT_EQ(WriteWorkspace("cell"), 0);
  const char* z = "     0.000000\n";
  EXPECT_EQ(ReadTextFile("Workspace/cell"),
            std::string(" 1\n     Table\n") + z + z + z + "     2.000000\n     1.000000\n"
            "     0.800000\n     Grey\n" + z + z + z + "     1\n");
  ResetWorkspaceObject(0);
  workspace_number = 4;
  ASSERT_EQ(ReadWorkspace("cell"), 0);
  EXPECT_EQ(workspace_number, 1);
  EXPECT_EQ(ShowWorkspace[0], 1);  EXPECT_EQ(WorkspaceType[0], WS_TABLE);
  EXPECT_EQ(WorkspaceColor[0], 0xffc0c0c0UL);
  EXPECT_FLOAT_EQ(ws_object_info[0][0], 2);  EXPECT_FLOAT_EQ(ws_object_info[0][2], 0.8f);

  // a red surface 3 x 2: its width is kept, its unused height written as 0
  workspace_number = 2;
  WorkspaceType[1] = WS_SURFACE;  WorkspaceColor[1] = 0xff0000ffUL;
  ws_object_pos[1][0] = 1.5f;  ws_object_info[1][0] = 3;  ws_object_info[1][1] = 2;
  WorkspaceAngle[1][2] = -30;
  ASSERT_EQ(WriteWorkspace("cell"), 0);
  std::string text = ReadTextFile("Workspace/cell");
  EXPECT_NE(text.find("     Surface\n     1.500000\n     0.000000\n     0.000000\n     3.000000\n"
                      "     2.000000\n     0.000000\n     Red\n     0.000000\n     0.000000\n"
                      "     -30.000000\n     0\n"), std::string::npos) << text;
}

// one object of every kind, every field distinct, through a save and a load: each field as
// it was (a Surface's unused height as 0), the count too
TEST_F(WorkspaceFiles, EveryKindRoundTrips) {
  workspace_number = WS_TYPES;
  for (int i = 0; i < WS_TYPES; i++) {
    WorkspaceType[i] = WS_TABLE + i;
    WorkspaceColor[i] = WorkspaceColorValue[i % WS_COLORS];
    ShowWorkspace[i] = i % 2;
    for (int k = 0; k < 3; k++) {
      ws_object_pos[i][k] = -4.25f + i + 0.5f*k;
      ws_object_info[i][k] = 1.5f + i + 0.25f*k;
      WorkspaceAngle[i][k] = 10.0f*i - 15*k;
    }
  }
  ASSERT_EQ(WriteWorkspace("every"), 0);
  for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
  workspace_number = 1;
  ASSERT_EQ(ReadWorkspace("every"), 0);
  EXPECT_EQ(workspace_number, WS_TYPES);
  for (int i = 0; i < WS_TYPES; i++) {
    SCOPED_TRACE(WorkspaceKindName(WS_TABLE + i));
    EXPECT_EQ(WorkspaceType[i], WS_TABLE + i);
    EXPECT_EQ(WorkspaceColor[i], WorkspaceColorValue[i % WS_COLORS]);
    EXPECT_EQ(ShowWorkspace[i], i % 2);
    for (int k = 0; k < 3; k++) {
      EXPECT_FLOAT_EQ(ws_object_pos[i][k], -4.25f + i + 0.5f*k);
      float info = WS_TABLE + i == WS_SURFACE && k == 2 ? 0 : 1.5f + i + 0.25f*k;
      EXPECT_FLOAT_EQ(ws_object_info[i][k], info) << k;
      EXPECT_FLOAT_EQ(WorkspaceAngle[i][k], 10.0f*i - 15*k);
    }
  }
}

// unknown names keep the entry's value; dimensions get the dialog's clamps to [0, 50]
TEST_F(WorkspaceFiles, UnknownNamesAndClamps) {
  WorkspaceType[0] = WS_CONVEYOR;  WorkspaceColor[0] = 0xffff0000UL;
  std::string err;
  ASSERT_EQ(ReadText("1 Chair 1 2 3 60 -5 6 Purple 0 0 45 7", &err), 0);
  EXPECT_EQ(WorkspaceType[0], WS_CONVEYOR);  EXPECT_EQ(WorkspaceColor[0], 0xffff0000UL);
  EXPECT_FLOAT_EQ(ws_object_pos[0][2], 3);  EXPECT_FLOAT_EQ(WorkspaceAngle[0][2], 45);
  EXPECT_FLOAT_EQ(ws_object_info[0][0], 50);  EXPECT_FLOAT_EQ(ws_object_info[0][1], 0);
  EXPECT_EQ(ShowWorkspace[0], 1);
  EXPECT_NE(err.find("unknown type `Chair'"), std::string::npos) << err;
  EXPECT_NE(err.find("unknown colour `Purple'"), std::string::npos) << err;
}

// broken files are refused with one message and the environment stays as it was
TEST_F(WorkspaceFiles, BrokenFilesKeepTheEnvironment) {
  workspace_number = 2;  ShowWorkspace[0] = 1;  ws_object_pos[0][0] = 7;  coord_id = 1;
  std::string one = kObject, name(100, 'A');
  struct { std::string text, said; } cases[] = {
    {"1001\n" + one, "line 1: the object count `1001' is not 1 to 1000"},
    {"-1\n" + one, "count `-1'"},  {"0\n", "count `0'"},  {"", "no object count"},
    {" 2\n" + one + " Table\n 1\n", "line 15: the file ends in object 2 of 2"},
    {" 1\n Table\n 0\n abc\n", "line 4: `abc' is not a number"},
    {" 1\n Table\n nan\n", "`nan' is not a number"},
    {" 1\n " + name + "\n", "line 2: a word longer than 63 characters"},
    {" 1 Table 0 0 0 1 1 1 Grey 0 0 0 yes", "`yes' is not a visibility flag"},
  };
  for (auto& c : cases) {
    std::string err;
    EXPECT_EQ(ReadText(c.text, &err), -1) << c.said;
    EXPECT_NE(err.find(c.said), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one message: " << err;
    EXPECT_EQ(workspace_number, 2);  EXPECT_EQ(coord_id, 1);
    EXPECT_EQ(ShowWorkspace[0], 1);  EXPECT_FLOAT_EQ(ws_object_pos[0][0], 7);
  }
}

// typed names that cannot be a listed file in "Workspace" are refused before any writing;
// a failed write is reported
TEST_F(WorkspaceFiles, FileNamesAndFailedWrites) {
  testing::internal::CaptureStderr();
  std::string bad[] = {"", "a/b", ".hidden", "cell~", "cell.CKP", std::string(246, 'n')};
  for (auto& b : bad) EXPECT_EQ(WriteWorkspace(b.c_str()), -1) << b;
  EXPECT_EQ(ReadWorkspace("../Arch/x"), -1);
  mkdir("Workspace/taken", 0755);
  EXPECT_EQ(WriteWorkspace("taken"), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unable to write file `Workspace/taken'"), std::string::npos) << err;
  EXPECT_EQ(ListFiles("Workspace"), "taken\n");
  EXPECT_EQ(WriteWorkspace(std::string(245, 'n').c_str()), 0);
  EXPECT_TRUE(workspace_fill_match("cell.v2"));
  EXPECT_FALSE(workspace_fill_match(".cell"));  EXPECT_FALSE(workspace_fill_match("cell~"));
  EXPECT_FALSE(workspace_fill_match("cell.CKP"));
}

// the object count is 1 to 1000 inclusive; a type or colour word with a NUL byte after a
// known name is no known name (the object keeps its own)
TEST_F(WorkspaceFiles, CountEdgesAndNulInAName) {
  std::string err, many;
  for (int i = 0; i < 1000; i++) many += kObject;
  EXPECT_EQ(ReadText(" 1000\n" + many, &err), 0) << err;
  EXPECT_EQ(workspace_number, 1000);
  EXPECT_EQ(ReadText(" 1001\n" + many + kObject, &err), -1);
  EXPECT_NE(err.find("the object count `1001' is not 1 to 1000"), std::string::npos) << err;
  EXPECT_EQ(workspace_number, 1000);
  for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
  std::string nul(" 1\n Surface\0x\n 0\n 0\n 0\n 1\n 1\n 1\n Red\0\n 0\n 0\n 0\n 1\n", 50);
  EXPECT_EQ(ReadText(nul, &err), 0) << err;
  EXPECT_EQ(WorkspaceType[0], WS_TABLE);
  EXPECT_EQ(WorkspaceColor[0], WorkspaceColorValue[1]);
  EXPECT_NE(err.find("unknown type `Surface'"), std::string::npos) << err;
  EXPECT_NE(err.find("unknown colour `Red'"), std::string::npos) << err;
}

// the table of pivots, for a 4 x 2 x 3 object: a Surface lies at its own base whatever its
// height, a Table stands on its height; E1 and E2 move both to the near corners
TEST_F(WorkspaceFiles, PivotsOfSurfaceAndTable) {
  const float want[2][3][3] = {{{0, 0, 0}, {-2, -1, 0}, {2, -1, 0}},    // Surface
                               {{0, 0, 3}, {-2, -1, 3}, {2, -1, 3}}};   // Table
  const int type[2] = {WS_SURFACE, WS_TABLE};
  const int ref[3] = {WS_REF_CENTRE, WS_REF_E1, WS_REF_E2};
  ws_object_info[0][0] = 4;  ws_object_info[0][1] = 2;  ws_object_info[0][2] = 3;
  for (int t = 0; t < 2; t++)
    for (int r = 0; r < 3; r++) {
      WorkspaceType[0] = type[t];
      SetWorkspaceReference(ref[r]);
      float o[3];
      WorkspacePivot(0, o);
      for (int k = 0; k < 3; k++) EXPECT_EQ(o[k], want[t][r][k]) << t << " " << r << " " << k;
    }
}

// hand-computed: r' = Rx(a0) Ry(a1) Rz(a2) r + reference point
TEST_F(WorkspaceFiles, CoordiTransIntoObjects) {
  CartesianConfigRec pts[2] = {};
  CT.CC = pts;  CT.ntp = 2;
  auto Load = [&](double x0, double y0, double z0, double x1, double y1, double z1) {
    pts[0].r[0] = x0;  pts[0].r[1] = y0;  pts[0].r[2] = z0;  pts[0].Q[0][0] = 1;
    pts[1].r[0] = x1;  pts[1].r[1] = y1;  pts[1].r[2] = z1;
  };
  auto Expect = [&](int k, double x, double y, double z) {
    EXPECT_NEAR(pts[k].r[0], x, 1e-6);  EXPECT_NEAR(pts[k].r[1], y, 1e-6);
    EXPECT_NEAR(pts[k].r[2], z, 1e-6);
  };
  workspace_number = 3;
  // table 2 x 1 x 0.8 at (1, 2, 0.5) turned 90 about z then 90 about x; E1: corner (0, 1.5, 1.3)
  ws_object_pos[0][0] = 1;  ws_object_pos[0][1] = 2;  ws_object_pos[0][2] = 0.5f;
  ws_object_info[0][0] = 2;  ws_object_info[0][2] = 0.8f;
  WorkspaceAngle[0][0] = 90;  WorkspaceAngle[0][2] = 90;
  SetWorkspaceReference(WS_REF_E1);
  Load(1, 0, 0, 0, 0, 2);
  EXPECT_EQ(Coordi_Trans(0), 2);
  Expect(0, 0, 1.5, 2.3);  Expect(1, 0, -0.5, 1.3);
  EXPECT_EQ(pts[0].Q[0][0], 1);  EXPECT_EQ(pts[1].Q[0][0], 0);
  // conveyor 6 long (y), 2 wide (x), 1.5 high at (1, 2, 0); E2: corner (3, 2, 1.5)
  WorkspaceType[1] = WS_CONVEYOR;
  ws_object_pos[1][0] = 1;  ws_object_pos[1][1] = 2;
  ws_object_info[1][0] = 6;  ws_object_info[1][1] = 2;  ws_object_info[1][2] = 1.5f;
  SetWorkspaceReference(WS_REF_E2);
  Load(0.5, -1, 2, 0, 0, 0);
  Coordi_Trans(1);
  Expect(0, 3.5, 1, 3.5);  Expect(1, 3, 2, 1.5);
  // cylinder 3 long at (-1, 4, 2) turned 90 about y; E2: its base, C: its top
  WorkspaceType[2] = WS_SOLID_CYLINDER;
  ws_object_pos[2][0] = -1;  ws_object_pos[2][1] = 4;  ws_object_pos[2][2] = 2;
  ws_object_info[2][0] = 3;  WorkspaceAngle[2][1] = 90;
  Load(1, 0, 0, 0, 0, 1);
  Coordi_Trans(2);
  Expect(0, -1, 4, 1);  Expect(1, 0, 4, 2);
  SetWorkspaceReference(WS_REF_CENTRE);
  Load(1, 0, 0, 0, 0, 1);
  Coordi_Trans(2);
  Expect(0, -1, 4, 4);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Coordi_Trans(3), -1);
  testing::internal::GetCapturedStderr();
  CT.CC = nullptr;  CT.ntp = 0;
}

// the shipped cell for the Puma560 loads whole
TEST(WorkspaceSample, Puma560CellLoads) {
  std::string dir = EnterDataCopy(1);
  EXPECT_EQ(ReadWorkspace("Puma560_cell"), 0);
  EXPECT_EQ(workspace_number, 9);
  for (int i = 0; i < workspace_number; i++) EXPECT_EQ(ShowWorkspace[i], 1) << i;
  LeaveDataCopy(dir);
}
