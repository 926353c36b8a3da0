// camera.cpp -- the view's camera commands: wheel zoom, Fit and Home
#include <FL/Fl.H>      // for: Fl_Widget
#include <string.h>     // for: strcmp()

#include "gui/shell/hubs.h"      // for: gl_win_redraw()
#include "gui/view/opengl_win.h"
#include "robot/app_state.h"     // for: R, JC, scale, ShowScene
#include "scene/view_fit.h"      // for: ViewFitRobot()

// the start view's angles (the values the view's camera starts with)
static const double home_theta = -0.5, home_gamma = -0.5, home_otheta = 20, home_ogamma = 20;

void ZoomView(double f) {
  scale = (scale > 0 ? scale : 2.0)*f;
  if (scale < VIEW_SCALE_MIN) scale = VIEW_SCALE_MIN;
  gl_win_redraw();
}

void ViewCameraNow(ViewCamera* cam) {
  cam->perspective = prespectiv_mode;
  cam->theta = theta;  cam->gamma = gamma_cam;
  cam->otheta = cameraTheta;  cam->ogamma = cameraGamma;
  int w = opengl_window ? opengl_window->w() : 1, h = opengl_window ? opengl_window->h() : 1;
  cam->aspect = h > 0 ? (double)w/h : 1;
}

void FitView(void) {
  if (!R) return;
  ViewCamera cam;
  ViewCameraNow(&cam);
  panX = panY = 0;
  // only the Puma560 has its cell drawn around it
  scale = ViewFitRobot(&cam, R, JC ? JC->q : nullptr, ShowScene == 1 && !strcmp(R->name, "Puma560"));
  gl_win_redraw();
}

void HomeView(void) {
  theta = home_theta;  gamma_cam = home_gamma;
  cameraTheta = home_otheta;  cameraGamma = home_ogamma;
  FitView();
  gl_win_redraw();
}
