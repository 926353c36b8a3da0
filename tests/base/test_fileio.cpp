// test_fileio.cpp -- covers src/base/fileio.cpp: the path rule, safe writing (temporary
// removed, the mode of a new file) and the start-up removal of interrupted saves' leftovers
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "base/data_dir.h"
#include "base/fileio.h"
#include "support/data_copy.h"

// the entries of dir that have a save temporary's form, one per line
static std::string Temporaries(const char* dir) {
  std::string s;
  DIR* d = opendir(dir);
  while (d) {
    struct dirent* e = readdir(d);
    if (!e) break;
    if (IsSaveTemporary(e->d_name)) s += std::string(e->d_name) + "\n";
  }
  if (d) closedir(d);
  return s;
}

// every path below the working directory with its size, sorted
static std::string Tree() {
  std::string s;
  FILE* p = popen("find . -printf '%p %s\\n' | LC_ALL=C sort", "r");
  char line[512];
  while (p && fgets(line, sizeof line, p)) s += line;
  if (p) pclose(p);
  return s;
}

static int PutHello(FILE* f, const void*) { return fputs("hello\n", f) < 0 ? -1 : 0; }
static int PutThenFail(FILE* f, const void*) { fputs("partial", f);  return -1; }

// "~name" and "/name" are paths as given; anything else goes below dir; 255 characters fit
// the buffer, 256 are refused
TEST(FileIo, PathRule) {
  char path[TOK_PATH_MAX + 1];
  ASSERT_EQ(MakePath(path, "Arch", "~x"), 0);
  EXPECT_STREQ(path, "~x");
  ASSERT_EQ(MakePath(path, "Arch", "/tmp/r"), 0);
  EXPECT_STREQ(path, "/tmp/r");
  ASSERT_EQ(MakePath(path, "Arch", "r"), 0);
  EXPECT_STREQ(path, "Arch/r");
  std::string n250(250, 'n');           // "Arch/" + 250 = 255
  EXPECT_EQ(MakePath(path, "Arch", n250.c_str()), 0);
  EXPECT_EQ(strlen(path), 255u);
  EXPECT_EQ(MakePath(path, "Arch", (n250 + "m").c_str()), -1);
  EXPECT_EQ(MakePath(path, "Arch", ("~" + n250 + "xxxxx").c_str()), -1);
}

// a failed body leaves the old file and no temporary; a new file gets 0666 less the umask
// (the temporary was made 0600), a replaced one keeps its own mode
TEST(FileIo, SafeWritingTemporaryAndMode) {
  std::string dir = EnterDataCopy(0);
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(WriteTextFile("Arch/old", "old\n"), 0);
  EXPECT_NE(WriteFileQuietly("Arch/old", PutThenFail, nullptr), 0);
  EXPECT_EQ(ReadTextFile("Arch/old"), "old\n");
  EXPECT_EQ(ListFiles("Arch"), "old\n");
  EXPECT_EQ(Temporaries("Arch"), "");
  mode_t saved = umask(027);
  ASSERT_EQ(WriteFileQuietly("Arch/new", PutHello, nullptr), 0);
  struct stat st;
  ASSERT_EQ(stat("Arch/new", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  chmod("Arch/new", 0604);
  ASSERT_EQ(WriteFileQuietly("Arch/new", PutHello, nullptr), 0);
  ASSERT_EQ(stat("Arch/new", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0604u);
  umask(saved);
  LeaveDataCopy(dir);
}

// the saving process, forked: a megabyte of the new robot, then killed before the rename
static int PutThenDie(FILE* f, const void*) {
  for (int i = 0; i < (1 << 20); i++) fputc('x', f);
  fflush(f);
  raise(SIGKILL);
  return 0;
}

// a pipe pair: the writer says it has begun (one byte on go[1]), then waits for one on hold[0]
static int go[2], hold[2];
static int PutThenWait(FILE* f, const void*) {
  fputs("live\n", f);
  fflush(f);
  char c = 'g';
  if (write(go[1], &c, 1) != 1 || read(hold[0], &c, 1) != 1) return -1;
  return 0;
}

static pid_t Fork(const char* path, int (*body)(FILE*, const void*)) {
  pid_t pid = fork();
  if (pid == 0) _exit(WriteFileQuietly(path, body, nullptr) == 0 ? 0 : 3);
  return pid;
}

// a save killed before its rename leaves the old file whole and a temporary; the next start
// removes that temporary and nothing else: not the live save's temporary (which then still
// completes), nor the user's files that look alike
TEST(FileIo, StartRemovesTheLeftoversOfAKilledSave) {
  std::string dir = EnterDataCopy(1);
  ASSERT_FALSE(dir.empty());
  std::string old = ReadTextFile("Arch/Puma560");
  int status = 0;
  pid_t killed = Fork("Arch/Puma560", PutThenDie);
  ASSERT_GT(killed, 0);
  ASSERT_EQ(waitpid(killed, &status, 0), killed);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  std::string left = Temporaries("Arch");
  ASSERT_EQ(left.substr(0, 9), ".Puma560.");
  EXPECT_EQ(ReadTextFile("Arch/Puma560"), old);
  // what a user may keep there: hidden notes, names close to the form, a folder of the form
  for (const char* f : {"Arch/.notes", "Arch/x.abc123", "Arch/.x.abc12", "JConfig/.a.b.c~",
                        ".plot.svg"})
    ASSERT_EQ(WriteTextFile(f, "mine\n"), 0) << f;
  mkdir("Jtraj/.keep.abcdef", 0755);
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(hold), 0);
  pid_t live = Fork("Ctraj/Puma560.new", PutThenWait);
  ASSERT_GT(live, 0);
  char c;
  ASSERT_EQ(read(go[0], &c, 1), 1);
  std::string live_tmp = Temporaries("Ctraj");
  ASSERT_NE(live_tmp, "");
  std::string before = Tree();

  testing::internal::CaptureStderr();
  ASSERT_EQ(DataDirStart(dir.c_str()), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Temporaries("Arch"), "");
  EXPECT_EQ(Temporaries("Ctraj"), live_tmp);
  std::string expected = before;
  std::string gone = "./Arch/" + left.substr(0, left.size() - 1) + " 1048576\n";
  size_t at = expected.find(gone);
  ASSERT_NE(at, std::string::npos) << before;
  expected.erase(at, gone.size());
  EXPECT_EQ(Tree(), expected);

  ASSERT_EQ(write(hold[1], "h", 1), 1);
  ASSERT_EQ(waitpid(live, &status, 0), live);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadTextFile("Ctraj/Puma560.new"), "live\n");
  for (int* p : {go, hold}) { close(p[0]);  close(p[1]); }
  LeaveDataCopy(dir);
}
