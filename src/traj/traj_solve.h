// traj_solve.h -- a Cartesian trajectory solved point by point, as playback solves it
#ifndef VELMORA_TRAJ_SOLVE_H
#define VELMORA_TRAJ_SOLVE_H

#include "robot/robot.h"

// point i of t solved by InvKin from the joints in jc, which keep what the solver left
// (the start values after a failure); those joints recorded in t->JC[i]. Returns the
// solver's code; *rcond (when not NULL) gets 1/kappa of the task Jacobian there, silently
int SolveTrajPoint(Robot r, JointConfig jc, CartesianTrajectoryPtr t, int i, double* rcond);
// every point in order from the joints in jc; the number of points the solver refused
int SolveTrajAll(Robot r, JointConfig jc, CartesianTrajectoryPtr t);

#endif
