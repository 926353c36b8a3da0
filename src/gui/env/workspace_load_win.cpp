// workspace_load_win.cpp -- the Load Work Environment list: the files of "Workspace", and
// loading the one the user picks
#include <FL/Fl_Hold_Browser.H>  // for: Fl_Hold_Browser
#include <FL/Fl_Window.H>        // for: Fl_Window

#include "robot/app_state.h"        // for: ErrStatus
#include "gui/env/environment.h"
#include "gui/shell/hubs.h"
#include "scene/workspace_edit.h"   // for: WorkspaceFileList(), ReapplyUserFrame()
#include "scene/workspace_file.h"   // for: ReadWorkspace()

//------------------------------------------------------------------ panel state
Fl_Window* load_workspace_win = nullptr;
Fl_Hold_Browser* load_workspace_list = nullptr;

//------------------------------------------------------------------ callbacks

// a line picked: load that file
static void load_workspace_select_cb(Fl_Widget*, void*) {
  int line = load_workspace_list->value();
  if (line > 0) load_workspace_cb(load_workspace_list->text(line));
}

// built on first use: a browser of the file names and the close button
static void BuildList() {
  load_workspace_win = new Fl_Window(100, 100, 250, 300, "Load Work Environment");
    load_workspace_list = new Fl_Hold_Browser(10, 10, 230, 245);
    load_workspace_list->callback(load_workspace_select_cb);
    close_win(load_workspace_win);
  load_workspace_win->end();
}

//------------------------------------------------------------------ public API

void load_workspace(void) {
  if (!load_workspace_win) BuildList();
  load_workspace_list->clear();
  char** names = nullptr;
  int n = WorkspaceFileList(&names);
  for (int i = 0; i < n; i++) load_workspace_list->add(names[i]);
  FreeWorkspaceFileList(names, n);
  ShowWindow(load_workspace_win);
}

int load_workspace_cb(const char* name) {
  if (ReadWorkspace(name) != 0) {   // the reader said why; the environment is as it was
    ErrStatus = 1;
    return -1;
  }
  ReapplyUserFrame();               // a kept frame follows its object's new place
  Updateworkspace();
  gl_win_redraw();
  return 0;
}
