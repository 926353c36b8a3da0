// py_call.cpp -- one call of the module into the core: state switched and restored, messages
// collected, the data folder entered and left
#include "py_call.h"

#include <dlfcn.h>     // for: dladdr()
#include <fcntl.h>     // for: open()
#include <limits.h>    // for: PATH_MAX
#include <stdio.h>     // for: fflush(), snprintf(), perror()
#include <stdlib.h>    // for: realpath()
#include <string.h>    // for: strrchr()
#include <sys/stat.h>  // for: stat()
#include <unistd.h>    // for: dup(), dup2(), fchdir(), close()

#include "base/data_dir.h"     // for: DataDirStart(), DataDirSetSamples()
#include "kin/ikp.h"           // for: GetKinRobot(), SetKinRobot(), solver settings
#include "robot/app_state.h"   // for: R

//------------------------------------------------------------------ module state

static CoreCall* active = nullptr;     // the innermost call, which collects the messages

//------------------------------------------------------------------ static helpers

static void collect(int kind, const char* text) {
  if (!active) return;
  std::string s(text);
  while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
  if (s.empty()) return;
  if (kind == MsgWarning) {
    if (!active->warnings.empty()) active->warnings += "\n";
    active->warnings += s;
  } else {
    active->trace = s;
  }
}

//------------------------------------------------------------------ public API

CoreCall::CoreCall(Robot r, bool quiet) {
  prev_r = R;
  prev_kin = GetKinRobot();
  prev_tol = GetInvTol();
  prev_max = GetInvMax();
  prev_fallback = GetInvFallback();
  prev_cb = GetMessageCallback();
  outer = active;
  saved_stdout = -1;
  if (r) {
    R = r;
    SetKinRobot(r);
  }
  active = this;
  SetMessageCallback(collect);
  if (quiet) {
    fflush(stdout);
    int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devnull >= 0) {
      saved_stdout = dup(1);
      if (saved_stdout >= 0) dup2(devnull, 1);
      close(devnull);
    }
  }
}

CoreCall::~CoreCall() {
  if (saved_stdout >= 0) {
    fflush(stdout);
    dup2(saved_stdout, 1);
    close(saved_stdout);
  }
  SetMessageCallback(prev_cb);
  active = outer;
  SetInvTol(prev_tol);
  SetInvMax(prev_max);
  SetInvFallback(prev_fallback);
  R = prev_r;
  SetKinRobot(prev_kin);
}

std::string CoreCall::Refusal(const char* fallback) const {
  if (!warnings.empty()) return warnings;
  if (!trace.empty()) return trace;
  return fallback;
}

void CoreCallForget(Robot r) {
  for (CoreCall* c = active; c; c = c->outer) {
    if (c->prev_r == r) c->prev_r = nullptr;
    if (c->prev_kin == r) c->prev_kin = nullptr;
  }
}

DataFolder::DataFolder(const char* given) {
  cwd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ok = cwd >= 0 && DataDirStart(given) == 0;
}

DataFolder::~DataFolder() {
  if (cwd < 0) return;
  if (fchdir(cwd) != 0) perror("velmora: cannot go back to the working directory");
  close(cwd);
}

void FindSamplesBesideModule(void) {
  Dl_info info;
  if (!dladdr((void*)&FindSamplesBesideModule, &info) || !info.dli_fname) return;
  char dir[PATH_MAX], samples[PATH_MAX];
  if (!realpath(info.dli_fname, dir)) return;
  char* slash = strrchr(dir, '/');
  if (!slash) return;
  *slash = '\0';
  int n = snprintf(samples, sizeof samples, "%s/../../../share/velmora/data/Arch", dir);
  struct stat st;
  if (n < 0 || n >= (int)sizeof samples || stat(samples, &st) != 0 || !S_ISDIR(st.st_mode))
    return;
  samples[n - 5] = '\0';                     // the folder that holds Arch
  DataDirSetSamples(samples);
}
