// test_analysis_wins.cpp -- covers the Export URDF dialog, the trajectory Plot window and the
// Conditioning Map window, driven through the menu, their widgets and mouse presses
#include <gtest/gtest.h>

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "base/export_name.h"
#include "gui/export/analysis_wins.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "gui/traj/traj_panels.h"
#include "gui_window.h"
#include "kin/ikp.h"
#include "base/message.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// a mouse press at (x, y) of widget w's window
static void Press(Fl_Widget* w, int x, int y) {
  Fl::e_x = x;  Fl::e_y = y;
  w->handle(FL_PUSH);
}

// the first line of a shell command's output
static std::string Output(const std::string& cmd) {
  FILE* p = popen(cmd.c_str(), "r");
  char line[256] = "";
  if (!p || !fgets(line, sizeof line, p)) line[0] = '\0';
  if (p) pclose(p);
  line[strcspn(line, "\n")] = '\0';
  return line;
}

class AnalysisWins : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    RouteCoreMessages();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    ASSERT_NE(NewRobot("Puma560"), nullptr);
    ClearMessage();
  }
  void TearDown() override {
    for (Fl_Window* w : {urdf_win, traj_plot_win, cond_map_win, cart_traj_win, joint_traj_win,
                         condit_win})
      if (w) w->hide();
    Tick();
    UnloadRobot();
    LeaveDataCopy(dir);
    SetMessageCallback(nullptr);
  }
};

// refused names leave no file; a good one writes a document a parser reads, with the six
// joints of the arm and the fixed tool joint
TEST_F(AnalysisWins, ExportUrdfWritesTheNamedFile) {
  RunMenu(MENU_EXPORT_URDF);
  ASSERT_TRUE(urdf_win->shown());
  EXPECT_STREQ(urdf_name->value(), "Puma560");
  const char* bad[][2] = {{"", "File name is empty"},
                          {".hidden", "File name must not begin with \".\""},
                          {"a/b", "File name must not contain \"/\""}};
  for (auto& b : bad) {
    urdf_name->value(b[0]);
    urdf_save_b->do_callback();
    EXPECT_STREQ(MessageText(), b[1]);
  }
  EXPECT_EQ(Output("ls -a | grep -c urdf"), "0");
  urdf_name->value("arm");
  urdf_save_b->do_callback();
  EXPECT_EQ(MessageText(), "URDF written to " + dir + "/arm.urdf");
  EXPECT_EQ(Output("xmllint --xpath 'count(//joint)' arm.urdf"), "7");
  EXPECT_EQ(Output("xmllint --xpath 'count(//joint[@type=\"fixed\"])' arm.urdf"), "1");
}

// a 3-point joint trajectory: the plot holds the file's values; a press over point 1 poses
// it as the slider does, 1/kappa there is the Conditioning window's; playback moves the
// cursor; the SVG holds one path per joint with three points each
TEST_F(AnalysisWins, PlotOfAJointTrajectory) {
  const float q[3][6] = {{0, 10, 20, 30, 40, 50}, {5, 15, 25, 35, 45, 55}, {-5, -15, 5, 0, 90, 1}};
  FILE* f = fopen("Jtraj/Puma560.three", "w");
  for (auto& p : q) fprintf(f, "%g %g %g %g %g %g\n", p[0], p[1], p[2], p[3], p[4], p[5]);
  fclose(f);
  RunMenu(MENU_JOINT_TRAJ);
  Select(joint_traj_select, "Puma560.three");
  RunMenu(MENU_PLOT);
  const TrajPlot* p = TrajPlotData();
  ASSERT_EQ(p->ntp, 3);  ASSERT_EQ(p->n, 6);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 6; j++) {
      EXPECT_EQ(p->q[i*6 + j], q[i][j]) << i << " " << j;
      EXPECT_EQ(p->have[i], 1);
    }
  EXPECT_EQ(p->cursor, -1);
  EXPECT_FALSE(traj_plot_solve_b->active());
  // the index axis runs 0..2 over the frame's width: point 1 is at its middle
  PlotFrame fj, fc;
  TrajPlotLayout(p, traj_plot_view->w(), traj_plot_view->h(), &fj, nullptr, &fc);
  Press(traj_plot_view, traj_plot_view->x() + fc.x + fc.w/2 + 3, traj_plot_view->y() + fc.y + 5);
  EXPECT_EQ(JT.ctp, 1);  EXPECT_EQ(p->cursor, 1);
  EXPECT_EQ(joint_traj_progress->value(), 1);
  for (int j = 0; j < 6; j++) EXPECT_EQ(JC->q[j], q[1][j]);
  RunMenu(MENU_CONDITIONING);
  EXPECT_NEAR(p->rcond[1], condit_value->value(), 1e-12);
  // playback from the start: the press poses point 0, each tick the next
  joint_traj_reset_cb(nullptr, nullptr);
  joint_traj_fwd->do_callback();
  EXPECT_EQ(p->cursor, 0);
  Tick();
  EXPECT_EQ(p->cursor, 1);
  Tick();
  EXPECT_EQ(p->cursor, 2);  EXPECT_EQ(JC->q[4], 90);
  // exports: a refused name, then a parsable SVG and a PNG of the view's size
  traj_plot_name->value("");
  traj_plot_svg_b->do_callback();
  EXPECT_STREQ(MessageText(), "File name is empty");
  traj_plot_name->value("three");
  traj_plot_svg_b->do_callback();
  EXPECT_EQ(MessageText(), "Plot written to " + dir + "/three.svg");
  EXPECT_EQ(system("xmllint --noout three.svg"), 0);
  const char* count =
      "xmllint --xpath \"count(//*[local-name()='path'][@class='joint'])\" three.svg";
  EXPECT_EQ(Output(count), "6");
  const char* d = "xmllint --xpath \"string(//*[@id='q5']/@d)\" three.svg | tr -cd 'ML'";
  EXPECT_EQ(Output(d), "MLL");
  traj_plot_png_b->do_callback();
  std::string png = ReadTextFile("three.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  const unsigned char* h = (const unsigned char*)png.data() + 16;   // IHDR width, height
  EXPECT_EQ((h[2] << 8) | h[3], traj_plot_view->w());
  EXPECT_EQ((h[6] << 8) | h[7], traj_plot_view->h());
}

