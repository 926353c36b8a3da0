// main_win.h -- the main window class
#ifndef VELMORA_GUI_MAIN_WIN_H
#define VELMORA_GUI_MAIN_WIN_H

#include <FL/Fl_Double_Window.H>  // for: Fl_Double_Window

class Fl_Menu_Button;
extern Fl_Menu_Button* pop_menu;   // optional popup menu; none is made

// double-buffered top-level window; any event but a push hides the popup menu
class Main_WIN : public Fl_Double_Window {
public:
  Main_WIN(int x, int y, int w, int h, const char* l) : Fl_Double_Window(x, y, w, h, l) {}
  int handle(int event) override;
};

// height of the menu bar group, and of the message strip along the bottom
enum { MenuBarHeight = 30, MessageStripHeight = 22 };
// the main window's size at start: wide enough for every menu title at the bar's font
enum { MainWindowWidth = 760, MainWindowHeight = 600 };

#endif
