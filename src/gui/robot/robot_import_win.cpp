// robot_import_win.cpp -- Robot / Import Robot...: a robot file from anywhere, picked in the
// desktop's file chooser, taken into the data folder's Arch and loaded
#include <FL/Fl_Native_File_Chooser.H>  // for: Fl_Native_File_Chooser
#include <FL/fl_ask.H>                  // for: fl_choice()
#include <stdio.h>                      // for: snprintf()
#include <stdlib.h>                     // for: getenv()
#include <string.h>                     // for: strrchr()

#include "base/fileio.h"          // for: MakePath(), TOK_PATH_MAX
#include "gui/robot/robot_dlg.h"
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"    // for: WrittenText()
#include "robot/app_state.h"      // for: R
#include "robot/robot_files.h"    // for: ROBOT_NAME_MAX
#include "robot/robot_import.h"   // for: ImportRobotFile()

//------------------------------------------------------------------ module state

// "Replace NAME?" as the desktop's question box: 1 replace, 0 keep
static int AskBox(const char* name) {
  // fl_choice numbers its buttons from the right: 0 "Cancel" (Escape), 1 "Replace"
  return fl_choice("Arch already holds a robot %s. Replace it?", "Cancel", "Replace", nullptr,
                   name) == 1;
}
static int (*ask)(const char* name) = AskBox;
static char last_folder[TOK_PATH_MAX + 1] = "";   // where the chooser opens next

//------------------------------------------------------------------ public API

void SetImportQuestion(int (*q)(const char* name)) { ask = q ? q : AskBox; }

int robot_import_path(const char* path, int box) {
  char name[ROBOT_NAME_MAX + 1];
  ClearMessage();
  int rc = ImportRobotFile(path, 0, name);
  if (rc == RobotImportExists) {
    if (!ask(name)) {
      robot_dlg_refuse("Nothing imported: Arch/%s kept", name);
      return -1;
    }
    rc = ImportRobotFile(path, 1, name);
  }
  if (rc < 0) {                 // the reader or the writer said why; the robot stays
    ErrStatus = 1;
    return -1;
  }
  NewRobot(name);
  robot_dlg_title("Velmora--", name);
  gl_win_redraw();
  if (!R) return -1;            // the load said why
  char arch[TOK_PATH_MAX + 1], text[WRITTEN_TEXT_MAX];
  MakePath(arch, "Arch", name);   // the copy was made under it
  const char* said = rc == RobotImportSame ? "Loaded %s, already in the data folder"
                                           : "Imported %s";
  if (box) edit_robot_saved(said, arch);
  else ShowMessage("%s", WrittenText(text, said, arch));
  if (rc == RobotImportedBare) robot_dlg_refuse("Imported Arch/%s without its description", name);
  return 0;
}

void robot_import(void) {
  Fl_Native_File_Chooser chooser;
  chooser.title("Import Robot");
  chooser.type(Fl_Native_File_Chooser::BROWSE_FILE);
  const char* home = getenv("HOME");
  chooser.directory(last_folder[0] ? last_folder : home);
  int rc = chooser.show();
  if (rc == -1) {
    robot_dlg_refuse("Import Robot: %s", chooser.errmsg());
    return;
  }
  if (rc != 0 || !chooser.filename() || !chooser.filename()[0]) return;   // cancelled
  const char* path = chooser.filename();
  snprintf(last_folder, sizeof last_folder, "%s", path);
  char* slash = strrchr(last_folder, '/');
  if (slash) *slash = '\0';
  robot_import_path(path, 1);
}
