// robot_dlg.h -- the robot dialogs: Load Robot, Import Robot, Create Robot, Edit Robot with
// its Link Settings, Joint Limits, End Effector, DH Parameters, Save and Save As
#ifndef VELMORA_GUI_ROBOT_DLG_H
#define VELMORA_GUI_ROBOT_DLG_H

#include "robot/robot.h"

class Fl_Box;
class Fl_Button;
class Fl_Check_Button;
class Fl_Counter;
class Fl_Group;
class Fl_Hold_Browser;
class Fl_Input;
class Fl_Light_Button;
class Fl_Multiline_Input;
class Fl_Round_Button;
class Fl_Text_Display;
class Fl_Widget;
class Fl_Window;
class Jw_Spinner;

#define MAX_DIALOG_LINKS 30   // the Create Robot, Edit Robot and DH windows take 30 links

//------------------------------------------------------------------ shared (robot_dlg_common.cpp)
// a w x 75 window at (x, y), wider when the bold line of text needs it (its measured width
// and 20), with either "ok" and "cancel" (ok_cb, cancel_cb) or the close button (ok_cb
// NULL); built hidden
Fl_Window* robot_dlg_box(int x, int y, int w, const char* text, void (*ok_cb)(Fl_Widget*, void*),
                         void (*cancel_cb)(Fl_Widget*, void*));
// the button of a window labelled label, or NULL
Fl_Button* robot_dlg_button(Fl_Window* win, const char* label);
// a refused input: the reason on the message line, ErrStatus 1
void robot_dlg_refuse(const char* format, ...);
// the main window's title: prefix, name, then "+" when a characteristic length was found for
// the current robot, else "-"
void robot_dlg_title(const char* prefix, const char* name);
// destroy a window now, or after the current callback when called from one of its widgets
void robot_dlg_destroy(Fl_Window** w);
// after an edit of the robot that may have moved JC: the edit recorded for Undo, then FwdKin,
// UpdateAll, redraw
void robot_dlg_pose_changed(void);
// after an edit of the robot that leaves the pose: the edit recorded for Undo, redraw
void robot_dlg_edited(void);
// the head of a paged DH table in the window under construction: the engraved title "DH
// Parameter", a page counter at the top right (pages of six links; hidden for six or fewer)
// calling cb, and the row labels a, b, al, th and "Prismatic"; returns the counter
Fl_Counter* robot_dlg_dh_header(int nlinks, void (*cb)(Fl_Widget*, void*));

//------------------------------------------------------------------ Load Robot (arch_win.cpp)
extern Fl_Window* arch_win;
extern Fl_Hold_Browser* arch_select;
extern Fl_Text_Display* m_description_output;
extern Fl_Window* delete_information_win;   // "Delete the Robot?"
extern Fl_Window* delete_in_use_win;        // "Robot files are in use. Cannot delete."
void arch(void);
void arch_fill(void);
void arch_archselect_cb(Fl_Widget* w, void*);
void robot_load_cb(Fl_Widget*, void*);
void robot_delete_cb(Fl_Widget*, void*);
void delete_information(void);
void delete_robot_cb(Fl_Widget*, void* ok);
// menu code 1: refill the list and show the window
void arch_show(void);

//------------------------------------------------------------------ Create Robot (new_robot_win.cpp)
extern Fl_Window* new_arch_win;
extern Jw_Spinner* arch_new_links;
extern Fl_Window* arch_new_win;
extern Fl_Input* arch_new_filename;
extern Fl_Multiline_Input* m_description_input;
extern Fl_Box* link_box[MAX_DIALOG_LINKS];
extern Fl_Input *input_a[MAX_DIALOG_LINKS], *input_b[MAX_DIALOG_LINKS];
extern Fl_Input *input_al[MAX_DIALOG_LINKS], *input_th[MAX_DIALOG_LINKS];
extern Fl_Check_Button *input_prismatic[MAX_DIALOG_LINKS], *input_limits[MAX_DIALOG_LINKS];
extern Fl_Input *input_limits_min[MAX_DIALOG_LINKS], *input_limits_max[MAX_DIALOG_LINKS];
extern Fl_Counter* links_counter;
extern int new_links;
extern int new_robot_overwrite1;
extern Fl_Window* new_robot_exist_win;      // "File exist! Overwrite?"
extern Fl_Window* new_robot_created_win;    // "Robot created"
void new_arch(void);
void arch_new_cb(Fl_Widget*, void*);
void new_robot1(void);
void new_robot_links_counter_cb(Fl_Widget*, void*);
void new_robot_save_cb(Fl_Widget*, void*);
// menu code 22
void new_arch_show(void);

//------------------------------------------------------------------ Edit Robot (edit_robot_win.cpp)
typedef struct _LinkEditor_ {
  Fl_Window* link_edit_win;   // the link's "Link Settings" window
  Fl_Group* prismatic;        // the prismatic parameter group
  Fl_Group* revolute;         // the revolute parameter group
  Fl_Button* lbutton;         // the link's button in the Edit Robot window
  Fl_Input* limits_max;
  Fl_Input* limits_min;
  int limits_set;             // 1: the link's limits are written when the robot is saved
  int visible;
  Fl_Check_Button* limits_box;              // "Limits"
  Fl_Round_Button *is_prismatic, *is_revolute;
  Jw_Spinner *pris_a, *pris_th, *pris_al;   // the prismatic group's spinners
  Jw_Spinner *revo_a, *revo_b, *revo_al;    // the revolute group's spinners
} LinkEditor;

