// ikp.h -- the iterative inverse kinematics: Newton and redundant solvers, their settings and
// result texts, and the condition of the task Jacobian
#ifndef VELMORA_IKP_H
#define VELMORA_IKP_H

#include "kin/fwdkin.h"
#include "kin/task.h"

// sizes J and K by task kind, resets the solver storage, computes the pose, prints class lines
CartesianConfig CartesianConfigFromRobot(Robot r, JointConfig jc);
// the orientation Jacobian of the last EvalObjJacobian: 3 x n joint axes in base
// coordinates (zero columns for prismatic joints); the storage is made to fit robot and
// cc->type first; NULL for a task kind other than 0, 2, 4
double** GetAj(Robot robot, CartesianConfig cc);
// (re)allocate the solver work storage for the kinematics robot; Householder tolerance 1e-5
void ResetKin(JointConfig jc, CartesianConfig cc);

// result codes of the solvers; a joint's limit code is the base minus its 0-based index
enum InvResult {
  InvNotConverged = -1,        // "Did Not Converge"
  InvLimitExceeded = -2,       // "Joint Limit Exceeded"
  InvBelowMinimum = -601,      // - j: joint j ends below its minimum
  InvAboveMaximum = -701       // - j: joint j ends above its maximum
};

// Newton solve: steps taken (max + the fallback's steps when the fallback solved it),
// InvNotConverged, InvBelowMinimum - j / InvAboveMaximum - j; a code >= 0 leaves joints
// whose task error is below tol, a negative code the start joints bit for bit. Joint
// values that are not finite are refused with a message. A robot with redundancy above 0
// goes to RInvKin
int InvKin(Robot robot, JointConfig jc, CartesianConfig cc);
// minimum joint norm solve with step halving: 0 (task error below its tolerance), or the
// same negative codes. With an avoidance goal set, a solved pose is then moved down the
// goal's gradient projected into the null space of the task Jacobian, each move followed by
// Newton steps back onto the task; it is kept only while the task error stays below the
// tolerance and the joints inside their limits, else the plain solution is returned
int RInvKin(Robot robot, JointConfig jc, CartesianConfig cc);

// a goal the redundant solver moves away from: a potential P >= 0 of robot at joints q
// (degrees, lengths) and dP/dq per degree or per length into grad (n entries); 0 at rest
typedef double (*InvAvoidProc)(Robot robot, const float* q, double* grad);
// the goal of RInvKin's null-space motion; NULL (the start) for none
void SetInvAvoid(InvAvoidProc goal);
InvAvoidProc GetInvAvoid(void);
// switch the fallback of both solvers (damped steps and restarts after a failed iteration)
// on (1, the default) or off
void SetInvFallback(int on);
int GetInvFallback();

// the solvers' defaults: the Newton solver's (settable) and the redundant solver's (fixed)
// threshold on the task error norm and step limit
#define KIN_INV_TOL 5e-5
#define KIN_INV_MAX 40

void SetInvTol(double t);
void SetInvMax(int k);
double GetInvTol();
// the redundant solver's threshold on the task error norm
double GetRInvTol();
int GetInvMax();
// text of a result code; the joint messages share one static buffer
const char* InvErr(int code);
// reciprocal condition number of the current robot's normalised task Jacobian at jc;
// 0 when rank-deficient or for a task kind other than 0, 2, 4
double GetJacobianCond(JointConfig jc, CartesianConfig cc);
// the same value for any robot, without the rank line on standard output
double GetJacobianCondOf(Robot robot, JointConfig jc, CartesianConfig cc);
// the matrix whose 1/kappa these give, at jc: type 0 the joint axes (0 for a slide) over the
// position columns (zj x rhoj / avg_len for a revolute joint, zj for a slide), type 2 the
// axes, type 4 the position columns; into M (6 x n storage); its rows (6 or 3), or -1 for a
// task kind other than 0, 2, 4
int GetTaskJacobian(Robot robot, JointConfig jc, CartesianConfig cc, double** M);

#endif
