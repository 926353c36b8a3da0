// cart_panel.cpp -- the Inverse Kinematics panel in its three layouts, and the "Q" and "J"
// windows that show the orientation matrix and the Jacobian
#include <FL/Fl.H>
#include <FL/Fl_Box.H>           // for: Fl_Box
#include <FL/Fl_Button.H>        // for: Fl_Button
#include <FL/Fl_Group.H>         // for: Fl_Group
#include <FL/Fl_Input.H>         // for: FL_FLOAT_INPUT
#include <FL/Fl_Text_Buffer.H>   // for: Fl_Text_Buffer
#include <FL/Fl_Text_Display.H>  // for: Fl_Text_Display
#include <FL/Fl_Window.H>        // for: Fl_Window
#include <stdlib.h>              // for: malloc(), free()

#include "robot/app_state.h"   // for: R, JC, CC, allRevolute
#include "gui/shell/hubs.h"
#include "gui/pose/pose_panels.h"
#include "gui/shell/spinner.h"
#include "kin/ikp.h"         // for: InvKin(), InvErr(), ConstructQ()
#include "matrix/matrix.h"  // for: JmMatrix(), JmFreeMatrix()
#include "kin/pose_edit.h"   // for: WrapAngle180(), FormatQText(), FormatJText(), JacobianDisplay()

//------------------------------------------------------------------ panel state
Fl_Window* cart_config_win = nullptr;
Jw_Spinner* c_config_pos[3] = {nullptr, nullptr, nullptr};
Jw_Spinner* c_config_ori[3] = {nullptr, nullptr, nullptr};
Fl_Window* q_win = nullptr;
Fl_Window* j_win = nullptr;
Fl_Text_Buffer* buf = nullptr;
Fl_Text_Buffer* buf_j = nullptr;

static Fl_Text_Display* display = nullptr;     // of the Q window
static Fl_Text_Display* display_j = nullptr;   // of the J window
static CartesianConfigRec CCt;                 // CC before an edit
static float* q_before = nullptr;              // JC->q before an edit
static int q_before_n = 0;
static double** jm = nullptr;                  // the J window's matrix, 6 x jm_n
static int jm_n = 0;
static char* j_text = nullptr;                 // and its text
static size_t j_text_size = 0;

static const char* const title_text = "Cartesian Configuration & \nJacobian (J) Display";

//------------------------------------------------------------------ static helpers

// CC and the joints as they are, to come back to after a failed solve
static void Backup() {
  CCt = *CC;
  if (R->n > q_before_n) {
    float* p = (float*)realloc(q_before, (size_t)R->n*sizeof(float));
    if (!p) return;
    q_before = p;
    q_before_n = R->n;
  }
  for (int j = 0; j < R->n; j++) q_before[j] = JC->q[j];
}

static void Solved() {
  ClearMessage();
  ErrStatus = 0;
  UpdateAll();
}

// joints and target back as they were, the solver's result in words on the message line
static void Refused(int rc) {
  *CC = CCt;
  if (q_before_n >= R->n)
    for (int j = 0; j < R->n; j++) JC->q[j] = q_before[j];
  ShowMessage("%s", InvErr(rc));
  ErrStatus = 1;
}

static Fl_Group* Group(int x, int y, int w, int h, const char* label) {
  Fl_Group* g = new Fl_Group(x, y, w, h, label);
  g->box(FL_UP_BOX);
  g->labeltype(FL_ENGRAVED_LABEL);
  g->labelsize(15);
  return g;
}

// three spinners at x 70, 90 x 25, from y on by 30; input type floating point
static void Spinners(Jw_Spinner** s, int y, const char* const* labels, double lo, double hi,
                     double step, const char* format, Fl_Callback* cb) {
  for (int i = 0; i < 3; i++) {
    s[i] = new Jw_Spinner(70, y + 30*i, 90, 25, labels[i]);
    s[i]->range(lo, hi);
    s[i]->type(FL_FLOAT_INPUT);
    s[i]->step(step);
    s[i]->format(format);
    s[i]->callback(cb, (void*)(long)i);
  }
}

static void LoadSpinners(CartesianConfig cc) {
  for (int i = 0; i < 3; i++) {
    if (c_config_pos[i]) c_config_pos[i]->value(cc->r[i]);
    if (c_config_ori[i]) c_config_ori[i]->value(cc->ang[i]);
  }
}

static void BuildQWindow() {
  q_win = new Fl_Window(100, 100, 220, 150, "Q");
    // the nine entries need 200 pixels in a fixed-width font
    display = new Fl_Text_Display(10, 10, 200, 100);
    display->textfont(FL_COURIER);  display->textsize(10);
    buf = new Fl_Text_Buffer(150);
    display->buffer(buf);
  q_win->end();
}

// the J window's width from the joint count, its height from the task kind
static void SizeJWindow(int n, int type) {
  int w = 64*n;
  if (w < 100) w = 100;
  if (w > 600) w = 600;
  int h = type == 0 ? 270 : 190, dh = type == 0 ? 220 : 140;
  if (!j_win) {
    j_win = new Fl_Window(100, 100, w + 40, h, "J");
      display_j = new Fl_Text_Display(10, 10, w + 20, dh);
      buf_j = new Fl_Text_Buffer(1000);
      display_j->buffer(buf_j);
      // a column's heading in 64 pixels of a fixed-width font
      display_j->textfont(FL_COURIER);  display_j->textsize(9);
    j_win->end();
    j_win->resizable(display_j);
  } else {
    j_win->size(w + 40, h);
    display_j->resize(10, 10, w + 20, dh);
  }
}

