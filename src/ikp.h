// ikp.h -- forward kinematics, pose angles and the iterative inverse kinematics
#ifndef VELMORA_IKP_H
#define VELMORA_IKP_H

#include "robot.h"

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
// scale the Jacobian (type 4: also the solver's own error vector) by robot->avg_len
void Normalize(int type, Robot robot);
// h[i] = q[i] pi / 180
void hproc(int n, JointConfig jc, double* h);
// H = n x n identity
void Hproc(int m, int n, JointConfig jc, double** H);

// the robot whose storage ResetKin sizes (NULL: the current robot R)
void SetKinRobot(Robot robot);
// forget every reference to a robot that is being freed
void KinForgetRobot(Robot robot);
// (re)allocate the solver work storage for the kinematics robot; Householder tolerance 1e-5
void ResetKin(JointConfig jc, CartesianConfig cc);

// Newton solve: steps taken, -1 no convergence, -601-j / -701-j joint j below / above its
// limit; jc restored on failure; a robot with redundancy above 0 goes to RInvKin
int InvKin(Robot robot, JointConfig jc, CartesianConfig cc);
// minimum joint norm solve with step halving: 0, or the same negative codes
int RInvKin(Robot robot, JointConfig jc, CartesianConfig cc);

void SetInvTol(double t);
void SetInvMax(int k);
double GetInvTol();
int GetInvMax();
// text of a result code; the joint messages share one static buffer
const char* InvErr(int code);
// reciprocal condition number of the current robot's normalised task Jacobian at jc;
// 0 when rank-deficient or for a task kind other than 0, 2, 4
double GetJacobianCond(JointConfig jc, CartesianConfig cc);

#endif
