// robot_save_win.cpp -- Save and Save As of the current robot, with the overwrite question
#include <FL/Fl_Button.H>   // for: Fl_Button
#include <FL/Fl_Input.H>    // for: Fl_Input
#include <FL/Fl_Return_Button.H>  // for: Fl_Return_Button
#include <FL/Fl_Window.H>   // for: Fl_Window
#include <stdio.h>          // for: snprintf()
#include <stdlib.h>         // for: calloc(), free()
#include <unistd.h>         // for: access()

#include "robot/app_state.h"      // for: R, JC
#include "base/fileio.h"         // for: MakePath()
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"  // for: ShowWritten(), WrittenText()
#include "gui/robot/robot_dlg.h"
#include "robot/reader.h"         // for: SaveRobot(), SaveRobotAs()
#include "robot/robot_files.h"    // for: RobotNameProblem(), CopyDescription()

//------------------------------------------------------------------ module state
Fl_Window* Robot_Save_win = nullptr;
Fl_Input* robot_saveas_name = nullptr;
Fl_Window* edit_robot_exist_win = nullptr;
Fl_Window* edit_robot_saved_win = nullptr;

//------------------------------------------------------------------ static helpers

// the limits of the Link Settings windows; NULL arrays after a refusal
typedef struct _SaveLimits_ {
  int* on;
  float (*lim)[2];
} SaveLimits;

static int GetLimits(SaveLimits* s) {
  s->on = (int*)calloc(R->n, sizeof(int));
  s->lim = (float(*)[2])calloc(R->n, sizeof(float[2]));
  if (!s->on || !s->lim || edit_robot_limits(s->on, s->lim) != 0) {
    free(s->on);  free(s->lim);
    return -1;
  }
  return 0;
}

static void FreeLimits(SaveLimits* s) { free(s->on);  free(s->lim); }

// a box placed at the Edit Robot window, where the user works
static void AtEditWindow(Fl_Window* w) {
  if (edit_robot_win) w->position(edit_robot_win->x(), edit_robot_win->y());
}

//------------------------------------------------------------------ public API: Save

void edit_robot_save_cb(void) {
  if (!R || !JC) return;
  SaveLimits s;
  if (GetLimits(&s) != 0) return;
  int rc = SaveRobot(R, JC->q, s.on, s.lim);
  FreeLimits(&s);
  if (rc != 0) {
    robot_dlg_refuse("Unable to write file Arch/%s: nothing saved", R->name);
    return;
  }
  R->changed = 0;   // the file holds the edits now
  UndoAfterSave();
  char path[TOK_PATH_MAX + 1];
  MakePath(path, "Arch", R->name);   // it fitted: the file was written
  edit_robot_saved("Saved %s", path);
}

void edit_robot_saved(const char* format, const char* path) {
  if (!edit_robot_saved_win)
    edit_robot_saved_win = robot_dlg_box(100, 100, 175, "Data Saved", nullptr, nullptr);
  AtEditWindow(edit_robot_saved_win);
  char text[WRITTEN_TEXT_MAX];
  ShowWritten(edit_robot_saved_win, WrittenText(text, format, path));
}

//------------------------------------------------------------------ public API: Save As

void robot_saveas(void) {
  if (!Robot_Save_win) {
    Robot_Save_win = new Fl_Window(100, 100, 250, 100, "Robot Save As");
      robot_saveas_name = new Fl_Input(80, 10, 160, 25, "Filename:");
      robot_saveas_name->box(FL_PLASTIC_DOWN_BOX);
      robot_saveas_name->value("robot");
      // Enter saves; Escape closes the dialog
      Fl_Button* save = new Fl_Return_Button(150, 40, 70, 25, "Save");
      save->callback(robot_saveas_cb);
      close_win(Robot_Save_win);
    Robot_Save_win->end();
  }
  ShowWindow(Robot_Save_win);
}

void robot_saveas_cb(Fl_Widget*, void*) {
  if (!R || !robot_saveas_name) return;
  const char* name = robot_saveas_name->value();
  char path[TOK_PATH_MAX + 1];
  const char* why = RobotNameProblem(name);
  if (why || MakePath(path, "Arch", name) < 0) {
    robot_dlg_refuse("%s", why ? why : "File name is too long");
    return;
  }
  if (access(path, F_OK) == 0) edit_robot_overwrite_message();
  else robot_saveas_ok(0);
}

void edit_robot_overwrite_message(void) {
  if (!edit_robot_exist_win)
    edit_robot_exist_win = robot_dlg_box(100, 100, 175, "Overwrite existing file?",
                                         edit_robot_overwrite_cb, edit_robot_overwrite_cb);
  AtEditWindow(edit_robot_exist_win);
  ShowWindow(edit_robot_exist_win);
}

void edit_robot_overwrite_cb(Fl_Widget*, void* ok) {
  edit_robot_exist_win->hide();
  if (ok) robot_saveas_ok(1);
}

// the file, the description, the saved robot loaded in place of the old, then the
// confirmation naming the file
void robot_saveas_ok(int overwritten) {
  if (!R || !JC || !robot_saveas_name) return;
  char name[ROBOT_NAME_MAX + 1], old[sizeof R->name];
  snprintf(name, sizeof name, "%s", robot_saveas_name->value());   // the dialog goes below
  snprintf(old, sizeof old, "%s", R->name);
  if (RobotNameProblem(name)) return;
  SaveLimits s;
  if (GetLimits(&s) != 0) return;
  int rc = SaveRobotAs(R, name, JC->q, s.on, s.lim);
  FreeLimits(&s);
  if (rc != 0) {
    robot_dlg_refuse("Unable to write file Arch/%s: nothing saved", name);
    return;
  }
  int described = CopyDescription(old, name);
  NewRobot(name);
  char path[TOK_PATH_MAX + 1];
  MakePath(path, "Arch", name);   // it fitted: the file was written
  edit_robot_saved("Saved %s", path);
  if (described != 0) robot_dlg_refuse("Unable to write the description of %s", name);
  robot_dlg_title(overwritten ? "Velmora --" : "Velmora--", name);
  gl_win_redraw();
}

void robot_saveas_free(void) {
  robot_dlg_destroy(&Robot_Save_win);
  robot_saveas_name = nullptr;
}
