// workspace_file.cpp -- work-environment files in "Workspace": reader, writer, name rule, list
#include "scene/workspace_file.h"

#include <errno.h>     // for: errno, EEXIST, ERANGE
#include <float.h>     // for: FLT_MAX
#include <math.h>      // for: fabs()
#include <stdarg.h>    // for: va_list
#include <stdio.h>     // for: fopen(), getc(), fprintf(), vsnprintf()
#include <stdlib.h>    // for: strtod(), strtol()
#include <string.h>    // for: strlen(), strchr(), strcmp(), memcpy()
#include <sys/stat.h>  // for: mkdir()

#include "base/file_name.h"  // for: FileNameProblem(), FileNameListed()
#include "base/number.h"  // for: ParseNumber()

#include "graphics/misc.h"  // for: JwWarning()
#include "robot/tokenizer.h"      // for: TOK_PATH_MAX, WriteFileSafely()
#include "scene/workspace.h"
#include "scene/workspace_kinds.h"  // for: WorkspaceKindByName(), WorkspaceKindOf()

//------------------------------------------------------------------ module state

// the reader fills these copies and swaps them in only when the whole file has been read
static struct {
  int show[WS_MAX];
  float pos[WS_MAX][3];
  float info[WS_MAX][3];
  int type[WS_MAX];
  unsigned long color[WS_MAX];
  float angle[WS_MAX][3];
} incoming;

static FILE* in = nullptr;             // the file being read
static char in_path[TOK_PATH_MAX + 1];
static int in_line = 1;                // line of the next character
static char word[WS_WORD_MAX + 1];     // the last word read, NUL-terminated
static int word_len = 0;
static int word_line = 1;              // line the last word started on

//------------------------------------------------------------------ static helpers

static int IsBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// one message about the file being read, prefixed with its path and the line
static void Fault(const char* format, ...) {
  char text[256];
  va_list ap;
  va_start(ap, format);
  vsnprintf(text, sizeof(text), format, ap);
  va_end(ap);
  JwWarning("Workspace file `%s' line %d: %s\n", in_path, word_line, text);
}

// next blank-separated word; 1 read, 0 at end of file, -1 when longer than the buffer
// (after its message)
static int NextWord(void) {
  int c, last = EOF;
  while ((c = getc(in)) != EOF && IsBlank(c)) {
    if (c == '\n') in_line++;
    last = c;
  }
  word_len = 0;
  word_line = in_line;
  if (c == EOF) {                        // the file's last line, not the one after it
    if (last == '\n' && in_line > 1) word_line--;
    return 0;
  }
  while (c != EOF && !IsBlank(c)) {
    if (word_len == WS_WORD_MAX) {
      Fault("a word longer than %d characters", WS_WORD_MAX);
      return -1;
    }
    word[word_len++] = (char)c;
    c = getc(in);
  }
  if (c != EOF) ungetc(c, in);
  word[word_len] = '\0';
  return 1;
}

// the next word of object k of n; 0, or -1 after a message (the file ends early, or the
// word is too long)
static int NeedWord(int k, int n) {
  int rc = NextWord();
  if (rc == 0) Fault("the file ends in object %d of %d", k + 1, n);
  return rc == 1 ? 0 : -1;
}

// the next word as a number a float holds into v; 0, or -1 after a message
static int NeedNumber(int k, int n, double* v) {
  if (NeedWord(k, n) != 0) return -1;
  if (ParseNumber(word, word_len, NumFloat, v) != 0) {
    Fault("`%s' is not a number", word);
    return -1;
  }
  return 0;
}

// the current word as a whole decimal integer into v; 0 or -1 (no message)
static int WordToInt(int* v) {
  char* end = nullptr;
  errno = 0;
  long x = strtol(word, &end, 10);
  if (end != word + word_len || word_len == 0 || errno == ERANGE || x < -2147483647L ||
      x > 2147483647L)
    return -1;
  *v = (int)x;
  return 0;
}

static float Clamp(double v, double lo, double hi) {
  return (float)(v < lo ? lo : (v > hi ? hi : v));
}

// index of the current word in names[first..count-1], or -1; a word holding a NUL
// byte matches nothing
static int FindName(const char* const* names, int first, int count) {
  if ((int)strlen(word) != word_len) return -1;
  for (int i = first; i < count; i++)
    if (strcmp(word, names[i]) == 0) return i;
  return -1;
}

// object k of n into the copies; 0, or -1 after one message
static int ReadObject(int k, int n) {
  double v;
  if (NeedWord(k, n) != 0) return -1;
  int t = (int)strlen(word) == word_len ? WorkspaceKindByName(word) : -1;
  if (t > 0) incoming.type[k] = t;
  else JwWarning("Workspace file `%s' line %d: unknown type `%s', object %d keeps its type\n",
                 in_path, word_line, word, k + 1);
  for (int i = 0; i < 3; i++) {
    if (NeedNumber(k, n, &v) != 0) return -1;
    incoming.pos[k][i] = Clamp(v, -10000.0, 10000.0);
  }
  for (int i = 0; i < 3; i++) {
    if (NeedNumber(k, n, &v) != 0) return -1;
    incoming.info[k][i] = Clamp(v, 0.0, 50.0);
  }
  if (NeedWord(k, n) != 0) return -1;
  int c = FindName(WorkspaceColorName, 0, WS_COLORS);
  if (c >= 0) incoming.color[k] = WorkspaceColorValue[c];
  else JwWarning("Workspace file `%s' line %d: unknown colour `%s', object %d keeps its colour\n",
                 in_path, word_line, word, k + 1);
  for (int i = 0; i < 3; i++) {
    if (NeedNumber(k, n, &v) != 0) return -1;
    incoming.angle[k][i] = (float)v;
  }
  int show;
  if (NeedWord(k, n) != 0) return -1;
  if (WordToInt(&show) != 0) {
    Fault("`%s' is not a visibility flag", word);
    return -1;
  }
  incoming.show[k] = show != 0;
  return 0;
}

