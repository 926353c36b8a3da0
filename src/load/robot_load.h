// robot_load.h -- the load transaction: a robot file read and prepared (bodies, lengths, model),
// and the current robot replaced by it, without any window
#ifndef VELMORA_ROBOT_LOAD_H
#define VELMORA_ROBOT_LOAD_H

#include "robot/robot.h"

// read "Arch/" + name (or name itself when it starts with '/' or '~') into a fully
// prepared robot: the record (links, class), characteristic length or average link length,
// bodies, end effector, model lookup; NULL after one message. The caller owns the result.
Robot ReadRobot(const char* name);
// the same for a robot-file text in memory, the robot named name; no file is read
Robot ReadRobotText(const char* text, const char* name);
// called with 1 when ReadRobot reads an all-revolute robot (the conditioning and Cartesian
// trajectory menu items become active), with 0 otherwise; NULL: nothing is called
void SetLoadMenuHook(void (*hook)(int active));

// the record steps of a robot load: end effector destroyed, robot, JC and CC freed; a running
// configuration move stopped; "Arch/" + name read; JC and CC made from it; both trajectories
// cleared; the work-environment selection reset; scale = 4 avg_len. Returns R, or NULL when
// the file did not load (after the reader's message): then no robot is loaded at all.
Robot LoadRobotRecords(const char* name);
// the current robot replaced by the one a robot-file text in memory describes, named name:
// JC (at the text's home values) and CC made from it; the trajectories, the work environment
// and scale stay. A text the reader refuses changes nothing (NULL after its message); NULL
// with no robot loaded only when memory ran out.
Robot LoadRobotText(const char* text, const char* name);
// the first steps alone: no robot, no JC, no CC afterwards
void UnloadRobot(void);

#endif
