// fuzz_read_jconfig.cpp -- libFuzzer target: any bytes as a joint configuration file
#include <stddef.h>  // for: size_t
#include <stdint.h>  // for: uint8_t

#include "fuzz_common.h"
#include "robot/jconfig.h"
#include "robot/robot.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  return FuzzEnterWorkDir();
}

// the first byte picks the robot's length, 1 to 40 links (beyond the 30 of the fixed
// scratch vector); the rest is the file
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int n = 1 + data[0] % 40;
  if (FuzzWriteFile("JConfig/arm.fuzz", data + 1, size - 1) != 0) return 0;
  DHRow rows[40];
  for (int i = 0; i < n; i++) rows[i] = {0, 1.0f, 0.0f, 90.0f, 0.0f, -100000.0f, 100000.0f};
  Robot r = RobotFromDH("arm", n, rows);
  JointConfig jc = JointConfigFromRobot(r);
  ReadJointConfigFor(r, jc, "arm.fuzz");
  FreeJointConfig(jc);
  FreeRobot(r);
  return 0;
}
