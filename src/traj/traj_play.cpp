// traj_play.cpp -- playing trajectories: posing a point, one tick of continuous playback, and
// the obstacles that move with the joint trajectory
#include "traj/traj_play.h"

#include "robot/app_state.h"  // for: R, JC, CC, CT, JT
#include "kin/ikp.h"        // for: InvKin(), FwdKin()

//------------------------------------------------------------------ posing one point

int CartTrajPosePoint(Robot r, JointConfig jc, CartesianConfig cc, CartesianTrajectoryPtr t,
                      int k) {
  if (!r || !jc || !cc || !t || !t->active || !t->CC || k < 0 || k >= t->ntp) return -1;
  int rc = InvKin(r, jc, &t->CC[k]);
  if (t->JC && t->JC[k].q)
    for (int j = 0; j < r->n; j++) t->JC[k].q[j] = jc->q[j];
  FwdKin(r, jc, cc);
  return rc;
}

int JointTrajPosePoint(Robot r, JointConfig jc, CartesianConfig cc, JointTrajectoryPtr t, int k) {
  if (!r || !jc || !cc || !t || !t->active || !t->JC || k < 0 || k >= t->ntp || !t->JC[k].q)
    return -1;
  for (int j = 0; j < r->n; j++) jc->q[j] = t->JC[k].q[j];
  FwdKin(r, jc, cc);
  return 0;
}

//------------------------------------------------------------------ continuous playback

int CartTrajTick(CartesianTrajectoryPtr t, int dir) {
  if (!t->active || t->ntp < 1 || (dir != 1 && dir != -1) || t->state != dir)
    return TRAJ_TICK_IDLE;
  t->ctp += dir;
  if (t->ctp >= t->ntp || t->ctp < 0) {     // stepped past an end: stay on it
    t->ctp = dir > 0 ? t->ntp - 1 : 0;
    t->state = 0;
    return TRAJ_TICK_END;
  }
  return TRAJ_TICK_STEP;
}

int JointTrajTick(JointTrajectoryPtr t, int dir) {
  if (!t->active || t->ntp < 1 || (dir != 1 && dir != -1) || t->state != dir)
    return TRAJ_TICK_IDLE;
  t->ctp += dir;
  if ((dir > 0 && t->ctp >= t->last) || (dir < 0 && t->ctp <= 0)) {
    t->ctp = dir > 0 ? t->last : 0;
    t->state = 0;
    return TRAJ_TICK_END;
  }
  return TRAJ_TICK_STEP;
}

int TrajStepTarget(int ctp, int last, int dir) {
  if (last < 0) return -1;
  if (dir > 0) return ctp < last ? (ctp < 0 ? 0 : ctp + 1) : -1;
  if (ctp < 0) return last;
  return ctp > 0 ? ctp - 1 : -1;
}
