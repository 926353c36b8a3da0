// misc.h -- messages and allocation of the graphics and robot modules
#ifndef VELMORA_GRAPHICS_MISC_H
#define VELMORA_GRAPHICS_MISC_H

#include <stddef.h>  // for: size_t

// switch the printing of JwError and JwWarning (on at start)
void JwShowMessages(int on);
// print to stderr (when switched on) and exit with status
void JwError(int status, const char* format, ...);
// print to stderr (when switched on) and return
void JwWarning(const char* format, ...);
// malloc that is fatal on failure: "Jwmalloc: failed allocation\n", status 1
void* JwMalloc(size_t size);

#endif
