// fwdkin.cpp -- forward kinematics: link frames, the pose of the hand and its three angles
#include "kin/fwdkin.h"

#include <math.h>    // for: sqrt()

#include "robot/app_state.h"  // for: R, allRevolute
#include "matrix/pair.h"      // for: Pair, two rows of a product at a time
#include "matrix/trig.h"      // for: SinCosPair(), Atan2Pair(), Atan2()
#include "base/message.h"     // for: VmMessage()
#include "base/consts.h"      // for: VM_PI

//------------------------------------------------------------------ module state
static Robot kin_robot = nullptr;      // whose frames F2 reads and whose sizes ResetKin uses

//------------------------------------------------------------------ public API: the robot

void SetKinRobot(Robot robot) {
  kin_robot = robot;
  AddRobotFreeHook(KinForgetRobot);     // a freed robot is never read again
}

void KinForgetRobot(Robot robot) {
  if (kin_robot == robot) kin_robot = nullptr;
}

Robot KinRobot(void) { return kin_robot ? kin_robot : R; }

Robot GetKinRobot(void) { return kin_robot; }

//------------------------------------------------------------------ forward kinematics

// Q_i = Rz(theta) Rx(al), a_i = (a c, a s, d); c, s of theta
static void link_frame(LinkPtr l, double c, double s, double d) {
  double ca = l->cal, sa = l->sal;
  double* Q = l->Q_i[0];                         // the nine entries are one block
  Q[0] = c;  Q[1] = -ca*s;  Q[2] = sa*s;
  Q[3] = s;  Q[4] = ca*c;   Q[5] = -sa*c;
  Q[6] = 0;  Q[7] = sa;     Q[8] = ca;
  l->a_i[0] = l->a*c;  l->a_i[1] = l->a*s;  l->a_i[2] = d;
}

// Q_i = Rz(theta) Rx(al), a_i = (a c, a s, d). The sines and cosines go first, two joints
// at a time and eight joints to a batch, in a loop of nothing else, so that the polynomials
// of several joints overlap; the frames are written after. A slide's lane takes angle 0 (its
// theta is fixed: cth, sth), so its length never sends a revolute neighbour to the library.
void EvalQr_i(Robot robot, JointConfig jc) {
  if (robot != kin_robot) SetKinRobot(robot);
  int n = robot->n;
  const float* q = jc->q;
  const Link* L = robot->L;
  for (int i0 = 0; i0 < n; i0 += 8) {
    int m = n - i0 < 8 ? n - i0 : 8;
    Pair s[4], c[4];
    for (int p = 0; 2*p < m; p++) {
      int i = i0 + 2*p, j = 2*p + 1 < m ? i + 1 : i;
      float qi = L[i].joint == 0 ? q[i] : 0.0f, qj = L[j].joint == 0 ? q[j] : 0.0f;
      Pair th = PairOf2(qi, qj)*PairOf(VM_PI)/PairOf(180.0);
      SinCosPair(th, &s[p], &c[p]);
    }
    for (int k = 0; k < m; k++) {
      LinkPtr l = &robot->L[i0 + k];
      if (l->joint == 0) link_frame(l, c[k/2][k & 1], s[k/2][k & 1], l->b);
      else link_frame(l, l->cth, l->sth, q[i0 + k]);
    }
  }
}

