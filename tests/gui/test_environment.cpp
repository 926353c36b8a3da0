// test_environment.cpp -- covers the Work Environment dialog, the Load Work Environment list,
// the Obstacle and Payload panels (src/gui/env/workspace_win.cpp, workspace_load_win.cpp,
// obstacle_payload_win.cpp) and what the view draws of them, by driving the real widgets
#include <gtest/gtest.h>

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Slider.H>
#include <math.h>
#include <string.h>

#include "robot/app_state.h"
#include "scene/coordi_trans.h"
#include "graphics/primitives.h"
#include "gui/env/environment.h"
#include "gui/shell/spinner.h"
#include "gui_window.h"
#include "gui/traj/traj_panels.h"
#include "scene/obstacles.h"
#include "load/robot_load.h"
#include "support/data_copy.h"
#include "scene/workspace.h"

//------------------------------------------------------------------ helpers

// text typed into a spinner's entry, then Enter
static void Type(Jw_Spinner* s, const char* text) {
  Fl_Input* in = (Fl_Input*)s->child(0);
  in->value(text);
  in->do_callback();
}
static void Pick(Fl_Input_Choice* c, const char* item) {
  c->value(item);
  c->do_callback();
}
static void Press(Fl_Button* b, int on) {
  if (b->type() == FL_RADIO_BUTTON && on) b->setonly();
  else b->value(on);
  b->do_callback();
}
static void Enter(Fl_Valuator* v, double x) {
  v->value(x);
  v->do_callback();
}

// the largest vertex distance from the origin over a solid's meshes
static double BoundingRadius(JwPrimitive P) {
  double m = 0;
  for (int u = 0; u < P->nu; u++)
    for (int k = 0; k < P->U[u]->nv; k++) {
      const float* v = P->U[u]->V + 4*k;
      m = fmax(m, sqrt(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]));
    }
  return m;
}

class Environment : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(0);
    UnloadRobot();
    for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
    ResetWorkspace();
    Press(centre_chk, 1);
    ShowWorkspaceDialog();
  }
  void TearDown() override {
    ClearCartesianTrajectory(&CT);
    LeaveDataCopy(dir);
  }
};

//------------------------------------------------------------------ Work Environment

// typed dimensions are clamped to [0, 50]; a battery has only its size spinner, in 0.01 steps
TEST_F(Environment, DimensionClampsAndRelabelling) {
  Type(ws_info[0], "60");
  EXPECT_FLOAT_EQ(ws_object_info[0][0], 50);
  EXPECT_DOUBLE_EQ(ws_info[0]->value(), 50);
  Type(ws_info[2], "-5");
  EXPECT_FLOAT_EQ(ws_object_info[0][2], 0);
  Type(ws_info[1], "2.5");
  EXPECT_FLOAT_EQ(ws_object_info[0][1], 2.5f);

  Pick(ws_object_choice, "Battery");
  EXPECT_EQ(WorkspaceType[0], WS_BATTERY);
  EXPECT_FALSE(ws_info[0]->active());  EXPECT_TRUE(ws_info[1]->active());
  EXPECT_DOUBLE_EQ(ws_info[1]->step(), 0.01);
  Pick(ws_object_choice, "SolidCylinder");
  EXPECT_STREQ(ws_info[1]->label(), "Diameter");
  EXPECT_FALSE(ws_info[2]->active());
  Pick(ws_object_choice, "Wardrobe");   // no such type: the object keeps its own
  EXPECT_EQ(WorkspaceType[0], WS_SOLID_CYLINDER);
  EXPECT_STREQ(ws_object_choice->value(), "SolidCylinder");
}

// "Total:" grows with fresh objects, follows into the ID range, and restarts at 1 above 999
TEST_F(Environment, TotalInitialisesAndRestarts) {
  WorkspaceType[2] = WS_PALLET;  ShowWorkspace[2] = 1;  ws_object_pos[2][1] = 7;
  Type(ws_total, "3");
  EXPECT_EQ(workspace_number, 3);
  EXPECT_EQ(WorkspaceType[2], WS_TABLE);  EXPECT_EQ(ShowWorkspace[2], 0);
  EXPECT_FLOAT_EQ(ws_object_pos[2][1], 0);  EXPECT_FLOAT_EQ(ws_object_info[2][1], 1);
  Type(ws_id, "9");                     // clamped to the count
  EXPECT_EQ(Workspace_ID, 2);
  Type(ws_total, "1000");
  EXPECT_EQ(workspace_number, 1);
  EXPECT_DOUBLE_EQ(ws_total->value(), 1);
  EXPECT_EQ(Workspace_ID, 0);
}

