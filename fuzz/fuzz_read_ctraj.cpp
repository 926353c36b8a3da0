// fuzz_read_ctraj.cpp -- libFuzzer target: any bytes as a Cartesian trajectory file
#include <stddef.h>    // for: size_t
#include <stdint.h>    // for: uint8_t
#include <sys/stat.h>  // for: mkdir()

#include "robot/app_state.h"
#include "fuzz_common.h"
#include "robot/robot.h"
#include "traj/traj_file.h"

static Robot arms[3];         // a spatial, a spherical-wrist and a positioning arm

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (FuzzEnterWorkDir() != 0) return -1;
  mkdir("Ctraj", 0755);
  DHRow six[6] = {{0, 0, 0, 90, 0, -1e5f, 1e5f}, {0, 0.43f, 0, 0, 0, -1e5f, 1e5f},
                  {0, 0.02f, 0.15f, -90, 0, -1e5f, 1e5f}, {0, 0, 0.43f, 90, 0, -1e5f, 1e5f},
                  {0, 0, 0, -90, 0, -1e5f, 1e5f}, {0, 0, 0, 0, 0, -1e5f, 1e5f}};
  DHRow wrist[3] = {{0, 0, 2, -90, 0, -1e5f, 1e5f}, {0, 0, 0, 90, 30, -1e5f, 1e5f},
                    {0, 0.5f, 1, 0, 0, -1e5f, 1e5f}};
  DHRow posit[3] = {{0, 0, 5, 90, 0, -1e5f, 1e5f}, {0, 4, 0, 0, 30, -1e5f, 1e5f},
                    {0, 3, 0, 0, -60, -1e5f, 1e5f}};
  arms[0] = RobotFromDH("arm", 6, six);
  arms[1] = RobotFromDH("arm", 3, wrist);
  arms[2] = RobotFromDH("arm", 3, posit);
  return 0;
}

// the first byte picks the arm; the rest is the file; what loads is written back out
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Robot r = arms[data[0]%3];
  if (FuzzWriteFile("Ctraj/arm.fuzz", data + 1, size - 1) != 0) return 0;
  if (LoadCartesianTrajectory(r, "arm.fuzz", &CT) == 0)
    WriteCartesianTrajectory("Ctraj/arm.out", r, &CT, &JT);
  ClearCartesianTrajectory(&CT);
  return 0;
}
