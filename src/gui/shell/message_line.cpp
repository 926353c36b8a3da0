// message_line.cpp -- the message line: the hidden message window and the main window's strip
#include <FL/Fl_Box.H>     // for: Fl_Box
#include <FL/Fl_Output.H>  // for: Fl_Output
#include <FL/Fl_Window.H>  // for: Fl_Window
#include <stdarg.h>        // for: va_list
#include <stdio.h>         // for: vsnprintf(), fputs()
#include <string.h>        // for: strcspn()

#include "gui/shell/hubs.h"
#include "base/message.h"       // for: SetMessageCallback()

//------------------------------------------------------------------ module state
Fl_Window* Msg = nullptr;
static Fl_Output* MsgMsg = nullptr;
static Fl_Output* MsgTime = nullptr;   // kept for its place in the window; shows nothing
static Fl_Box* strip = nullptr;        // the main window's view of the line

enum { MsgLineMax = 128 };
static char line[MsgLineMax] = "";     // the line shown; the widgets keep their own copies

//------------------------------------------------------------------ static helpers

static void Show() {
  if (MsgMsg) MsgMsg->value(line);
  if (strip) { strip->copy_label(line);  strip->redraw(); }
}

// core messages: their words to their streams as always; warnings and refusals also on the
// line
static void CoreMessage(int kind, const char* text) {
  FILE* f = kind == MsgWarning ? stderr : stdout;
  fputs(text, f);
  if (kind == MsgTrace) return;
  fflush(f);
  int n = (int)strcspn(text, "\n");
  ShowMessage("%.*s", n, text);
}

//------------------------------------------------------------------ public API

void CreateMsg(void) {
  Msg = new Fl_Window(100, 100, 330, 100);
  Msg->color((Fl_Color)88);
    MsgMsg = new Fl_Output(10, 10, 310, 30);
    MsgTime = new Fl_Output(10, 50, 100, 30);
  Msg->end();
}

void CreateMessageStrip(int x, int y, int w, int h) {
  strip = new Fl_Box(FL_THIN_DOWN_BOX, x, y, w, h, "");
  strip->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  strip->labelsize(13);
  Show();
}

void ShowMessage(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vsnprintf(line, sizeof(line), format, ap);   // cut at 127 characters, never past
  va_end(ap);
  Show();
}

void ClearMessage(void) {
  line[0] = '\0';
  Show();
}

const char* MessageText(void) { return line; }

void RouteCoreMessages(void) { SetMessageCallback(CoreMessage); }
