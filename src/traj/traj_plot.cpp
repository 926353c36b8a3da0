// traj_plot.cpp -- the data of the trajectory plot and where each part is drawn
#include "traj/traj_plot.h"

#include <math.h>    // for: lround()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: memset()

#include "graphics/misc.h"  // for: JwMalloc()
#include "kin/ikp.h"            // for: GetJacobianCondOf()
#include "matrix/matrix.h"  // for: JmFVector(), JmFreeFVector()
#include "traj/traj_solve.h"     // for: SolveTrajPoint()

//------------------------------------------------------------------ module state
static TrajClearanceProc clear_measure = nullptr;
static unsigned long (*clear_stamp)(void) = nullptr;

//------------------------------------------------------------------ static helpers

static void FreeArrays(TrajPlot* p) {
  free(p->prismatic);  free(p->rcond);  free(p->have);  free(p->q);
  free(p->clear);  free(p->touch);
  p->prismatic = nullptr;  p->rcond = nullptr;  p->have = nullptr;  p->q = nullptr;
  p->clear = nullptr;  p->touch = nullptr;
  p->robot = nullptr;  p->n = p->ntp = 0;  p->cursor = -1;
}

// arrays for ntp points of n joints; the values of point 0 differ from any real ones
// (have = 0, NaN joints) so the first sync computes every point
static void Size(TrajPlot* p, Robot r, int cartesian, int ntp) {
  FreeArrays(p);
  p->robot = r;  p->cartesian = cartesian;  p->n = r->n;  p->ntp = ntp;
  p->q = (float*)JwMalloc(sizeof(float)*(size_t)ntp*r->n);
  p->have = (unsigned char*)JwMalloc((size_t)ntp);
  p->rcond = (double*)JwMalloc(sizeof(double)*(size_t)ntp);
  p->prismatic = (unsigned char*)JwMalloc((size_t)r->n);
  p->clear = (double*)JwMalloc(sizeof(double)*(size_t)ntp);
  p->touch = (unsigned char*)JwMalloc((size_t)ntp);
  for (int i = 0; i < ntp; i++) { p->clear[i] = NAN;  p->touch[i] = 0; }
  p->clear_stamp = clear_stamp ? clear_stamp() : 0;
  for (size_t k = 0; k < (size_t)ntp*r->n; k++) p->q[k] = NAN;
  memset(p->have, 0, (size_t)ntp);
  for (int i = 0; i < ntp; i++) p->rcond[i] = 0.0;
  for (int j = 0; j < r->n; j++) p->prismatic[j] = (unsigned char)(r->L[j].joint == 1);
}

// the clearance of point i at its values, when a measure is set
static void Measure(TrajPlot* p, int i) {
  int t = 0;
  p->clear[i] = NAN;
  p->touch[i] = 0;
  if (!clear_measure || !p->have[i]) return;
  p->clear[i] = clear_measure(p->robot, p->q + (size_t)i*p->n, i, p->cartesian, &t);
  p->touch[i] = (unsigned char)(t != 0);
}

static int Unsolved(const float* q, int n) {
  for (int j = 0; j < n; j++)
    if (q[j] != -1.0f) return 0;
  return 1;
}

// point i from the trajectory's record: values, gap flag, and 1/kappa when they changed
static int SyncPoint(TrajPlot* p, int i, const JointConfigRec* jc, const CartesianConfigRec* cc) {
  int n = p->n;
  float* row = p->q + (size_t)i*n;
  int have = jc && jc->q && !(p->cartesian && Unsolved(jc->q, n));
  if (!have) {
    if (!p->have[i]) return 0;
    p->have[i] = 0;  p->rcond[i] = 0.0;
    Measure(p, i);
    return 1;
  }
  if (p->have[i] && memcmp(row, jc->q, sizeof(float)*n) == 0) return 0;
  memcpy(row, jc->q, sizeof(float)*n);
  p->have[i] = 1;
  CartesianConfigRec task;              // only the task kind is read
  task.type = cc ? cc->type : p->robot->type;
  p->rcond[i] = GetJacobianCondOf(p->robot, (JointConfig)jc, &task);
  Measure(p, i);
  return 1;
}

//------------------------------------------------------------------ public API

void SetTrajPlotClearance(TrajClearanceProc measure, unsigned long (*stamp)(void)) {
  clear_measure = measure;
  clear_stamp = stamp;
}

int TrajPlotHasClearance(const TrajPlot* p) {
  if (!p->clear) return 0;
  for (int i = 0; i < p->ntp; i++)
    if (!isnan(p->clear[i])) return 1;
  return 0;
}

void TrajPlotClearRange(const TrajPlot* p, double* lo, double* hi) {
  int any = 0;
  *lo = 0.0;  *hi = 1.0;
  for (int i = 0; p->clear && i < p->ntp; i++) {
    double c = p->clear[i];
    if (isnan(c)) continue;
    if (!any || c > *hi) *hi = c;
    if (c < *lo) *lo = c;
    any = 1;
  }
  if (any && *hi <= *lo) *hi = *lo + 1.0;
}

TrajPlot* NewTrajPlot(void) {
  TrajPlot* p = (TrajPlot*)JwMalloc(sizeof(TrajPlot));
  memset(p, 0, sizeof(TrajPlot));
  p->cursor = -1;
  return p;
}

void FreeTrajPlot(TrajPlot* p) {
  if (!p) return;
  FreeArrays(p);
  free(p);
}

