// sample_copy.cpp -- a private copy of the sample data for a benchmark process
#include "sample_copy.h"

#include <stdio.h>   // for: snprintf(), fprintf()
#include <stdlib.h>  // for: mkdtemp(), system(), atexit()
#include <unistd.h>  // for: chdir()

//------------------------------------------------------------------ module state
static char dir[] = "/tmp/velmora-bench-XXXXXX";
static int result = 1;   // 1 until the first call

//------------------------------------------------------------------ static helpers
static void RemoveCopy(void) {
  char cmd[512];
  if (chdir("/tmp") != 0) return;
  snprintf(cmd, sizeof cmd, "rm -rf '%s'", dir);
  if (system(cmd) != 0) fprintf(stderr, "bench: could not remove %s\n", dir);
}

//------------------------------------------------------------------ public API
int EnterSampleCopy(void) {
  if (result != 1) return result;
  result = -1;
  if (!mkdtemp(dir)) {
    fprintf(stderr, "bench: no scratch folder under /tmp\n");
    return -1;
  }
  atexit(RemoveCopy);
  char cmd[512];
  snprintf(cmd, sizeof cmd, "cp -r '%s/data/.' '%s'", VELMORA_SOURCE_DIR, dir);
  if (system(cmd) != 0 || chdir(dir) != 0) {
    fprintf(stderr, "bench: could not copy the samples to %s\n", dir);
    return -1;
  }
  result = 0;
  return 0;
}
