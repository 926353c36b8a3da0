// menu_export_gl.cpp -- the export dialog: the current view written as EPS, PS, PDF or SVG
#include "gui/export/menu_export_gl.h"

#include <FL/Fl.H>              // for: Fl::delete_widget()
#include <FL/Fl_Box.H>          // for: Fl_Box
#include <FL/Fl_Button.H>       // for: Fl_Button
#include <FL/Fl_Input.H>        // for: Fl_Input
#include <FL/Fl_Input_Choice.H> // for: Fl_Input_Choice
#include <FL/Fl_Return_Button.H> // for: Fl_Return_Button
#include <FL/Fl_Window.H>       // for: Fl_Window
#include <FL/gl.h>              // for: glClearColor()
#include <stdio.h>              // for: printf()
#include <string.h>             // for: memcpy()

#include "robot/app_state.h"          // for: ErrStatus
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"     // for: ShowWritten(), WrittenText()
#include "gui/view/opengl_win.h"
#include "gui/export/scene_export.h"   // for: ExportSceneFile()

//------------------------------------------------------------------ module state
Fl_Window* export_win = nullptr;
Fl_Input* export_gl_filename = nullptr;
Fl_Input_Choice* export_gl_format = nullptr;
Fl_Window* export_saved_win = nullptr;
char Export_Gl_Title[ExportNameSize] = "";
char Export_Gl_Filename[ExportNameSize] = "";
int Export_Gl_State = ExportEPS;
int Export_Gl_Set = 0;

//------------------------------------------------------------------ static helpers

// the view's frame, called outside the redraw cycle with its context current
static void DrawView(void) { DrawViewFrame(); }

//------------------------------------------------------------------ public API

void DestroyExportWindow(void) {
  if (!export_win) return;
  export_win->hide();
  Fl::delete_widget(export_win);
  export_win = nullptr;
  export_gl_filename = nullptr;
  export_gl_format = nullptr;
}

// the field shows the format of the next export: EPS at first, then the last one written
void export_gl(void) {
  DestroyExportWindow();
  export_win = new Fl_Window(100, 100, 250, 100, "OpenGL Scene Export");
    export_gl_filename = new Fl_Input(80, 10, 160, 25, "Filename:");
    export_gl_filename->box(FL_PLASTIC_DOWN_BOX);
    export_gl_filename->value("Export-File");
    export_gl_format = new Fl_Input_Choice(80, 40, 80, 25, "Format:");
    for (int i = 0; i < nexport_formats; i++)
      if (export_formats[i].dialog) export_gl_format->add(export_formats[i].ext);
    const ExportFormatRow* f = ExportFormatRowOf(Export_Gl_State);
    export_gl_format->value(f ? f->ext : ".eps");
    export_gl_format->callback(export_gl_format_cb);
    export_gl_format->when(FL_WHEN_CHANGED);
    Fl_Button* save = new Fl_Return_Button(165, 40, 75, 25, "Save");   // Enter saves
    save->box(FL_PLASTIC_UP_BOX);
    save->callback(export_gl_set_cb);
  export_win->end();
  ShowWindow(export_win);
}

// the chosen extension's code: ".eps" 1, ".pdf" 3, ".svg" 4, anything else 0 (Save takes the
// field's text again, so the format written is always the one shown)
void export_gl_format_cb(Fl_Widget* w, void*) {
  Export_Gl_State = ExportFormatOfExtension(((Fl_Input_Choice*)w)->value());
}

void export_gl_set_cb(Fl_Widget*, void*) {
  if (!export_win) return;
  const char* title = export_gl_filename->value();
  const ExportFormatRow* f = ExportFormatOfExt(export_gl_format->value(), 0);
  if (!f || !f->dialog) {   // a typed extension: the contents would not match the name
    char list[128];
    ShowMessage("Export: the format is one of %s",
                ExportFormatList(list, sizeof(list), ExportListDialog, " or "));
    ErrStatus = 1;
    return;
  }
  Export_Gl_State = f->format;
  char name[ExportNameSize];
  const char* why = ExportFileName(name, title, export_gl_format->value());
  if (why) {
    ShowMessage("%s", why);
    ErrStatus = 1;
    return;
  }
  memcpy(Export_Gl_Title, title, strlen(title) + 1);   // shorter than name: it fits
  memcpy(Export_Gl_Filename, name, sizeof(name));
  printf("%s\n", Export_Gl_Title);
  printf("%s\n", Export_Gl_Filename);
  Export_Gl_Set = 1;
  DestroyExportWindow();
  if (ErrStatus == 1) {
    ErrStatus = 0;
    ClearMessage();
  }
  export_file_save();
}

// through a temporary file renamed over the old one: a failure leaves any old file in place
int export_file_save(void) {
  printf("File -> %s\n", Export_Gl_Filename);
  fflush(stdout);
  if (!opengl_window || !opengl_window->shown()) return -1;
  opengl_window->make_current();
  if (!opengl_window->valid()) {   // a context never drawn yet: its state and viewport first
    opengl_window->draw();
    opengl_window->valid(1);
  }
  // gl2ps takes the page from the current viewport: the whole view, whatever came before
  glViewport(0, 0, opengl_window->w(), opengl_window->h());
  glClearColor(bg_red, bg_green, bg_blue, 1);   // the background gl2ps paints
  int rc = ExportSceneFile(Export_Gl_Filename, Export_Gl_Title, Export_Gl_State, DrawView);
  gl_win_redraw();
  if (rc != 0) {
    ShowMessage("Export of %s failed: %s", Export_Gl_Filename, ExportFailure());
    ErrStatus = 1;
    return -1;
  }
  export_gl_saved();
  return 0;
}

void export_gl_saved(void) {
  if (!export_saved_win) {
    export_saved_win = new Fl_Window(100, 100, 300, 75, "Scene Export ");
      Fl_Box* text = new Fl_Box(10, 10, 280, 25, "");
      text->labelfont(FL_BOLD);  text->labelsize(16);
      close_win(export_saved_win);
    export_saved_win->end();
  }
  char text[WRITTEN_TEXT_MAX];
  ShowWritten(export_saved_win,
              WrittenText(text, "Exported %s, written out in full", Export_Gl_Filename));
}
