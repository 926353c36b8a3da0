// ikp.cpp -- forward kinematics, pose angles and the iterative inverse kinematics
#include "kin/ikp.h"

#include <math.h>    // for: sin(), cos(), sqrt(), fmod(), fabsf(), isfinite()
#include <stdio.h>   // for: printf(), fprintf(), snprintf()

#include "robot/app_state.h"
#include "kin/ikp_fallback.h"
#include "matrix/matrix.h"
#include "matrix/pair.h"  // for: Pair, two rows of a product at a time
#include "matrix/trig.h"  // for: SinCosPair(), Atan2Pair(), Atan2()
#include "base/message.h"  // for: VmMessage()
#include "base/consts.h"  // for: VM_PI


//------------------------------------------------------------------ module state
static double tol = 5e-5;              // Newton: threshold on the task error norm
static int max = 40;                   // Newton: step limit
static double ConMinTol = 5e-5;        // redundant solver: copies taken at start-up
static int ConMinMaxIter = 40;
static double ConMinDamp = 0.5;        // redundant solver: step-halving factor
static int fallback_on = 1;            // both solvers: try harder before reporting failure

static Robot kin_robot = nullptr;      // whose frames F2 reads and whose sizes ResetKin uses

// work storage, sized by ResetKin for n joints and jm task rows
static int initialized = 0;
static int cap_n = 0, cap_jm = 0;
static double** Aj = nullptr;          // 3 x n joint axes in base coordinates
static double** P = nullptr;           // 3 x 3, trace(R) I - R
static double* f = nullptr;            // task error, then the step; max(jm, n)
static double* u = nullptr;            // Householder scalars; max(jm, n)
static int* pv = nullptr;              // pivots; max(jm, n)
static double* q0 = nullptr;           // joint values at the start of a solve
static double* h = nullptr;            // redundant solver objective
static double** H = nullptr;           // and its Jacobian, n x n
static double* dx = nullptr;           // redundant solver step, n
static double** Gf = nullptr;          // redundant solver: a copy of J factorised, jm x n,
static double* vg = nullptr;           // its reflection vector, max(jm, n)
static int* pg = nullptr;              // and its row pivots, max(jm, n)

static char err_text[64];              // InvErr's joint messages

//------------------------------------------------------------------ static helpers

// rows of the task error for a task kind, 0 for a kind that is not solved
static int task_rows(int type) {
  if (type == 0) return KinRowsSpatial;
  if (type == 2) return KinRowsOrientation;
  if (type == 4) return KinRowsPosition;
  return 0;
}

static void free_storage() {
  if (!initialized) return;
  JmFreeMatrix(Aj);  JmFreeMatrix(P);
  JmFreeVector(f);  JmFreeVector(u);  JmFreeIVector(pv);
  JmFreeVector(q0);  JmFreeVector(h);  JmFreeMatrix(H);  JmFreeVector(dx);
  JmFreeMatrix(Gf);  JmFreeVector(vg);  JmFreeIVector(pg);
  Aj = P = H = Gf = nullptr;  f = u = q0 = h = dx = vg = nullptr;  pv = pg = nullptr;
  initialized = 0;  cap_n = cap_jm = 0;
}

static void alloc_storage(int n, int jm) {
  free_storage();
  int mx = jm > n ? jm : n;
  Aj = JmMatrix(3, n);  P = JmMatrix(3, 3);
  f = JmVector(mx);  u = JmVector(mx);  pv = JmIVector(mx);
  q0 = JmVector(n);  h = JmVector(n);  H = JmMatrix(n, n);  dx = JmVector(n);
  Gf = JmMatrix(jm, n);  vg = JmVector(mx);  pg = JmIVector(mx);
  JmZeroMatrix(Aj, 3, n);  JmZeroMatrix(P, 3, 3);
  JmZeroVector(f, mx);  JmZeroVector(u, mx);
  cap_n = n;  cap_jm = jm;  initialized = 1;
}

