// scene_gl.cpp -- the scene walk: floor, a model's cell, work environment, robot with its end
// effector and payload, obstacles and trajectories; the view, the export dialog, the figure
// command and the gallery all draw through it
#include "scene/scene_gl.h"

#include <GL/gl.h>  // for: GL calls
#include <gl2ps.h>  // for: gl2psLineWidth(), gl2psPointSize()

#include "graphics/axes.h"           // for: JwAxes_xyz()
#include "graphics/light.h"          // for: JwLineMaterial(), JwSetColorOpaque(),
                                     //   JwSetColorOverride()
#include "graphics/primitives.h"     // for: JwDrawPrimitive()
#include "links/links.h"             // for: ModelRow(), SetModelCell()
#include "links/robot_draw_gl.h"     // for: DrawRobotBodies()
#include "robot/app_state.h"         // for: R, JC, CT, JT, the Show... flags, obstacles, payload
#include "scene/coordi_trans.h"      // for: WorkspacePivot()
#include "scene/things.h"            // for: Def...(), DrawThing()
#include "scene/workspace.h"         // for: the work-environment tables
#include "scene/workspace_things.h"  // for: WorkspaceThing()

//------------------------------------------------------------------ module state
// the Puma560's demonstration cell, built on the first frame and kept
static Thing conv, table, pallet, batt, batt2;
static bool cells_registered = false;

static const float path_color[3] = {1.0f, 0.078431375f, 0.5764706f};

//------------------------------------------------------------------ static helpers

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

static void DrawWorkspace(Robot robot, int user_axes, const JwColor* tint) {
  for (int i = 0; i < workspace_number && i < WS_MAX; i++) {
    if (!ShowWorkspace[i]) continue;
    float o[3];
    WorkspacePivot(i, o);   // the reference option the dialog's C, E1, E2 set
    glPushMatrix();
      PlaceObject(i, o);
      JwSetColorOverride(tint ? tint[i] : 0);
      DrawThing(WorkspaceThing(i));
      JwSetColorOverride(0);
    glPopMatrix();
    if (user_axes && i == coord_id && robot) {
      glPushMatrix();
        PlaceObject(i, o);
        glTranslatef(o[0], o[1], o[2]);
        JwAxes_xyz_Prime(robot->avg_len, 0xffff901eu);
      glPopMatrix();
    }
  }
}

// the Puma560 demonstration cell: table, conveyor, pallet and two rows of batteries
static int DrawPumaCell(int shown) {
  if (!shown) return 0;
  DrawThing(table);  DrawThing(conv);
  DrawSceneFloor(R, SCENE_FLOOR_COLOR);
  DrawThing(pallet);
  glPushMatrix();
    glTranslatef(-2.262f, 5.706f, 4.3f);
    for (int k = 0; k < 4; k++) { DrawThing(batt);  glTranslatef(0, 0.996f, 0); }
  glPopMatrix();
  glPushMatrix();
    glTranslatef(6, -2.2f, 5.94f);
    for (int k = 0; k < 5; k++) { DrawThing(batt);  glTranslatef(0, -2.712f, 0); }
  glPopMatrix();
  return 0;
}

// the battery the Puma560's hand holds in its cell
static void DrawPumaHeld(void) { DrawThing(batt2); }

// the marker cube of the "Rezir500" cell; it repaints continuously
static int DrawRezirMarker(int) {
  static const float M[16] = {0, 0.8165f, 0.577f, 0,  -0.7071f, -0.4082f, 0.577f, 0,
                              0.7071f, -0.4082f, 0.577f, 0,  0, 0, 0, 1};
  glPushMatrix();
    glMultMatrixf(M);
    glTranslatef(-1, 0, 0);
    JwLineMaterial();
    glColor3f(1, 0, 0);
    ScenePointSize(12);
    glBegin(GL_POINTS);
      glVertex3f(4, 4, 1);  glVertex3f(4, 4, 3);
    glEnd();
    ScenePointSize(1);
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
  return 1;
}

// the cells' things, and their hooks in the registry rows; once
static void RegisterCells(void) {
  if (cells_registered) return;
  cells_registered = true;
  conv = DefConveyor(34, 4, 6, 0xff12a8ff);  TranslateThing(conv, 4, -17, 0);
  table = DefTable(6, 6, 3.5f, 0xff12a8ff);  TranslateThing(table, 0, 7.2f, 0);
  pallet = DefPallet(4, 6, 0.8f, 0xffc0c0c0);
  TranslateThing(pallet, 0, 7.2f, 3.5f);  RotThing(pallet, 90, 'z');
  batt = DefBattery(0.8f, 0xff1a3dd4, 0xff698080);
  batt2 = DefBattery(0.8f, 0xff1a3dd4, 0xff698080);
  RotThing(batt2, 180, 'y');  TranslateThing(batt2, 0, 0, -0.63f);
  SetModelCell("Puma560", DrawPumaCell, DrawPumaHeld);
  SetModelCell("Rezir500", DrawRezirMarker, nullptr);
}

