// number.cpp -- text to a finite number, with the rules of files, dialogs and command lines
#include "base/number.h"

#include <float.h>   // for: FLT_MAX
#include <math.h>    // for: isfinite(), fabs()
#include <stdlib.h>  // for: strtod(), strtof()
#include <string.h>  // for: strlen()

//------------------------------------------------------------------ static helpers

static int IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// "[+-]digits[.digits]" with at most 15 digits: the integer of its digits divided by a power
// of ten is one correctly rounded division, the value strtod gives; 0 for any other form
static int FastDecimal(const char* s, int len, double* x) {
  static const double p10[16] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10,
                                 1e11, 1e12, 1e13, 1e14, 1e15};
  int i = (s[0] == '-' || s[0] == '+') ? 1 : 0, digits = 0, frac = 0, dot = 0;
  long long m = 0;
  for (; i < len; i++) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return 0;
      m = m*10 + (c - '0');
      frac += dot;
    } else if (c == '.' && !dot) {
      dot = 1;
    } else {
      return 0;
    }
  }
  if (digits == 0) return 0;
  double v = (double)m/p10[frac];
  *x = s[0] == '-' ? -v : v;
  return 1;
}

//------------------------------------------------------------------ public API

int ParseNumber(const char* text, int len, int rules, double* out) {
  if (!text) return -1;
  if (len < 0) len = (int)strlen(text);
  const char* s = text;
  const char* e = text + len;
  if (rules & NumBlanks) {
    while (s < e && IsBlank(*s)) s++;
    while (e > s && IsBlank(e[-1])) e--;
  }
  if (s == e) {
    if (!(rules & NumEmptyZero)) return -1;
    *out = 0.0;
    return 0;
  }
  if (IsBlank(*s)) return -1;                   // strtod would skip them
  double v;
  char* end = nullptr;
  if (rules & NumSingle) {
    v = (double)strtof(s, &end);
  } else if (FastDecimal(s, (int)(e - s), &v)) {
    end = (char*)e;
  } else {
    v = strtod(s, &end);
  }
  if (end != e || !isfinite(v)) return -1;     // a NUL byte ends strtod early
  if ((rules & NumFloat) && !(fabs(v) <= FLT_MAX)) return -1;
  if ((rules & NumSane) && !(fabs(v) <= 1e30)) return -1;
  *out = v;
  return 0;
}

int ParseFinite(const char* text, double* out) { return ParseNumber(text, -1, NumAny, out); }
