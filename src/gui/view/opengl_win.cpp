// opengl_win.cpp -- the 3D view: camera, mouse, and the drawing of the whole scene
#include "gui/view/opengl_win.h"

#include <FL/Fl.H>          // for: Fl::event_button(), Fl::add_timeout()
#include <FL/Fl_Button.H>   // for: Fl_Button::value()
#include <FL/gl.h>          // for: GL calls
#include <GL/glu.h>         // for: gluPerspective(), gluLookAt()
#include <gl2ps.h>          // for: gl2psLineWidth(), gl2psPointSize()
#include <math.h>           // for: cos(), sin()
#include <string.h>         // for: strcmp()
#include <time.h>           // for: clock()

#include "robot/app_state.h"               // for: R, JC, CT, JT, flags, obstacles, payload, scale
#include "scene/coordi_trans.h"            // for: WorkspacePivot()
#include "graphics/axes.h"           // for: JwAxes_xyz()
#include "graphics/light.h"          // for: JwInitLight(), JwSetColor()
#include "graphics/primitives.h"     // for: JwDrawPrimitive()
#include "links/robot_draw_gl.h"     // for: DrawRobotBodies()
#include "scene/things.h"            // for: Def...(), DrawThing()
#include "scene/workspace_things.h"  // for: WorkspaceThing()
#include "scene/workspace.h"               // for: the work-environment tables

//------------------------------------------------------------------ line and point sizes
// the size on screen and, while a figure is exported, in the figure (gl2ps ignores the GL
// state's widths; outside an export these calls do nothing)
static void LineWidth(float w) {
  glLineWidth(w);
  gl2psLineWidth(w);
}

static void PointSize(float s) {
  glPointSize(s);
  gl2psPointSize(s);
}

//------------------------------------------------------------------ module state
double theta = -0.5, gamma_cam = -0.5;
double cameraTheta = 20, cameraGamma = 20;
double panX = 0, panY = 0;
int x_first = 0, y_first = 0;
int prespectiv_mode = 1;
double bg_red = 0, bg_green = 0, bg_blue = 0;
Fl_Button *edge_1 = nullptr, *edge_2 = nullptr, *user_axes = nullptr;

// the demonstration scene, made once by InitializeGL
static Thing conv, table, surface_T1, surface_T2, pallet, Hole_Flang1, Hole_Hubb1, hole1,
    Hole_Flang2, Hole_Hubb2, hole2, fuselage1, fuselage2, batt, batt2, batt_ani[5];
static bool firstTime = true;

static const float path_color[3] = {1.0f, 0.078431375f, 0.5764706f};

//------------------------------------------------------------------ static helpers

static bool On(Fl_Button* b) { return b && b->value(); }

// the scale the camera uses: see VIEW_SCALE_MIN
static double ViewScale() { return scale > 0 ? scale : 2.0; }

// object i's position, then its angles about x, y, z, each turning about the pivot
static void PlaceObject(int i, const float o[3]) {
  glTranslatef(ws_object_pos[i][0], ws_object_pos[i][1], ws_object_pos[i][2]);
  for (int k = 0; k < 3; k++) {
    float a = WorkspaceAngle[i][k];
    if (a == 0) continue;
    glTranslatef(o[0], o[1], o[2]);
    glRotatef(a, k == 0, k == 1, k == 2);
    glTranslatef(-o[0], -o[1], -o[2]);
  }
}

static void DrawWorkspace() {
  for (int i = 0; i < workspace_number && i < WS_MAX; i++) {
    if (!ShowWorkspace[i]) continue;
    float o[3];
    WorkspacePivot(i, o);   // the reference option the dialog's C, E1, E2 set
    glPushMatrix();
      PlaceObject(i, o);
      DrawThing(WorkspaceThing(i));
    glPopMatrix();
    if (On(user_axes) && i == coord_id && R) {
      glPushMatrix();
        PlaceObject(i, o);
        glTranslatef(o[0], o[1], o[2]);
        JwAxes_xyz_Prime(R->avg_len, 0xffff901eu);
      glPopMatrix();
    }
  }
}

