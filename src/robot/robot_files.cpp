// robot_files.cpp -- robot file names, the robot list, deleting a robot, descriptions, link edits
#include "robot/robot_files.h"

#include <dirent.h>    // for: opendir(), readdir(), closedir()
#include <math.h>      // for: cos(), sin(), fabsf()
#include <stdio.h>     // for: fopen(), fread(), fwrite()
#include <stdlib.h>    // for: malloc(), realloc(), free(), qsort()
#include <string.h>    // for: strlen(), strcmp(), strncmp(), strdup()
#include <sys/stat.h>  // for: stat()
#include <unistd.h>    // for: unlink()

#include "robot/charlen.h"        // for: RobotCharacteristicLength()
#include "base/file_name.h"      // for: FileNameProblem(), FileNameListed()
#include "base/fileio.h"         // for: MakePath(), WriteFileSafely()
#include "base/consts.h"  // for: VM_PI


//------------------------------------------------------------------ static helpers

static int EndsWith(const char* s, const char* tail) {
  size_t n = strlen(s), k = strlen(tail);
  return n >= k && strcmp(s + n - k, tail) == 0;
}

static int ByName(const void* a, const void* b) {
  return strcmp(*(char* const*)a, *(char* const*)b);
}

// 0, or -1 when the list cannot grow
static int AddName(NameListPtr l, const char* name) {
  if (l->n == l->cap) {
    int cap = l->cap ? 2*l->cap : 64;
    char** p = (char**)realloc(l->name, (size_t)cap*sizeof(char*));
    if (!p) return -1;
    l->name = p;  l->cap = cap;
  }
  char* s = strdup(name);
  if (!s) return -1;
  l->name[l->n++] = s;
  return 0;
}

// 1 for a directory (or anything that is not a plain file) of dir
static int IsNotFile(const char* dir, const struct dirent* e) {
  if (e->d_type == DT_REG) return 0;
  if (e->d_type != DT_UNKNOWN && e->d_type != DT_LNK) return 1;
  char path[TOK_PATH_MAX + 1];
  struct stat st;
  if (MakePath(path, dir, e->d_name) < 0 || stat(path, &st) != 0) return 1;
  return S_ISREG(st.st_mode) ? 0 : 1;
}

static int PutText(FILE* f, const void* data) {
  const char* s = (const char*)data;
  size_t n = strlen(s);
  return fwrite(s, 1, n, f) == n ? 0 : -1;
}

// copies the whole source stream (NULL: nothing)
static int PutStream(FILE* f, const void* data) {
  FILE* src = (FILE*)data;
  if (!src) return 0;
  char buf[8192];
  size_t k;
  while ((k = fread(buf, 1, sizeof buf, src)) > 0)
    if (fwrite(buf, 1, k, f) != k) return -1;
  return ferror(src) ? -1 : 0;
}

//------------------------------------------------------------------ public API: names

const char* RobotNameProblem(const char* name) {
  return FileNameProblem(name, ROBOT_NAME_MAX);
}

int arch_fill_match(const char* entry) {
  return FileNameListed(entry);
}

int robot_delete_match(const char* entry, const char* name) {
  size_t k = strlen(name);
  return entry[0] != '.' && !EndsWith(entry, "~") && strncmp(entry, name, k) == 0 &&
         entry[k] == '.';
}

//------------------------------------------------------------------ public API: list

NameListPtr ListRobotFiles(void) {
  NameListPtr l = (NameListPtr)calloc(1, sizeof(NameList));
  if (!l) return nullptr;
  DIR* d = opendir("Arch");
  if (!d) return l;
  struct dirent* e;
  while ((e = readdir(d)) != nullptr) {
    if (!arch_fill_match(e->d_name) || IsNotFile("Arch", e)) continue;
    if (AddName(l, e->d_name) != 0) break;
  }
  closedir(d);
  if (l->n > 1) qsort(l->name, l->n, sizeof(char*), ByName);
  return l;
}

