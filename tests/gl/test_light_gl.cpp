// test_light_gl.cpp -- covers src/graphics/light_gl.cpp and light.cpp
#include <gtest/gtest.h>
#include <math.h>

#include "graphics/light.h"
#include "graphics/primitives.h"
#include "links_gl_context.h"

static void CurrentColor(float c[4]) { glGetFloatv(GL_CURRENT_COLOR, c); }

// each byte is shifted down by two bits and divided by 255: 0xff -> 63/255
TEST(LightGL, PackedColoursDecode) {
  LinksGLContext();
  float c[4];
  JwSetColor(0xff0000ffu);
  CurrentColor(c);
  EXPECT_NEAR(c[0], 63.0/255, 1e-6);  EXPECT_NEAR(c[1], 0.0, 1e-6);
  EXPECT_NEAR(c[2], 0.0, 1e-6);       EXPECT_NEAR(c[3], 63.0/255, 1e-6);
  JwSetColor((JwColor)-4144960L);     // 0xffc0c0c0 written as a signed value
  CurrentColor(c);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(c[k], 48.0/255, 1e-6);
  EXPECT_NEAR(c[3], 63.0/255, 1e-6);
  JwMatColor(0xff12a8ffu);            // orange: r 0xff, g 0xa8, b 0x12
  CurrentColor(c);
  EXPECT_NEAR(c[0], 63.0/255, 1e-6);  EXPECT_NEAR(c[1], 42.0/255, 1e-6);
  EXPECT_NEAR(c[2], 4.0/255, 1e-6);   EXPECT_NEAR(c[3], 63.0/255, 1e-6);
  JwMatColor(0);
  CurrentColor(c);
  for (int k = 0; k < 4; k++) EXPECT_EQ(c[k], 0.0f);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

// the colour drives ambient and diffuse after JwMatColor
TEST(LightGL, MatColorTracksAmbientAndDiffuse) {
  LinksGLContext();
  JwInitLight();
  JwMatType(JwMatMetal);
  JwMatColor(0xff0000ffu);
  GLint mode = 0;
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
  EXPECT_EQ(mode, GL_AMBIENT_AND_DIFFUSE);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  float amb[4];
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, amb);
  EXPECT_NEAR(amb[0], 63.0/255, 1e-6);
  EXPECT_NEAR(amb[1], 0.0, 1e-6);
}

static void ExpectMaterial(float spec, float shin) {
  float s[4], sh = -1;
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, s);
  glGetMaterialfv(GL_BACK, GL_SHININESS, &sh);
  EXPECT_NEAR(s[0], spec, 1e-6);
  EXPECT_NEAR(s[3], 1.0, 1e-6);
  EXPECT_NEAR(sh, shin, 1e-4);
}

