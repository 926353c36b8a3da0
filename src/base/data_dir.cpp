// data_dir.cpp -- the data folder: which one the programs use, its first-start copy of the
// samples, and the switch into it
#include "base/data_dir.h"

#include <dirent.h>    // for: opendir(), readdir(), closedir()
#include <errno.h>     // for: errno, EEXIST, EINTR
#include <fcntl.h>     // for: open(), O_EXCL
#include <limits.h>    // for: PATH_MAX
#include <pwd.h>       // for: getpwuid()
#include <stdio.h>     // for: snprintf()
#include <stdlib.h>    // for: getenv(), realpath(), mkdtemp()
#include <string.h>    // for: strerror(), strcmp(), strrchr()
#include <sys/stat.h>  // for: stat(), mkdir(), chmod(), umask()
#include <unistd.h>    // for: getcwd(), chdir(), readlink(), read(), write(), unlink()

#include "base/file_name.h"  // for: FileNameListed()
#include "base/fileio.h"     // for: RemoveSaveTemporaries()
#include "base/message.h"    // for: VmMessage()

// the installed samples, used when none sit beside the program; then the source tree's, for
// a program run from its build folder
#ifndef VELMORA_SAMPLES_DIR
#define VELMORA_SAMPLES_DIR "/usr/share/velmora/data"
#endif
#ifndef VELMORA_SOURCE_SAMPLES_DIR
#define VELMORA_SOURCE_SAMPLES_DIR ""
#endif

//------------------------------------------------------------------ module state

// one folder per kind of file; "Arch" comes last, so that its presence marks a finished copy
static const char* kinds[] = {"Description", "JConfig", "Ctraj", "Jtraj", "Workspace", "Arch"};
static const int nkinds = sizeof(kinds)/sizeof(kinds[0]);

static char in_use[DATA_DIR_MAX];   // folder in use, "" before DataDirStart
static int in_use_origin = -1;
static char samples[DATA_DIR_MAX];  // set by DataDirSetSamples, "" for the default

//------------------------------------------------------------------ static helpers

static int IsDir(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// a + "/" + b into out (DATA_DIR_MAX bytes); -1 when too long
static int Join(char* out, const char* a, const char* b) {
  int n = snprintf(out, DATA_DIR_MAX, "%s/%s", a, b);
  return (n < 0 || n >= DATA_DIR_MAX) ? -1 : 0;
}

// the folder holds a directory "Arch"
static int HoldsArch(const char* dir) {
  char arch[DATA_DIR_MAX];
  return Join(arch, dir, "Arch") == 0 && IsDir(arch);
}

// $XDG_DATA_HOME/velmora when that is absolute, else <home>/.local/share/velmora
static int UserFolder(char* path, int size) {
  const char* xdg = getenv("XDG_DATA_HOME");
  int n;
  if (xdg && xdg[0] == '/') {
    n = snprintf(path, size, "%s/velmora", xdg);
  } else {
    const char* home = getenv("HOME");
    if (!home || home[0] != '/') {
      struct passwd* pw = getpwuid(getuid());
      home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || home[0] != '/') {
      VmMessage(MsgWarning, "No home folder to keep the data in; give one with --data DIR\n");
      return -1;
    }
    n = snprintf(path, size, "%s/.local/share/velmora", home);
  }
  if (n < 0 || n >= size) {
    VmMessage(MsgWarning, "Data folder name too long\n");
    return -1;
  }
  return 0;
}

// every missing folder above path, private as user data folders are; 0 or -1 (errno set)
static int MakeParents(const char* path) {
  char p[DATA_DIR_MAX];
  snprintf(p, sizeof(p), "%s", path);
  char* last = strrchr(p, '/');
  if (!last || last == p) return 0;
  *last = '\0';
  for (char* s = p + 1; *s; s++) {
    if (*s != '/') continue;
    *s = '\0';
    if (mkdir(p, 0700) != 0 && errno != EEXIST) return -1;
    *s = '/';
  }
  return (mkdir(p, 0700) != 0 && errno != EEXIST) ? -1 : 0;
}

// src to dst when dst does not exist yet; 1 copied, 0 already there, -1 after a message
static int CopyNew(const char* src, const char* dst) {
  int in = open(src, O_RDONLY);
  if (in < 0) {
    VmMessage(MsgWarning, "Cannot copy `%s': %s\n", src, strerror(errno));
    return -1;
  }
  int out = open(dst, O_WRONLY | O_CREAT | O_EXCL, 0644);   // never over a user's file
  if (out < 0) {
    int e = errno;
    close(in);
    if (e == EEXIST) return 0;
    VmMessage(MsgWarning, "Cannot create `%s': %s\n", dst, strerror(e));
    return -1;
  }
  char buf[16384];
  int e = 0;
  for (;;) {
    ssize_t k = read(in, buf, sizeof(buf));
    if (k < 0 && errno == EINTR) continue;
    if (k < 0) { e = errno; break; }
    if (k == 0) break;
    for (ssize_t done = 0; done < k;) {
      ssize_t w = write(out, buf + done, k - done);
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) { e = errno; break; }
      done += w;
    }
    if (e) break;
  }
  close(in);
  if (close(out) != 0 && !e) e = errno;
  if (e) {
    unlink(dst);
    VmMessage(MsgWarning, "Cannot copy `%s' to `%s': %s\n", src, dst, strerror(e));
    return -1;
  }
  return 1;
}

