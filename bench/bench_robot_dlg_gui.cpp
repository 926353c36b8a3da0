// bench_robot_dlg_gui.cpp -- the robot dialogs: NewRobot of the 7R sample with every rebuild
// of the robot windows, and the Load Robot list filled from 1000 robot files
//
// run under Xvfb, in any directory (the data are copied to /tmp):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_robot_dlg_gui
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "sample_copy.h"
#include "robot/app_state.h"
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "links/links.h"

static int ready = 0;

// the program's windows built hidden in a copy of the samples
static void Setup() {
  if (ready) return;
  ready = 1;
  RegisterModelDrawing();
  if (EnterSampleCopy() != 0) return;
  CreateForms();
  CreateMainWindow(600, 600);
}

// the whole load: records, characteristic length and reach, bodies, every robot window
static void BM_NewRobotRedund7(benchmark::State& state) {
  Setup();
  for (auto _ : state) {
    NewRobot("Redund7");
    Fl::check();   // the old windows are deleted here
  }
  if (!R) state.SkipWithError("Redund7 did not load");
}
BENCHMARK(BM_NewRobotRedund7)->Unit(benchmark::kMillisecond);

// menu code 1 with 1000 files in "Arch": read, filter, sort, fill the browser
static void BM_LoadRobotList1000(benchmark::State& state) {
  Setup();
  for (int i = 0; i < 1000; i++) {
    char name[64];
    snprintf(name, sizeof name, "Arch/robot%04d", i);
    FILE* f = fopen(name, "w");
    if (f) fclose(f);
  }
  for (auto _ : state) arch_fill();
  state.counters["listed"] = arch_select ? arch_select->size() : 0;
}
BENCHMARK(BM_LoadRobotList1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
