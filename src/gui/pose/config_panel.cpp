// config_panel.cpp -- the Select Configuration panel: the robot's saved poses, reached by a
// jump or by the smooth move the animation timer plays
#include <FL/Fl_Button.H>        // for: Fl_Button
#include <FL/Fl_Group.H>         // for: Fl_Group
#include <FL/Fl_Hold_Browser.H>  // for: Fl_Hold_Browser
#include <FL/Fl_Round_Button.H>  // for: Fl_Round_Button
#include <FL/Fl_Window.H>        // for: Fl_Window
#include <dirent.h>              // for: opendir(), readdir(), closedir()

#include "robot/app_state.h"   // for: R, JC, CC, PP2
#include "gui/shell/hubs.h"
#include "gui/pose/pose_panels.h"
#include "kin/ikp.h"         // for: FwdKin()
#include "robot/jconfig.h"     // for: MoveMode, ReadJointConfig(), InterpolateConfig()

//------------------------------------------------------------------ panel state
Fl_Window* config_win = nullptr;
Fl_Browser* config_browser = nullptr;
Fl_Button* config_spline = nullptr;
Fl_Button* config_jump = nullptr;

//------------------------------------------------------------------ public API

void config_spline_cb(Fl_Widget*, void*) { MoveMode = 1; }

void config_jump_cb(Fl_Widget*, void*) { MoveMode = 2; }

// a jump is not checked against the limits; a smooth move beyond them is refused silently
void config_select_cb(Fl_Widget*, void*) {
  int k = config_browser->value();
  if (k <= 0 || !R || !JC || !CC) return;
  const char* name = config_browser->text(k);
  ClearMessage();
  if (MoveMode == 2) {
    if (ReadJointConfig(JC, name) != 0) return;
    FwdKin(R, JC, CC);
    UpdateAll();
    gl_win_redraw();
    return;
  }
  FreeJointConfig(PP2);
  PP2 = JointConfigFromRobot(R);
  if (ReadJointConfig(PP2, name) == 0) {
    InterpolateConfig(JC, PP2, R);
    gl_win_redraw();
  }
  FreeJointConfig(PP2);
  PP2 = nullptr;
}

// the directory's order is the file system's: the list is sorted for the eye instead
void config_fill(void) {
  if (!config_browser) return;
  config_browser->clear();
  if (!R) return;
  DIR* d = opendir("JConfig");
  if (!d) return;
  for (struct dirent* e = readdir(d); e; e = readdir(d))
    if (config_fill_match(e->d_name)) config_browser->add(e->d_name);
  closedir(d);
  config_browser->sort(FL_SORT_ASCENDING);
}

void config(void) {
  config_win = new Fl_Window(100, 100, 220, 300, "Select Configuration");
    config_browser = new Fl_Hold_Browser(10, 25, 200, 200, "Joint Configuration");
    config_browser->labelfont(FL_BOLD);  config_browser->labelsize(16);
    config_browser->align(FL_ALIGN_TOP);
    config_browser->callback(config_select_cb);
    config_browser->when(FL_WHEN_RELEASE_ALWAYS);   // a second click on a pose goes there again
    Fl_Group* g = new Fl_Group(10, 230, 200, 35);
      config_spline = new Fl_Round_Button(30, 235, 70, 25, "Spline");
      config_spline->type(FL_RADIO_BUTTON);
      config_spline->callback(config_spline_cb);
      config_jump = new Fl_Round_Button(120, 235, 70, 25, "Jump");
      config_jump->type(FL_RADIO_BUTTON);
      config_jump->callback(config_jump_cb);
      if (MoveMode == 2) config_jump->setonly();
      else config_spline->setonly();
    g->end();
    close_win(config_win);
  config_win->end();
}

void ShowConfig(void) {
  config_fill();
  ShowWindow(config_win);
}
