// test_view.cpp -- covers src/gui/view/opengl_win.cpp and the robot walk: pixels read back from
// the real view against positions derived in the test from the camera formulas
#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "graphics/light.h"
#include "robot/app_state.h"
#include "gui_window.h"
#include "links/links.h"
#include "load/robot_load.h"
#include "scene/scene_gl.h"
#include "support/data_copy.h"

class View : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureMainWindow();
    UnloadRobot();
    ResetCamera(4);
    ShowInertialAxes = 0;  ShowEEAxes = 0;
  }
  void TearDown() override { ShowInertialAxes = 1;  ShowEEAxes = 1; }
};

// no robot: grid of side 0.5 over [-5, 5]^2 at z = 0. Points on grid lines are drawn where
// the perspective puts them; cell centres show the background colour exactly
TEST_F(View, FloorLinesFallOnProjectedPixels) {
  theta = -0.5;
  DrawFrame();
  for (double c = -1.5; c <= 1.5; c += 0.5) {
    for (double y = -1.0; y <= 1.0; y += 1.0) {
      double p[3] = {c, y + 0.25, 0}, q[3] = {c + 0.25, y + 0.25, 0}, px, py;
      ProjectPerspective(p, &px, &py);
      EXPECT_TRUE(SomethingNear((int)lround(px), (int)lround(py))) << c << " " << y;
      ProjectPerspective(q, &px, &py);
      Rgb bg = Pixel((int)lround(px), (int)lround(py));
      EXPECT_TRUE(IsBackground(bg)) << c << " " << y << ": " << bg.r << "," << bg.g;
    }
  }
  // the clear colour is the background globals: 0.5, 0.3, 0.1 read back as 255 times
  // those within a unit
  Rgb corner = Pixel(5, 540);
  EXPECT_NEAR(corner.r, 127.5, 1);  EXPECT_NEAR(corner.g, 76.5, 1);  EXPECT_NEAR(corner.b, 25.5, 1);
}

// theta = gamma = 0: the eye lies in the floor plane, so the floor is one row. Perspective:
// the centre is 0.5 s above, 4 s away, so the row sits 0.125/tan(20 deg) of the half-height
// below the middle (row 197). Orthographic: the floor is edge-on through the middle (row 300)
// and spans y in [-5, 5] over a half-width of s = 10, so columns 150 to 450
TEST_F(View, PerspectiveAndOrthographicFloorRows) {
  DrawFrame();
  int row = (int)lround(300*(1 - 0.125/tan(20*M_PI/180)));
  EXPECT_EQ(row, 197);
  EXPECT_TRUE(SomethingNear(300, row));
  EXPECT_TRUE(IsBackground(Pixel(300, row + 10)));
  EXPECT_TRUE(IsBackground(Pixel(300, 300)));

  prespectiv_mode = 0;  scale = 10;
  DrawFrame();
  EXPECT_TRUE(SomethingNear(300, 300));
  EXPECT_TRUE(SomethingNear(440, 300));
  EXPECT_FALSE(SomethingNear(470, 300));
  EXPECT_TRUE(IsBackground(Pixel(300, row)));
}

// count bluish pixels (blue well above red) in a square: the Puma560's base is 0x908070
// packed (blue above red); floor, background and the purple arm are not there
static int Bluish(int x, int y, int k) {
  int n = 0;
  for (int dy = -k; dy <= k; dy++)
    for (int dx = -k; dx <= k; dx++) {
      Rgb c = Pixel(x + dx, y + dy);
      if (c.b > c.r + 8 && c.b > c.g) n++;
    }
  return n;
}

TEST_F(View, Puma560BaseColourOnlyWithRobot) {
  std::string dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  EXPECT_EQ(R->geom_type, 2);
  ResetCamera(scale);
  theta = -0.3;
  double base[3] = {0, 0, 1.5}, px, py;   // inside the column of link 1 (b = 6.6)
  ProjectPerspective(base, &px, &py);
  DrawFrame();
  EXPECT_GT(Bluish((int)px, (int)py, 3), 40);
  UnloadRobot();
  DrawFrame();
  EXPECT_EQ(Bluish((int)px, (int)py, 3), 0);
  LeaveDataCopy(dir);
}

// one prismatic link, generic down geometry, orthographic from the side (cameraTheta =
// cameraGamma = 0): world z is the screen's vertical, 75 pixels per unit at scale 4
static Robot rod_robot;
static JointConfig rod_jc;
static void DrawRod() {
  SceneView v;
  SceneOfState(&v, 0);
  v.robot = rod_robot;  v.q = rod_jc->q;
  DrawSceneRobot(&v);
}

