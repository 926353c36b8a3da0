// bench_traj_gui.cpp -- Cartesian playback with the Puma560 sample: one step of the timer's
// forward section (solve, record, FwdKin, UpdateAll), and a 201-point path played by the real
// timer in the event loop (about 200 x 0.017 s = 3.4 s is the pace)
//
// run under Xvfb, in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_traj_gui
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Window.H>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "sample_copy.h"
#include "robot/app_state.h"
#include "gui/shell/hubs.h"
#include "gui/shell/main_win.h"
#include "gui/view/opengl_win.h"
#include "gui/traj/traj_panels.h"
#include "kin/ikp.h"
#include "links/links.h"

// Puma560.pace: 201 reachable poses, the forward kinematics of the joints swept smoothly
static void WritePacePath() {
  FILE* f = fopen("Ctraj/Puma560.pace", "w");
  JointConfig jc = JointConfigFromRobot(R);
  for (int k = 0; k < 201; k++) {
    for (int j = 0; j < R->n; j++) jc->q[j] = 10.0f + 0.2f*k + 5.0f*j;
    FwdKin(R, jc, CC);
    fprintf(f, "%lf %lf %lf \n", CC->r[0], CC->r[1], CC->r[2]);
    for (int i = 0; i < 3; i++) fprintf(f, "%lf %lf %lf \n", CC->Q[i][0], CC->Q[i][1], CC->Q[i][2]);
  }
  FreeJointConfig(jc);
  FwdKin(R, JC, CC);
  fclose(f);
}

// the program's windows over a copy of the samples, the Puma560 loaded, the panel shown
static void Setup() {
  if (window) return;
  RegisterModelDrawing();
  if (EnterSampleCopy() != 0) return;
  CreateForms();
  CreateMainWindow(600, 600)->show();
  for (int i = 0; i < 100 && !opengl_window->shown(); i++) Fl::wait(0.02);
  NewRobot("Puma560");
  WritePacePath();
  menu_cb(nullptr, (void*)10L);
  Fl::check();
}

static void Select(const char* name) {
  for (int i = 1; i <= cart_traj_select->size(); i++)
    if (!strcmp(cart_traj_select->text(i), name)) {
      cart_traj_select->select(i);
      cart_traj_select->do_callback();
    }
}

// one tick of the forward section; the path is played forth and back so every step is one
// point away from the last (the timeouts the section arms are never run)
static void BM_CartesianPlaybackStep(benchmark::State& state) {
  Setup();
  Select("Puma560.arc");
  cart_traj_fwd->do_callback();
  for (auto _ : state) {
    if (!CartTrajForwardTick(opengl_window) && !CartTrajReverseTick(opengl_window)) {
      if (CT.ctp == CT.last) cart_traj_rev->do_callback();
      else cart_traj_fwd->do_callback();
    }
  }
  Fl::remove_timeout(IdleCallback, opengl_window);
  Fl::add_timeout(0.1, IdleCallback, opengl_window);
  cart_traj_clear_cb();
}
BENCHMARK(BM_CartesianPlaybackStep)->Unit(benchmark::kMicrosecond);

static double Now() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + 1e-9*t.tv_nsec;
}

// the 201-point path played forward by the timer in the event loop, view drawn every tick
static void BM_PacePlays201Points(benchmark::State& state) {
  Setup();
  for (auto _ : state) {
    Select("Puma560.pace");
    double t0 = Now();
    cart_traj_fwd->do_callback();
    while (CartTraj_ani_fwd) Fl::wait(1.0);
    state.SetIterationTime(Now() - t0);
    state.counters["last_point"] = CT.ctp;
  }
  cart_traj_clear_cb();
}
BENCHMARK(BM_PacePlays201Points)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

BENCHMARK_MAIN();
