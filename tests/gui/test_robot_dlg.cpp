// test_robot_dlg.cpp -- covers the robot dialogs (src/gui/robot/arch_win.cpp, new_robot_win.cpp,
// edit_robot_win.cpp, joint_limits_win.cpp, end_eff_win.cpp, dh_win.cpp, robot_save_win.cpp)
// driven through their widgets on a copy of data/
#include <gtest/gtest.h>

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Output.H>
#include <FL/fl_draw.H>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"
#include "gui/pose/pose_panels.h"
#include "base/message.h"
#include "gui_window.h"
#include "support/data_copy.h"

// the main window up and a fresh copy of data/ as working directory
class RobotDlg : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    arch_fill();
    ClearMessage();
    ErrStatus = 0;
  }
  void TearDown() override {
    NewRobot("");   // nothing loaded: every robot window goes
    Fl::check();
    LeaveDataCopy(dir);
  }
};

// pick a robot in the Load Robot list as a user does; false when it is not listed
static bool Pick(const char* name) {
  for (int k = 1; k <= arch_select->size(); k++)
    if (strcmp(arch_select->text(k), name) == 0) {
      arch_select->value(k);
      arch_select->do_callback();
      return true;
    }
  return false;
}

static void Press(Fl_Window* w, const char* label) {
  Fl_Button* b = robot_dlg_button(w, label);
  ASSERT_NE(b, nullptr) << label;
  b->do_callback();
}

static void SetSpinner(Jw_Spinner* s, double v) {
  s->value(v);
  s->do_callback();
}

// Redund7 then Puma560: the windows show Puma560, both trajectories are empty, the limits of
// "full" Puma560 are on, the view distance is 4 avg_len, the title names it
TEST_F(RobotDlg, LoadAThenB) {
  ASSERT_TRUE(Pick("Puma560"));
  char* shown = m_description_output->buffer()->text();
  EXPECT_STREQ(shown, "Puma560  Six revolute joints, shoulder 6.6 above the floor; lengths in "
                      "decimetres. The built-in model draws it; the hand is mounted. ");
  free(shown);
  ASSERT_TRUE(Pick("Redund7"));
  robot_load_cb(nullptr, nullptr);
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(LL_n, 7);
  JT.active = 1;  CT.active = 1;
  ASSERT_TRUE(Pick("Puma560"));
  robot_load_cb(nullptr, nullptr);
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(LL_n, 6);
  EXPECT_STREQ(edit_robot_win->child(0)->label(), "Puma560");
  EXPECT_EQ(JT.active, 0);  EXPECT_EQ(JT.ntp, 0);  EXPECT_EQ(CT.active, 0);  EXPECT_EQ(CT.ntp, 0);
  // a "full" robot keeps the limits of its file: joint 1 = 200 against +-160 is refused
  EXPECT_EQ(R->limits, 1);
  EXPECT_EQ(joint_limits_on->value(), 1);
  EXPECT_EQ(LE[0].max->value(), 160);
  RunMenu(MENU_FORWARD_KIN);
  float q0 = JC->q[0];
  joint_config_set_q[0]->value(200);
  joint_config_set_q[0]->do_callback();
  EXPECT_EQ(JC->q[0], q0);
  EXPECT_STREQ(MessageText(), "Maximum Limit of Joint 1 Exceeded");
  joint_config_win->hide();
  EXPECT_NEAR(scale, 4*R->avg_len, 1e-6);
  EXPECT_STREQ(window->label(), "Velmora--Puma560+");
  ASSERT_EQ(end_eff_select->size(), 2);
  EXPECT_STREQ(end_eff_select->text(end_eff_select->value()), "Hand");
  // a robot with a prismatic joint gets no length: "-", whatever the robot before had
  ASSERT_TRUE(Pick("Slide6"));
  robot_load_cb(nullptr, nullptr);
  EXPECT_STREQ(window->label(), "Velmora--Slide6-");
  EXPECT_EQ(end_eff_select->size(), 0);
}

