// test_robot_files.cpp -- covers src/robot/robot_files.cpp
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "robot/robot_files.h"
#include "support/data_copy.h"

// typed names: what may become a file, and what is refused before anything is written
TEST(RobotDialogFiles, NameRule) {
  EXPECT_EQ(RobotNameProblem("arm_2.b"), nullptr);
  EXPECT_EQ(RobotNameProblem(std::string(63, 'a').c_str()), nullptr);
  const char* bad[] = {"", "a/b", "../Arch", ".arm", "~arm", "arm~", "arm.CKP", "a\nb"};
  for (const char* s : bad) EXPECT_NE(RobotNameProblem(s), nullptr) << s;
  EXPECT_NE(RobotNameProblem(std::string(64, 'a').c_str()), nullptr);
  EXPECT_NE(RobotNameProblem(nullptr), nullptr);
}

// "arm" owns arm.home and arm.x, not arm2.home, hidden names or backups
TEST(RobotDialogFiles, DeleteMatchRule) {
  EXPECT_TRUE(robot_delete_match("arm.home", "arm"));
  EXPECT_TRUE(robot_delete_match("arm.x", "arm"));
  EXPECT_TRUE(robot_delete_match("arm.x.CKP", "arm"));
  EXPECT_FALSE(robot_delete_match("arm2.home", "arm"));
  EXPECT_FALSE(robot_delete_match("arm", "arm"));
  EXPECT_FALSE(robot_delete_match("arm.home~", "arm"));
  EXPECT_FALSE(robot_delete_match("Xarm.home", "arm"));
  EXPECT_FALSE(robot_delete_match(".arm.home", ".arm"));
}

// the list: plain files only, hidden names and backups left out, sorted
TEST(RobotDialogFiles, ListFiltersAndSorts) {
  std::string dir = EnterDataCopy(0);
  ASSERT_FALSE(dir.empty());
  for (const char* f : {"zeta", "alpha", ".hidden", "beta~", "gamma.CKP", "Mid"})
    ASSERT_EQ(WriteTextFile(std::string("Arch/") + f, "x"), 0);
  mkdir("Arch/folder", 0755);
  NameListPtr l = ListRobotFiles();
  ASSERT_EQ(l->n, 3);
  EXPECT_STREQ(l->name[0], "Mid");  EXPECT_STREQ(l->name[1], "alpha");
  EXPECT_STREQ(l->name[2], "zeta");
  FreeNameList(l);
  LeaveDataCopy(dir);
}

// deleting arm takes its three kinds of files and nothing of arm2; the current robot and
// names that lead out of the directories take nothing
TEST(RobotDialogFiles, DeleteTakesOnlyTheRobotsFiles) {
  std::string dir = EnterDataCopy(0);
  ASSERT_FALSE(dir.empty());
  for (const char* f : {"Arch/arm", "Arch/arm2", "Description/arm", "Description/arm2",
                        "JConfig/arm.home", "JConfig/arm.x", "JConfig/arm2.home",
                        "JConfig/arm.home~", "outside"})
    ASSERT_EQ(WriteTextFile(f, "x"), 0);
  EXPECT_EQ(DeleteRobotFiles("arm", "arm"), RobotInUse);
  EXPECT_EQ(DeleteRobotFiles("../outside", nullptr), RobotBadName);
  EXPECT_EQ(DeleteRobotFiles(".", nullptr), RobotBadName);
  EXPECT_EQ(ListFiles("Arch"), "arm\narm2\n");
  EXPECT_EQ(DeleteRobotFiles("arm", "arm2"), RobotDeleted);
  EXPECT_EQ(ListFiles("Arch"), "arm2\n");
  EXPECT_EQ(ListFiles("Description"), "arm2\n");
  EXPECT_EQ(ListFiles("JConfig"), "arm.home~\narm2.home\n");
  EXPECT_EQ(ReadTextFile("outside"), "x");
  LeaveDataCopy(dir);
}

// a description reads with its newlines as spaces, copies whole, and a missing one is empty
TEST(RobotDialogFiles, DescriptionReadAndCopy) {
  std::string dir = EnterDataCopy(0);
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(WriteTextFile("Description/arm", "two\nlines\n"), 0);
  char* s = ReadDescription("arm", 1);
  EXPECT_STREQ(s, "two lines ");
  free(s);
  s = ReadDescription("none", 1);
  EXPECT_STREQ(s, "");
  free(s);
  EXPECT_EQ(CopyDescription("arm", "arm2"), 0);
  EXPECT_EQ(ReadTextFile("Description/arm2"), "two\nlines\n");
  EXPECT_EQ(CopyDescription("none", "arm2"), 0);
  EXPECT_EQ(ReadTextFile("Description/arm2"), "");
  EXPECT_EQ(WriteDescription("a/b", "x"), -1);
  // no directory to write into: refused, the robot's own description untouched
  ASSERT_EQ(system("rm -rf Description"), 0);
  EXPECT_EQ(WriteDescription("arm", "new"), -1);
  LeaveDataCopy(dir);
}

// derived fields follow an edit: b = -0.5 gives |b| 0.5 and sign -1; al = 90 gives cos 0,
// sin 1; th = 180 gives cos -1; a prismatic link's home value is b
TEST(RobotDialogFiles, LinkEditKeepsDerivedFields) {
  Link l;
  memset(&l, 0, sizeof l);
  SetLinkParams(&l, 0, 1, -0.5f, 90, 180);
  EXPECT_FLOAT_EQ(l.abs_b, 0.5f);  EXPECT_EQ(l.sign_b, -1);
  EXPECT_NEAR(l.cal, 0, 1e-7);  EXPECT_FLOAT_EQ(l.sal, 1);
  EXPECT_FLOAT_EQ(l.cth, -1);  EXPECT_FLOAT_EQ(l.h_q, 180);
  SetLinkParams(&l, 1, 0, 2, 0, 0);
  EXPECT_EQ(l.sign_b, 1);  EXPECT_FLOAT_EQ(l.h_q, 2);
}
