// main_win.cpp -- the main window: menu bar with the menu table, 3D view, message strip
#include "gui/shell/main_win.h"

#include <FL/Fl.H>              // for: Fl::first_window(), Fl::event()
#include <FL/Fl_Group.H>        // for: Fl_Group
#include <FL/Fl_Menu_Bar.H>     // for: Fl_Menu_Bar, Fl_Menu_Item
#include <FL/Fl_Menu_Button.H>  // for: Fl_Menu_Button

#include "gui/shell/hubs.h"
#include "gui/view/opengl_win.h"

//------------------------------------------------------------------ module state
Main_WIN* window = nullptr;
OpenGL_WIN* opengl_window = nullptr;
Fl_Menu_Bar* main_menu = nullptr;
Fl_Menu_Button* pop_menu = nullptr;

#define ITEM(label, code, flags) {label, 0, menu_cb, (void*)(long)(code), flags, 0, 0, 14, 0}
#define SUBMENU(label) {label, 0, 0, 0, FL_SUBMENU, 0, 0, 14, 0}
#define END {0, 0, 0, 0, 0, 0, 0, 0, 0}

// every command item calls menu_cb with its code; FL_MENU_DIVIDER draws a line after it
static Fl_Menu_Item menu_main[] = {
  SUBMENU("&Robot"),
    ITEM("New Robot", 22, 0),
    ITEM("Load Robot", 1, FL_MENU_DIVIDER),
    ITEM("Edit Robot", 2, 0),
    ITEM("DH Parameter", 27, 0),
    ITEM("End Effector", 3, FL_MENU_DIVIDER),
    ITEM("Save", 23, 0),
    ITEM("Save As", 24, FL_MENU_DIVIDER),
    ITEM("Exit", 99, 0),
    ITEM("Export URDF", 28, 0),
    END,
  SUBMENU("&Posture"),
    ITEM("Joint Limits", 5, 0),
    ITEM("Select Configuration", 6, 0),
    ITEM("Forward Kinematics", 8, 0),
    ITEM("Inverse Kinematics", 9, 0),
    ITEM("Conditioning Map", 30, 0),
    END,
  SUBMENU("&Trajectory"),
    ITEM("Joint Trajectory", 11, 0),
    ITEM("Cartesian Trajectory", 10, 0),
    ITEM("Transform Trajectory", 26, 0),
    ITEM("Plot", 29, 0),
    END,
  ITEM("&Conditioning", 12, 0),
  SUBMENU("&Environment"),
    ITEM("Set Work Environment", 15, 0),
    ITEM("Load Work Environment", 18, 0),
    ITEM("Obstacle", 13, 0),
    ITEM("Payload", 14, 0),
    END,
  SUBMENU("&Setting"),
    ITEM("Set System", 4, 0),
    END,
  SUBMENU("E&xport"),
    ITEM("Export", 19, 0),
    END,
  SUBMENU("&About"),
    ITEM("About Velmora", 25, 0),
    END,
  END
};

//------------------------------------------------------------------ static helpers

// the item of menu_main calling menu_cb with code, or NULL
static Fl_Menu_Item* ItemOfCode(int code) {
  for (Fl_Menu_Item* it = menu_main; it < menu_main + sizeof(menu_main)/sizeof(*menu_main);
       it++)
    if (it->callback_ == menu_cb && (long)it->user_data_ == code) return it;
  return nullptr;
}

//------------------------------------------------------------------ public API

int Main_WIN::handle(int event) {
  if (event != FL_PUSH && pop_menu) pop_menu->hide();
  return Fl_Double_Window::handle(event);
}

// Escape arrives here as the window's callback too: it must not end the program
void fl_exit(Fl_Widget*, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  while (Fl::first_window()) Fl::first_window()->hide();
}

void SetRobotMenuItems(int active) {
  const int codes[2] = {12, 10};    // "&Conditioning", "Cartesian Trajectory"
  for (int k = 0; k < 2; k++) {
    Fl_Menu_Item* it = ItemOfCode(codes[k]);
    if (!it) continue;
    if (active) it->activate();
    else it->deactivate();
  }
  if (main_menu) main_menu->redraw();
}

Main_WIN* CreateMainWindow(int w, int h) {
  window = new Main_WIN(0, 0, w, h, "Velmora ");
    int view_h = h - MenuBarHeight - MessageStripHeight;
    opengl_window = new OpenGL_WIN(0, MenuBarHeight, w, view_h);
    Fl_Group* bar = new Fl_Group(0, 0, w, MenuBarHeight);
      main_menu = new Fl_Menu_Bar(0, 0, 1500, MenuBarHeight, "Functions");
      main_menu->menu(menu_main);
    bar->end();
    bar->resizable(nullptr);
    CreateMessageStrip(0, h - MessageStripHeight, w, MessageStripHeight);
  window->end();
  window->resizable(opengl_window);
  window->callback(fl_exit);
  return window;
}
