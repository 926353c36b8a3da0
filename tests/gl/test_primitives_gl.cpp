// test_primitives_gl.cpp -- covers src/graphics/primitives_gl.cpp: drawing every solid
#include <gtest/gtest.h>

#include <FL/Fl.H>            // for: Fl::wait()
#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window
#include <FL/gl.h>            // for: GL calls
#include "gl_display.h"

#include <functional>
#include <vector>

#include "graphics/light.h"
#include "graphics/primitives.h"

//------------------------------------------------------------------ context

static const int kSize = 160;

// draws nothing by itself: each test draws into the back buffer and reads it back
class PrimsTestWindow : public Fl_Gl_Window {
public:
  PrimsTestWindow() : Fl_Gl_Window(kSize, kSize, "solids test") {
    mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
  }
  void draw() override {}
};

// the window shown once, its context current, an orthographic view of [-4, 4]^3
static void PrimsContext() {
  static PrimsTestWindow* win = nullptr;
  if (!win) {
    win = new PrimsTestWindow();
    OpenTestDisplay();
    win->show();
    for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
    Fl::wait(0.05);
  }
  win->make_current();
  glViewport(0, 0, kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-4, 4, -4, 4, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  JwInitLight();
  while (glGetError() != GL_NO_ERROR) {}
}

// number of back-buffer pixels that are not black
static int LitPixels() {
  static unsigned char rgb[kSize*kSize*3];
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  int k = 0;
  for (int i = 0; i < kSize*kSize; i++) k += (rgb[3*i] | rgb[3*i + 1] | rgb[3*i + 2]) != 0;
  return k;
}

//------------------------------------------------------------------ solids

struct GlSolid {
  const char* name;
  std::function<JwPrimitive()> make;
};

static std::vector<GlSolid> Solids() {
  static float T[3][3] = {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
  static float B[3][3] = {{0, 0, -1}, {2, 0, -1}, {0, 2, -1}};
  static float W[4][4] = {{-2, 0, 0, 0}, {-1, 1, 0, 0}, {1, -1, 0.5f, 0}, {2, 0, 0, 0}};
  static float F[5][2] = {{-1, -1}, {1, -1}, {1.5f, 0}, {1, 1}, {-1, 1}};
  static int FF[5] = {1, 2, 0, 2, 1};
  const unsigned long c = 0xffffffffUL;
  return {
    {"cylinder", [=] { return JwDefCylinder(16, 1, 2, 1, c); }},
    {"pivot", [=] { return JwDefPivot(12, 1, 1.5f, 0.5f, 1, c); }},
    {"toroid", [=] { return JwDefToroid(12, 8, 270, 2, 0.5f, 1, c); }},
    {"prism", [=] { return JwDefPrism(2, 1.5f, 1, 1, c); }},
    {"cone", [=] { return JwDefCone(16, 1.5f, 2, 1, c); }},
    {"sphere", [=] { return JwDefSphere(8, 12, 1.5f, 1, c); }},
    {"hemisphere", [=] { return JwDefHemiSphere(4, 12, 1.5f, 1, c); }},
    {"sector", [=] { return JwDefSector(12, 120, 2, 0.5f, 1, c); }},
    {"cylfillet", [=] { return JwDefCylFillet(16, 1.5f, 2, 0.2f, 0.2f, 1, c); }},
    {"prismfillet", [=] { return JwDefPrismFillet(4, 3, 2, 1, 0.4f, 1, c); }},
    {"ring", [=] { return JwDefRing(16, 2, 1, 1, 1, c); }},
    {"squarering", [=] { return JwDefSquareRing(16, 0.8f, 3, 2.5f, 0.4f, 1, c); }},
    {"arc", [=] { return JwDefArc(12, 140, 2, 0.5f, 1, c); }},
    {"support", [=] { return JwDefSupport(16, 0.5f, 0.5f, 1, c); }},
    {"dish", [=] { return JwDefDish(4, 16, 150, 2, 1.7f, 1, c); }},
    {"stump", [=] { return JwDefStump(16, 2, 1, 1.5f, 1, c); }},
    {"elbow", [=] { return JwDefElbow(16, 2, 0.5f, 1, c); }},
    {"elbowpr", [=] { return JwDefElbowPR(16, 2, 0.5f, 1, c); }},
    {"wire", [=] { return JwDefWire(8, W, 4, 0.2f, 0, 1, c); }},
    {"flatcylinder", [=] { return JwDefFlatCylinder(8, 1.5f, 1, 1, c); }},
    {"spherecurve", [=] { return JwDefSphereCurve(8, 6, 2, 0.5f, 1, 120, 1, c); }},
    {"flat", [=] { return JwDefFlat(5, F, FF, 0.5f, 1, c); }},
    {"gusset", [=] { return JwDefGusset(2, 2, 0.3f, 1, c); }},
    {"box", [=] { return JwDefBox(2, 1.5f, 1, 1, c); }},
    {"gripper h", [=] { return JwDefTamsellGripperH(2, 1, c); }},
    {"gripper hfr", [=] { return JwDefTamsellGripperHFR(2, 1, c); }},
    {"finger 1", [=] { return JwDefTamsellGripperF1(2, 1, c); }},
    {"finger 2", [=] { return JwDefTamsellGripperF2(2, 1, c); }},
    {"ujoint", [=] { return JwDefUJointR(12, 0.5f, 0.2f, 1, 0.3f, 2, 1, c); }},
    {"ujoint in", [=] { return JwDefUJointRPinIn(12, 0.5f, 0.2f, 1, 0.3f, 2, 0.2f, 1, c); }},
    {"ujoint out", [=] { return JwDefUJointRPinOut(12, 0.5f, 0.2f, 1, 0.3f, 2, 0.2f, 1, c); }},
    {"motor", [=] { return JwDefMotor(1, 2, 0.5f, 1, c); }},
    {"pyr", [=] { return JwDefPyr(2, 2, 1, 1, 1.5f, 1, c); }},
    {"lomp", [=] { return JwDefLomp(T, B, 3, 1, c); }},
    {"wheel", [=] { return JwDefWheel(2, 0.3f, 8, 1, c, 0xff0000ffUL); }},
    {"tetrahedron", [=] { return JwDefTetrahedron(1.5f, 0.1f, 8, 1, c); }},
  };
}

// every solid, seen from an oblique direction, lights pixels and leaves the modelview
// matrix, the matrix-stack depth and the error state as they were
TEST(PrimsGL, EverySolidDrawsAndKeepsTheModelview) {
  PrimsContext();
  for (const GlSolid& s : Solids()) {
    SCOPED_TRACE(s.name);
    JwPrimitive P = s.make();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glRotatef(30, 1, 0, 0);
    glRotatef(-40, 0, 1, 0);
    glColor3f(1, 1, 1);
    float before[16], after[16];
    GLint depth0 = 0, depth1 = 0;
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
    JwDrawPrimitive(P);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth1);
    for (int k = 0; k < 16; k++) EXPECT_EQ(before[k], after[k]);
    EXPECT_EQ(depth0, depth1);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    EXPECT_GT(LitPixels(), 50);
    JwFreePrimitive(P);
  }
}

// an edit made while a view is set up leaves its matrix and stack depth alone
TEST(PrimsGL, EditsKeepTheModelview) {
  PrimsContext();
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  glPushMatrix();
  glRotatef(20, 0, 0, 1);
  float before[16], after[16];
  GLint depth0 = 0, depth1 = 0;
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
  JwPrimitive P = JwDefSupport(12, 1, 0.5f, 1, 0);
  JwBgnEditPrimitive(P);
    JwEditTranslate(1, 0, 0);
    JwEditRotate(300, 'x');
  JwEndEditPrimitive();
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth1);
  for (int k = 0; k < 16; k++) EXPECT_EQ(before[k], after[k]);
  EXPECT_EQ(depth0, depth1);
  glPopMatrix();
  JwFreePrimitive(P);
}

