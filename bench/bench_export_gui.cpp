// bench_export_gui.cpp -- scene export of the 3D view at 600 x 600: the Puma560 with full
// geometry, hand and the demonstration scene, in each format, with each depth sort
//
// run under Xvfb, in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_export_gui
// Arguments of each case: format code (0 PS, 1 EPS, 3 PDF, 4 SVG), sort (2 simple with
// occlusion culling, 3 BSP), 0 for the default camera or 1 for a view from above; the last
// case adds n work-environment objects around the cell (EPS only).
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gl2ps.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "sample_copy.h"
#include "bench_view.h"
#include "robot/app_state.h"
#include "graphics/primitives.h"
#include "gui/view/opengl_win.h"
#include "gui/export/scene_export.h"
#include "links/links.h"
#include "load/robot_load.h"
#include "scene/workspace.h"

static OpenGL_WIN* view = nullptr;
static void DrawView() { view->draw(); }

// a 600 x 600 window holding only the view, and the Puma560 of the sample data loaded
static void Setup() {
  if (view) return;
  if (EnterSampleCopy() != 0) return;
  view = OpenBenchView();
  LoadRobotRecords("Puma560");
  ShowScene = 1;
  view->make_current();
  view->draw();
  // the first export of a process also compiles the renderer's feedback path (about 0.5 s
  // with Mesa's llvmpipe); it is left out of the cases
  FILE* fp = fopen("bench-export", "wb");
  if (fp && ExportScenePages(fp, "warm-up", GL2PS_EPS, DrawView) != GL2PS_SUCCESS)
    fprintf(stderr, "bench: warm-up export failed\n");
  if (fp) fclose(fp);
}


static void BM_ExportPuma560Scene(benchmark::State& state) {
  Setup();
  int format = (int)state.range(0);
  SetExportSort((int)state.range(1));
  theta = state.range(2) ? -1.4 : -0.5;
  view->make_current();
  long bytes = 0;
  for (auto _ : state) {
    FILE* fp = fopen("bench-export", "wb");
    int rc = ExportScenePages(fp, "bench", format, DrawView);
    bytes = ftell(fp);
    fclose(fp);
    if (rc != GL2PS_SUCCESS) state.SkipWithError(ExportStateText(rc));
  }
  state.counters["kB"] = bytes/1024.0;
  state.counters["passes"] = ExportPasses();
  SetExportSort(0);
  theta = -0.5;
}
BENCHMARK(BM_ExportPuma560Scene)
    ->ArgsProduct({{GL2PS_PS, GL2PS_EPS, GL2PS_PDF, GL2PS_SVG},
                   {GL2PS_SIMPLE_SORT, GL2PS_BSP_SORT}, {0, 1}})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

static void BM_ExportWithObjects(benchmark::State& state) {
  Setup();
  SetExportSort((int)state.range(0));
  PlaceBenchObjects((int)state.range(1));
  view->make_current();
  for (auto _ : state) {
    FILE* fp = fopen("bench-export", "wb");
    int rc = ExportScenePages(fp, "bench", GL2PS_EPS, DrawView);
    fclose(fp);
    if (rc != GL2PS_SUCCESS) state.SkipWithError(ExportStateText(rc));
  }
  state.counters["passes"] = ExportPasses();
  PlaceBenchObjects(0);
  SetExportSort(0);
}
BENCHMARK(BM_ExportWithObjects)->ArgsProduct({{GL2PS_SIMPLE_SORT, GL2PS_BSP_SORT}, {25, 100}})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// the four obstacle spheres (40 x 40 facets) placed through the arm: the worst case for the
// BSP tree, every facet near the links cut by their planes
static void BM_ExportObstaclesThroughArm(benchmark::State& state) {
  Setup();
  SetExportSort((int)state.range(0));
  static const float at[4][3] = {{0, 0, 6}, {2, 1, 7}, {4, 1, 7.5f}, {1, 0, 3}};
  for (int i = 0; i < 4; i++) {
    if (!obs[i]) obs[i] = JwDefSphere(40, 40, 1.0f, 3, 0xffc0c0c0UL);
    ShowObstacle[i] = 1;
    for (int k = 0; k < 3; k++) Obstacle_pos[i][k] = at[i][k];
  }
  view->make_current();
  for (auto _ : state) {
    FILE* fp = fopen("bench-export", "wb");
    int rc = ExportScenePages(fp, "bench", GL2PS_EPS, DrawView);
    fclose(fp);
    if (rc != GL2PS_SUCCESS) state.SkipWithError(ExportStateText(rc));
  }
  for (int i = 0; i < 4; i++) ShowObstacle[i] = 0;
  SetExportSort(0);
}
BENCHMARK(BM_ExportObstaclesThroughArm)->Arg(GL2PS_SIMPLE_SORT)->Arg(GL2PS_BSP_SORT)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