// Q_1(i) = Q_1(i-1) Q_i(i); r_1(i) = a_i(i) + Q_i(i) r_1(i+1). A 3 x 3 matrix is one block
// of nine (row 0 points at it), read and written flat. The running product stays in
// registers by columns, rows 0 and 1 in a Pair and row 2 beside it, so one lane operation
// serves two rows; the forward product and the backward sum are independent, so one loop
// steps both and their chains overlap. Every sum runs over the ascending inner index, as the
// library's products, which start at 0: a sum starting at 0 differs from one starting at
// its first term only in the sign of a zero result, and that sign never changes the value
// of a later sum, so the chains carry the shorter sums and the stored results add the 0.
void EvalQr_1(Robot robot) {
  int n = robot->n;
  Link* L = robot->L;
  Pair top[3];
  double bot[3];
  {
    const double* a = L[0].Q_i[0];
    double* b = L[0].Q_1[0];
    for (int k = 0; k < 9; k++) b[k] = a[k];
    for (int k = 0; k < 3; k++) {
      top[k] = PairOf2(a[k], a[3 + k]);
      bot[k] = a[6 + k];
    }
  }
  // rows 0 and 1 of the vector in a Pair, row 2 beside it; the next step reads its lanes
  Pair v01 = PairOf2(L[n - 1].a_i[0], L[n - 1].a_i[1]);
  double v2 = L[n - 1].a_i[2];
  for (int j = 0; j < 3; j++) L[n - 1].r_1[j] = L[n - 1].a_i[j];
  for (int i = 1; i < n; i++) {
    const double* Q = L[i].Q_i[0];
    double* D = L[i].Q_1[0];
    Pair t[3];
    double b[3];
    // Q_i's entry (2, 0) is 0 by construction: its term adds only a zero of either sign
    t[0] = top[0]*PairOf(Q[0]) + top[1]*PairOf(Q[3]);
    b[0] = bot[0]*Q[0] + bot[1]*Q[3];
    for (int k = 1; k < 3; k++) {
      t[k] = top[0]*PairOf(Q[k]) + top[1]*PairOf(Q[3 + k]) + top[2]*PairOf(Q[6 + k]);
      b[k] = bot[0]*Q[k] + bot[1]*Q[3 + k] + bot[2]*Q[6 + k];
    }
    for (int k = 0; k < 3; k++) {
      Pair tz = t[k] + PairZero();
      D[k] = tz[0];  D[3 + k] = tz[1];  D[6 + k] = b[k] + 0.0;
      top[k] = t[k];  bot[k] = b[k];
    }
    int m = n - 1 - i;                             // the backward step
    const double* R = L[m].Q_i[0];
    const double* a = L[m].a_i;
    double x = v01[0], y = v01[1], z = v2;
    Pair s = PairOf2(R[0], R[3])*PairOf(x) + PairOf2(R[1], R[4])*PairOf(y) +
             PairOf2(R[2], R[5])*PairOf(z);
    double s2 = R[7]*y + R[8]*z;                   // R[6] is 0, as above
    v01 = PairOf2(a[0], a[1]) + s;
    v2 = a[2] + s2;
    Pair vz = v01 + PairZero();
    L[m].r_1[0] = vz[0];  L[m].r_1[1] = vz[1];  L[m].r_1[2] = v2 + 0.0;
  }
}

// pose by cc->type: 0 full (tool and payload), 1 position twice, 2 orientation, 4 position
int FwdKin(Robot robot, JointConfig jc, CartesianConfig cc) {
  if (!robot || robot->n < 1) return -1;
  int type = cc->type;
  if (type != 0 && type != 1 && type != 2 && type != 4) {
    VmMessage(MsgWarning, "Cartesian Configuration is no good\n");
    return -1;
  }
  EvalQr_i(robot, jc);
  EvalQr_1(robot);
  double** Qn = robot->L[robot->n - 1].Q_1;
  double* r0 = robot->L[0].r_1;
  if (type == 0) {
    // [Q | r - r0] = N E by rows, columns 0, 1 and 2, 3 of E in two Pairs
    const double* N = Qn[0];
    Matrix& E = robot->EE.Qee;
    Pair e01[3], e23[3];
    for (int k = 0; k < 3; k++) {
      e01[k] = PairOf2(E[k][0], E[k][1]);
      e23[k] = PairOf2(E[k][2], E[k][3]);
    }
    for (int j = 0; j < 3; j++) {
      Pair a = PairZero() + PairOf(N[3*j])*e01[0];
      Pair b = PairZero() + PairOf(N[3*j])*e23[0];
      a += PairOf(N[3*j + 1])*e01[1];
      b += PairOf(N[3*j + 1])*e23[1];
      a += PairOf(N[3*j + 2])*e01[2];
      b += PairOf(N[3*j + 2])*e23[2];
      cc->Q[j][0] = a[0];  cc->Q[j][1] = a[1];  cc->Q[j][2] = b[0];
      cc->r[j] = r0[j] + b[1];
    }
    if (ShowPayload) {
      for (int j = 0; j < 3; j++) {
        double s = 0.0;
        for (int k = 0; k < 3; k++) s += N[3*j + k]*Payload_info[k];
        cc->r[j] += s;
      }
    }
    DecomposeQ(cc);
  } else if (type == 1) {
    for (int j = 0; j < 3; j++) cc->r[j] = cc->rB[j] = r0[j];
  } else if (type == 2) {
    for (int j = 0; j < 3; j++)
      for (int i = 0; i < 3; i++) cc->Q[j][i] = Qn[j][i];
    DecomposeQ(cc);
  } else {
    for (int j = 0; j < 3; j++) cc->r[j] = r0[j];
  }
  return 0;
}

