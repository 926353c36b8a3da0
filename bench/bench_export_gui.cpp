// bench_export_gui.cpp -- scene export of the 3D view at 600 x 600: the Puma560 with full
// geometry, hand and the demonstration scene, in each format, with each depth sort
//
// run under Xvfb, in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_export_gui
// Arguments of each case: format code (0 PS, 1 EPS, 3 PDF, 4 SVG), sort (2 simple with
// occlusion culling, 3 BSP), 0 for the default camera or 1 for a view from above.
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gl2ps.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "app_state.h"
#include "gui/opengl_win.h"
#include "gui/scene_export.h"
#include "links/links.h"
#include "robot_load.h"

static OpenGL_WIN* view = nullptr;
static char dir[] = "/tmp/velmora_bench_XXXXXX";

static void RemoveCopy() {
  char cmd[512];
  snprintf(cmd, sizeof cmd, "rm -rf '%s'", dir);
  if (system(cmd) != 0) fprintf(stderr, "bench: could not remove %s\n", dir);
}

// a 600 x 600 window holding only the view, and the Puma560 of the sample data loaded
static void Setup() {
  if (view) return;
  RegisterModelDrawing();
  if (!mkdtemp(dir)) return;
  atexit(RemoveCopy);
  char cmd[512];
  snprintf(cmd, sizeof cmd, "cp -r '%s/data/.' '%s'", VELMORA_SOURCE_DIR, dir);
  if (system(cmd) != 0 || chdir(dir) != 0) return;
  Fl_Window* w = new Fl_Window(600, 600, "bench");
  view = new OpenGL_WIN(0, 0, 600, 600);
  w->end();
  w->show();
  for (int i = 0; i < 100 && !view->shown(); i++) Fl::wait(0.02);
  LoadRobotRecords("Puma560");
  ShowScene = 1;
  view->make_current();
  view->draw();
}

static void DrawView() { view->draw(); }

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

BENCHMARK_MAIN();