// storage large enough for this robot; a solver may be handed a robot ResetKin never saw
static int ready_for(Robot robot, CartesianConfig cc) {
  if (!robot || !robot->J || robot->n < 1) return 0;
  int rows = task_rows(cc->type);
  if (rows == 0 || rows != robot->jm) return 0;
  if (!initialized || robot->n > cap_n || robot->jm > cap_jm) alloc_storage(robot->n, robot->jm);
  return 1;
}

static void frames(Robot robot, JointConfig jc) {
  EvalQr_i(robot, jc);
  EvalQr_1(robot);
}

static void save_q(Robot robot, JointConfig jc) {
  for (int j = 0; j < robot->n; j++) q0[j] = jc->q[j];
}

static void restore_q(Robot robot, JointConfig jc) {
  for (int j = 0; j < robot->n; j++) jc->q[j] = (float)q0[j];
}

// a revolute joint brought strictly inside (-360, 360) by whole turns, its sign kept; fmod is
// exact, so ordinary values fold as by subtracting 360 times the truncated turn count
static void reduce_turns(float* q) {
  if (fabsf(*q) < 360.0f) return;              // fmod would return it unchanged
  *q = (float)fmod(*q, 360.0);
}

// a joint value that is not a number or infinite is refused before anything moves
static int joints_finite(Robot robot, JointConfig jc) {
  for (int j = 0; j < robot->n; j++) {
    if (!isfinite(jc->q[j])) {
      fprintf(stderr, "Joint %d value is not a finite number\n", j + 1);
      return 0;
    }
  }
  return 1;
}

// the task error of the joints in jc is below tl
static int task_met(Robot robot, JointConfig jc, CartesianConfig cc, double tl) {
  frames(robot, jc);
  return F2(cc, f) < tl;
}

// first limit violation in index order (maximum before minimum), then unlimited revolute
// joints folded into [-360, 360]; 0 or the limit code
static int check_joints(Robot robot, JointConfig jc) {
  for (int j = 0; j < robot->n; j++) {
    LinkPtr l = &robot->L[j];
    float* q = &jc->q[j];
    if (robot->limits == 1 && *q > l->q_limit[1]) return InvAboveMaximum - j;
    if (robot->limits == 1 && *q < l->q_limit[0]) return InvBelowMinimum - j;
    if (l->joint == 0) {
      // whole turns off: above 360 into (0, 360], below -360 into [-360, 0)
      if (l->q_limit[1] == KIN_UNLIMITED_MAX && *q > 360) {
        *q = (float)fmod(*q, 360.0);
        if (*q == 0.0f) *q = 360.0f;
      }
      if (l->q_limit[0] == KIN_UNLIMITED_MIN && *q < -360) {
        *q = (float)fmod(*q, 360.0);
        if (*q == 0.0f) *q = -360.0f;
      }
    }
  }
  return 0;
}

//------------------------------------------------------------------ forward kinematics

// type 2 when all revolute and every joint axis passes through one point: a = 0 on all
// links but the last and b = 0 on all links but the first and the last (an offset there
// moves the later axes off the common point, and the hand then has a position to reach);
// otherwise 4 (n < 6) or 0
void RobotType(Robot robot) {
  int n = robot->n, rev = 1, concurrent = 1;
  for (int i = 0; i < n; i++) {
    if (robot->L[i].joint != 0) rev = 0;
    if (i < n - 1 && robot->L[i].a != 0.0f) concurrent = 0;
    if (i > 0 && i < n - 1 && robot->L[i].b != 0.0f) concurrent = 0;
  }
  allRevolute = rev;
  if (rev && concurrent) robot->type = 2;
  else robot->type = n < 6 ? 4 : 0;
}

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
  kin_robot = robot;
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
  frames(robot, jc);
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

//------------------------------------------------------------------ task error and Jacobian

// what the last link frame must reach: A = Qd Ree' (type 0) or Qd (type 2), and for type 0
// the flange point c = pd - A tee; fixed for a solve, so the solvers form it once
typedef struct _TaskTarget_ {
  double A[3][3];
  double c[3];
} TaskTarget;