// path through the points' positions; frames every `every` points, not on the first or last
static void DrawPath(int ntp, int last, int show_points, int show_frames,
                     const CartesianConfigRec* cc, int every, unsigned long frame_color,
                     const float* line_color) {
  if (!cc || ntp <= 0) return;
  JwLineMaterial();
  glColor3fv(path_color);
  const double* prev = cc[0].r;
  for (int i = 0; i < ntp; i++) {
    if (show_points) {
      SceneLineWidth(4);
      if (line_color) glColor3fv(line_color);
      glBegin(GL_LINES);
        glVertex3dv(prev);  glVertex3dv(cc[i].r);
      glEnd();
    }
    if (show_frames && i != 0 && i != last && i % every == 0) {
      SceneLineWidth(2);
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
  SceneLineWidth(1);
}

// the visible obstacles (number k is table entry k - 1), then the sphere of influence around
// each, translucent over what is drawn already: blended, and not hiding what lies behind it
// from later drawing. They are part of the scene, drawn with or without a robot
static void DrawObstacles(const JwColor* tint) {
  for (int i = 0; i < 4; i++) {
    if (!ShowObstacle[i] || !obs[i]) continue;
    glPushMatrix();
      glTranslatef(Obstacle_pos[i][0], Obstacle_pos[i][1], Obstacle_pos[i][2]);
      JwSetColorOverride(tint ? tint[i] : 0);
      JwDrawPrimitive(obs[i]);
      JwSetColorOverride(0);
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

void SceneLineWidth(float w) {
  glLineWidth(w);
  gl2psLineWidth(w);
}

void ScenePointSize(float s) {
  glPointSize(s);
  gl2psPointSize(s);
}

void SceneOfState(SceneView* v, int user_axes) {
  v->robot = R;
  v->q = R && JC ? JC->q : nullptr;
  v->ct = &CT;
  v->jt = &JT;
  v->inertial_axes = ShowInertialAxes;
  v->joint_axes = ShowJointAxes;
  v->flange_axes = ShowFlangeAxes;
  v->ee_axes = ShowEEAxes;
  v->cell = ShowScene == 1;
  v->user_axes = user_axes;
  v->part_tint = v->object_tint = v->obstacle_tint = nullptr;
}

int DrawScene(const SceneView* v) {
  RegisterCells();
  int again = 0;
  DrawSceneFloor(v->robot, SCENE_FLOOR_COLOR);
  GeomMatch* row = v->robot ? ModelRow(v->robot->name) : nullptr;
  if (row && row->DrawCell) again = row->DrawCell(v->cell);
  if (row && row->Couple && v->q) row->Couple(v->robot, v->q);
  DrawWorkspace(v->robot, v->user_axes, v->object_tint);
  DrawSceneRobot(v);
  DrawObstacles(v->obstacle_tint);
  DrawSceneCTraj(v->ct);
  DrawSceneJTraj(v->jt);
  return again;
}

void DrawSceneFloor(Robot robot, unsigned long color) {
  float s = robot ? robot->avg_len : 0.5f, L = -10*s;
  JwLineMaterial();
  JwSetColorOpaque((JwColor)color);
  float c = L;
  for (int i = 0; i <= 20; i++) {
    glBegin(GL_LINE_STRIP);  glVertex3f(c, L, 0);  glVertex3f(c, -L, 0);  glEnd();
    glBegin(GL_LINE_STRIP);  glVertex3f(L, c, 0);  glVertex3f(-L, c, 0);  glEnd();
    c += s;
  }
}

void DrawSceneRobot(const SceneView* v) {
  Robot robot = v->robot;
  if (!robot || !v->q) return;
  if (v->inertial_axes) JwAxes_XYZ(2*robot->avg_len, 0xff0000ffu);
  SceneLineWidth(1);
  glPushMatrix();
    SetRobotPartTints(v->part_tint);
    DrawRobotBodies(robot, v->q, v->joint_axes, v->flange_axes);
    SetRobotPartTints(nullptr);
    GeomMatch* row = ModelRow(robot->name);
    if (robot->geom_type == 2 && robot->links && v->cell && row && row->DrawHeld)
      row->DrawHeld();
    if (v->ee_axes) JwAxes_xyz(robot->avg_len, 0xff0000ffu);
    JwSetColorOverride(v->part_tint ? v->part_tint[robot->n + 2] : 0);
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
    JwSetColorOverride(0);
  glPopMatrix();
}

void DrawSceneCTraj(const CartesianTrajectory* ct) {
  if (!ct || !ct->active) return;
  DrawPath(ct->ntp, ct->last, ct->ShowPoints, ct->ShowFrames, ct->CC, 20, 0xff00ff00u, nullptr);
}

void DrawSceneJTraj(const JointTrajectory* jt) {
  if (!jt || !jt->active) return;
  static const float blue[3] = {0, 0, 1};
  DrawPath(jt->ntp, jt->last, jt->ShowPoints, jt->ShowFrames, jt->CC, 10, 0xffc0c0c0u, blue);
}
