// bench_reader.cpp -- speed of the robot file reader: parsing alone, and a full read
#include <benchmark/benchmark.h>
#include <fcntl.h>   // for: open()
#include <limits.h>  // for: PATH_MAX
#include <stdio.h>   // for: fflush()
#include <stdlib.h>  // for: mkdtemp(), system()
#include <unistd.h>  // for: chdir(), dup(), dup2()

#include <string>

#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/tokenizer.h"

// the reader's trace goes to /dev/null while a benchmark runs
static int saved_out = -1;
static void MuteStdout() {
  fflush(stdout);
  saved_out = dup(1);
  int fd = open("/dev/null", O_WRONLY);
  dup2(fd, 1);
  close(fd);
}
static void RestoreStdout() {
  fflush(stdout);
  dup2(saved_out, 1);
  close(saved_out);
}

static void Release(Robot r) {
  if (r && r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
}

// a 6-link file: tokens, tables, link assembly, classification; no trace
static void BM_ParseRobot6(benchmark::State& state) {
  SetTokenTrace(0);
  for (auto _ : state) {
    Robot r = ParseRobot("Indus6");
    benchmark::DoNotOptimize(r);
    FreeRobot(r);
  }
  SetTokenTrace(1);
}
BENCHMARK(BM_ParseRobot6)->Unit(benchmark::kMicrosecond);

// the same with the trace printed (to /dev/null)
static void BM_ParseRobot6Traced(benchmark::State& state) {
  MuteStdout();
  for (auto _ : state) {
    Robot r = ParseRobot("Indus6");
    benchmark::DoNotOptimize(r);
    FreeRobot(r);
  }
  RestoreStdout();
}
BENCHMARK(BM_ParseRobot6Traced)->Unit(benchmark::kMicrosecond);

// everything a load does for a 6R all-revolute arm: characteristic length, maximum reach,
// posture files, bodies, model lookup
static void BM_ReadRobot6R(benchmark::State& state) {
  MuteStdout();
  for (auto _ : state) {
    Robot r = ReadRobot("Indus6");
    benchmark::DoNotOptimize(r);
    Release(r);
  }
  RestoreStdout();
}
BENCHMARK(BM_ReadRobot6R)->Unit(benchmark::kMillisecond);

// the same for Puma560 with its built-in model and hand
static void BM_ReadRobotPuma560(benchmark::State& state) {
  MuteStdout();
  for (auto _ : state) {
    Robot r = ReadRobot("Puma560");
    benchmark::DoNotOptimize(r);
    Release(r);
  }
  RestoreStdout();
}
BENCHMARK(BM_ReadRobotPuma560)->Unit(benchmark::kMillisecond);

// the benchmarks work in a copy of data/ under /tmp, removed afterwards
int main(int argc, char** argv) {
  char dir[] = "/tmp/velmora-bench-XXXXXX";
  char cwd[PATH_MAX];
  if (!mkdtemp(dir) || !getcwd(cwd, sizeof(cwd))) return 1;
  std::string cp = std::string("cp -R '") + VELMORA_SOURCE_DIR + "/data/.' '" + dir + "/'";
  if (system(cp.c_str()) != 0 || chdir(dir) != 0) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (chdir(cwd) != 0) return 1;
  std::string rm = std::string("rm -rf '") + dir + "'";
  return system(rm.c_str()) != 0;
}
