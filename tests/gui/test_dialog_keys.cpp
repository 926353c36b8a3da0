// test_dialog_keys.cpp -- covers the Enter and Escape keys of the dialogs: Enter presses the
// default button (Save As, Load Robot, a name field's save), Escape closes a dialog and
// never the main window
#include <gtest/gtest.h>

#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <string>

#include "robot/app_state.h"
#include "gui/env/environment.h"
#include "gui/robot/robot_dlg.h"
#include "gui_window.h"
#include "support/data_copy.h"

// the main window up, a copy of data/ as the data folder, Puma560 loaded
class DialogKeys : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    ASSERT_NE(NewRobot("Puma560"), nullptr);
  }
  void TearDown() override {
    for (Fl_Window* w : {Robot_Save_win, arch_win, edit_robot_saved_win, workspace_win})
      if (w) w->hide();
    NewRobot("");
    Fl::check();
    LeaveDataCopy(dir);
  }
};

// a key pressed with focus in widget of its shown window w, as the toolkit delivers it
static int Key(Fl_Window* w, Fl_Widget* focus, int key) {
  Fl::focus(focus);
  Fl::e_keysym = key;
  Fl::e_state = 0;
  Fl::e_text = (char*)(key == FL_Enter ? "\r" : key == FL_Escape ? "\033" : "");
  Fl::e_length = key == FL_Enter || key == FL_Escape ? 1 : 0;
  int used = Fl::handle(FL_KEYBOARD, w);
  Fl::check();
  return used;
}

// Enter in the Save As name field saves under the name (the new robot loaded), Escape in
// it closes the dialog; Escape in the main window leaves it open and the program running
TEST_F(DialogKeys, EnterSavesEscapeClosesAndTheMainWindowStays) {
  RunMenu(MENU_SAVE_AS);
  ASSERT_TRUE(Robot_Save_win && Robot_Save_win->shown());
  robot_saveas_name->value("by_enter");
  EXPECT_EQ(Key(Robot_Save_win, robot_saveas_name, FL_Enter), 1);
  EXPECT_EQ(ReadTextFile("Arch/by_enter").rfind("/*", 0), 0u);   // a robot file's heading
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->name, "by_enter");
  EXPECT_EQ(MessageText(), "Saved " + dir + "/Arch/by_enter");

  RunMenu(MENU_SAVE_AS);   // a load destroyed the dialog: a new one
  ASSERT_TRUE(Robot_Save_win && Robot_Save_win->shown());
  Key(Robot_Save_win, robot_saveas_name, FL_Escape);
  EXPECT_FALSE(Robot_Save_win->shown());

  ASSERT_TRUE(window->shown());
  Key(window, opengl_window, FL_Escape);
  EXPECT_TRUE(window->shown());
  EXPECT_NE(R, nullptr);
}

// Enter in the robot list loads the robot selected
TEST_F(DialogKeys, EnterInTheRobotListLoadsTheSelection) {
  RunMenu(MENU_LOAD_ROBOT);
  ASSERT_TRUE(arch_win->shown());
  int k = 0;
  for (int i = 1; i <= arch_select->size(); i++)
    if (std::string(arch_select->text(i)) == "Arm4R") k = i;
  ASSERT_GT(k, 0);
  arch_select->value(k);
  Key(arch_win, arch_select, FL_Enter);
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->name, "Arm4R");
  EXPECT_EQ(R->n, 4);
}

// Enter in the work environment's file field saves it there, as its "save" does
TEST_F(DialogKeys, EnterInANameFieldSaves) {
  RunMenu(MENU_SET_WORK_ENV);
  ASSERT_TRUE(workspace_win && workspace_win->shown());
  std::string typed = ws_file->value();   // the field outlives the test: put back after
  ws_file->value("by_enter");
  Key(workspace_win, ws_file, FL_Enter);
  EXPECT_NE(ReadTextFile("Workspace/by_enter"), "");
  EXPECT_EQ(MessageText(), "Saved " + dir + "/Workspace/by_enter");
  ws_file->value(typed.c_str());
}
