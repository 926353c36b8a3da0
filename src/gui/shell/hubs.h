// hubs.h -- the routines every window of the program meets at: menu dispatch, the dialog
// builders, the pose refresh, robot loading, redraw requests, the close button and the
// message line
//
// How a new panel plugs in (one line each, in the file named):
//   - its builder goes into the form list of forms.cpp (CreateForms builds it hidden);
//   - a menu command is a code in menu_codes.h and a row of the table in menu_dispatch.cpp;
//   - a rebuild after a robot load goes into the rebuild list of forms.cpp (NewRobot);
//   - a pose display's refresher goes into the refresh list of forms.cpp (UpdateAll).
#ifndef VELMORA_GUI_HUBS_H
#define VELMORA_GUI_HUBS_H

#include "robot/robot.h"

class Fl_Widget;
class Fl_Window;
class Fl_Menu_Bar;
class Main_WIN;
class OpenGL_WIN;

//------------------------------------------------------------------ main window (main_win.cpp)
extern Main_WIN* window;             // the main window
extern OpenGL_WIN* opengl_window;    // the 3D view
extern Fl_Menu_Bar* main_menu;       // the menu bar
// the main window of w x h pixels: menu bar, 3D view, message strip; shown by the caller
Main_WIN* CreateMainWindow(int w, int h);
// the main window's close callback: hide every shown window until none is left
void fl_exit(Fl_Widget*, void*);
// "&Conditioning" and "Cartesian Trajectory" on or off (the reader's menu hook)
void SetRobotMenuItems(int active);

//------------------------------------------------------------------ dispatch (menu_dispatch.cpp)
// run the command of a menu code; codes that need a robot do nothing without one
void menu_cb(Fl_Widget* w, void* code);
// 1 when code needs a robot, 0 when not, -1 when the code is unknown
int MenuCodeNeedsRobot(int code);
// menu_cb with no widget: run the command of code (a MenuCode of menu_codes.h)
void RunMenu(int code);

//------------------------------------------------------------------ undo (undo_cmds.cpp)
// record the pose now in the undo history (last of the refresh list); not during a move
void UndoRecordPose(void);
// record the robot after an edit in a robot dialog: its text, active limits and the pose
void UndoRecordEdit(void);
// a new history holding the loaded robot and its pose (last of the rebuild list); the robot
// as loaded is the saved one
void UndoAfterLoad(void);
// the robot now is the saved one (Save wrote it)
void UndoAfterSave(void);
// Undo and Redo: the robot and the pose before or after, shown everywhere; a robot whose
// text differs is rebuilt from the text, and it has unsaved edits unless it is the saved one
void UndoCommand(void);
void RedoCommand(void);

//------------------------------------------------------------------ leaving (leave.cpp)
// the answers to "Save changes to NAME?"
enum { LEAVE_SAVE = 0, LEAVE_DISCARD = 1, LEAVE_CANCEL = 2 };
// 1 when the program may end: no robot edits unsaved, or the user saved (and the save
// worked) or discarded them; 0 when the user cancelled
int LeaveAllowed(void);
// the question asked (tests answer it themselves); NULL: the desktop's question box
void SetLeaveQuestion(int (*ask)(const char* name));

//------------------------------------------------------------------ forms (forms.cpp)
// build every dialog, hidden, in the order of the form list
void CreateForms(void);
// refresh every pose display after JC or CC changed, in the order of the refresh list
void UpdateAll(void);
// replace the current robot (core transaction), then rebuild what depends on it; R or NULL
Robot NewRobot(const char* name);
// after Undo or Redo rebuilt the robot from its text: its panels and dialogs rebuilt, in the
// order of the restore list
void RobotRestored(void);
// NewRobot's step that hides the windows showing the previous robot's data, from one list;
// its length and its k-th window (NULL outside the list or before CreateForms)
void HideRobotWindows(void);
int RobotLoadHiddenCount(void);
Fl_Window* RobotLoadHidden(int k);
// redraw the 3D view and the main window
void gl_win_redraw(void);
// the standard "close" button of a dialog under construction
void close_win(Fl_Window* w);
// every window's icon from the program's 48 and 128 px PNGs; how many were found (0: the
// desktop's generic icon stays)
int SetWindowIcon(void);
// make a window visible and raise it; a dialog's first showing places it (PlaceDialog)
void ShowWindow(Fl_Window* w);
// a dialog not shown before: to the right of the main window, 30 pixels further right and
// down for each dialog open, kept on the screen (placement.cpp)
void PlaceDialog(Fl_Window* w);

//------------------------------------------------------------------ messages (message_line.cpp)
extern Fl_Window* Msg;               // the message window, built hidden
// build the message window; the main window's strip mirrors its line
void CreateMsg(void);
// the strip along the bottom of the main window that shows the message line
void CreateMessageStrip(int x, int y, int w, int h);
// printf-style into a 128-character line; longer texts are cut
void ShowMessage(const char* format, ...);
void ClearMessage(void);
// the text the message line shows now
const char* MessageText(void);
// core warnings also show on the message line; the words still go to their streams
void RouteCoreMessages(void);

//------------------------------------------------------------------ About box (about.cpp)
extern Fl_Window* about_win;
void about(void);

#endif
