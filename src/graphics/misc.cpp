// misc.cpp -- messages and allocation of the graphics and robot modules
#include "graphics/misc.h"

#include "base/message.h"  // for: VmMessageV()

#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: vfprintf()
#include <stdlib.h>  // for: malloc(), exit()

//------------------------------------------------------------------ module state

static int show_messages = 1;  // 0 silences JwError and JwWarning

//------------------------------------------------------------------ public API

// switch diagnostic printing on or off
void JwShowMessages(int on) { show_messages = on; }

// message to stderr, then exit(status)
void JwError(int status, const char* format, ...) {
  if (show_messages) {
    va_list ap;
    va_start(ap, format);
    VmMessageV(MsgWarning, format, ap);
    va_end(ap);
  }
  exit(status);
}

// message to stderr
void JwWarning(const char* format, ...) {
  if (!show_messages) return;
  va_list ap;
  va_start(ap, format);
  VmMessageV(MsgWarning, format, ap);
  va_end(ap);
}

// malloc or die; a zero size still yields a unique pointer
void* JwMalloc(size_t size) {
  void* p = malloc(size ? size : 1);
  if (!p) JwError(1, "Jwmalloc: failed allocation\n");
  return p;
}
