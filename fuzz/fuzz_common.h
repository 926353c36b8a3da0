// fuzz_common.h -- the fuzzers' private working directory and input file
#ifndef VELMORA_FUZZ_COMMON_H
#define VELMORA_FUZZ_COMMON_H

#include <fcntl.h>     // for: open()
#include <stdio.h>     // for: fopen(), fwrite()
#include <stdlib.h>    // for: mkdtemp(), atexit(), system()
#include <sys/stat.h>  // for: mkdir()
#include <unistd.h>    // for: chdir(), dup2()

static char fuzz_dir[] = "/tmp/velmora-fuzz-work-XXXXXX";

// the working directory goes when the fuzzer exits
static inline void FuzzRemoveWorkDir(void) {
  char cmd[64];
  snprintf(cmd, sizeof(cmd), "rm -rf '%s'", fuzz_dir);
  if (system(cmd) != 0) return;
}

// a fresh directory under /tmp with the data folders; the process works there and its
// standard output (the readers' trace) goes to /dev/null
static inline int FuzzEnterWorkDir(void) {
  if (!mkdtemp(fuzz_dir) || chdir(fuzz_dir) != 0) return -1;
  atexit(FuzzRemoveWorkDir);
  mkdir("Arch", 0755);
  mkdir("JConfig", 0755);
  int fd = open("/dev/null", O_WRONLY);
  if (fd >= 0) dup2(fd, 1);
  return 0;
}

// the fuzz input as a file; 0 or -1
static inline int FuzzWriteFile(const char* path, const unsigned char* data, size_t size) {
  FILE* f = fopen(path, "wb");
  if (!f) return -1;
  size_t k = size ? fwrite(data, 1, size, f) : 0;
  return (fclose(f) == 0 && k == size) ? 0 : -1;
}

#endif