extern Fl_Window* edit_robot_win;
extern LinkEditor* LL;         // one per link of the current robot, or NULL
extern int LL_n;               // entries of LL
extern Fl_Light_Button *geom_up, *geom_down, *geom_full;
void edit_robot(Robot r);
void edit_robot_free(void);
void edit_robot_geom_cb(Fl_Widget*, void* style);
void edit_robot_scene_cb(Fl_Widget* w, void*);
void link_edit(int i);
void link_edit_free(void);
void link_edit_cb(Fl_Widget*, void* i);
void link_edit_prismatic_cb(Fl_Widget*, void* i);
void link_edit_revolute_cb(Fl_Widget*, void* i);
void link_edit_pris_a_cb(Fl_Widget*, void* i);
void link_edit_pris_th_cb(Fl_Widget*, void* i);
void link_edit_pris_al_cb(Fl_Widget*, void* i);
void link_edit_revo_a_cb(Fl_Widget*, void* i);
void link_edit_revo_b_cb(Fl_Widget*, void* i);
void link_edit_revo_al_cb(Fl_Widget*, void* i);
void link_limits_set_cb(Fl_Widget*, void* i);
// menu code 2
void edit_robot_show(void);
// the limits the Link Settings windows give for saving: lim_on[k], lim[k] for k < R->n;
// 0, or -1 after a refusal (a limit that is not a number)
int edit_robot_limits(int* lim_on, float (*lim)[2]);
// the text Save would write for the current robot with the links' own home values (the
// pose apart) and these limits; the caller frees it; NULL, without a message, when a limit
// is not a number or there is no robot
char* edit_robot_text(void);
// after the robot was rebuilt from a text: a link whose text gave limits keeps "Limits"
// ticked, also when both are 0 (the inputs then show nothing)
void edit_robot_text_limits(void);

//------------------------------------------------------------------ Joint Limits (joint_limits_win.cpp)
typedef struct _LimitEditor_ {
  Jw_Spinner *min, *max;
} LimitEditor;
extern Fl_Window* joint_limits_win;
extern Fl_Round_Button *joint_limits_on, *joint_limits_off;
extern LimitEditor* LE;
// build the window for r: enforcement off for a generic robot; a "full" one keeps the limits
// its reader switched on (shown, editable)
void joint_limits(Robot r);
void joint_limits_free(void);
void joint_limits_on_cb(Fl_Widget*, void*);
void joint_limits_off_cb(Fl_Widget*, void*);
void joint_limits_min_cb(Fl_Widget*, void* i);
void joint_limits_max_cb(Fl_Widget*, void* i);
// geometry "Full": limits on, joints clamped, spinners showing the limits and active
void joint_limits_full(void);
// geometry "Up" or "Down": with limits on, the spinners and the on/off group active again
void joint_limits_generic(void);
// menu code 5
void joint_limits_show(void);
// the window shows R's enforcement and active limits again (after Undo or Redo)
void joint_limits_refresh(void);

//------------------------------------------------------------------ End Effector (end_eff_win.cpp)
extern Fl_Window* end_eff_win;
extern Fl_Hold_Browser* end_eff_select;
void end_eff(void);
void end_eff_fill(void);
void end_eff_select_cb(Fl_Widget*, void*);
// menu code 3
void end_eff_show(void);

//------------------------------------------------------------------ DH Parameters (dh_win.cpp)
extern Fl_Window* dh_win;
extern Fl_Counter* robot_links_counter;
void display_DH_parameter(void);
void robot_links_counter_cb(Fl_Widget* counter, void*);
void dh_win_free(void);

//------------------------------------------------------------------ Save, Save As (robot_save_win.cpp)
extern Fl_Window* Robot_Save_win;
extern Fl_Input* robot_saveas_name;
extern Fl_Window* edit_robot_exist_win;     // "Overwrite existing file?"
extern Fl_Window* edit_robot_saved_win;     // "Saved PATH": the file written, in full
void edit_robot_save_cb(void);
// the confirmation of a robot file written: format with "%s" for its full path, shown on the
// message line and in edit_robot_saved_win, at the Edit Robot window
void edit_robot_saved(const char* format, const char* path);
void robot_saveas(void);
void robot_saveas_cb(Fl_Widget*, void*);
void edit_robot_overwrite_message(void);
void edit_robot_overwrite_cb(Fl_Widget*, void* ok);
void robot_saveas_ok(int overwritten);
void robot_saveas_free(void);

//------------------------------------------------------------------ Import Robot (robot_import_win.cpp)
// menu code 36: the desktop's file chooser (opening in the folder of the last import, else
// the home folder), then robot_import_path with the file picked
void robot_import(void);
// the robot file at path (absolute) checked by the reader (its message when refused: nothing
// copied, the current robot kept), copied into Arch with its description, the question
// asked before another robot of its name is replaced, then loaded and the copy's full path
// confirmed on the message line (and in the "Saved" box with box 1); 0 when it is the robot
// loaded now, else -1 after a message
int robot_import_path(const char* path, int box);
// the replace question (tests answer it themselves): 1 replaces; NULL: the desktop's box
void SetImportQuestion(int (*ask)(const char* name));

//------------------------------------------------------------------ robot load (robot_rebuild.cpp)
// the robot dialogs of a new robot: Link Settings, Edit Robot and Joint Limits rebuilt, the
// End Effector list refilled
void robot_dialogs_rebuild(void);
// what a robot load frees of the robot dialogs: DH Parameters and the Save As dialog
// destroyed (the windows it hides are NewRobot's list, HideRobotWindows)
void robot_dialogs_close(void);
// the same robot rebuilt from its text (Undo, Redo): the dialogs rebuilt as for a load, and
// Edit Robot, Link Settings and Joint Limits shown again where they were when they were shown
void robot_dialogs_restore(void);

#endif