// ang[1] = atan2(Q02, c), c = sqrt(1 - Q02^2); at gimbal lock (c <= 1e-5) ang[0] = 0
void DecomposeQ(CartesianConfig cc) {
  double (*Q)[3] = cc->Q;
  // a product of rotations may carry |Q02| an ulp above 1: that is the lock, not a NaN
  double c2 = 1.0 - Q[0][2]*Q[0][2];
  double c = sqrt(c2 > 0.0 ? c2 : 0.0);
  double a0, a1, a2;
  a1 = Atan2(Q[0][2], c);
  if (c > 1e-5) {
    // atan2(-Q01/c, Q00/c) and atan2(-Q12/c, Q22/c): c > 0 scales both arguments alike and
    // leaves the angle, so the divisions are left out
    Pair a = Atan2Pair(PairOf2(-Q[0][1], -Q[1][2]), PairOf2(Q[0][0], Q[2][2]));
    a2 = a[0];
    a0 = a[1];
  } else {
    a0 = 0.0;
    a2 = Atan2(Q[1][0], Q[1][1]);
  }
  cc->ang[0] = a0*180.0/VM_PI;
  cc->ang[1] = a1*180.0/VM_PI;
  cc->ang[2] = a2*180.0/VM_PI;
}

// Q = Rx(ang[0]) Ry(ang[1]) Rz(ang[2])
void ConstructQ(CartesianConfig cc) {
  double x = cc->ang[0]*VM_PI/180.0, y = cc->ang[1]*VM_PI/180.0,
         z = cc->ang[2]*VM_PI/180.0;
  double cx = cos(x), sx = sin(x), cy = cos(y), sy = sin(y), cz = cos(z), sz = sin(z);
  double (*Q)[3] = cc->Q;
  Q[0][0] = cy*cz;                Q[0][1] = -cy*sz;                Q[0][2] = sy;
  Q[1][0] = sx*sy*cz + cx*sz;     Q[1][1] = -sx*sy*sz + cx*cz;     Q[1][2] = -sx*cy;
  Q[2][0] = -cx*sy*cz + sx*sz;    Q[2][1] = cx*sy*sz + sx*cz;      Q[2][2] = cx*cy;
}

// v = ((Q21 - Q12)/2, (Q02 - Q20)/2, (Q10 - Q01)/2)
void Vect(double Q[3][3], double v[3]) {
  v[0] = (Q[2][1] - Q[1][2])/2;
  v[1] = (Q[0][2] - Q[2][0])/2;
  v[2] = (Q[1][0] - Q[0][1])/2;
}

double Trace(double Q[3][3]) {
  return Q[0][0] + Q[1][1] + Q[2][2];
}

double Norm(double* v, int n) {
  double s = 0.0;
  for (int i = 0; i < n; i++) s += v[i]*v[i];
  return sqrt(s);
}
