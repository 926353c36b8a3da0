// ikp_fallback.h -- damped least squares with restarts, for solves the Newton iteration misses
#ifndef VELMORA_IKP_FALLBACK_H
#define VELMORA_IKP_FALLBACK_H

#include "robot/robot.h"

// Levenberg-Marquardt on the task error of F2 from the start joints q0 (adaptive damping),
// then restarts from deterministic points ever farther from the start; joints stay inside
// their limits when the robot's limits are on. jc gets the solution nearest to the start
// (task error below tl, unlimited revolute joints within half a turn of the start folded
// into (-360, 360)) and the number of error evaluations used is returned; -1 when none was
// found within the evaluation budget (jc then holds arbitrary values). The solver storage
// must be ready for robot and cc.
int IkFallback(Robot robot, JointConfig jc, CartesianConfig cc, double tl, const double* q0);

#endif
