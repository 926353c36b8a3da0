// bench_collide.cpp -- collision checks and clearance of the Puma560 in its work cell with
// four obstacles, and building the collision model
#include <benchmark/benchmark.h>
#include <stdio.h>   // for: fprintf()

#include "collide/collide.h"
#include "robot/app_state.h"
#include "robot/reader.h"
#include "load/robot_load.h"
#include "scene/workspace_file.h"
#include "support/sample_copy.h"

static Robot puma = nullptr;
enum { kPoses = 64 };
static float poses[kPoses][6];

// the cell file's nine objects, four obstacles about the arm, and poses swept from the arm
// over the table to the arm turned away
static int SetUpCell(void) {
  if (EnterSampleCopy() != 0 || ReadWorkspace("Puma560_cell") != 0) return -1;
  puma = ReadRobot("Puma560");
  if (!puma) return -1;
  const float at[4][4] = {{3, 3, 6, 0.6f}, {6, -2, 6, 0.8f}, {2, -3, 3, 0.5f}, {0, 4, 8, 1}};
  for (int e = 0; e < 4; e++) {
    for (int k = 0; k < 3; k++) Obstacle_pos[e][k] = at[e][k];
    Radius[e] = at[e][3];
    ShowObstacle[e] = 1;
  }
  const float a[6] = {-20, -10, -20, 0, 60, 0}, b[6] = {160, -60, 60, 40, 30, 90};
  for (int p = 0; p < kPoses; p++)
    for (int i = 0; i < 6; i++) poses[p][i] = a[i] + (b[i] - a[i])*p/(kPoses - 1);
  SetCollideCheck(1);
  return 0;
}

// the robot's parts and the nine objects, from their solids; target: at most 50 ms
static void BM_BuildCellModel(benchmark::State& state) {
  for (auto _ : state) {
    CollideModel m = CollideBuild(puma);
    CollideCheck(m, poses[0], nullptr);   // the objects are built at the first query
    benchmark::DoNotOptimize(m);
    CollideFree(m);
  }
}
BENCHMARK(BM_BuildCellModel)->Unit(benchmark::kMillisecond);

// touching pairs, spheres of influence and self pairs at one pose; target: at most 100 us
static void BM_CheckCellPose(benchmark::State& state) {
  CollideModel m = CollideBuild(puma);
  int p = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CollideCheck(m, poses[p], nullptr));
    p = (p + 1) % kPoses;
  }
  CollideFree(m);
}
BENCHMARK(BM_CheckCellPose)->Unit(benchmark::kMicrosecond);

// the check and the smallest distance with its pair at one pose; target: at most 300 us
static void BM_ClearanceCellPose(benchmark::State& state) {
  CollideModel m = CollideBuild(puma);
  int p = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CollideClearance(m, poses[p], nullptr));
    p = (p + 1) % kPoses;
  }
  CollideFree(m);
}
BENCHMARK(BM_ClearanceCellPose)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (SetUpCell() != 0) {
    fprintf(stderr, "bench_collide: the Puma560 cell did not load\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
