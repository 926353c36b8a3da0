// task.cpp -- the task error and task Jacobian the solvers drive to zero, and the robot whose
// frames they read
#include "kin/task.h"

#include "matrix/matrix.h"    // for: JmMatrix(), JmZeroMatrix(), JmFreeMatrix()
#include "base/consts.h"      // for: VM_PI

//------------------------------------------------------------------ module state
static double** Aj = nullptr;          // 3 x n joint axes in base coordinates
static double** P = nullptr;           // 3 x 3, trace(R) I - R

//------------------------------------------------------------------ public API: storage

// rows of the task error for a task kind, 0 for a kind that is not solved
int KinTaskRowsOf(int type) {
  if (type == 0) return KinRowsSpatial;
  if (type == 2) return KinRowsOrientation;
  if (type == 4) return KinRowsPosition;
  return 0;
}

void KinTaskStorage(int n) {
  if (Aj) JmFreeMatrix(Aj);
  if (P) JmFreeMatrix(P);
  Aj = P = nullptr;
  if (n <= 0) return;
  Aj = JmMatrix(3, n);  P = JmMatrix(3, 3);
  JmZeroMatrix(Aj, 3, n);  JmZeroMatrix(P, 3, 3);
}

//------------------------------------------------------------------ public API: error and Jacobian

void KinTaskTarget(Robot robot, CartesianConfig cc, int type, TaskTarget* t) {
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

// F2 of the current frames against a target formed by KinTaskTarget
double KinTaskError(Robot robot, CartesianConfig cc, const TaskTarget* t, double* fv) {
  int type = cc->type;
  int rows = KinTaskRowsOf(type);
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
  Robot robot = KinRobot();
  if (!robot || KinTaskRowsOf(cc->type) == 0) return 0.0;
  TaskTarget t;
  KinTaskTarget(robot, cc, cc->type, &t);
  return KinTaskError(robot, cc, &t, fv);
}

// axis zj of joint j in base coordinates and zj x rhoj, formed in the joint's own frame,
// where the axis is z: B (-y, x, 0) with B = Q_1(j - 1) and (x, y) from r_1(j)
void KinJointColumn(const Link* L, int j, double z[3], double zr[3]) {
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
    KinTaskTarget(robot, cc, type, &tg);
    orientation_error(L[n - 1].Q_1, tg.A, Rm);
    Vect(Rm, v);
    double t = Trace(Rm);
    for (int i = 0; i < 3; i++)
      for (int k = 0; k < 3; k++) P[i][k] = (i == k ? t : 0.0) - Rm[i][k];
  }
  for (int j = 0; j < n; j++) {
    double z[3], zr[3];
    KinJointColumn(L, j, z, zr);
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

double** KinTaskAxes(void) { return Aj; }

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
