// opengl_win.cpp -- the 3D view: camera, mouse, and frames of the scene walk
#include "gui/view/opengl_win.h"

#include <FL/Fl.H>          // for: Fl::event_button(), Fl::add_timeout()
#include <FL/Fl_Button.H>   // for: Fl_Button::value()
#include <FL/gl.h>          // for: GL calls
#include <GL/glu.h>         // for: gluPerspective(), gluLookAt()
#include <math.h>           // for: cos(), sin()
#include <time.h>           // for: clock()

#include "graphics/light.h"   // for: JwInitLight(), JwLightListFirst
#include "gui/view/collisions.h"  // for: CollisionsForFrame()
#include "scene/view_fit.h"       // for: ViewFovy(), ViewOrthoHalf()
#include "robot/app_state.h"  // for: scale
#include "scene/scene_gl.h"   // for: SceneOfState(), DrawScene()

//------------------------------------------------------------------ module state
double theta = -0.5, gamma_cam = -0.5;
double cameraTheta = 20, cameraGamma = 20;
double panX = 0, panY = 0;
int x_first = 0, y_first = 0;
int prespectiv_mode = 1;
double bg_red = 0, bg_green = 0, bg_blue = 0;
Fl_Button *edge_1 = nullptr, *edge_2 = nullptr, *user_axes = nullptr;

static bool firstTime = true;

//------------------------------------------------------------------ static helpers

static bool On(Fl_Button* b) { return b && b->value(); }

// the scale the camera uses: see VIEW_SCALE_MIN
static double ViewScale() { return scale > 0 ? scale : 2.0; }

// the button a drag acts as: the left one with Shift zooms as the middle one does, with Ctrl
// pans as the right one does (for trackpads and two-button mice)
static int ViewButton() {
  int b = Fl::event_button();
  if (b != FL_LEFT_MOUSE) return b;
  if (Fl::event_state(FL_SHIFT)) return FL_MIDDLE_MOUSE;
  if (Fl::event_state(FL_CTRL)) return FL_RIGHT_MOUSE;
  return b;
}

//------------------------------------------------------------------ public API

OpenGL_WIN::OpenGL_WIN(int x, int y, int w, int h) : Fl_Gl_Window(x, y, w, h) {
  mode(FL_RGB | FL_DOUBLE | FL_ALPHA | FL_DEPTH);
  Fl::add_timeout(0.1, IdleCallback, this);
}

void wait(double seconds) {
  clock_t start = clock();
  while ((double)(clock() - start) < seconds*CLOCKS_PER_SEC) {}
}

void OpenGL_WIN::resize(int x, int y, int w, int h) {
  Fl_Gl_Window::resize(x, y, w, h);
  if (shown() && context()) {
    make_current();
    glViewport(0, 0, w, h);   // the whole view; the camera takes its aspect from it
  }
  redraw();
}

int OpenGL_WIN::handle(int event) {
  switch (event) {
    case FL_PUSH:
      x_first = Fl::event_x();  y_first = Fl::event_y();
      [[fallthrough]];   // a push acts as a drag of no length
    case FL_DRAG: {
      int dx = x_first - Fl::event_x(), dy = y_first - Fl::event_y();
      switch (ViewButton()) {
        case FL_LEFT_MOUSE:
          gamma_cam += 0.005*dx;  theta += 0.005*dy;
          cameraGamma -= 0.75*dx;  cameraTheta -= 0.75*dy;
          break;
        case FL_MIDDLE_MOUSE:
          if (scale <= 0) scale = ViewScale();   // no robot yet: go on from what is shown
          scale += 0.02*dy;
          if (scale < VIEW_SCALE_MIN) scale = VIEW_SCALE_MIN;
          break;
        case FL_RIGHT_MOUSE:
          panX += 0.005*dx;  panY -= 0.005*dy;
          break;
        default:
          return Fl_Gl_Window::handle(event);
      }
      x_first = Fl::event_x();  y_first = Fl::event_y();
      redraw();
      return 1;
    }
    case FL_MOUSEWHEEL:   // a notch away from the user brings the camera 1/1.1 closer
      if (Fl::event_dy() == 0) return 0;
      ZoomView(Fl::event_dy() > 0 ? 1.1 : 1/1.1);
      return 1;
    case FL_FOCUS: case FL_UNFOCUS:
      return 1;
    case FL_KEYBOARD:
      return 0;   // every key goes on to the menu bar's shortcuts
  }
  return Fl_Gl_Window::handle(event);
}

void InitViewGL(void) {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
}

void SetViewCamera(void) {
  double s = ViewScale();
  GLint vp[4];   // the viewport the caller set: the view's, or a figure's
  glGetIntegerv(GL_VIEWPORT, vp);
  double aspect = vp[3] > 0 ? (double)vp[2]/vp[3] : 1;
  if (prespectiv_mode) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(ViewFovy(aspect), aspect, 0.1, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    double d = -4*s, ct = cos(theta);
    gluLookAt(d*ct*sin(gamma_cam), d*ct*cos(gamma_cam), d*sin(theta), 0, 0, 0.5*s, 0, 0, ct);
    glTranslatef(-panX*s, -panY*s, -panY*s);
  } else {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double hx, hy;
    ViewOrthoHalf(aspect, s, &hx, &hy);
    glOrtho(panX - hx, panX + hx, panY - hy, panY + hy, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -20);
    glRotatef(-90, 1, 0, 0);
    glRotatef(-90, 0, 0, 1);
    glRotatef(cameraTheta, 0, 1, 0);
    glRotatef(cameraGamma, 0, 0, 1);
  }
  JwInitLight();
  for (int i = 0; i < 7; i++) {
    glCallList(JwLightListFirst + i);
    glEnable(GL_LIGHT1 + i);
  }
  glEnable(GL_LIGHTING);
}

int DrawViewFrame(void) {
  glClearColor(bg_red, bg_green, bg_blue, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetViewCamera();
  SceneView v;
  SceneOfState(&v, On(user_axes));
  CollisionsForFrame(&v);
  return DrawScene(&v);
}

void OpenGL_WIN::draw() {
  if (firstTime || !valid()) {   // a new context starts with default state
    InitViewGL();
    firstTime = false;
  }
  if (!valid()) glViewport(0, 0, w(), h());
  if (DrawViewFrame()) redraw();
}
