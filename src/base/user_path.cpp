// user_path.cpp -- paths as a user types and reads them: "~" expanded, relative paths made
// absolute, and the home folder written "~" in messages
#include "base/user_path.h"

#include <pwd.h>     // for: getpwnam()
#include <stdio.h>   // for: snprintf()
#include <stdlib.h>  // for: getenv()
#include <string.h>  // for: strchr(), strcspn(), strlen(), strncmp()
#include <unistd.h>  // for: getcwd()

//------------------------------------------------------------------ static helpers

// "./x" and "././x" are x
static const char* DropDotSlash(const char* p) {
  while (p[0] == '.' && p[1] == '/') {
    p += 2;
    while (*p == '/') p++;
  }
  return p;
}

// the home folder of "~" or "~user" (k characters after the "~"), or NULL
static const char* HomeOf(const char* user, int k) {
  if (k == 0) return getenv("HOME");
  char name[256];
  if (k >= (int)sizeof(name)) return nullptr;
  snprintf(name, sizeof(name), "%.*s", k, user);
  struct passwd* pw = getpwnam(name);
  return pw ? pw->pw_dir : nullptr;
}

//------------------------------------------------------------------ public API

int UserPath(const char* arg, const char* dir, char* out, int size) {
  int n;
  if (!arg || !arg[0] || size < 1) return -1;
  if (arg[0] == '~') {
    const char* rest = arg + 1 + strcspn(arg + 1, "/");
    const char* home = HomeOf(arg + 1, (int)(rest - arg) - 1);
    if (!home || !home[0]) return -1;
    n = snprintf(out, (size_t)size, "%s%s", home, rest);
  } else if (arg[0] == '/') {
    n = snprintf(out, (size_t)size, "%s", arg);
  } else {
    if (!dir || !dir[0]) return -1;
    const char* sep = dir[strlen(dir) - 1] == '/' ? "" : "/";
    n = snprintf(out, (size_t)size, "%s%s%s", dir, sep, DropDotSlash(arg));
  }
  return n < 0 || n >= size ? -1 : 0;
}

int IsUserPath(const char* arg) { return arg && strchr(arg, '/') != nullptr; }

const char* ShownPath(const char* path, char* out, int size) {
  char full[USER_PATH_MAX], cwd[USER_PATH_MAX];
  if (size < 1) return out;
  if (!path) path = "";
  if (path[0] != '/' && getcwd(cwd, sizeof(cwd))) {
    const char* sep = cwd[strlen(cwd) - 1] == '/' ? "" : "/";
    if (snprintf(full, sizeof(full), "%s%s%s", cwd, sep, DropDotSlash(path)) < 0) full[0] = 0;
  } else {
    snprintf(full, sizeof(full), "%s", path);
  }
  // the home folder as "~" only where a whole folder name ends: /home/ann2 is not ~2
  const char* home = getenv("HOME");
  size_t k = home ? strlen(home) : 0;
  while (k > 1 && home[k - 1] == '/') k--;
  if (k > 1 && strncmp(full, home, k) == 0 && (full[k] == '/' || full[k] == '\0'))
    snprintf(out, (size_t)size, "~%s", full + k);
  else
    snprintf(out, (size_t)size, "%s", full);
  return out;
}
