// test_anim_export.cpp -- covers src/gui/export/anim_export.cpp and the animations of the
// figure command: files decoded by giflib and libavcodec, frames compared with still figures
// of the same poses, the solver's failures counted, cancels and bad arguments leaving no file
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "robot/app_state.h"
#include "gui/export/anim_export.h"
#include "gui/export/anim_win.h"
#include "gui/shell/menu_codes.h"
#include "gui/traj/traj_panels.h"
#include <FL/Fl_Input.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Window.H>
#include "gui_window.h"
#include "kin/ikp.h"
#include "load/robot_load.h"
#include "support/data_copy.h"
#include "support/media_decode.h"
#include "traj/traj_file.h"

//------------------------------------------------------------------ helpers

// the figure command with args in the working directory: its status; its output in out.txt
// and err.txt
static int Velmora(const std::string& args) {
  std::string cmd = ProgramCommand() + " --export " + args + " > out.txt 2> err.txt";
  int rc = system(cmd.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// 11 points of the Puma560 from q0 to q1 in equal steps, as Jtraj/Puma560.sweep
static const double q0[6] = {0, -30, 20, 0, 45, 0}, q1[6] = {70, -70, 70, 40, 10, 60};
static std::string PoseArgs(const double* q) {
  std::string s = " --pose";
  for (int j = 0; j < 6; j++) s += " " + std::to_string(q[j]);
  return s;
}
static void WriteSweep() {
  std::string text;
  for (int k = 0; k <= 10; k++) {
    for (int j = 0; j < 6; j++) text += std::to_string(q0[j] + (q1[j] - q0[j])*k/10) + " ";
    text += "\n";
  }
  ASSERT_EQ(WriteTextFile("Jtraj/Puma560.sweep", text), 0);
}

static RgbImage Png(const std::string& path) {
  int w = 0, h = 0;
  RgbImage rgb;
  EXPECT_TRUE(ReadPng(path, &w, &h, &rgb)) << path;
  return rgb;
}

class Animation : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override { dir = EnterDataCopy(1); }
  void TearDown() override { LeaveDataCopy(dir); }
};

//------------------------------------------------------------------ the command

// the built-in helix of 201 points: every 4th point gives (201 - 1)/4 + 1 = 51 GIF frames of
// 600 x 600 whose delays add up to 51/30 s; every 2nd at 24 a second at 320 x 240 gives an
// H.264 MP4 of 101 frames at 24 a second; the name works with or without the robot's
TEST_F(Animation, HelixFrameCountSizeAndRate) {
  ASSERT_EQ(Velmora("helix.gif --traj helix --every 4 FanucS300"), 0) << ReadTextFile("err.txt");
  EXPECT_NE(ReadTextFile("out.txt").find("helix.gif: 51 frames at 30 a second, 600 x 600\n"),
            std::string::npos);
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("helix.gif", &d, {}));
  EXPECT_EQ(d.frames, 51);
  EXPECT_EQ(d.w, 600);  EXPECT_EQ(d.h, 600);
  int cs = 0;
  for (int t : d.delays) cs += t;
  EXPECT_EQ(cs, 170);

  ASSERT_EQ(Velmora("helix.mp4 --traj FanucS300.helix --every 2 --fps 24 --size 320x240 "
                    "FanucS300"), 0) << ReadTextFile("err.txt");
  ASSERT_TRUE(DecodeMedia("helix.mp4", &d, {}));
  EXPECT_EQ(d.frames, 101);
  EXPECT_EQ(d.w, 320);  EXPECT_EQ(d.h, 240);
  EXPECT_NEAR(d.fps, 24, 1e-9);
  EXPECT_EQ(d.codec, "h264");
}