// count and objects into the copies; the object count, or -1 after one message
static int ReadAll(void) {
  int n;
  int rc = NextWord();
  if (rc < 0) return -1;
  if (rc == 0) {
    Fault("no object count");
    return -1;
  }
  if (WordToInt(&n) != 0 || n < 1 || n > WS_MAX) {
    Fault("the object count `%s' is not 1 to %d", word, WS_MAX);
    return -1;
  }
  for (int k = 0; k < n; k++)
    if (ReadObject(k, n) != 0) return -1;
  return n;
}

// "Workspace/" + name into path after the name rule; 0, or -1 after one message
static int WorkspacePath(char* path, const char* name) {
  if (CheckWorkspaceFileName(name) != 0) return -1;
  snprintf(path, TOK_PATH_MAX + 1, "%s/%s", WS_DIR, name);
  return 0;
}

static const char* TypeNameOf(int type) {
  return WorkspaceKindName(WorkspaceKindOf(type) ? type : WS_TABLE);
}

static const char* ColorNameOf(unsigned long color) {
  for (int c = 0; c < WS_COLORS; c++)
    if (WorkspaceColorValue[c] == color) return WorkspaceColorName[c];
  return WorkspaceColorName[1];
}

static int PutWorkspace(FILE* f, const void*) {
  fprintf(f, " %d\n", workspace_number);
  for (int i = 0; i < workspace_number; i++) {
    fprintf(f, "     %s\n", TypeNameOf(WorkspaceType[i]));
    for (int k = 0; k < 3; k++) fprintf(f, "     %lf\n", (double)ws_object_pos[i][k]);
    for (int k = 0; k < 3; k++) {
      // a kind's unused dimension (a Surface's height) is written as 0, the others kept
      const WorkspaceKind* kind = WorkspaceKindOf(WorkspaceType[i]);
      double v = (kind && k == kind->zero_dim) ? 0.0 : ws_object_info[i][k];
      fprintf(f, "     %lf\n", v);
    }
    fprintf(f, "     %s\n", ColorNameOf(WorkspaceColor[i]));
    for (int k = 0; k < 3; k++) fprintf(f, "     %lf\n", (double)WorkspaceAngle[i][k]);
    fprintf(f, "     %d\n", ShowWorkspace[i]);
  }
  return ferror(f) ? -1 : 0;
}

//------------------------------------------------------------------ public API

int CheckWorkspaceFileName(const char* name) {
  const char* why = FileNameProblem(name, WS_FILE_NAME_MAX);
  if (why) {
    JwWarning("%s\n", why);
    return -1;
  }
  return 0;
}

int ReadWorkspace(const char* name) {
  if (WorkspacePath(in_path, name) != 0) return -1;
  if (!(in = fopen(in_path, "r"))) {
    JwWarning("Unable to open file `%s'\n", in_path);
    return -1;
  }
  memcpy(incoming.show, ShowWorkspace, sizeof(incoming.show));
  memcpy(incoming.pos, ws_object_pos, sizeof(incoming.pos));
  memcpy(incoming.info, ws_object_info, sizeof(incoming.info));
  memcpy(incoming.type, WorkspaceType, sizeof(incoming.type));
  memcpy(incoming.color, WorkspaceColor, sizeof(incoming.color));
  memcpy(incoming.angle, WorkspaceAngle, sizeof(incoming.angle));
  in_line = word_line = 1;
  int n = ReadAll();
  fclose(in);
  in = nullptr;
  if (n < 0) return -1;
  memcpy(ShowWorkspace, incoming.show, sizeof(incoming.show));
  memcpy(ws_object_pos, incoming.pos, sizeof(incoming.pos));
  memcpy(ws_object_info, incoming.info, sizeof(incoming.info));
  memcpy(WorkspaceType, incoming.type, sizeof(incoming.type));
  memcpy(WorkspaceColor, incoming.color, sizeof(incoming.color));
  memcpy(WorkspaceAngle, incoming.angle, sizeof(incoming.angle));
  workspace_number = n;
  if (Workspace_ID >= n) Workspace_ID = 0;
  if (coord_id >= n) coord_id = -1;
  return 0;
}

int WriteWorkspace(const char* name) {
  char path[TOK_PATH_MAX + 1];
  if (WorkspacePath(path, name) != 0) return -1;
  if (workspace_number < 1 || workspace_number > WS_MAX) {
    JwWarning("Unable to write file `%s': %d objects\n", path, workspace_number);
    return -1;
  }
  if (mkdir(WS_DIR, 0755) != 0 && errno != EEXIST) {
    JwWarning("Unable to make the directory `%s'\n", WS_DIR);
    return -1;
  }
  return WriteFileSafely(path, PutWorkspace, nullptr);
}

int workspace_fill_match(const char* entry) {
  return FileNameListed(entry);
}
