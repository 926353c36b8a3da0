// arch_win.cpp -- the Load Robot window: the robot list, its description, Load and Delete
#include <FL/Fl_Button.H>         // for: Fl_Button
#include <FL/Fl_Group.H>          // for: Fl_Group
#include <FL/Fl_Hold_Browser.H>   // for: Fl_Hold_Browser
#include <FL/Fl_Return_Button.H>   // for: Fl_Return_Button
#include <FL/Fl_Text_Buffer.H>    // for: Fl_Text_Buffer
#include <FL/Fl_Text_Display.H>   // for: Fl_Text_Display
#include <FL/Fl_Window.H>         // for: Fl_Window
#include <stdio.h>                // for: snprintf()
#include <stdlib.h>               // for: free()

#include "robot/app_state.h"            // for: R
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"
#include "robot/robot_files.h"          // for: ListRobotFiles(), DeleteRobotFiles(), ReadDescription()

//------------------------------------------------------------------ module state
Fl_Window* arch_win = nullptr;
Fl_Hold_Browser* arch_select = nullptr;
Fl_Text_Display* m_description_output = nullptr;
Fl_Window* delete_information_win = nullptr;
Fl_Window* delete_in_use_win = nullptr;
static Fl_Text_Buffer* description_buf = nullptr;   // lives as long as the window

//------------------------------------------------------------------ static helpers

// the selected entry's name, or NULL
static const char* Selected(void) {
  int k = arch_select ? arch_select->value() : 0;
  return k > 0 ? arch_select->text(k) : nullptr;
}

//------------------------------------------------------------------ public API

// the list filled once here and again by menu code 1
void arch(void) {
  arch_win = new Fl_Window(100, 100, 220, 400, "Load Robot");
    arch_select = new Fl_Hold_Browser(10, 25, 200, 200, "Select Architecture");
    arch_select->labelfont(FL_BOLD);  arch_select->labelsize(16);
    arch_select->align(FL_ALIGN_TOP);
    arch_select->callback(arch_archselect_cb);
    Fl_Group* g = new Fl_Group(10, 250, 210, 105, "Description");
    g->box(FL_ENGRAVED_FRAME);  g->labelsize(16);  g->align(FL_ALIGN_TOP);
      description_buf = new Fl_Text_Buffer();
      m_description_output = new Fl_Text_Display(10, 250, 200, 100);
      m_description_output->buffer(description_buf);
      m_description_output->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
    g->end();
    Fl_Button* load = new Fl_Return_Button(10, 370, 65, 25, "Load");   // Enter loads
    load->box(FL_PLASTIC_UP_BOX);  load->callback(robot_load_cb);
    Fl_Button* del = new Fl_Button(85, 370, 50, 25, "Delete");
    del->box(FL_PLASTIC_UP_BOX);  del->callback(robot_delete_cb);
    close_win(arch_win);
  arch_win->end();
  delete_information();
  delete_in_use_win = robot_dlg_box(100, 100, 320, "Robot files are in use. Cannot delete.",
                                    nullptr, nullptr);
  arch_fill();
}

void arch_fill(void) {
  if (!arch_select) return;
  arch_select->clear();
  NameListPtr l = ListRobotFiles();
  for (int i = 0; l && i < l->n; i++) arch_select->add(l->name[i]);
  FreeNameList(l);
  if (description_buf) description_buf->text("");
}

void arch_archselect_cb(Fl_Widget*, void*) {
  const char* name = Selected();
  char* text = name ? ReadDescription(name, 1) : nullptr;
  description_buf->text(text ? text : "");
  free(text);
}

void robot_load_cb(Fl_Widget*, void*) {
  const char* entry = Selected();
  if (!entry) return;
  char name[256];
  snprintf(name, sizeof name, "%s", entry);   // the list may be refilled by the load
  NewRobot(name);
  robot_dlg_title("Velmora--", name);
  gl_win_redraw();
}

void robot_delete_cb(Fl_Widget*, void*) { ShowWindow(delete_information_win); }

void delete_information(void) {
  delete_information_win = robot_dlg_box(100, 100, 175, "Delete the Robot?", delete_robot_cb,
                                         delete_robot_cb);
}

void delete_robot_cb(Fl_Widget*, void* ok) {
  delete_information_win->hide();
  const char* entry = Selected();
  if (!ok || !entry) return;
  int rc = DeleteRobotFiles(entry, R ? R->name : nullptr);
  if (rc == RobotInUse) {
    ShowWindow(delete_in_use_win);
  } else if (rc == RobotNotRemoved) {
    robot_dlg_refuse("Unable to remove Arch/%s", entry);
  } else if (rc == RobotBadName) {
    robot_dlg_refuse("Cannot delete \"%s\": %s", entry, RobotNameProblem(entry));
  } else if (rc == RobotDeleted) {
    arch_select->remove(arch_select->value());
    description_buf->text("");
  }
}

void arch_show(void) {
  arch_fill();
  ShowWindow(arch_win);
}
