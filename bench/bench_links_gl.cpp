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

// a model posed link by link, as the view draws it
typedef struct _BenchModel_ {
  LinkDrawProc* links;          // base, then one per link
  int n;
  const float *a, *b, *al, *q;  // per link; a NULL: no x offset
  float eye[6];                 // eye and centre of gluLookAt
  float far_plane;
} BenchModel;

// the window shown once; the projection and lights of a 600 x 600 view reaching far_plane
static void OpenWindow(float far_plane) {
  static BenchWindow* win = nullptr;
  if (!win) {
    win = new BenchWindow();
    win->show();
    for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
    Fl::wait(0.1);
  }
  win->make_current();
  RegisterModelDrawing();
  glViewport(0, 0, 600, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40, 1, 1, far_plane);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
}

// one frame: lights, base, the links with their joint values, the end effector
static void Frame(const BenchModel* m, EndEffector* ee) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(m->eye[0], m->eye[1], m->eye[2], m->eye[3], m->eye[4], m->eye[5], 0, 0, 1);
  JwInitLight();
  for (int k = 11; k <= 17; k++) glCallList(k);
  glPushMatrix();
    m->links[0]();
    for (int i = 0; i < m->n; i++) {
      glRotatef(m->q[i], 0, 0, 1);
      m->links[i + 1]();
      glTranslatef(m->a ? m->a[i] : 0, 0, m->b[i]);
      glRotatef(m->al[i], 1, 0, 0);
    }
    ee->DrawProc(ee);
  glPopMatrix();
  glFinish();
}

static void Run(benchmark::State& state, const BenchModel* m, EndEffector* ee) {
  for (auto _ : state) Frame(m, ee);
  state.counters["fps"] = benchmark::Counter((double)state.iterations(),
                                             benchmark::Counter::kIsRate);
}

// the Puma560 with its hand
static void BM_DrawPuma560WithHand(benchmark::State& state) {
  static const float a[6] = {0, 4.32f, 0.2f, 0, 0, 0}, b[6] = {6.6f, 1.5f, 0, 4.32f, 0, 0};
  static const float al[6] = {-90, 0, -90, 90, -90, 0}, q[6] = {30, -30, 20, 0, -40, 0};
  const BenchModel m = {Puma560Links, 6, a, b, al, q, {20, -25, 18, 2, 0, 5}, 100};
  OpenWindow(m.far_plane);
  Puma560Init(nullptr);
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  Puma560InitEEHand(&ee);
  Run(state, &m, &ee);
  StdDestroyEE(&ee);
  Puma560Destroy(nullptr);
}
BENCHMARK(BM_DrawPuma560WithHand)->Unit(benchmark::kMillisecond)->UseRealTime();

// the largest model: REKERROWB's thirteen links with the spray tool, at the sample robot's
// home pose (the flange's x offset on the last link); target: at most 16 ms a frame
static void BM_DrawREKERROWBSpray(benchmark::State& state) {
  static const float a[13] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.9f};
  static const float b[13] = {2.2f, 0, 1.4f, 0, 1.4f, 0, 1.5f, 0, 4.0f, 0, 3.6f, 0, 0.5f};
  static const float al[13] = {-90, 90, -90, 90, -90, 90, -90, 90, -90, 90, -90, 90, 0};
  static const float q[13] = {0, 15, 0, 15, 0, -20, 0, 30, 0, 70, 0, 60, 170};
  const BenchModel m = {REKERROWBLinks, 13, a, b, al, q, {24, -30, 20, 3, 0, 6}, 200};
  OpenWindow(m.far_plane);
  REKERROWBInit(nullptr);
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  REKERROWBInitEESpray(&ee);
  Run(state, &m, &ee);
  StdDestroyEE(&ee);
  REKERROWBDestroy(nullptr);
}
BENCHMARK(BM_DrawREKERROWBSpray)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
