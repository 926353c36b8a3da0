// gui_window.h -- the program's main window and dialogs, built once for the GUI tests, and
// pixels of the 3D view read back from a frame drawn on demand
#ifndef VELMORA_TESTS_GUI_WINDOW_H
#define VELMORA_TESTS_GUI_WINDOW_H

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <gtest/gtest.h>
#include <string.h>

#include <stdio.h>
#include <string>
#include <vector>
#include <FL/gl.h>
#include <math.h>

#include "gl/gl_display.h"
#include "gui/shell/hubs.h"
#include "gui/shell/menu_codes.h"
#include "gui/shell/main_win.h"
#include "gui/view/opengl_win.h"
#include "links/links.h"

// start-up as the program does it, without a robot; the window stays up for every test
inline void EnsureMainWindow() {
  if (window) return;
  OpenTestDisplay();
  RegisterModelDrawing();
  CreateForms();
  CreateMainWindow(600, 600 + MenuBarHeight + MessageStripHeight);   // a 600 x 600 view
  window->show();
  for (int i = 0; i < 100 && !opengl_window->shown(); i++) Fl::wait(0.02);
  Fl::check();
}

// every dialog hidden, wherever the main window stands in the stacking order: the next test
// starts with only the main window up
inline void HideDialogs() {
  std::vector<Fl_Window*> up;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
    if (w != (Fl_Window*)window && !w->parent()) up.push_back(w);
  for (Fl_Window* w : up) w->hide();
  Fl::check();
}

// what a shell command prints on standard output
inline std::string ShellOut(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[256];
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  return out;
}

// the camera and view settings every pixel test starts from
inline void ResetCamera(double s) {
  theta = gamma_cam = 0;  cameraTheta = cameraGamma = 0;  panX = panY = 0;
  scale = s;  prespectiv_mode = 1;
  bg_red = 0.5;  bg_green = 0.3;  bg_blue = 0.1;   // warm: no body or floor colour is
}

// rgb of pixel (x, y) of the back buffer, y counted from the bottom
struct Rgb { int r, g, b; };
inline Rgb Pixel(int x, int y) {
  unsigned char p[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}
inline bool IsBackground(Rgb c) {
  return abs(c.r - (int)lround(bg_red*255)) <= 1 && abs(c.g - (int)lround(bg_green*255)) <= 1 &&
         abs(c.b - (int)lround(bg_blue*255)) <= 1;
}
// any pixel of the (2k+1) square around (x, y) not background
inline bool SomethingNear(int x, int y, int k = 1) {
  for (int dy = -k; dy <= k; dy++)
    for (int dx = -k; dx <= k; dx++)
      if (!IsBackground(Pixel(x + dx, y + dy))) return true;
  return false;
}

// perspective of the view, derived here: eye and centre from the camera, 40 degrees across
// the narrower side of the view's w x h viewport; window pixel of world point p
inline void ProjectPerspective(const double p[3], double* px, double* py) {
  double s = scale, ct = cos(theta);
  double E[3] = {-4*s*ct*sin(gamma_cam), -4*s*ct*cos(gamma_cam), -4*s*sin(theta)};
  double C[3] = {0, 0, 0.5*s}, U[3] = {0, 0, ct};
  double f[3], n = 0;
  for (int k = 0; k < 3; k++) { f[k] = C[k] - E[k];  n += f[k]*f[k]; }
  for (int k = 0; k < 3; k++) f[k] /= sqrt(n);
  double sd[3] = {f[1]*U[2] - f[2]*U[1], f[2]*U[0] - f[0]*U[2], f[0]*U[1] - f[1]*U[0]};
  n = sqrt(sd[0]*sd[0] + sd[1]*sd[1] + sd[2]*sd[2]);
  for (int k = 0; k < 3; k++) sd[k] /= n;
  double u[3] = {sd[1]*f[2] - sd[2]*f[1], sd[2]*f[0] - sd[0]*f[2], sd[0]*f[1] - sd[1]*f[0]};
  double d[3] = {p[0] - E[0], p[1] - E[1], p[2] - E[2]};
  double xe = sd[0]*d[0] + sd[1]*d[1] + sd[2]*d[2], ye = u[0]*d[0] + u[1]*d[1] + u[2]*d[2];
  double ze = f[0]*d[0] + f[1]*d[1] + f[2]*d[2];
  double w = opengl_window->w(), h = opengl_window->h(), t = tan(20*M_PI/180);
  double tx = w >= h ? t*w/h : t, ty = w >= h ? t : t*h/w;
  *px = (xe/ze/tx + 1)*w/2;
  *py = (ye/ze/ty + 1)*h/2;
}

// one timer tick, called directly; the timeouts it arms are dropped so no loop runs them
inline void Tick() {
  IdleCallback(opengl_window);
  Fl::remove_timeout(IdleCallback, opengl_window);
}

// pick the line `name` of a list and run its callback, as a click would
inline void Select(Fl_Hold_Browser* b, const char* name) {
  for (int i = 1; i <= b->size(); i++)
    if (!strcmp(b->text(i), name)) {
      b->select(i);
      b->do_callback();
      return;
    }
  ADD_FAILURE() << name << " is not listed";
}

// one frame of the view into the back buffer, as the toolkit would draw it
inline void DrawFrame() {
  opengl_window->make_current();
  opengl_window->draw();
  glFinish();
}

// the camera of a frame, a clear to the background, then only what draw_part draws
inline void DrawPart(void (*draw_part)()) {
  opengl_window->make_current();
  opengl_window->draw();   // sets up the context and viewport like a real frame
  glClearColor(bg_red, bg_green, bg_blue, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetViewCamera();
  draw_part();
  glFinish();
}

#ifdef VELMORA_PROGRAM
// the real program as the start of a shell command. Its own leak check is off: the leak
// checker's tracer crashes in programs whose GL driver threads are still exiting when several
// of them end at once, while this test process checks the same windows' leaks itself
static inline std::string ProgramCommand() {
  return std::string("ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" ") +
         VELMORA_PROGRAM;
}
#endif

#endif