TEST_F(View, PrismaticRodSpansFromQToZero) {
  DHRow row = {1, 1.0f, 0.0f, 0.0f, 0.0f, -10, 10};
  rod_robot = RobotFromDH("rod", 1, &row);
  rod_robot->geom_type = 1;   // the up geometry gives prismatic links no bodies
  MakeLinks(1, rod_robot->L, rod_robot->rad, 1);
  rod_jc = JointConfigFromRobot(rod_robot);
  prespectiv_mode = 0;
  rod_jc->q[0] = 0;
  DrawPart(DrawRod);
  EXPECT_FALSE(SomethingNear(300, 300 - 75, 2));          // z = -1: no rod at q = 0
  rod_jc->q[0] = -2;
  DrawPart(DrawRod);
  EXPECT_TRUE(SomethingNear(300, 300 - 75, 1));           // z = -1
  EXPECT_TRUE(SomethingNear(300, 300 - 112, 1));          // z = -1.5
  EXPECT_FALSE(SomethingNear(300, 300 + 75, 2));          // z = +1: nothing above
  EXPECT_FALSE(SomethingNear(300, 300 - 225, 2));         // z = -3: nothing beyond q
  FreeJointConfig(rod_jc);
  FreeRobot(rod_robot);
}

// 25 points along y, frames on: only points 10 and 20 carry a frame (its z axis rises above
// the point); orthographic side view at scale 8: column 300 + 37.5 y, z axis rows 300..337
static void DrawJT() { DrawSceneJTraj(&JT); }

TEST_F(View, JointTrajectoryFramesEveryTenthPoint) {
  CartesianConfigRec cc[25];
  memset(cc, 0, sizeof(cc));
  for (int i = 0; i < 25; i++) {
    cc[i].r[1] = -6 + 0.5*i;
    for (int k = 0; k < 3; k++) cc[i].Q[k][k] = 1;
  }
  JT.active = 1;  JT.ShowFrames = 1;  JT.ShowPoints = 0;  JT.ntp = 25;  JT.last = 24;
  JT.CC = cc;  JT.JC = nullptr;
  prespectiv_mode = 0;  scale = 8;
  DrawPart(DrawJT);
  for (int i = 1; i < 25; i++) {
    int col = (int)lround(300 + 37.5*(-6 + 0.5*i));
    EXPECT_EQ(SomethingNear(col, 318, 1), i == 10 || i == 20) << "point " << i;
  }
  JT.active = 0;  JT.ntp = 0;  JT.CC = nullptr;
}

// the whole back buffer of the last frame
static std::vector<unsigned char> Frame() {
  std::vector<unsigned char> p((size_t)600*opengl_window->h()*3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 600, opengl_window->h(), GL_RGB, GL_UNSIGNED_BYTE, p.data());
  return p;
}

// the floor and the world axes look the same whatever was drawn before: a frame after state
// left shiny, blue and turned sideways by other drawing is the frame after a frame, pixel for
// pixel; the floor is grey (red = green, blue a little lower, as 0x698080 packs it), and the
// world X axis red
TEST_F(View, FloorAndAxesKeepTheirLookWhateverCameBefore) {
  std::string dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Slide6"), nullptr);
  ResetCamera(scale);
  theta = -0.5;  gamma_cam = -0.5;
  ShowInertialAxes = 1;
  DrawFrame();
  DrawFrame();
  std::vector<unsigned char> after_frame = Frame();
  opengl_window->make_current();
  JwMatType(JwMatShinyMetal);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
  glColor4f(0, 0, 1, 0.3f);
  glNormal3f(1, 0, 0);
  DrawFrame();
  std::vector<unsigned char> after_state = Frame();
  EXPECT_TRUE(after_frame == after_state);
  double line[3] = {-3*R->avg_len, -2.5*R->avg_len, 0}, px, py;
  ProjectPerspective(line, &px, &py);   // on the floor line x = -3 s, away from the robot
  int gx = -1, gy = -1;
  for (int k = 0; k < 9 && gx < 0; k++)
    if (!IsBackground(Pixel((int)px + k % 3 - 1, (int)py + k/3 - 1))) {
      gx = (int)px + k % 3 - 1;  gy = (int)py + k/3 - 1;
    }
  ASSERT_GE(gx, 0);
  Rgb g = Pixel(gx, gy);
  EXPECT_EQ(g.r, g.g);
  EXPECT_LT(g.b, g.r);
  EXPECT_GT(g.b, g.r/2);
  double xaxis[3] = {1.5*R->avg_len, 0, 0};
  ProjectPerspective(xaxis, &px, &py);
  int red = 0;
  for (int k = 0; k < 25; k++) {
    Rgb c = Pixel((int)px + k % 5 - 2, (int)py + k/5 - 2);
    red += c.r > 150 && c.g < 60 && c.b < 60;
  }
  EXPECT_GT(red, 0);
  LeaveDataCopy(dir);
}