// 20 by 20 cells of side s (the robot's avg_len, 0.5 without one) centred at the origin, z = 0
static void FloorLines(Robot robot, unsigned long color) {
  float s = robot ? robot->avg_len : 0.5f, L = -10*s;
  JwSetColor((JwColor)color);
  float c = L;
  for (int i = 0; i <= 20; i++) {
    glBegin(GL_LINE_STRIP);  glVertex3f(c, L, 0);  glVertex3f(c, -L, 0);  glEnd();
    glBegin(GL_LINE_STRIP);  glVertex3f(L, c, 0);  glVertex3f(-L, c, 0);  glEnd();
    c += s;
  }
}

// the Puma560 demonstration cell: table, conveyor, pallet and two rows of batteries
static void DrawDemoScene() {
  DrawThing(table);  DrawThing(conv);
  FloorLines(R, 0xff698080u);
  DrawThing(pallet);
  glPushMatrix();
    glTranslatef(-2.262f, 5.706f, 4.3f);
    for (int k = 0; k < 4; k++) { DrawThing(batt);  glTranslatef(0, 0.996f, 0); }
  glPopMatrix();
  glPushMatrix();
    glTranslatef(6, -2.2f, 5.94f);
    for (int k = 0; k < 5; k++) { DrawThing(batt);  glTranslatef(0, -2.712f, 0); }
  glPopMatrix();
}

// the marker cube of the "Rezir500" cell
static void DrawRezirMarker() {
  static const float M[16] = {0, 0.8165f, 0.577f, 0,  -0.7071f, -0.4082f, 0.577f, 0,
                              0.7071f, -0.4082f, 0.577f, 0,  0, 0, 0, 1};
  glPushMatrix();
    glMultMatrixf(M);
    glTranslatef(-1, 0, 0);
    glColor3f(1, 0, 0);
    PointSize(12);
    glBegin(GL_POINTS);
      glVertex3f(4, 4, 1);  glVertex3f(4, 4, 3);
    glEnd();
    PointSize(1);
    glColor3f(1, 0.5529412f, 0);
    for (int z = 0; z <= 4; z += 4) {
      glBegin(GL_LINE_LOOP);
        glVertex3f(0, 0, z);  glVertex3f(4, 0, z);  glVertex3f(4, 4, z);  glVertex3f(0, 4, z);
      glEnd();
    }
    glBegin(GL_LINES);
      for (int x = 0; x <= 4; x += 4)
        for (int y = 0; y <= 4; y += 4) { glVertex3f(x, y, 0);  glVertex3f(x, y, 4); }
    glEnd();
  glPopMatrix();
}

// path through the points' positions; frames every `every` points, not on the first or last
static void DrawPath(int ntp, int last, int show_points, int show_frames,
                     const CartesianConfigRec* cc, int every, unsigned long frame_color,
                     const float* line_color) {
  if (!cc || ntp <= 0) return;
  glColor3fv(path_color);
  const double* prev = cc[0].r;
  for (int i = 0; i < ntp; i++) {
    if (show_points) {
      LineWidth(4);
      if (line_color) glColor3fv(line_color);
      glBegin(GL_LINES);
        glVertex3dv(prev);  glVertex3dv(cc[i].r);
      glEnd();
    }
    if (show_frames && i != 0 && i != last && i % every == 0) {
      LineWidth(2);
      float M[16] = {0};
      for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++) M[4*c + r] = (float)cc[i].Q[r][c];
      for (int r = 0; r < 3; r++) M[12 + r] = (float)cc[i].r[r];
      M[15] = 1;
      glPushMatrix();
        glMultMatrixf(M);
        JwAxes_xyz(1.0f, (JwColor)frame_color);
      glPopMatrix();
      glColor3fv(path_color);
    }
    prev = cc[i].r;
  }
  LineWidth(1);
}

