// bench_kin.cpp -- speed of forward kinematics and of the two inverse-kinematics solvers
#include <benchmark/benchmark.h>

#include <math.h>     // for: fabs()
#include <stdio.h>    // for: fflush()
#include <string.h>   // for: memset()
#include <stdlib.h>   // for: mkstemp()
#include <unistd.h>   // for: dup(), dup2(), close(), write(), unlink()
#include <fcntl.h>    // for: open()
#include <algorithm>  // for: std::sort
#include <chrono>     // for: steady_clock
#include <vector>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/reader.h"
#include "robot/robot.h"

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

// the solvers' and the matrix library's trace lines go to /dev/null while a run is timed
struct Quiet {
  int saved[2];
  Quiet() {
    fflush(stdout);
    fflush(stderr);
    int null = open("/dev/null", O_WRONLY);
    for (int fd = 1; fd <= 2; fd++) {
      saved[fd - 1] = dup(fd);
      dup2(null, fd);
    }
    close(null);
  }
  ~Quiet() {
    fflush(stdout);
    fflush(stderr);
    for (int fd = 1; fd <= 2; fd++) {
      dup2(saved[fd - 1], fd);
      close(saved[fd - 1]);
    }
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
//
// Protocol: 2000 targets per arm, each from joints uniform in +-170 degrees (prismatic
// joints uniform in their range below) from a seeded generator; each solved from the
// target's joints plus uniform +-20 degrees per joint (prismatic: +-0.05), and from the
// all-zero start. A solve counts as solved when the returned code is >= 0 and the pose of
// the returned joints, by the 4 x 4 DH product written here, is within 1e-5 in position and
// 1e-5 rad in rotation ("solved_pct"); "pose_off" counts codes >= 0 whose task error,
// recomputed here from the same product, is not below the solver's own tolerance. Time is
// the fastest of three identical solves (a shared machine preempts some); the median,
// the 90th percentile and the slowest are reported.

// T = product of Rz(theta) Tz(d) Tx(a) Rx(alpha) over the links, theta and d by joint kind
static void DHChain(Robot r, const float* q, double T[4][4]) {
  double A[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  for (int i = 0; i < r->n; i++) {
    Link& l = r->L[i];
    double th = (l.joint == 0 ? q[i] : l.th)*3.14159265/180.0;
    double d = l.joint == 0 ? l.b : q[i];
    double al = l.al*3.14159265/180.0;
    double ct = cos(th), st = sin(th), ca = cos(al), sa = sin(al);
    double M[4][4] = {{ct, -st*ca, st*sa, l.a*ct}, {st, ct*ca, -ct*sa, l.a*st},
                      {0, sa, ca, d}, {0, 0, 0, 1}};
    double C[4][4];
    for (int a = 0; a < 4; a++)
      for (int b = 0; b < 4; b++) {
        double s = 0.0;
        for (int k = 0; k < 4; k++) s += A[a][k]*M[k][b];
        C[a][b] = s;
      }
    memcpy(A, C, sizeof A);
  }
  memcpy(T, A, sizeof A);
}

// position gap, rotation angle between the two frames (rad), and the task error norm
// (Vect and Trace of Qn Qd' - I, then the position over avg_len) as the solver defines it
struct Gap {
  double pos, rot, task;
};
static Gap PoseGapOf(Robot r, const float* q, const float* qt, int type) {
  double T[4][4], D[4][4];
  DHChain(r, q, T);
  DHChain(r, qt, D);
  Gap g = {0, 0, 0};
  double M[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      double s = 0.0;
      for (int k = 0; k < 3; k++) s += T[i][k]*D[j][k];
      M[i][j] = s;
    }
  double v[3] = {(M[2][1] - M[1][2])/2, (M[0][2] - M[2][0])/2, (M[1][0] - M[0][1])/2};
  double tr = M[0][0] + M[1][1] + M[2][2];
  double vn = sqrt(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]);
  double e2 = 0.0;
  if (type != 4) {
    g.rot = atan2(vn, (tr - 1)/2);
    e2 += vn*vn + (tr - 3)*(tr - 3);
  }
  if (type != 2) {
    for (int i = 0; i < 3; i++) {
      double d = T[i][3] - D[i][3];
      g.pos = fmax(g.pos, fabs(d));
      e2 += d*d/(r->avg_len*r->avg_len);
    }
  }
  g.task = sqrt(e2);
  return g;
}

static void SolveSet(benchmark::State& state, Robot rb, double spread, unsigned seed,
                     double solver_tol, int fallback = 1) {
  Current c(rb);
  SetInvFallback(fallback);
  int n = c.r->n, type = c.cc->type;
  double keep_tol = GetInvTol();
  if (solver_tol > 0) SetInvTol(solver_tol);
  double own_tol = c.r->redundant > 0 ? 5e-5 : GetInvTol();
  const int count = 2000;
  std::vector<double> us;
  int solved = 0, accepted = 0, off = 0;
  for (auto _ : state) {
    us.clear();
    solved = accepted = off = 0;
    rng_state = seed;
    Quiet quiet;
    for (int s = 0; s < count; s++) {
      float qt[8], q0[8], q[8];
      for (int i = 0; i < n; i++) {
        int pr = c.r->L[i].joint != 0;
        qt[i] = pr ? (float)Uniform(0.05, 0.5) : (float)Uniform(-170, 170);
        q0[i] = spread < 0 ? 0.0f : qt[i] + (float)(pr ? Uniform(-0.05, 0.05)
                                                       : Uniform(-spread, spread));
      }
      CartesianConfigRec target;
      memset(&target, 0, sizeof target);
      target.type = type;
      for (int i = 0; i < n; i++) c.jc->q[i] = qt[i];
      FwdKin(c.r, c.jc, &target);
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
      if (rc < 0) continue;
      accepted++;
      for (int i = 0; i < n; i++) q[i] = c.jc->q[i];
      Gap g = PoseGapOf(c.r, q, qt, type);
      if (g.pos <= 1e-5 && g.rot <= 1e-5) solved++;
      if (!(g.task < own_tol)) off++;
    }
  }
  SetInvTol(keep_tol);
  SetInvFallback(1);
  std::sort(us.begin(), us.end());
  state.counters["solved_pct"] = 100.0*solved/count;
  state.counters["ok_pct"] = 100.0*accepted/count;
  state.counters["pose_off"] = off;
  state.counters["median_us"] = us[us.size()/2];
  state.counters["p90_us"] = us[us.size()*9/10];
  state.counters["max_us"] = us.back();
}

// the 3R positioning arm of the targets, written to a robot file and read back
static Robot PositioningFromFile() {
  char name[] = "/tmp/velmora_bench_posXXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) return nullptr;
  const char* text = "{ a = 0.4 b = 0 al = 90 }\n{ a = 0.3 b = 0 al = 0 }\n"
                     "{ a = 0.2 b = 0 al = 0 }\n";
  ssize_t w = write(fd, text, strlen(text));
  close(fd);
  Robot r = nullptr;
  if (w == (ssize_t)strlen(text)) {
    Quiet q;
    r = ParseRobot(name);
  }
  unlink(name);
  return r;
}

static Robot Positioning() {
  DHRow rows[3] = {Row(0.4f, 0, 90), Row(0.3f, 0, 0), Row(0.2f, 0, 0)};
  return RobotFromDH("Pos3", 3, rows);
}

// the positioning robot with a prismatic joint, in metres
static Robot SlidePositioning() {
  DHRow rows[3] = {Row(0, 0.5f, 90), Row(0, 0, -90), Row(0, 0.3f, 0)};
  rows[1].th = 90;
  rows[2].joint = 1;
  rows[2].th = 0;
  return RobotFromDH("Slide3", 3, rows);
}

static Robot Wrist() {
  DHRow rows[3] = {Row(0, 0.3f, -90), Row(0, 0, 90), Row(0.5f, 0.1f, 0)};
  return RobotFromDH("Wrist3", 3, rows);
}

#define ARM_SET(name, make, seed, tol)                                                 \
  static void BM_##name##_Near(benchmark::State& s) { SolveSet(s, make, 20, seed, tol); } \
  static void BM_##name##_Zero(benchmark::State& s) { SolveSet(s, make, -1, seed, tol); } \
  BENCHMARK(BM_##name##_Near)->Iterations(1)->Unit(benchmark::kMillisecond);            \
  BENCHMARK(BM_##name##_Zero)->Iterations(1)->Unit(benchmark::kMillisecond);

ARM_SET(Puma, Puma(), 42, 0)
ARM_SET(PumaTol1e6, Puma(), 42, 1e-6)
ARM_SET(Seven, Seven(0), 43, 0)
ARM_SET(SevenElbow, Seven(0.05f), 43, 0)
ARM_SET(Pos3, Positioning(), 44, 0)
ARM_SET(Pos3File, PositioningFromFile(), 44, 0)
ARM_SET(Slide3, SlidePositioning(), 45, 0)
ARM_SET(Wrist3, Wrist(), 46, 0)

// the iteration alone, without the fallback
static void BM_PumaTol1e6_Near_NoFallback(benchmark::State& s) {
  SolveSet(s, Puma(), 20, 42, 1e-6, 0);
}
static void BM_Seven_Near_NoFallback(benchmark::State& s) { SolveSet(s, Seven(0), 20, 43, 0, 0); }
static void BM_Pos3_Near_NoFallback(benchmark::State& s) {
  SolveSet(s, Positioning(), 20, 44, 0, 0);
}
BENCHMARK(BM_PumaTol1e6_Near_NoFallback)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Seven_Near_NoFallback)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pos3_Near_NoFallback)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
