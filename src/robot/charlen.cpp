// charlen.cpp -- characteristic length and maximum reach of a robot through the libraries
#include "robot/charlen.h"
#include "robot/app_state.h"
#include "torvik.h"
#include "pondrel.h"
#include "robot/tokenizer.h"
#include "graphics/misc.h"  // for: JwMalloc()
#include "base/message.h"   // for: VmMessage()

#include <math.h>     // for: fabs()
#include <stdio.h>    // for: fprintf(), snprintf()
#include <stdlib.h>   // for: free()

//------------------------------------------------------------------ static helpers

// the arrays both calls take: start vector (first element first), DH table (a, b, al, th)
// and joint count, as 1-row runtime matrices bound by mlfAssign
typedef struct _DHArgs_ {
  NlArray *x, *vv, *n, *types, *type;
  NlArray *tolx, *tolfun, *maxfun, *maxiter;
} DHArgs;

static void make_args(Robot r, double first, int prismatic_b, DHArgs* g) {
  int n = r->n;
  double* v = (double*)JwMalloc(sizeof(double)*(5*n + 1));   // fatal on failure
  double *x = v, *vv = v + n, *t = v + 5*n;
  for (int i = 0; i < n; i++) {
    const Link* l = &r->L[i];
    x[i] = (prismatic_b && l->joint != 0) ? l->b : l->th;
    vv[i] = l->a;  vv[n + i] = l->b;  vv[2*n + i] = l->al;  vv[3*n + i] = l->th;
  }
  x[0] = first;
  *g = DHArgs{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  mlfAssign(&g->x, mlfDoubleMatrix(1, n, x, nullptr));
  mlfAssign(&g->vv, mlfDoubleMatrix(1, 4*n, vv, nullptr));
  t[0] = n;
  mlfAssign(&g->n, mlfDoubleMatrix(1, 1, t, nullptr));
  mlfAssign(&g->types, mclCreateDoubleMatrix(1, n, NL_REAL));
  double* pt = mclGetPr(g->types);
  for (int i = 0; i < n; i++) pt[i] = r->L[i].joint != 0 ? 1.0 : 0.0;
  t[0] = r->type;
  mlfAssign(&g->type, mlfDoubleMatrix(1, 1, t, nullptr));
  mlfAssign(&g->tolx, NlScalar(1e-4));
  mlfAssign(&g->tolfun, NlScalar(1e-4));
  mlfAssign(&g->maxfun, NlScalar(10000));
  mlfAssign(&g->maxiter, NlScalar(10000));
  free(v);
}

static void free_args(DHArgs* g) {
  NlArray** all[] = {&g->x, &g->vv, &g->n, &g->types, &g->type, &g->tolx, &g->tolfun,
                     &g->maxfun, &g->maxiter};
  for (NlArray** p : all) mlfAssign(p, nullptr);
}

// the first element of a library result; the rest are joints 2..n when there are n
// elements; a missing result (a run-time error) counts as -1
static double take_result(Robot r, NlArray* ret, const char* suffix) {
  if (!ret) return -1.0;
  double* p = mclGetPr(ret);
  double v = NlNumel(ret) > 0 ? p[0] : -1.0;
  if (v > 0 && NlNumel(ret) == r->n) WriteCharacteristicPosture(r, suffix, p + 1);
  NlDestroyArray(ret);
  return v;
}

//------------------------------------------------------------------ public API

// what the posture file holds: the robot and the n-1 optimal values
typedef struct _Posture_ {
  Robot r;
  const double* q;
} Posture;

static int put_posture(FILE* fp, const void* data) {
  const Posture* p = (const Posture*)data;
  fprintf(fp, "th = [  ");
  fprintf(fp, " %lf ", (double)p->r->L[0].th);
  for (int i = 0; i < p->r->n - 1; i++) fprintf(fp, " %lf ", p->q[i]);
  fprintf(fp, " ]\n");
  return 0;
}

// write "th = [  " th of link 0, then the n-1 values of q, " ]" into "JConfig/<name>.<suffix>";
// an earlier file is replaced only once the new one is complete; 0, or -1 when the file
// cannot be made (the length is still good, so callers carry on)
int WriteCharacteristicPosture(Robot r, const char* suffix, const double* q) {
  char path[160];
  snprintf(path, sizeof(path), "JConfig/%s.%s", r->name, suffix);
  Posture p = {r, q};
  return WriteFileQuietly(path, put_posture, &p) == 0 ? 0 : -1;
}

// the libraries' printed arrays are trace lines of the core, like the reader's
static void library_trace(const char* text) {
  VmMessage(MsgTrace, "%s", text);
}

// characteristic length of r from torvik; the posture file when positive
double caculate_length(Robot r) {
  DHArgs g;
  NlSetPrintHandler(library_trace);
  torvikInitialize();
  make_args(r, 1.0, 1, &g);
  NlArray* ret = mlfHomogenous_length_calculate(g.x, g.vv, g.n, g.types, g.type, g.tolx,
                                                g.tolfun, g.maxfun, g.maxiter);
  double L = take_result(r, ret, "Characteristic");
  free_args(&g);
  torvikTerminate();
  return L;
}

// maximum reach of r from pondrel; the posture file when positive
double caculate_maxreach(Robot r) {
  DHArgs g;
  NlSetPrintHandler(library_trace);
  pondrelInitialize();
  make_args(r, 0.0, 0, &g);
  NlArray* ret = mlfMaxreachlength(g.x, g.vv, g.n, g.tolx, g.tolfun, g.maxfun, g.maxiter);
  double reach = take_result(r, ret, "Maxreach");
  free_args(&g);
  pondrelTerminate();
  return reach;
}

// the callers' step: length, reach for types 0 and 4, the globals, avg_len and rad
void RobotCharacteristicLength(Robot r) {
  double L = caculate_length(r);
  if (r->type == 0 || r->type == 4) m_maximum_reach = caculate_maxreach(r);
  m_homogenous_length = L;
  if (L > 0) {
    m_converge_flag = 1;
    r->avg_len = (float)L;
  } else {
    // no length: the average link length stands in
    m_converge_flag = 0;
    double sum = 0.0;
    for (int i = 0; i < r->n; i++) sum += r->L[i].a + fabs(r->L[i].b);
    r->avg_len = (float)(sum/(2*r->n));
  }
  r->rad = r->avg_len/8;
}
