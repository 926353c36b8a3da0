// written.h -- the confirmation of a file written on the user's behalf: its full path on the
// message line and in a notice box
#ifndef VELMORA_GUI_WRITTEN_H
#define VELMORA_GUI_WRITTEN_H

class Fl_Window;

// the longest confirmation: a verb, a full path and a few words
#define WRITTEN_TEXT_MAX 4200

// text for a file the program wrote: format with "%s" standing for the file's full path
// (ShownPath: absolute, the home folder as "~"); into out (WRITTEN_TEXT_MAX bytes)
const char* WrittenText(char* out, const char* format, const char* path);
// text on the message line and as the label of box's first child (its text box), the box
// widened to the text (within the screen) and a button at its lower right kept there; shown
void ShowWritten(Fl_Window* box, const char* text);

#endif
