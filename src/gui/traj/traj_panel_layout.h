// traj_panel_layout.h -- what the Cartesian and Joint Trajectory panels share: their widgets'
// layout and the filling of their lists
#ifndef VELMORA_GUI_TRAJ_PANEL_LAYOUT_H
#define VELMORA_GUI_TRAJ_PANEL_LAYOUT_H

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Slider.H>

// the widgets of one panel, in the order they are built
typedef struct _TrajPanelWidgets_ {
  Fl_Hold_Browser* select;
  Fl_Light_Button *points, *frames;
  Fl_Check_Button *cont, *step;
  Fl_Slider* progress;
  Fl_Button *rev, *fwd, *reset, *clear;
} TrajPanelWidgets;

// the callbacks of one panel, one per widget above
typedef struct _TrajPanelCallbacks_ {
  Fl_Callback *select, *points, *frames, *cont, *step, *progress, *rev, *fwd, *reset, *clear;
} TrajPanelCallbacks;

// the shared widgets into the window under construction: list 10,10,170,180; "Points" and
// "Frames" 190,20 and 190,49; "Cont" and "Step" in a group at 190,90; progress 10,205,265,25;
// "@<" 190,165 and "@>" 235,165; "Reset" 10,245 and "Clear" 75,245
void BuildTrajPanel(const TrajPanelCallbacks* cb, TrajPanelWidgets* w);

// list the entries of dir that match (sorted, directories left out); with builtins, also the
// built-in paths that match and have no file of their name
void FillTrajList(Fl_Browser* b, const char* dir, int (*match)(const char*), int builtins);

// both direction buttons off
void TrajButtonsOff(const TrajPanelWidgets* w);

// the playback fields of a panel's trajectory (CT or JT) and how the panel poses a point
typedef struct _TrajPanelState_ {
  int *active, *show_points, *show_frames, *last, *ctp, *mode, *state;
  void (*show_point)(int k);
} TrajPanelState;

// the buttons both panels have, on the panel's trajectory s and widgets w: "Points" and
// "Frames" switch the drawing, "Step" stops a running playback, the progress slider poses its
// point (inert until a first point was posed)
void TrajPanelShowPoints(const TrajPanelState* s, Fl_Widget* button);
void TrajPanelShowFrames(const TrajPanelState* s, Fl_Widget* button);
void TrajPanelStep(const TrajPanelState* s, const TrajPanelWidgets* w);
void TrajPanelProgress(const TrajPanelState* s, const TrajPanelWidgets* w);

// the progress slider over the points 0..last, at 0; a slider of one point (or none) still
// spans 0..1 so its knob stands at the left rather than in the middle
void TrajSliderBounds(Fl_Slider* s, int last);
// the progress slider's point: its value rounded into 0..last
int TrajSliderPoint(Fl_Slider* s, int last);

#endif
