// anim_win.cpp -- the Export Animation dialog: the loaded trajectory played off screen into
// NAME.gif, NAME.mp4 or NAME.webm in the data folder, with a progress bar and Cancel
#include "gui/export/anim_win.h"

#include <FL/Fl.H>              // for: Fl::check(), Fl::remove_timeout()
#include <FL/Fl_Box.H>          // for: Fl_Box
#include <FL/Fl_Button.H>       // for: Fl_Button
#include <FL/Fl_Check_Button.H> // for: Fl_Check_Button
#include <FL/Fl_Choice.H>       // for: Fl_Choice
#include <FL/Fl_Input.H>        // for: Fl_Input
#include <FL/Fl_Progress.H>     // for: Fl_Progress
#include <FL/Fl_Value_Input.H>  // for: Fl_Value_Input
#include <FL/Fl_Window.H>       // for: Fl_Window
#include <FL/gl.h>              // for: glViewport()
#include <math.h>               // for: isfinite()
#include <stdio.h>              // for: snprintf()
#include <string.h>             // for: strlen()

#include "base/export_name.h"       // for: export_formats
#include "base/file_name.h"         // for: FileNameProblem()
#include "gui/export/anim_export.h" // for: AnimRecord()
#include "gui/shell/hubs.h"
#include "gui/shell/enter_key.h"    // for: EnterPresses()
#include "gui/shell/written.h"      // for: WrittenText()
#include "gui/traj/traj_panels.h"   // for: the playback flags
#include "gui/view/opengl_win.h"    // for: IdleCallback()
#include "kin/ikp.h"                // for: FwdKin()
#include "media/media_writer.h"     // for: MEDIA_SIZE_MIN, MEDIA_FPS_MIN
#include "robot/app_state.h"        // for: R, JC, CC, CT, JT
#include "robot/jconfig.h"          // for: InterpolateConfig_ani

//------------------------------------------------------------------ module state
Fl_Window* anim_win = nullptr;
Fl_Input* anim_name = nullptr;
Fl_Choice* anim_format = nullptr;
Fl_Value_Input *anim_fps = nullptr, *anim_width = nullptr, *anim_height = nullptr;
Fl_Value_Input* anim_every = nullptr;
Fl_Check_Button* anim_trail = nullptr;
Fl_Button *anim_record_b = nullptr, *anim_cancel_b = nullptr;
Fl_Progress* anim_progress = nullptr;
Fl_Box* anim_result = nullptr;

static int anim_joint = 0;         // the trajectory recorded: 1 joint, 0 Cartesian
static int cancel_asked = 0;       // Cancel pressed while recording
static int recording = 0;
static char result_text[WRITTEN_TEXT_MAX] = "";
static char path[64] = "";

//------------------------------------------------------------------ static helpers

// the animation rows of the export table, in order: item k of the choice is row rows[k]
static int AnimationRows(const ExportFormatRow** rows, int max) {
  int n = 0;
  for (int i = 0; i < nexport_formats && n < max; i++)
    if (export_formats[i].animation) rows[n++] = &export_formats[i];
  return n;
}

static void SetResult(const char* text) {
  snprintf(result_text, sizeof(result_text), "%s", text);
  if (anim_result) anim_result->label(result_text);
}

// between frames: the bar, the window's events (Cancel among them)
static int Progress(int done, int total, void*) {
  anim_progress->maximum((float)total);
  anim_progress->value((float)done);
  char text[32];
  snprintf(text, sizeof(text), "%d / %d", done, total);
  anim_progress->copy_label(text);
  AnimOffscreenBind(0);   // a redraw of the view meanwhile goes to its window
  Fl::check();
  opengl_window->make_current();
  AnimOffscreenBind(1);
  return cancel_asked;
}

static void cancel_cb(Fl_Widget*, void*) {
  if (recording) cancel_asked = 1;
  else anim_win->hide();
}

// a whole number from a field within lo..hi; -1 after a message when it is not
static int Whole(Fl_Value_Input* in, int lo, int hi, const char* what) {
  double v = in->value();
  if (!isfinite(v) || v != (int)v || v < lo || v > hi) {
    ShowMessage("Export Animation: %s is a whole number from %d to %d", what, lo, hi);
    return -1;
  }
  return (int)v;
}

// no other motion may change the robot under the recording: playback and moves stop, the
// timer waits
static void StopMotion(void) {
  CT.state = 0;
  JT.state = 0;
  CartTraj_ani_fwd = CartTraj_ani_rev = JointTraj_ani_fwd = JointTraj_ani_rev = false;
  InterpolateConfig_ani = false;
  Fl::remove_timeout(IdleCallback, opengl_window);
}

//------------------------------------------------------------------ public API

void anim_export(void) { AnimExportShow(-1); }

void AnimExportShow(int joint) {
  if (!R) return;
  if (joint < 0) joint = JT.active ? 1 : 0;
  if (!(joint ? JT.active : CT.active)) {
    ShowMessage("Export Animation: load a Cartesian or a joint trajectory first");
    return;
  }
  anim_joint = joint;
  if (!anim_win) anim_export_win();
  anim_width->value(opengl_window->w());
  anim_height->value(opengl_window->h());
  anim_progress->value(0);
  anim_progress->label("");
  SetResult(joint ? "Joint trajectory" : "Cartesian trajectory");
  ShowWindow(anim_win);
}