// a joint trajectory of 11 known poses: the first and last frames of the GIF and of the MP4
// match still figures of the same poses with the same path drawn, within the codec's loss;
// the last frame is far from the first figure (the robot did move)
TEST_F(Animation, FirstAndLastFramesMatchStillFigures) {
  WriteSweep();
  std::string common = " --jtraj sweep --view -20 -30 10 --background 0.5 0.3 0.1 Puma560";
  ASSERT_EQ(Velmora("first.png" + PoseArgs(q0) + common), 0) << ReadTextFile("err.txt");
  ASSERT_EQ(Velmora("last.png" + PoseArgs(q1) + common), 0) << ReadTextFile("err.txt");
  RgbImage first = Png("first.png"), last = Png("last.png");
  ASSERT_GT(MeanDifference(first, last), 1.0);
  double far_moved = ShareFar(first, last, 48);
  EXPECT_GT(far_moved, 0.01);
  // the palette rounds to 5 bits a channel; YUV 4:2:0 halves the colour of 1-pixel lines
  const char* files[2] = {"sweep.gif", "sweep.mp4"};
  const double mean_loss[2] = {2.5, 4.0};
  for (int i = 0; i < 2; i++) {
    const char* f = files[i];
    ASSERT_EQ(Velmora(std::string(f) + common), 0) << ReadTextFile("err.txt");
    DecodedMedia d;
    ASSERT_TRUE(DecodeMedia(f, &d));
    EXPECT_EQ(d.frames, 11) << f;
    ASSERT_EQ(d.kept.size(), 2u);
    EXPECT_LT(MeanDifference(d.kept[0], first), mean_loss[i]) << f;
    EXPECT_LT(MeanDifference(d.kept[1], last), mean_loss[i]) << f;
    EXPECT_LT(ShareFar(d.kept[0], first, 48), far_moved/10) << f;
    EXPECT_LT(ShareFar(d.kept[1], last, 48), far_moved/10) << f;
    EXPECT_GT(ShareFar(d.kept[1], first, 48), far_moved/2) << f;
  }
  // the trail: the last frame has pixels of its colour, the first none
  ASSERT_EQ(Velmora("trail.gif --trail" + common), 0) << ReadTextFile("err.txt");
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("trail.gif", &d));
  auto trail_pixels = [](const RgbImage& im) {
    int n = 0;
    for (size_t i = 0; i < im.size(); i += 3)
      n += im[i] > 235 && abs(im[i + 1] - 217) < 12 && im[i + 2] < 25;
    return n;
  };
  EXPECT_EQ(trail_pixels(d.kept[0]), 0);
  EXPECT_GT(trail_pixels(d.kept[1]), 50);
}

// a Cartesian path of 6 points, 3 of them 100 units away: the file is still written, with 6
// frames, and the 3 the solver could not reach are counted
TEST_F(Animation, UnreachablePointsCounted) {
  std::string text;
  const double x[6] = {4.0, 4.1, 100, 100, 100, 4.2};
  for (int k = 0; k < 6; k++)
    text += std::to_string(x[k]) + " 1.5 3.6\n0.819152 0 -0.573576\n0 -1 0\n"
            "-0.573576 0 -0.819152\n";
  ASSERT_EQ(WriteTextFile("Ctraj/Puma560.far", text), 0);
  ASSERT_EQ(Velmora("far.gif --traj far Puma560"), 0) << ReadTextFile("err.txt");
  EXPECT_NE(ReadTextFile("out.txt").find("far.gif: 6 frames"), std::string::npos);
  EXPECT_NE(ReadTextFile("out.txt").find("\n3 of them show points the robot cannot reach\n"),
            std::string::npos) << ReadTextFile("out.txt");
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("far.gif", &d, {}));
  EXPECT_EQ(d.frames, 6);
}

// refused with a message and a non-zero status, and no file (a hidden one neither)
TEST_F(Animation, BadArgumentsRefused) {
  struct { const char* args; int status; const char* says; } bad[] = {
    {"x.gif --traj helix --fps 0 FanucS300", 2, "--fps: the frame rate lies in 1 to 60"},
    {"x.gif --traj helix --fps nan FanucS300", 2, "--fps needs frames a second"},
    {"x.gif --traj helix --size 0x0 FanucS300", 2, "--size: width and height lie in 16 to"},
    {"x.gif --traj helix --size 600 FanucS300", 2, "--size needs WxH"},
    {"x.gif --traj helix --every 0 FanucS300", 2, "--every needs a whole number"},
    {"x.mp4 --traj nosuch FanucS300", 1, "--traj: trajectory nosuch did not load"},
    {"x.webm --jtraj nosuch FanucS300", 1, "--jtraj: trajectory nosuch did not load"},
    {"x.gif FanucS300", 2, "x.gif: an animation needs --traj or --jtraj"},
    {"x.png --traj helix --fps 10 FanucS300", 2, "--fps, --every and --trail belong to"},
  };
  for (auto& b : bad) {
    EXPECT_EQ(Velmora(b.args), b.status) << b.args;
    EXPECT_NE(ReadTextFile("err.txt").find(b.says), std::string::npos)
        << b.args << ": " << ReadTextFile("err.txt");
  }
  ASSERT_EQ(system("ls -A > files.txt"), 0);
  EXPECT_EQ(ReadTextFile("files.txt").find("x."), std::string::npos) << ReadTextFile("files.txt");
}

