// test_light_gl.cpp -- covers src/graphics/light_gl.cpp and light.cpp
#include <gtest/gtest.h>

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