// layout by task kind: 0 position and orientation, 4 position, 2 orientation
static void BuildPanel(CartesianConfig cc) {
  static const char* const pos_labels[3] = {"x     ", "y     ", "z     "};
  static const char* const ori0_labels[3] = {"Rx     ", "Ry     ", "Rz     "};
  static const char* const ori2_labels[3] = {"Rx    ", "Ry    ", "Rz    "};
  int type = cc->type == 2 || cc->type == 4 ? cc->type : 0;
  int w = 220, h = type == 0 ? 325 : 210;
  double step = 0.05*R->avg_len;
  cart_config_win = new Fl_Window(100, 100, w, h,
                                  type == 0 ? "Inverse Kinematics " : "Inverse Kinematics");
    Fl_Box* title = new Fl_Box(10, 5, 200, 45, title_text);
    title->labelfont(FL_BOLD);  title->labelsize(14);   // 16 would not fit the 200 pixels
    if (type == 0 || type == 4) {
      Fl_Group* g = Group(10, 70, 200, 95, "Position");
        double lim = type == 0 ? 100 : 10;
        Spinners(c_config_pos, 75, pos_labels, -lim, lim, step, "%3.3lf", c_config_pos_cb);
      g->end();
    }
    if (type == 0) {
      Fl_Group* g = Group(10, 185, 200, 100, "Orientation");
        Spinners(c_config_ori, 193, ori0_labels, -180, 180, 1, "%3.3f", c_config_ori_cb);
      g->end();
    } else if (type == 2) {
      Fl_Group* g = Group(10, 70, 200, 95, "Orientation");
        Spinners(c_config_ori, 75, ori2_labels, -180, 180, 3, "%3.2f", c_config_ori_cb);
      g->end();
    }
    if (R->redundant != 0 || !allRevolute) {
      for (int i = 0; i < 3; i++) {
        if (c_config_pos[i]) c_config_pos[i]->deactivate();
        if (c_config_ori[i]) c_config_ori[i]->deactivate();
      }
    }
    Fl_Button* bj = new Fl_Button(w - 200, h - 30, 50, 25, "J");
    bj->callback(cart_config_j_cb);
    Fl_Button* bq = new Fl_Button(w - 140, h - 30, 50, 25, "Q");
    bq->callback(cart_config_q_cb);
    close_win(cart_config_win);
  cart_config_win->end();
}

//------------------------------------------------------------------ public API

void cart_config(CartesianConfig cc) {
  if (!q_win) BuildQWindow();
  if (cart_config_win) Fl::delete_widget(cart_config_win);
  cart_config_win = nullptr;
  for (int i = 0; i < 3; i++) c_config_pos[i] = c_config_ori[i] = nullptr;
  if (!R || !cc) return;
  BuildPanel(cc);
  LoadSpinners(cc);
}

void cart_config_update(CartesianConfig cc) {
  if (!cart_config_win || !cart_config_win->visible() || !cc) return;
  LoadSpinners(cc);
  UpdateQ(cc);
  UpdateJ(cc);
}

// the value is stored as float; a failed solve leaves joints and target as they were
void c_config_pos_cb(Fl_Widget* w, void* i) {
  int k = (int)(long)i;
  if (!R || !JC || !CC) return;
  Backup();
  CC->r[k] = (float)((Jw_Spinner*)w)->value();
  int rc = InvKin(R, JC, CC);
  if (rc >= 0) {
    Solved();
  } else {
    Refused(rc);
  }
  ((Jw_Spinner*)w)->value(CC->r[k]);
  gl_win_redraw();
}

// after a successful solve the angle wraps once into [-180, 180]
void c_config_ori_cb(Fl_Widget* w, void* i) {
  int k = (int)(long)i;
  if (!R || !JC || !CC) return;
  Backup();
  CC->ang[k] = (float)((Jw_Spinner*)w)->value();
  ConstructQ(CC);
  int rc = InvKin(R, JC, CC);
  if (rc >= 0) {
    Solved();
    CC->ang[k] = WrapAngle180(CC->ang[k]);
  } else {
    Refused(rc);
  }
  ((Jw_Spinner*)w)->value(CC->ang[k]);
  gl_win_redraw();
}

void cart_config_q_cb(Fl_Widget*, void*) {
  ShowWindow(q_win);
  UpdateQ(CC);
}

void cart_config_j_cb(Fl_Widget*, void*) {
  if (!R || !CC) return;
  SizeJWindow(R->n, CC->type);
  ShowWindow(j_win);
  UpdateJ(CC);
}

void UpdateQ(CartesianConfig cc) {
  if (!q_win || !q_win->visible() || !cc) return;
  char text[150];
  FormatQText(text, sizeof(text), cc->Q);
  buf->text(text);
}

void UpdateJ(CartesianConfig cc) {
  if (!j_win || !j_win->visible() || !R || !JC || !cc) return;
  if (R->n != jm_n) {
    JmFreeMatrix(jm);
    jm = JmMatrix(6, R->n);
    jm_n = R->n;
  }
  int rows = JacobianDisplay(R, JC, cc, jm);
  size_t need = (size_t)FormatJText(nullptr, 0, jm, rows, R->n) + 1;
  if (need > j_text_size) {
    char* p = (char*)realloc(j_text, need);
    if (!p) return;
    j_text = p;
    j_text_size = need;
  }
  FormatJText(j_text, j_text_size, jm, rows, R->n);
  buf_j->text(j_text);
}

void ShowCartConfig(void) {
  ShowWindow(cart_config_win);
  cart_config_update(CC);
}

void RebuildPosePanels(void) {
  joint_config(JC);
  cart_config(CC);
  if (!R || !CC) {               // nothing left to show
    if (q_win) q_win->hide();
    if (j_win) j_win->hide();
    return;
  }
  if (j_win) SizeJWindow(R->n, CC->type);
  UpdateQ(CC);
  UpdateJ(CC);
}