// a table at (1, 2, 0), 0.5 high, turned 90 degrees about z: the path point (1, 0, 0) turns
// to (0, 1, 0) and lands on the centre of the top, (1, 3, 0.5). "Set" again takes the path
// back and leaves no frame
TEST_F(Environment, SetTwiceRestoresThePath) {
  CartesianConfigRec point;
  memset(&point, 0, sizeof(point));
  point.r[0] = 1;
  CT.CC = &point;  CT.ntp = 1;
  Type(ws_pos[0], "1");  Type(ws_pos[1], "2");  Type(ws_info[2], "0.5");
  Pick(ws_rot_axis, "z");
  Enter(ws_rot_angle, 90);
  EXPECT_FLOAT_EQ(WorkspaceAngle[0][2], 90);

  Press(ws_set, 1);
  EXPECT_EQ(coord_id, 0);
  EXPECT_STREQ(ws_coord_id->value(), "1");
  EXPECT_NEAR(point.r[0], 1, 1e-6);  EXPECT_NEAR(point.r[1], 3, 1e-6);
  EXPECT_NEAR(point.r[2], 0.5, 1e-6);
  Press(edge_1, 1);                     // E1: the corner (-l/2, -w/2) of the top: (0.5, 2.5)
  EXPECT_NEAR(point.r[0], 0.5, 1e-6);  EXPECT_NEAR(point.r[1], 2.5, 1e-6);

  Press(ws_set, 0);
  EXPECT_EQ(coord_id, -1);
  EXPECT_STREQ(ws_coord_id->value(), "0");
  EXPECT_NEAR(point.r[0], 1, 1e-6);  EXPECT_NEAR(point.r[1], 0, 1e-6);
  EXPECT_NEAR(point.r[2], 0, 1e-6);
  CT.CC = nullptr;  CT.ntp = 0;
}

// "save" names the file written only when the file is there; the list shows it (not hidden
// or backup names) and picking it loads it back
TEST_F(Environment, SaveListAndLoad) {
  EXPECT_STREQ(ws_file->value(), "Enviroment");
  ClearMessage();
  ws_file->value(".hidden");
  ws_save->do_callback();
  EXPECT_EQ(std::string(MessageText()).find("Saved"), std::string::npos);
  EXPECT_EQ(ReadTextFile("Workspace/.hidden"), "");

  Type(ws_total, "2");
  Type(ws_id, "2");
  Pick(ws_object_choice, "Conveyor");
  Pick(ws_color_choice, "Blue");
  Press(ws_visible, 1);
  ws_file->value("Enviroment");
  ws_save->do_callback();
  EXPECT_EQ(MessageText(), "Saved " + dir + "/Workspace/Enviroment");
  ASSERT_NE(traj_saved_win, nullptr);   // the "Message" window with "close", as other saves
  EXPECT_TRUE(traj_saved_win->shown());
  EXPECT_STREQ(traj_saved_win->label(), "Message");
  EXPECT_FALSE(Msg && Msg->shown());    // never the bare message window
  traj_saved_win->hide();
  WriteTextFile("Workspace/old~", " 1\n");
  ws_file->value("Enviroment");

  Type(ws_total, "1");
  load_workspace();
  ASSERT_EQ(load_workspace_list->size(), 1);
  EXPECT_STREQ(load_workspace_list->text(1), "Enviroment");
  load_workspace_list->value(1);
  load_workspace_list->do_callback();
  EXPECT_EQ(workspace_number, 2);
  EXPECT_EQ(WorkspaceType[1], WS_CONVEYOR);
  EXPECT_EQ(WorkspaceColor[1], 0xffff0000UL);
  EXPECT_EQ(ShowWorkspace[1], 1);
  load_workspace_win->hide();
}

//------------------------------------------------------------------ Obstacle and Payload

