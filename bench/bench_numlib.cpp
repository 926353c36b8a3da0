// bench_numlib.cpp -- characteristic length plus maximum reach of 6R and 7R arms
#include <benchmark/benchmark.h>

#include <stdlib.h>   // for: mkdtemp(), atexit()
#include <unistd.h>   // for: chdir(), rmdir()

#include "robot/charlen.h"
#include "robot/robot.h"

//------------------------------------------------------------------ arms

static Robot Arm6(void) {
  DHRow rows[6] = {{0, 0, 0, 90, 0, -100000, 100000}, {0, 4.318f, 0, 0, 0, -100000, 100000},
                   {0, 0.203f, 1.5005f, -90, 0, -100000, 100000},
                   {0, 0, 4.318f, 90, 0, -100000, 100000}, {0, 0, 0, -90, 0, -100000, 100000},
                   {0, 0, 0, 0, 0, -100000, 100000}};
  return RobotFromDH("Bench6", 6, rows);
}

static Robot Arm7(void) {
  DHRow rows[7] = {{0, 0, 0.3f, 90, 0, -100000, 100000}, {0, 0.4f, 0, -90, 0, -100000, 100000},
                   {0, 0, 0.2f, 90, 0, -100000, 100000}, {0, 0.3f, 0, -90, 0, -100000, 100000},
                   {0, 0, 0.25f, 90, 0, -100000, 100000}, {0, 0.1f, 0, -90, 0, -100000, 100000},
                   {0, 0, 0.1f, 0, 0, -100000, 100000}};
  return RobotFromDH("Bench7", 7, rows);
}

// a scratch working directory without "JConfig": no files, the computation only (the
// libraries still print ret on stdout, as in the program; filter the table with grep BM_)
static char scratch[] = "/tmp/velmora_benchXXXXXX";

static void RemoveScratch(void) {
  if (chdir("/tmp") == 0) rmdir(scratch);
}

static void Quiet(void) {
  static int done = 0;
  if (done) return;
  if (mkdtemp(scratch) && chdir(scratch) == 0) atexit(RemoveScratch);
  done = 1;
}

static void LengthAndReach(benchmark::State& state, Robot (*make)(void)) {
  Quiet();
  Robot r = make();
  for (auto _ : state) {
    double L = caculate_length(r);
    double reach = caculate_maxreach(r);
    benchmark::DoNotOptimize(L);
    benchmark::DoNotOptimize(reach);
  }
  FreeRobot(r);
}

static void BM_LengthAndReach6R(benchmark::State& state) { LengthAndReach(state, Arm6); }
static void BM_LengthAndReach7R(benchmark::State& state) { LengthAndReach(state, Arm7); }
BENCHMARK(BM_LengthAndReach6R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LengthAndReach7R)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
