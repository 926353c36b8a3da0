// test_user_path.cpp -- covers src/base/user_path.cpp: typed paths made absolute ("~",
// "~user", relative, "./") and paths shown with the home folder as "~"
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "base/user_path.h"

// $HOME set for the test's span and put back after it
class UserPathTest : public ::testing::Test {
 protected:
  std::string saved;
  bool had = false;
  void SetUp() override {
    const char* h = getenv("HOME");
    had = h != nullptr;
    if (h) saved = h;
  }
  void TearDown() override {
    if (had) setenv("HOME", saved.c_str(), 1);
    else unsetenv("HOME");
  }
};

// "~" from $HOME, "~root" from the password file, "/" as given, the rest below dir with
// "./" dropped; a path that does not fit is refused
TEST_F(UserPathTest, TypedPathsBecomeAbsolute) {
  char out[USER_PATH_MAX];
  setenv("HOME", "/home/ann", 1);
  ASSERT_EQ(UserPath("~/robots/Arm", "/w", out, sizeof out), 0);
  EXPECT_STREQ(out, "/home/ann/robots/Arm");
  ASSERT_EQ(UserPath("~", "/w", out, sizeof out), 0);
  EXPECT_STREQ(out, "/home/ann");
  ASSERT_EQ(UserPath("~root/Arm", "/w", out, sizeof out), 0);
  EXPECT_STREQ(out, "/root/Arm");   // root's home on Debian
  EXPECT_EQ(UserPath("~no_such_user_here/Arm", "/w", out, sizeof out), -1);
  ASSERT_EQ(UserPath("/abs/Arm", "/w", out, sizeof out), 0);
  EXPECT_STREQ(out, "/abs/Arm");
  ASSERT_EQ(UserPath("././sub/Arm", "/w/", out, sizeof out), 0);
  EXPECT_STREQ(out, "/w/sub/Arm");
  ASSERT_EQ(UserPath("sub/Arm", "/w", out, sizeof out), 0);
  EXPECT_STREQ(out, "/w/sub/Arm");
  char small[10];
  EXPECT_EQ(UserPath("sub/Arm", "/w", small, sizeof small), -1);   // "/w/sub/Arm" is 10 + 1
  EXPECT_EQ(UserPath("", "/w", out, sizeof out), -1);
  EXPECT_TRUE(IsUserPath("sub/Arm"));
  EXPECT_FALSE(IsUserPath("Puma560"));
}

// shown: the home folder as "~" only where a folder name ends; relative paths below the
// working directory; a home of "/" is never shortened
TEST_F(UserPathTest, ShownPathsUseTildeForHome) {
  char out[USER_PATH_MAX];
  setenv("HOME", "/home/ann/", 1);
  EXPECT_STREQ(ShownPath("/home/ann/.local/share/velmora/Export-File.pdf", out, sizeof out),
               "~/.local/share/velmora/Export-File.pdf");
  EXPECT_STREQ(ShownPath("/home/ann", out, sizeof out), "~");
  EXPECT_STREQ(ShownPath("/home/ann2/x", out, sizeof out), "/home/ann2/x");
  setenv("HOME", "/", 1);
  EXPECT_STREQ(ShownPath("/tmp/x", out, sizeof out), "/tmp/x");
  char cwd[USER_PATH_MAX];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  setenv("HOME", "/nonexistent-home", 1);
  EXPECT_EQ(std::string(ShownPath("./Arch/Puma560", out, sizeof out)),
            std::string(cwd) + "/Arch/Puma560");
  char small[6];
  EXPECT_STREQ(ShownPath("/abcdefgh", small, sizeof small), "/abcd");   // cut, never past
}
