// urdf_win.cpp -- the Export URDF dialog: the robot written as <name>.urdf in the working
// directory (the data folder the program runs in) for simulators and motion planners
#include <FL/Fl_Box.H>     // for: Fl_Box
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Input.H>   // for: Fl_Input
#include <FL/Fl_Return_Button.H>  // for: Fl_Return_Button
#include <FL/Fl_Window.H>  // for: Fl_Window

#include "robot/app_state.h"     // for: R, ErrStatus
#include "base/fileio.h"        // for: TOK_PATH_MAX
#include "gui/export/analysis_wins.h"
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"     // for: WrittenText()
#include "robot/urdf_export.h"   // for: UrdfSavePath(), SaveUrdf()

//------------------------------------------------------------------ dialog state
Fl_Window* urdf_win = nullptr;
Fl_Input* urdf_name = nullptr;
Fl_Button* urdf_save_b = nullptr;

//------------------------------------------------------------------ public API

void urdf_export(void) {
  urdf_win = new Fl_Window(100, 100, 300, 105, "Export URDF");
    urdf_name = new Fl_Input(65, 12, 220, 25, "Name:");
    Fl_Box* where = new Fl_Box(10, 42, 280, 20, "written as <name>.urdf in the data folder");
    where->labelsize(12);
    where->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    urdf_save_b = new Fl_Return_Button(10, 70, 70, 25, "save");   // Enter saves
    urdf_save_b->box(FL_PLASTIC_UP_BOX);
    urdf_save_b->callback(urdf_save_cb);
    close_win(urdf_win);
  urdf_win->end();
}

void ShowUrdfExport(void) {
  if (!R || !urdf_win) return;
  urdf_name->value(R->name);
  ShowWindow(urdf_win);
}

// the core names a refusal or a failed write on the message line; the old file stays
void urdf_save_cb(Fl_Widget*, void*) {
  if (!R) return;
  char path[TOK_PATH_MAX + 1];
  if (UrdfSavePath(path, ".", urdf_name->value()) != 0 || SaveUrdf(path, R) != 0) {
    ErrStatus = 1;
    return;
  }
  ErrStatus = 0;
  char text[WRITTEN_TEXT_MAX];
  ShowMessage("%s", WrittenText(text, "URDF written to %s", path));
}
