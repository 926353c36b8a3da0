// links_gl_context.h -- a shown GL window whose context the lights, axes and links tests use
#ifndef VELMORA_TESTS_LINKS_GL_CONTEXT_H
#define VELMORA_TESTS_LINKS_GL_CONTEXT_H

#include <FL/Fl.H>            // for: Fl::wait()
#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window
#include <FL/gl.h>            // for: GL calls

#include "gl_display.h"

// draws nothing by itself: each test draws into the back buffer and reads it back
class LinksTestWindow : public Fl_Gl_Window {
public:
  LinksTestWindow(int w, int h) : Fl_Gl_Window(w, h, "links test") {
    mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
  }
  void draw() override {}
};

// the window (200 x 200), shown once, with its context current and a clean modelview
inline LinksTestWindow* LinksGLContext() {
  static LinksTestWindow* win = nullptr;
  if (!win) {
    win = new LinksTestWindow(200, 200);
    OpenTestDisplay();
    win->show();
    for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
    Fl::wait(0.05);
  }
  win->make_current();
  glViewport(0, 0, 200, 200);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  while (glGetError() != GL_NO_ERROR) {}
  return win;
}

// rgb of the back buffer, 200 x 200, rows from the bottom
inline void LinksReadPixels(unsigned char* rgb) {
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 200, 200, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

#endif