// the kind folders of a half-made folder and their files, then the folder itself
static void RemoveSeeded(const char* dir) {
  for (int i = 0; i < nkinds; i++) {
    char sub[DATA_DIR_MAX], f[DATA_DIR_MAX];
    if (Join(sub, dir, kinds[i]) != 0) continue;
    DIR* d = opendir(sub);
    if (!d) continue;
    while (struct dirent* e = readdir(d)) {
      if (strcmp(e->d_name, ".") && strcmp(e->d_name, "..") && Join(f, sub, e->d_name) == 0)
        unlink(f);
    }
    closedir(d);
    rmdir(sub);
  }
  rmdir(dir);
}

// a user folder without "Arch": made whole beside it and renamed into place when it does not
// exist (so a failed or concurrent first start never leaves half a folder), else completed
// in place; 0, or -1 after one message
static int MakeUserFolder(const char* path) {
  const char* src = DataDirGetSamples();
  if (!HoldsArch(src)) VmMessage(MsgWarning, "No samples in `%s'; the data folder starts empty\n", src);
  if (IsDir(path)) return DataDirSeed(src, path) < 0 ? -1 : 0;

  if (MakeParents(path) != 0) {
    VmMessage(MsgWarning, "Cannot create the data folder `%s': %s\n", path, strerror(errno));
    return -1;
  }
  char tmp[DATA_DIR_MAX];
  int n = snprintf(tmp, sizeof(tmp), "%s.new-XXXXXX", path);
  if (n < 0 || n >= (int)sizeof(tmp) || !mkdtemp(tmp)) {
    VmMessage(MsgWarning, "Cannot create the data folder `%s': %s\n", path, strerror(errno));
    return -1;
  }
  mode_t mask = umask(0);                 // mkdtemp makes it 0700; a plain folder is wanted
  umask(mask);
  chmod(tmp, 0755 & ~mask);
  if (DataDirSeed(src, tmp) < 0) {
    RemoveSeeded(tmp);
    return -1;
  }
  if (rename(tmp, path) != 0) {
    int e = errno;
    RemoveSeeded(tmp);
    if (IsDir(path)) return 0;            // another start made it meanwhile
    VmMessage(MsgWarning, "Cannot create the data folder `%s': %s\n", path, strerror(e));
    return -1;
  }
  return 0;
}

//------------------------------------------------------------------ public API: choice

int DataDirChoose(const char* given, char* path, int size, int* origin) {
  if (given) {
    char full[PATH_MAX];
    if (!given[0]) {
      VmMessage(MsgWarning, "Empty data folder name\n");
      return -1;
    }
    if (!realpath(given, full)) {
      VmMessage(MsgWarning, "Cannot use the data folder `%s': %s\n", given, strerror(errno));
      return -1;
    }
    if (!IsDir(full)) {
      VmMessage(MsgWarning, "Cannot use the data folder `%s': %s\n", given, strerror(ENOTDIR));
      return -1;
    }
    int n = snprintf(path, size, "%s", full);
    if (n < 0 || n >= size) {
      VmMessage(MsgWarning, "Data folder name too long\n");
      return -1;
    }
    *origin = DATA_DIR_GIVEN;
    return 0;
  }
  if (IsDir("Arch")) {
    if (!getcwd(path, size)) {
      VmMessage(MsgWarning, "Cannot name the working directory: %s\n", strerror(errno));
      return -1;
    }
    *origin = DATA_DIR_WORKING;
    return 0;
  }
  if (UserFolder(path, size) != 0) return -1;
  *origin = DATA_DIR_USER;
  return 0;
}