// deleting arm takes its files and no file of arm2; the loaded robot is refused
TEST_F(RobotDlg, DeleteTakesOnlyTheRobotsFiles) {
  const char* files[] = {"Arch/arm", "Arch/arm2", "Description/arm", "JConfig/arm.home",
                         "JConfig/arm.x", "JConfig/arm2.home"};
  for (const char* f : files) ASSERT_EQ(WriteTextFile(f, "x\n"), 0);
  arch_fill();
  ASSERT_TRUE(Pick("arm"));
  robot_delete_cb(nullptr, nullptr);
  EXPECT_TRUE(delete_information_win->visible());
  Press(delete_information_win, "cancel");
  EXPECT_EQ(ReadTextFile("Arch/arm"), "x\n");
  robot_delete_cb(nullptr, nullptr);
  Press(delete_information_win, "ok");
  EXPECT_FALSE(delete_information_win->visible());
  EXPECT_EQ(ReadTextFile("Arch/arm"), "");
  EXPECT_EQ(ReadTextFile("Description/arm"), "");
  EXPECT_EQ(ReadTextFile("JConfig/arm.home") + ReadTextFile("JConfig/arm.x"), "");
  EXPECT_EQ(ReadTextFile("JConfig/arm2.home"), "x\n");
  EXPECT_EQ(ReadTextFile("Arch/arm2"), "x\n");
  EXPECT_FALSE(Pick("arm"));

  NewRobot("Puma560");
  ASSERT_TRUE(Pick("Puma560"));
  robot_delete_cb(nullptr, nullptr);
  Press(delete_information_win, "ok");
  EXPECT_TRUE(delete_in_use_win->visible());
  EXPECT_NE(ReadTextFile("Arch/Puma560"), "");
  EXPECT_NE(ReadTextFile("JConfig/Puma560.home"), "");
  delete_in_use_win->hide();
}

static const char* seven_file =
  "/*************************\nseven\n*************************/\ngeomtype = up\n\n"
  "/** Link 1 **/\n{\n     a  = 1.000000\n     b  = 0.500000\n     al = 90.000000\n"
  "     th = 0.000000\n     limits = [ -90.000000,  90.000000]\n}\n"
  "/** Link 2 **/\n{\n     a  = 2.000000\n     b  = 0.500000\n     al = 0.000000\n"
  "     th = 30.000000\n}\n"
  "/** Link 3 **/\n{\njoint = prismatic\n     a  = 0.000000\n     b  = 0.500000\n"
  "     al = 0.000000\n     th = 0.000000\n}\n"
  "/** Link 4 **/\n{\n     a  = 4.000000\n     b  = 0.500000\n     al = 0.000000\n"
  "     th = 0.000000\n}\n"
  "/** Link 5 **/\n{\n     a  = 5.000000\n     b  = 0.500000\n     al = 0.000000\n"
  "     th = 0.000000\n}\n"
  "/** Link 6 **/\n{\n     a  = 6.000000\n     b  = 0.500000\n     al = 0.000000\n"
  "     th = 0.000000\n}\n"
  "/** Link 7 **/\n{\n     a  = 7.000000\n     b  = 0.500000\n     al = 0.000000\n"
  "     th = 0.000000\n     limits = [ -45.500000,  30.000000]\n}\n";

