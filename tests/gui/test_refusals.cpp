// test_refusals.cpp -- covers the way the readers' refusals reach the user: the message line
// (src/gui/shell/message_line.cpp) and the program's line-buffered standard output
#include <gtest/gtest.h>

#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "robot/app_state.h"
#include "base/message.h"
#include "gui/pose/pose_panels.h"
#include "gui/robot/robot_dlg.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// a stray token after the pose vector, a stray number between link blocks
static const char* kStrayPose = "th = [ 1 2 3 4 5 6 ]\n7\n";
static const char* kStrayRobot = "{ a = 1 }\n{ a = 2 }\n5\n";

// choose the line that reads name, as a click does
static void PickLine(Fl_Browser* b, const char* name) {
  for (int i = 1; i <= b->size(); i++)
    if (!strcmp(b->text(i), name)) {
      b->value(i);
      b->do_callback();
      return;
    }
  ADD_FAILURE() << name << " is not listed";
}

// the readers' "ERROR" lines are refusals: on the message line, and the pose stays
TEST(Refusals, ReaderErrorLinesReachTheMessageLine) {
  EnsureMainWindow();
  RouteCoreMessages();
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  ASSERT_EQ(WriteTextFile("JConfig/Puma560.stray", kStrayPose), 0);
  ASSERT_EQ(WriteTextFile("Arch/Stray", kStrayRobot), 0);
  RunMenu(MENU_SELECT_CONFIG);
  config_jump->do_callback();
  float before[6];
  memcpy(before, JC->q, sizeof before);
  ClearMessage();
  PickLine(config_browser, "Puma560.stray");
  EXPECT_STREQ(MessageText(), "ERROR 2");
  EXPECT_EQ(memcmp(JC->q, before, sizeof before), 0);
  RunMenu(MENU_LOAD_ROBOT);
  ClearMessage();
  Select(arch_select, "Stray");
  robot_load_cb(nullptr, nullptr);
  EXPECT_STREQ(MessageText(), "ERROR at line 3");
  if (config_win) config_win->hide();
  if (arch_win) arch_win->hide();
  UnloadRobot();
  LeaveDataCopy(dir);
  SetMessageCallback(nullptr);
}

// the program's standard output into a pipe: the refusal arrives while the program still runs
// (a block-buffered stream would hold it until the end)
TEST(Refusals, ProgramOutputIsLineBuffered) {
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(WriteTextFile("Arch/Stray", kStrayRobot), 0);
  int fd[2];
  ASSERT_EQ(pipe(fd), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(fd[1], 1);
    close(fd[0]);  close(fd[1]);
    if (!freopen("/dev/null", "w", stderr)) _exit(5);
    execl(VELMORA_PROGRAM, "velmora", "--data", dir.c_str(), "Stray", (char*)nullptr);
    _exit(4);
  }
  close(fd[1]);
  std::string out;
  for (int i = 0; i < 100 && out.find("ERROR at line 3\n") == std::string::npos; i++) {
    struct pollfd p = {fd[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[4096];
    ssize_t k = read(fd[0], buf, sizeof buf);
    if (k <= 0) break;
    out.append(buf, (size_t)k);
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the program ended";
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  close(fd[0]);
  EXPECT_NE(out.find("ERROR at line 3\n"), std::string::npos) << out;
  LeaveDataCopy(dir);
}
