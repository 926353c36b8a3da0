// test_things_gl.cpp -- covers src/scene/things_gl.cpp: a thing drawn where its placement says
#include <gtest/gtest.h>

#include "links_gl_context.h"
#include "scene/things.h"

// a 1 x 2 plate moved by +0.5 in x, seen from above in a 2 x 2 orthographic view, fills
// the right half of the window only; the modelview is left as it was
TEST(ThingsGL, DrawnAtItsPlacementAndMatrixRestored) {
  LinksGLContext();
  glMatrixMode(GL_PROJECTION);
  glOrtho(-1, 1, -1, 1, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  Thing T = DefSurface(1, 2, 0, 0xffffffff);
  EXPECT_EQ(T->DrawProc, &StdThingDrawProc);
  TranslateThing(T, 0.5f, 0, 0);
  glTranslatef(0, 0, 1);
  DrawThing(T);
  float mv[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  EXPECT_EQ(mv[14], 1.0f);
  EXPECT_EQ(mv[12], 0.0f);
  static unsigned char rgb[200*200*3];
  LinksReadPixels(rgb);
  const int row = 100*200*3;
  EXPECT_EQ(rgb[row + 50*3] + rgb[row + 50*3 + 1] + rgb[row + 50*3 + 2], 0);  // left half
  EXPECT_GT(rgb[row + 150*3] + rgb[row + 150*3 + 1] + rgb[row + 150*3 + 2], 0);  // right half
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  DestroyThing(T);
}
