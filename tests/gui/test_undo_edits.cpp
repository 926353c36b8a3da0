// test_undo_edits.cpp -- covers Undo and Redo of robot edits (src/gui/shell/undo_cmds.cpp with
// the robot dialogs): the robot's text, its limits and the joint values step back and forth
// exactly through mixed edits and moves
#include <gtest/gtest.h>

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Window.H>
#include <stdlib.h>

#include <string>
#include <vector>

#include "robot/app_state.h"
#include "gui/robot/robot_dlg.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "robot/undo.h"
#include "support/data_copy.h"

class UndoEdits : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override {
    NewRobot("");   // nothing loaded: every robot window goes
    Fl::check();
    LeaveDataCopy(dir);
  }
};

// the current robot's text as the writer gives it
static std::string Text() {
  char* t = edit_robot_text();
  std::string s = t ? t : "(none)";
  free(t);
  return s;
}

// text with the first occurrence of from after the line "/** Link k **/" replaced by to
static std::string InLink(const std::string& text, int k, const std::string& from,
                          const std::string& to) {
  size_t at = text.find("/** Link " + std::to_string(k) + " **/");
  at = at == std::string::npos ? at : text.find(from, at);
  if (at == std::string::npos) return "(no " + from + ")";
  return text.substr(0, at) + to + text.substr(at + from.size());
}

// what one state of the sequence must show
struct Seen {
  std::string text;
  std::vector<float> q;
  float min1;          // active minimum of joint 1
  int changed;
};

static void Expect(const Seen& s, const char* step) {
  EXPECT_EQ(Text(), s.text) << step;
  ASSERT_EQ(R->n, (int)s.q.size()) << step;
  for (int i = 0; i < R->n; i++) EXPECT_EQ(JC->q[i], s.q[i]) << step << " joint " << i + 1;
  EXPECT_EQ(R->L[0].q_limit[0], s.min1) << step;
  EXPECT_EQ(R->changed, s.changed) << step;
}

// the sample Puma560 (its file is in the writer's layout): a move of joint 1, link 2's a set
// to 5.25 in Link Settings, joint 1's minimum set to -123 in Joint Limits, a move of joint
// 3, link 3's maximum typed as 200 in Link Settings. Undo five times passes back through each
// state to the file as loaded, with the values typed and the file's home pose exactly; Redo
// five times comes forward again; the dialogs that were open stay open showing the robot;
// the file on disk is never touched; a load clears the history
TEST_F(UndoEdits, MixedEditsAndMovesStepBackAndForth) {
  const std::string file = ReadTextFile("Arch/Puma560");
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  const std::vector<float> home = {0, -30, 20, 0, 45, 0};   // th of the file's links
  const float min1 = -160;                                   // the file's limits of joint 1
  std::vector<Seen> seen;
  seen.push_back({file, home, min1, 0});
  RunMenu(MENU_FORWARD_KIN);
  RunMenu(MENU_EDIT_ROBOT);
  link_edit_cb(nullptr, (void*)1L);
  ASSERT_TRUE(LL[1].link_edit_win->shown());

  joint_config_set_q[0]->value(12.5);
  joint_config_set_cb(joint_config_set_q[0], (void*)0L);
  std::vector<float> q = home;
  q[0] = 12.5f;
  seen.push_back({file, q, min1, 0});

  LL[1].revo_a->value(5.25);
  LL[1].revo_a->do_callback();
  const std::string text1 = InLink(file, 2, "a  = 4.318000", "a  = 5.250000");
  seen.push_back({text1, q, min1, 1});

  LE[0].min->value(-123);
  LE[0].min->do_callback();
  seen.push_back({text1, q, -123, 1});

  joint_config_set_q[2]->value(-17.75);
  joint_config_set_cb(joint_config_set_q[2], (void*)2L);
  q[2] = -17.75f;
  seen.push_back({text1, q, -123, 1});

  LL[2].limits_max->value("200");
  LL[2].limits_max->do_callback();
  const std::string text2 =
    InLink(text1, 3, "limits = [ -45.000000,  225.000000]", "limits = [ -45.000000,  200.000000]");
  seen.push_back({text2, q, -123, 1});

  Expect(seen[5], "after the edits");
  EXPECT_EQ(UndoDepth(), 5);
  for (int k = 4; k >= 0; k--) {
    RunMenu(MENU_UNDO);
    Expect(seen[k], ("undo to state " + std::to_string(k)).c_str());
  }
  EXPECT_EQ(RedoDepth(), 5);
  Fl::check();
  ASSERT_NE(edit_robot_win, nullptr);
  EXPECT_TRUE(edit_robot_win->shown());                  // rebuilt, and still open
  EXPECT_TRUE(LL[1].link_edit_win->shown());
  EXPECT_FALSE(LL[2].link_edit_win->shown());
  EXPECT_NEAR(LL[1].revo_a->value(), 4.318, 1e-6);      // showing the robot of the file
  EXPECT_STREQ(LL[2].limits_max->value(), "225");
  EXPECT_NEAR(LE[0].min->value(), -160, 1e-9);
  for (int k = 1; k <= 5; k++) {
    RunMenu(MENU_REDO);
    Expect(seen[k], ("redo to state " + std::to_string(k)).c_str());
  }
  EXPECT_NEAR(LL[1].revo_a->value(), 5.25, 1e-6);
  EXPECT_STREQ(LL[2].limits_max->value(), "200");
  EXPECT_NEAR(LE[0].min->value(), -123, 1e-9);
  EXPECT_STREQ(R->name, "Puma560");
  EXPECT_EQ(ReadTextFile("Arch/Puma560"), file);

  ASSERT_NE(NewRobot("Puma560"), nullptr);
  EXPECT_EQ(UndoDepth(), 0);
  EXPECT_EQ(RedoDepth(), 0);
  Expect(seen[0], "loaded again");
}