// a 7-link robot: page 2 holds link 7 alone; the file is the New Robot layout byte for byte;
// bad names and an existing file write nothing until "ok"
TEST_F(RobotDlg, NewRobotWritesTheLayout) {
  arch_new_links->value(7);
  arch_new_cb(nullptr, nullptr);
  ASSERT_TRUE(arch_new_win->visible());
  EXPECT_EQ(links_counter->maximum(), 2);
  links_counter->value(2);
  links_counter->do_callback();
  EXPECT_TRUE(input_a[6]->visible());  EXPECT_FALSE(input_a[0]->visible());
  char t[16];
  for (int i = 0; i < 7; i++) {
    snprintf(t, sizeof t, "%d", i + 1);
    input_a[i]->value(t);
    input_b[i]->value("0.5");
  }
  input_al[0]->value("90");  input_th[1]->value("30");
  input_prismatic[2]->value(1);  input_prismatic[2]->do_callback();
  EXPECT_FALSE(input_a[2]->active());
  input_limits[0]->value(1);  input_limits[0]->do_callback();
  input_limits_min[0]->value("-90");  input_limits_max[0]->value("90");
  input_limits[6]->value(1);  input_limits[6]->do_callback();
  input_limits_min[6]->value("-45.5");  input_limits_max[6]->value("30");
  m_description_input->value("Seven links.\nOne slides.");

  std::string before = ListFiles("Arch");
  std::string too_long(64, 's');
  for (const char* bad : {"", "a/b", ".seven", "../seven", too_long.c_str()}) {
    arch_new_filename->value(bad);
    ClearMessage();
    new_robot_save_cb(nullptr, nullptr);
    EXPECT_STRNE(MessageText(), "") << bad;
  }
  EXPECT_EQ(ListFiles("Arch"), before);

  arch_new_filename->value("seven");
  new_robot_save_cb(nullptr, nullptr);
  EXPECT_EQ(ReadTextFile("Arch/seven"), seven_file);
  EXPECT_EQ(ReadTextFile("Description/seven"), "Seven links.\nOne slides.");
  ASSERT_TRUE(new_robot_created_win->visible());
  EXPECT_EQ(MessageText(), "Robot created: " + dir + "/Arch/seven");   // the file, in full
  Fl_Button* ok = robot_dlg_button(new_robot_created_win, "ok");   // still at the lower right
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->x() + ok->w(), new_robot_created_win->w() - 5);

  input_a[0]->value("8");   // a second save would change the file
  new_robot_save_cb(nullptr, nullptr);
  ASSERT_TRUE(new_robot_exist_win->visible());
  Press(new_robot_exist_win, "cancel");
  EXPECT_EQ(ReadTextFile("Arch/seven"), seven_file);
  new_robot_save_cb(nullptr, nullptr);   // asked again
  ASSERT_TRUE(new_robot_exist_win->visible());
  Press(new_robot_exist_win, "ok");
  EXPECT_NE(ReadTextFile("Arch/seven").find("a  = 8.000000"), std::string::npos);

  Press(new_robot_created_win, "ok");
  EXPECT_FALSE(arch_new_win->visible());
  EXPECT_TRUE(arch_win->visible());
  EXPECT_TRUE(Pick("seven"));
  arch_win->hide();
}

// b of a revolute link to 0.5 and al to 90 keep the derived fields; the length scale equals
// what a fresh read of the saved file gives
TEST_F(RobotDlg, EditLinkThenSaveAndReload) {
  ASSERT_NE(NewRobot("Redund7"), nullptr);
  double**Qi = R->L[0].Q_i;
  SetSpinner(LL[0].revo_b, 0.5);
  SetSpinner(LL[0].revo_al, 90);
  EXPECT_FLOAT_EQ(R->L[0].abs_b, 0.5f);  EXPECT_EQ(R->L[0].sign_b, 1);
  EXPECT_NEAR(R->L[0].cal, 0, 1e-7);  EXPECT_FLOAT_EQ(R->L[0].sal, 1);
  EXPECT_EQ(R->L[0].Q_i, Qi);   // edited in place
  float edited = R->avg_len, rad = R->rad;
  EXPECT_FLOAT_EQ(rad, edited/8);
  RunMenu(MENU_SAVE);   // Save
  EXPECT_TRUE(edit_robot_saved_win->visible());
  edit_robot_saved_win->hide();
  ASSERT_NE(NewRobot("Redund7"), nullptr);
  EXPECT_FLOAT_EQ(R->L[0].b, 0.5f);  EXPECT_FLOAT_EQ(R->L[0].al, 90);
  EXPECT_NEAR(R->avg_len, edited, 1e-6*edited);
}

