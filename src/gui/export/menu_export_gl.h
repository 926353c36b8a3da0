// menu_export_gl.h -- the export dialog: the current view written as EPS, PS, PDF or SVG
#ifndef VELMORA_GUI_MENU_EXPORT_GL_H
#define VELMORA_GUI_MENU_EXPORT_GL_H

#include "base/export_name.h"  // for: ExportNameSize

class Fl_Widget;
class Fl_Window;
class Fl_Input;
class Fl_Input_Choice;

//------------------------------------------------------------------ dialog state
extern Fl_Window* export_win;               // built anew by every Export command
extern Fl_Input* export_gl_filename;        // the file name without extension
extern Fl_Input_Choice* export_gl_format;   // the extension
extern Fl_Window* export_saved_win;         // the confirmation, built on its first use
extern char Export_Gl_Title[ExportNameSize];     // the file name as typed (no extension)
extern char Export_Gl_Filename[ExportNameSize];  // file name plus extension
extern int Export_Gl_State;   // format code of the next export: 1 (EPS) at start, then the last;
                              // the field shows it and Save takes the field's
extern int Export_Gl_Set;     // 1 once a file name has been set

// build and show the dialog (menu code 19); an open one is replaced
void export_gl(void);
// the chosen extension's format code into Export_Gl_State
void export_gl_format_cb(Fl_Widget* w, void*);
// "Save": take the name and the format shown (refused names and typed extensions stay in the
// dialog, with a message), close, write
void export_gl_set_cb(Fl_Widget* w, void*);
// write Export_Gl_Filename from the view; 0 and the confirmation, or -1 after a message
int export_file_save(void);
// the confirmation window "Scene Export ": "Exported PATH, written out in full" (the full
// path of Export_Gl_Filename), also on the message line
void export_gl_saved(void);
// destroy the dialog, if one is open (a robot load: its scene is gone)
void DestroyExportWindow(void);

#endif
