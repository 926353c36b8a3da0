// menu_codes.h -- the code of every menu command, and the menu table's row
#ifndef VELMORA_GUI_MENU_CODES_H
#define VELMORA_GUI_MENU_CODES_H

// one code per command; the menu bar, the dispatcher and the tests all name them so
enum MenuCode {
  MENU_LOAD_ROBOT = 1,
  MENU_EDIT_ROBOT = 2,
  MENU_END_EFFECTOR = 3,
  MENU_SET_SYSTEM = 4,
  MENU_JOINT_LIMITS = 5,
  MENU_SELECT_CONFIG = 6,
  MENU_UNKNOWN = 7,          // no command has it: the dispatcher ignores it
  MENU_FORWARD_KIN = 8,
  MENU_INVERSE_KIN = 9,
  MENU_CART_TRAJ = 10,
  MENU_JOINT_TRAJ = 11,
  MENU_CONDITIONING = 12,
  MENU_OBSTACLE = 13,
  MENU_PAYLOAD = 14,
  MENU_SET_WORK_ENV = 15,
  MENU_LOAD_WORK_ENV = 18,
  MENU_EXPORT = 19,
  MENU_NEW_ROBOT = 22,
  MENU_SAVE = 23,
  MENU_SAVE_AS = 24,
  MENU_ABOUT = 25,
  MENU_TRANSFORM_TRAJ = 26,
  MENU_DH_PARAMETER = 27,
  MENU_EXPORT_URDF = 28,
  MENU_PLOT = 29,
  MENU_COND_MAP = 30,
  MENU_FIT = 31,
  MENU_HOME = 32,
  MENU_UNDO = 33,
  MENU_REDO = 34,
  MENU_EXPORT_ANIMATION = 35,
  MENU_IMPORT_ROBOT = 36,
  MENU_EXIT = 99
};

// a row of the menu table: where the item sits, its key, and what it runs
typedef struct _MenuRow_ {
  const char* path;     // submenu titles and the item's label, "&Robot/New Robot"
  int code;             // a MenuCode
  int shortcut;         // FL_CTRL + 'n', or 0
  int flags;            // FL_MENU_DIVIDER draws a line after the item
  int needs_robot;      // 1: nothing happens while R is NULL
  void (*run)(void);    // the command; NULL does nothing yet
} MenuRow;

// the table in menu order, and its length
const MenuRow* MenuRows(int* n);
// the row of code, or NULL
const MenuRow* MenuRowOfCode(int code);

#endif
