// test_file_names.cpp -- covers the typed-name rule in every dialog that saves under a typed
// name (robot dialogs, Forward Kinematics, Save JT, Transform, Work Environment, Export,
// Export URDF, Plot) and the robot list's handling of a "~" entry
#include <gtest/gtest.h>

#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <stdio.h>
#include <string.h>

#include <string>

#include "robot/app_state.h"
#include "base/message.h"
#include "gui/env/environment.h"
#include "gui/export/analysis_wins.h"
#include "gui/export/menu_export_gl.h"
#include "gui/pose/pose_panels.h"
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"
#include "gui/traj/traj_panels.h"
#include "gui_window.h"
#include "robot/robot_files.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// every path below the working directory, with size, one per line, sorted
static std::string Tree() {
  FILE* p = popen("find . -printf '%p %s\\n' | LC_ALL=C sort", "r");
  std::string s;
  char line[512];
  while (p && fgets(line, sizeof line, p)) s += line;
  if (p) pclose(p);
  return s;
}

class FileNames : public ::testing::Test {
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
    for (Fl_Window* w : {urdf_win, traj_plot_win, cart_traj_win, trans_win, joint_config_win,
                         arch_new_win, Robot_Save_win})
      if (w) w->hide();
    Tick();
    UnloadRobot();
    LeaveDataCopy(dir);
    SetMessageCallback(nullptr);
  }
};

// a dialog: its name input and what its save press does
struct Dialog {
  const char* what;
  Fl_Input** input;
  void (*save)(void);
};

// "~x" (a path by the readers' rule) and a pasted newline are refused by every dialog with
// the rule's words on the message line, and nothing in the data folder changes
TEST_F(FileNames, EveryDialogRefusesTildeAndNewline) {
  RunMenu(MENU_CART_TRAJ);                      // a Cartesian trajectory for Save JT, Plot
  Select(cart_traj_select, "Puma560.arc");
  ASSERT_TRUE(CT.active);
  Export_Gl_Set = 0;                            // an earlier export in this process set it
  for (int code : {MENU_SAVE_AS, MENU_FORWARD_KIN, MENU_TRANSFORM_TRAJ, MENU_SET_WORK_ENV,
                   MENU_EXPORT, MENU_EXPORT_URDF, MENU_PLOT})
    RunMenu(code);
  arch_new_links->value(2);                     // New Robot's second step: the parameters
  arch_new_cb(nullptr, nullptr);
  Dialog dialogs[] = {
      {"New Robot", &arch_new_filename, [] { new_robot_save_cb(nullptr, nullptr); }},
      {"Save As", &robot_saveas_name, [] { robot_saveas_cb(nullptr, nullptr); }},
      {"Forward Kinematics", &joint_config_file,
       [] { joint_config_save_cb(nullptr, joint_config_file); }},
      {"Save JT", &CtoJ_name, [] { CtoJ_save_b->do_callback(); }},
      {"Transform", &trans_file_name, [] { traj_save_cb(nullptr, nullptr); }},
      {"Work Environment", &ws_file, [] { ws_save->do_callback(); }},
      {"Export", &export_gl_filename, [] { export_gl_set_cb(nullptr, nullptr); }},
      {"Export URDF", &urdf_name, [] { urdf_save_b->do_callback(); }},
      {"Plot SVG", &traj_plot_name, [] { traj_plot_svg_b->do_callback(); }},
      {"Plot PNG", &traj_plot_name, [] { traj_plot_png_b->do_callback(); }}};
  const char* names[][2] = {{"~x", "File name must not begin with \"~\""},
                            {"a\nb", "File name must not contain control characters"}};
  std::string before = Tree();
  Export_Gl_Set = 0;                            // an earlier export may have left it armed
  for (auto& d : dialogs) {
    ASSERT_NE(*d.input, nullptr) << d.what;
    for (auto& n : names) {
      ClearMessage();
      (*d.input)->value(n[0]);
      d.save();
      EXPECT_STREQ(MessageText(), n[1]) << d.what << " " << n[0];
    }
  }
  EXPECT_EQ(Tree(), before);
  EXPECT_EQ(Export_Gl_Set, 0);                  // the export never armed itself
}

// an entry "~z" put into Arch by hand is not listed, and Delete refuses it without touching
// the file of that name beside Arch
TEST_F(FileNames, TildeEntryInArchIsNeitherListedNorRemoved) {
  ASSERT_EQ(WriteTextFile("Arch/~z", "junk\n"), 0);
  ASSERT_EQ(WriteTextFile("~z", "user file\n"), 0);
  arch_fill();
  for (int k = 1; k <= arch_select->size(); k++) EXPECT_STRNE(arch_select->text(k), "~z");
  EXPECT_EQ(DeleteRobotFiles("~z", "Puma560"), RobotBadName);
  EXPECT_EQ(ReadTextFile("~z"), "user file\n");
  EXPECT_EQ(ReadTextFile("Arch/~z"), "junk\n");
}