void anim_export_win(void) {
  anim_win = new Fl_Window(100, 100, 320, 260, "Export Animation");
    anim_name = new Fl_Input(130, 10, 180, 25, "Filename:");
    anim_name->value("Animation");
    anim_format = new Fl_Choice(130, 40, 80, 25, "Format:");
    const ExportFormatRow* rows[8];
    int n = AnimationRows(rows, 8);
    for (int k = 0; k < n; k++) anim_format->add(rows[k]->ext);
    anim_format->value(0);
    anim_fps = new Fl_Value_Input(130, 70, 60, 25, "Frame rate:");
    anim_fps->value(ANIM_FPS_DEFAULT);
    anim_width = new Fl_Value_Input(130, 100, 60, 25, "Size:");
    anim_height = new Fl_Value_Input(210, 100, 60, 25, "x");
    anim_every = new Fl_Value_Input(130, 130, 60, 25, "Every k-th point:");
    anim_every->value(ANIM_EVERY_DEFAULT);
    anim_trail = new Fl_Check_Button(200, 130, 110, 25, "Trail");
    anim_progress = new Fl_Progress(10, 165, 300, 25);
    anim_progress->minimum(0);
    anim_progress->selection_color(FL_BLUE);
    anim_result = new Fl_Box(10, 195, 300, 25, "");
    anim_result->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_WRAP);
    anim_record_b = new Fl_Button(10, 228, 70, 25, "Record");
    anim_record_b->callback(anim_record_cb);
    EnterPresses(anim_name, anim_record_b);
    anim_cancel_b = new Fl_Button(240, 228, 70, 25, "Cancel");
    anim_cancel_b->callback(cancel_cb);
  anim_win->end();
}

void anim_record_cb(Fl_Widget*, void*) {
  if (recording || !R) return;
  int loaded = anim_joint ? JT.active : CT.active;
  if (!loaded) {
    ShowMessage("Export Animation: load a Cartesian or a joint trajectory first");
    return;
  }
  const ExportFormatRow* rows[8];
  int n = AnimationRows(rows, 8), k = anim_format->value();
  const char* ext = rows[k >= 0 && k < n ? k : 0]->ext;
  const char* why = FileNameProblem(anim_name->value(), (int)sizeof(path) - 1 - (int)strlen(ext));
  if (why) {
    ShowMessage("Export Animation: %s", why);
    return;
  }
  double fps = anim_fps->value();
  if (!isfinite(fps) || fps < MEDIA_FPS_MIN || fps > MEDIA_FPS_MAX) {
    ShowMessage("Export Animation: the frame rate lies in %g to %g", MEDIA_FPS_MIN,
                MEDIA_FPS_MAX);
    return;
  }
  int w = Whole(anim_width, MEDIA_SIZE_MIN, MEDIA_SIZE_MAX, "the width");
  int h = w < 0 ? -1 : Whole(anim_height, MEDIA_SIZE_MIN, MEDIA_SIZE_MAX, "the height");
  int every = h < 0 ? -1 : Whole(anim_every, 1, 1000000, "every k-th point");
  if (every < 0) return;
  snprintf(path, sizeof(path), "%s%s", anim_name->value(), ext);
  ClearMessage();
  StopMotion();
  AnimJob job = {path, w, h, fps, every, anim_trail->value(), anim_joint, Progress, nullptr,
                 0, 0, 0};
  recording = 1;
  cancel_asked = 0;
  anim_win->set_modal();
  anim_record_b->deactivate();
  anim_cancel_b->label("Cancel");
  opengl_window->make_current();
  int rc = AnimOffscreenBegin(w, h);
  if (rc == 0) {
    rc = AnimRecord(&job);
    AnimOffscreenEnd();
  }
  opengl_window->make_current();
  glViewport(0, 0, opengl_window->w(), opengl_window->w());
  recording = 0;
  anim_win->set_non_modal();
  anim_record_b->activate();
  Fl::add_timeout(0.1, IdleCallback, opengl_window);
  FwdKin(R, JC, CC);
  UpdateAll();
  gl_win_redraw();
  char text[WRITTEN_TEXT_MAX];
  if (rc == 0) {
    WrittenText(text, "Exported %s", path);
    snprintf(text + strlen(text), sizeof(text) - strlen(text), ": %d frames", job.frames);
    if (job.unreachable)
      snprintf(text + strlen(text), sizeof(text) - strlen(text),
               ", %d of them at points the robot cannot reach", job.unreachable);
    SetResult(text);
    ShowMessage("%s", text);
    printf("%s\n", text);
  } else {
    SetResult(AnimFailure()[0] ? AnimFailure() : "no off-screen buffer for the frames");
    ShowMessage("Export Animation: %s", result_text);
  }
}

void anim_panel_record_cb(Fl_Widget*, void* joint) { AnimExportShow(joint ? 1 : 0); }

const char* AnimExportResult(void) { return result_text; }
