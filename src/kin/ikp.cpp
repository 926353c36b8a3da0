// ikp.cpp -- the iterative inverse kinematics: Newton and redundant solvers, their storage and
// settings, result texts and the condition of the task Jacobian
#include "kin/ikp.h"

#include <math.h>    // for: sin(), cos(), sqrt(), fmod(), fabsf(), isfinite()
#include <stdio.h>   // for: printf(), fprintf(), snprintf()
#include <string.h>  // for: memset()

#include "robot/app_state.h"
#include "kin/ikp_fallback.h"
#include "matrix/matrix.h"
#include "graphics/misc.h"  // for: JwMalloc()
#include "base/message.h"  // for: VmMessage()
#include "base/consts.h"  // for: VM_PI
#include "kin/limit_text.h"  // for: JointLimitText()


//------------------------------------------------------------------ module state
static double tol = KIN_INV_TOL;       // Newton: threshold on the task error norm
static int max = KIN_INV_MAX;          // Newton: step limit
static double ConMinTol = KIN_INV_TOL; // redundant solver: copies taken at start-up
static int ConMinMaxIter = KIN_INV_MAX;
static double ConMinDamp = 0.5;        // redundant solver: step-halving factor
static int fallback_on = 1;            // both solvers: try harder before reporting failure
static InvAvoidProc avoid_goal = nullptr;  // RInvKin's null-space goal (SetInvAvoid)
static const int AvoidMaxMoves = 40;   // null-space moves per solve
static const int AvoidMaxFix = 8;      // Newton steps back onto the task after each
static const double AvoidMaxStep = 0.035;  // largest joint change of a move, radians (2 deg)
static const int AvoidMaxHalvings = 6; // a move that fails is tried again at half its size


// work storage, sized by ResetKin for n joints and jm task rows
static int initialized = 0;
static int cap_n = 0, cap_jm = 0;
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


//------------------------------------------------------------------ static helpers

static void free_storage() {
  if (!initialized) return;
  KinTaskStorage(0);
  JmFreeVector(f);  JmFreeVector(u);  JmFreeIVector(pv);
  JmFreeVector(q0);  JmFreeVector(h);  JmFreeMatrix(H);  JmFreeVector(dx);
  JmFreeMatrix(Gf);  JmFreeVector(vg);  JmFreeIVector(pg);
  H = Gf = nullptr;  f = u = q0 = h = dx = vg = nullptr;  pv = pg = nullptr;
  initialized = 0;  cap_n = cap_jm = 0;
}

static void alloc_storage(int n, int jm) {
  free_storage();
  int mx = jm > n ? jm : n;
  KinTaskStorage(n);
  f = JmVector(mx);  u = JmVector(mx);  pv = JmIVector(mx);
  q0 = JmVector(n);  h = JmVector(n);  H = JmMatrix(n, n);  dx = JmVector(n);
  Gf = JmMatrix(jm, n);  vg = JmVector(mx);  pg = JmIVector(mx);
  JmZeroVector(f, mx);  JmZeroVector(u, mx);
  cap_n = n;  cap_jm = jm;  initialized = 1;
}

