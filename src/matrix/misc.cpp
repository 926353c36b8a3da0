// misc.cpp -- messages of the matrix library: fatal errors and warnings
#include <cstdarg>   // for: va_list
#include <cstdio>    // for: vfprintf()
#include <cstdlib>   // for: exit()

#include "matrix.h"

//------------------------------------------------------------------ public API

// print to stderr and exit with status; used for fatal allocation failures
void JmError(int status, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vfprintf(stderr, format, ap);
  va_end(ap);
  fflush(stderr);
  exit(status);
}

// print to stderr and return
void JmWarning(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vfprintf(stderr, format, ap);
  va_end(ap);
}
