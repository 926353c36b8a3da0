// ikp.h -- forward kinematics, pose angles and the iterative inverse kinematics
#ifndef VELMORA_IKP_H
#define VELMORA_IKP_H

#include "robot/robot.h"

// rows of the task error and Jacobian by task kind: spatial (type 0), orientation (type 2),
// position (type 4)
enum KinTaskRows { KinRowsSpatial = 7, KinRowsOrientation = 4, KinRowsPosition = 3 };
// joint limits that mean "no limit"; an unlimited revolute joint folds by whole turns
#define KIN_UNLIMITED_MIN (-100000.0f)
#define KIN_UNLIMITED_MAX 100000.0f

//------------------------------------------------------------------ forward kinematics
// robot->type: 2 when all joints are revolute and a = 0 on every link but the last,
// else 4 for n < 6 and 0 for n >= 6; sets allRevolute
void RobotType(Robot robot);
// Q_i = Rz(theta) Rx(al), a_i = (a c, a s, d) of every link at jc; remembers the robot
// as the one whose frames the error function reads
void EvalQr_i(Robot robot, JointConfig jc);
// Q_1(i) = Q_1(i-1) Q_i(i); r_1(n-1) = a_i(n-1), r_1(i) = a_i(i) + Q_i(i) r_1(i+1)
void EvalQr_1(Robot robot);
// pose of robot at jc into cc by cc->type; 0, or -1 (one message, no pose) for a bad type
int FwdKin(Robot robot, JointConfig jc, CartesianConfig cc);
// ang from Q, Q = Rx(ang[0]) Ry(ang[1]) Rz(ang[2]), degrees; ang[0] = 0 at gimbal lock
void DecomposeQ(CartesianConfig cc);
// Q from ang
void ConstructQ(CartesianConfig cc);
// v = axial vector of the skew part of Q
void Vect(double Q[3][3], double v[3]);
// Q[0][0] + Q[1][1] + Q[2][2]
double Trace(double Q[3][3]);
// Euclidean norm, summed from the first element
double Norm(double* v, int n);

//------------------------------------------------------------------ inverse kinematics
// task error of the frames left by EvalQr_i/EvalQr_1 into f (7, 4 or 3 entries by
// cc->type); returns its norm
double F2(CartesianConfig cc, double* f);
// task Jacobian of the current frames into robot->J (and the axes Aj, the matrix P)
void EvalObjJacobian(int type, Robot robot, CartesianConfig cc);
// the orientation Jacobian of the last EvalObjJacobian: 3 x n joint axes in base
// coordinates (zero columns for prismatic joints); the storage is made to fit robot and
// cc->type first; NULL for a task kind other than 0, 2, 4
double** GetAj(Robot robot, CartesianConfig cc);
// divide the position rows of revolute columns by robot->avg_len (types 0 and 4); the
// error of F2 already carries its 1/avg_len
void Normalize(int type, Robot robot);
// h[i] = q[i] pi / 180
void hproc(int n, JointConfig jc, double* h);
// H = n x n identity
void Hproc(int m, int n, JointConfig jc, double** H);

// the robot whose storage ResetKin sizes (NULL: the current robot R)
void SetKinRobot(Robot robot);
// the robot SetKinRobot or the last frame evaluation left (NULL: none), for a caller that
// switches robots and puts the previous one back
Robot GetKinRobot(void);
// forget every reference to a robot that is being freed
void KinForgetRobot(Robot robot);
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
// same negative codes
int RInvKin(Robot robot, JointConfig jc, CartesianConfig cc);
// switch the fallback of both solvers (damped steps and restarts after a failed iteration)
// on (1, the default) or off
void SetInvFallback(int on);
int GetInvFallback();

void SetInvTol(double t);
void SetInvMax(int k);
double GetInvTol();
int GetInvMax();
// text of a result code; the joint messages share one static buffer
const char* InvErr(int code);
// reciprocal condition number of the current robot's normalised task Jacobian at jc;
// 0 when rank-deficient or for a task kind other than 0, 2, 4
double GetJacobianCond(JointConfig jc, CartesianConfig cc);
// the same value for any robot, without the rank line on standard output
double GetJacobianCondOf(Robot robot, JointConfig jc, CartesianConfig cc);

#endif