static void task_target(Robot robot, CartesianConfig cc, int type, TaskTarget* t) {
  if (type == 0) {
    Matrix& E = robot->EE.Qee;
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) {
        double s = 0.0;
        for (int k = 0; k < 3; k++) s += cc->Q[i][k]*E[j][k];
        t->A[i][j] = s;
      }
    }
    for (int i = 0; i < 3; i++) {
      double s = 0.0;
      for (int k = 0; k < 3; k++) s += t->A[i][k]*E[k][3];
      t->c[i] = cc->r[i] - s;
    }
  } else {
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) t->A[i][j] = cc->Q[i][j];
  }
}

// R = Qn A'
static void orientation_error(double** Qn, const double A[3][3], double R[3][3]) {
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) {
      double s = 0.0;
      for (int k = 0; k < 3; k++) s += Qn[i][k]*A[j][k];
      R[i][j] = s;
    }
  }
}

// F2 of the current frames against a target formed by task_target
static double task_error(Robot robot, CartesianConfig cc, const TaskTarget* t, double* fv) {
  int type = cc->type;
  int rows = task_rows(type);
  double** Qn = robot->L[robot->n - 1].Q_1;
  double* r0 = robot->L[0].r_1;
  double L = robot->avg_len;
  if (type == 0 || type == 2) {
    double Rm[3][3];
    orientation_error(Qn, t->A, Rm);
    for (int i = 0; i < 3; i++) Rm[i][i] -= 1.0;
    Vect(Rm, fv);
    fv[3] = Trace(Rm);
    if (type == 0)
      for (int i = 0; i < 3; i++) fv[4 + i] = (r0[i] - t->c[i])/L;
  } else {
    for (int i = 0; i < 3; i++) fv[i] = (r0[i] - cc->r[i])/L;
  }
  return Norm(fv, rows);
}

// type 0: Vect(R), Trace(R) with R = Qn A' - I, then (r0 - c)/L, c = pd - A tee;
// type 2: the same rotation part with A = Qd; type 4: (r0 - pd)/L
double F2(CartesianConfig cc, double* fv) {
  Robot robot = kin_robot ? kin_robot : R;
  if (!robot || task_rows(cc->type) == 0) return 0.0;
  TaskTarget t;
  task_target(robot, cc, cc->type, &t);
  return task_error(robot, cc, &t, fv);
}

// axis zj of joint j in base coordinates and zj x rhoj, formed in the joint's own frame,
// where the axis is z: B (-y, x, 0) with B = Q_1(j - 1) and (x, y) from r_1(j)
static void joint_column(const Link* L, int j, double z[3], double zr[3]) {
  if (j == 0) {
    z[0] = 0;  z[1] = 0;  z[2] = 1;
    zr[0] = -L[0].r_1[1];  zr[1] = L[0].r_1[0];  zr[2] = 0;
  } else {
    double** B = L[j - 1].Q_1;
    double x = L[j].r_1[0], y = L[j].r_1[1];
    for (int i = 0; i < 3; i++) {
      z[i] = B[i][2];
      zr[i] = B[i][0]*(-y) + B[i][1]*x;
    }
  }
}

