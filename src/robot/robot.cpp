// robot.cpp -- create and free the robot, link and configuration records
#include "robot/robot.h"

#include <math.h>    // for: cos(), sin(), fabsf()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: memset(), strncpy()

#include "graphics/misc.h"
#include "graphics/primitives.h"
#include "base/message.h"  // for: VmMessage()
#include "matrix/matrix.h"
#include "base/consts.h"  // for: VM_PI


//------------------------------------------------------------------ configurations

// new configuration at the robot's home values; rates and accelerations zero
JointConfig JointConfigFromRobot(Robot r) {
  JointConfig jc = (JointConfig)JwMalloc(sizeof(JointConfigRec));
  jc->q = JmFVector(r->n);  jc->qd = JmFVector(r->n);  jc->qdd = JmFVector(r->n);
  for (int i = 0; i < r->n; i++) { jc->q[i] = r->L[i].h_q;  jc->qd[i] = jc->qdd[i] = 0.0f; }
  return jc;
}

// arrays in reverse order, then the record; NULL does nothing
void FreeJointConfig(JointConfig jc) {
  if (!jc) return;
  JmFreeFVector(jc->qdd);  JmFreeFVector(jc->qd);  JmFreeFVector(jc->q);
  free(jc);
}

// the record only; J and K belong to the robot
void FreeCartesianConfig(CartesianConfig cc) {
  free(cc);
}

//------------------------------------------------------------------ task kind

int allRevolute = 0;

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

//------------------------------------------------------------------ links and robots

void FreeEE(DefaultEE* dEE) {
  JwFreePrimitive(dEE->h1);  dEE->h1 = nullptr;
  JwFreePrimitive(dEE->h2);  dEE->h2 = nullptr;
  JwFreePrimitive(dEE->h3);  dEE->h3 = nullptr;
}

#define ROBOT_FREE_HOOKS_MAX 8
static RobotFreeHook free_hooks[ROBOT_FREE_HOOKS_MAX];
static int free_hooks_n = 0;

void AddRobotFreeHook(RobotFreeHook hook) {
  for (int k = 0; k < free_hooks_n; k++)
    if (free_hooks[k] == hook) return;
  if (free_hooks_n == ROBOT_FREE_HOOKS_MAX) JwError(1, "AddRobotFreeHook: too many hooks\n");
  free_hooks[free_hooks_n++] = hook;
}


// bodies where made, then Q_i and Q_1
void FreeLink(LinkPtr l) {
  if (!l) return;
  if (l->hinge) JwFreePrimitive(l->hinge);
  if (l->linkz) JwFreePrimitive(l->linkz);
  if (l->linkx) JwFreePrimitive(l->linkx);
  if (l->elbow) JwFreePrimitive(l->elbow);
  l->hinge = l->linkz = l->linkx = l->elbow = nullptr;
  if (l->Q_i) JmFreeMatrix(l->Q_i);
  if (l->Q_1) JmFreeMatrix(l->Q_1);
  l->Q_i = l->Q_1 = nullptr;
}

// the free hooks (what others keep of it: model geometry, the kinematics robot), links,
// generic end effector, J and K, link array, robot; NULL does nothing
void FreeRobot(Robot r) {
  if (!r) return;
  for (int k = 0; k < free_hooks_n; k++) free_hooks[k](r);
  for (int i = 0; i < r->n; i++) FreeLink(&r->L[i]);
  // the generic end effector's bodies are the robot's too
  FreeEE(&r->dEE);
  if (r->J) JmFreeMatrix(r->J);
  if (r->K) JmFreeMatrix(r->K);
  free(r->L);
  free(r);
}

