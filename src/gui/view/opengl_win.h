// opengl_win.h -- the 3D view: camera, mouse, and the drawing of the whole scene
#ifndef VELMORA_GUI_OPENGL_WIN_H
#define VELMORA_GUI_OPENGL_WIN_H

#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window

#include "robot/robot.h"

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
  // everything below runs with the context current (the export calls draw_robot itself)
  void InitializeGL();
  void draw_robot();
  void DrawRobot(Robot robot, JointConfig jc);
  void DrawCTraj(CartesianTrajectory ct);
  void DrawJTraj(JointTrajectory jt);
  void DrawEndEffector(Robot robot);
  void DrawFloor(Robot robot, unsigned long color);
};

// camera projection and modelview of one frame, then the lights (the context is current)
void SetViewCamera(void);
// busy wait: returns once the processor clock has advanced by seconds
void wait(double seconds);
// the animation timer (timer.cpp); the view's constructor arms it
void IdleCallback(void* view);

#endif
