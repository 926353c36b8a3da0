// misc.cpp -- messages of the matrix library: fatal errors and warnings
#include <cstdarg>   // for: va_list
#include <cstdio>    // for: vfprintf()
#include <cstdlib>   // for: exit()

#include "matrix.h"
#include "base/message.h"  // for: VmMessageV()

//------------------------------------------------------------------ public API

// print to stderr and exit with status; used for fatal allocation failures
void JmError(int status, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  VmMessageV(MsgWarning, format, ap);
  va_end(ap);
  exit(status);
}

// print to stderr and return
void JmWarning(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  VmMessageV(MsgWarning, format, ap);
  va_end(ap);
}
