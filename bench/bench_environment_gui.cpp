// bench_environment_gui.cpp -- frame time of the 3D view at 600 x 600 with the Puma560 and
// 1000 visible work-environment objects, the most the tables hold; then with the four
// obstacles and their influence spheres shown as well
//
// run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_environment_gui
// (LP_NUM_THREADS=0 keeps the software renderer on the calling thread)
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
#include "gui/view/opengl_win.h"
#include "links/links.h"
#include "scene/obstacles.h"
#include "load/robot_load.h"
#include "scene/workspace.h"

static OpenGL_WIN* view = nullptr;
// the view alone in a window, the Puma560 loaded from a copy of the samples (a load writes
// posture files beside them)
static void Setup() {
  if (view) return;
  if (EnterSampleCopy() != 0) return;
  view = OpenBenchView();
  LoadRobotRecords("Puma560");
  for (int e = 0; e < OBSTACLE_COUNT; e++) RebuildObstacleSpheres(e);
}

static void Frame() { BenchFrame(view); }

// n objects of the seven types, 2.5 apart on a square grid centred on the robot, turned a little
static void PlaceObjects(int n) {
  workspace_number = n > 0 ? n : 1;
  int side = 32;
  for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
  for (int i = 0; i < n; i++) {
    ShowWorkspace[i] = 1;
    WorkspaceType[i] = 1 + i % 7;
    WorkspaceColor[i] = WorkspaceColorValue[i % 6];
    ws_object_pos[i][0] = -40 + 2.5f*(i % side);
    ws_object_pos[i][1] = -40 + 2.5f*(i / side);
    float d[3] = {1.5f, 1, 0.8f};
    if (WorkspaceType[i] == WS_HOLLOW_CYLINDER) { d[1] = 0.8f;  d[2] = 0.6f; }
    for (int k = 0; k < 3; k++) ws_object_info[i][k] = d[k];
    WorkspaceAngle[i][2] = 15.0f*(i % 5);
  }
}

static void BM_Puma560With1000Objects(benchmark::State& state) {
  Setup();
  PlaceObjects(1000);
  Frame();   // the first frame builds the things; the timed ones reuse them
  for (auto _ : state) Frame();
  PlaceObjects(0);
}
BENCHMARK(BM_Puma560With1000Objects)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_Puma560With1000ObjectsAndObstacles(benchmark::State& state) {
  Setup();
  PlaceObjects(1000);
  for (int e = 0; e < OBSTACLE_COUNT; e++) {
    ShowObstacle[e] = 1;
    Obstacle_pos[e][0] = 3.0f*e - 4.5f;  Obstacle_pos[e][2] = 4;
  }
  Frame();
  for (auto _ : state) Frame();
  for (int e = 0; e < OBSTACLE_COUNT; e++) ShowObstacle[e] = 0;
  PlaceObjects(0);
}
BENCHMARK(BM_Puma560With1000ObjectsAndObstacles)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
