// bench_links_gl.cpp -- frames per second drawing the Puma560 with its hand and REKERROWB
// with its spray tool, 600 x 600
//
// run under a display: xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_links_gl
#include <benchmark/benchmark.h>
#include <FL/Fl.H>            // for: Fl::wait()
#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window
#include <FL/gl.h>            // for: GL calls
#include <GL/glu.h>           // for: gluPerspective(), gluLookAt()
#include <string.h>           // for: memset()

#include "graphics/light.h"
#include "links/Puma560.h"
#include "links/REKERROWB.h"
#include "links/links.h"

class BenchWindow : public Fl_Gl_Window {
public:
  BenchWindow() : Fl_Gl_Window(0, 0, 600, 600, "bench") { mode(FL_RGB | FL_DOUBLE | FL_DEPTH); }
  void draw() override {}
};

// one frame as the view draws it: lights, base, six links with their joint values, the hand
static void Frame(EndEffector* ee) {
  static const float a[6] = {0, 4.32f, 0.2f, 0, 0, 0}, b[6] = {6.6f, 1.5f, 0, 4.32f, 0, 0};
  static const float al[6] = {-90, 0, -90, 90, -90, 0}, q[6] = {30, -30, 20, 0, -40, 0};
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(20, -25, 18, 2, 0, 5, 0, 0, 1);
  JwInitLight();
  for (int k = 11; k <= 17; k++) glCallList(k);
  glPushMatrix();
    Puma560Links[0]();
    for (int i = 0; i < 6; i++) {
      glRotatef(q[i], 0, 0, 1);
      Puma560Links[i + 1]();
      glTranslatef(a[i], 0, b[i]);
      glRotatef(al[i], 1, 0, 0);
    }
    ee->DrawProc(ee);
  glPopMatrix();
  glFinish();
}

static void BM_DrawPuma560WithHand(benchmark::State& state) {
  static BenchWindow* win = nullptr;
  if (!win) {
    win = new BenchWindow();
    win->show();
    for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
    Fl::wait(0.1);
  }
  win->make_current();
  RegisterModelDrawing();
  Puma560Init(nullptr);
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  Puma560InitEEHand(&ee);
  glViewport(0, 0, 600, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40, 1, 1, 100);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
  for (auto _ : state) Frame(&ee);
  state.counters["fps"] = benchmark::Counter((double)state.iterations(),
                                             benchmark::Counter::kIsRate);
  StdDestroyEE(&ee);
  Puma560Destroy(nullptr);
}
BENCHMARK(BM_DrawPuma560WithHand)->Unit(benchmark::kMillisecond)->UseRealTime();

// the largest model: REKERROWB's thirteen links with the spray tool, at the sample robot's
// home pose; target: at most 16 ms a frame
static void FrameREKERROWB(EndEffector* ee) {
  static const float b[13] = {2.2f, 0, 1.4f, 0, 1.4f, 0, 1.5f, 0, 4.0f, 0, 3.6f, 0, 0.5f};
  static const float al[13] = {-90, 90, -90, 90, -90, 90, -90, 90, -90, 90, -90, 90, 0};
  static const float q[13] = {0, 15, 0, 15, 0, -20, 0, 30, 0, 70, 0, 60, 170};
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(24, -30, 20, 3, 0, 6, 0, 0, 1);
  JwInitLight();
  for (int k = 11; k <= 17; k++) glCallList(k);
  glPushMatrix();
    REKERROWBLinks[0]();
    for (int i = 0; i < 13; i++) {
      glRotatef(q[i], 0, 0, 1);
      REKERROWBLinks[i + 1]();
      glTranslatef(i == 12 ? 0.9f : 0, 0, b[i]);
      glRotatef(al[i], 1, 0, 0);
    }
    ee->DrawProc(ee);
  glPopMatrix();
  glFinish();
}

static void BM_DrawREKERROWBSpray(benchmark::State& state) {
  static BenchWindow* win = nullptr;
  if (!win) {
    win = new BenchWindow();
    win->show();
    for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
    Fl::wait(0.1);
  }
  win->make_current();
  RegisterModelDrawing();
  REKERROWBInit(nullptr);
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  REKERROWBInitEESpray(&ee);
  glViewport(0, 0, 600, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40, 1, 1, 200);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
  for (auto _ : state) FrameREKERROWB(&ee);
  state.counters["fps"] = benchmark::Counter((double)state.iterations(),
                                             benchmark::Counter::kIsRate);
  StdDestroyEE(&ee);
  REKERROWBDestroy(nullptr);
}
BENCHMARK(BM_DrawREKERROWBSpray)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
