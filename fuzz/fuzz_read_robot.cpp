// fuzz_read_robot.cpp -- libFuzzer target: any bytes as a robot description file
#include <stddef.h>  // for: size_t
#include <stdint.h>  // for: uint8_t

#include "fuzz_common.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  return FuzzEnterWorkDir();
}

// every input goes through the whole parse; inputs that make a small robot are also read
// in full (characteristic length, bodies, model lookup), as the program reads them
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (FuzzWriteFile("Arch/fuzz", data, size) != 0) return 0;
  Robot r = ParseRobot("fuzz");
  if (!r) return 0;
  int small = r->n <= 8;
  FreeRobot(r);
  if (!small) return 0;
  r = ReadRobot("fuzz");
  if (r && r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  return 0;
}
