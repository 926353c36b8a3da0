// about.cpp -- the About box: version, a short description, the data folder in use and the
// project's credits
#include <FL/Fl_Box.H>                // for: Fl_Box
#include <FL/Fl_Multiline_Output.H>   // for: Fl_Multiline_Output
#include <FL/Fl_Output.H>             // for: Fl_Output
#include <FL/Fl_Window.H>             // for: Fl_Window
#include <stdio.h>                    // for: snprintf()

#include "base/data_dir.h"                 // for: DataDirPath()

#include "gui/shell/hubs.h"

//------------------------------------------------------------------ module state
Fl_Window* about_win = nullptr;
static char data_line[DATA_DIR_MAX + 16];   // "Data folder: " and the folder in use

static const char* about_text =
  " Version: " VELMORA_VERSION "\n Built: " VELMORA_BUILT "\n\n"
  " Velmora studies serial robot\n manipulators: Denavit-Hartenberg\n"
  " robots, forward and inverse\n kinematics, trajectories, a work\n"
  " environment and performance indices.\n";
static const char* authors_text =
  " The Velmora developers\n"
  " Contributions: see the history of\n the project's repository\n";

//------------------------------------------------------------------ public API

// build the About box hidden; CreateForms() calls this once at start-up
void about(void) {
  const char* dir = DataDirPath();
  snprintf(data_line, sizeof(data_line), "Data folder: %s", dir[0] ? dir : ".");
  about_win = new Fl_Window(100, 100, 340, 370, "About");
    Fl_Box* title = new Fl_Box(10, 5, 310, 25, "Velmora");
    title->box(FL_NO_BOX);  title->labelfont(FL_BOLD);  title->labelsize(16);
    title->labeltype(FL_ENGRAVED_LABEL);
    Fl_Multiline_Output* text = new Fl_Multiline_Output(10, 30, 310, 150);
    text->color((Fl_Color)2);  text->value(about_text);
    Fl_Output* data = new Fl_Output(10, 184, 310, 22);   // a long path scrolls on a click
    data->value(data_line);
    Fl_Box* head = new Fl_Box(10, 208, 310, 55, "Authors");
    head->labelsize(16);  head->labeltype(FL_ENGRAVED_LABEL);
    head->align(FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    Fl_Box* order = new Fl_Box(10, 228, 310, 55, "(In Alphabetical Order)");
    order->labelsize(14);  order->align(FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    Fl_Multiline_Output* who = new Fl_Multiline_Output(10, 260, 245, 100);  // beside "close"
    who->value(authors_text);
    close_win(about_win);
  about_win->end();
}
