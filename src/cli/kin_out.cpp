// kin_out.cpp -- velmora-kin output: the results stream and format, one-line messages, numbers
#include <math.h>    // for: fabs()
#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: fprintf(), vsnprintf(), fputs()
#include <string.h>  // for: strlen(), memcpy()

#include <charconv>  // for: std::to_chars()

#include "base/message.h"  // for: SetMessageCallback()
#include "cli/kin_cli.h"

//------------------------------------------------------------------ module state

static FILE* out = nullptr;          // results; NULL: standard output
static int format = KinText;
static int trace = 0;                // the core's trace lines to standard error
static char kept[2048] = "";         // the core's warnings not yet reported, "; " between
static size_t kept_len = 0;

//------------------------------------------------------------------ static helpers

// trace lines through when asked; warnings kept as one line
static void core_message(int kind, const char* text) {
  if (kind == MsgTrace) {
    if (trace) fputs(text, stderr);
    return;
  }
  size_t n = strlen(text);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == ' ')) n--;
  if (n == 0) return;
  if (kept_len > 0 && kept_len + 2 < sizeof(kept)) {
    memcpy(kept + kept_len, "; ", 2);
    kept_len += 2;
  }
  for (size_t i = 0; i < n && kept_len + 1 < sizeof(kept); i++)
    kept[kept_len++] = text[i] == '\n' ? ' ' : text[i];
  kept[kept_len] = '\0';
}

//------------------------------------------------------------------ public API

int KinWorse(int a, int b) {
  static const int rank[4] = {0, 1, 3, 2};   // ok, failed, usage, unreadable
  return rank[b & 3] > rank[a & 3] ? b : a;
}

void KinSetOut(FILE* f) { out = f; }
FILE* KinOut(void) { return out ? out : stdout; }
void KinSetFormat(int f) { format = f; }
int KinGetFormat(void) { return format; }

void KinRouteMessages(int on) {
  trace = on;
  SetMessageCallback(core_message);
}

int KinFail(int status, const char* subject, const char* fmt, ...) {
  char reason[1024] = "";
  if (fmt) {
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(reason, sizeof(reason), fmt, ap);
    va_end(ap);
  }
  fprintf(stderr, "velmora-kin: %s: %s", subject, reason);
  if (kept_len > 0) fprintf(stderr, "%s%s", fmt ? ": " : "", kept);
  else if (!fmt) fputs("failed", stderr);
  fputc('\n', stderr);
  kept[0] = '\0';
  kept_len = 0;
  return status;
}

void KinFlushWarnings(const char* subject) {
  if (kept_len == 0) return;
  fprintf(stderr, "velmora-kin: %s: %s\n", subject, kept);
  kept[0] = '\0';
  kept_len = 0;
}

void KinTakeWarnings(char* text, int size) {
  snprintf(text, (size_t)size, "%s", kept);
  kept[0] = '\0';
  kept_len = 0;
}

int KinFixed(char* s, double v) {
  if (fabs(v) < 5e-7) v = 0.0;                      // rounds to zero: no "-0.000000"
  std::to_chars_result r = std::to_chars(s, s + 31, v, std::chars_format::fixed, 6);
  if (r.ec != std::errc()) return snprintf(s, 32, "%.6g", v);
  *r.ptr = '\0';
  return (int)(r.ptr - s);
}

void KinPutNumbers(FILE* f, const double* v, int k, char sep) {
  char s[40];
  for (int i = 0; i < k; i++) {
    if (i) fputc(sep, f);
    fwrite(s, 1, (size_t)KinFixed(s, v[i]), f);
  }
}

void KinPutJsonString(FILE* f, const char* s) {
  fputc('"', f);
  for (; *s; s++) {
    unsigned char c = (unsigned char)*s;
    if (c == '"' || c == '\\') fprintf(f, "\\%c", c);
    else if (c < 0x20) fprintf(f, "\\u%04x", c);
    else fputc(c, f);
  }
  fputc('"', f);
}

void KinPutJsonArray(FILE* f, const double* v, int k) {
  fputc('[', f);
  char s[40];
  for (int i = 0; i < k; i++) {
    if (i) fputs(", ", f);
    fwrite(s, 1, (size_t)KinFixed(s, v[i]), f);
  }
  fputc(']', f);
}
