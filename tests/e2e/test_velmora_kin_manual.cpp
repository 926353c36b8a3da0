// test_velmora_kin_manual.cpp -- the manual page velmora-kin(1) describes what --help offers
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "e2e/kin_run.h"

// the page source as a reader sees it: no font changes, "\-" a minus
static std::string PlainPage() {
  std::string s = ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/dist/velmora-kin.1.in");
  s = std::regex_replace(s, std::regex(R"(\\f[BIRP])"), "");
  s = std::regex_replace(s, std::regex(R"(\\c)"), "");
  s = std::regex_replace(s, std::regex(R"(\\-)"), "-");
  return s;
}

// the text of a section: from ".SH NAME" to the next ".SH"
static std::string Section(const std::string& page, const std::string& name) {
  size_t at = page.find(".SH " + name + "\n");
  if (at == std::string::npos) return "";
  size_t end = page.find("\n.SH ", at + 1);
  return page.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// every command of --help has an entry under COMMANDS and its example under EXAMPLES;
// every option named in --help has an entry under OPTIONS; the exit codes are in both
TEST(KinManual, DescribesEveryCommandAndOptionOfTheHelp) {
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  KinRun help = Kin("--help");
  LeaveDataCopy(dir);
  ASSERT_EQ(help.status, 0);
  std::string page = PlainPage();
  ASSERT_FALSE(page.empty());
  std::string commands = Section(page, "COMMANDS"), options = Section(page, "OPTIONS");
  std::string examples = Section(page, "EXAMPLES"), status = Section(page, "EXIT STATUS");
  std::smatch m;
  int ncommands = 0, nexamples = 0;
  std::string h = help.out;
  size_t from = h.find("commands:\n"), to = h.find("\noptions");
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  std::string listed = h.substr(from, to - from);
  std::set<std::string> names;
  std::regex command_line(R"(\n  ([a-z]+) )");
  for (auto it = std::sregex_iterator(listed.begin(), listed.end(), command_line);
       it != std::sregex_iterator(); ++it) {
    std::string name = (*it)[1];
    names.insert(name);
    std::regex entry("\n\\.BI? " + name + "( |\n)");
    EXPECT_TRUE(std::regex_search(commands, entry)) << "no entry for " << name;
    ncommands++;
  }
  EXPECT_GE(ncommands, 10);
  for (const char* n : {"fk", "ik", "indices", "jacobian", "check", "path", "solve", "urdf",
                        "list", "clearance"})
    EXPECT_EQ(names.count(n), 1u) << n << " missing from --help";
  std::regex example_line(R"(example: (velmora-kin [^\n]*))");
  for (auto it = std::sregex_iterator(h.begin(), h.end(), example_line);
       it != std::sregex_iterator(); ++it) {
    EXPECT_NE(examples.find(std::string((*it)[1]) + "\n"), std::string::npos) << (*it)[1];
    nexamples++;
  }
  EXPECT_EQ(nexamples, ncommands) << "one example per command";
  std::regex option(R"((^|[ \[(])(--?[a-z]+))");
  std::set<std::string> seen;
  for (auto it = std::sregex_iterator(h.begin(), h.end(), option);
       it != std::sregex_iterator(); ++it)
    seen.insert((*it)[2]);
  for (const char* o : {"--data", "--format", "--trace", "--help", "-h", "--version",
                        "--from", "--scale", "--workspace", "--obstacle"})
    EXPECT_EQ(seen.count(o), 1u) << o << " missing from --help";
  for (const std::string& o : seen) {
    std::regex entry("\n\\.(B|BI|BR) ([^\n]*[ \"])?" + o + "( |,|\"|\n)");
    EXPECT_TRUE(std::regex_search(options, entry)) << "no entry for " << o;
  }
  for (const char* code : {"0", "1", "2", "3"}) {
    EXPECT_NE(status.find(std::string("\n.B ") + code + "\n"), std::string::npos) << code;
    EXPECT_NE(h.find(std::string(code) + " "), std::string::npos) << code;
  }
  EXPECT_NE(h.find("exit status:"), std::string::npos);
}
