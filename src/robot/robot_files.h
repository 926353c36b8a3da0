// robot_files.h -- the rules of the robot dialogs that need no window: robot file names, the
// robot list, deleting a robot with its files, descriptions, and live link edits
#ifndef VELMORA_ROBOT_FILES_H
#define VELMORA_ROBOT_FILES_H

#include "robot/robot.h"

#define ROBOT_NAME_MAX 63        // longest robot name: the robot record keeps 63 characters
#define DESCRIPTION_MAX 65536    // a description is shown up to this many bytes

//------------------------------------------------------------------ names
// NULL when a typed name may become a file of "Arch", "Description" and "JConfig"; else the
// reason, for the message line: the file-name rule (FileNameProblem) with ROBOT_NAME_MAX
const char* RobotNameProblem(const char* name);
// 1 when an entry of "Arch" belongs in the robot list: FileNameListed (no leading "." or "~",
// no trailing "~" or ".CKP")
int arch_fill_match(const char* entry);
// 1 when an entry of "JConfig" belongs to robot name: no leading ".", no trailing "~", name,
// then "." at position strlen(name) ("arm" takes "arm.home", never "arm2.home")
int robot_delete_match(const char* entry, const char* name);

//------------------------------------------------------------------ the robot list
typedef struct _NameList_ {
  int n;                       // names in use
  int cap;                     // room in name
  char** name;                 // n heap strings, sorted by strcmp
} NameList, *NameListPtr;

// the regular files of "Arch" that arch_fill_match accepts, sorted; an empty list when the
// directory cannot be read
NameListPtr ListRobotFiles(void);
// names, then the array, then the record; NULL does nothing
void FreeNameList(NameListPtr l);

//------------------------------------------------------------------ deleting
enum RobotDeleteResult {
  RobotDeleted = 0,            // robot file, description and joint configurations removed
  RobotInUse = 1,              // the current robot: nothing removed
  RobotBadName = -1,           // a name RobotNameProblem refuses: nothing removed
  RobotNotRemoved = -2         // the robot file stays (permissions); nothing else removed
};
// remove "Arch/" + name, "Description/" + name and the entries of "JConfig" that
// robot_delete_match accepts; current is the loaded robot's name or NULL
int DeleteRobotFiles(const char* name, const char* current);

//------------------------------------------------------------------ descriptions
// "Description/" + name as a heap string (free()), at most DESCRIPTION_MAX bytes; NUL bytes
// become spaces, and newlines too when flatten is 1; "" when the file is missing
char* ReadDescription(const char* name, int flatten);
// "Description/" + name through a temporary file; 0, or -1 after a message (old file kept)
int WriteDescription(const char* name, const char* text);
// the description of from copied to to (an empty one when from has none); 0 or -1
int CopyDescription(const char* from, const char* to);

//------------------------------------------------------------------ live link edits
// set a link's joint kind and DH values in place and keep |b|, its sign, the cosines and
// sines and the home value in step; Q_i, Q_1, limits and bodies are left as they are
void SetLinkParams(LinkPtr l, int joint, float a, float b, float al, float th);
// the length scale as a read of the robot's file gives it: all revolute, the characteristic
// length (with the maximum reach for types 0 and 4) or sum(a + |b|) / (2 n) when none is
// found; with a prismatic joint sum(a + |b|) / (2 n); then rad = avg_len / 8
void RecomputeLengthScale(Robot r);

#endif
