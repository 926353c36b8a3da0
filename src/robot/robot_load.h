// robot_load.h -- replacing the current robot as one transaction, without any window
#ifndef VELMORA_ROBOT_LOAD_H
#define VELMORA_ROBOT_LOAD_H

#include "robot/robot.h"

// the record steps of a robot load: end effector destroyed, robot, JC and CC freed; a running
// configuration move stopped; "Arch/" + name read; JC and CC made from it; both trajectories
// cleared; the work-environment selection reset; scale = 4 avg_len. Returns R, or NULL when
// the file did not load (after the reader's message): then no robot is loaded at all.
Robot LoadRobotRecords(const char* name);
// the first steps alone: no robot, no JC, no CC afterwards
void UnloadRobot(void);

#endif