//------------------------------------------------------------------ the loop in the window

static int cancel_after = 0;
static int CancelAt(int done, int, void*) { return done >= cancel_after; }

// a recording cancelled after 3 frames leaves no file and an old file as it was; the robot's
// pose and the trajectory's recorded solutions are as before; one not cancelled writes every
// frame and leaves them as before too
TEST_F(Animation, CancelLeavesNoFileAndStateAsBefore) {
  EnsureMainWindow();
  ASSERT_NE(NewRobot("FanucS300"), nullptr);
  ASSERT_EQ(LoadCartesianTrajectory(R, "FanucS300.helix", &CT), 0);
  float before[6];
  for (int j = 0; j < 6; j++) before[j] = JC->q[j];
  ASSERT_EQ(WriteTextFile("old.gif", "old"), 0);
  opengl_window->make_current();
  ASSERT_EQ(AnimOffscreenBegin(200, 160), 0);
  AnimJob job = {"old.gif", 200, 160, 30, 1, 0, 0, CancelAt, nullptr, 0, 0, 0};
  cancel_after = 3;
  EXPECT_EQ(AnimRecord(&job), -1);
  EXPECT_EQ(job.cancelled, 1);
  EXPECT_EQ(job.frames, 3);
  EXPECT_STREQ(AnimFailure(), "cancelled: old.gif not written");
  job.path = "new.mp4";
  EXPECT_EQ(AnimRecord(&job), -1);
  job.path = "full.gif";
  job.every = 50;
  cancel_after = 1000;
  EXPECT_EQ(AnimRecord(&job), 0) << AnimFailure();
  EXPECT_EQ(job.frames, 5);
  AnimOffscreenEnd();
  ASSERT_EQ(system("ls -A > files.txt"), 0);
  EXPECT_EQ(ReadTextFile("files.txt").find("new"), std::string::npos);
  EXPECT_EQ(ReadTextFile("files.txt").find(".old"), std::string::npos);
  EXPECT_EQ(ReadTextFile("old.gif"), "old");
  DecodedMedia d;
  EXPECT_TRUE(DecodeMedia("full.gif", &d, {}));
  EXPECT_EQ(d.frames, 5);
  EXPECT_EQ(d.w, 200);
  for (int j = 0; j < 6; j++) EXPECT_EQ(JC->q[j], before[j]);
  for (int k = 0; k < CT.ntp; k++) EXPECT_EQ(CT.JC[k].q[0], -1.0f) << k;
  ClearCartesianTrajectory(&CT);
  UnloadRobot();
}

// the window: the Cartesian panel's "Record" opens the dialog for the helix; every 10th point
// at 300 x 200 writes helix.gif of (201 - 1)/10 + 1 = 21 frames, and the dialog says so
TEST_F(Animation, RecordFromTheWindow) {
  EnsureMainWindow();
  ASSERT_NE(NewRobot("FanucS300"), nullptr);
  menu_cb(nullptr, (void*)(long)MENU_CART_TRAJ);
  Select(cart_traj_select, "FanucS300.helix");
  ASSERT_TRUE(CT.active);
  anim_panel_record_cb(nullptr, (void*)0L);
  ASSERT_NE(anim_win, nullptr);
  ASSERT_TRUE(anim_win->shown());
  anim_name->value("helix");
  anim_every->value(10);
  anim_width->value(300);
  anim_height->value(200);
  anim_record_cb(nullptr, nullptr);
  EXPECT_EQ(AnimExportResult(), "Exported " + dir + "/helix.gif: 21 frames");
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("helix.gif", &d, {}));
  EXPECT_EQ(d.frames, 21);
  EXPECT_EQ(d.w, 300);  EXPECT_EQ(d.h, 200);
  anim_name->value("");
  anim_record_cb(nullptr, nullptr);
  EXPECT_NE(std::string(MessageText()).find("Export Animation: "), std::string::npos);
  anim_win->hide();
  cart_traj_win->hide();
  cart_traj_clear_cb();
  UnloadRobot();
}