const char* DataDirOriginText(int origin) {
  switch (origin) {
    case DATA_DIR_GIVEN: return "given by --data";
    case DATA_DIR_WORKING: return "working directory";
    case DATA_DIR_USER: return "user folder";
  }
  return "none";
}

int DataDirDescribe(const char* given, char* line, int size) {
  char path[DATA_DIR_MAX];
  int origin;
  if (DataDirChoose(given, path, sizeof(path), &origin) != 0) return -1;
  snprintf(line, size, "data folder: %s (%s%s)", path, DataDirOriginText(origin),
           IsDir(path) ? "" : ", made on first use");
  return 0;
}

//------------------------------------------------------------------ public API: start

int DataDirStart(const char* given) {
  char path[DATA_DIR_MAX];
  int origin;
  if (DataDirChoose(given, path, sizeof(path), &origin) != 0) return -1;
  if (origin == DATA_DIR_USER && !HoldsArch(path) && MakeUserFolder(path) != 0) return -1;
  // missing kind folders are made so that saving works; a read-only folder is still read
  // and the temporaries of saves that were interrupted (the program killed) are removed
  RemoveSaveTemporaries(path);
  for (int i = 0; i < nkinds; i++) {
    char sub[DATA_DIR_MAX];
    if (Join(sub, path, kinds[i]) != 0) continue;
    if (!IsDir(sub)) mkdir(sub, 0755);
    else RemoveSaveTemporaries(sub);
  }
  if (chdir(path) != 0) {
    VmMessage(MsgWarning, "Cannot use the data folder `%s': %s\n", path, strerror(errno));
    return -1;
  }
  snprintf(in_use, sizeof(in_use), "%s", path);
  in_use_origin = origin;
  return 0;
}

const char* DataDirPath(void) { return in_use; }

int DataDirGetOrigin(void) { return in_use_origin; }

//------------------------------------------------------------------ public API: samples

void DataDirSetSamples(const char* dir) {
  snprintf(samples, sizeof(samples), "%s", dir ? dir : "");
}

const char* DataDirGetSamples(void) {
  if (samples[0]) return samples;
  // an installed tree may have been moved as a whole: look beside the program first
  static char found[PATH_MAX];
  char exe[DATA_DIR_MAX], guess[DATA_DIR_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  if (n > 0) {
    exe[n] = '\0';
    char* slash = strrchr(exe, '/');
    if (slash) *slash = '\0';
    if (Join(guess, exe, "../share/velmora/data") == 0 && HoldsArch(guess) &&
        realpath(guess, found))
      return found;
  }
  if (!HoldsArch(VELMORA_SAMPLES_DIR) && VELMORA_SOURCE_SAMPLES_DIR[0] &&
      HoldsArch(VELMORA_SOURCE_SAMPLES_DIR))
    return VELMORA_SOURCE_SAMPLES_DIR;
  return VELMORA_SAMPLES_DIR;
}

int DataDirSeed(const char* src, const char* dst) {
  int copied = 0;
  for (int i = 0; i < nkinds; i++) {
    char s[DATA_DIR_MAX], d[DATA_DIR_MAX], sf[DATA_DIR_MAX], df[DATA_DIR_MAX];
    if (Join(s, src, kinds[i]) != 0 || Join(d, dst, kinds[i]) != 0) {
      VmMessage(MsgWarning, "Data folder name too long\n");
      return -1;
    }
    if (mkdir(d, 0755) != 0 && errno != EEXIST) {
      VmMessage(MsgWarning, "Cannot create `%s': %s\n", d, strerror(errno));
      return -1;
    }
    DIR* dir = opendir(s);
    if (!dir) continue;                   // the samples lack this kind
    while (struct dirent* e = readdir(dir)) {
      const char* name = e->d_name;
      if (!FileNameListed(name)) continue;   // hidden, temporaries, backups ("~", ".CKP")
      struct stat st;
      if (Join(sf, s, name) != 0 || Join(df, d, name) != 0) continue;
      if (stat(sf, &st) != 0 || !S_ISREG(st.st_mode)) continue;
      int rc = CopyNew(sf, df);
      if (rc < 0) {
        closedir(dir);
        return -1;
      }
      copied += rc;
    }
    closedir(dir);
  }
  return copied;
}