// the values a robot file starts each link block from
void SetLinkDefaults(LinkPtr l) {
  memset(l, 0, sizeof(Link));
  l->joint = 0;
  l->a = 1.0f;  l->b = 0.0f;  l->abs_b = 0.0f;  l->sign_b = 0;
  l->al = 0.0f;  l->cal = 1.0f;  l->sal = 0.0f;
  l->th = 0.0f;  l->cth = 1.0f;  l->sth = 0.0f;
  l->q_limit[0] = l->h_q_limit[0] = JOINT_UNLIMITED_MIN;
  l->q_limit[1] = l->h_q_limit[1] = JOINT_UNLIMITED_MAX;
  l->h_q = 0.0f;
  l->m = 1.0f;
  l->cm[0] = 0.5f;  l->cm[1] = 0.0f;  l->cm[2] = 0.0f;
  for (int i = 0; i < 6; i++) l->I[i] = 0.0f;
  l->I[1] = l->I[2] = 0.1f;
  l->next = nullptr;
}

// DH values from src, derived values, limits from src->q_limit; 1 when they switch limits on
int PrepareLink(LinkPtr dst, const Link* src) {
  memset(dst, 0, sizeof(Link));
  dst->joint = src->joint;
  dst->a = src->a;  dst->b = src->b;  dst->al = src->al;  dst->th = src->th;
  dst->abs_b = fabsf(src->b);
  dst->sign_b = src->b < 0 ? -1 : (src->b > 0 ? 1 : 0);
  dst->cal = (float)cos(dst->al*VM_DEG);  dst->sal = (float)sin(dst->al*VM_DEG);
  dst->cth = (float)cos(dst->th*VM_DEG);  dst->sth = (float)sin(dst->th*VM_DEG);
  for (int i = 0; i < 2; i++) dst->h_q_limit[i] = dst->q_limit[i] = src->q_limit[i];
  dst->h_q = dst->joint != 0 ? dst->b : dst->th;
  dst->m = src->m;
  for (int i = 0; i < 3; i++) dst->cm[i] = src->cm[i];
  for (int i = 0; i < 6; i++) dst->I[i] = src->I[i];
  dst->next = src->next;
  dst->hinge = dst->linkz = dst->linkx = dst->elbow = nullptr;
  dst->draw_proc = nullptr;  dst->draw_data = nullptr;
  dst->show_axes = 0;  dst->show_cm = 0;
  dst->visible = 1;
  dst->color = 0;  dst->mat = 0;
  dst->Q_i = JmMatrix(3, 3);  dst->Q_1 = JmMatrix(3, 3);
  JmZeroMatrix(dst->Q_i, 3, 3);  JmZeroMatrix(dst->Q_1, 3, 3);
  return src->q_limit[1] != JOINT_UNLIMITED_MAX ? 1 : 0;
}

// a robot from a DH table: what a robot file gives, without bodies or length computations
Robot RobotFromDH(const char* name, int n, const DHRow* rows) {
  if (n < 1) return nullptr;
  Robot r = (Robot)JwMalloc(sizeof(RobotRec));
  memset(r, 0, sizeof(RobotRec));
  strncpy(r->name, name ? name : "", sizeof r->name - 1);
  r->n = n;
  r->HD_type = 0;
  r->geom_type = 1;
  r->L = (Link*)JwMalloc(sizeof(Link)*n);
  float sum = 0.0f;
  for (int i = 0; i < n; i++) {
    Link t;
    SetLinkDefaults(&t);
    t.joint = rows[i].joint;
    t.a = rows[i].a;  t.b = rows[i].b;  t.al = rows[i].al;  t.th = rows[i].th;
    t.q_limit[0] = t.h_q_limit[0] = rows[i].qmin;
    t.q_limit[1] = t.h_q_limit[1] = rows[i].qmax;
    if (PrepareLink(&r->L[i], &t)) r->limits = 1;
    sum += r->L[i].a + r->L[i].abs_b;
  }
  r->wrist_partitioned = (n == 6 && r->L[3].a == 0.0f && r->L[4].a == 0.0f
                          && r->L[4].b == 0.0f) ? 1 : 0;
  RobotType(r);
  r->avg_len = sum/(2*n);
  r->rad = r->avg_len/8;
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) r->EE.Qee[i][j] = r->EE.Qee_gl[i][j] = i == j ? 1.0f : 0.0f;
  return r;
}