// Save keeps links, limits and end effector; Save As of a "full" robot writes "up", copies
// the description, loads the copy and titles it; a bad name and an unwritable directory
// save nothing and never say "Data Saved"
TEST_F(RobotDlg, SaveAndSaveAs) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  Link before[6];
  memcpy(before, R->L, sizeof before);
  RunMenu(MENU_SAVE);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  for (int i = 0; i < 6; i++) {
    EXPECT_EQ(R->L[i].a, before[i].a);  EXPECT_EQ(R->L[i].b, before[i].b);
    EXPECT_EQ(R->L[i].th, before[i].th);  EXPECT_EQ(R->L[i].al, before[i].al);
    EXPECT_EQ(R->L[i].h_q_limit[0], before[i].h_q_limit[0]);
    EXPECT_EQ(R->L[i].h_q_limit[1], before[i].h_q_limit[1]);
  }
  EXPECT_STREQ(R->EE.name, "Hand");

  RunMenu(MENU_SAVE_AS);
  ASSERT_TRUE(Robot_Save_win->visible());
  robot_saveas_name->value("../puma2");
  robot_saveas_cb(nullptr, nullptr);
  EXPECT_STRNE(MessageText(), "");
  EXPECT_EQ(ReadTextFile("puma2"), "");
  robot_saveas_name->value("puma2");
  robot_saveas_cb(nullptr, nullptr);
  EXPECT_NE(ReadTextFile("Arch/puma2").find("*/\ngeomtype = up\n\n/** Link 1"),
            std::string::npos);
  EXPECT_EQ(ReadTextFile("Description/puma2"), ReadTextFile("Description/Puma560"));
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->name, "puma2");
  EXPECT_STREQ(window->label(), "Velmora--puma2+");
  EXPECT_EQ(MessageText(), "Saved " + dir + "/Arch/puma2");   // the file written, in full
  EXPECT_EQ(edit_robot_saved_win->child(0)->label(), "Saved " + dir + "/Arch/puma2");
  RunMenu(MENU_SAVE_AS);
  robot_saveas_name->value("Puma560");
  robot_saveas_cb(nullptr, nullptr);
  ASSERT_TRUE(edit_robot_exist_win->visible());
  Press(edit_robot_exist_win, "ok");
  EXPECT_STREQ(window->label(), "Velmora --Puma560+");

  // "Arch" that is not a directory: nothing saved, the message says so
  std::string kept = ReadTextFile("Arch/Puma560");
  edit_robot_saved_win->hide();
  ASSERT_EQ(rename("Arch", "Arch.kept"), 0);
  ASSERT_EQ(WriteTextFile("Arch", ""), 0);
  ClearMessage();
  RunMenu(MENU_SAVE);
  EXPECT_FALSE(edit_robot_saved_win->visible());
  EXPECT_NE(std::string(MessageText()).find("nothing saved"), std::string::npos);
  ASSERT_EQ(remove("Arch"), 0);
  ASSERT_EQ(rename("Arch.kept", "Arch"), 0);
  EXPECT_EQ(ReadTextFile("Arch/Puma560"), kept);
}

// limits switched on for a robot without limits: [0, 0] everywhere, joints not moved yet
TEST_F(RobotDlg, JointLimitsOnGivesZeroLimits) {
  ASSERT_NE(NewRobot("Redund7"), nullptr);
  JC->q[0] = 25;  JC->q[6] = -40;
  joint_limits_on->setonly();
  joint_limits_on->do_callback();
  EXPECT_EQ(R->limits, 1);
  for (int i = 0; i < 7; i++) {
    EXPECT_EQ(R->L[i].q_limit[0], 0) << i;  EXPECT_EQ(R->L[i].q_limit[1], 0) << i;
    EXPECT_TRUE(LE[i].min->active());
  }
  EXPECT_EQ(JC->q[0], 25);  EXPECT_EQ(JC->q[6], -40);
  joint_limits_off->setonly();
  joint_limits_off->do_callback();
  EXPECT_EQ(R->limits, 0);  EXPECT_FALSE(LE[0].max->active());
}

