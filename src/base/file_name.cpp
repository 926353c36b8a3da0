// file_name.cpp -- the one rule for a name typed into a dialog that becomes a file name inside
// its folder, and the one rule for which folder entries the pick lists show
#include "base/file_name.h"

#include <stdio.h>   // for: snprintf()
#include <string.h>  // for: strchr(), strcmp(), strlen()

//------------------------------------------------------------------ module state

static char too_long[64];   // the refusal that names the limit

//------------------------------------------------------------------ static helpers

static int EndsHidden(const char* s, size_t n) {
  return s[n - 1] == '~' || (n >= 4 && strcmp(s + n - 4, ".CKP") == 0);
}

//------------------------------------------------------------------ public API

const char* FileNameProblem(const char* name, int max) {
  if (!name || !name[0]) return "File name is empty";
  if (strchr(name, '/')) return "File name must not contain \"/\"";
  if (name[0] == '.') return "File name must not begin with \".\"";
  if (name[0] == '~') return "File name must not begin with \"~\"";
  for (const unsigned char* p = (const unsigned char*)name; *p; p++)
    if (*p < 32 || *p == 127) return "File name must not contain control characters";
  size_t n = strlen(name);
  if (EndsHidden(name, n)) return "File name must not end with \"~\" or \".CKP\"";
  if (n > (size_t)(max < 0 ? 0 : max)) {
    snprintf(too_long, sizeof too_long, "File name is too long (at most %d characters)", max);
    return too_long;
  }
  return nullptr;
}

int FileNameListed(const char* entry) {
  size_t n = strlen(entry);
  return n > 0 && entry[0] != '.' && entry[0] != '~' && !EndsHidden(entry, n);
}
