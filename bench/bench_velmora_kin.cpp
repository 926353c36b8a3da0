// bench_velmora_kin.cpp -- velmora-kin batches through the real program: a generated file of
// Puma560 problems piped into fk and ik, in lines per second (targets: fk 200,000 lines/s,
// ik 50,000 lines/s with each target near the previous solution); start-up included
#include <benchmark/benchmark.h>
#include <math.h>    // for: sin()
#include <stdio.h>   // for: fopen(), fprintf(), snprintf()
#include <stdlib.h>  // for: system()

#include <string>

#include "kin/fwdkin.h"       // for: FwdKin()
#include "kin/ikp.h"          // for: CartesianConfigFromRobot()
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/app_state.h"  // for: R
#include "sample_copy.h"

static const int kFkLines = 200000;
static const int kIkLines = 50000;

// joints along a smooth path through the Puma560's workspace, away from its singularities
static void path_joints(int i, double* q) {
  double t = i*2e-4;
  q[0] = 20*sin(t);  q[1] = -30 + 10*sin(1.3*t);  q[2] = 20 + 10*sin(0.7*t);
  q[3] = 15*sin(0.9*t);  q[4] = 45 + 10*sin(1.1*t);  q[5] = 10*sin(0.5*t);
}

// fk.in: kFkLines joint lines; ik.in: the poses of kIkLines points of the path; 0 or -1
static int make_inputs(void) {
  static int done = 0;
  if (done) return done > 0 ? 0 : -1;
  done = -1;
  if (EnterSampleCopy() != 0) return -1;
  Robot r = ReadRobot("Puma560");
  if (!r) return -1;
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  FILE* fk = fopen("fk.in", "w");
  FILE* ik = fopen("ik.in", "w");
  double q[6];
  for (int i = 0; fk && ik && i < kFkLines; i++) {
    path_joints(i*50, q);
    fprintf(fk, "%.4f %.4f %.4f %.4f %.4f %.4f\n", q[0], q[1], q[2], q[3], q[4], q[5]);
    if (i >= kIkLines) continue;
    path_joints(i, q);
    for (int j = 0; j < 6; j++) jc->q[j] = (float)q[j];
    FwdKin(r, jc, cc);
    fprintf(ik, "%.6f %.6f %.6f %.6f %.6f %.6f\n", cc->r[0], cc->r[1], cc->r[2], cc->ang[0],
            cc->ang[1], cc->ang[2]);
  }
  int ok = fk && ik;
  if (fk) fclose(fk);
  if (ik) fclose(ik);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  R = nullptr;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  done = ok ? 1 : -1;
  return ok ? 0 : -1;
}

// one run of the program over a file; its exit status
static int run(const char* cmd, const char* in) {
  std::string line = std::string("'") + VELMORA_KIN + "' " + cmd + " <" + in + " >kin.out";
  return system(line.c_str());
}

static void BM_KinFkBatch(benchmark::State& state) {
  if (make_inputs() != 0) {
    state.SkipWithError("no input");
    return;
  }
  int bad = 0;
  for (auto _ : state) bad += run("fk Puma560 -", "fk.in") != 0;
  state.counters["failed_runs"] = bad;
  state.counters["lines_per_s"] =
    benchmark::Counter(kFkLines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_KinFkBatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

static void BM_KinIkBatch(benchmark::State& state) {
  if (make_inputs() != 0) {
    state.SkipWithError("no input");
    return;
  }
  int bad = 0;
  for (auto _ : state) bad += run("ik Puma560 -", "ik.in") != 0;
  state.counters["failed_runs"] = bad;
  state.counters["lines_per_s"] =
    benchmark::Counter(kIkLines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_KinIkBatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