int TrajPlotSync(TrajPlot* p, Robot r, const JointTrajectory* jt, const CartesianTrajectory* ct) {
  int cart = !(jt && jt->active) && ct && ct->active;
  int ntp = !r ? 0 : cart ? ct->ntp : jt && jt->active ? jt->ntp : 0;
  if (ntp <= 0 || r->n < 1) {
    int changed = p->ntp > 0;
    FreeArrays(p);
    return changed;
  }
  int changed = 0;
  if (p->robot != r || p->n != r->n || p->ntp != ntp || p->cartesian != cart) {
    Size(p, r, cart, ntp);
    changed = 1;
  }
  for (int i = 0; i < ntp; i++) {
    const JointConfigRec* jc = cart ? (ct->JC ? &ct->JC[i] : nullptr) : &jt->JC[i];
    const CartesianConfigRec* cc = cart ? &ct->CC[i] : (jt->CC ? &jt->CC[i] : nullptr);
    changed |= SyncPoint(p, i, jc, cc);
  }
  unsigned long stamp = clear_stamp ? clear_stamp() : 0;
  if (stamp != p->clear_stamp) {      // the scene changed: every point measured again
    p->clear_stamp = stamp;
    for (int i = 0; i < ntp; i++) Measure(p, i);
    changed = 1;
  }
  int cursor = cart ? ct->ctp : jt->ctp;
  if (cursor < -1 || cursor >= ntp) cursor = -1;
  if (cursor != p->cursor) changed = 1;
  p->cursor = cursor;
  return changed;
}

int SolveTrajForPlot(Robot r, JointConfig start, CartesianTrajectoryPtr t) {
  if (!r || !start || !t || !t->active || !t->JC) return 0;
  JointConfigRec jc;
  jc.q = JmFVector(r->n);  jc.qd = JmFVector(r->n);  jc.qdd = JmFVector(r->n);
  for (int j = 0; j < r->n; j++) { jc.q[j] = start->q[j];  jc.qd[j] = jc.qdd[j] = 0.0f; }
  int refused = 0;
  for (int i = 0; i < t->ntp; i++) {
    if (SolveTrajPoint(r, &jc, t, i, nullptr) >= 0) continue;
    refused++;
    if (t->JC[i].q)
      for (int j = 0; j < r->n; j++) t->JC[i].q[j] = -1.0f;
  }
  JmFreeFVector(jc.qdd);  JmFreeFVector(jc.qd);  JmFreeFVector(jc.q);
  return refused;
}

void TrajPlotValueRange(const TrajPlot* p, double* lo, double* hi) {
  int any = 0;
  *lo = *hi = 0.0;
  for (int i = 0; i < p->ntp; i++) {
    if (!p->have[i]) continue;
    for (int j = 0; j < p->n; j++) {
      double v = p->q[(size_t)i*p->n + j];
      if (!any || v < *lo) *lo = v;
      if (!any || v > *hi) *hi = v;
      any = 1;
    }
  }
}

// margins: 64 left for the value labels, 96 right for the legend, 28 above for the
// title, 48 between the panels and 44 below for the index labels; the joint panel takes
// three fifths of the height left, or half of it above a clearance panel of a fifth
void TrajPlotLayout(const TrajPlot* p, int w, int h, PlotFrame* joints, PlotFrame* clear,
                    PlotFrame* cond) {
  int left = 64, right = 96, top = 28, gap = 48, bottom = 44;
  int with_clear = TrajPlotHasClearance(p);
  int pw = w - left - right, ph = h - top - gap*(1 + with_clear) - bottom;
  if (pw < 10) pw = 10;
  if (ph < 20) ph = 20;
  int jh = with_clear ? ph/2 : ph*3/5, ch = with_clear ? ph/5 : 0;
  double last = p->ntp > 1 ? p->ntp - 1 : 1;
  double lo, hi;
  TrajPlotValueRange(p, &lo, &hi);
  double pad = (hi - lo)*0.05;
  if (pad <= 0) pad = lo != 0 ? fabs(lo)*0.1 : 1.0;
  *joints = {left, top, pw, jh, 0.0, last, lo - pad, hi + pad};
  double clo, chi;
  TrajPlotClearRange(p, &clo, &chi);
  int cy = top + jh + (with_clear ? gap : 0);
  if (clear) *clear = {left, cy, pw, ch, 0.0, last, clo, chi + (chi - clo)*0.05};
  *cond = {left, cy + ch + gap, pw, ph - jh - ch, 0.0, last, 0.0, 1.0};
}

int TrajPlotPointAt(const TrajPlot* p, const PlotFrame* f, int px) {
  if (p->ntp < 1) return -1;
  long k = lround(PlotDataX(f, px));
  if (k < 0) k = 0;
  if (k > p->ntp - 1) k = p->ntp - 1;
  return (int)k;
}

const char* TrajPlotUnit(const TrajPlot* p) {
  int rev = 0, pri = 0;
  for (int j = 0; j < p->n; j++) {
    if (p->prismatic[j]) pri = 1;
    else rev = 1;
  }
  return rev && pri ? "deg, usu" : pri ? "usu" : "deg";
}

void TrajPlotColour(int j, unsigned char rgb[3]) {
  static const unsigned char palette[8][3] = {
    {0, 90, 200}, {200, 30, 30}, {0, 150, 60}, {230, 130, 0},
    {130, 60, 170}, {140, 90, 40}, {210, 60, 160}, {0, 150, 160}};
  const unsigned char* c = palette[(j % 8 + 8) % 8];
  rgb[0] = c[0];  rgb[1] = c[1];  rgb[2] = c[2];
}
