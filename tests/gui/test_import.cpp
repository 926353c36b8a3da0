// test_import.cpp -- covers src/gui/robot/robot_import_win.cpp and the robot argument of the
// program: a robot file from another folder imported into Arch and loaded, a broken one
// refused with the reader's words, another robot of the name kept without the yes
#include <gtest/gtest.h>

#include <FL/Fl_Window.H>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "robot/app_state.h"
#include "base/message.h"
#include "gui/robot/robot_dlg.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// two revolute links and a prismatic one: 3 links, no characteristic length ("-" in titles)
static const char* kArm =
    "/* a three-link test arm */\n{ a = 1 }\n{ a = 0.5 b = 0.25 }\n{ joint = prismatic b = 0.1 }\n";

// the main window up, a copy of data/ as the data folder, and a folder outside it laid out
// as another data folder (Arch and Description)
class Import : public ::testing::Test {
 protected:
  std::string dir, src;
  MessageCallback saved = nullptr;
  void SetUp() override {
    EnsureMainWindow();
    char tmpl[] = "/tmp/velmora-import-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    src = tmpl;
    ASSERT_EQ(system(("mkdir " + src + "/Arch " + src + "/Description").c_str()), 0);
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    saved = GetMessageCallback();
    RouteCoreMessages();
    asked = "";
    answer = 0;
    SetImportQuestion(Answer);
  }
  void TearDown() override {
    SetImportQuestion(nullptr);
    SetMessageCallback(saved);
    if (edit_robot_saved_win) edit_robot_saved_win->hide();
    NewRobot("");
    Fl::check();
    LeaveDataCopy(dir);
    EXPECT_EQ(system(("rm -rf " + src).c_str()), 0);
  }
  static std::string asked;
  static int answer;
  static int Answer(const char* name) {
    asked += std::string(name) + "\n";
    return answer;
  }
};
std::string Import::asked;
int Import::answer = 0;

// from a folder outside the data folder: byte-identical robot and description in Arch, the
// robot loaded (name and link count of the file), titled, the copy's full path confirmed in
// the box and on the message line
TEST_F(Import, CopiesIntoArchAndLoads) {
  ASSERT_EQ(WriteTextFile(src + "/Arch/Arm3", kArm), 0);
  ASSERT_EQ(WriteTextFile(src + "/Description/Arm3", "Three links.\n"), 0);
  ASSERT_EQ(robot_import_path((src + "/Arch/Arm3").c_str(), 1), 0);
  EXPECT_EQ(ReadTextFile("Arch/Arm3"), kArm);
  EXPECT_EQ(ReadTextFile("Description/Arm3"), "Three links.\n");
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->name, "Arm3");
  EXPECT_EQ(R->n, 3);
  EXPECT_EQ(R->L[2].joint, 1);
  EXPECT_FLOAT_EQ(R->L[1].a, 0.5f);
  EXPECT_STREQ(window->label(), "Velmora--Arm3-");
  std::string said = "Imported " + dir + "/Arch/Arm3";
  EXPECT_EQ(MessageText(), said);
  ASSERT_TRUE(edit_robot_saved_win && edit_robot_saved_win->visible());
  EXPECT_EQ(edit_robot_saved_win->child(0)->label(), said);
  EXPECT_EQ(asked, "");
}

// a broken file: the reader's message with the file's path, nothing copied (the description
// neither), the loaded robot the very same record
TEST_F(Import, BrokenFileIsRefused) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  Robot before = R;
  std::string arch = ListFiles("Arch"), desc = ListFiles("Description");
  std::string broken = src + "/Arch/Broken";
  ASSERT_EQ(WriteTextFile(broken, "{\n a = 1\n {"), 0);
  ASSERT_EQ(WriteTextFile(src + "/Description/Broken", "no"), 0);
  EXPECT_EQ(robot_import_path(broken.c_str(), 1), -1);
  EXPECT_EQ(MessageText(), "Unexpected '{' at line 3 in " + broken);
  EXPECT_EQ(ListFiles("Arch"), arch);
  EXPECT_EQ(ListFiles("Description"), desc);
  EXPECT_EQ(R, before);
  EXPECT_STREQ(R->name, "Puma560");
  EXPECT_EQ(R->n, 6);
}

// another robot of the name: asked once by name; "no" keeps its bytes and the loaded robot,
// "yes" replaces and loads it
TEST_F(Import, ExistingNameNeedsTheYes) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  std::string kept = ReadTextFile("Arch/Arm4R");
  ASSERT_EQ(WriteTextFile(src + "/Arm4R", kArm), 0);
  answer = 0;
  EXPECT_EQ(robot_import_path((src + "/Arm4R").c_str(), 1), -1);
  EXPECT_EQ(asked, "Arm4R\n");
  EXPECT_EQ(ReadTextFile("Arch/Arm4R"), kept);
  EXPECT_STREQ(MessageText(), "Nothing imported: Arch/Arm4R kept");
  EXPECT_STREQ(R->name, "Puma560");
  answer = 1;
  EXPECT_EQ(robot_import_path((src + "/Arm4R").c_str(), 1), 0);
  EXPECT_EQ(ReadTextFile("Arch/Arm4R"), kArm);
  EXPECT_STREQ(R->name, "Arm4R");
  EXPECT_EQ(R->n, 3);
}

// velmora sub/Arm3 started in the folder above sub: its window is titled by the robot and
// the data folder's Arch holds the file's bytes; a name still names a robot of Arch
TEST_F(Import, ProgramTakesARelativePath) {
  ASSERT_EQ(system(("mkdir " + src + "/sub").c_str()), 0);
  ASSERT_EQ(WriteTextFile(src + "/sub/Arm3", kArm), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (chdir(src.c_str()) != 0 || !freopen("/dev/null", "w", stdout)) _exit(5);
    execl(VELMORA_PROGRAM, "velmora", "--data", dir.c_str(), "sub/Arm3", (char*)nullptr);
    _exit(4);
  }
  std::string found;
  std::string cmd = "xdotool search --pid " + std::to_string(pid) + " --name '^Velmora--Arm3-$'";
  for (int i = 0; i < 200 && found.empty(); i++) {
    usleep(50000);
    found = ShellOut(cmd + " 2>/dev/null");
  }
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_FALSE(found.empty()) << "no window titled \"Velmora--Arm3-\"";
  EXPECT_EQ(ReadTextFile(dir + "/Arch/Arm3"), kArm);
}