void FreeNameList(NameListPtr l) {
  if (!l) return;
  for (int i = 0; i < l->n; i++) free(l->name[i]);
  free(l->name);
  free(l);
}

//------------------------------------------------------------------ public API: deleting

int DeleteRobotFiles(const char* name, const char* current) {
  if (RobotNameProblem(name)) return RobotBadName;
  if (current && strcmp(name, current) == 0) return RobotInUse;
  char path[TOK_PATH_MAX + 1];
  if (MakePath(path, "Arch", name) < 0) return RobotBadName;
  if (unlink(path) != 0 && access(path, F_OK) == 0) return RobotNotRemoved;
  if (MakePath(path, "Description", name) == 0) unlink(path);
  // the names first, then the removals: the directory is not changed while it is read
  NameListPtr poses = (NameListPtr)calloc(1, sizeof(NameList));
  DIR* d = poses ? opendir("JConfig") : nullptr;
  if (d) {
    struct dirent* e;
    while ((e = readdir(d)) != nullptr)
      if (robot_delete_match(e->d_name, name) && AddName(poses, e->d_name) != 0) break;
    closedir(d);
  }
  for (int i = 0; poses && i < poses->n; i++)
    if (MakePath(path, "JConfig", poses->name[i]) == 0) unlink(path);
  FreeNameList(poses);
  return RobotDeleted;
}

//------------------------------------------------------------------ public API: descriptions

char* ReadDescription(const char* name, int flatten) {
  char path[TOK_PATH_MAX + 1];
  char* text = (char*)malloc(DESCRIPTION_MAX + 1);
  if (!text) return nullptr;
  size_t n = 0;
  FILE* f = (name && MakePath(path, "Description", name) == 0) ? fopen(path, "rb") : nullptr;
  if (f) {
    n = fread(text, 1, DESCRIPTION_MAX, f);
    fclose(f);
  }
  text[n] = '\0';
  for (size_t i = 0; i < n; i++)
    if (text[i] == '\0' || (flatten && (text[i] == '\n' || text[i] == '\r'))) text[i] = ' ';
  return text;
}

int WriteDescription(const char* name, const char* text) {
  char path[TOK_PATH_MAX + 1];
  if (RobotNameProblem(name) || MakePath(path, "Description", name) < 0) return -1;
  return WriteFileSafely(path, PutText, text ? text : "");
}

int CopyDescription(const char* from, const char* to) {
  char src[TOK_PATH_MAX + 1], dst[TOK_PATH_MAX + 1];
  if (RobotNameProblem(to) || MakePath(dst, "Description", to) < 0) return -1;
  FILE* f = (from && MakePath(src, "Description", from) == 0) ? fopen(src, "rb") : nullptr;
  int rc = WriteFileSafely(dst, PutStream, f);
  if (f) fclose(f);
  return rc;
}

//------------------------------------------------------------------ public API: link edits

void SetLinkParams(LinkPtr l, int joint, float a, float b, float al, float th) {
  l->joint = joint ? 1 : 0;
  l->a = a;  l->b = b;  l->al = al;  l->th = th;
  l->abs_b = fabsf(b);
  l->sign_b = b < 0 ? -1 : (b > 0 ? 1 : 0);
  l->cal = (float)cos(al*VM_DEG);  l->sal = (float)sin(al*VM_DEG);
  l->cth = (float)cos(th*VM_DEG);  l->sth = (float)sin(th*VM_DEG);
  l->h_q = l->joint ? b : th;
}

void RecomputeLengthScale(Robot r) {
  if (!r || r->n < 1) return;
  int revolute = 1;
  for (int i = 0; i < r->n; i++)
    if (r->L[i].joint != 0) revolute = 0;
  if (revolute) {
    RobotCharacteristicLength(r);   // falls back to the average link length itself
  } else {
    double sum = 0.0;
    for (int i = 0; i < r->n; i++) sum += r->L[i].a + fabs(r->L[i].b);
    r->avg_len = (float)(sum/(2*r->n));
  }
  r->rad = r->avg_len/8;
}
