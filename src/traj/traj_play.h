// traj_play.h -- playing trajectories: posing a point, one tick of continuous playback, and
// the obstacles that move with the joint trajectory
#ifndef VELMORA_TRAJ_PLAY_H
#define VELMORA_TRAJ_PLAY_H

#include "robot/robot.h"

// what one tick of continuous playback did
enum TrajTick {
  TRAJ_TICK_IDLE = 0,   // the trajectory does not run this way (state differs): nothing moved
  TRAJ_TICK_STEP = 1,   // ctp advanced one point
  TRAJ_TICK_END = 2     // ctp reached the end of the run and state is 0 now
};

//------------------------------------------------------------------ posing one point
// point k of the Cartesian trajectory t: InvKin(r, jc, &t->CC[k]) from the current joints
// (its result is returned, not checked: the robot keeps the pose the solver left), the
// joint solution recorded in t->JC[k] for "Save JT", then FwdKin(r, jc, cc). -1 and nothing
// done when t holds no point k or a record is missing
int CartTrajPosePoint(Robot r, JointConfig jc, CartesianConfig cc, CartesianTrajectoryPtr t,
                      int k);
// point k of the joint trajectory t: jc->q = t->JC[k].q, then FwdKin(r, jc, cc); 0, or -1 and
// nothing done when t holds no point k or a record is missing
int JointTrajPosePoint(Robot r, JointConfig jc, CartesianConfig cc, JointTrajectoryPtr t, int k);

//------------------------------------------------------------------ continuous playback
// one tick of a Cartesian run in direction dir (1 forward, -1 reverse) while t->state = dir:
// ctp + dir; past either end ctp goes back to the end point (posed a second time) and the
// run ends. Returns TRAJ_TICK_IDLE when t is not loaded or state is not dir
int CartTrajTick(CartesianTrajectoryPtr t, int dir);
// the same for a joint run, which ends on reaching last (forward) or 0 (reverse)
int JointTrajTick(JointTrajectoryPtr t, int dir);

// the point a single step from ctp in direction dir reaches: forward ctp + 1 up to last;
// reverse ctp - 1 down to 0, and last when not started (ctp -1); -1 when there is none
// (forward at last, reverse at 0, nothing loaded)
int TrajStepTarget(int ctp, int last, int dir);

#endif
