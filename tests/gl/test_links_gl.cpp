// test_links_gl.cpp -- covers src/links/links_gl.cpp and Puma560_gl.cpp
#include <gtest/gtest.h>
#include <GL/glu.h>  // for: gluPerspective(), gluLookAt()
#include <string.h>  // for: memset(), memcmp()

#include "graphics/light.h"
#include "links/Puma560.h"
#include "links/links.h"
#include "links_gl_context.h"

static unsigned char before[200*200*3], after[200*200*3];

// camera on the whole arm (about 12 high), lights on, depth test on
static void Scene() {
  LinksGLContext();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(20, -25, 18, 2, 0, 5, 0, 0, 1);
  JwInitLight();
  for (int k = 11; k <= 17; k++) glCallList(k);
  glEnable(GL_LIGHTING);
  for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
  glEnable(GL_DEPTH_TEST);
}

static void EndScene() {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
}

static int Changed() {
  int n = 0;
  for (int i = 0; i < 200*200*3; i += 3)
    if (memcmp(before + i, after + i, 3) != 0) n++;
  return n;
}

static void ModelView(float m[16], int* depth) {
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, depth);
}

static void ExpectSameModelView(const float m0[16], int d0) {
  float m1[16];
  int d1;
  ModelView(m1, &d1);
  EXPECT_EQ(d0, d1);
  for (int k = 0; k < 16; k++) EXPECT_EQ(m0[k], m1[k]) << k;
}

// the registration puts real drawing functions behind every table entry
TEST(LinksGL, RegistrationFillsTheTable) {
  RegisterModelDrawing();
  for (int i = 0; i < 7; i++) EXPECT_NE(Puma560Links[i], NoDrawLink) << i;
  RegisterModelDrawing();          // a second call changes nothing
  EXPECT_NE(Puma560Links[0], NoDrawLink);
}

// the arm in a pose with its hand: pixels change; every entry and the hand leave the
// modelview matrix and the stack depth as they were
TEST(LinksGL, Puma560WithHandDraws) {
  RegisterModelDrawing();
  Puma560Init(nullptr);
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  Puma560InitEEHand(&ee);
  Scene();
  LinksReadPixels(before);
  static const float a[6] = {0, 4.32f, 0.2f, 0, 0, 0}, b[6] = {6.6f, 1.5f, 0, 4.32f, 0, 0};
  static const float al[6] = {-90, 0, -90, 90, -90, 0}, q[6] = {30, -30, 20, 0, -40, 0};
  float m0[16];
  int d0;
  ModelView(m0, &d0);
  Puma560Links[0]();
  ExpectSameModelView(m0, d0);
  glPushMatrix();
  for (int i = 0; i < 6; i++) {
    glRotatef(q[i], 0, 0, 1);
    float m[16];
    int d;
    ModelView(m, &d);
    Puma560Links[i + 1]();
    ExpectSameModelView(m, d);
    glTranslatef(a[i], 0, b[i]);
    glRotatef(al[i], 1, 0, 0);
  }
  float m[16];
  int d;
  ModelView(m, &d);
  ee.DrawProc(&ee);
  ExpectSameModelView(m, d);
  glPopMatrix();
  ExpectSameModelView(m0, d0);
  LinksReadPixels(after);
  EXPECT_GT(Changed(), 2000);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  EndScene();
  StdDestroyEE(&ee);
  Puma560Destroy(nullptr);
}

// link 5 has no body: calling its entry draws nothing
TEST(LinksGL, Link5DrawsNothing) {
  RegisterModelDrawing();
  Puma560Init(nullptr);
  Scene();
  LinksReadPixels(before);
  Puma560Links[5]();
  LinksReadPixels(after);
  EXPECT_EQ(Changed(), 0);
  Puma560Links[3]();
  LinksReadPixels(after);
  EXPECT_GT(Changed(), 100);
  EndScene();
  Puma560Destroy(nullptr);
}

// close-up of the hand: the opening moves the fingers, so a closed hand draws differently;
// the standard drawer draws the same three solids without the opening
TEST(LinksGL, HandOpeningMovesTheFingers) {
  RegisterModelDrawing();
  EndEffector ee;
  memset(&ee, 0, sizeof(ee));
  Puma560InitEEHand(&ee);
  Scene();
  glLoadIdentity();
  gluLookAt(0, -0.01, 3, 0, 0, 0.2, 0, 1, 0);   // from above, y up the screen
  ee.DrawProc(&ee);
  LinksReadPixels(before);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ee.v[0] = 0;
  ZDrawEE(&ee);
  LinksReadPixels(after);
  EXPECT_GT(Changed(), 50);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  StdDrawEE(&ee);                      // no opening applied: the same as the closed hand
  LinksReadPixels(before);
  EXPECT_EQ(Changed(), 0);
  EndScene();
  StdDestroyEE(&ee);
}
