// test_pose_panels.cpp -- covers src/gui/pose/joint_panel.cpp, cart_panel.cpp, config_panel.cpp,
// condit_panel.cpp and setting_panel.cpp: real widgets and callbacks under Xvfb
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Value_Slider.H>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "gui_window.h"
#include "kin/ikp.h"
#include "robot/jconfig.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

class PosePanels : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
  }
  void TearDown() override {
    for (Fl_Window* w : {joint_config_win, cart_config_win, q_win, j_win, condit_win, config_win})
      if (w) w->hide();
    UnloadRobot();
    RebuildPosePanels();
    ClearMessage();
    ErrStatus = 0;
    LeaveDataCopy(dir);
  }
  // a robot built in memory as the current one, its panels rebuilt
  void Use(Robot r) {
    UnloadRobot();
    R = r;
    JC = JointConfigFromRobot(R);
    CC = CartesianConfigFromRobot(R, JC);
    RebuildPosePanels();
  }
};

// 30 joints (the last prismatic), all unlimited but joint 2 with [-90, 90]
static Robot LongArm() {
  DHRow rows[30];
  for (int i = 0; i < 30; i++) rows[i] = {0, 0.1f, 0, 0, 0, -100000, 100000};
  rows[1].qmin = -90;  rows[1].qmax = 90;
  rows[29] = {1, 0, 0.1f, 0, 0, -100000, 100000};
  return RobotFromDH("long", 30, rows);
}

TEST_F(PosePanels, JointPanelFoldsRefusesAndPoses) {
  Use(LongArm());
  ASSERT_EQ(R->limits, 1);
  RunMenu(MENU_FORWARD_KIN);
  ASSERT_TRUE(joint_config_win->visible());
  EXPECT_EQ(joint_config_sl_set_q[29], nullptr);   // prismatic: spinner only
  ASSERT_NE(joint_config_set_q[29], nullptr);
  EXPECT_FALSE(c_config_pos[0]->active());         // redundant: the IK panel only shows

  // stored 725 / -725 on unlimited joints show and store 5 / -5
  JC->q[0] = 725;  JC->q[2] = -725;
  UpdateAll();
  EXPECT_EQ(JC->q[0], 5.0f);  EXPECT_EQ(JC->q[2], -5.0f);
  EXPECT_EQ(joint_config_set_q[0]->value(), 5.0);
  EXPECT_EQ(joint_config_sl_set_q[2]->value(), -5.0);

  // slider 2 past its maximum: message, spinner at 90, pose kept bit for bit
  float q[30];
  memcpy(q, JC->q, sizeof q);
  CartesianConfigRec cc_before = *CC;
  joint_config_sl_set_q[1]->value(120);
  joint_config_sl_set_q[1]->do_callback();
  EXPECT_STREQ(MessageText(), "Maximum Limit of Joint 2 Exceeded");
  EXPECT_EQ(ErrStatus, 1);
  EXPECT_EQ(joint_config_set_q[1]->value(), 90.0);
  EXPECT_EQ(memcmp(q, JC->q, sizeof q), 0);
  EXPECT_EQ(memcmp(&cc_before, CC, sizeof cc_before), 0);

  // the 30th joint slides the tool along the base z; every other link lies in the floor
  joint_config_set_q[29]->value(0.4);
  joint_config_set_q[29]->do_callback();
  EXPECT_STREQ(MessageText(), "");
  EXPECT_EQ(ErrStatus, 0);
  EXPECT_EQ(JC->q[29], 0.4f);
  EXPECT_NEAR(CC->r[2], 0.4, 1e-6);

  // "save" writes what the spinners show, read back within six decimals; a name with "/"
  // is refused on the message line and writes nothing
  joint_config_file->value("mine");
  joint_config_save_cb(nullptr, joint_config_file);
  EXPECT_EQ(MessageText(), "Saved " + dir + "/JConfig/long.mine");   // the file, in full
  JointConfig back = JointConfigFromRobot(R);
  ASSERT_EQ(ReadJointConfig(back, "long.mine"), 0);
  for (int j = 0; j < 30; j++) EXPECT_NEAR(back->q[j], joint_config_set_q[j]->value(), 1e-6);
  FreeJointConfig(back);
  joint_config_file->value("a/b");
  joint_config_save_cb(nullptr, joint_config_file);
  EXPECT_STREQ(MessageText(), "File name must not contain \"/\"");
  EXPECT_EQ(ListFiles("JConfig").find("long.a"), std::string::npos);
}

