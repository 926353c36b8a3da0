// environment.h -- the environment windows: Work Environment dialog, Load Work Environment
// list, Obstacle and Payload panels; the builders, menu commands and widgets the tests drive
#ifndef VELMORA_GUI_ENVIRONMENT_H
#define VELMORA_GUI_ENVIRONMENT_H

class Fl_Window;
class Fl_Input_Choice;
class Fl_Value_Input;
class Fl_Value_Slider;
class Fl_Light_Button;
class Fl_Check_Button;
class Fl_Round_Button;
class Fl_Output;
class Fl_Input;
class Fl_Button;
class Fl_Hold_Browser;
class Jw_Spinner;

//------------------------------------------------------------------ Work Environment
// (workspace_win.cpp)
extern Fl_Window* workspace_win;
extern Fl_Input_Choice* ws_object_choice;     // "Object:"
extern Jw_Spinner* ws_pos[3];                 // "Position x:", "Position y:", "Position z:"
extern Jw_Spinner* ws_info[3];                // "Length:", "Width:", "Height:" (relabelled)
extern Fl_Value_Input* ws_rot_angle;          // "Rotation"
extern Fl_Input_Choice* ws_rot_axis;          // "x", "y", "z"
extern Fl_Input_Choice* ws_color_choice;      // "Color:"
extern Jw_Spinner* ws_id;                     // "ID:"
extern Jw_Spinner* ws_total;                  // "Total:"
extern Fl_Light_Button* ws_visible;           // "visible"
extern Fl_Light_Button* ws_set;               // "Set"
extern Fl_Check_Button* centre_chk;           // "C" (user_axes, edge_1, edge_2: opengl_win.h)
extern Fl_Output* ws_coord_id;                // "Coord. ID"
extern Fl_Input* ws_file;                     // "File:"
extern Fl_Button* ws_save;                    // "save"

// build the dialog hidden; CreateForms() calls this once
void workspace(void);
// load every widget from the current tables (object Workspace_ID, count workspace_number)
void Updateworkspace(void);
// menu Set Work Environment: object 1 selected, widgets loaded, dialog shown
void ShowWorkspaceDialog(void);
// after a robot load: one hidden start-up object, the dialog reloaded, the file list hidden
void WorkspaceAfterRobotLoad(void);

//------------------------------------------------------------------ Load Work Environment
// (workspace_load_win.cpp)
extern Fl_Window* load_workspace_win;
extern Fl_Hold_Browser* load_workspace_list;
// fill the list from "Workspace" and show it (menu Load Work Environment)
void load_workspace(void);
// read "Workspace/" + name into the tables; the dialog and view follow. 0 or -1
int load_workspace_cb(const char* name);

//------------------------------------------------------------------ Obstacle and Payload
// (obstacle_payload_win.cpp)
extern Fl_Window* obstacle_win;
extern Jw_Spinner* obstacle_spin[6];          // x, y, z position, x, y, z velocity
extern Fl_Value_Slider* obstacle_radius;      // "Radius"
extern Fl_Light_Button* obstacle_visible;     // "visibile"
extern Fl_Value_Input* obstacle_active;       // "Active"
extern Fl_Window* payload_win;
extern Fl_Input_Choice* payload_type;         // "Type"
extern Jw_Spinner* payload_spin[3];           // "X-Position", "Y-Position", "Z-Position"
extern Fl_Value_Slider* payload_radius;       // "Radius"
extern Fl_Light_Button* payload_visible;      // "visible"

// build the panels hidden; CreateForms() calls these once
void obstacle(void);
void payload(void);
// menu Obstacle and Payload: show the panel
void ShowObstaclePanel(void);
void ShowPayloadPanel(void);

#endif
