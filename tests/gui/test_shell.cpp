// test_shell.cpp -- covers the main window, src/gui/shell/menu_dispatch.cpp, the view's mouse
// handling, and the program run end to end
#include <gtest/gtest.h>

#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "robot/app_state.h"
#include "base/data_dir.h"
#include "gui_window.h"
#include "robot/jconfig.h"
#include "load/robot_load.h"
#include "support/data_copy.h"
#include "kin/ikp.h"  // for: CartesianConfigFromRobot()

// Exit ends the program at once with status 0 (a child: it would end the tests too)
TEST(ShellDeathTest, ExitEndsWithStatusZero) {
  EXPECT_EXIT(RunMenu(MENU_EXIT), ::testing::ExitedWithCode(0), "");
}

// one synthetic push at (100, 100) and a drag to (80, 130) with a button: dx = 20, dy = -30
static void Drag(int button) {
  Fl::e_keysym = FL_Button + button;
  Fl::e_x = 100;  Fl::e_y = 100;
  opengl_window->handle(FL_PUSH);
  Fl::e_x = 80;  Fl::e_y = 130;
  opengl_window->handle(FL_DRAG);
}

TEST(Shell, DragChangesTheCameraByButton) {
  EnsureMainWindow();
  ResetCamera(4);
  Drag(1);   // left: gamma +0.005 dx, theta +0.005 dy, orthographic angles -0.75 dx, -0.75 dy
  EXPECT_NEAR(gamma_cam, 0.1, 1e-12);  EXPECT_NEAR(theta, -0.15, 1e-12);
  EXPECT_NEAR(cameraGamma, -15, 1e-12);  EXPECT_NEAR(cameraTheta, 22.5, 1e-12);
  EXPECT_EQ(scale, 4);  EXPECT_EQ(panX, 0);  EXPECT_EQ(panY, 0);
  ResetCamera(4);
  Drag(2);   // middle: scale +0.02 dy
  EXPECT_NEAR(scale, 3.4, 1e-12);  EXPECT_EQ(theta, 0);  EXPECT_EQ(panX, 0);
  ResetCamera(0.3);
  Drag(2);   // not below the lower bound
  EXPECT_NEAR(scale, VIEW_SCALE_MIN, 1e-12);
  ResetCamera(0);
  Drag(2);   // no robot yet (scale 0): from the scale drawn, 2, not from 0
  EXPECT_NEAR(scale, 2 - 0.6, 1e-12);
  ResetCamera(4);
  Drag(3);   // right: panX +0.005 dx, panY -0.005 dy
  EXPECT_NEAR(panX, 0.1, 1e-12);  EXPECT_NEAR(panY, 0.15, 1e-12);  EXPECT_EQ(scale, 4);
  EXPECT_EQ(gamma_cam, 0);  EXPECT_EQ(cameraTheta, 0);
}

static int ShownWindows() {
  int n = 0;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) n++;
  return n;
}

// without a robot the robot commands leave everything as it was; the rest of the menu works
TEST(Shell, RobotCommandsNeedARobot) {
  EnsureMainWindow();
  R = nullptr;
  const int robot_codes[] = {MENU_EDIT_ROBOT, MENU_DH_PARAMETER, MENU_END_EFFECTOR, MENU_SAVE,
    MENU_SAVE_AS, MENU_JOINT_LIMITS, MENU_SELECT_CONFIG, MENU_FORWARD_KIN, MENU_INVERSE_KIN,
    MENU_JOINT_TRAJ, MENU_CART_TRAJ, MENU_TRANSFORM_TRAJ, MENU_CONDITIONING, MENU_SET_WORK_ENV,
    MENU_LOAD_WORK_ENV, MENU_OBSTACLE, MENU_PAYLOAD, MENU_EXPORT};
  const int free_codes[] = {MENU_NEW_ROBOT, MENU_LOAD_ROBOT, MENU_EXIT, MENU_SET_SYSTEM, MENU_ABOUT};
  for (int c : robot_codes) EXPECT_EQ(MenuCodeNeedsRobot(c), 1) << c;
  for (int c : free_codes) EXPECT_EQ(MenuCodeNeedsRobot(c), 0) << c;
  EXPECT_EQ(MenuCodeNeedsRobot(MENU_UNKNOWN), -1);
  ClearMessage();
  double s = scale;
  int shown = ShownWindows();
  for (int c : robot_codes) RunMenu(c);
  RunMenu(MENU_UNKNOWN);
  Fl::check();
  EXPECT_EQ(ShownWindows(), shown);
  EXPECT_EQ(R, nullptr);  EXPECT_EQ(JC, nullptr);  EXPECT_EQ(scale, s);
  EXPECT_STREQ(MessageText(), "");
  RunMenu(MENU_ABOUT);   // About Velmora
  Fl::check();
  EXPECT_TRUE(about_win->visible());
  about_win->hide();
}

