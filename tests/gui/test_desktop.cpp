// test_desktop.cpp -- covers the main window on a desktop: the view filling the window at any
// size, the whole robot in view after a load, Fit, Home, wheel zoom, the menu's shortcuts with
// the view focused, and the menu titles at the default size
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/fl_draw.H>

#include <vector>

#include "robot/app_state.h"
#include "gui/export/menu_export_gl.h"
#include "gui/robot/robot_dlg.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "gui_window.h"
#include "links/robot_draw_gl.h"
#include "load/robot_load.h"
#include "robot/undo.h"
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

// the answer the test gives to "Save changes to NAME?", and what it was asked
static int answer = LEAVE_CANCEL, asked = 0;
static std::string asked_name;
static int Answer(const char* name) {
  asked++;
  asked_name = name;
  return answer;
}

static std::string ArchFile(const char* name) {
  std::string s, path = std::string("Arch/") + name;
  FILE* f = fopen(path.c_str(), "r");
  char buf[4096];
  size_t k;
  while (f && (k = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, k);
  if (f) fclose(f);
  return s;
}

// a joint limit edited: Exit, Ctrl+Q and the close box ask; Cancel keeps the program and the
// file, Discard lets it end with the file as it was, Save lets it end with the file rewritten
// (the pose as home: th of link 1 becomes 33). Without edits nothing is asked
TEST_F(Desktop, LeavingAsksAboutUnsavedEdits) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  SetLeaveQuestion(Answer);
  asked = 0;
  EXPECT_EQ(LeaveAllowed(), 1);
  EXPECT_EQ(asked, 0);
  ASSERT_NE(LE, nullptr);
  LE[0].min->value(-123);
  joint_limits_min_cb(LE[0].min, (void*)0L);
  JC->q[0] = 33;
  std::string before = ArchFile("Puma560");
  answer = LEAVE_CANCEL;
  RunMenu(MENU_EXIT);
  Key('q', FL_CTRL);
  fl_exit(window, nullptr);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(asked_name, "Puma560");
  EXPECT_TRUE(window->shown());
  EXPECT_EQ(ArchFile("Puma560"), before);
  answer = LEAVE_DISCARD;                       // Exit would end the program now
  EXPECT_EQ(LeaveAllowed(), 1);
  EXPECT_EQ(ArchFile("Puma560"), before);
  answer = LEAVE_SAVE;                          // saved first, then Exit ends the program
  EXPECT_EQ(LeaveAllowed(), 1);
  EXPECT_EQ(R->changed, 0);
  std::string after = ArchFile("Puma560");
  EXPECT_NE(after, before);
  EXPECT_NE(after.find("th = 33.000000"), std::string::npos) << after;
  asked = 0;
  EXPECT_EQ(LeaveAllowed(), 1);                 // saved: no question any more
  EXPECT_EQ(asked, 0);
  SetLeaveQuestion(nullptr);
}

// the real question box: Enter saves, Escape cancels, and its left button discards
static int box_key = 0;
static std::string box_text, box_left, box_title;
static void PressInQuestion(void*) {
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
    if (w == (Fl_Window*)window || w->parent() || !w->modal()) continue;
    box_title = w->label() ? w->label() : "";
    int left = 1 << 30;
    for (int i = 0; i < w->children(); i++) {
      Fl_Widget* c = w->child(i);
      if (c->label() && dynamic_cast<Fl_Box*>(c) && c->w() > 100) box_text = c->label();
      if (dynamic_cast<Fl_Button*>(c) && c->visible() && c->x() < left) {
        left = c->x();
        box_left = c->label() ? c->label() : "";
      }
    }
    if (box_key == 'l') {   // a click on the leftmost button
      for (int i = 0; i < w->children(); i++)
        if (w->child(i)->label() && box_left == w->child(i)->label()) w->child(i)->do_callback();
      return;
    }
    Fl::e_keysym = box_key;
    Fl::e_state = 0;
    Fl::e_text = (char*)(box_key == FL_Escape ? "\033" : "\r");
    Fl::e_length = 1;
    Fl::handle(FL_KEYBOARD, w);
    return;
  }
  Fl::repeat_timeout(0.05, PressInQuestion);   // not up yet
}
static int AskWith(int key) {
  box_key = key;
  box_text.clear();
  Fl::add_timeout(0.05, PressInQuestion);
  int ok = LeaveAllowed();
  Fl::remove_timeout(PressInQuestion);
  return ok;
}

