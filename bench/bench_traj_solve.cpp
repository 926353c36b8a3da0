// bench_traj_solve.cpp -- the 201-point helix solved for the FanucS300 sample, point by point
// from the home pose with 1/kappa at each point, as velmora-kin solve does (target 5 ms)
#include <benchmark/benchmark.h>
#include <stdio.h>   // for: fflush()


#include "robot/app_state.h"
#include "sample_copy.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/robot.h"
#include "traj/traj_file.h"
#include "traj/traj_solve.h"
#include "kin/ikp.h"  // for: CartesianConfigFromRobot()

// the sample is read in a private copy of data/ (reading a robot writes its posture files)
static void BM_SolveHelixFanucS300(benchmark::State& state) {
  if (EnterSampleCopy() != 0) return;
  Robot r = ReadRobot("FanucS300");
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  fflush(stdout);
  CartesianTrajectory t = {};
  if (LoadCartesianTrajectory(r, "FanucS300.helix", &t) != 0 || t.ntp != 201) return;
  int failed = 0;
  for (auto _ : state) {
    for (int j = 0; j < r->n; j++) jc->q[j] = r->L[j].h_q;
    for (int i = 0; i < t.ntp; i++) {
      double k;
      failed += SolveTrajPoint(r, jc, &t, i, &k) < 0;
      benchmark::DoNotOptimize(k);
    }
  }
  state.counters["failed"] = failed;
  ClearCartesianTrajectory(&t);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
}
BENCHMARK(BM_SolveHelixFanucS300)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
