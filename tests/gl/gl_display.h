// gl_display.h -- the X display of the GL tests, opened with a few retries
#ifndef VELMORA_TESTS_GL_DISPLAY_H
#define VELMORA_TESTS_GL_DISPLAY_H

#include <FL/Fl.H>   // for: Fl
#include <FL/x.H>    // for: fl_open_display(), XOpenDisplay()
#include <unistd.h>  // for: usleep()

// An Xvfb that many test processes reach in quick succession now and then refuses one
// connection; a refused first try would end the whole test binary, so try a few times.
inline void OpenTestDisplay() {
  if (fl_display) return;
  for (int i = 0; i < 50; i++) {
    Display* d = XOpenDisplay(nullptr);
    if (d) {
      fl_open_display(d);
      return;
    }
    usleep(100000);
  }
  fl_open_display();   // reports the failure in FLTK's words
}

#endif
