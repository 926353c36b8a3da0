// anim_win.h -- the Export Animation dialog: the loaded trajectory played off screen into
// NAME.gif, NAME.mp4 or NAME.webm in the data folder, with a progress bar and Cancel
#ifndef VELMORA_GUI_ANIM_WIN_H
#define VELMORA_GUI_ANIM_WIN_H

class Fl_Input;
class Fl_Value_Input;
class Fl_Widget;
class Fl_Window;

extern Fl_Window* anim_win;
extern Fl_Input* anim_name;
extern Fl_Value_Input *anim_fps, *anim_width, *anim_height, *anim_every;

// menu: the dialog for the loaded trajectory (the joint one when both could be)
void anim_export(void);
// the dialog for the joint (1) or Cartesian (0) trajectory, -1 whichever is loaded; a message
// when none is
void AnimExportShow(int joint);
// build the dialog hidden
void anim_export_win(void);
// "Record": the file written, the progress bar moving, Cancel live; the result shown
void anim_record_cb(Fl_Widget*, void*);
// the panels' "Record": data 1 the joint trajectory, 0 the Cartesian one
void anim_panel_record_cb(Fl_Widget*, void* joint);
// the dialog's last result text
const char* AnimExportResult(void);

#endif
