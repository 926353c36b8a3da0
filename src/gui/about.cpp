// about.cpp -- the About box: version, a short description and the project's credits
#include <FL/Fl_Box.H>                // for: Fl_Box
#include <FL/Fl_Multiline_Output.H>   // for: Fl_Multiline_Output
#include <FL/Fl_Window.H>             // for: Fl_Window

#include "gui/hubs.h"

//------------------------------------------------------------------ module state
Fl_Window* about_win = nullptr;

static const char* about_text =
  " Version: " VELMORA_VERSION "\n Built: " __DATE__ "\n\n"
  " Velmora studies serial robot\n manipulators: Denavit-Hartenberg\n"
  " robots, forward and inverse\n kinematics, trajectories, a work\n"
  " environment and performance indices.\n";
static const char* authors_text =
  " The Velmora developers\n"
  " Contributions: see the history of\n the project's repository\n";

//------------------------------------------------------------------ public API

// build the About box hidden; CreateForms() calls this once at start-up
void about(void) {
  about_win = new Fl_Window(100, 100, 340, 340, "About");
    Fl_Box* title = new Fl_Box(10, 5, 310, 25, "Velmora");
    title->box(FL_NO_BOX);  title->labelfont(FL_BOLD);  title->labelsize(16);
    title->labeltype(FL_ENGRAVED_LABEL);
    Fl_Multiline_Output* text = new Fl_Multiline_Output(10, 30, 310, 150);
    text->color((Fl_Color)2);  text->value(about_text);
    Fl_Box* head = new Fl_Box(10, 170, 310, 55, "Authors");
    head->labelsize(16);  head->labeltype(FL_ENGRAVED_LABEL);
    head->align(FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    Fl_Box* order = new Fl_Box(10, 190, 310, 55, "(In Alphabetical Order)");
    order->labelsize(14);  order->align(FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    Fl_Multiline_Output* who = new Fl_Multiline_Output(10, 230, 245, 100);  // beside "close"
    who->value(authors_text);
    close_win(about_win);
  about_win->end();
}
