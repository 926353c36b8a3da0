// bench_view_gui.cpp -- frame time of the 3D view at 600 x 600: the Puma560 with full
// geometry, hand and the demonstration scene; then 100 visible work-environment objects
//
// run under Xvfb (Mesa's software renderer), in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_view_gui
// On a busy machine the renderer's own threads fight for the cores; LP_NUM_THREADS=0 keeps
// the rasterising on the calling thread and shows the work of a frame itself.
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "sample_copy.h"
#include "bench_view.h"
#include "robot/app_state.h"
#include "gui/shell/hubs.h"
#include "gui/view/opengl_win.h"
#include "links/links.h"
#include "load/robot_load.h"
#include "scene/workspace.h"

static OpenGL_WIN* view = nullptr;
// a 600 x 600 window holding only the view, and the Puma560 of the sample data loaded
static void Setup() {
  if (view) return;
  // a robot load writes posture files beside the robots: work in a copy of the samples
  if (EnterSampleCopy() != 0) return;
  view = OpenBenchView();
  LoadRobotRecords("Puma560");
  ShowScene = 1;
}

static void Frame() { BenchFrame(view); }

static void BM_Puma560FullScene(benchmark::State& state) {
  Setup();
  PlaceBenchObjects(0);
  for (auto _ : state) Frame();
}
BENCHMARK(BM_Puma560FullScene)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_Puma560With100Objects(benchmark::State& state) {
  Setup();
  PlaceBenchObjects(100);
  for (auto _ : state) Frame();
  PlaceBenchObjects(0);
}
BENCHMARK(BM_Puma560With100Objects)->Unit(benchmark::kMillisecond)->UseRealTime();

// the same while the user edits one object every frame: that object is rebuilt each time
static void BM_Puma560With100ObjectsOneEdited(benchmark::State& state) {
  Setup();
  PlaceBenchObjects(100);
  int k = 0;
  for (auto _ : state) {
    ws_object_info[0][2] = 1 + 0.01f*(k++ % 100);
    Frame();
  }
  PlaceBenchObjects(0);
}
BENCHMARK(BM_Puma560With100ObjectsOneEdited)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
