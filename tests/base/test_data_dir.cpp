// test_data_dir.cpp -- covers src/base/data_dir.cpp: the folder chosen, its first start, user files kept
#include <gtest/gtest.h>
#include <limits.h>    // for: PATH_MAX
#include <stdlib.h>    // for: setenv(), mkdtemp(), system()
#include <sys/stat.h>  // for: stat(), mkdir()
#include <unistd.h>    // for: chdir(), getcwd()

#include <string>

#include "base/data_dir.h"
#include "support/data_copy.h"

static const char* kKinds[] = {"Arch", "Ctraj", "Description", "JConfig", "Jtraj", "Workspace"};

// every file of every kind folder: name, contents and modification time in nanoseconds
static std::string Snapshot(const std::string& dir) {
  std::string s;
  for (const char* k : kKinds) {
    std::string sub = dir + "/" + k, names = ListFiles(sub), name;
    s += std::string("[") + k + "]";
    for (size_t i = 0; i <= names.size(); i++) {
      if (i < names.size() && names[i] != '\n') { name += names[i]; continue; }
      if (name.empty()) continue;
      struct stat st;
      stat((sub + "/" + name).c_str(), &st);
      s += name + "=" + ReadTextFile(sub + "/" + name) + "@" +
           std::to_string(st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec) + ";";
      name.clear();
    }
  }
  return s;
}

static std::string Cwd() {
  char b[PATH_MAX];
  return getcwd(b, sizeof(b)) ? b : "";
}

// a scratch tree: home/ for HOME, work/ (no "Arch") as the working directory
class DataFolder : public ::testing::Test {
 protected:
  std::string top, home, work, user, saved_cwd, saved_home;
  void SetUp() override {
    char tmpl[] = "/tmp/velmora-datadir-XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    top = tmpl;
    home = top + "/home";
    work = top + "/work";
    user = home + "/.local/share/velmora";
    mkdir(home.c_str(), 0755);
    mkdir(work.c_str(), 0755);
    saved_cwd = Cwd();
    saved_home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(chdir(work.c_str()), 0);
    DataDirSetSamples(VELMORA_SOURCE_DIR "/data");
  }
  void TearDown() override {
    DataDirSetSamples(nullptr);
    setenv("HOME", saved_home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    if (chdir(saved_cwd.c_str()) == 0) system(("rm -rf '" + top + "'").c_str());
  }
  // one start from the working directory; returns DataDirStart's result
  int Start(const char* given = nullptr) {
    if (chdir(work.c_str()) != 0) return -9;
    testing::internal::CaptureStderr();
    int rc = DataDirStart(given);
    err = testing::internal::GetCapturedStderr();
    return rc;
  }
  std::string err;
};

// --data, then a working directory holding "Arch", then the user folder by the XDG rule
TEST_F(DataFolder, Choice) {
  char path[DATA_DIR_MAX];
  int origin = -1;
  ASSERT_EQ(DataDirChoose(nullptr, path, sizeof(path), &origin), 0);
  EXPECT_EQ(std::string(path), user);
  EXPECT_EQ(origin, DATA_DIR_USER);
  struct stat st;
  char line[DATA_DIR_MAX + 64];
  ASSERT_EQ(DataDirDescribe(nullptr, line, sizeof(line)), 0);
  EXPECT_EQ(std::string(line), "data folder: " + user + " (user folder, made on first use)");
  EXPECT_NE(stat((home + "/.local").c_str(), &st), 0) << "choosing must not create anything";

  setenv("XDG_DATA_HOME", (top + "/xdg").c_str(), 1);
  ASSERT_EQ(DataDirChoose(nullptr, path, sizeof(path), &origin), 0);
  EXPECT_EQ(std::string(path), top + "/xdg/velmora");
  setenv("XDG_DATA_HOME", "relative/xdg", 1);   // not absolute: ignored
  ASSERT_EQ(DataDirChoose(nullptr, path, sizeof(path), &origin), 0);
  EXPECT_EQ(std::string(path), user);

  mkdir("Arch", 0755);
  ASSERT_EQ(DataDirChoose(nullptr, path, sizeof(path), &origin), 0);
  EXPECT_EQ(std::string(path), work);
  EXPECT_EQ(origin, DATA_DIR_WORKING);

  ASSERT_EQ(DataDirChoose("../home/./", path, sizeof(path), &origin), 0);
  EXPECT_EQ(std::string(path), home);
  EXPECT_EQ(origin, DATA_DIR_GIVEN);

  // a missing folder or a file is refused at start, and the process stays where it was
  EXPECT_EQ(Start("../nowhere"), -1);
  EXPECT_NE(err.find("Cannot use the data folder `../nowhere'"), std::string::npos) << err;
  WriteTextFile("plain", "x");
  EXPECT_EQ(Start("plain"), -1);
  EXPECT_EQ(Cwd(), work);
}

// first start copies the samples, the second changes nothing, user edits and deletions stay
TEST_F(DataFolder, FirstStartCopiesSamplesOnce) {
  ASSERT_EQ(Start(), 0) << err;
  EXPECT_EQ(Cwd(), user);
  EXPECT_EQ(std::string(DataDirPath()), user);
  EXPECT_EQ(DataDirGetOrigin(), DATA_DIR_USER);
  std::string samples = VELMORA_SOURCE_DIR "/data";
  for (const char* k : kKinds) {
    EXPECT_EQ(ListFiles(user + "/" + k), ListFiles(samples + "/" + k)) << k;
  }
  EXPECT_EQ(ReadTextFile(user + "/Arch/Puma560"), ReadTextFile(samples + "/Arch/Puma560"));
  EXPECT_EQ(ListFiles(home + "/.local/share"), "velmora\n");   // no half-made folder beside it
  struct stat st;
  EXPECT_NE(stat((user + "/Arch/.keep").c_str(), &st), 0);

  std::string first = Snapshot(user);
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Snapshot(user), first);

