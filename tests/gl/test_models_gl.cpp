// test_models_gl.cpp -- covers the drawing files of the eight built-in models besides Puma560
#include <gtest/gtest.h>
#include <GL/glu.h>  // for: gluPerspective(), gluLookAt(), gluProject()
#include <math.h>    // for: fabsf()
#include <string.h>  // for: memcmp(), strcmp()

#include "robot/app_state.h"
#include "graphics/light.h"
#include "links/links.h"
#include "links_gl_context.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "support/data_copy.h"

static unsigned char shot[2][200*200*3];

// the offset the view draws for link i (two names have their first one corrected)
static float DrawnB(Robot r, int i) {
  float b = r->L[i].b;
  if (i == 0 && strcmp(r->name, "KERROW") == 0) b += 2.95f - 0.55f;
  if (i == 0 && strcmp(r->name, "Rozivi+Rudov") == 0) b -= 7.5f;
  return b;
}

// the view's walk of a full-geometry robot at jc; every entry must leave the modelview as it
// found it; the tool frame's window position into win
static void DrawWalk(Robot r, JointConfig jc, double win[3]) {
  float m0[16], m1[16];
  glPushMatrix();
  r->links[0]();
  for (int i = 0; i < r->n; i++) {
    Link* l = &r->L[i];
    if (l->joint == 1) {
      glRotatef(l->th, 0, 0, 1);
      glTranslatef(0, 0, jc->q[i]);
    } else {
      glRotatef(jc->q[i], 0, 0, 1);
    }
    glGetFloatv(GL_MODELVIEW_MATRIX, m0);
    r->links[i + 1]();
    glGetFloatv(GL_MODELVIEW_MATRIX, m1);
    EXPECT_EQ(memcmp(m0, m1, sizeof(m0)), 0) << r->name << " link " << i + 1;
    float b = (l->joint == 1) ? 0 : DrawnB(r, i);
    if (l->joint == 0 || i < r->n - 1) glTranslatef(l->a, 0, b);
    glRotatef(l->al, 1, 0, 0);
  }
  if (r->EE.DrawProc) r->EE.DrawProc(&r->EE);
  glMultMatrixf(&r->EE.Qee_gl[0][0]);
  double mv[16], pr[16];
  int vp[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  gluProject(0, 0, 0, mv, pr, vp, &win[0], &win[1], &win[2]);
  glPopMatrix();
}

// pixels differing between the two shots within 12 pixels of (x, y)
static int ChangedNear(double x, double y) {
  int n = 0;
  for (int j = (int)y - 12; j <= (int)y + 12; j++)
    for (int i = (int)x - 12; i <= (int)x + 12; i++)
      if (i >= 0 && i < 200 && j >= 0 && j < 200 &&
          memcmp(shot[0] + 3*(200*j + i), shot[1] + 3*(200*j + i), 3) != 0) n++;
  return n;
}

// each sample robot drawn at home and with its last two joints turned: the bodies follow
// the frames, so the pixels around the tool frame change; nothing is drawn past the tables
TEST(ModelsGL, BodiesFollowTheLastJoints) {
  RegisterModelDrawing();
  std::string dir = EnterDataCopy(1);
  for (int row = 1; row < ngeomlinks; row++) {
    SCOPED_TRACE(geomlinks[row].name);
    for (int k = 0; k <= geomlinks[row].n; k++) EXPECT_NE(geomlinks[row].links[k], NoDrawLink);
    Robot r = ReadRobot(geomlinks[row].name);
    ASSERT_NE(r, nullptr);
    JointConfig jc = JointConfigFromRobot(r);
    R = r;  JC = jc;
    double tool[2][3];
    for (int pose = 0; pose < 2; pose++) {
      if (pose == 1) { jc->q[r->n - 2] += 40;  jc->q[r->n - 1] += 60; }
      if (row == 1) jc->q[5] = 180 - jc->q[1];
      LinksGLContext();
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      gluPerspective(40, 1, 0.1, 500);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      float s = 0;                           // half the stretched length of the chain
      for (int k = 0; k < r->n; k++)
        s += 0.5f*(r->L[k].a + fabsf(r->L[k].joint ? jc->q[k] : DrawnB(r, k)));
      gluLookAt(2.6*s, -3.4*s, 2.4*s, 0.3*s, 0, 0.4*s, 0, 0, 1);
      JwInitLight();
      for (int k = 11; k <= 17; k++) glCallList(k);
      glEnable(GL_LIGHTING);
      for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
      glEnable(GL_DEPTH_TEST);
      DrawWalk(r, jc, tool[pose]);
      LinksReadPixels(shot[pose]);
      glDisable(GL_LIGHTING);
      glDisable(GL_DEPTH_TEST);
    }
    EXPECT_GT(ChangedNear(tool[0][0], tool[0][1]), 20);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    R = nullptr;  JC = nullptr;
    FreeJointConfig(jc);
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeRobot(r);
  }
  LeaveDataCopy(dir);
}
