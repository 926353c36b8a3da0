// bench_primitives.cpp -- building, editing and freeing typical solids
#include <benchmark/benchmark.h>

#include "graphics/primitives.h"

// a 24-segment cylinder, built and freed
static void BM_Cylinder(benchmark::State& state) {
  for (auto _ : state) {
    JwPrimitive P = JwDefCylinder(24, 1, 2, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Cylinder);

// a 12-band, 24-segment sphere
static void BM_Sphere(benchmark::State& state) {
  for (auto _ : state) {
    JwPrimitive P = JwDefSphere(12, 24, 1, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Sphere);

// an outline with corners and a curved run
static void BM_Flat(benchmark::State& state) {
  static float pts[7][2] = {{-1, -1}, {1, -1}, {1.7f, -0.7f}, {2, 0}, {1.7f, 0.7f}, {1, 1},
                            {-1, 1}};
  static int flags[7] = {1, 2, 0, 0, 0, 1, 1};
  for (auto _ : state) {
    JwPrimitive P = JwDefFlat(7, pts, flags, 0.5f, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Flat);

// multi-unit solids whose constructors edit their units
static void BM_Motor(benchmark::State& state) {
  for (auto _ : state) {
    JwPrimitive P = JwDefMotor(1, 2, 0.5f, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Motor);

static void BM_Tetrahedron(benchmark::State& state) {
  for (auto _ : state) {
    JwPrimitive P = JwDefTetrahedron(1, 0.05f, 12, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Tetrahedron);

// a wire through ten points (spline solve included)
static void BM_Wire(benchmark::State& state) {
  float pts[10][4];
  for (int i = 0; i < 10; i++) {
    pts[i][0] = (float)i;  pts[i][1] = (float)(i%3);  pts[i][2] = 0.1f*i*i;  pts[i][3] = 0;
  }
  for (auto _ : state) {
    JwPrimitive P = JwDefWire(12, pts, 10, 0.1f, 0, 1, 0xffc0c0c0UL);
    benchmark::DoNotOptimize(P);
    JwFreePrimitive(P);
  }
}
BENCHMARK(BM_Wire);

// one primitive edit (translate, two rotations, scale) baked into a sphere
static void BM_EditSphere(benchmark::State& state) {
  JwPrimitive P = JwDefSphere(12, 24, 1, 1, 0xffc0c0c0UL);
  for (auto _ : state) {
    JwBgnEditPrimitive(P);
      JwEditTranslate(0.1f, 0, 0);
      JwEditRotate(10, 'x');
      JwEditRot(-1, 'z');
      JwEditScale(1, 1, 1);
    JwEndEditPrimitive();
    benchmark::DoNotOptimize(P->U[0]->V);
  }
  JwFreePrimitive(P);
}
BENCHMARK(BM_EditSphere);

BENCHMARK_MAIN();
