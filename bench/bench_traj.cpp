// bench_traj.cpp -- speed of the trajectory readers on a 10,000-point Cartesian file
#include <benchmark/benchmark.h>
#include <math.h>    // for: sin(), cos()
#include <stdio.h>   // for: fopen(), fprintf()
#include <stdlib.h>  // for: mkdtemp(), system()
#include <unistd.h>  // for: rmdir()

#include <string>

#include "robot/app_state.h"
#include "robot/robot.h"
#include "traj/traj_file.h"

// a 6R arm (type 0) and a file of 10,000 points (40,000 lines) in a private directory
static Robot Arm6() {
  DHRow rows[6] = {{0, 0, 0, 90, 0, -1e5f, 1e5f}, {0, 0.43f, 0, 0, 0, -1e5f, 1e5f},
                   {0, 0.02f, 0.15f, -90, 0, -1e5f, 1e5f}, {0, 0, 0.43f, 90, 0, -1e5f, 1e5f},
                   {0, 0, 0, -90, 0, -1e5f, 1e5f}, {0, 0, 0, 0, 0, -1e5f, 1e5f}};
  return RobotFromDH("Arm6", 6, rows);
}

static std::string WritePath(int ntp) {
  char tmpl[] = "/tmp/velmora-bench-XXXXXX";
  if (!mkdtemp(tmpl)) return "";
  std::string path = std::string(tmpl) + "/Arm6.big";
  FILE* f = fopen(path.c_str(), "w");
  for (int k = 0; k < ntp; k++) {
    double a = k*0.001, c = cos(a), s = sin(a);
    fprintf(f, "%lf %lf %lf \n", 0.5 + 0.1*c, 0.1*s, 0.3 + k*1e-5);
    fprintf(f, "%lf %lf %lf \n%lf %lf %lf \n%lf %lf %lf \n", c, -s, 0.0, s, c, 0.0, 0.0, 0.0, 1.0);
  }
  fclose(f);
  return path;
}

static void Remove(const std::string& path) {
  std::string cmd = "rm -rf '" + path.substr(0, path.rfind('/')) + "'";
  if (system(cmd.c_str()) != 0) return;
}

// count, allocate 10,000 poses and joint points, read 40,000 lines, then free
static void BM_ReadCartesian10k(benchmark::State& state) {
  Robot r = Arm6();
  std::string path = WritePath(10000);
  for (auto _ : state) {
    int rc = ReadCartesianTrajectory(r, path.c_str(), &CT);
    benchmark::DoNotOptimize(rc);
    ClearCartesianTrajectory(&CT);
  }
  Remove(path);
  FreeRobot(r);
}
BENCHMARK(BM_ReadCartesian10k)->Unit(benchmark::kMillisecond);

// the line count alone, the first of the two passes
static void BM_CountLines10k(benchmark::State& state) {
  std::string path = WritePath(10000);
  for (auto _ : state) benchmark::DoNotOptimize(wc(path.c_str()));
  Remove(path);
}
BENCHMARK(BM_CountLines10k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
