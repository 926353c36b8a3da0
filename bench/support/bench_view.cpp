// bench_view.cpp -- the 3D view alone in a 600 x 600 window, for frame and export benchmarks
#include "bench_view.h"

#include <FL/Fl.H>         // for: Fl::wait()
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <FL/gl.h>         // for: glFinish()

#include "gui/view/opengl_win.h"
#include "links/links.h"   // for: RegisterModelDrawing()
#include "scene/workspace.h"

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

void PlaceBenchObjects(int n) {
  workspace_number = n;
  for (int i = 0; i < n; i++) {
    ResetWorkspaceObject(i);
    ShowWorkspace[i] = 1;
    WorkspaceType[i] = 1 + i % 7;
    WorkspaceColor[i] = WorkspaceColorValue[i % 6];
    ws_object_pos[i][0] = -30 + 6.0f*(i % 10);
    ws_object_pos[i][1] = -30 + 6.0f*(i / 10);
    float d[3] = {2, 1.5f, 1};
    if (WorkspaceType[i] == WS_CONVEYOR) { d[0] = 6;  d[1] = 1.5f;  d[2] = 1; }
    if (WorkspaceType[i] == WS_HOLLOW_CYLINDER) { d[0] = 2;  d[1] = 0.8f;  d[2] = 0.6f; }
    for (int k = 0; k < 3; k++) ws_object_info[i][k] = d[k];
    WorkspaceAngle[i][2] = 15.0f*(i % 5);
  }
}
