// test_desktop.cpp -- covers the main window on a desktop: the view filling the window at any
// size, the whole robot in view after a load, Fit, Home, wheel zoom, the menu's shortcuts with
// the view focused, and the menu titles at the default size
#include <gtest/gtest.h>

#include <FL/Fl_Menu_Bar.H>
#include <FL/fl_draw.H>

#include <vector>

#include "robot/app_state.h"
#include "gui/export/menu_export_gl.h"
#include "gui/robot/robot_dlg.h"
#include "gui_window.h"
#include "links/robot_draw_gl.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

class Desktop : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
    ResetCamera(4);
    theta = gamma_cam = -0.5;
  }
  void TearDown() override {
    window->resize(0, 0, 600, 600 + MenuBarHeight + MessageStripHeight);
    Fl::check();
    UnloadRobot();
    LeaveDataCopy(dir);
  }
};

static void SizeWindow(int w, int h) {
  window->resize(0, 0, w, h);
  Fl::check();
}

// only the robot's bodies, the camera as the view sets it
static void RobotOnly() { DrawRobotBodies(R, JC->q, 0, 1); }

// the box of pixels of the back buffer that are not background: x0, y0, x1, y1 (-1: none)
struct Box { int x0, y0, x1, y1; };
static Box Drawn(int w, int h) {
  std::vector<unsigned char> p((size_t)w*h*3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, p.data());
  Box b = {-1, -1, -1, -1};
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const unsigned char* c = &p[3*((size_t)y*w + x)];
      if (IsBackground({c[0], c[1], c[2]})) continue;
      if (b.x0 < 0 || x < b.x0) b.x0 = x;
      if (x > b.x1) b.x1 = x;
      if (b.y0 < 0) b.y0 = y;
      b.y1 = y;
    }
  return b;
}

// at each size the view takes the whole area between bar and strip, its viewport is all of
// it, and the loaded Puma560 is drawn inside it, clear of every edge, its base (the origin)
// at the point the camera formulas put it for that shape
TEST_F(Desktop, ViewFillsTheWindowAtAnySize) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  const int sizes[][2] = {{MainWindowWidth, MainWindowHeight}, {1000, 700}, {500, 900},
                          {900, 400}};
  for (auto& s : sizes) {
    SizeWindow(s[0], s[1]);
    int w = opengl_window->w(), h = opengl_window->h();
    EXPECT_EQ(w, s[0]);
    EXPECT_EQ(h, s[1] - MenuBarHeight - MessageStripHeight);
    FitView();
    DrawPart(RobotOnly);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[2], w);  EXPECT_EQ(vp[3], h);
    Box b = Drawn(w, h);
    EXPECT_GT(b.x0, 0) << s[0] << "x" << s[1];
    EXPECT_GT(b.y0, 0) << s[0] << "x" << s[1];
    EXPECT_LT(b.x1, w - 1) << s[0] << "x" << s[1];
    EXPECT_LT(b.y1, h - 1) << s[0] << "x" << s[1];
    double o[3] = {0, 0, 0}, px, py;
    ProjectPerspective(o, &px, &py);
    EXPECT_TRUE(px > b.x0 && px < b.x1 && py >= b.y0 - 3 && py < b.y1) << px << " " << py;
  }
}

// the tall REKERROWB at the default size: after the load the whole arm is inside the view;
// orthographic Fit too
TEST_F(Desktop, TallRobotWhollyInViewAfterLoad) {
  SizeWindow(MainWindowWidth, MainWindowHeight);
  ASSERT_NE(NewRobot("REKERROWB"), nullptr);
  EXPECT_GE(scale, 4*R->avg_len - 1e-6);   // never nearer than the usual distance
  int w = opengl_window->w(), h = opengl_window->h();
  DrawPart(RobotOnly);
  Box b = Drawn(w, h);
  EXPECT_GT(b.x0, 0);  EXPECT_GT(b.y0, 0);  EXPECT_LT(b.x1, w - 1);  EXPECT_LT(b.y1, h - 1);
  EXPECT_GT(b.y1 - b.y0, h/4);   // and not a speck
  prespectiv_mode = 0;
  FitView();
  DrawPart(RobotOnly);
  b = Drawn(w, h);
  EXPECT_GT(b.x0, 0);  EXPECT_GT(b.y0, 0);  EXPECT_LT(b.x1, w - 1);  EXPECT_LT(b.y1, h - 1);
  prespectiv_mode = 1;
}

