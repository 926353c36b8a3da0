// kin_input.cpp -- velmora-kin input: numbers, paths, the robot of a call, batch lines
#include <stdio.h>     // for: snprintf(), getline()
#include <string.h>    // for: strchr(), strcspn(), strlen()
#include <sys/stat.h>  // for: stat()
#include <unistd.h>    // for: getcwd()

#include "base/data_dir.h"    // for: DataDirPath()
#include "base/number.h"      // for: ParseNumber()
#include "base/user_path.h"   // for: UserPath()
#include "cli/kin_cli.h"
#include "robot/app_state.h"  // for: R, m_homogenous_length, m_maximum_reach
#include "kin/ikp.h"          // for: CartesianConfigFromRobot()
#include "load/robot_load.h"   // for: ReadRobot()

//------------------------------------------------------------------ module state

static char start_dir[DATA_DIR_MAX] = "";   // the working directory at start

//------------------------------------------------------------------ static helpers

static int exists(const char* path) {
  struct stat st;
  return stat(path, &st) == 0;
}

//------------------------------------------------------------------ public API: numbers

// every number the program reads goes through here: finite, within float range
int KinNumber(const char* text, double* v) {
  return text ? ParseNumber(text, -1, NumFloat, v) : -1;
}

int KinNumbers(const char* subject, char** args, int k, double* v) {
  for (int i = 0; i < k; i++) {
    if (KinNumber(args[i], &v[i]) != 0)
      return KinFail(KinUsage, subject, "not a number: '%s'", args[i]);
  }
  return KinOk;
}

//------------------------------------------------------------------ public API: paths

void KinRememberStart(void) {
  if (!getcwd(start_dir, sizeof(start_dir))) start_dir[0] = '\0';
}

int KinIsPath(const char* arg) {
  return strchr(arg, '/') != nullptr;
}

int KinResolvePath(const char* arg, char* path, int size, char* where, int wsize) {
  int n;
  where[0] = '\0';
  if (arg[0] == '~' || arg[0] == '/') {   // "~", "~user" and "/" as the window takes them
    if (UserPath(arg, start_dir, path, size) != 0) return -1;
    snprintf(where, (size_t)wsize, "looked at %s", path);
    return 0;
  }
  while (arg[0] == '.' && arg[1] == '/') arg += 2;     // "./x" is x
  n = snprintf(path, (size_t)size, "%s/%s", start_dir, arg);
  if (n < 0 || n >= size) return -1;
  if (exists(path) || !DataDirPath()[0]) {
    snprintf(where, (size_t)wsize, "looked at %s", path);
    return 0;
  }
  // not in the working directory: the data folder
  char alt[DATA_DIR_MAX + 512];
  n = snprintf(alt, sizeof(alt), "%s/%s", DataDirPath(), arg);
  if (n < 0 || n >= (int)sizeof(alt) || n >= size) return -1;
  snprintf(where, (size_t)wsize, "looked at %s and %s", path, alt);
  if (exists(alt)) snprintf(path, (size_t)size, "%s", alt);
  return 0;
}

//------------------------------------------------------------------ public API: the robot

int KinOpenRobot(KinCall* c, const char* arg) {
  c->robot_arg = arg;
  m_homogenous_length = 0;
  m_maximum_reach = 0;
  char path[DATA_DIR_MAX + 512], where[2*DATA_DIR_MAX + 1100];
  const char* name = arg;
  if (KinIsPath(arg)) {
    if (KinResolvePath(arg, path, sizeof(path), where, sizeof(where)) != 0)
      return KinFail(KinUnreadable, arg, "path cannot be used");
    name = path;
  } else if (!arg[0]) {
    return KinFail(KinUsage, "ROBOT", "empty name");
  } else {
    snprintf(where, sizeof(where), "data folder %s", DataDirPath());
  }
  c->r = ReadRobot(name);
  if (!c->r) {
    char text[2048];
    KinTakeWarnings(text, sizeof(text));
    return KinFail(KinUnreadable, arg, "%s (%s)", text[0] ? text : "cannot be read", where);
  }
  R = c->r;
  c->jc = JointConfigFromRobot(c->r);
  c->cc = CartesianConfigFromRobot(c->r, c->jc);
  return KinOk;
}

void KinCloseRobot(KinCall* c) {
  if (!c->r) return;
  if (c->r->EE.DestroyProc) c->r->EE.DestroyProc(&c->r->EE);
  FreeCartesianConfig(c->cc);
  FreeJointConfig(c->jc);
  R = nullptr;
  FreeRobot(c->r);
  c->r = nullptr;
}

//------------------------------------------------------------------ public API: batch lines

int KinNextLine(FILE* f, KinLine* line) {
  static char* buf = nullptr;                // the reading buffer, kept for the next line
  static size_t cap = 0;
  for (;;) {
    ssize_t len = getline(&buf, &cap, f);
    if (len < 0) return 0;
    line->number++;
    line->k = 0;
    line->bad[0] = '\0';
    line->too_many = 0;
    if ((ssize_t)strlen(buf) < len) {        // a zero byte: not a line of numbers
      snprintf(line->bad, sizeof(line->bad), "\\0");
      return 1;
    }
    char* p = buf;
    for (;;) {
      while (*p == ' ' || *p == '\t' || *p == ',' || *p == '\r' || *p == '\n' || *p == '\v' ||
             *p == '\f')
        p++;
      if (*p == '\0' || *p == '#') break;
      char* word = p;
      p += strcspn(p, " \t,\r\n\v\f#");
      char keep = *p;
      *p = '\0';
      double v;
      if (KinNumber(word, &v) != 0) {
        if (line->bad[0] == '\0') snprintf(line->bad, sizeof(line->bad), "%s", word);
      } else if (line->k < (int)(sizeof(line->v)/sizeof(line->v[0]))) {
        line->v[line->k++] = v;
      } else {
        line->too_many = 1;
      }
      *p = keep;
    }
    if (line->k > 0 || line->bad[0] || line->too_many) return 1;
  }
}