// storage large enough for this robot; a solver may be handed a robot ResetKin never saw
static int ready_for(Robot robot, CartesianConfig cc) {
  if (!robot || !robot->J || robot->n < 1) return 0;
  int rows = KinTaskRowsOf(cc->type);
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

//------------------------------------------------------------------ storage and settings

// J and K by task kind, solver storage, the pose at jc, then the two class lines
CartesianConfig CartesianConfigFromRobot(Robot r, JointConfig jc) {
  CartesianConfig cc = (CartesianConfig)JwMalloc(sizeof(CartesianConfigRec));
  memset(cc, 0, sizeof(CartesianConfigRec));
  // a robot made current twice keeps one pair of matrices
  if (r->J) JmFreeMatrix(r->J);
  if (r->K) JmFreeMatrix(r->K);
  r->J = r->K = nullptr;
  cc->type = r->type;
  if (r->type == 2) {
    r->redundant = r->n - 3;  r->jm = 4;  r->km = 3;
  } else if (r->type == 0) {
    r->redundant = r->n - 6;  r->jm = 7;  r->km = 6;
  } else {
    cc->type = 4;
    r->redundant = r->n - 3;  r->jm = 3;  r->km = 3;
  }
  r->J = JmMatrix(r->jm, r->n);  r->K = JmMatrix(r->km, r->n);
  JmZeroMatrix(r->J, r->jm, r->n);  JmZeroMatrix(r->K, r->km, r->n);
  SetKinRobot(r);
  ResetKin(jc, cc);
  FwdKin(r, jc, cc);
  VmMessage(MsgTrace,
            "The robot type selected is (0-Spatial; 2-Spherical Wrist; 4-Positioning) %d\n",
         cc->type);
  VmMessage(MsgTrace, "Redundancy = %d\n", r->redundant);
  return cc;
}


double** GetAj(Robot robot, CartesianConfig cc) {
  return cc && ready_for(robot, cc) ? KinTaskAxes() : nullptr;
}

// sizes from the kinematics robot (or R); the old set freed first
void ResetKin(JointConfig, CartesianConfig) {
  Robot robot = KinRobot();
  if (robot && robot->n > 0) {
    int jm = robot->jm > 0 ? robot->jm : KinRowsSpatial;
    alloc_storage(robot->n, jm);
  }
  JmSetHHTol(1e-5);
}

void SetInvTol(double t) { tol = t; }
void SetInvAvoid(InvAvoidProc goal) { avoid_goal = goal; }
InvAvoidProc GetInvAvoid(void) { return avoid_goal; }

void SetInvFallback(int on) { fallback_on = on; }
int GetInvFallback() { return fallback_on; }
void SetInvMax(int k) { max = k; }
double GetInvTol() { return tol; }
double GetRInvTol() { return ConMinTol; }
int GetInvMax() { return max; }

const char* InvErr(int code) {
  if (code == InvNotConverged) return "Did Not Converge";
  if (code == InvLimitExceeded) return "Joint Limit Exceeded";
  if (code <= InvAboveMaximum) return JointLimitText(InvAboveMaximum - code, 1);
  if (code <= InvBelowMinimum) return JointLimitText(InvBelowMinimum - code, 0);
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
  KinTaskTarget(robot, cc, type, &tg);
  int k;
  for (k = 0; k < max; k++) {
    frames(robot, jc);
    double e = KinTaskError(robot, cc, &tg, f);
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
  KinTaskTarget(robot, cc, type, &tg);
  frames(robot, jc);
  double e = KinTaskError(robot, cc, &tg, f);
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
    e = KinTaskError(robot, cc, &tg, f);
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
      e = KinTaskError(robot, cc, &tg, f);
      if (dn < ConMinTol && e < ConMinTol) break;
    }
  }
  // a halving that gave up leaves a larger error than before: never a success
  return k == ConMinMaxIter || d > ConMinMaxIter ? InvNotConverged : 0;
}

// the minimum-norm x of J x = b (the normalised task Jacobian of the current frames) into
// x, n entries; b has the task's rows; Gf, vg, pg are used as work
static void min_norm_step(Robot robot, CartesianConfig cc, const double* b, double* x) {
  int n = robot->n, a = robot->jm;
  EvalObjJacobian(cc->type, robot, cc);
  Normalize(cc->type, robot);
  for (int i = 0; i < a; i++)
    for (int j = 0; j < n; j++) Gf[i][j] = robot->J[i][j];
  for (int j = 0; j < n; j++) x[j] = j < a ? b[j] : 0.0;
  JmSolveMinNorm(Gf, a, n, x, vg, pg);
}

// joints moved by -x in the solver's units: radians for revolute joints, avg_len for slides
static void move_joints(Robot robot, JointConfig jc, const double* x) {
  for (int j = 0; j < robot->n; j++) {
    if (robot->L[j].joint != 0) jc->q[j] -= robot->avg_len*x[j];
    else jc->q[j] -= x[j]*180.0/VM_PI;
  }
}