// the About box names the data folder in use: here a copy holding Arch, the working directory
TEST(Shell, AboutNamesTheDataFolder) {
  EnsureMainWindow();
  std::string dir = EnterDataCopy(0);
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(DataDirStart(nullptr), 0);
  Fl_Window* old = about_win;
  about();
  std::string shown;
  for (int i = 0; i < about_win->children(); i++) {
    Fl_Output* o = dynamic_cast<Fl_Output*>(about_win->child(i));
    if (o && o->type() == FL_NORMAL_OUTPUT) shown = o->value();
  }
  EXPECT_EQ(shown, "Data folder: " + dir);
  delete about_win;
  about_win = old;
  LeaveDataCopy(dir);
}

// the bar keeps its 30 pixels; the view takes what the window gains
TEST(Shell, ResizeKeepsTheMenuBarHeight) {
  EnsureMainWindow();
  window->resize(0, 0, 800, 700);
  Fl::check();
  EXPECT_EQ(main_menu->h(), 30);
  EXPECT_EQ(main_menu->parent()->h(), 30);
  EXPECT_EQ(opengl_window->y(), 30);
  EXPECT_EQ(opengl_window->h(), 700 - 30 - MessageStripHeight);
  EXPECT_EQ(opengl_window->w(), 800);
  window->resize(0, 0, 600, 600 + MenuBarHeight + MessageStripHeight);
  Fl::check();
}

// a long message is cut to the 128-character line, never past it
TEST(Shell, MessageLineIsBounded) {
  EnsureMainWindow();
  std::string big(500, 'x');
  ShowMessage("Maximum Limit of Joint %d Exceeded %s", 3, big.c_str());
  EXPECT_EQ(strlen(MessageText()), 127u);
  EXPECT_EQ(strncmp(MessageText(), "Maximum Limit of Joint 3 Exceeded x", 35), 0);
  ClearMessage();
  EXPECT_STREQ(MessageText(), "");
}

// a planar arm of two unit links moved from (0, 0) to (40, -20) degrees: the timer plays the
// move in m + 1 ticks, ending on the target with the pose recomputed: (cos 40 + cos 20,
// sin 40 + sin 20, 0)
TEST(Shell, TimerPlaysTheConfigurationMove) {
  EnsureMainWindow();
  DHRow rows[2] = {{0, 1, 0, 0, 0, -180, 180}, {0, 1, 0, 0, 0, -180, 180}};
  R = RobotFromDH("two", 2, rows);
  JC = JointConfigFromRobot(R);
  CC = CartesianConfigFromRobot(R, JC);
  JointConfig target = JointConfigFromRobot(R);
  target->q[0] = 40;  target->q[1] = -20;
  ASSERT_EQ(InterpolateConfig(JC, target, R), 0);
  int frames = m, ticks = 0;
  while (InterpolateConfig_ani && ticks < 1000) {
    IdleCallback(opengl_window);
    ticks++;
  }
  Fl::remove_timeout(IdleCallback, opengl_window);
  EXPECT_EQ(ticks, frames + 1);
  EXPECT_NEAR(JC->q[0], 40, 1e-4);  EXPECT_NEAR(JC->q[1], -20, 1e-4);
  const double d = M_PI/180;
  EXPECT_NEAR(CC->r[0], cos(40*d) + cos(20*d), 1e-5);
  EXPECT_NEAR(CC->r[1], sin(40*d) + sin(20*d), 1e-5);
  FreeJointConfig(target);
  UnloadRobot();
}

//------------------------------------------------------------------ the program itself

