// fwdkin.h -- forward kinematics: link frames, the pose of the hand and its three angles, and
// the robot whose frames were evaluated last
#ifndef VELMORA_FWDKIN_H
#define VELMORA_FWDKIN_H

#include "robot/robot.h"

// joint limits that mean "no limit"; an unlimited revolute joint folds by whole turns
#define KIN_UNLIMITED_MIN (-100000.0f)
#define KIN_UNLIMITED_MAX 100000.0f

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

// the robot whose frames the task error reads and whose sizes ResetKin uses (NULL: the
// current robot R); a robot freed later is forgotten
void SetKinRobot(Robot robot);
// forget every reference to a robot that is being freed
void KinForgetRobot(Robot robot);
// the robot SetKinRobot or the last EvalQr_i named, else R
Robot KinRobot(void);
// the robot SetKinRobot or the last frame evaluation left (NULL: none), for a caller that
// switches robots and puts the previous one back
Robot GetKinRobot(void);

#endif
