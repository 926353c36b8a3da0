// bench_kin.cpp -- speed of forward kinematics and of the two inverse-kinematics solvers
#include <benchmark/benchmark.h>

#include <math.h>     // for: fabs()
#include <stdio.h>    // for: fflush()
#include <string.h>   // for: memset()
#include <unistd.h>   // for: dup(), dup2(), close()
#include <fcntl.h>    // for: open()
#include <algorithm>  // for: std::sort
#include <chrono>     // for: steady_clock
#include <vector>

#include "app_state.h"
#include "ikp.h"
#include "robot.h"

//------------------------------------------------------------------ arms

static DHRow Row(float a, float b, float al) {
  DHRow r = {0, a, b, al, 0, -100000.0f, 100000.0f};
  return r;
}

// standard DH, metres
static Robot Puma() {
  DHRow rows[6] = {Row(0, 0, 90), Row(0.4318f, 0, 0), Row(0.0203f, 0.15005f, -90),
                   Row(0, 0.4318f, 90), Row(0, 0, -90), Row(0, 0, 0)};
  return RobotFromDH("PumaArm", 6, rows);
}

// a = 0 on every link; the offsets b keep the axes apart, so the arm is spatial (redundancy 1)
static Robot Seven(float elbow) {
  DHRow rows[7] = {Row(0, 0.34f, -90), Row(0, 0, 90), Row(elbow, 0.4f, 90), Row(0, 0, -90),
                   Row(0, 0.4f, -90), Row(0, 0, 90), Row(0, 0.126f, 0)};
  return RobotFromDH("SevenArm", 7, rows);
}

//------------------------------------------------------------------ helpers

static unsigned rng_state;
static double Uniform(double lo, double hi) {
  rng_state = rng_state*1664525u + 1013904223u;
  return lo + (hi - lo)*((rng_state >> 8)/16777216.0);
}

// the solvers' trace lines go to /dev/null while a run is timed
struct Quiet {
  int saved;
  Quiet() {
    fflush(stdout);
    saved = dup(1);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
  }
  ~Quiet() {
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
  }
};

struct Current {
  Robot r;
  JointConfig jc;
  CartesianConfig cc;
  explicit Current(Robot rb) : r(rb) {
    Quiet q;
    jc = JointConfigFromRobot(r);
    cc = CartesianConfigFromRobot(r, jc);
  }
  ~Current() {
    FreeCartesianConfig(cc);
    FreeJointConfig(jc);
    FreeRobot(r);
  }
};

static double PoseGap(const CartesianConfigRec& x, const CartesianConfigRec& y, int type) {
  double g = 0.0;
  for (int i = 0; i < 3; i++) {
    if (type != 2) g = fmax(g, fabs(x.r[i] - y.r[i]));
    if (type != 4)
      for (int j = 0; j < 3; j++) g = fmax(g, fabs(x.Q[i][j] - y.Q[i][j]));
  }
  return g;
}

//------------------------------------------------------------------ forward kinematics

static void BM_FwdKin6R(benchmark::State& state) {
  Current c(Puma());
  rng_state = 1;
  std::vector<float> qs(1024*6);
  for (float& v : qs) v = (float)Uniform(-170, 170);
  size_t k = 0;
  for (auto _ : state) {
    for (int i = 0; i < 6; i++) c.jc->q[i] = qs[k*6 + i];
    FwdKin(c.r, c.jc, c.cc);
    benchmark::DoNotOptimize(c.cc->ang[0]);
    k = (k + 1) & 1023;
  }
}
BENCHMARK(BM_FwdKin6R);

//------------------------------------------------------------------ inverse kinematics

// 2000 targets from joints uniform in +-170 degrees; each solved from the target's joints
// plus up to +-spread degrees per joint (spread < 0: from all zeros). Reports the median
// time per solve (each the fastest of three repeats), the share solved (code >= 0 and the pose within 1e-5), the share the
// solver accepted (code >= 0: task error below its tolerance, which allows pose gaps up to
// about 5e-5 in the rotation entries), and the mean step count of the Newton solver.
static void SolveSet(benchmark::State& state, Robot rb, double spread, unsigned seed) {
  Current c(rb);
  int n = c.r->n, type = c.cc->type;
  const int count = 2000;
  std::vector<double> us;
  int solved = 0, accepted = 0;
  long steps = 0;
  for (auto _ : state) {
    us.clear();
    solved = accepted = 0;
    steps = 0;
    rng_state = seed;
    Quiet quiet;
    for (int s = 0; s < count; s++) {
      float qt[8], q0[8];
      for (int i = 0; i < n; i++) qt[i] = (float)Uniform(-170, 170);
      for (int i = 0; i < n; i++)
        q0[i] = spread < 0 ? 0.0f : qt[i] + (float)Uniform(-spread, spread);
      CartesianConfigRec target;
      memset(&target, 0, sizeof target);
      target.type = type;
      for (int i = 0; i < n; i++) c.jc->q[i] = qt[i];
      FwdKin(c.r, c.jc, &target);
      // the fastest of three identical solves: a shared machine preempts some of them
      double best = 1e30;
      int rc = 0;
      for (int rep = 0; rep < 3; rep++) {
        for (int i = 0; i < n; i++) c.jc->q[i] = q0[i];
        auto t0 = std::chrono::steady_clock::now();
        rc = InvKin(c.r, c.jc, &target);
        auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count());
      }
      us.push_back(best);
      if (rc >= 0) {
        accepted++;
        CartesianConfigRec got = target;
        FwdKin(c.r, c.jc, &got);
        if (PoseGap(got, target, type) <= 1e-5) solved++;
        steps += rc;
      }
    }
  }
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size()/2];
  state.counters["p90_us"] = us[us.size()*9/10];
  state.counters["solved_pct"] = 100.0*solved/count;
  state.counters["accepted_pct"] = 100.0*accepted/count;
  state.counters["mean_steps"] = accepted ? (double)steps/accepted : 0.0;
}

static void BM_InvKinPuma(benchmark::State& state) { SolveSet(state, Puma(), 20, 42); }
static void BM_InvKinPumaFromZero(benchmark::State& state) { SolveSet(state, Puma(), -1, 42); }
// the same with the solver's tolerance set to 1e-6 (the settings panel's field), so that
// an accepted solve also meets the 1e-5 pose test
static void BM_InvKinPumaTol1e6(benchmark::State& state) {
  double t = GetInvTol();
  SetInvTol(1e-6);
  SolveSet(state, Puma(), 20, 42);
  SetInvTol(t);
}
// the 7R arm as given (a = 0 throughout, offsets on links 1, 3, 5 and 7)
static void BM_RInvKinSeven(benchmark::State& state) { SolveSet(state, Seven(0), 20, 43); }
// the same arm with a 0.05 elbow length
static void BM_RInvKinSevenSpatial(benchmark::State& state) {
  SolveSet(state, Seven(0.05f), 20, 43);
}
BENCHMARK(BM_InvKinPuma)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvKinPumaFromZero)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvKinPumaTol1e6)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RInvKinSeven)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RInvKinSevenSpatial)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
