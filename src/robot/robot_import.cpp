// robot_import.cpp -- a robot file from anywhere taken into the data folder: checked by the
// robot reader, copied into "Arch" under its own name with its description
#include "robot/robot_import.h"

#include <stdio.h>     // for: fopen(), fread(), fwrite(), snprintf()
#include <string.h>    // for: strrchr(), memcmp(), strncmp()
#include <sys/stat.h>  // for: stat(), S_ISREG()

#include "base/fileio.h"        // for: MakePath(), WriteFileSafely(), TOK_PATH_MAX
#include "base/message.h"       // for: VmMessage()
#include "robot/reader.h"       // for: ReadRobotRecord()
#include "robot/robot.h"        // for: FreeRobot(), allRevolute
#include "robot/robot_files.h"  // for: RobotNameProblem(), ROBOT_NAME_MAX

//------------------------------------------------------------------ static helpers

// 1 for an existing plain file (a symbolic link to one counts)
static int IsPlainFile(const char* path, struct stat* st) {
  return stat(path, st) == 0 && S_ISREG(st->st_mode);
}

// 1 when the two files hold the same bytes
static int SameBytes(const char* a, const char* b) {
  FILE* fa = fopen(a, "rb");
  FILE* fb = fa ? fopen(b, "rb") : nullptr;
  int same = fa && fb;
  char ba[8192], bb[8192];
  while (same) {
    size_t ka = fread(ba, 1, sizeof ba, fa), kb = fread(bb, 1, sizeof bb, fb);
    if (ka != kb || memcmp(ba, bb, ka) != 0) same = 0;
    else if (ka == 0) break;
  }
  if (same && (ferror(fa) || ferror(fb))) same = 0;
  if (fb) fclose(fb);
  if (fa) fclose(fa);
  return same;
}

// the whole source file into f
static int PutFile(FILE* f, const void* data) {
  FILE* src = fopen((const char*)data, "rb");
  if (!src) return -1;
  char buf[8192];
  size_t k;
  int rc = 0;
  while (rc == 0 && (k = fread(buf, 1, sizeof buf, src)) > 0)
    if (fwrite(buf, 1, k, f) != k) rc = -1;
  if (ferror(src)) rc = -1;
  fclose(src);
  return rc;
}

// the reader's verdict on path, leaving the loaded robot's classification as it was
static int ReaderAccepts(const char* path) {
  int revolute = allRevolute;
  Robot r = ReadRobotRecord(path);
  allRevolute = revolute;
  if (!r) return 0;
  FreeRobot(r);
  return 1;
}

//------------------------------------------------------------------ public API

int RobotImportDescription(const char* path, char* desc, int size) {
  const char* slash = strrchr(path, '/');
  const char* name = slash ? slash + 1 : path;
  int dirlen = slash ? (int)(slash - path) : 0;
  struct stat st;
  int n = snprintf(desc, (size_t)size, "%.*s%sDescription/%s", dirlen, path, slash ? "/" : "",
                   name);
  if (n > 0 && n < size && IsPlainFile(desc, &st)) return 1;
  // a robot in the "Arch" of another data folder: its "Description" is beside "Arch"
  int in_arch = dirlen >= 4 && strncmp(path + dirlen - 4, "Arch", 4) == 0 &&
                (dirlen == 4 || path[dirlen - 5] == '/');
  if (!in_arch) return 0;
  n = snprintf(desc, (size_t)size, "%.*sDescription/%s", dirlen - 4, path, name);
  return n > 0 && n < size && IsPlainFile(desc, &st) ? 1 : 0;
}

int ImportRobotFile(const char* path, int overwrite, char* name) {
  name[0] = '\0';
  struct stat src, dst;
  if (!path || !IsPlainFile(path, &src)) {
    VmMessage(MsgRefusal, "Unable to open file `%s': not a plain file\n", path ? path : "");
    return RobotImportRefused;
  }
  const char* slash = strrchr(path, '/');
  const char* base = slash ? slash + 1 : path;
  const char* why = RobotNameProblem(base);
  char arch[TOK_PATH_MAX + 1];
  if (!why && MakePath(arch, "Arch", base) < 0) why = "File name is too long";
  if (why) {
    VmMessage(MsgRefusal, "Cannot import `%s': %s\n", path, why);
    return RobotImportRefused;
  }
  if (!ReaderAccepts(path)) return RobotImportRefused;   // the reader said why
  snprintf(name, ROBOT_NAME_MAX + 1, "%s", base);
  if (IsPlainFile(arch, &dst)) {
    if ((src.st_dev == dst.st_dev && src.st_ino == dst.st_ino) || SameBytes(path, arch))
      return RobotImportSame;
    if (!overwrite) return RobotImportExists;
  }
  if (WriteFileSafely(arch, PutFile, path) != 0) return RobotImportNotWritten;
  char desc[TOK_PATH_MAX + 1], target[TOK_PATH_MAX + 1];
  if (!RobotImportDescription(path, desc, sizeof desc)) return RobotImported;
  if (MakePath(target, "Description", base) < 0) return RobotImportedBare;
  return WriteFileSafely(target, PutFile, desc) == 0 ? RobotImported : RobotImportedBare;
}
