// test_robot_load.cpp -- covers src/load/robot_load.cpp and src/base/message.cpp
#include <gtest/gtest.h>

#include <string>

#include "robot/app_state.h"
#include "base/message.h"
#include "load/robot_load.h"
#include "support/data_copy.h"
#include "scene/workspace.h"

static std::string heard;   // every message the callback received, kind-tagged
static void Listen(int kind, const char* text) {
  heard += (kind == MsgWarning ? "W:" : "T:");
  heard += text;
}

// the Puma560 sample: home values are the file's th; a broken file then leaves no robot, no
// configurations, no trajectories and the first work-environment object selected
TEST(LoadRobotRecords, ReplacesThenFailsToNothing) {
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  heard.clear();
  SetMessageCallback(Listen);
  ASSERT_NE(LoadRobotRecords("Puma560"), nullptr);
  ASSERT_EQ(R->n, 6);
  const float th[6] = {0, -30, 20, 0, 0, 0};   // from data/Arch/Puma560
  for (int i = 0; i < 3; i++) EXPECT_FLOAT_EQ(JC->q[i], th[i]);
  EXPECT_NE(CC, nullptr);
  EXPECT_NEAR(scale, 4.0*R->avg_len, 1e-9);
  EXPECT_NE(heard.find("T:The robot type selected is"), std::string::npos);

  JT.active = 1;  JT.ntp = 0;  CT.active = 1;  CT.ntp = 0;
  workspace_number = 7;  Workspace_ID = 4;  coord_id = 3;
  ASSERT_EQ(WriteTextFile("Arch/Broken", "geomtype = up\n{ a = 1 b = \n"), 0);
  heard.clear();
  EXPECT_EQ(LoadRobotRecords("Broken"), nullptr);
  EXPECT_EQ(R, nullptr);  EXPECT_EQ(JC, nullptr);  EXPECT_EQ(CC, nullptr);
  EXPECT_EQ(JT.active, 0);  EXPECT_EQ(CT.active, 0);
  EXPECT_EQ(workspace_number, 1);  EXPECT_EQ(Workspace_ID, 0);  EXPECT_EQ(coord_id, -1);
  EXPECT_NE(heard.find("W:"), std::string::npos) << heard;   // the reader said why

  heard.clear();
  EXPECT_EQ(LoadRobotRecords("NoSuchRobot"), nullptr);
  EXPECT_EQ(heard, "W:Unable to open file `Arch/NoSuchRobot'\n");
  SetMessageCallback(nullptr);
  LeaveDataCopy(dir);
}

// without a callback the words go to their streams unchanged; a long text is cut, not overrun
TEST(VmMessage, DefaultStreamsAndLongText) {
  testing::internal::CaptureStderr();
  VmMessage(MsgWarning, "Unable to open file `%s'\n", "x");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to open file `x'\n");
  heard.clear();
  SetMessageCallback(Listen);
  std::string big(5000, 'a');
  VmMessage(MsgTrace, "%s", big.c_str());
  EXPECT_EQ(heard.size(), 2u + MSG_TEXT_MAX - 1);
  SetMessageCallback(nullptr);
}