// the visible obstacles (number k is table entry k - 1), then the sphere of influence around
// each, translucent over what is drawn already: blended, and not hiding what lies behind it
// from later drawing. They are part of the scene, drawn with or without a robot
static void DrawObstacles() {
  for (int i = 0; i < 4; i++) {
    if (!ShowObstacle[i] || !obs[i]) continue;
    glPushMatrix();
      glTranslatef(Obstacle_pos[i][0], Obstacle_pos[i][1], Obstacle_pos[i][2]);
      JwDrawPrimitive(obs[i]);
    glPopMatrix();
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  for (int i = 0; i < 4; i++) {
    if (!ShowObstacle[i] || !soi[i]) continue;
    glPushMatrix();
      glTranslatef(Obstacle_pos[i][0], Obstacle_pos[i][1], Obstacle_pos[i][2]);
      JwDrawPrimitive(soi[i]);
    glPopMatrix();
  }
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
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
    glViewport(0, 0, w, w);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
      switch (Fl::event_button()) {
        case FL_LEFT_MOUSE:
          gamma_cam += 0.005*dx;  theta += 0.005*dy;
          cameraGamma -= 0.75*dx;  cameraTheta -= 0.75*dy;
          break;
        case FL_MIDDLE_MOUSE:
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
    case FL_FOCUS: case FL_UNFOCUS:
      return 1;
    case FL_SHORTCUT:
      if (Fl::event_key() == 'e' && Fl::event_state(FL_CTRL)) return 1;
      if (Fl::event_state(FL_ALT)) break;   // the menu bar's Alt keys
      x_first = Fl::event_x();  y_first = Fl::event_y();
      redraw();   // any other key: a push of no length
      return 1;
  }
  return Fl_Gl_Window::handle(event);
}

void OpenGL_WIN::InitializeGL() {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  if (conv) return;   // the scene outlives a new context
  conv = DefConveyor(34, 4, 6, 0xff12a8ff);           TranslateThing(conv, 4, -17, 0);
  table = DefTable(6, 6, 3.5f, 0xff12a8ff);           TranslateThing(table, 0, 7.2f, 0);
  surface_T1 = DefSurface(10, 10, 0.5f, 0xffffffff);  TranslateThing(surface_T1, 9, -1.6f, 5);
  surface_T2 = DefSurface(10, 10, 0.5f, 0xffffffff);  TranslateThing(surface_T2, 7, -1.6f, 4.5f);
  pallet = DefPallet(4, 6, 0.8f, 0xffc0c0c0);
  TranslateThing(pallet, 0, 7.2f, 3.5f);  RotThing(pallet, 90, 'z');
  Hole_Flang1 = DefPeg(1.25f, 0.5f, 0xff12a8ff);  TranslateThing(Hole_Flang1, 5, -1.6f, 5);
  Hole_Hubb1 = DefPeg(0.75f, 1.0f, 0xff12a8ff);   TranslateThing(Hole_Hubb1, 5, -1.6f, 5.5f);
  hole1 = DefPeg(0.35f, 1.01f, 0xff12a8ff);       TranslateThing(hole1, 5, -1.6f, 5.5f);
  Hole_Flang2 = DefPeg(1.25f, 0.5f, 0xff12a8ff);  TranslateThing(Hole_Flang2, 5, 0.4f, 5);
  Hole_Hubb2 = DefPeg(0.75f, 1.0f, 0xff12a8ff);   TranslateThing(Hole_Hubb2, 5, 0.4f, 5.5f);
  hole2 = DefPeg(0.35f, 1.01f, 0xff12a8ff);       TranslateThing(hole2, 5, 0.4f, 5.5f);
  fuselage1 = DefFuselage(15, 14, 32, 0xffc0c0c0);
  RotThing(fuselage1, 90, 'x');  TranslateThing(fuselage1, 48, 3, -5);
  fuselage2 = DefFuselage(15, 14, 32, 0xffc0c0c0);
  RotThing(fuselage2, 90, 'x');  TranslateThing(fuselage2, 48, 17, -5);
  batt = DefBattery(0.8f, 0xff1a3dd4, 0xff698080);
  batt2 = DefBattery(0.8f, 0xff1a3dd4, 0xff698080);
  RotThing(batt2, 180, 'y');  TranslateThing(batt2, 0, 0, -0.63f);
  for (int k = 0; k < 5; k++) batt_ani[k] = DefBattery(0.8f, 0xff1a3dd4, 0xff698080);
}

void SetViewCamera(void) {
  double s = ViewScale();
  if (prespectiv_mode) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, 1, 0.1, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    double d = -4*s, ct = cos(theta);
    gluLookAt(d*ct*sin(gamma_cam), d*ct*cos(gamma_cam), d*sin(theta), 0, 0, 0.5*s, 0, 0, ct);
    glTranslatef(-panX*s, -panY*s, -panY*s);
  } else {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(panX - s, panX + s, panY - s, panY + s, -1000, 1000);
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

void OpenGL_WIN::draw() {
  if (firstTime) {
    InitializeGL();
    firstTime = false;
  }
  if (!valid()) {
    InitializeGL();   // a new context starts with default state
    glViewport(0, 0, w(), w());
  }
  glClearColor(bg_red, bg_green, bg_blue, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetViewCamera();
  draw_robot();
}

void OpenGL_WIN::draw_robot() {
  DrawFloor(R, 0xff698080u);
  if (R && !strcmp(R->name, "Puma560") && ShowScene == 1) DrawDemoScene();
  if (R && !strcmp(R->name, "Rezir500")) {
    DrawRezirMarker();
    redraw();
  }
  if (R && JC && R->n > 5 && !strcmp(R->name, "ZireVoro")) JC->q[5] = 180 - JC->q[1];
  DrawWorkspace();
  DrawRobot(R, JC);
  DrawObstacles();
  DrawCTraj(CT);
  DrawJTraj(JT);
}

void OpenGL_WIN::DrawEndEffector(Robot robot) {
  if (robot) DrawDefaultEE(robot);
}

void OpenGL_WIN::DrawRobot(Robot robot, JointConfig jc) {
  if (!robot || !jc) return;
  if (ShowInertialAxes) JwAxes_XYZ(2*robot->avg_len, 0xff0000ffu);
  LineWidth(1);
  glPushMatrix();
    DrawRobotBodies(robot, jc->q, ShowJointAxes, ShowFlangeAxes);
    if (robot->geom_type == 2 && robot->links && !strcmp(robot->name, "Puma560") &&
        ShowScene == 1)
      DrawThing(batt2);
    if (ShowEEAxes) JwAxes_xyz(robot->avg_len, 0xff0000ffu);
    if (ShowPayload && TypePayload == 1 && pay) {
      glPushMatrix();
        glTranslatef(Payload_info[0], Payload_info[1], Payload_info[2]);
        JwDrawPrimitive(pay);
      glPopMatrix();
    }
    if (ShowPayload && TypePayload == 2 && pay_bat) {
      glPushMatrix();
        glTranslatef(Payload_info[0], Payload_info[1], Payload_info[2]);
        glRotatef(180, 1, 0, 0);
        glTranslatef(0, 0, -1);
        DrawThing(pay_bat);
      glPopMatrix();
    }
  glPopMatrix();
}

void OpenGL_WIN::DrawFloor(Robot robot, unsigned long color) { FloorLines(robot, color); }

void OpenGL_WIN::DrawCTraj(CartesianTrajectory ct) {
  if (!ct.active) return;
  DrawPath(ct.ntp, ct.last, ct.ShowPoints, ct.ShowFrames, ct.CC, 20, 0xff00ff00u, nullptr);
}

void OpenGL_WIN::DrawJTraj(JointTrajectory jt) {
  if (!jt.active) return;
  static const float blue[3] = {0, 0, 1};
  DrawPath(jt.ntp, jt.last, jt.ShowPoints, jt.ShowFrames, jt.CC, 10, 0xffc0c0c0u, blue);
}
