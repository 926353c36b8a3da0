// fuzz_read_jtraj.cpp -- libFuzzer target: any bytes as a joint trajectory file
#include <stddef.h>    // for: size_t
#include <stdint.h>    // for: uint8_t
#include <sys/stat.h>  // for: mkdir()

#include "robot/app_state.h"
#include "fuzz_common.h"
#include "robot/robot.h"
#include "traj/traj_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (FuzzEnterWorkDir() != 0) return -1;
  mkdir("Jtraj", 0755);
  return 0;
}

// the first byte picks the robot's length, 1 to 40 links; the rest is the file, whose
// poses come from the forward kinematics of every point
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int n = 1 + data[0]%40;
  if (FuzzWriteFile("Jtraj/arm.fuzz", data + 1, size - 1) != 0) return 0;
  DHRow rows[40];
  for (int i = 0; i < n; i++) rows[i] = {i%3 == 2, 1.0f, 0.5f, 90.0f, 0.0f, -1e5f, 1e5f};
  Robot r = RobotFromDH("arm", n, rows);
  LoadJointTrajectory(r, "arm.fuzz", &JT);
  ClearJointTrajectory(&JT);
  FreeRobot(r);
  return 0;
}
