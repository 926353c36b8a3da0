// reader.h -- robot description files: the parse into a robot record, and the writers
#ifndef VELMORA_READER_H
#define VELMORA_READER_H

#include "robot/robot.h"

//------------------------------------------------------------------ reading
// the most links a robot may have: the robot dialogs, the Forward Kinematics panel and the
// joint configuration files hold 30
#define ROBOT_MAX_LINKS 30

// parse "Arch/" + name (or name itself when it starts with '/' or '~') into a robot record:
// links prepared, limits, wrist flag, name, class (RobotType), end-effector type; avg_len is
// still the sum of a + |b|; NULL after one message. The caller owns the result.
Robot ReadRobotRecord(const char* name);
// the same parse of a robot-file text in memory, the robot named name (messages name it too)
Robot ReadRobotRecordText(const char* text, const char* name);
// the record steps after the parse: avg_len = sum / (2 n) unless length_done (the
// characteristic length set it), rad = avg_len / 8, identity hand frames, no procedures,
// no model
void FinishRobotRecord(Robot r, int length_done);
// a robot file read and its links prepared and classified, avg_len = sum(a + |b|) / (2 n),
// rad = avg_len / 8, no characteristic length, bodies or model lookup (tools, benchmarks)
Robot ParseRobot(const char* name);
// free a partly read robot (NULL allowed) and close the reader's file
void CleanAbort(Robot r);
// open link block: grow the link array by 8 when full, next index, a cleared link, the
// scratch link lt reset to the link defaults; 0, or -1 after a message when the robot
// already has ROBOT_MAX_LINKS links or the array cannot grow
int OpenNewLink(Robot r, LinkPtr lt, int* capacity, int* index);
// close link block: link index from the scratch link; the robot's limits switch and its
// running sum of a + |b|
void CloseNewLink(Robot r, LinkPtr lt, int index);

//------------------------------------------------------------------ writing
// one link of a robot file as a writer puts it out
typedef struct _RobotFileRow_ {
  int joint;                  // 0 revolute, 1 prismatic
  float a, b, al, th;
  int limits_on;              // write the limits line
  float qmin, qmax;
} RobotFileRow;

// Save: the robot's own file "Arch/" + r->name; the current joint values q (n entries)
// become the home pose (th of revolute, b of prismatic links); limits lim[k] are written
// for the links whose lim_on[k] is set (lim_on NULL: none); end-effector line when mounted.
// 0 when the file was completely written, else -1 after a message; an old file survives
// any failure
int SaveRobot(Robot r, const float* q, const int* lim_on, const float (*lim)[2]);
// the text Save would write into the robot's file, byte for byte, in memory (q, lim_on and
// lim as for Save; q NULL: the links' own th and b); the caller frees it; NULL when r has no
// links, or after a message when memory ran out
char* RobotText(Robot r, const float* q, const int* lim_on, const float (*lim)[2]);
// Save As: the same under a new file name (geometry "up" for up and full, "down" for down)
int SaveRobotAs(Robot r, const char* name, const float* q, const int* lim_on,
                const float (*lim)[2]);
// New Robot: n dialog rows, geometry always "up", no end-effector line
int SaveNewRobot(const char* name, int n, const RobotFileRow* rows);

#endif
