// test_collisions.cpp -- covers src/gui/view/collisions.cpp: what the user sees of a touch in
// the Puma560 cell (red bodies, the message line, the clearance) and the Setting System switch
#include <gtest/gtest.h>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Output.H>

#include <stdlib.h>
#include <string.h>

#include "robot/app_state.h"
#include "gui/pose/pose_panels.h"
#include "gui/view/collisions.h"
#include "gui_window.h"
#include "robot/robot_load.h"
#include "scene/workspace.h"
#include "scene/workspace_file.h"
#include "support/data_copy.h"

// pixels of the highlight: strong red, little green or blue (of the cell only the battery
// terminals are red, so counts are compared with the same frame unchecked)
static int RedPixels() {
  int n = 0;
  for (int y = 0; y < 600; y += 3)
    for (int x = 0; x < 600; x += 3) {
      Rgb c = Pixel(x, y);
      if (c.r > 150 && c.g < 80 && c.b < 80) n++;
    }
  return n;
}

static void Pose(const float* q) {
  for (int i = 0; i < 6; i++) JC->q[i] = q[i];
  UpdateAll();
  DrawFrame();
}

// red pixels of the pose drawn with the check off
static int Unchecked(const float* q) {
  SetCollisionsSwitch(0);
  Pose(q);
  int n = RedPixels();
  SetCollisionsSwitch(-1);
  return n;
}

// the hand lowered through the table: bodies in red, the first pair on the message line, a
// clearance of 0 with its pair; turned away: no more red, the line cleared, a positive
// clearance; the switch turned off in the panel: nothing shown even where the arm touches
TEST(Collisions, CellTouchShownAndSwitchedOff) {
  EnsureMainWindow();
  std::string dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  ASSERT_EQ(ReadWorkspace("Puma560_cell"), 0);
  ResetCamera(scale);
  theta = -0.4;
  ShowInertialAxes = ShowEEAxes = 0;   // their x axes are red
  ShowCondit();
  const float hit[6] = {-15, -10, -20, 0, 60, 0}, away[6] = {180, -60, 60, 0, 30, 0};
  int hit0 = Unchecked(hit), away0 = Unchecked(away);

  Pose(hit);
  EXPECT_EQ(CollisionsSwitch(), 1);   // on, since the cell is shown
  EXPECT_GT(RedPixels(), hit0 + 200);
  EXPECT_NE(strstr(MessageText(), " touches "), nullptr) << MessageText();
  EXPECT_EQ(strncmp(MessageText(), "Link ", 5), 0) << MessageText();
  EXPECT_STREQ(clearance_value->value(), "0.0000");
  EXPECT_NE(strstr(clearance_pair->label(), ", "), nullptr);

  Pose(away);
  EXPECT_EQ(RedPixels(), away0);
  EXPECT_STREQ(MessageText(), "");
  EXPECT_GT(atof(clearance_value->value()), 0.5) << clearance_value->value();

  Pose(hit);
  ShowControl();
  EXPECT_EQ(check_collisions->value(), 1);
  check_collisions->value(0);
  check_collisions->do_callback();
  Pose(hit);
  EXPECT_EQ(RedPixels(), hit0);
  EXPECT_STREQ(MessageText(), "");
  EXPECT_STREQ(clearance_value->value(), "-");

  SetCollisionsSwitch(-1);
  ShowInertialAxes = ShowEEAxes = 1;
  control_win->hide();
  condit_win->hide();
  for (int i = 0; i < WS_MAX; i++) ShowWorkspace[i] = 0;
  UnloadRobot();
  LeaveDataCopy(dir);
}