// a Cartesian path starts as gaps; a press solves and records one point; "Solve all" fills
// the rest without moving the robot, each solution reaching its point's position
TEST_F(AnalysisWins, PlotOfACartesianTrajectorySolvesAll) {
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.arc");
  RunMenu(MENU_PLOT);
  const TrajPlot* p = TrajPlotData();
  ASSERT_EQ(p->ntp, CT.ntp);
  ASSERT_GT(p->ntp, 10);
  for (int i = 0; i < p->ntp; i++) ASSERT_EQ(p->have[i], 0);
  ASSERT_TRUE(traj_plot_solve_b->active());
  TrajPlotPosePoint(5);
  EXPECT_EQ(CT.ctp, 5);  EXPECT_EQ(p->cursor, 5);
  EXPECT_EQ(p->have[5], 1);  EXPECT_EQ(p->have[4], 0);
  float before[6];
  for (int j = 0; j < 6; j++) before[j] = JC->q[j];
  traj_plot_solve_b->do_callback();
  for (int j = 0; j < 6; j++) EXPECT_EQ(JC->q[j], before[j]);
  JointConfig jc = JointConfigFromRobot(R);
  CartesianConfigRec cc = *CC;
  for (int i = 0; i < p->ntp; i++) {
    ASSERT_EQ(p->have[i], 1) << i;
    for (int j = 0; j < 6; j++) jc->q[j] = p->q[i*6 + j];
    FwdKin(R, jc, &cc);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(cc.r[k], CT.CC[i].r[k], 1e-3) << i;
  }
  FreeJointConfig(jc);
}

class CondMapWin : public AnalysisWins {
 protected:
  // the map of joints 2 and 3 at 50 x 50 cells, computed to the end
  void Open() {
    RunMenu(MENU_COND_MAP);
    ASSERT_TRUE(cond_map_win->shown());
    EXPECT_EQ(cond_map_ja->value(), 1);  EXPECT_EQ(cond_map_jb->value(), 2);
    cond_map_size->value(0);
    cond_map_size->do_callback();
    for (int k = 0; k < 1000 && !CondMapComplete(); k++) Fl::wait(0.01);
    ASSERT_TRUE(CondMapComplete());
  }
};

// the value at the current pose is the Conditioning window's, before and after a pose change
TEST_F(CondMapWin, ValueHereIsTheConditioningValue) {
  Open();
  RunMenu(MENU_CONDITIONING);
  EXPECT_NEAR(cond_map_here->value(), condit_value->value(), 1e-12);
  joint_config_set_q[4]->value(0.5);     // near the wrist singularity
  joint_config_set_cb(joint_config_set_q[4], (void*)4L);
  EXPECT_LT(condit_value->value(), 0.1);
  EXPECT_NEAR(cond_map_here->value(), condit_value->value(), 1e-12);
}

// joint 2 spans -225..45 and joint 3 -45..225: a cell is 5.4 degrees, cell (10, 40) is
// centred at (-168.3, 173.7); with limits on and joint 2's maximum lowered to -170 a press
// on cell (11, 40) refuses and neither joint moves
TEST_F(CondMapWin, PressMovesTheTwoJointsOrRefuses) {
  Open();
  float q1 = JC->q[0], q4 = JC->q[3];
  int x = cond_map_view->x() + 55 + 67, y = cond_map_view->y() + 22 + 319 - 260;
  Press(cond_map_view, x, y);
  EXPECT_NEAR(JC->q[1], -168.3, 1e-4);  EXPECT_NEAR(JC->q[2], 173.7, 1e-4);
  EXPECT_EQ(JC->q[0], q1);  EXPECT_EQ(JC->q[3], q4);
  R->limits = 1;                         // enforced, as the Joint Limits window's "on"
  R->L[1].q_limit[1] = -170;
  Press(cond_map_view, x + 7, y);        // cell 11: joint 2 at -162.9
  EXPECT_STREQ(MessageText(), "Maximum Limit of Joint 2 Exceeded");
  EXPECT_NEAR(JC->q[1], -168.3, 1e-4);  EXPECT_NEAR(JC->q[2], 173.7, 1e-4);
  R->L[1].q_limit[1] = 45;
}
