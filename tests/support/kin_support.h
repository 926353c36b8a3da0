// kin_support.h -- test helpers for the kinematics: reference arms, an independent chain
// of homogeneous transforms and symmetric eigenvalues
#ifndef VELMORA_TESTS_KIN_SUPPORT_H
#define VELMORA_TESTS_KIN_SUPPORT_H

#include "robot/robot.h"

// the degree conversion every robot field uses
#define KS_PI 3.14159265

// reference arms (unlimited joints); the caller frees with FreeRobot
Robot KsPumaArm();          // 6R, type 0, lengths in metres
Robot KsSevenArm();         // 7R with an elbow offset, type 0, redundancy 1
Robot KsPrismaticArm();     // 6 joints, two of them prismatic
Robot KsWristArm();         // 3R with a = 0 on the first two links: orientation only

// T = product over links of Rz(theta) Tz(d) Tx(a) Rx(alpha), 4 x 4 homogeneous, computed
// from the link's al, th, a, b and the joint values; cos/sin of al and of a prismatic
// joint's th are rounded to float as the robot stores them
void KsChain(Robot r, const float* q, int upto, double T[4][4]);

// eigenvalues of the symmetric n x n matrix A (row-major, n <= 8) by cyclic Jacobi
void KsSymEig(const double* A, int n, double* eig);

// uniform in [lo, hi] from a small deterministic generator
double KsUniform(unsigned* state, double lo, double hi);

#endif
