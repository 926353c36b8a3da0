// traj_save_dialogs.cpp -- the two small windows of the trajectory saves: the overwrite
// question and the message that the file was written
#include <FL/Fl_Box.H>     // for: Fl_Box
#include <FL/Fl_Button.H>  // for: Fl_Button
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <stdio.h>         // for: snprintf()

#include "base/fileio.h"        // for: TOK_PATH_MAX
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"  // for: ShowWritten(), WrittenText()
#include "gui/traj/traj_panels.h"

//------------------------------------------------------------------ module state
Fl_Window* traj_ask_win = nullptr;
Fl_Button *traj_ask_ok = nullptr, *traj_ask_cancel = nullptr;
Fl_Window* traj_saved_win = nullptr;
static Fl_Box* saved_text = nullptr;

// the save waiting for the answer
static char pending_path[TOK_PATH_MAX + 1];
static void (*pending_write)(const char* path) = nullptr;

//------------------------------------------------------------------ static helpers

static void ask_ok_cb(Fl_Widget*, void*) {
  traj_ask_win->hide();
  void (*write)(const char*) = pending_write;
  pending_write = nullptr;
  if (write) write(pending_path);
}

static void ask_cancel_cb(Fl_Widget*, void*) {
  traj_ask_win->hide();
  pending_write = nullptr;
}

static void BuildAsk(void) {
  traj_ask_win = new Fl_Window(175, 75, "Question");
    new Fl_Box(0, 8, 175, 25, "Overwrite existing file?");
    traj_ask_ok = new Fl_Button(15, 42, 65, 25);
    traj_ask_ok->callback(ask_ok_cb);
    traj_ask_cancel = new Fl_Button(95, 42, 65, 25);
    traj_ask_cancel->callback(ask_cancel_cb);
  traj_ask_win->end();
  traj_ask_win->set_modal();
}

static void BuildSaved(void) {
  // widened to each text when shown
  traj_saved_win = new Fl_Window(220, 75, "Message");
    saved_text = new Fl_Box(5, 8, 210, 30);
    saved_text->labelfont(FL_BOLD);  saved_text->labelsize(16);
    close_win(traj_saved_win);
  traj_saved_win->end();
}

//------------------------------------------------------------------ public API

void TrajAskOverwrite(Fl_Window* over, const char* ok, const char* cancel, const char* path,
                      void (*write)(const char* path)) {
  if (!traj_ask_win) BuildAsk();
  snprintf(pending_path, sizeof pending_path, "%s", path);
  pending_write = write;
  traj_ask_ok->label(ok);              // the two callers' labels are string literals
  traj_ask_cancel->label(cancel);
  if (over) traj_ask_win->position(over->x(), over->y());
  ShowWindow(traj_ask_win);
}

void TrajShowSaved(const char* format, const char* path) {
  if (!traj_saved_win) BuildSaved();
  char text[WRITTEN_TEXT_MAX];
  ShowWritten(traj_saved_win, WrittenText(text, format, path));
}