// column j: axis zj and zj x rhoj formed in the joint's own frame, where the axis is z
void EvalObjJacobian(int type, Robot robot, CartesianConfig cc) {
  int n = robot->n;
  Link* L = robot->L;
  double** J = robot->J;
  double v[3] = {0, 0, 0};
  if (type == 0 || type == 2) {
    TaskTarget tg;
    double Rm[3][3];
    task_target(robot, cc, type, &tg);
    orientation_error(L[n - 1].Q_1, tg.A, Rm);
    Vect(Rm, v);
    double t = Trace(Rm);
    for (int i = 0; i < 3; i++)
      for (int k = 0; k < 3; k++) P[i][k] = (i == k ? t : 0.0) - Rm[i][k];
  }
  for (int j = 0; j < n; j++) {
    double z[3], zr[3];
    joint_column(L, j, z, zr);
    int rev = L[j].joint == 0;
    if (type == 0 || type == 2) {
      for (int i = 0; i < 3; i++) Aj[i][j] = rev ? z[i] : 0.0;
    }
    if (type == 0 || type == 2) {
      if (rev) {
        for (int i = 0; i < 3; i++) {
          double s = 0.0;
          for (int k = 0; k < 3; k++) s += P[i][k]*z[k];
          J[i][j] = s/2;
        }
        J[3][j] = -2.0*(v[0]*z[0] + v[1]*z[1] + v[2]*z[2]);   // d tr([z]x R) = -2 z.v
        if (type == 0)
          for (int i = 0; i < 3; i++) J[4 + i][j] = zr[i];
      } else {
        for (int i = 0; i < 4; i++) J[i][j] = 0.0;
        if (type == 0)
          for (int i = 0; i < 3; i++) J[4 + i][j] = z[i];
      }
    } else if (type == 4) {
      for (int i = 0; i < 3; i++) J[i][j] = rev ? zr[i] : z[i];
    }
  }
}

double** GetAj(Robot robot, CartesianConfig cc) {
  return cc && ready_for(robot, cc) ? Aj : nullptr;
}

// type 0 and 4: position rows of revolute columns / L. The error already carries its 1/L
// from F2, and a prismatic column is per q/L, the unit of its step.
void Normalize(int type, Robot robot) {
  double L = robot->avg_len;
  double** J = robot->J;
  int n = robot->n, jm = robot->jm;
  if (type == 0) {
    for (int j = 0; j < n; j++) {
      if (robot->L[j].joint != 0) continue;
      for (int i = 4; i < jm; i++) J[i][j] /= L;
    }
  } else if (type == 4) {
    for (int j = 0; j < n; j++) {
      if (robot->L[j].joint != 0) continue;
      for (int i = 0; i < jm; i++) J[i][j] /= L;
    }
  }
}

// h[i] = q[i] pi / 180
void hproc(int n, JointConfig jc, double* hv) {
  for (int i = 0; i < n; i++) hv[i] = jc->q[i]*VM_PI/180.0;
}

// H = identity
void Hproc(int m, int n, JointConfig, double** Hm) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) Hm[i][j] = i == j ? 1.0 : 0.0;
}

//------------------------------------------------------------------ storage and settings

void SetKinRobot(Robot robot) {
  kin_robot = robot;
}

Robot GetKinRobot(void) {
  return kin_robot;
}

void KinForgetRobot(Robot robot) {
  if (kin_robot == robot) kin_robot = nullptr;
}

// sizes from the kinematics robot (or R); the old set freed first
void ResetKin(JointConfig, CartesianConfig) {
  Robot robot = kin_robot ? kin_robot : R;
  if (robot && robot->n > 0) {
    int jm = robot->jm > 0 ? robot->jm : KinRowsSpatial;
    alloc_storage(robot->n, jm);
  }
  JmSetHHTol(1e-5);
}

void SetInvTol(double t) { tol = t; }
void SetInvFallback(int on) { fallback_on = on; }
int GetInvFallback() { return fallback_on; }
void SetInvMax(int k) { max = k; }
double GetInvTol() { return tol; }
int GetInvMax() { return max; }

const char* InvErr(int code) {
  if (code == InvNotConverged) return "Did Not Converge";
  if (code == InvLimitExceeded) return "Joint Limit Exceeded";
  if (code <= InvAboveMaximum) {
    snprintf(err_text, sizeof err_text, "Maximum Limit of Joint %d Exceeded",
             InvAboveMaximum - code + 1);
    return err_text;
  }
  if (code <= InvBelowMinimum) {
    snprintf(err_text, sizeof err_text, "Minimum Limit of Joint %d Exceeded",
             InvBelowMinimum - code + 1);
    return err_text;
  }
  return "";
}

//------------------------------------------------------------------ solvers

// least-squares Newton step d into f[0..n-1] from the normalised J and f; a rank-deficient
// Jacobian gives the minimum-norm least-squares step
static void newton_step(Robot robot) {
  int n = robot->n;
  int rank = JmSolveLeastSquares(robot->J, robot->jm, n, f, u, pv);
  if (rank < n) VmMessage(MsgTrace, "ObjFuncJacobian is rank-deficient\n");
}

