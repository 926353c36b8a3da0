// bench_cond_map.cpp -- a 200 x 200 conditioning map of the Puma560 sample (target 50 ms)
#include <benchmark/benchmark.h>
#include <stdio.h>   // for: fflush()

#include <vector>

#include "robot/app_state.h"
#include "sample_copy.h"
#include "kin/cond_map.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/robot.h"
#include "kin/ikp.h"  // for: CartesianConfigFromRobot()

// joints 2 and 3 over their limits, the others at the home pose; the sample is read in a
// private copy of data/ (reading a robot writes its posture files)
static void BM_CondMap200Puma560(benchmark::State& state) {
  if (EnterSampleCopy() != 0) return;
  Robot r = ReadRobot("Puma560");
  fflush(stdout);
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  std::vector<double> value(200*200);
  CondMap* m = NewCondMap(r, jc, cc, 1, 2, 200, 200, value.data());
  for (auto _ : state) {
    CondMapRows(m, 0, 200);
    benchmark::DoNotOptimize(value.data());
  }
  FreeCondMap(m);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
}
BENCHMARK(BM_CondMap200Puma560)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
