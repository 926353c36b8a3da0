// bench_python_py.cpp -- speed of the Python module as a script calls it: batched forward
// kinematics of 1,000,000 Puma560 joint vectors (goal 0.5 s), batched inverse kinematics of
// 100,000 targets near their starts (goal 1 s), and the cost of one unbatched call of each
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>
#include <pybind11/numpy.h>

#include <stdio.h>   // for: fprintf()

#include "sample_copy.h"   // for: EnterSampleCopy()

namespace py = pybind11;

//------------------------------------------------------------------ module state

// the interpreter lives for the whole run; the script's names live in its globals
static py::scoped_interpreter* interp = nullptr;
static py::dict* env = nullptr;

static const char* kSetup = R"(
import sys
sys.path.insert(0, MODULE_DIR)
import numpy as np
import velmora
r = velmora.Robot("Puma560")
rng = np.random.default_rng(1)
lo, hi = r.limits[:, 0] + 10, r.limits[:, 1] - 10
Q = rng.uniform(lo, hi, size=(1000000, 6))
S = Q[:100000]
T = r.fk(S + rng.normal(0, 2.0, S.shape))           # targets near their starts
singles = [q for q in Q[:1000]]
targets = [velmora.Pose(T.position[i], T.rotation[i], T.angles[i]) for i in range(1000)]

def fk_one():
    for q in singles:
        r.fk(q)

def ik_one():
    for t, q in zip(targets, singles):
        r.ik(t, q0=q)

def rcond_one():
    for q in singles:
        r.rcond(q)
)";

//------------------------------------------------------------------ static helpers

static int start(void) {
  if (env) return 0;
  if (EnterSampleCopy() != 0) return -1;
  interp = new py::scoped_interpreter();
  env = new py::dict();
  (*env)["__builtins__"] = py::module_::import("builtins");
  (*env)["MODULE_DIR"] = VELMORA_PY_DIR;
  try {
    py::exec(kSetup, *env);
  } catch (const std::exception& e) {
    fprintf(stderr, "bench_python_py: %s\n", e.what());
    return -1;
  }
  return 0;
}

static py::object get(const char* name) {
  return (*env)[name];
}

//------------------------------------------------------------------ batched

static void BM_FkBatch1M(benchmark::State& state) {
  if (start() != 0) return state.SkipWithError("no module");
  py::object fk = get("r").attr("fk"), Q = get("Q");
  for (auto _ : state) benchmark::DoNotOptimize(fk(Q).ptr());
  state.SetItemsProcessed(state.iterations()*1000000);
}
BENCHMARK(BM_FkBatch1M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

static void BM_IkBatch100k(benchmark::State& state) {
  if (start() != 0) return state.SkipWithError("no module");
  py::object ik = get("r").attr("ik"), T = get("T"), S = get("S");
  long failed = 0;
  for (auto _ : state) {
    py::object res = ik(T, py::arg("q0") = S);
    py::array_t<int> code = res.attr("code").cast<py::array_t<int>>();
    failed = 0;
    for (py::ssize_t i = 0; i < code.size(); i++) failed += code.data()[i] < 0;
  }
  state.SetItemsProcessed(state.iterations()*100000);
  state.counters["failed"] = (double)failed;
}
BENCHMARK(BM_IkBatch100k)->Unit(benchmark::kMillisecond)->MinTime(2.0);

//------------------------------------------------------------------ one call at a time

// a Python loop of 1000 single calls; per_call is the time of one
static void one_by_one(benchmark::State& state, const char* loop) {
  if (start() != 0) return state.SkipWithError("no module");
  py::object f = get(loop);
  for (auto _ : state) f();
  state.SetItemsProcessed(state.iterations()*1000);
  state.counters["per_call"] = benchmark::Counter(
    1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

static void BM_FkOne(benchmark::State& state) { one_by_one(state, "fk_one"); }
static void BM_IkOne(benchmark::State& state) { one_by_one(state, "ik_one"); }
static void BM_RcondOne(benchmark::State& state) { one_by_one(state, "rcond_one"); }
BENCHMARK(BM_FkOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IkOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RcondOne)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
