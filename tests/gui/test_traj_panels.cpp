// test_traj_panels.cpp -- covers the trajectory panels, the Transform dialog, the saves and the
// playback sections of the animation timer, driven through their widgets and IdleCallback
#include <gtest/gtest.h>

#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "gui/shell/spinner.h"
#include "gui/traj/traj_panel_layout.h"
#include "gui/traj/traj_panels.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// the label of the message window after a save ("" when it is not shown)
static std::string SavedText() {
  if (!traj_saved_win || !traj_saved_win->shown()) return "";
  return traj_saved_win->child(0)->label();
}

class TrajPanels : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    ASSERT_NE(NewRobot("Puma560"), nullptr);
    for (int i = 0; i < 4; i++)
      for (int k = 0; k < 6; k++) Obstacle_info[i][k] = 0;
  }
  void TearDown() override {
    for (Fl_Window* w : {cart_traj_win, joint_traj_win, trans_win, traj_ask_win, traj_saved_win})
      if (w) w->hide();
    Tick();                             // the closed panels unload their trajectories
    UnloadRobot();
    LeaveDataCopy(dir);
  }
};

// a 3-point joint trajectory played forward: the press poses point 0, the timer points 1 and
// 2, then the forward button goes off and further ticks change nothing
TEST_F(TrajPanels, JointForwardPlaysEveryPointOnce) {
  const float q[3][6] = {{0, 10, 20, 30, 40, 50}, {5, 15, 25, 35, 45, 55}, {-5, -15, 5, 0, 90, 1}};
  FILE* f = fopen("Jtraj/Puma560.three", "w");
  for (auto& p : q) fprintf(f, "%g %g %g %g %g %g\n", p[0], p[1], p[2], p[3], p[4], p[5]);
  fclose(f);
  RunMenu(MENU_JOINT_TRAJ);
  Select(joint_traj_select, "Puma560.three");
  ASSERT_EQ(JT.ntp, 3);
  joint_traj_fwd->do_callback();
  EXPECT_EQ(joint_traj_fwd->value(), 1);
  for (int k = 0; k < 3; k++) {
    SCOPED_TRACE(k);
    if (k > 0) Tick();
    for (int j = 0; j < 6; j++) EXPECT_EQ(JC->q[j], q[k][j]);
    EXPECT_EQ(joint_traj_progress->value(), k);
  }
  EXPECT_EQ(joint_traj_fwd->value(), 0);
  EXPECT_FALSE(JointTraj_ani_fwd);
  Tick();
  EXPECT_EQ(JT.ctp, 2);  EXPECT_EQ(JC->q[4], 90);
  // step mode: "@<" before any point was posed starts at the last point, then goes back
  joint_traj_reset_cb(nullptr, nullptr);
  joint_traj_step->setonly();
  joint_traj_step->do_callback();
  joint_traj_rev->do_callback();
  EXPECT_EQ(JT.ctp, 2);
  joint_traj_rev->do_callback();
  EXPECT_EQ(JT.ctp, 1);  EXPECT_EQ(JC->q[0], 5);
  joint_traj_cont->setonly();
  joint_traj_cont->do_callback();
}

// obstacles k = 1..4 are entries k-1; each point is 0.01 s: at point 50 obstacle 1 with
// velocity (1, 0, 0) from the origin stands at x = 0.5, obstacle 2 from (1, 1, 1) with
// velocity (0, 2, 0) at (1, 2, 1)
TEST_F(TrajPanels, ObstaclesMoveWithTheJointPoint) {
  FILE* f = fopen("Jtraj/Puma560.long", "w");
  for (int k = 0; k < 60; k++) fprintf(f, "%d 0 0 0 0 0\n", k);
  fclose(f);
  Obstacle_info[0][3] = 1;
  for (int k = 0; k < 3; k++) Obstacle_info[1][k] = 1;
  Obstacle_info[1][4] = 2;
  RunMenu(MENU_JOINT_TRAJ);
  Select(joint_traj_select, "Puma560.long");
  joint_traj_fwd->do_callback();
  for (int t = 0; t < 50; t++) Tick();
  ASSERT_EQ(JT.ctp, 50);
  EXPECT_FLOAT_EQ(Obstacle_pos[0][0], 0.5f);
  EXPECT_EQ(Obstacle_pos[0][1], 0);
  EXPECT_FLOAT_EQ(Obstacle_pos[1][0], 1);  EXPECT_FLOAT_EQ(Obstacle_pos[1][1], 2);
  EXPECT_FLOAT_EQ(Obstacle_pos[1][2], 1);
  // the slider stops the run and moves them back with the point
  joint_traj_progress->value(10);
  joint_traj_progress->do_callback();
  EXPECT_FALSE(JointTraj_ani_fwd && JT.state);
  EXPECT_FLOAT_EQ(Obstacle_pos[0][0], 0.1f);
  EXPECT_EQ(JC->q[0], 10);
}