// Hand, None, Hand again on Puma560: mounted and unmounted each time (leaks: sanitizer run)
TEST_F(RobotDlg, EndEffectorSwitch) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_END_EFFECTOR);
  for (const char* ee : {"None", "Hand", "None", "Hand"}) {
    int k = strcmp(ee, "None") == 0 ? 1 : 2;
    end_eff_select->value(k);
    end_eff_select->do_callback();
    EXPECT_STREQ(R->EE.name, ee);
    EXPECT_EQ(R->EE.DestroyProc != nullptr, k == 2) << ee;
  }
  end_eff_win->hide();
}

// 30 links: every window stays on a screen, the last link has its button, field and row
TEST_F(RobotDlg, ThirtyLinksFitEveryWindow) {
  std::string text;
  for (int i = 0; i < 30; i++) text += "{ a = 1 }\n";
  ASSERT_EQ(WriteTextFile("Arch/long", text), 0);
  ASSERT_NE(NewRobot("long"), nullptr);
  EXPECT_LE(edit_robot_win->h(), 600);  EXPECT_LE(joint_limits_win->h(), 600);
  ASSERT_EQ(LL_n, 30);
  EXPECT_STREQ(LL[29].lbutton->label(), "Link 30");
  SetSpinner(LE[29].max, 12);
  EXPECT_EQ(R->L[29].q_limit[1], 12);
  RunMenu(MENU_DH_PARAMETER);
  EXPECT_EQ(robot_links_counter->maximum(), 5);
  dh_win->hide();
  arch_new_links->value(30);
  arch_new_cb(nullptr, nullptr);
  EXPECT_EQ(links_counter->maximum(), 5);
  links_counter->value(5);
  links_counter->do_callback();
  EXPECT_TRUE(input_a[29]->visible());  EXPECT_FALSE(input_a[23]->visible());
  arch_new_win->hide();
}

// Puma560 drawn generic ("Up") gets its bodies; back to "Full" switches limits on and puts
// a joint beyond its limit (170 > 160) on the limit, the spinners showing [-160, 160]
TEST_F(RobotDlg, GeometryUpThenFull) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  EXPECT_EQ(R->L[1].hinge, nullptr);
  geom_up->setonly();
  geom_up->do_callback();
  EXPECT_EQ(R->geom_type, 0);  EXPECT_NE(R->L[1].hinge, nullptr);
  JC->q[0] = 170;
  geom_full->setonly();
  geom_full->do_callback();
  EXPECT_EQ(R->geom_type, 2);  EXPECT_EQ(R->limits, 1);
  EXPECT_EQ(JC->q[0], 160);
  EXPECT_EQ(LE[0].min->value(), -160);  EXPECT_EQ(LE[0].max->value(), 160);
  EXPECT_TRUE(LE[0].min->active());  EXPECT_EQ(joint_limits_on->value(), 1);
}

// a load hides every window of its list (each exists once the forms are built); reopened,
// Conditioning shows the new robot's numbers (velmora-kin indices Posit3: 1/kappa 0.489917,
// reach 7)
TEST_F(RobotDlg, LoadHidesTheWindowsOfTheOldRobot) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  ASSERT_GE(RobotLoadHiddenCount(), 11);
  for (int k = 0; k < RobotLoadHiddenCount(); k++) {
    ASSERT_NE(RobotLoadHidden(k), nullptr) << k;
    ShowWindow(RobotLoadHidden(k));
  }
  ASSERT_NE(NewRobot("Posit3"), nullptr);
  for (int k = 0; k < RobotLoadHiddenCount(); k++)
    EXPECT_FALSE(RobotLoadHidden(k)->shown()) << RobotLoadHidden(k)->label();
  EXPECT_EQ(RobotLoadHidden(RobotLoadHiddenCount()), nullptr);
  RunMenu(MENU_CONDITIONING);
  EXPECT_NEAR(condit_value->value(), 0.489917, 1e-5);
  EXPECT_NEAR(reach_value->value(), 7.0, 1e-5);
  condit_win->hide();
}