// Newton steps back onto the task; 1 once its error is below ConMinTol
static int back_on_task(Robot robot, JointConfig jc, CartesianConfig cc, double* x) {
  for (int k = 0; k <= AvoidMaxFix; k++) {
    frames(robot, jc);
    if (F2(cc, f) < ConMinTol/2) return 1;
    if (k == AvoidMaxFix) break;
    min_norm_step(robot, cc, f, x);
    move_joints(robot, jc, x);
  }
  frames(robot, jc);
  return F2(cc, f) < ConMinTol;
}

// the goal's gradient in the null space of the task, N g = g - J+ J g, taken down in moves
// of at most AvoidMaxStep, each put back on the task; a move that leaves the task, breaks a
// limit or does not lower the goal is tried again at half its size, and after
// AvoidMaxHalvings halvings undone, which ends the motion
static void avoid_iterate(Robot robot, JointConfig jc, CartesianConfig cc) {
  int n = robot->n, a = robot->jm;
  double L = robot->avg_len;
  double* g = JmVector(n);
  double* Jg = JmVector(a > n ? a : n);
  double* x = JmVector(n);
  float* keep = JmFVector(n);
  double P = avoid_goal(robot, jc->q, g);
  for (int it = 0; it < AvoidMaxMoves && P > 0; it++) {
    for (int j = 0; j < n; j++) {       // per radian, or per unit of q / avg_len
      g[j] *= robot->L[j].joint != 0 ? L : 180.0/VM_PI;
      keep[j] = jc->q[j];
    }
    frames(robot, jc);
    EvalObjJacobian(cc->type, robot, cc);
    Normalize(cc->type, robot);
    for (int i = 0; i < a; i++) {
      double s = 0.0;
      for (int j = 0; j < n; j++) s += robot->J[i][j]*g[j];
      Jg[i] = s;
    }
    min_norm_step(robot, cc, Jg, x);
    double big = 0.0, nn = 0.0;
    for (int j = 0; j < n; j++) {
      x[j] = g[j] - x[j];
      if (fabs(x[j]) > big) big = fabs(x[j]);
      nn += x[j]*x[j];
    }
    if (big < 1e-12) break;             // the goal cannot be lowered without the task
    double alpha = P/nn;                // the step that would bring P to 0 if it were linear
    if (alpha*big > AvoidMaxStep) alpha = AvoidMaxStep/big;
    for (int j = 0; j < n; j++) Jg[j] = x[j];   // the direction, kept for the halvings
    double Pn = -1;
    for (int half = 0; half <= AvoidMaxHalvings && !(Pn >= 0 && Pn < P); half++) {
      for (int j = 0; j < n; j++) { jc->q[j] = keep[j];  x[j] = alpha*Jg[j]; }
      move_joints(robot, jc, x);
      Pn = -1;
      if (back_on_task(robot, jc, cc, x) && check_joints(robot, jc) == 0)
        Pn = avoid_goal(robot, jc->q, g);
      alpha *= 0.5;
    }
    if (!(Pn >= 0 && Pn < P)) {
      for (int j = 0; j < n; j++) jc->q[j] = keep[j];
      break;
    }
    P = Pn;
  }
  JmFreeFVector(keep);
  JmFreeVector(x);
  JmFreeVector(Jg);
  JmFreeVector(g);
}

// the goal of the joints in jc, or -1 when they miss the task or a limit
static double avoid_candidate(Robot robot, JointConfig jc, CartesianConfig cc, double* g) {
  if (check_joints(robot, jc) != 0 || !task_met(robot, jc, cc, ConMinTol)) return -1;
  return avoid_goal(robot, jc->q, g);
}

