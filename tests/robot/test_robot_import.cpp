// test_robot_import.cpp -- covers src/robot/robot_import.cpp: a robot file from another folder
// checked by the reader and copied into Arch with its description, never over another robot
// without the caller's yes, nothing written after a refusal or a failed write
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "base/message.h"
#include "robot/robot.h"
#include "robot/robot_files.h"
#include "robot/robot_import.h"
#include "support/data_copy.h"

// a data folder to import into, and a folder outside it laid out as another data folder
class RobotImport : public ::testing::Test {
 protected:
  std::string dir, src;
  void SetUp() override {
    char tmpl[] = "/tmp/velmora-import-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    src = tmpl;
    ASSERT_EQ(mkdir((src + "/Arch").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((src + "/Description").c_str(), 0755), 0);
    dir = EnterDataCopy(0);
    ASSERT_FALSE(dir.empty());
    said.clear();
    SetMessageCallback(Said);
  }
  void TearDown() override {
    SetMessageCallback(nullptr);
    LeaveDataCopy(dir);
    EXPECT_EQ(system(("rm -rf " + src).c_str()), 0);
  }
  static std::string said;
  // what the user is told: warnings and refusals, not the reader's trace lines
  static void Said(int kind, const char* text) {
    if (kind != MsgTrace) said += text;
  }
};
std::string RobotImport::said;

// two revolute links and a prismatic one, with a comment: copied byte for byte
static const char* kArm =
    "/* a three-link test arm */\n{ a = 1 }\n{ a = 0.5 b = 0.25 }\n{ joint = prismatic b = 0.1 }\n";

// from the Arch of another folder: the file and the description beside its Arch copied
// byte for byte, the allRevolute of the loaded robot left as it was; again: the same bytes
// are there already, nothing is written; a robot file with its description in the folder's
// own Description is taken too
TEST_F(RobotImport, CopiesTheFileAndItsDescription) {
  ASSERT_EQ(WriteTextFile(src + "/Arch/Arm3", kArm), 0);
  ASSERT_EQ(WriteTextFile(src + "/Description/Arm3", "Three links.\nOne slides.\n"), 0);
  char name[ROBOT_NAME_MAX + 1];
  allRevolute = 1;   // the loaded robot's; the imported one has a prismatic joint
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Arm3").c_str(), 0, name), RobotImported) << said;
  EXPECT_EQ(allRevolute, 1);
  EXPECT_STREQ(name, "Arm3");
  EXPECT_EQ(ReadTextFile("Arch/Arm3"), kArm);
  EXPECT_EQ(ReadTextFile("Description/Arm3"), "Three links.\nOne slides.\n");
  EXPECT_EQ(said, "");
  struct stat before, after;
  ASSERT_EQ(stat("Arch/Arm3", &before), 0);
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Arm3").c_str(), 0, name), RobotImportSame);
  ASSERT_EQ(stat("Arch/Arm3", &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);   // not even rewritten
  // the folder's own Description; no description at all copies the file alone
  ASSERT_EQ(WriteTextFile(src + "/Arm4", kArm), 0);
  ASSERT_EQ(WriteTextFile(src + "/Description/Arm4", "beside"), 0);
  EXPECT_EQ(ImportRobotFile((src + "/Arm4").c_str(), 0, name), RobotImported);
  EXPECT_EQ(ReadTextFile("Description/Arm4"), "beside");
  ASSERT_EQ(WriteTextFile(src + "/Arm5", kArm), 0);
  EXPECT_EQ(ImportRobotFile((src + "/Arm5").c_str(), 0, name), RobotImported);
  EXPECT_EQ(ReadTextFile("Arch/Arm5"), kArm);
  EXPECT_EQ(ListFiles("Description"), "Arm3\nArm4\n");
}

// refused, with the reader's own words and nothing written: a broken robot file, a name the
// rule refuses, something that is not a plain file
TEST_F(RobotImport, RefusalsWriteNothing) {
  char name[ROBOT_NAME_MAX + 1];
  std::string broken = src + "/Arch/Broken";
  ASSERT_EQ(WriteTextFile(broken, "{\n a = 1\n {"), 0);
  ASSERT_EQ(WriteTextFile(src + "/Description/Broken", "never copied"), 0);
  EXPECT_EQ(ImportRobotFile(broken.c_str(), 0, name), RobotImportRefused);
  EXPECT_EQ(said, "Unexpected '{' at line 3 in " + broken + "\n");
  said.clear();
  ASSERT_EQ(WriteTextFile(src + "/Arch/.hidden", kArm), 0);
  EXPECT_EQ(ImportRobotFile((src + "/Arch/.hidden").c_str(), 0, name), RobotImportRefused);
  EXPECT_EQ(said, "Cannot import `" + src + "/Arch/.hidden': File name must not begin with \".\"\n");
  said.clear();
  EXPECT_EQ(ImportRobotFile((src + "/Arch").c_str(), 0, name), RobotImportRefused);
  EXPECT_EQ(said, "Unable to open file `" + src + "/Arch': not a plain file\n");
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Missing").c_str(), 0, name), RobotImportRefused);
  EXPECT_EQ(ListFiles("Arch"), "");
  EXPECT_EQ(ListFiles("Description"), "");
}

// another robot of the name stays without the yes; with it, it is replaced; a write that
// fails keeps the old file and says so
TEST_F(RobotImport, ExistingRobotNeedsTheYes) {
  char name[ROBOT_NAME_MAX + 1];
  ASSERT_EQ(WriteTextFile("Arch/Arm3", "{ a = 7 }\n"), 0);
  ASSERT_EQ(WriteTextFile(src + "/Arch/Arm3", kArm), 0);
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Arm3").c_str(), 0, name), RobotImportExists);
  EXPECT_STREQ(name, "Arm3");
  EXPECT_EQ(ReadTextFile("Arch/Arm3"), "{ a = 7 }\n");
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Arm3").c_str(), 1, name), RobotImported);
  EXPECT_EQ(ReadTextFile("Arch/Arm3"), kArm);
  // "Arch" a plain file: the copy cannot be made
  ASSERT_EQ(system("rm -rf Arch && echo kept > Arch"), 0);
  said.clear();
  EXPECT_EQ(ImportRobotFile((src + "/Arch/Arm3").c_str(), 1, name), RobotImportNotWritten);
  EXPECT_EQ(said.rfind("Unable to write file `Arch/Arm3'", 0), 0u) << said;
  EXPECT_EQ(ReadTextFile("Arch"), "kept\n");
  ASSERT_EQ(system("rm -f Arch && mkdir Arch"), 0);
}
