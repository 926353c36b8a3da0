// fuzz_read_workspace.cpp -- libFuzzer target: any bytes as a work-environment file
#include <stddef.h>    // for: size_t
#include <stdint.h>    // for: uint8_t
#include <stdlib.h>    // for: abort()
#include <sys/stat.h>  // for: mkdir()

#include "fuzz_common.h"
#include "graphics/misc.h"  // for: JwShowMessages()
#include "scene/workspace.h"
#include "scene/workspace_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (FuzzEnterWorkDir() != 0) return -1;
  JwShowMessages(0);
  mkdir("Workspace", 0755);
  return 0;
}

// a file the reader accepts is written back and must read again to the same count;
// a refused one must leave the count as it was
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (FuzzWriteFile("Workspace/cell.fuzz", data, size) != 0) return 0;
  int before = workspace_number;
  if (ReadWorkspace("cell.fuzz") != 0) {
    if (workspace_number != before) abort();
    return 0;
  }
  int n = workspace_number;
  if (n < 1 || n > WS_MAX) abort();
  if (WriteWorkspace("cell.back") != 0 || ReadWorkspace("cell.back") != 0) abort();
  if (workspace_number != n) abort();
  return 0;
}