// the steps of the Newton iteration from the joints in jc: the step count when the task
// error fell below tol, max when it never did; the joints are left where the steps took them
static int newton_iterate(Robot robot, JointConfig jc, CartesianConfig cc) {
  int n = robot->n, type = cc->type;
  double L = robot->avg_len;
  TaskTarget tg;
  task_target(robot, cc, type, &tg);
  int k;
  for (k = 0; k < max; k++) {
    frames(robot, jc);
    double e = task_error(robot, cc, &tg, f);
    if (e < tol) break;
    EvalObjJacobian(type, robot, cc);
    Normalize(type, robot);
    newton_step(robot);
    for (int j = 0; j < n; j++) {
      if (robot->L[j].joint != 0) {
        jc->q[j] -= L*f[j];
      } else {
        jc->q[j] -= f[j]*180.0/VM_PI;
        reduce_turns(&jc->q[j]);
      }
    }
  }
  return k;
}

// the fallback from the saved start when the iteration failed or ended outside the limits;
// its steps, or the code rc of the iteration with the start joints back
static int try_fallback(Robot robot, JointConfig jc, CartesianConfig cc, double tl, int rc) {
  restore_q(robot, jc);
  if (!fallback_on) return rc;
  int it = IkFallback(robot, jc, cc, tl, q0);
  if (it >= 0 && check_joints(robot, jc) == 0 && task_met(robot, jc, cc, tl)) return it;
  restore_q(robot, jc);
  return rc;
}

// Newton iteration on the task error; least-squares steps through the pivoted Householder.
// A success is checked again after the final folding of the turns (a fold of a huge value
// moves the pose), and a failure goes to the fallback before it is reported
int InvKin(Robot robot, JointConfig jc, CartesianConfig cc) {
  if (robot && robot->redundant > 0) return RInvKin(robot, jc, cc);
  if (!ready_for(robot, cc)) return InvNotConverged;
  if (!joints_finite(robot, jc)) return InvNotConverged;
  save_q(robot, jc);
  int k = newton_iterate(robot, jc, cc);
  int rc = k < max ? check_joints(robot, jc) : InvNotConverged;
  if (rc == 0 && task_met(robot, jc, cc, tol)) return k;
  if (rc == 0) rc = InvNotConverged;
  int it = try_fallback(robot, jc, cc, tol, rc);
  return it >= 0 ? max + it : it;
}

// the constrained steps with halving of RInvKin from the joints in jc: 0 when its tests
// passed, InvNotConverged when the step or the halving limit was reached
static int redundant_iterate(Robot robot, JointConfig jc, CartesianConfig cc) {
  int n = robot->n, type = cc->type, a = robot->jm;
  double** J = robot->J;
  double L = robot->avg_len;
  TaskTarget tg;
  task_target(robot, cc, type, &tg);
  frames(robot, jc);
  double e = task_error(robot, cc, &tg, f);
  int k, d = 0;
  for (k = 0; k < ConMinMaxIter; k++) {
    double e_old = e;
    hproc(n, jc, h);
    for (int j = 0; j < n; j++)          // a slide's objective in the unit of its step
      if (robot->L[j].joint != 0) h[j] = jc->q[j]/L;
    Hproc(n, n, jc, H);
    EvalObjJacobian(type, robot, cc);
    Normalize(type, robot);
    // the normality test and the step share one factorisation of a copy of J
    for (int i = 0; i < a; i++)
      for (int j = 0; j < n; j++) Gf[i][j] = J[i][j];
    int g = JmHHTRedP(Gf, a, n, vg, pg);
    if (JmNormalityConditionHH(h, H, Gf, vg, g, n, n) < ConMinTol && e < ConMinTol) break;
    JmSolveConstrainedLinearHH(H, Gf, vg, pg, g, h, f, dx, n, n, a);
    double dn = Norm(dx, n);
    for (int j = 0; j < n; j++) {
      if (robot->L[j].joint != 0) jc->q[j] -= L*dx[j];
      else jc->q[j] -= dx[j]*180.0/VM_PI;
    }
    frames(robot, jc);
    e = task_error(robot, cc, &tg, f);
    if (dn < ConMinTol && e < ConMinTol) break;
    d = 0;
    while (e > e_old) {
      d++;
      if (d > ConMinMaxIter) break;
      double s = d == 1 ? ConMinDamp - 1.0 : ConMinDamp;
      for (int j = 0; j < n; j++) {
        dx[j] *= s;
        if (robot->L[j].joint != 0) {
          jc->q[j] -= L*dx[j];
        } else {
          jc->q[j] -= dx[j]*180.0/VM_PI;
          reduce_turns(&jc->q[j]);
        }
      }
      frames(robot, jc);
      e = task_error(robot, cc, &tg, f);
      if (dn < ConMinTol && e < ConMinTol) break;
    }
  }
  // a halving that gave up leaves a larger error than before: never a success
  return k == ConMinMaxIter || d > ConMinMaxIter ? InvNotConverged : 0;
}

