// bench_links.cpp -- building generic link bodies and the Puma560 model with its hand
#include <benchmark/benchmark.h>
#include <string.h>  // for: memset()

#include "graphics/primitives.h"
#include "links/Puma560.h"
#include "links/links.h"

// a six-link arm with offsets, lengths and a prismatic joint, as a robot file gives it
static void SixLinks(Link L[6]) {
  const float dh[6][4] = {{0, 0, 6.6f, -90}, {0, 4.3f, 1.5f, 0}, {0, 0.2f, -1, 90},
                          {1, 0, 4.3f, -90}, {0, 1, 0.5f, 90}, {0, 1.2f, 1, 0}};
  for (int i = 0; i < 6; i++) {
    memset(&L[i], 0, sizeof(Link));
    L[i].joint = (int)dh[i][0];
    L[i].a = dh[i][1];  L[i].b = dh[i][2];  L[i].al = dh[i][3];
    L[i].abs_b = L[i].b < 0 ? -L[i].b : L[i].b;
    L[i].sign_b = L[i].b > 0 ? 1 : (L[i].b < 0 ? -1 : 0);
  }
}

static void FreeAll(Link L[6], DefaultEE* e) {
  for (int i = 0; i < 6; i++) {
    JwFreePrimitive(L[i].hinge);  JwFreePrimitive(L[i].linkz);
    JwFreePrimitive(L[i].linkx);  JwFreePrimitive(L[i].elbow);
    L[i].hinge = L[i].linkz = L[i].linkx = L[i].elbow = nullptr;
  }
  FreeEE(e);
}

// every generic body of six links plus the default end effector; target: at most 1 ms
static void BM_GenericSixLinks(benchmark::State& state) {
  int geom = (int)state.range(0);
  Link L[6];
  DefaultEE e;
  SixLinks(L);
  for (auto _ : state) {
    MakeLinks(6, L, 0.8f, geom);
    MakeEE(&e, 0.8f, L[5].a, L[5].b);
    benchmark::DoNotOptimize(L[0].hinge);
    state.PauseTiming();
    FreeAll(L, &e);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GenericSixLinks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// the fourteen model solids and the hand; target: at most 2 ms
static void BM_Puma560WithHand(benchmark::State& state) {
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  for (auto _ : state) {
    Puma560Init(nullptr);
    Puma560InitEEHand(&ee);
    benchmark::DoNotOptimize(puma560.L2link);
    state.PauseTiming();
    Puma560Destroy(nullptr);
    StdDestroyEE(&ee);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Puma560WithHand)->Unit(benchmark::kMicrosecond);

// Init plus Destroy of the model of registry row range(0) (1 ... 8: all but Puma560);
// target: at most 2 ms each
static void BM_ModelInitDestroy(benchmark::State& state) {
  GeomMatch* g = &geomlinks[state.range(0)];
  for (auto _ : state) {
    g->Init(nullptr);
    g->Destroy(nullptr);
  }
  state.SetLabel(g->name);
}
BENCHMARK(BM_ModelInitDestroy)->DenseRange(1, 8)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
