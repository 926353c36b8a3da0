// bench_view.cpp -- the 3D view alone in a 600 x 600 window, for frame and export benchmarks
#include "bench_view.h"

#include <FL/Fl.H>         // for: Fl::wait()
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <FL/gl.h>         // for: glFinish()

#include "gui/opengl_win.h"
#include "links/links.h"   // for: RegisterModelDrawing()

static OpenGL_WIN* view = nullptr;

OpenGL_WIN* OpenBenchView(void) {
  if (view) return view;
  RegisterModelDrawing();
  Fl_Window* w = new Fl_Window(600, 600, "bench");
    view = new OpenGL_WIN(0, 0, 600, 600);
  w->end();
  w->show();
  for (int i = 0; i < 100 && !view->shown(); i++) Fl::wait(0.02);
  return view;
}

void BenchFrame(OpenGL_WIN* v) {
  v->make_current();
  v->draw();
  v->swap_buffers();
  glFinish();
}