// Puma560 of the samples: a reachable x is met, an unreachable one changes nothing, an
// orientation landing at 190 wraps to -170
TEST_F(PosePanels, InverseKinematicsEdits) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_INVERSE_KIN);
  ASSERT_TRUE(cart_config_win->visible());
  ASSERT_TRUE(c_config_pos[0]->active());
  EXPECT_STREQ(cart_config_win->label(), "Inverse Kinematics ");

  double x = CC->r[0] - 0.5;
  c_config_pos[0]->value(x);
  c_config_pos[0]->do_callback();
  JointConfig jc = JointConfigFromRobot(R);
  memcpy(jc->q, JC->q, R->n*sizeof(float));
  CartesianConfigRec check = *CC;
  FwdKin(R, jc, &check);
  EXPECT_NEAR(check.r[0], (float)x, GetInvTol()*R->avg_len);
  EXPECT_EQ(c_config_pos[0]->value(), CC->r[0]);

  float q[6];
  memcpy(q, JC->q, sizeof q);
  double r0 = CC->r[0];
  c_config_pos[0]->value(90);        // far beyond the arm's reach
  c_config_pos[0]->do_callback();
  EXPECT_EQ(memcmp(q, JC->q, sizeof q), 0);
  EXPECT_EQ(CC->r[0], r0);
  EXPECT_EQ(c_config_pos[0]->value(), r0);
  EXPECT_STREQ(MessageText(), "Did Not Converge");
  EXPECT_EQ(ErrStatus, 1);

  c_config_ori[2]->value(190);       // joint 6 turns the tool about its own z
  c_config_ori[2]->do_callback();
  EXPECT_EQ(CC->ang[2], -170);
  EXPECT_EQ(c_config_ori[2]->value(), -170);
  memcpy(jc->q, JC->q, R->n*sizeof(float));
  FwdKin(R, jc, &check);
  EXPECT_NEAR(check.ang[2], -170, 0.01);
  FreeJointConfig(jc);
}

// a robot of n revolute joints along a line (type 4 below 6 joints, else 0)
static Robot LineArm(int n) {
  DHRow rows[12];
  for (int i = 0; i < n; i++) rows[i] = {0, 1, 0, i % 2 ? 90.0f : 0.0f, 10, -100000, 100000};
  return RobotFromDH("line", n, rows);
}

// one J window whatever the presses; its width from the joint count
TEST_F(PosePanels, JWindowIsReusedAndSized) {
  Use(LineArm(1));
  cart_config_j_cb(nullptr, nullptr);
  Fl_Window* first = j_win;
  EXPECT_EQ(j_win->w(), 140);
  Use(LineArm(12));
  for (int i = 0; i < 1000; i++) cart_config_j_cb(nullptr, nullptr);
  EXPECT_EQ(j_win, first);
  EXPECT_EQ(j_win->w(), 640);
  EXPECT_EQ(j_win->h(), 270);
}

// J of the Puma560 at a pose against central differences of FwdKin: rows 1-3 the angular
// rate of the tool per radian (skew part of dQ Q'), rows 4-6 the rate of the last link
// frame's origin per radian (the hand's offset zeroed, so FwdKin gives that origin)
TEST_F(PosePanels, JTextMatchesFiniteDifferences) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  for (int k = 0; k < 3; k++) R->EE.Qee[k][3] = 0;
  const float pose[6] = {20, -40, 30, 15, -35, 60};
  memcpy(JC->q, pose, sizeof pose);
  FwdKin(R, JC, CC);
  cart_config_j_cb(nullptr, nullptr);
  char* text = buf_j->text();
  std::string t = text;
  free(text);
  const char* head = "\n   Col. 1     Col. 2     Col. 3     Col. 4     Col. 5     Col. 6  \n\n";
  ASSERT_EQ(t.compare(0, strlen(head), head), 0) << t;
  double shown[6][6];
  const char* p = t.c_str() + strlen(head);
  for (int i = 0; i < 6; i++) {
    for (int j = 0; j < 6; j++) {
      int used = 0;
      ASSERT_EQ(sscanf(p, "%lf%n", &shown[i][j], &used), 1) << i << " " << j;
      p += used;
    }
    if (i < 5) { ASSERT_EQ(strncmp(p, "\n\n", 2), 0);  p += 2; }
  }
  EXPECT_EQ(*p, '\0');

  const double h = 1e-3, deg = M_PI/180;
  JointConfig jc = JointConfigFromRobot(R);
  CartesianConfigRec a = *CC, b = *CC;
  for (int j = 0; j < 6; j++) {
    memcpy(jc->q, pose, sizeof pose);
    jc->q[j] = pose[j] + h;  FwdKin(R, jc, &a);
    jc->q[j] = pose[j] - h;  FwdKin(R, jc, &b);
    double dq = (double)(float)(pose[j] + h) - (double)(float)(pose[j] - h);
    double W[3][3];
    for (int r = 0; r < 3; r++)
      for (int c = 0; c < 3; c++) {
        W[r][c] = 0;
        for (int k = 0; k < 3; k++) W[r][c] += (a.Q[r][k] - b.Q[r][k])/(dq*deg)*CC->Q[c][k];
      }
    double w[3] = {W[2][1], W[0][2], W[1][0]};
    for (int i = 0; i < 3; i++) {
      EXPECT_NEAR(shown[i][j], w[i], 2e-3) << "axis row " << i << " col " << j;
      EXPECT_NEAR(shown[3 + i][j], (a.r[i] - b.r[i])/(dq*deg), 3e-3) << "rate " << i << " " << j;
    }
  }
  FreeJointConfig(jc);
}