// the solved joints in jc moved down the goal; when the goal stays above 0 the start joints
// (q0) brought onto the task by Newton steps and moved down the goal too, which keeps the
// posture of the last point (the side an obstacle was passed on); the lower goal wins, the
// plain solution whenever neither move stays on the task
static void avoid_solve(Robot robot, JointConfig jc, CartesianConfig cc) {
  int n = robot->n;
  float* plain = JmFVector(n);
  float* best = JmFVector(n);
  double* g = JmVector(n);
  double* x = JmVector(n);
  for (int j = 0; j < n; j++) plain[j] = best[j] = jc->q[j];
  avoid_iterate(robot, jc, cc);
  double pb = avoid_candidate(robot, jc, cc, g);
  if (pb >= 0)
    for (int j = 0; j < n; j++) best[j] = jc->q[j];
  if (pb != 0) {
    for (int j = 0; j < n; j++) jc->q[j] = (float)q0[j];
    if (back_on_task(robot, jc, cc, x) && check_joints(robot, jc) == 0) {
      avoid_iterate(robot, jc, cc);
      double pa = avoid_candidate(robot, jc, cc, g);
      if (pa >= 0 && (pb < 0 || pa < pb))
        for (int j = 0; j < n; j++) best[j] = jc->q[j];
    }
  }
  for (int j = 0; j < n; j++) jc->q[j] = best[j];
  if (!task_met(robot, jc, cc, ConMinTol))
    for (int j = 0; j < n; j++) jc->q[j] = plain[j];
  frames(robot, jc);
  JmFreeVector(x);
  JmFreeVector(g);
  JmFreeFVector(best);
  JmFreeFVector(plain);
}

// minimise |q| (radians) subject to a zero task error; constrained steps with halving.
// Success only with the task error of the final joints below ConMinTol; then the avoidance
// goal's null-space motion, kept only when the task is still met
int RInvKin(Robot robot, JointConfig jc, CartesianConfig cc) {
  if (!ready_for(robot, cc)) return InvNotConverged;
  if (!joints_finite(robot, jc)) return InvNotConverged;
  save_q(robot, jc);
  int rc = redundant_iterate(robot, jc, cc);
  if (rc == 0) rc = check_joints(robot, jc);
  if (rc == 0 && task_met(robot, jc, cc, ConMinTol)) {
    if (avoid_goal) avoid_solve(robot, jc, cc);
    return 0;
  }
  if (rc == 0) rc = InvNotConverged;
  int it = try_fallback(robot, jc, cc, ConMinTol, rc);
  return it >= 0 ? 0 : it;
}

// the entries EvalObjJacobian and Normalize would leave in Aj and J, the orientation rows
// skipped: the axis of a revolute joint (0 for a slide) over its position column, zj x rhoj / L
// for a revolute joint and zj for a slide; M holds rows x n (6 for type 0, else 3)
static void task_jacobian(Robot robot, JointConfig jc, int type, double** M) {
  int n = robot->n;
  frames(robot, jc);
  double L = robot->avg_len;
  for (int j = 0; j < n; j++) {
    double z[3], zr[3];
    KinJointColumn(robot->L, j, z, zr);
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
}

// 1 / cond of M: type 0 the axes over the normalised position rows, type 2 the axes,
// type 4 the normalised Jacobian; the rank line printed when trace is set. M sits on the
// stack for the usual arms: the conditioning map calls this once per cell
static double jacobian_cond(Robot robot, JointConfig jc, CartesianConfig cc, int trace) {
  if (!robot || !jc || !cc || !ready_for(robot, cc)) return 0.0;
  int n = robot->n, type = cc->type;
  int rows = type == 0 ? 6 : 3;
  double buf[6*16];
  double* rowp[6];
  double** M = rowp;
  if (n <= 16) {
    for (int i = 0; i < rows; i++) rowp[i] = buf + i*n;
  } else {
    M = JmMatrix(rows, n);
  }
  task_jacobian(robot, jc, type, M);
  int rank;
  double c = JmMatrixConditionRank(M, rows, n, &rank);
  if (trace) VmMessage(MsgTrace, "Matrix Rank %d\n", rank);
  if (M != rowp) JmFreeMatrix(M);
  return c == -1 ? 0.0 : 1.0/c;
}

int GetTaskJacobian(Robot robot, JointConfig jc, CartesianConfig cc, double** M) {
  if (!robot || !jc || !cc || !M || !ready_for(robot, cc)) return -1;
  task_jacobian(robot, jc, cc->type, M);
  return cc->type == 0 ? 6 : 3;
}

double GetJacobianCond(JointConfig jc, CartesianConfig cc) {
  return jacobian_cond(R, jc, cc, 1);
}

double GetJacobianCondOf(Robot robot, JointConfig jc, CartesianConfig cc) {
  return jacobian_cond(robot, jc, cc, 0);
}
