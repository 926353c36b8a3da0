// main_win.cpp -- the main window: menu bar built from the menu table, 3D view, message strip
#include "gui/shell/main_win.h"

#include <FL/Fl.H>              // for: Fl::first_window(), Fl::event()
#include <FL/Fl_Group.H>        // for: Fl_Group
#include <FL/Fl_Menu_Bar.H>     // for: Fl_Menu_Bar, Fl_Menu_Item
#include <FL/Fl_Menu_Button.H>  // for: Fl_Menu_Button

#include "gui/shell/hubs.h"
#include "gui/shell/menu_codes.h"
#include "gui/view/opengl_win.h"

//------------------------------------------------------------------ module state
Main_WIN* window = nullptr;
OpenGL_WIN* opengl_window = nullptr;
Fl_Menu_Bar* main_menu = nullptr;
Fl_Menu_Button* pop_menu = nullptr;

//------------------------------------------------------------------ static helpers

// the item of the menu bar calling menu_cb with code, or NULL
static Fl_Menu_Item* ItemOfCode(int code) {
  if (!main_menu) return nullptr;
  const Fl_Menu_Item* m = main_menu->menu();
  for (int i = 0; m && i < main_menu->size(); i++)
    if (m[i].callback_ == menu_cb && (long)m[i].user_data_ == code) return (Fl_Menu_Item*)&m[i];
  return nullptr;
}

// the menu bar's items, one per row of the menu table, in its order
static void AddMenuRows(Fl_Menu_Bar* bar) {
  int n = 0;
  const MenuRow* rows = MenuRows(&n);
  for (int i = 0; i < n; i++)
    bar->add(rows[i].path, rows[i].shortcut, menu_cb, (void*)(long)rows[i].code, rows[i].flags);
}

//------------------------------------------------------------------ public API

int Main_WIN::handle(int event) {
  if (event != FL_PUSH && pop_menu) pop_menu->hide();
  return Fl_Double_Window::handle(event);
}

// Escape arrives here as the window's callback too: it must not end the program
void fl_exit(Fl_Widget*, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  if (!LeaveAllowed()) return;
  while (Fl::first_window()) Fl::first_window()->hide();
}

void SetRobotMenuItems(int active) {
  const int codes[2] = {MENU_CONDITIONING, MENU_CART_TRAJ};
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
      AddMenuRows(main_menu);
    bar->end();
    bar->resizable(nullptr);
    CreateMessageStrip(0, h - MessageStripHeight, w, MessageStripHeight);
  window->end();
  window->resizable(opengl_window);
  window->size_range(320, 240);
  window->xclass("velmora");   // the desktop entry's StartupWMClass
  window->callback(fl_exit);
  return window;
}