// "Active" clamps to 1..4 and addresses entry k - 1; obstacle 2 moving at x speed 1 is 1.0
// further at point 100; a new radius rebuilds the sphere at that radius
TEST_F(Environment, ObstaclesNumberedMovedAndRebuilt) {
  Enter(obstacle_active, 0);
  EXPECT_EQ(Obstacle_Active, 1);
  EXPECT_DOUBLE_EQ(obstacle_active->value(), 1);
  Enter(obstacle_active, 9);
  EXPECT_EQ(Obstacle_Active, 4);
  Enter(obstacle_active, 2);
  Type(obstacle_spin[0], "0.5");
  Type(obstacle_spin[3], "1");
  EXPECT_FLOAT_EQ(Obstacle_info[1][3], 1);  EXPECT_FLOAT_EQ(Obstacle_info[0][3], 0);
  MoveObstacles(100);
  EXPECT_FLOAT_EQ(Obstacle_pos[1][0], 1.5f);
  MoveObstacles(0);
  EXPECT_FLOAT_EQ(Obstacle_pos[1][0], 0.5f);

  Enter(obstacle_radius, 2.5);
  EXPECT_NEAR(BoundingRadius(obs[1]), 2.5, 1e-5);
  EXPECT_NEAR(BoundingRadius(soi[1]), 2.5*1.2, 1e-5);
  EXPECT_NEAR(BoundingRadius(obs[0]), 1.0, 1e-5);
  Enter(obstacle_radius, 1);
  Type(obstacle_spin[0], "0");  Type(obstacle_spin[3], "0");
}

// "Battery" greys the radius slider, "Sphere" brings it back; on the Puma560 a shown payload
// at (0, 0, 1) in the last link frame moves the pose one unit along the tool's z axis
TEST_F(Environment, PayloadTypeAndOffset) {
  Pick(payload_type, "Battery");
  EXPECT_EQ(TypePayload, 2);
  EXPECT_FALSE(payload_radius->active());
  Pick(payload_type, "Sphere");
  EXPECT_EQ(TypePayload, 1);
  EXPECT_TRUE(payload_radius->active());

  LeaveDataCopy(dir);
  dir = EnterDataCopy(1);
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  double r0[3], z[3];
  for (int k = 0; k < 3; k++) { r0[k] = CC->r[k];  z[k] = CC->Q[k][2]; }
  Type(payload_spin[2], "1");
  EXPECT_NEAR(CC->r[0], r0[0], 1e-9);   // not carried yet: no change
  Press(payload_visible, 1);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(CC->r[k] - r0[k], z[k], 1e-6) << k;
  Press(payload_visible, 0);
  Type(payload_spin[2], "0");
  for (int k = 0; k < 3; k++) EXPECT_NEAR(CC->r[k], r0[k], 1e-9) << k;
  UnloadRobot();
}

//------------------------------------------------------------------ the view

// orthographic side view at scale 4: pixel (300 + 75 y, 300 + 75 z). A 2 x 2 table 1 high
// at the origin has its top (0.12 thick) at row 371; a shown obstacle of radius 1 at z = 1.5
// covers its centre (row 412), its influence sphere (radius 1.2) tints z = 2.6 (row 495) and
// nothing reaches z = 2.8 (row 510)
TEST_F(Environment, ViewShowsTablesAndObstacles) {
  ResetCamera(4);
  prespectiv_mode = 0;
  ShowInertialAxes = 0;
  Type(ws_info[0], "2");  Type(ws_info[1], "2");  Type(ws_info[2], "1");
  Press(ws_visible, 1);
  DrawFrame();
  EXPECT_TRUE(SomethingNear(300, 371, 1));
  Press(ws_visible, 0);
  DrawFrame();
  EXPECT_FALSE(SomethingNear(300, 371, 2));

  Enter(obstacle_active, 1);
  Type(obstacle_spin[2], "1.5");
  Press(obstacle_visible, 1);
  DrawFrame();
  EXPECT_TRUE(SomethingNear(300, 412, 0));
  EXPECT_FALSE(IsBackground(Pixel(300, 495)));
  EXPECT_TRUE(IsBackground(Pixel(300, 510)));
  Press(obstacle_visible, 0);
  DrawFrame();
  EXPECT_FALSE(SomethingNear(300, 412, 2));
  EXPECT_TRUE(IsBackground(Pixel(300, 495)));
  Type(obstacle_spin[2], "0");
  ShowInertialAxes = 1;
  prespectiv_mode = 1;
}
