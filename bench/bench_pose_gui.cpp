// bench_pose_gui.cpp -- one joint-slider edit on the 7R sample with every pose display open
// (Forward and Inverse Kinematics, Q, J, Conditioning): FwdKin, UpdateAll and the redraw
// request, as the slider's callback runs them; the frame itself is not drawn
//
// run under Xvfb, in any directory:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_pose_gui
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Window.H>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "sample_copy.h"
#include "robot/app_state.h"
#include "gui/shell/hubs.h"
#include "gui/shell/main_win.h"
#include "gui/view/opengl_win.h"
#include "gui/pose/pose_panels.h"
#include "links/links.h"

// the program's windows in a copy of the samples (a load writes posture files), Redund7
// loaded, every pose display shown
static bool Setup() {
  if (window) return R != nullptr;
  RegisterModelDrawing();
  if (EnterSampleCopy() != 0) return false;
  CreateForms();
  CreateMainWindow(600, 600)->show();
  if (!NewRobot("Redund7")) return false;
  for (long code : {8L, 9L, 12L}) menu_cb(nullptr, (void*)code);
  cart_config_q_cb(nullptr, nullptr);
  cart_config_j_cb(nullptr, nullptr);
  for (int i = 0; i < 20; i++) Fl::wait(0.02);
  return true;
}

static void BM_JointSliderEdit7R(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("Redund7 did not load");
    return;
  }
  Fl_Slider* s = joint_config_sl_set_q[1];
  double v = 30;
  for (auto _ : state) {
    v = v == 30 ? 31 : 30;
    s->value(v);
    s->do_callback();
  }
}
BENCHMARK(BM_JointSliderEdit7R)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