//------------------------------------------------------------------ materials and colours

static void Specular(float* s, float* shin) {
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, s);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, shin);
}

// material 2 is no list: a solid built with it keeps the current material; material 3
// selects the metal
TEST(PrimsGL, MaterialTwoKeepsTheCurrentMaterial) {
  PrimsContext();
  float s[4], sh;
  JwMatType(JwMatShinyMetal);
  JwPrimitive P = JwDefCylinder(12, 1, 1, 2, 0xff0000ffUL);
  JwDrawPrimitive(P);
  Specular(s, &sh);
  EXPECT_NEAR(s[0], 0.7, 1e-6);
  EXPECT_NEAR(sh, 80, 1e-4);
  JwFreePrimitive(P);
  P = JwDefCylinder(12, 1, 1, JwMatMetal, 0xff0000ffUL);
  JwDrawPrimitive(P);
  Specular(s, &sh);
  EXPECT_NEAR(s[0], 0.1, 1e-6);
  EXPECT_NEAR(sh, 25, 1e-4);
  JwFreePrimitive(P);
}

// a solid of the first group sets its own colour; one of the second group draws in the
// colour that is current
TEST(PrimsGL, ColourGroups) {
  PrimsContext();
  glClear(GL_COLOR_BUFFER_BIT);
  float c[4];
  JwPrimitive cyl = JwDefCylinder(12, 1, 1, 1, 0xff00ff00UL);
  JwDrawPrimitive(cyl);
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_NEAR(c[0], 0, 1e-6);  EXPECT_NEAR(c[1], 63.0/255, 1e-6);
  JwSetColor(0xff0000ffUL);
  JwPrimitive pyr = JwDefPyr(2, 2, 1, 1, 1, 1, 0xff00ff00UL);
  glClear(GL_COLOR_BUFFER_BIT);
  JwDrawPrimitive(pyr);
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_NEAR(c[0], 63.0/255, 1e-6);  EXPECT_NEAR(c[1], 0, 1e-6);
  // the pixels it lit are red only
  static unsigned char rgb[kSize*kSize*3];
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  int red = 0, other = 0;
  for (int i = 0; i < kSize*kSize; i++) {
    if (rgb[3*i] > 0 && rgb[3*i + 1] == 0 && rgb[3*i + 2] == 0) red++;
    else if (rgb[3*i] | rgb[3*i + 1] | rgb[3*i + 2]) other++;
  }
  EXPECT_GT(red, 50);
  EXPECT_EQ(other, 0);
  JwFreePrimitive(cyl);
  JwFreePrimitive(pyr);
}

// in a program with the drawing library every unit is bound to its drawing function
TEST(PrimsGL, UnitsAreBoundToDrawingFunctions) {
  JwPrimitive P = JwDefTetrahedron(1, 0.1f, 6, 1, 0);
  EXPECT_EQ(P->U[0]->Proc, (JwDrawProc)draw_cylinder);
  EXPECT_EQ(P->U[9]->Proc, (JwDrawProc)draw_sphere);
  JwFreePrimitive(P);
  JwDrawPrimitive(nullptr);
}