// minimise |q| (radians) subject to a zero task error; constrained steps with halving.
// Success only with the task error of the final joints below ConMinTol
int RInvKin(Robot robot, JointConfig jc, CartesianConfig cc) {
  if (!ready_for(robot, cc)) return InvNotConverged;
  if (!joints_finite(robot, jc)) return InvNotConverged;
  save_q(robot, jc);
  int rc = redundant_iterate(robot, jc, cc);
  if (rc == 0) rc = check_joints(robot, jc);
  if (rc == 0 && task_met(robot, jc, cc, ConMinTol)) return 0;
  if (rc == 0) rc = InvNotConverged;
  int it = try_fallback(robot, jc, cc, ConMinTol, rc);
  return it >= 0 ? 0 : it;
}

// 1 / cond of M: type 0 the axes over the normalised position rows, type 2 the axes,
// type 4 the normalised Jacobian; the rank line printed when trace is set. M sits on the
// stack for the usual arms: the conditioning map calls this once per cell
static double jacobian_cond(Robot robot, JointConfig jc, CartesianConfig cc, int trace) {
  if (!robot || !jc || !cc || !ready_for(robot, cc)) return 0.0;
  int n = robot->n, type = cc->type;
  frames(robot, jc);
  int rows = type == 0 ? 6 : 3;
  double buf[6*16];
  double* rowp[6];
  double** M = rowp;
  if (n <= 16) {
    for (int i = 0; i < rows; i++) rowp[i] = buf + i*n;
  } else {
    M = JmMatrix(rows, n);
  }
  // the entries EvalObjJacobian and Normalize would leave in Aj and J, the orientation
  // rows skipped: the axis of a revolute joint (0 for a slide) over its position column,
  // zj x rhoj / L for a revolute joint and zj for a slide
  double L = robot->avg_len;
  for (int j = 0; j < n; j++) {
    double z[3], zr[3];
    joint_column(robot->L, j, z, zr);
    int rev = robot->L[j].joint == 0;
    for (int i = 0; i < 3; i++) {
      double pos = rev ? zr[i]/L : z[i];
      if (type == 0) {
        M[i][j] = rev ? z[i] : 0.0;
        M[3 + i][j] = pos;
      } else if (type == 2) {
        M[i][j] = rev ? z[i] : 0.0;
      } else {
        M[i][j] = pos;
      }
    }
  }
  int rank;
  double c = JmMatrixConditionRank(M, rows, n, &rank);
  if (trace) printf("Matrix Rank %d\n", rank);
  if (M != rowp) JmFreeMatrix(M);
  return c == -1 ? 0.0 : 1.0/c;
}

double GetJacobianCond(JointConfig jc, CartesianConfig cc) {
  return jacobian_cond(R, jc, cc, 1);
}

double GetJacobianCondOf(Robot robot, JointConfig jc, CartesianConfig cc) {
  return jacobian_cond(robot, jc, cc, 0);
}
