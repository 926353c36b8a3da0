// cond_map.cpp -- 1/kappa over a grid of two joints, computed a slice of rows at a time
#include "kin/cond_map.h"

#include <stdlib.h>  // for: free()

#include "graphics/misc.h"  // for: JwMalloc()
#include "kin/ikp.h"            // for: GetJacobianCondOf()
#include "matrix/matrix.h"  // for: JmFVector(), JmFreeFVector()
#include "robot/robot.h"

//------------------------------------------------------------------ public API

// limits when given, else -180..180 (revolute) or q -+ avg_len (prismatic)
void CondMapRange(Robot r, JointConfig jc, int j, float* lo, float* hi) {
  const Link* l = &r->L[j];
  *lo = l->q_limit[0];
  *hi = l->q_limit[1];
  if (*lo <= JOINT_UNLIMITED_MIN || *hi >= JOINT_UNLIMITED_MAX) {
    if (l->joint == 0) {
      *lo = -180.0f;  *hi = 180.0f;
    } else {
      *lo = jc->q[j] - r->avg_len;  *hi = jc->q[j] + r->avg_len;
    }
  }
}

CondMap* NewCondMap(Robot r, JointConfig jc, CartesianConfig cc, int ja, int jb, int rows,
                    int cols, double* value) {
  if (!r || !jc || !cc || !value || ja == jb || ja < 0 || jb < 0 || ja >= r->n ||
      jb >= r->n || rows < 1 || cols < 1)
    return nullptr;
  CondMap* m = (CondMap*)JwMalloc(sizeof(CondMap));
  m->robot = r;
  m->ja = ja;  m->jb = jb;  m->rows = rows;  m->cols = cols;
  CondMapRange(r, jc, ja, &m->lo[0], &m->hi[0]);
  CondMapRange(r, jc, jb, &m->lo[1], &m->hi[1]);
  m->q.q = JmFVector(r->n);  m->q.qd = JmFVector(r->n);  m->q.qdd = JmFVector(r->n);
  for (int i = 0; i < r->n; i++) m->q.qd[i] = m->q.qdd[i] = 0.0f;
  m->cc = *cc;
  m->value = value;
  CondMapSetJoints(m, jc);
  return m;
}

void FreeCondMap(CondMap* m) {
  if (!m) return;
  JmFreeFVector(m->q.qdd);  JmFreeFVector(m->q.qd);  JmFreeFVector(m->q.q);
  free(m);
}

void CondMapSetJoints(CondMap* m, JointConfig jc) {
  for (int i = 0; i < m->robot->n; i++) m->q.q[i] = jc->q[i];
}

// each cell through the same evaluation as the Conditioning index
int CondMapRows(CondMap* m, int r0, int r1) {
  if (r0 < 0) r0 = 0;
  if (r1 > m->rows) r1 = m->rows;
  for (int i = r0; i < r1; i++) {
    float qa = CondMapCentre(m, 0, i);
    double* row = m->value + (size_t)i*m->cols;
    for (int j = 0; j < m->cols; j++) row[j] = CondMapValueAt(m, qa, CondMapCentre(m, 1, j));
  }
  return r1 > r0 ? r1 : r0;
}

double CondMapValueAt(CondMap* m, float qa, float qb) {
  m->q.q[m->ja] = qa;
  m->q.q[m->jb] = qb;
  return GetJacobianCondOf(m->robot, &m->q, &m->cc);
}

// lo + (k + 1/2) step, step = (hi - lo) / count
float CondMapCentre(const CondMap* m, int axis, int k) {
  int count = axis == 0 ? m->rows : m->cols;
  double lo = m->lo[axis], hi = m->hi[axis];
  return (float)(lo + (k + 0.5)*(hi - lo)/count);
}

int CondMapCell(const CondMap* m, int axis, float q) {
  int count = axis == 0 ? m->rows : m->cols;
  double lo = m->lo[axis], hi = m->hi[axis];
  if (!(q >= lo && q <= hi) || hi <= lo) return -1;
  int k = (int)((q - lo)/(hi - lo)*count);
  return k < count ? k : count - 1;
}
