// traj_solve.cpp -- a Cartesian trajectory solved point by point, as playback solves it
#include "traj/traj_solve.h"

#include "kin/ikp.h"  // for: InvKin(), GetJacobianCondOf()

//------------------------------------------------------------------ public API

int SolveTrajPoint(Robot r, JointConfig jc, CartesianTrajectoryPtr t, int i, double* rcond) {
  CartesianConfig target = &t->CC[i];
  int code = InvKin(r, jc, target);
  if (t->JC && t->JC[i].q)
    for (int j = 0; j < r->n; j++) t->JC[i].q[j] = jc->q[j];
  if (rcond) *rcond = GetJacobianCondOf(r, jc, target);
  return code;
}

int SolveTrajAll(Robot r, JointConfig jc, CartesianTrajectoryPtr t) {
  int failed = 0;
  for (int i = 0; i < t->ntp; i++)
    if (SolveTrajPoint(r, jc, t, i, nullptr) < 0) failed++;
  return failed;
}
