// opengl_win.h -- the 3D view: camera, mouse, and frames of the scene walk
#ifndef VELMORA_GUI_OPENGL_WIN_H
#define VELMORA_GUI_OPENGL_WIN_H

#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window


//------------------------------------------------------------------ camera
// (gamma_cam is the camera azimuth: the C library already owns the name gamma)
extern double theta, gamma_cam;         // perspective elevation and azimuth, radians
extern double cameraTheta, cameraGamma; // orthographic rotations about y and z, degrees
extern double panX, panY;               // pan offsets
extern int x_first, y_first;            // pointer position last seen by handle
extern int prespectiv_mode;             // 1 perspective, 0 orthographic
extern double bg_red, bg_green, bg_blue;  // clear colour

// the middle button does not zoom below this: at zero or below the eye would pass through
// the point it looks at; a scale still 0 (no robot loaded yet) draws as 2, the distance a
// robot with the empty floor's step of 0.5 would get
#define VIEW_SCALE_MIN 0.1

// work-environment pivot checks of the environment dialog; NULL means off
class Fl_Button;
extern Fl_Button *edge_1, *edge_2, *user_axes;

class OpenGL_WIN : public Fl_Gl_Window {
public:
  OpenGL_WIN(int x, int y, int w, int h);
  void draw() override;
  int handle(int event) override;
  void resize(int x, int y, int w, int h) override;
};

// the context state every frame relies on (depth test, colour material); once per context
void InitViewGL(void);
// one frame with the current context and viewport: clear to the background, camera and
// lights, then the scene walk (scene_gl.h) of the application state. The view, the export
// dialog and the figure command draw through it; 1 when the scene asks for another frame
int DrawViewFrame(void);

// camera projection and modelview of one frame, then the lights (the context is current)
void SetViewCamera(void);
//------------------------------------------------------------------ camera commands (camera.cpp)
// scale *= f, not below VIEW_SCALE_MIN; redraws
void ZoomView(double f);
// the camera's view of the view's shape and angles now
struct _ViewCamera_;
void ViewCameraNow(struct _ViewCamera_* cam);
// pan zero and the distance that shows the whole robot (and the Puma560 cell when shown):
// 4 avg_len when that fits, farther when not; nothing without a robot
void FitView(void);
// the start view's angles, then FitView
void HomeView(void);

// busy wait: returns once the processor clock has advanced by seconds
void wait(double seconds);
// the animation timer (timer.cpp); the view's constructor arms it
void IdleCallback(void* view);

#endif
