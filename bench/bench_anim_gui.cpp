// bench_anim_gui.cpp -- a trajectory recorded into an animation: the 201-point FanucS300
// helix at 600 x 600, every point a frame at 30 a second, into GIF, MP4 and WebM; each case
// draws, reads back and encodes every frame and writes the file (solver included)
//
// run under Xvfb, in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_anim_gui
// Targets on this machine: GIF at most 5 s, MP4 at most 3 s.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <sys/stat.h>

#include "sample_copy.h"
#include "bench_view.h"
#include "robot/app_state.h"
#include "gui/export/anim_export.h"
#include "gui/view/opengl_win.h"
#include "load/robot_load.h"
#include "traj/traj_file.h"

static OpenGL_WIN* view = nullptr;

// the view, the FanucS300 and its helix loaded, one frame drawn
static int Setup() {
  if (view) return 0;
  if (EnterSampleCopy() != 0) return -1;
  view = OpenBenchView();
  if (!LoadRobotRecords("FanucS300")) return -1;
  if (LoadCartesianTrajectory(R, "FanucS300.helix", &CT) != 0) return -1;
  CT.ShowPoints = 1;
  BenchFrame(view);
  return 0;
}

static void BM_RecordHelix(benchmark::State& state) {
  static const char* files[3] = {"helix.gif", "helix.mp4", "helix.webm"};
  if (Setup() != 0) {
    state.SkipWithError("FanucS300 or its helix did not load");
    return;
  }
  const char* path = files[state.range(0)];
  view->make_current();
  if (AnimOffscreenBegin(600, 600) != 0) {
    state.SkipWithError("no off-screen buffer");
    return;
  }
  AnimJob job = {path, 600, 600, 30, 1, 0, 0, nullptr, nullptr, 0, 0, 0};
  for (auto _ : state)
    if (AnimRecord(&job) != 0) state.SkipWithError(AnimFailure());
  AnimOffscreenEnd();
  struct stat st;
  state.counters["frames"] = job.frames;
  state.counters["kB"] = stat(path, &st) == 0 ? st.st_size/1024.0 : 0;
}
BENCHMARK(BM_RecordHelix)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1);

BENCHMARK_MAIN();