// after Save the saved robot is the one without unsaved edits: undoing the edit saved marks
// the robot edited, redoing it clears the mark again
TEST_F(UndoEdits, TheSavedRobotHasNoUnsavedEdits) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  LL[0].revo_b->value(7);
  LL[0].revo_b->do_callback();
  EXPECT_EQ(R->changed, 1);
  edit_robot_save_cb();
  EXPECT_EQ(R->changed, 0);
  EXPECT_NE(ReadTextFile("Arch/Puma560").find("b  = 7.000000"), std::string::npos);
  RunMenu(MENU_UNDO);
  EXPECT_EQ(R->changed, 1);
  EXPECT_FLOAT_EQ(R->L[0].b, 6.6f);
  RunMenu(MENU_REDO);
  EXPECT_EQ(R->changed, 0);
  EXPECT_FLOAT_EQ(R->L[0].b, 7.0f);
}

// geometry Up undone: Full lit again and the model's bodies back; redone: Up lit, with Full
// still there to choose, as after the edit itself; the cell shown stays ticked
TEST_F(UndoEdits, GeometryStyleStepsBackAndForth) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_EDIT_ROBOT);
  Fl_Button* scene = robot_dlg_button(edit_robot_win, "Scene");
  ASSERT_NE(scene, nullptr);
  scene->value(1);
  scene->do_callback();
  geom_up->do_callback();
  EXPECT_EQ(R->geom_type, 0);
  EXPECT_EQ(R->changed, 1);
  RunMenu(MENU_UNDO);
  EXPECT_EQ(R->geom_type, 2);
  ASSERT_NE(geom_full, nullptr);
  EXPECT_EQ(geom_full->value(), 1);
  EXPECT_EQ(geom_up->value(), 0);
  EXPECT_NE(R->links, nullptr);
  EXPECT_EQ(R->changed, 0);
  EXPECT_EQ(robot_dlg_button(edit_robot_win, "Scene")->value(), 1);   // the cell still shown
  RunMenu(MENU_REDO);
  EXPECT_EQ(R->geom_type, 0);
  EXPECT_EQ(geom_up->value(), 1);
  EXPECT_TRUE(geom_full->active());
  EXPECT_TRUE(edit_robot_win->shown());
  robot_dlg_button(edit_robot_win, "Scene")->do_callback();   // the cell goes for the next
  ShowScene = 0;
}

// link 1's Limits unticked, both fields emptied, ticked again: the file then holds [0, 0];
// Undo and Redo across it bring the box and the line back as they were
TEST_F(UndoEdits, LimitsTickedWithoutValuesComeBack) {
  const std::string file = ReadTextFile("Arch/Puma560");
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  const std::string line = "     limits = [ -160.000000,  160.000000]\n";
  LL[0].limits_box->value(0);
  LL[0].limits_box->do_callback();
  EXPECT_EQ(Text(), InLink(file, 1, line, ""));
  LL[0].limits_min->value("");
  LL[0].limits_min->do_callback();
  LL[0].limits_max->value("");
  LL[0].limits_max->do_callback();
  LL[0].limits_box->value(1);
  LL[0].limits_box->do_callback();
  const std::string zero = InLink(file, 1, line, "     limits = [ 0.000000,  0.000000]\n");
  EXPECT_EQ(Text(), zero);
  RunMenu(MENU_UNDO);
  EXPECT_EQ(Text(), InLink(file, 1, line, ""));
  EXPECT_EQ(LL[0].limits_box->value(), 0);
  RunMenu(MENU_REDO);
  EXPECT_EQ(Text(), zero);
  EXPECT_EQ(LL[0].limits_box->value(), 1);
  EXPECT_STREQ(LL[0].limits_min->value(), "");
  for (int k = 0; k < 3; k++) RunMenu(MENU_UNDO);
  EXPECT_EQ(Text(), file);
  EXPECT_EQ(LL[0].limits_box->value(), 1);
  EXPECT_STREQ(LL[0].limits_min->value(), "-160");
  EXPECT_EQ(R->changed, 0);
}
