// window_icon.cpp -- the icon the desktop shows for the program's windows: the 48 and 128 px
// PNGs installed beside the samples, or the source tree's beside its data folder
#include <FL/Fl_PNG_Image.H>  // for: Fl_PNG_Image
#include <FL/Fl_Window.H>     // for: Fl_Window::default_icons()
#include <stdio.h>            // for: snprintf()
#include <unistd.h>           // for: access()

#include "base/data_dir.h"    // for: DataDirGetSamples(), DATA_DIR_MAX
#include "gui/shell/hubs.h"

//------------------------------------------------------------------ static helpers

// the icon of px pixels found from the samples folder (installed: share/velmora/data, the
// icons under share/icons; source tree: data, the icons under dist/icons), or NULL
static Fl_PNG_Image* Icon(int px) {
  const char* samples = DataDirGetSamples();
  char installed[DATA_DIR_MAX], source[DATA_DIR_MAX];
  snprintf(installed, sizeof installed, "%s/../../icons/hicolor/%dx%d/apps/velmora.png",
           samples, px, px);
  snprintf(source, sizeof source, "%s/../dist/icons/%d/velmora.png", samples, px);
  const char* paths[2] = {installed, source};
  for (const char* p : paths) {
    if (access(p, R_OK) != 0) continue;
    Fl_PNG_Image* img = new Fl_PNG_Image(p);
    if (img->w() == px && img->h() == px && !img->fail()) return img;
    delete img;
  }
  return nullptr;
}

//------------------------------------------------------------------ public API

int SetWindowIcon(void) {
  Fl_PNG_Image* small = Icon(48);
  Fl_PNG_Image* big = Icon(128);
  const Fl_RGB_Image* icons[2];
  int n = 0;
  if (small) icons[n++] = small;
  if (big) icons[n++] = big;
  if (n) Fl_Window::default_icons(icons, n);   // copied: ours can go
  delete small;
  delete big;
  return n;
}
