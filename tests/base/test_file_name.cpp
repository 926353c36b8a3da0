// test_file_name.cpp -- covers src/base/file_name.cpp: the typed-name rule and the list rule
#include <gtest/gtest.h>

#include <string>

#include "base/file_name.h"

// each refusal in its words; a "~" or a control character anywhere a name could escape its
// folder or break a list line; the limit is the number of characters, inclusive
TEST(FileName, EachRefusalInItsWords) {
  const char* cases[][2] = {
      {"", "File name is empty"},
      {"a/b", "File name must not contain \"/\""},
      {"../x", "File name must not contain \"/\""},
      {".x", "File name must not begin with \".\""},
      {"~x", "File name must not begin with \"~\""},
      {"~", "File name must not begin with \"~\""},
      {"a\nb", "File name must not contain control characters"},
      {"a\tb", "File name must not contain control characters"},
      {"a\x7f", "File name must not contain control characters"},
      {"x~", "File name must not end with \"~\" or \".CKP\""},
      {"x.CKP", "File name must not end with \"~\" or \".CKP\""}};
  for (auto& c : cases) EXPECT_STREQ(FileNameProblem(c[0], 10), c[1]) << c[0];
  EXPECT_STREQ(FileNameProblem(nullptr, 10), "File name is empty");
  EXPECT_EQ(FileNameProblem("a~b.CKPx", 10), nullptr);   // inner "~" and ".CKP" are fine
  EXPECT_EQ(FileNameProblem("\xc3\xa9t\xc3\xa9", 10), nullptr);   // UTF-8 bytes are not control
  EXPECT_EQ(FileNameProblem(std::string(10, 'a').c_str(), 10), nullptr);
  EXPECT_STREQ(FileNameProblem(std::string(11, 'a').c_str(), 10),
               "File name is too long (at most 10 characters)");
  EXPECT_NE(FileNameProblem("a", -3), nullptr);
}

// the lists hide what the rule refuses to create, and a save's temporary file
TEST(FileName, ListedEntries) {
  for (const char* s : {"Puma560", "Puma560.home", "a~b"}) EXPECT_TRUE(FileNameListed(s)) << s;
  for (const char* s : {"", ".", "..", ".Puma560.home.Ab12Cd", "~z", "x~", "x.CKP"})
    EXPECT_FALSE(FileNameListed(s)) << s;
}