// the wheel: a notch towards the user moves the camera 1.1 times farther, away 1.1 nearer;
// Shift with the left button zooms like the middle one, Ctrl with it pans like the right one
TEST_F(Desktop, WheelAndOneButtonZoom) {
  ResetCamera(4);
  Fl::e_dy = 1;
  EXPECT_EQ(opengl_window->handle(FL_MOUSEWHEEL), 1);
  EXPECT_NEAR(scale, 4.4, 1e-12);
  Fl::e_dy = -1;
  opengl_window->handle(FL_MOUSEWHEEL);
  opengl_window->handle(FL_MOUSEWHEEL);
  EXPECT_NEAR(scale, 4/1.1, 1e-12);
  ResetCamera(4);
  Fl::e_keysym = FL_Button + 1;
  Fl::e_state = FL_SHIFT | FL_BUTTON1;
  Fl::e_x = 100;  Fl::e_y = 100;
  opengl_window->handle(FL_PUSH);
  Fl::e_x = 100;  Fl::e_y = 130;   // 30 down: scale - 0.02*30
  opengl_window->handle(FL_DRAG);
  EXPECT_NEAR(scale, 3.4, 1e-12);  EXPECT_EQ(theta, 0);
  Fl::e_state = FL_CTRL | FL_BUTTON1;
  opengl_window->handle(FL_PUSH);
  Fl::e_x = 80;
  opengl_window->handle(FL_DRAG);
  EXPECT_NEAR(panX, 0.1, 1e-12);  EXPECT_EQ(gamma_cam, 0);
  Fl::e_state = 0;
}

// a key pressed while the view has the focus, as the toolkit delivers it
static void Key(int key, int state) {
  Fl::focus(opengl_window);
  Fl::e_keysym = key;
  Fl::e_state = state;
  Fl::e_text = (char*)"";
  Fl::e_length = 0;
  Fl::handle(FL_KEYBOARD, window);
  Fl::e_state = 0;
}

// each shortcut runs its command with the view focused; 'f' frames the robot, Home restores
// the start angles
TEST_F(Desktop, ShortcutsWorkWithTheViewFocused) {
  struct { int key, state; Fl_Window** win; } keys[] = {
    {'n', FL_CTRL, &new_arch_win}, {'o', FL_CTRL, &arch_win}, {FL_F + 1, 0, &about_win}};
  for (auto& k : keys) {
    if (*k.win) (*k.win)->hide();
    Key(k.key, k.state);
    Fl::check();
    ASSERT_NE(*k.win, nullptr);
    EXPECT_TRUE((*k.win)->visible()) << k.key;
    (*k.win)->hide();
  }
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  Key('e', FL_CTRL);
  ASSERT_NE(export_win, nullptr);
  EXPECT_TRUE(export_win->visible());
  DestroyExportWindow();
  Key('s', FL_CTRL | FL_SHIFT);
  ASSERT_NE(Robot_Save_win, nullptr);
  EXPECT_TRUE(Robot_Save_win->visible());
  Robot_Save_win->hide();
  double fitted = scale;
  scale = 100;  panX = 3;
  Key('f', 0);
  EXPECT_NEAR(scale, fitted, 1e-9);  EXPECT_EQ(panX, 0);
  theta = 0.3;  gamma_cam = 1;  cameraTheta = 5;
  Key(FL_Home, 0);
  EXPECT_EQ(theta, -0.5);  EXPECT_EQ(gamma_cam, -0.5);  EXPECT_EQ(cameraTheta, 20);
}

// every top-level title of the bar fits in the default width (the bar adds 16 pixels to
// each label's width); "Exit" is the Robot menu's last item, with a divider above it
TEST_F(Desktop, MenuTitlesFitAndExitIsLast) {
  int x = 0;
  const Fl_Menu_Item* m = main_menu->menu();
  fl_font(main_menu->textfont(), main_menu->textsize());
  for (const Fl_Menu_Item* it = m; it->label(); it = it->next()) {
    int hh = 0;
    x += it->measure(&hh, main_menu) + 16;
  }
  EXPECT_LE(x, MainWindowWidth);
  const Fl_Menu_Item* robot = main_menu->find_item("&Robot");
  ASSERT_NE(robot, nullptr);
  const Fl_Menu_Item *it = robot + 1, *last = nullptr;
  for (; it->label(); it = it->next()) last = it;
  ASSERT_NE(last, nullptr);
  EXPECT_STREQ(last->label(), "Exit");
  EXPECT_EQ(last->shortcut(), FL_CTRL + 'q');
  const Fl_Menu_Item* before = robot + 1;
  while (before->next() != last) before = before->next();
  EXPECT_TRUE(before->flags & FL_MENU_DIVIDER);
}
