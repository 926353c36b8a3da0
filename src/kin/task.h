// task.h -- the task error and task Jacobian the solvers drive to zero
#ifndef VELMORA_TASK_H
#define VELMORA_TASK_H

#include "kin/fwdkin.h"

// rows of the task error and Jacobian by task kind: spatial (type 0), orientation (type 2),
// position (type 4)
enum KinTaskRows { KinRowsSpatial = 7, KinRowsOrientation = 4, KinRowsPosition = 3 };
// what the last link frame must reach: A = Qd Ree' (type 0) or Qd (type 2), and for type 0
// the flange point c = pd - A tee; fixed for a solve, so the solvers form it once
typedef struct _TaskTarget_ {
  double A[3][3];
  double c[3];
} TaskTarget;

// the target of a solve of robot towards cc for task kind type
void KinTaskTarget(Robot robot, CartesianConfig cc, int type, TaskTarget* t);
// F2 of the current frames against a target formed by KinTaskTarget
double KinTaskError(Robot robot, CartesianConfig cc, const TaskTarget* t, double* fv);
// rows for a task kind, 0 for a kind that is not solved
int KinTaskRowsOf(int type);
// the joint axes and the matrix P of EvalObjJacobian for n joints, made afresh (0 frees them)
void KinTaskStorage(int n);
// the 3 x n joint axes of the last EvalObjJacobian
double** KinTaskAxes(void);
// axis zj of joint j in base coordinates and zj x rhoj, from the current frames
void KinJointColumn(const Link* L, int j, double z[3], double zr[3]);

// task error of the frames left by EvalQr_i/EvalQr_1 into f (7, 4 or 3 entries by
// cc->type); returns its norm
double F2(CartesianConfig cc, double* f);
// task Jacobian of the current frames into robot->J (and the axes Aj, the matrix P)
void EvalObjJacobian(int type, Robot robot, CartesianConfig cc);
// divide the position rows of revolute columns by robot->avg_len (types 0 and 4); the
// error of F2 already carries its 1/avg_len
void Normalize(int type, Robot robot);
// h[i] = q[i] pi / 180
void hproc(int n, JointConfig jc, double* h);
// H = n x n identity
void Hproc(int m, int n, JointConfig jc, double** H);

#endif
