// misc.cpp -- messages and allocation of the graphics and robot modules
#include "graphics/misc.h"

#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: vfprintf()
#include <stdlib.h>  // for: malloc(), exit()

//------------------------------------------------------------------ public API

// message to stderr, then exit(status)
void JwError(int status, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vfprintf(stderr, format, ap);
  va_end(ap);
  fflush(stderr);
  exit(status);
}

// message to stderr
void JwWarning(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vfprintf(stderr, format, ap);
  va_end(ap);
}

// malloc or die; a zero size still yields a unique pointer
void* JwMalloc(size_t size) {
  void* p = malloc(size ? size : 1);
  if (!p) JwError(1, "Jwmalloc: failed allocation\n");
  return p;
}
