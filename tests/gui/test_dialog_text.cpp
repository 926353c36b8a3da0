// test_dialog_text.cpp -- covers the text a user reads in the dialogs: every short-labelled
// or unlabelled control of the pose, robot, environment and transform windows has a tooltip,
// each number field's naming its unit; no label left of its field is cut by the window edge
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Valuator.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <string>
#include <vector>

#include "robot/app_state.h"
#include "gui/export/anim_win.h"
#include "gui/pose/pose_panels.h"
#include "gui/robot/robot_dlg.h"
#include "gui/shell/spinner.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

// the tooltip shown over w: its own, else the nearest enclosing widget's
static const char* Shown(const Fl_Widget* w) {
  for (; w; w = w->parent())
    if (w->tooltip()) return w->tooltip();
  return nullptr;
}

static std::string Trimmed(const char* s) {
  std::string t = s ? s : "";
  while (!t.empty() && (t.back() == ' ' || t.back() == ':')) t.pop_back();
  while (!t.empty() && t[0] == ' ') t.erase(0, 1);
  return t;
}

static bool NumberField(const Fl_Widget* w) {
  return dynamic_cast<const Jw_Spinner*>(w) || dynamic_cast<const Fl_Valuator*>(w) ||
         (dynamic_cast<const Fl_Input*>(w) && w->type() == FL_FLOAT_INPUT);
}

// the controls of w a user cannot read without help: labels of three characters or fewer,
// or none (the inputs inside a spinner belong to the spinner; an unlabelled field alone in a
// titled frame, such as Description, is named by the frame)
static void Terse(Fl_Group* g, std::vector<Fl_Widget*>* out) {
  bool titled = !g->as_window() && Trimmed(g->label()).size() > 3 && g->children() == 1;
  for (int i = 0; i < g->children(); i++) {
    Fl_Widget* o = g->child(i);
    if (!o->visible() || dynamic_cast<Fl_Box*>(o) || dynamic_cast<Fl_Value_Output*>(o) ||
        dynamic_cast<Fl_Output*>(o) || dynamic_cast<Fl_Text_Display*>(o) ||
        dynamic_cast<Fl_Scrollbar*>(o))
      continue;   // what only shows a value needs no help
    bool spinner = dynamic_cast<Jw_Spinner*>(o) || dynamic_cast<Fl_Input_Choice*>(o);
    if (o->as_group() && !spinner) {
      Terse(o->as_group(), out);
      continue;
    }
    if (dynamic_cast<Fl_Button*>(o) && !dynamic_cast<Fl_Light_Button*>(o) && o->label() &&
        o->label()[0])
      continue;   // push buttons say what they do
    if (titled && Trimmed(o->label()).empty()) continue;
    if (Trimmed(o->label()).size() <= 3 || NumberField(o)) out->push_back(o);
  }
}

class DialogText : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override {
    HideDialogs();
    UnloadRobot();
    LeaveDataCopy(dir);
  }
};