// a closed Cartesian panel unloads its trajectory on the next tick, unless the Transform
// window is open: then it stays loaded until that one closes too. A robot load stops a run
TEST_F(TrajPanels, ClosedPanelUnloadsUnlessTransformOpen) {
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.arc");
  ASSERT_TRUE(CT.active);
  EXPECT_STREQ(CtoJ_name->value(), "arc_JT");
  RunMenu(MENU_TRANSFORM_TRAJ);         // hides the panel, keeps the trajectory
  EXPECT_FALSE(cart_traj_win->shown());
  Tick();
  EXPECT_TRUE(CT.active);
  trans_win->hide();
  Tick();
  EXPECT_FALSE(CT.active);
  EXPECT_FALSE(CtoJ_save_b->active());  EXPECT_STREQ(CtoJ_name->value(), "");
  EXPECT_EQ(cart_traj_select->value(), 0);
  // a robot load under a running playback unloads it: the next tick stops, nothing is posed
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.arc");
  cart_traj_fwd->do_callback();
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  Tick();
  EXPECT_FALSE(CartTraj_ani_fwd);  EXPECT_EQ(cart_traj_fwd->value(), 0);
}

static double Dist(const double* a, const double* b) {
  return sqrt((a[0] - b[0])*(a[0] - b[0]) + (a[1] - b[1])*(a[1] - b[1]) +
              (a[2] - b[2])*(a[2] - b[2]));
}

// the positions of the 80 points of Ctraj/Puma560.arc, read here from the file's text
static void ArcPositions(double r[80][3]) {
  FILE* f = fopen("Ctraj/Puma560.arc", "r");
  ASSERT_NE(f, nullptr);
  double Q[9];
  for (int k = 0; k < 80; k++)
    ASSERT_EQ(fscanf(f, "%lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf", &r[k][0], &r[k][1],
                     &r[k][2], Q, Q + 1, Q + 2, Q + 3, Q + 4, Q + 5, Q + 6, Q + 7, Q + 8), 12);
  fclose(f);
}

