// test_axes_gl.cpp -- covers src/graphics/axes_gl.cpp
#include <gtest/gtest.h>

#include "graphics/axes.h"
#include "graphics/light.h"
#include "links_gl_context.h"

static unsigned char rgb[200*200*3];

// count pixels of a pure primary (one channel lit, the others dark) in columns x0 .. 199
static int CountPrimary(int channel, int x0, int y0, int y1) {
  int count = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < 200; x++) {
      const unsigned char* p = &rgb[3*(200*y + x)];
      bool lit = p[channel] > 200;
      bool others = p[(channel + 1) % 3] < 60 && p[(channel + 2) % 3] < 60;
      if (lit && others) count++;
    }
  return count;
}

// view down z over [-2, 2] x [-2, 2]: a unit marker's tips land 50 pixels from the centre
static void ClearAndProject() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2, 2, -2, 2, -2, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// the caller's colour, alpha included, is current again after every marker
TEST(AxesGL, MarkersRestoreTheCurrentColour) {
  LinksGLContext();
  ClearAndProject();
  void (*marker[3])(float, JwColor) = {JwAxes_xyz, JwAxes_XYZ, JwAxes_xyz_Prime};
  for (int round = 0; round < 2; round++) {   // first use builds the font, the second not
    for (int k = 0; k < 3; k++) {
      JwSetColor(0xff0000ffu);
      marker[k](1.0f, 0xff00ff00u);
      float c[4];
      glGetFloatv(GL_CURRENT_COLOR, c);
      EXPECT_NEAR(c[0], 63.0/255, 1e-6);  EXPECT_NEAR(c[1], 0.0, 1e-6);
      EXPECT_NEAR(c[2], 0.0, 1e-6);       EXPECT_NEAR(c[3], 63.0/255, 1e-6);
      EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "marker " << k << " round " << round;
    }
  }
}

// x red to the right, y green upward, labels beyond the tips; z points at the viewer
TEST(AxesGL, AxesAndLabelsWhereExpected) {
  LinksGLContext();
  ClearAndProject();
  JwAxes_xyz(1.0f, 0xff0000ffu);
  LinksReadPixels(rgb);
  // x axis: row 100 from column 100 to 150
  EXPECT_GT(CountPrimary(0, 100, 98, 103), 40);
  // the "x" label starts at 1.13 (column 156), beyond the tip at column 150
  EXPECT_GT(CountPrimary(0, 153, 100, 120), 3);
  // y axis: column 100 rows 100 .. 150, and its label above row 153
  int green_axis = 0, green_label = 0;
  for (int y = 100; y < 200; y++)
    for (int x = 95; x < 125; x++) {
      const unsigned char* p = &rgb[3*(200*y + x)];
      if (p[1] > 200 && p[0] < 60 && p[2] < 60) (y < 150 ? green_axis : green_label)++;
    }
  EXPECT_GT(green_axis, 40);
  EXPECT_GT(green_label, 3);
  // nothing red left of the origin
  int stray = 0;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 95; x++) if (rgb[3*(200*y + x)] > 200) stray++;
  EXPECT_EQ(stray, 0);
}

// the tips follow the requested length on every call
TEST(AxesGL, LengthFollowsEachCall) {
  LinksGLContext();
  ClearAndProject();
  JwAxes_XYZ(0.5f, 0xff0000ffu);
  LinksReadPixels(rgb);
  int far_red = 0;     // past the "X" label (0.57, about 8 pixels wide) up to 1.0: no axis
  for (int x = 140; x < 150; x++)
    if (rgb[3*(200*100 + x)] > 200 || rgb[3*(200*101 + x)] > 200) far_red++;
  EXPECT_EQ(far_red, 0);
  EXPECT_GT(CountPrimary(0, 100, 98, 103), 15);
}