TEST_F(PosePanels, QTextOfAKnownRotation) {
  Use(LineArm(2));
  cart_config_q_cb(nullptr, nullptr);
  double Q[3][3] = {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}};   // half turn about (1, 0, 1)/sqrt 2
  memcpy(CC->Q, Q, sizeof Q);
  UpdateQ(CC);
  char* t = buf->text();
  EXPECT_STREQ(t, "\n     0.00      0.00      1.00\n\n     0.00     -1.00      0.00\n\n"
                  "     1.00      0.00      0.00");
  free(t);
}

// activation by task kind, re-activation for a later robot, the light at the wrist
// singularity, and no evaluation while hidden
TEST_F(PosePanels, ConditioningRules) {
  ASSERT_NE(NewRobot("SphWrist"), nullptr);
  ASSERT_EQ(R->type, 2);
  RunMenu(MENU_CONDITIONING);
  EXPECT_FALSE(length_value->active());  EXPECT_FALSE(reach_value->active());
  EXPECT_EQ(c_config_pos[0], nullptr);  EXPECT_NE(c_config_ori[0], nullptr);
  ASSERT_NE(NewRobot("Posit3"), nullptr);
  ASSERT_EQ(R->type, 4);
  EXPECT_FALSE(condit_win->shown());   // the load hid the old robot's numbers
  RunMenu(MENU_CONDITIONING);
  EXPECT_FALSE(length_value->active());  EXPECT_TRUE(reach_value->active());
  EXPECT_NE(c_config_pos[0], nullptr);  EXPECT_EQ(c_config_ori[0], nullptr);
  EXPECT_EQ(cart_config_win->h(), 210);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_CONDITIONING);
  EXPECT_TRUE(length_value->active());  EXPECT_TRUE(reach_value->active());

  // joints 4 and 6 in line (joint 5 at 0): rank 5, the light red
  RunMenu(MENU_FORWARD_KIN);
  joint_config_set_q[4]->value(0);
  joint_config_set_q[4]->do_callback();
  EXPECT_LT(condit_value->value(), 1e-6);
  EXPECT_EQ(condit_level->color(), FL_RED);
  joint_config_set_q[4]->value(-60);
  joint_config_set_q[4]->do_callback();
  double k = condit_value->value();
  EXPECT_EQ(condit_level->color(), k >= 0.5 ? FL_GREEN : k >= 0.1 ? (Fl_Color)92 : FL_RED);

  long n = ConditEvaluations();
  joint_config_set_q[4]->do_callback();
  EXPECT_EQ(ConditEvaluations(), n + 1);
  condit_win->hide();
  joint_config_set_q[4]->do_callback();
  joint_config_sl_set_q[3]->do_callback();
  EXPECT_EQ(ConditEvaluations(), n + 1);
}