TEST_F(DialogText, EveryTerseControlNamesItsQuantityAndUnit) {
  ASSERT_NE(NewRobot("Slide6"), nullptr);   // has prismatic joints
  int prismatic = -1;
  for (int j = 0; j < R->n; j++)
    if (R->L[j].joint) prismatic = j;
  ASSERT_GE(prismatic, 0);
  RunMenu(MENU_FORWARD_KIN);
  RunMenu(MENU_INVERSE_KIN);
  RunMenu(MENU_JOINT_LIMITS);
  RunMenu(MENU_SET_WORK_ENV);
  RunMenu(MENU_OBSTACLE);
  RunMenu(MENU_PAYLOAD);
  RunMenu(MENU_TRANSFORM_TRAJ);
  RunMenu(MENU_DH_PARAMETER);
  RunMenu(MENU_EDIT_ROBOT);
  link_edit_cb(nullptr, (void*)0);
  arch_new_links->value(3);
  arch_new_cb(nullptr, nullptr);   // Create Robot's parameter grid
  Fl::check();
  const char* titles[] = {"Forward Kinematics", "Inverse Kinematics", "Joint Limits",
                          "Work Environment", "Obstacle", "Payload", "Transform Trajectory",
                          "DH Parameters", "Link Settings", "Create Robot - Parameters"};
  int checked = 0;
  for (const char* title : titles) {
    Fl_Window* win = nullptr;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
      if (Trimmed(w->label()) == title) win = w;
    ASSERT_NE(win, nullptr) << title;
    std::vector<Fl_Widget*> terse;
    Terse(win, &terse);
    EXPECT_FALSE(terse.empty()) << title;
    for (Fl_Widget* c : terse) {
      const char* tip = Shown(c);
      EXPECT_NE(tip, nullptr) << title << ": \"" << (c->label() ? c->label() : "") << "\" at "
                              << c->x() << "," << c->y();
      if (!tip) continue;
      std::string t = tip;
      if (NumberField(c) || dynamic_cast<Fl_Input*>(c)) {
        EXPECT_TRUE(t.find("degrees") != std::string::npos ||
                    t.find("length unit") != std::string::npos ||
                    t.find("Number of") != std::string::npos ||
                    t.find("factor") != std::string::npos)
            << title << ": " << t;
      }
      checked++;
    }
  }
  EXPECT_GT(checked, 60);
  // a joint's value is an angle or a length by its kind, in the panel and the limits
  std::string fk = Shown(joint_config_set_q[prismatic]);
  EXPECT_NE(fk.find("joint " + std::to_string(prismatic + 1)), std::string::npos) << fk;
  EXPECT_NE(fk.find("length unit"), std::string::npos) << fk;
  int revolute = prismatic == 0 ? 1 : 0;
  EXPECT_NE(std::string(Shown(joint_config_set_q[revolute])).find("degrees"), std::string::npos);
  // the DH grid's unlabelled fields take their row's quantity: the twist row is in degrees
  std::string twist = Shown(input_al[0]);
  EXPECT_NE(twist.find("twist"), std::string::npos) << twist;
  EXPECT_NE(twist.find("degrees"), std::string::npos) << twist;
  EXPECT_NE(std::string(Shown(input_a[2])).find("link length"), std::string::npos);
  robot_dlg_destroy(&arch_new_win);
}

// the labels drawn left of their fields start inside the window (a cut one loses its first
// letters: "very k-th point:")
static void LabelsInside(Fl_Group* g, Fl_Window* win, std::vector<std::string>* cut) {
  for (int i = 0; i < g->children(); i++) {
    Fl_Widget* o = g->child(i);
    if (!o->visible()) continue;
    if (o->as_group() && !o->as_window() && !dynamic_cast<Jw_Spinner*>(o))
      LabelsInside(o->as_group(), win, cut);
    const char* l = o->label();
    Fl_Align a = o->align();
    if (!l || !l[0] || (a & FL_ALIGN_INSIDE) || !(a & FL_ALIGN_LEFT) || (a & FL_ALIGN_TOP) ||
        (a & FL_ALIGN_BOTTOM) || o->labeltype() == FL_NO_LABEL)
      continue;
    fl_font(o->labelfont(), o->labelsize());
    int w = 0, h = 0;
    fl_measure(l, w, h, 0);
    int left = o->x() - w;
    if (left < 0) cut->push_back(std::string(win->label()) + ": \"" + l + "\"");
  }
}

TEST_F(DialogText, LabelsLeftOfTheirFieldsStartInsideTheWindow) {
  ASSERT_NE(NewRobot("Puma560"), nullptr);
  const int menus[] = {MENU_FORWARD_KIN, MENU_INVERSE_KIN, MENU_JOINT_LIMITS, MENU_SET_WORK_ENV,
                       MENU_OBSTACLE, MENU_PAYLOAD, MENU_TRANSFORM_TRAJ, MENU_DH_PARAMETER,
                       MENU_EDIT_ROBOT, MENU_END_EFFECTOR, MENU_SET_SYSTEM, MENU_SELECT_CONFIG,
                       MENU_CONDITIONING, MENU_CART_TRAJ, MENU_JOINT_TRAJ, MENU_EXPORT,
                       MENU_EXPORT_ANIMATION, MENU_EXPORT_URDF, MENU_SAVE_AS, MENU_LOAD_WORK_ENV,
                       MENU_ABOUT};
  for (int m : menus) RunMenu(m);
  if (!anim_win) anim_export_win();   // the menu opens it only with a trajectory
  ShowWindow(anim_win);
  Fl::check();
  std::vector<std::string> cut;
  int windows = 0;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
    if (w == (Fl_Window*)window) continue;
    LabelsInside(w, w, &cut);
    windows++;
  }
  EXPECT_GE(windows, 15);
  for (const std::string& c : cut) ADD_FAILURE() << "label cut by the window edge: " << c;
}