// the message line after each kind of load: a file that does not parse says why (an older
// error gone), a refused file (31 links) says why and a later success clears it, a robot
// named as a model with another link count says it is drawn with generic bodies
TEST_F(RobotDlg, MessagesAfterFailedAndFallenBackLoads) {
  MessageCallback saved = GetMessageCallback();
  RouteCoreMessages();
  std::string big = "geomtype = down\n";
  for (int i = 0; i < 31; i++) big += "{ a = 1 b = 0 al = 0 th = 0 }\n";
  WriteTextFile("Arch/Big", big);
  WriteTextFile("Arch/Broken", "geomtype = down\n{ a = 1 b = = }\n");
  WriteTextFile("Arch/Wrist", ReadTextFile("Arch/Puma560"));   // 6 links, the model has 3
  arch_fill();

  ASSERT_NE(NewRobot("Puma560"), nullptr);
  ShowMessage("Did Not Converge");
  ErrStatus = 1;
  ASSERT_TRUE(Pick("Broken"));
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  robot_load_cb(nullptr, nullptr);
  std::string said = testing::internal::GetCapturedStdout() +
                     testing::internal::GetCapturedStderr();
  EXPECT_EQ(R, nullptr);
  EXPECT_STREQ(window->label(), "Velmora--Broken-");
  EXPECT_STRNE(MessageText(), "");
  EXPECT_STRNE(MessageText(), "Did Not Converge");
  EXPECT_NE(said.find(MessageText()), std::string::npos) << MessageText() << "\n" << said;

  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(NewRobot("Big"), nullptr);
  testing::internal::GetCapturedStdout();
  testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string(MessageText()).find("30"), std::string::npos) << MessageText();
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  EXPECT_STREQ(MessageText(), "");

  testing::internal::CaptureStderr();
  ASSERT_NE(NewRobot("Wrist"), nullptr);
  testing::internal::GetCapturedStderr();
  EXPECT_STREQ(MessageText(), "Robot `Wrist' has 6 links but its built-in model has 3: drawn "
                              "with generic bodies");
  SetMessageCallback(saved);
}

// the question and refusal boxes hold their bold text: its measured width fits the box that
// shows it, and the box lies inside its window
TEST_F(RobotDlg, MessageBoxesFitTheirText) {
  const char* texts[] = {"Robot files are in use. Cannot delete.", "Overwrite existing file?",
                         "File exist! Overwrite?", "Delete the Robot?"};
  for (const char* t : texts) {
    Fl_Window* w = robot_dlg_box(100, 100, 175, t, nullptr, nullptr);
    Fl_Widget* box = w->child(0);
    ASSERT_STREQ(box->label(), t);
    int tw = 0, th = 0;
    fl_font(box->labelfont(), box->labelsize());
    fl_measure(t, tw, th, 0);
    EXPECT_LE(tw, box->w()) << t;
    EXPECT_LE(box->x() + box->w(), w->w()) << t;
    delete w;
  }
  ASSERT_NE(delete_in_use_win, nullptr);
  int tw = 0, th = 0;
  fl_font(FL_BOLD, 16);
  fl_measure("Robot files are in use. Cannot delete.", tw, th, 0);
  EXPECT_LE(tw, delete_in_use_win->child(0)->w());
  // a long name stays left of the "Geometry" heading
  ASSERT_TRUE(Pick("REKERROWB"));
  robot_load_cb(nullptr, nullptr);
  Fl_Widget* name = edit_robot_win->child(0);
  ASSERT_STREQ(name->label(), "REKERROWB");
  fl_font(name->labelfont(), name->labelsize());
  fl_measure("REKERROWB", tw, th, 0);
  EXPECT_LE(name->x() + tw, 120 - 2);
}