// the process id a window carries in _NET_WM_PID, or 0
static long WindowPid(Display* d, Window w) {
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  long pid = 0;
  Atom a = XInternAtom(d, "_NET_WM_PID", False);
  if (XGetWindowProperty(d, w, a, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after,
                         &data) == Success && data && n == 1)
    pid = (long)*(unsigned long*)data;
  if (data) XFree(data);
  return pid;
}

// the top-level window of process pid named name, or 0 (other tests show "Velmora " too)
static Window FindWindow(Display* d, const char* name, pid_t pid) {
  Window root = DefaultRootWindow(d), r, p, *kids = nullptr;
  unsigned n = 0;
  Window found = 0;
  if (!XQueryTree(d, root, &r, &p, &kids, &n)) return 0;
  for (unsigned i = 0; i < n && !found; i++) {
    char* title = nullptr;
    if (XFetchName(d, kids[i], &title) && title) {
      if (!strcmp(title, name) && WindowPid(d, kids[i]) == pid) found = kids[i];
      XFree(title);
    }
  }
  if (kids) XFree(kids);
  return found;
}

// velmora Puma560 in a copy of the sample data: a window "Velmora " whose view is not blank; Escape
// leaves it running; closing the window (as a window manager asks) ends it with status 0
TEST(Program, RunsWithARobotAndClosesCleanly) {
  std::string dir = EnterDataCopy(1);   // a load writes posture files beside the robots
  ASSERT_FALSE(dir.empty());
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (!freopen("/dev/null", "w", stdout)) _exit(5);
    execl(VELMORA_PROGRAM, "velmora", "Puma560", (char*)nullptr);
    _exit(4);
  }
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  Window win = 0;
  for (int i = 0; i < 200 && !win; i++) {
    usleep(50000);
    win = FindWindow(d, "Velmora--Puma560+", pid);   // the title a load from the dialog gives
  }
  ASSERT_NE(win, 0u) << "no window titled \"Velmora--Puma560+\"";
  // the desktop's icon for it: the 48 and 128 px images
  Atom type;
  int format;
  unsigned long n = 0, left;
  unsigned char* icon = nullptr;
  XGetWindowProperty(d, win, XInternAtom(d, "_NET_WM_ICON", False), 0, 1 << 20, False,
                     XA_CARDINAL, &type, &format, &n, &left, &icon);
  ASSERT_NE(icon, nullptr) << "no window icon";
  const long* c = (const long*)icon;   // 32-bit items come as longs
  std::vector<int> sizes;
  for (unsigned long k = 0; k + 2 <= n && c[k] > 0 && c[k] == c[k + 1]; k += 2 + c[k]*c[k + 1])
    sizes.push_back((int)c[k]);
  EXPECT_EQ(sizes, (std::vector<int>{48, 128}));
  // the shoulder joint's light hub at (15, 27) of the 48 px PNG, its corner clear
  if (n > 2 + 48*48) {
    EXPECT_EQ(c[2 + 27*48 + 15] & 0xffffffff, 0xffc3ccd6);
    EXPECT_EQ((c[2] >> 24) & 0xff, 0);
  }
  XFree(icon);
  usleep(700000);   // the first frames
  char id[32];
  snprintf(id, sizeof id, "%lu", (unsigned long)win);
  ShellOut(std::string("xdotool key --window ") + id + " Escape");
  usleep(300000);
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "Escape ended the program";

  // other GUI tests may show windows at the same place: move this one clear of them
  ShellOut(std::string("xdotool windowmove ") + id + " 660 400 windowraise " + id);
  usleep(500000);
  std::string shot = "/tmp/velmora_e2e_" + std::to_string(getpid()) + ".png";
  ShellOut(std::string("import -window ") + id + " " + shot);
  std::string colours = ShellOut("convert " + shot + " -format %k info:");
  EXPECT_GT(atoi(colours.c_str()), 50) << "view looks blank: " << colours;
  unlink(shot.c_str());

  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = win;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, win, False, NoEventMask, &e);
  XFlush(d);
  int rc = 0;
  for (int i = 0; i < 100 && (rc = waitpid(pid, &status, WNOHANG)) == 0; i++) usleep(50000);
  if (rc == 0) kill(pid, SIGKILL), waitpid(pid, &status, 0);
  EXPECT_EQ(rc, pid) << "still running after its window was closed";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  XCloseDisplay(d);
  LeaveDataCopy(dir);
}