TEST_F(Desktop, QuestionBoxEnterSavesEscapeCancels) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  SetLeaveQuestion(nullptr);
  std::string before = ArchFile("Puma560");
  R->changed = 1;  JC->q[0] = 33;
  EXPECT_EQ(AskWith(FL_Escape), 0);            // Cancel: the program stays, the file too
  EXPECT_EQ(box_text, "Save changes to Puma560?");
  EXPECT_EQ(box_title, "Velmora");
  EXPECT_EQ(ArchFile("Puma560"), before);
  EXPECT_EQ(R->changed, 1);
  EXPECT_EQ(AskWith('l'), 1);                  // the left button is Discard
  EXPECT_EQ(box_left, "Discard");
  EXPECT_EQ(ArchFile("Puma560"), before);
  EXPECT_EQ(AskWith(FL_Enter), 1);             // Enter: saved, then the program may end
  EXPECT_EQ(R->changed, 0);
  EXPECT_NE(ArchFile("Puma560").find("th = 33.000000"), std::string::npos);
}

// Forward Kinematics moves joint 2 to 12.5 and joint 5 to -40.25: Ctrl+Z twice gives back
// the loaded values exactly, with the pose recomputed; Ctrl+Shift+Z brings both moves back;
// 100 moves can all be undone; a load clears the history
TEST_F(Desktop, UndoRedoOfPoseChanges) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  RunMenu(MENU_FORWARD_KIN);
  std::vector<float> home(JC->q, JC->q + R->n);
  double r0[3] = {CC->r[0], CC->r[1], CC->r[2]};
  joint_config_set_q[1]->value(12.5);
  joint_config_set_cb(joint_config_set_q[1], (void*)1L);
  joint_config_set_q[4]->value(-40.25);
  joint_config_set_cb(joint_config_set_q[4], (void*)4L);
  EXPECT_EQ(JC->q[1], 12.5f);  EXPECT_EQ(JC->q[4], -40.25f);
  Key('z', FL_CTRL);
  EXPECT_EQ(JC->q[1], 12.5f);  EXPECT_EQ(JC->q[4], home[4]);
  Key('z', FL_CTRL);
  for (int i = 0; i < R->n; i++) EXPECT_EQ(JC->q[i], home[i]) << i;
  for (int k = 0; k < 3; k++) EXPECT_NEAR(CC->r[k], r0[k], 1e-9);
  EXPECT_NEAR(joint_config_set_q[1]->value(), home[1], 1e-6);   // the panel shows it
  Key('z', FL_CTRL | FL_SHIFT);
  Key('z', FL_CTRL | FL_SHIFT);
  EXPECT_EQ(JC->q[1], 12.5f);  EXPECT_EQ(JC->q[4], -40.25f);
  for (int k = 0; k < 100; k++) {
    joint_config_set_q[0]->value(k + 1);
    joint_config_set_cb(joint_config_set_q[0], (void*)0L);
  }
  for (int k = 0; k < 100; k++) RunMenu(MENU_UNDO);
  EXPECT_EQ(JC->q[0], home[0]);  EXPECT_EQ(JC->q[4], -40.25f);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  EXPECT_EQ(UndoDepth(), 0);
}

// a dialog opens first to the right of the main window (the next one 30 pixels further right
// and down), never over the view; moved and closed, it reopens where it was left
TEST_F(Desktop, DialogsOpenBesideTheMainWindowAndRemember) {
  HideDialogs();
  window->position(0, 100);   // clear of any panel along the top of the screen
  Fl::check();
  int right = window->x() + window->w();
  Fl_Window* a = new Fl_Window(100, 100, 200, 150, "first");
  a->end();
  Fl_Window* b = new Fl_Window(100, 100, 200, 150, "second");
  b->end();
  ShowWindow(a);
  Fl::check();
  EXPECT_GE(a->x(), right);
  EXPECT_EQ(a->y(), window->y());
  ShowWindow(b);
  Fl::check();
  EXPECT_EQ(b->x(), a->x() + 30);
  EXPECT_EQ(b->y(), a->y() + 30);
  a->position(900, 300);
  a->hide();
  Fl::check();
  ShowWindow(a);
  Fl::check();
  EXPECT_EQ(a->x(), 900);  EXPECT_EQ(a->y(), 300);
  delete a;
  delete b;
}
