// fileio.cpp -- path making and safe file writing shared by every writer of the program
#include "base/fileio.h"

#include <dirent.h>    // for: opendir(), readdir(), closedir()
#include <errno.h>     // for: errno, EIO, ENAMETOOLONG
#include <fcntl.h>     // for: open(), O_RDONLY, O_NOFOLLOW
#include <stdio.h>     // for: snprintf(), fdopen(), rename()
#include <stdlib.h>    // for: mkstemp()
#include <string.h>    // for: strrchr(), strerror(), strlen()
#include <sys/file.h>  // for: flock()
#include <sys/stat.h>  // for: stat(), fchmod(), umask()
#include <unistd.h>    // for: close(), unlink()

#include "base/message.h"  // for: VmMessage()

//------------------------------------------------------------------ public API

int MakePath(char* path, const char* dir, const char* name) {
  int n;
  if (name[0] == '/' || name[0] == '~') n = snprintf(path, TOK_PATH_MAX + 1, "%s", name);
  else n = snprintf(path, TOK_PATH_MAX + 1, "%s/%s", dir, name);
  return (n < 0 || n > TOK_PATH_MAX) ? -1 : 0;
}

int WriteFileQuietly(const char* path, int (*body)(FILE* f, const void* data),
                     const void* data) {
  char tmp[TOK_PATH_MAX + 16];
  const char* slash = strrchr(path, '/');
  int dirlen = slash ? (int)(slash - path) + 1 : 0;
  int n = snprintf(tmp, sizeof(tmp), "%.*s.%s.XXXXXX", dirlen, path, path + dirlen);
  if (n < 0 || n >= (int)sizeof(tmp)) return ENAMETOOLONG;
  int fd = mkstemp(tmp);
  if (fd < 0) return errno ? errno : EIO;
  flock(fd, LOCK_EX);   // held until the file is closed: a start-up never takes it for debris
  // keep the mode of the file replaced, else the usual mode for new files
  struct stat st;
  mode_t mode_bits;
  if (stat(path, &st) == 0) {
    mode_bits = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode_bits = 0666 & ~mask;
  }
  fchmod(fd, mode_bits);
  FILE* f = fdopen(fd, "w");
  if (!f) {
    int e = errno;
    close(fd);
    unlink(tmp);
    return e ? e : EIO;
  }
  errno = 0;
  int e = body(f, data) != 0 ? EIO : 0;
  if (fflush(f) != 0 || ferror(f)) e = errno ? errno : EIO;
  if (fclose(f) != 0 && !e) e = errno ? errno : EIO;
  if (!e && rename(tmp, path) != 0) e = errno ? errno : EIO;
  if (e) unlink(tmp);
  return e;
}

int IsSaveTemporary(const char* entry) {
  size_t n = strlen(entry);
  if (n < 9 || entry[0] != '.' || entry[n - 7] != '.') return 0;
  for (size_t i = n - 6; i < n; i++) {
    char c = entry[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return 0;
  }
  return 1;
}

// a file is taken only when its lock can be had at once: its writer has ended
int RemoveSaveTemporaries(const char* dir) {
  DIR* d = opendir(dir);
  if (!d) return 0;
  int removed = 0;
  while (struct dirent* e = readdir(d)) {
    if (!IsSaveTemporary(e->d_name)) continue;
    char path[TOK_PATH_MAX + 16];
    int n = snprintf(path, sizeof(path), "%s/%s", dir, e->d_name);
    if (n < 0 || n >= (int)sizeof(path)) continue;
    int fd = open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        unlink(path) == 0)
      removed++;
    close(fd);
  }
  closedir(d);
  return removed;
}

int WriteFileSafely(const char* path, int (*body)(FILE* f, const void* data),
                    const void* data) {
  int e = WriteFileQuietly(path, body, data);
  if (e == 0) return 0;
  VmMessage(MsgWarning, "Unable to write file `%s' (%s)\n", path, strerror(e));
  return -1;
}