// lists 1, 3, 4, 5, 6 select the material table rows; list 2 keeps what is current
TEST(LightGL, MaterialListsAndMaterialTwo) {
  LinksGLContext();
  JwInitLight();
  JwMatType(JwMatShinyMetal);   ExpectMaterial(0.7f, 80);
  JwMatType(2);                 ExpectMaterial(0.7f, 80);
  JwMatType(JwMatMetal);        ExpectMaterial(0.1f, 25);
  JwMatType(2);                 ExpectMaterial(0.1f, 25);
  JwMatType(JwMatMatte);        ExpectMaterial(0.0f, 0);
  JwMatType(JwMatTransparent);  ExpectMaterial(0.7f, 80);
  JwMatType(JwMatDefault);      ExpectMaterial(0.0f, 0);
  GLint mode = 0;
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
  EXPECT_EQ(mode, GL_DIFFUSE);  // a material list sets the colour to drive diffuse only
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

// light lists set the light values in the frame current when called; nothing is enabled
TEST(LightGL, LightListsHoldTheTable) {
  LinksGLContext();
  glDisable(GL_LIGHT1);  glDisable(GL_LIGHT7);
  JwInitLight();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  for (int k = 11; k <= 17; k++) glCallList(k);
  float p[4], d[4], s[4], a[4];
  glGetLightfv(GL_LIGHT1, GL_POSITION, p);
  EXPECT_NEAR(p[0], 8.7, 1e-5);  EXPECT_NEAR(p[1], -5, 1e-5);
  EXPECT_NEAR(p[2], -10, 1e-5);  EXPECT_NEAR(p[3], 0.01, 1e-7);
  glGetLightfv(GL_LIGHT1, GL_SPECULAR, s);
  EXPECT_NEAR(s[0], 3, 1e-6);
  glGetLightfv(GL_LIGHT6, GL_POSITION, p);
  EXPECT_NEAR(p[1], -10, 1e-5);  EXPECT_NEAR(p[2], 7, 1e-5);
  glGetLightfv(GL_LIGHT6, GL_SPECULAR, s);
  EXPECT_NEAR(s[0], 1, 1e-6);
  glGetLightfv(GL_LIGHT5, GL_DIFFUSE, d);
  EXPECT_NEAR(d[0], 1, 1e-6);
  glGetLightfv(GL_LIGHT7, GL_AMBIENT, a);
  EXPECT_NEAR(a[0], 0.25, 1e-6);
  glGetLightfv(GL_LIGHT7, GL_POSITION, p);
  EXPECT_NEAR(p[2], 10, 1e-5);  EXPECT_EQ(p[3], 0.0f);

  // called under a translation, the position moves with the frame
  glPushMatrix();
  glTranslatef(1, 2, 3);
  glCallList(14);
  glPopMatrix();
  glGetLightfv(GL_LIGHT4, GL_POSITION, p);
  EXPECT_NEAR(p[0], 8.7 + 0.01, 1e-4);   // w = 0.01 scales the translation
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

// a solid of material 2 draws with the material that was current, and list 2 is never
// handed out to other code
TEST(LightGL, MaterialTwoSolidKeepsTheMaterial) {
  LinksGLContext();
  JwInitLight();
  EXPECT_TRUE(glIsList(2));
  GLuint fresh = glGenLists(1);
  EXPECT_NE(fresh, 2u);
  glDeleteLists(fresh, 1);
  JwPrimitive box = JwDefPrism(0.5f, 0.5f, 0.5f, 2, 0xff00ff00u);
  JwMatType(JwMatShinyMetal);
  JwDrawPrimitive(box);
  ExpectMaterial(0.7f, 80);
  JwMatType(JwMatMetal);
  JwDrawPrimitive(box);
  ExpectMaterial(0.1f, 25);
  JwFreePrimitive(box);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

//------------------------------------------------------------------ lit solids

// one white directional light from (1, 0, 1) in eye space, nothing else lighting, back
// faces culled: a solid's faces must point outwards and wind counter-clockwise seen from
// outside. Orthographic view of [-2, 2]^2 over 200 pixels.
static void OneLightView() {
  LinksGLContext();
  JwInitLight();
  glMatrixMode(GL_PROJECTION);
  glOrtho(-2, 2, -2, 2, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  for (int k = 1; k < 8; k++) glDisable(GL_LIGHT0 + k);
  const float pos[4] = {1, 0, 1, 0}, white[4] = {1, 1, 1, 1}, none[4] = {0, 0, 0, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, pos);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, none);
  glLightfv(GL_LIGHT0, GL_AMBIENT, none);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  glEnable(GL_DEPTH_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

static void LeaveOneLightView() {
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  const float dflt[4] = {0.2f, 0.2f, 0.2f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dflt);
}

// green byte of the pixel at eye point (x, y)
static int GreenAt(const unsigned char* rgb, double x, double y) {
  int i = (int)((x + 2)*50), j = (int)((y + 2)*50);
  return rgb[3*(200*j + i) + 1];
}

// a white matte solid (colour byte 0xff drawn as 63/255) shows 63 max(N.L, 0) under the
// light, with L = (1, 0, 1)/sqrt(2): brighter on the side facing the light
TEST(LightGL, SolidsAreBrighterOnTheSideFacingTheLight) {
  static unsigned char rgb[200*200*3];
  const double s2 = sqrt(2.0);
  // sphere of radius 1.5: at (x, 0) the near surface has N = (x, 0, sqrt(r^2 - x^2))/r
  OneLightView();
  JwPrimitive ball = JwDefSphere(32, 48, 1.5f, JwMatMatte, 0xffffffffu);
  JwDrawPrimitive(ball);
  LinksReadPixels(rgb);
  for (double x : {1.0, -1.0}) {
    double lambert = (x + sqrt(1.5*1.5 - x*x))/(1.5*s2);
    EXPECT_NEAR(GreenAt(rgb, x, 0), 63*lambert, 3) << "sphere at x = " << x;
  }
  EXPECT_GT(GreenAt(rgb, 1, 0), GreenAt(rgb, -1, 0) + 40);
  JwFreePrimitive(ball);
  LeaveOneLightView();

  // cube of edge 2 turned -30 degrees about y: its +x face (N = (cos 30, 0, sin 30)) covers
  // eye x 0.37 .. 1.37, its +z face (N = (-sin 30, 0, cos 30)) eye x -1.37 .. 0.37
  OneLightView();
  JwPrimitive box = JwDefPrism(2, 2, 2, JwMatMatte, 0xffffffffu);
  glRotatef(-30, 0, 1, 0);
  JwDrawPrimitive(box);
  glLoadIdentity();
  LinksReadPixels(rgb);
  const double c30 = sqrt(3.0)/2;
  EXPECT_NEAR(GreenAt(rgb, 0.9, 0), 63*(c30 + 0.5)/s2, 1.5);
  EXPECT_NEAR(GreenAt(rgb, -0.6, 0), 63*(c30 - 0.5)/s2, 1.5);
  JwFreePrimitive(box);
  LeaveOneLightView();
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}
