// test_traj_plot.cpp -- covers src/traj/traj_plot.cpp, src/traj/plot_frame.cpp and the SVG writer
// headless: ticks, gaps of an unsolved Cartesian path, a refused point staying a gap
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "support/data_copy.h"
#include "traj/traj_file.h"
#include "traj/traj_plot.h"
#include "traj/traj_plot_draw.h"

// steps of 1, 2, 5 x 10^k: 0..2 in 3 ticks by 1, -225..45 in 7 by 50, 0..1 in 6 by 0.2
TEST(PlotTicks, NiceSteps) {
  double t[8];
  ASSERT_EQ(PlotTicks(0, 2, 3, t), 3);
  EXPECT_EQ(t[0], 0);  EXPECT_EQ(t[2], 2);
  ASSERT_EQ(PlotTicks(-225, 45, 7, t), 5);
  EXPECT_EQ(t[0], -200);  EXPECT_EQ(t[4], 0);
  ASSERT_EQ(PlotTicks(0, 1, 6, t), 6);
  EXPECT_NEAR(t[5], 1, 1e-12);
  char s[16];
  PlotTickText(s, sizeof s, 3*0.2, 0.2);
  EXPECT_STREQ(s, "0.6");
  PlotTickText(s, sizeof s, -1e-17, 0.2);
  EXPECT_STREQ(s, "0.0");
  EXPECT_EQ(PlotTicks(1, 1, 5, t), 0);
}

// the arc's points start unsolved (gaps); point 3 moved out of reach is refused by "Solve
// all" and stays a gap between solved neighbours, in the data and in the SVG path
TEST(TrajPlot, RefusedPointStaysAGap) {
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  testing::internal::CaptureStdout();
  Robot r = ReadRobot("Puma560");
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  CartesianTrajectory t = {};
  ASSERT_EQ(LoadCartesianTrajectory(r, "Puma560.arc", &t), 0);
  testing::internal::GetCapturedStdout();
  TrajPlot* p = NewTrajPlot();
  EXPECT_EQ(TrajPlotSync(p, r, nullptr, &t), 1);
  ASSERT_EQ(p->ntp, t.ntp);
  for (int i = 0; i < p->ntp; i++) ASSERT_EQ(p->have[i], 0);
  for (int k = 0; k < 3; k++) t.CC[3].r[k] = 100;
  float home1 = jc->q[1];
  EXPECT_EQ(SolveTrajForPlot(r, jc, &t), 1);
  EXPECT_EQ(jc->q[1], home1);                 // the robot did not move
  for (int j = 0; j < 6; j++) EXPECT_EQ(t.JC[3].q[j], -1.0f);
  EXPECT_EQ(TrajPlotSync(p, r, nullptr, &t), 1);
  EXPECT_EQ(p->have[2], 1);  EXPECT_EQ(p->have[3], 0);  EXPECT_EQ(p->have[4], 1);
  EXPECT_EQ(p->rcond[3], 0.0);
  EXPECT_EQ(TrajPlotSync(p, r, nullptr, &t), 0);   // nothing changed since
  // two runs per joint curve: points 0..2, then 4..last
  char* text = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&text, &size);
  ASSERT_EQ(PutTrajPlotSvg(f, p, 600, 500), 0);
  fclose(f);
  std::string svg(text, size);
  free(text);
  size_t at = svg.find("id=\"q1\"");
  ASSERT_NE(at, std::string::npos);
  std::string d = svg.substr(at, svg.find("/>", at) - at);
  int moves = 0, lines = 0;
  for (char c : d) { moves += c == 'M';  lines += c == 'L'; }
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(lines, t.ntp - 1 - 2);
  FreeTrajPlot(p);
  ClearCartesianTrajectory(&t);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  LeaveDataCopy(dir);
}