// list, jump to Puma560.home, smooth move to Puma560.reach through the timer
TEST_F(PosePanels, SelectConfigurationJumpAndMove) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_SELECT_CONFIG);
  // the load wrote the two posture files; the list is sorted
  ASSERT_EQ(config_browser->size(), 5);
  EXPECT_STREQ(config_browser->text(1), "Puma560.Characteristic");
  EXPECT_STREQ(config_browser->text(3), "Puma560.home");
  EXPECT_STREQ(config_browser->text(4), "Puma560.reach");
  JC->q[0] = 77;
  config_jump->do_callback();
  config_browser->value(3);
  config_browser->do_callback();
  const float home[6] = {0, -30, 20, 0, 45, 0};
  EXPECT_EQ(memcmp(JC->q, home, sizeof home), 0);

  // from home to reach: the largest move is joint 6 by 90, so 80 frames (the cap)
  config_spline->do_callback();
  config_browser->value(4);
  config_browser->do_callback();
  ASSERT_TRUE(InterpolateConfig_ani);
  EXPECT_EQ(m, 80);
  const float reach[6] = {-45, -10, 30, 20, -40, 90};
  float path[90][6];
  int frames = 0;
  while (InterpolateConfig_ani && frames < 90) {
    IdleCallback(opengl_window);
    memcpy(path[frames++], JC->q, sizeof home);
  }
  Fl::remove_timeout(IdleCallback, opengl_window);
  EXPECT_EQ(frames, 81);   // 80 frames and the closing step
  EXPECT_EQ(memcmp(JC->q, reach, sizeof reach), 0);
  EXPECT_EQ(memcmp(path[0], home, sizeof home), 0);
  // zero velocity at both ends: the first and last steps are tiny against the mean step
  for (int j = 0; j < 6; j++) {
    double mean = (reach[j] - home[j])/79.0;
    EXPECT_LT(fabs(path[1][j] - path[0][j]), 0.05*fabs(mean) + 1e-6) << j;
    EXPECT_LT(fabs(path[79][j] - path[78][j]), 0.05*fabs(mean) + 1e-6) << j;
  }
}

TEST_F(PosePanels, SettingSystem) {
  ResetCamera(4);
  RunMenu(MENU_SET_SYSTEM);
  ASSERT_TRUE(control_win->visible());
  bg_color_grey->do_callback();
  for (Fl_Value_Slider* s : {bg_color_r, bg_color_g, bg_color_b}) EXPECT_EQ(s->value(), 181);
  EXPECT_EQ(bg_red, 181/255.0);  EXPECT_EQ(bg_green, 181/255.0);  EXPECT_EQ(bg_blue, 181/255.0);
  DrawFrame();
  Rgb c = Pixel(5, 540);
  EXPECT_EQ(c.r, 181);  EXPECT_EQ(c.g, 181);  EXPECT_EQ(c.b, 181);
  bg_color_g->value(10);
  bg_color_g->do_callback();
  EXPECT_EQ(bg_red, 181/255.0);  EXPECT_EQ(bg_green, 10/255.0);

  mode_orthogonal->do_callback();
  EXPECT_EQ(prespectiv_mode, 0);
  mode_perspective->do_callback();
  EXPECT_EQ(prespectiv_mode, 1);

  ikp_max_iter->value(12.9);
  ikp_max_iter->do_callback();
  EXPECT_EQ(GetInvMax(), 12);
  ikp_max_iter->value(40);
  ikp_max_iter->do_callback();
  EXPECT_EQ(GetInvMax(), 40);
  control_win->hide();
  bg_color_default->do_callback();
}

// Setting System's "Damped fallback" (on at start) and the iteration limit: with one
// iteration and the fallback off, x from the home pose to 6 fails as the plain iteration
// does and nothing moves; with the fallback on the same edit reaches x = 6
TEST_F(PosePanels, IterationLimitWithAndWithoutFallback) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_SET_SYSTEM);
  ASSERT_NE(ikp_fallback, nullptr);
  EXPECT_STREQ(ikp_fallback->label(), "Damped fallback");
  EXPECT_EQ(ikp_fallback->value(), 1);
  int max = GetInvMax();
  ikp_max_iter->value(1);
  ikp_max_iter->do_callback();
  ASSERT_EQ(GetInvMax(), 1);
  ikp_fallback->value(0);
  ikp_fallback->do_callback();
  EXPECT_EQ(GetInvFallback(), 0);
  RunMenu(MENU_INVERSE_KIN);
  float q[6];
  memcpy(q, JC->q, sizeof q);
  c_config_pos[0]->value(6);
  c_config_pos[0]->do_callback();
  EXPECT_STREQ(MessageText(), "Did Not Converge");
  EXPECT_EQ(memcmp(q, JC->q, sizeof q), 0);
  ikp_fallback->value(1);
  ikp_fallback->do_callback();
  c_config_pos[0]->value(6);
  c_config_pos[0]->do_callback();
  EXPECT_NEAR(CC->r[0], 6, GetInvTol()*R->avg_len);
  ikp_max_iter->value(max);
  ikp_max_iter->do_callback();
  control_win->hide();
}
