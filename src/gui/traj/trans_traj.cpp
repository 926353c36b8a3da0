// trans_traj.cpp -- the Transform Trajectory dialog: move, turn and scale the path of the
// loaded trajectory, then save it as a new Cartesian trajectory file
#include <FL/Fl.H>         // for: Fl::delete_widget()
#include <FL/Fl_Box.H>     // for: Fl_Box
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Group.H>   // for: Fl_Group
#include <FL/Fl_Input.H>   // for: Fl_Input
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "robot/app_state.h"       // for: R, CT, JT
#include "base/fileio.h"          // for: TOK_PATH_MAX
#include "gui/shell/hubs.h"
#include "gui/shell/enter_key.h"  // for: EnterPresses()
#include "gui/shell/spinner.h"
#include "gui/traj/traj_panels.h"
#include "traj/traj_file.h"       // for: TrajSavePath(), WriteCartesianTrajectory()
#include "traj/traj_transform.h"  // for: TransReset(), TransPosition(), TransOrientation()

//------------------------------------------------------------------ module state
Fl_Window* trans_win = nullptr;
Jw_Spinner* m_config_pos[3] = {nullptr, nullptr, nullptr};
Jw_Spinner* m_config_ori[3] = {nullptr, nullptr, nullptr};
Jw_Spinner* m_config_scale = nullptr;
Fl_Input* trans_file_name = nullptr;

//------------------------------------------------------------------ static helpers

static Jw_Spinner* Spinner(int x, int y, const char* label, double lo, double hi, double step,
                           double value, Fl_Callback* cb, long data) {
  Jw_Spinner* s = new Jw_Spinner(x, y, 90, 25, label);
  s->type(FL_FLOAT_INPUT);
  s->format("%3.3f");
  s->range(lo, hi);  s->step(step);  s->value(value);
  s->callback(cb, (void*)data);
  return s;
}

static Fl_Group* Frame(int x, int y, int w, int h, const char* label) {
  Fl_Group* g = new Fl_Group(x, y, w, h, label);
  g->box(FL_ENGRAVED_FRAME);
  g->align(FL_ALIGN_TOP_LEFT);
  return g;
}

static void traj_save_ok(const char* path) {
  if (WriteCartesianTrajectory(path, R, &CT, &JT) != 0) return;   // nothing lost: keep both
  TrajShowSaved("Saved %s", path);
  cart_traj_clear_cb();
  joint_traj_clear_cb();
  gl_win_redraw();
}

static void Build(void) {
  static const char* pos_label[3] = {"x     ", "y     ", "z     "};
  static const char* ori_label[3] = {"Rx     ", "Ry     ", "Rz     "};
  trans_win = new Fl_Window(100, 100, 220, 400, "Transform Trajectory");
    Fl_Box* title = new Fl_Box(10, 5, 200, 25, "Transform Trajectory");
    title->labelfont(FL_BOLD);  title->labelsize(16);
    Fl_Group* g = Frame(10, 50, 200, 95, "Position");
      for (int i = 0; i < 3; i++)
        m_config_pos[i] = Spinner(70, 55 + 30*i, pos_label[i], -100, 100, 1, 0, trans_pos_cb, i);
    g->end();
    g = Frame(10, 165, 200, 100, "Orientation");
      for (int i = 0; i < 3; i++)
        m_config_ori[i] = Spinner(70, 173 + 30*i, ori_label[i], -180, 180, 1, 0, trans_ori_cb, i);
    g->end();
    g = Frame(10, 285, 200, 40, "Scale");
      m_config_scale = Spinner(70, 290, "Scale     ", 0, 10, 0.1, 1, trans_scale_cb, 0);
    g->end();
    trans_file_name = new Fl_Input(70, 330, 90, 25, "Traj File:");
    Fl_Button* save = new Fl_Button(20, 370, 70, 25, "save");
    save->box(FL_PLASTIC_UP_BOX);
    save->callback(traj_save_cb);
    EnterPresses(trans_file_name, save);
    close_win(trans_win);
  trans_win->end();
}

//------------------------------------------------------------------ public API

void trans_pos_ori(void) {
  TransReset();
  // the trajectories stay loaded while this dialog is open (see the timer)
  if (cart_traj_win && cart_traj_win->shown()) cart_traj_win->hide();
  if (joint_traj_win && joint_traj_win->shown()) joint_traj_win->hide();
  if (trans_win) {
    trans_win->hide();
    Fl::delete_widget(trans_win);
  }
  Build();
  ShowWindow(trans_win);
}

void trans_pos_cb(Fl_Widget* w, void* axis) {
  TransPosition((int)(long)axis, ((Jw_Spinner*)w)->value());
  gl_win_redraw();
}

void trans_ori_cb(Fl_Widget* w, void* axis) {
  TransOrientation((int)(long)axis, ((Jw_Spinner*)w)->value());
  gl_win_redraw();
}

void trans_scale_cb(Fl_Widget* w, void*) {
  TransScale(((Jw_Spinner*)w)->value());
  gl_win_redraw();
}

void traj_save_cb(Fl_Widget*, void*) {
  if (!R || !trans_file_name) return;
  char path[TOK_PATH_MAX + 1];
  if (TrajSavePath(path, CTRAJ_DIR, R, trans_file_name->value()) != 0) return;
  if (TrajFileExists(path)) TrajAskOverwrite(trans_win, "ok", "cancel", path, traj_save_ok);
  else traj_save_ok(path);
}