  WriteTextFile(user + "/Arch/Puma560", "mine\n");
  remove((user + "/JConfig/Puma560.home").c_str());
  std::string edited = Snapshot(user);
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Snapshot(user), edited);

  // "Arch" gone (a half-made folder): the samples come back beside the user's own files
  system(("rm -rf '" + user + "/Arch'").c_str());
  WriteTextFile(user + "/JConfig/Arm4R.home", "th = [ 1 2 3 4 ]\n");
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(ListFiles(user + "/Arch"), ListFiles(samples + "/Arch"));
  EXPECT_EQ(ReadTextFile(user + "/JConfig/Arm4R.home"), "th = [ 1 2 3 4 ]\n");
  EXPECT_NE(ReadTextFile(user + "/JConfig/Puma560.home"), "");
}

// a folder that cannot be made fails with a message and leaves the process where it was
TEST_F(DataFolder, UnmakeableFolder) {
  WriteTextFile(home + "/.local", "a file where a folder should be");
  EXPECT_EQ(Start(), -1);
  EXPECT_NE(err.find("Cannot create the data folder `" + user + "'"), std::string::npos) << err;
  EXPECT_EQ(Cwd(), work);
}

// seeding copies the files a list shows, never backups ("~", ".CKP") or hidden names; a kind
// folder the user removed comes back at the next start, empty
TEST_F(DataFolder, SeedSkipsBackupsAndStartRemakesAKindFolder) {
  std::string src = top + "/src";
  mkdir(src.c_str(), 0755);
  mkdir((src + "/Arch").c_str(), 0755);
  for (const char* f : {"Arm", "Arm~", "Arm.CKP", ".Arm", "~Arm"})
    ASSERT_EQ(WriteTextFile(src + "/Arch/" + f, "{ a = 1 }\n"), 0) << f;
  std::string dst = top + "/dst";
  mkdir(dst.c_str(), 0755);
  testing::internal::CaptureStderr();
  EXPECT_EQ(DataDirSeed(src.c_str(), dst.c_str()), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ListFiles(dst + "/Arch"), "Arm\n");
  struct stat st;
  EXPECT_NE(stat((dst + "/Arch/.Arm").c_str(), &st), 0);

  ASSERT_EQ(Start(dst.c_str()), 0) << err;
  system(("rm -rf '" + dst + "/Jtraj'").c_str());
  ASSERT_EQ(Start(dst.c_str()), 0) << err;
  EXPECT_TRUE(stat((dst + "/Jtraj").c_str(), &st) == 0 && S_ISDIR(st.st_mode));
  EXPECT_EQ(ListFiles(dst + "/Arch"), "Arm\n");
}
