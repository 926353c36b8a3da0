// data_copy.cpp -- test helpers for the file readers: a private copy of data/ to work in
#include "data_copy.h"

#include <dirent.h>    // for: opendir()
#include <limits.h>    // for: PATH_MAX
#include <stdio.h>     // for: fopen()
#include <stdlib.h>    // for: mkdtemp(), system()
#include <sys/stat.h>  // for: mkdir()
#include <unistd.h>    // for: chdir(), getcwd()

#include <algorithm>
#include <vector>

static char saved_cwd[PATH_MAX];

std::string EnterDataCopy(int with_data) {
  char tmpl[] = "/tmp/velmora-files-XXXXXX";
  if (!mkdtemp(tmpl)) return "";
  std::string dir = tmpl;
  if (with_data) {
    std::string cmd = std::string("cp -R '") + VELMORA_SOURCE_DIR + "/data/.' '" + dir + "/'";
    if (system(cmd.c_str()) != 0) return "";
    // posture files a robot load writes (a run of the program in data/) are no samples
    std::string drop = "rm -f '" + dir + "'/JConfig/*.Characteristic '" + dir +
                       "'/JConfig/*.Maxreach";
    if (system(drop.c_str()) != 0) return "";
  }
  const char* sub[] = {"Arch", "Description", "JConfig", "Ctraj", "Jtraj", "Workspace"};
  for (const char* s : sub) mkdir((dir + "/" + s).c_str(), 0755);
  if (!getcwd(saved_cwd, sizeof(saved_cwd))) saved_cwd[0] = '\0';
  if (chdir(dir.c_str()) != 0) return "";
  return dir;
}

void LeaveDataCopy(const std::string& dir) {
  if (saved_cwd[0] && chdir(saved_cwd) != 0) return;
  if (dir.rfind("/tmp/velmora-files-", 0) == 0) {
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) return;
  }
}

std::string ReadTextFile(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return "";
  std::string s;
  char buf[4096];
  size_t k;
  while ((k = fread(buf, 1, sizeof(buf), f)) > 0) s.append(buf, k);
  fclose(f);
  return s;
}

int WriteTextFile(const std::string& path, const std::string& text) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return -1;
  size_t k = fwrite(text.data(), 1, text.size(), f);
  int rc = fclose(f);
  return (k == text.size() && rc == 0) ? 0 : -1;
}

std::string ListFiles(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (struct dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  std::string s;
  for (auto& n : names) s += n + "\n";
  return s;
}