// the sample's Cartesian path played forward stops on its last point and back on its first;
// "Save JT" (refusing a hidden name, asking before it overwrites) gives a joint file that plays the same poses; a
// moved copy saves, clears both trajectories and loads again one unit further along x.
// Poses agree within the solver's stop and the six printed decimals (1e-3)
TEST_F(TrajPanels, CartesianToJointAndTransformedCopy) {
  double r[80][3];
  ArcPositions(r);
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.arc");
  ASSERT_EQ(CT.ntp, 80);
  cart_traj_fwd->do_callback();
  for (int t = 0; t < 79; t++) Tick();
  EXPECT_EQ(CT.ctp, 79);  EXPECT_EQ(cart_traj_fwd->value(), 1);
  Tick();                               // past the end: back on the last point, stopped
  EXPECT_EQ(CT.ctp, 79);  EXPECT_EQ(cart_traj_fwd->value(), 0);
  EXPECT_LT(Dist(CC->r, r[79]), 1e-3);
  cart_traj_rev->do_callback();
  for (int t = 0; t < 80; t++) Tick();
  EXPECT_EQ(CT.ctp, 0);  EXPECT_EQ(cart_traj_rev->value(), 0);
  EXPECT_LT(Dist(CC->r, r[0]), 1e-3);

  CtoJ_name->value(".hidden");           // refused: the list would never show it
  CtoJ_save_b->do_callback();
  EXPECT_EQ(SavedText(), "");
  EXPECT_EQ(ReadTextFile("Jtraj/Puma560..hidden"), "");
  CtoJ_name->value("arc_JT");
  WriteTextFile("Jtraj/Puma560.arc_JT", "old\n");
  CtoJ_save_b->do_callback();
  ASSERT_TRUE(traj_ask_win && traj_ask_win->shown());
  traj_ask_cancel->do_callback();
  EXPECT_EQ(ReadTextFile("Jtraj/Puma560.arc_JT"), "old\n");
  EXPECT_EQ(SavedText(), "");
  CtoJ_save_b->do_callback();
  traj_ask_ok->do_callback();
  EXPECT_EQ(SavedText(), "Saved " + dir + "/Jtraj/Puma560.arc_JT");
  traj_saved_win->hide();

  RunMenu(MENU_JOINT_TRAJ);
  Select(joint_traj_select, "Puma560.arc_JT");
  EXPECT_FALSE(CT.active);              // one trajectory at a time
  ASSERT_EQ(JT.ntp, 80);
  joint_traj_fwd->do_callback();
  for (int k = 0; k < 80; k++) {
    if (k > 0) Tick();
    ASSERT_EQ(JT.ctp, k);
    EXPECT_LT(Dist(CC->r, r[k]), 1e-3) << k;
  }

  RunMenu(MENU_TRANSFORM_TRAJ);
  m_config_pos[0]->value(1);
  m_config_pos[0]->do_callback();
  trans_file_name->value("moved");
  traj_save_cb(nullptr, nullptr);
  EXPECT_EQ(SavedText(), "Saved " + dir + "/Ctraj/Puma560.moved");
  EXPECT_FALSE(JT.active);  EXPECT_FALSE(CT.active);
  trans_win->hide();
  RunMenu(MENU_CART_TRAJ);
  Select(cart_traj_select, "Puma560.moved");
  ASSERT_EQ(CT.ntp, 80);
  for (int k = 0; k < 80; k += 79) {
    double want[3] = {r[k][0] + 1, r[k][1], r[k][2]};
    EXPECT_LT(Dist(CT.CC[k].r, want), 1e-3) << k;
  }
}

// a point the solver cannot reach (point 37 of a copy of the arc moved to x = 50) is said on
// the message line while the run goes on, once: the message still names it after the points
// beyond it were posed; the next run says it again
TEST_F(TrajPanels, UnreachedPointSaidOncePerRun) {
  std::string arc = ReadTextFile("Ctraj/Puma560.arc"), far;
  int line = 0;
  for (size_t p = 0, q; p < arc.size(); p = q + 1, line++) {
    q = arc.find('\n', p);
    if (q == std::string::npos) q = arc.size();
    far += line == 4*36 ? std::string("50.000000 0.000000 0.000000 ") : arc.substr(p, q - p);
    far += "\n";
  }
  WriteTextFile("Ctraj/Puma560.far", far);
  RunMenu(MENU_CART_TRAJ);
  cart_traj_fill();
  Select(cart_traj_select, "Puma560.far");
  ASSERT_EQ(CT.ntp, 80);
  ClearMessage();
  cart_traj_fwd->do_callback();
  for (int t = 0; t < 40; t++) Tick();
  std::string said = MessageText();
  EXPECT_EQ(said.rfind("Point 37 of 80 not reached: ", 0), 0u) << said;
  for (int t = 0; t < 45; t++) Tick();
  EXPECT_EQ(CT.ctp, 79);
  EXPECT_EQ(std::string(MessageText()), said);
  ClearMessage();
  cart_traj_rev->do_callback();
  for (int t = 0; t < 85; t++) Tick();
  EXPECT_EQ(std::string(MessageText()).rfind("Point 37 of 80 not reached: ", 0), 0u);
}
