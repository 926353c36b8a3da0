// test_collisions.cpp -- covers src/gui/view/collisions.cpp: what the user sees of a touch in
// the Puma560 cell (red bodies, the message line, the clearance) and the Setting System switch
#include <gtest/gtest.h>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Output.H>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "robot/app_state.h"
#include "gui/export/analysis_wins.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/menu_codes.h"
#include "gui/traj/traj_panels.h"
#include "gui/view/collisions.h"
#include "gui_window.h"
#include "kin/ikp.h"
#include "load/robot_load.h"
#include "scene/workspace.h"
#include "scene/workspace_file.h"
#include "support/data_copy.h"
#include "traj/traj_plot.h"

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

// the Puma560's arc with an obstacle on it: "Solve all" gives the plot a clearance panel
// whose touching points are those of clearance 0 or less; playback then names, once, the
// first touching point the plot shows, and keeps that line while later points touch too
TEST(Collisions, PlotCurveAndPlaybackReport) {
  EnsureMainWindow();
  std::string dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  const float at[3] = {5.07f, -0.77f, 3.36f};
  float pos0[3], info0[3], radius0 = Radius[0];   // put back at the end for later tests
  for (int k = 0; k < 3; k++) pos0[k] = Obstacle_pos[0][k], info0[k] = Obstacle_info[0][k];
  for (int k = 0; k < 3; k++) Obstacle_pos[0][k] = Obstacle_info[0][k] = at[k];
  Radius[0] = 0.4f;
  ShowObstacle[0] = 1;
  SetCollisionsSwitch(-1);
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.arc");
  RunMenu(MENU_PLOT);
  traj_plot_solve_cb(nullptr, nullptr);
  UpdateTrajPlot();
  const TrajPlot* p = TrajPlotData();
  ASSERT_EQ(p->ntp, 80);
  ASSERT_TRUE(TrajPlotHasClearance(p));
  PlotFrame fj, fk, fc;
  TrajPlotLayout(p, 600, 500, &fj, &fk, &fc);
  EXPECT_GT(fk.h, 0);
  EXPECT_GT(fk.y, fj.y + fj.h);
  EXPECT_GT(fc.y, fk.y + fk.h);
  int first = -1, touching = 0;
  for (int i = 0; i < p->ntp; i++) {
    ASSERT_FALSE(isnan(p->clear[i])) << i;
    EXPECT_EQ(p->touch[i] != 0, p->clear[i] <= 0) << i << " " << p->clear[i];
    touching += p->touch[i];
    if (p->touch[i] && first < 0) first = i;
  }
  EXPECT_GT(first, 0);                 // free at the start, touching on the way
  EXPECT_LT(touching, p->ntp - first); // and free again before the end

  ClearMessage();
  cart_traj_fwd->do_callback();
  for (int k = 0; k < 200 && CartTraj_ani_fwd; k++) {
    Tick();
    if (CT.ctp > first + 3 && CT.ctp < first + 6) {
      char want[32];
      snprintf(want, sizeof(want), "Point %d: ", first);
      EXPECT_EQ(strncmp(MessageText(), want, strlen(want)), 0) << MessageText();
      EXPECT_NE(strstr(MessageText(), " touches Obstacle 1"), nullptr) << MessageText();
    }
  }
  EXPECT_FALSE(CartTraj_ani_fwd);
  EXPECT_EQ(strncmp(MessageText(), "Point ", 6), 0) << MessageText();   // kept at the end

  // the check off: no clearance is measured
  SetCollisionsSwitch(0);
  UpdateTrajPlot();
  EXPECT_FALSE(TrajPlotHasClearance(p));
  SetCollisionsSwitch(-1);
  ShowObstacle[0] = 0;
  for (int k = 0; k < 3; k++) Obstacle_pos[0][k] = pos0[k], Obstacle_info[0][k] = info0[k];
  Radius[0] = radius0;
  traj_plot_win->hide();
  cart_traj_win->hide();
  Tick();
  UnloadRobot();
  LeaveDataCopy(dir);
}

// "Avoid obstacles" hands the current robot's model to the redundant solver, follows a new
// load, and takes it back when switched off
TEST(Collisions, AvoidObstaclesSwitch) {
  EnsureMainWindow();
  std::string dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Redund7"), nullptr);
  ShowControl();
  EXPECT_EQ(avoid_obstacles->value(), 0);
  EXPECT_EQ(GetInvAvoid(), nullptr);
  avoid_obstacles->value(1);
  avoid_obstacles->do_callback();
  EXPECT_NE(GetInvAvoid(), nullptr);
  EXPECT_EQ(GetCollideAvoid(), CurrentCollideModel());
  ASSERT_NE(NewRobot("Redund7"), nullptr);
  EXPECT_EQ(GetCollideAvoid(), CurrentCollideModel());
  EXPECT_NE(GetInvAvoid(), nullptr);
  avoid_obstacles->value(0);
  avoid_obstacles->do_callback();
  EXPECT_EQ(GetInvAvoid(), nullptr);
  control_win->hide();
  UnloadRobot();
  CurrentCollideModel();   // drops the model of the unloaded robot
  LeaveDataCopy(dir);
}
