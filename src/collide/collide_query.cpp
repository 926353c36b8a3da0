// collide_query.cpp -- the collision check and the clearance query of a collision model
#include "collide/collide_local.h"

#include "robot/app_state.h"   // for: Radius, Obstacle_pos

#include <math.h>    // for: sqrt()
#include <stdio.h>   // for: snprintf()
#include <stdlib.h>  // for: qsort()
#include <string.h>  // for: memset()

//------------------------------------------------------------------ module state
static int check_on = 0;   // "Check collisions"

//------------------------------------------------------------------ static helpers

static int BoxesApart(const CollideBodyRec* a, const CollideBodyRec* b) {
  for (int k = 0; k < 3; k++)
    if (a->lo[k] > b->hi[k] || b->lo[k] > a->hi[k]) return 1;
  return 0;
}

// distance between the two bounding boxes: a lower bound of the bodies' distance
static double BoxGap(const CollideBodyRec* a, const CollideBodyRec* b) {
  double s = 0;
  for (int k = 0; k < 3; k++) {
    double g = a->lo[k] - b->hi[k];
    if (b->lo[k] - a->hi[k] > g) g = b->lo[k] - a->hi[k];
    if (g > 0) s += g*g;
  }
  return sqrt(s);
}

static int Touch(const CollideBodyRec* a, const CollideBodyRec* b) {
  if (!a->np || !b->np || BoxesApart(a, b)) return 0;
  for (int i = 0; i < a->np; i++)
    for (int j = 0; j < b->np; j++)
      if (CollideTouch(a->P[i].s, b->P[j].s)) return 1;
  return 0;
}

// a touching pair: both flagged, counted, and named when it is the first
static void Hit(CollideModel m, int a, int b, CollideReport* rep) {
  m->list[a]->pub.hit = 1;
  m->list[b]->pub.hit = 1;
  if (rep->touching == 0) {
    rep->first_a = a;
    rep->first_b = b;
    snprintf(rep->message, sizeof(rep->message), "%s touches %s", m->list[a]->pub.name,
             m->list[b]->pub.name);
  }
  rep->touching++;
}

static void ClearReport(CollideReport* rep) {
  rep->touching = 0;
  rep->first_a = rep->first_b = -1;
  rep->message[0] = '\0';
  rep->warned = 0;
  rep->clearance = CollideFar;
  rep->near_a = rep->near_b = -1;
}

// distance of robot body a to body b, given whether the check found them touching: 0 then,
// except that an obstacle is measured from its centre less its radius, so that a body inside
// it comes out below 0
static double BodyDistance(CollideModel m, const CollideBodyRec* a, const CollideBodyRec* b,
                           int touching) {
  double best = CollideFar;
  if (touching && b->pub.kind != CollideObstacle) return 0;
  if (touching) CollidePlace(m->probe, b->P[0].L);
  for (int i = 0; i < a->np; i++)
    for (int j = 0; j < b->np; j++) {
      double d;
      if (touching)
        d = CollideDistance(a->P[i].s, m->probe, nullptr, nullptr) - Radius[b->pub.index];
      else
        d = CollideGap(a->P[i].s, b->P[j].s);
      if (d < best) best = d;
    }
  return best;
}

// a pair to measure: a lower bound of its distance, and whether the check found it touching
double CollideBodyGap(CollideModel m, const CollideBodyRec* a, const CollideBodyRec* b) {
  return BodyDistance(m, a, b, Touch(a, b));
}

typedef struct _Candidate_ {
  double gap;
  int a, b;
  int touching;
} Candidate;

// lower bounds ascending, touching pairs first among equal bounds
static int ByGap(const void* x, const void* y) {
  const Candidate* a = (const Candidate*)x;
  const Candidate* b = (const Candidate*)y;
  if (a->gap != b->gap) return a->gap < b->gap ? -1 : 1;
  return b->touching - a->touching;
}

//------------------------------------------------------------------ public API

void SetCollideCheck(int on) { check_on = on ? 1 : 0; }
int GetCollideCheck(void) { return check_on; }

// robot parts and the payload against everything else, then the self pairs; the spheres of
// influence only warn
int CollideCheck(CollideModel m, const float* q, CollideReport* rep) {
  CollideReport local;
  if (!rep) rep = &local;
  ClearReport(rep);
  if (!m || !q) return 0;
  CollideSyncScene(m, q);
  for (int k = 0; k < m->nlist; k++) m->list[k]->pub.hit = m->list[k]->pub.warn = 0;
  if (!check_on) return 0;
  int robot = m->nrobot;
  memset(m->touched, 0, (size_t)robot*m->nlist);
  for (int a = 0; a < robot; a++) {
    CollideBodyRec* A = m->list[a];
    if (!A->np) continue;
    for (int b = robot; b < m->nlist; b++) {
      CollideBodyRec* B = m->list[b];
      if (Touch(A, B)) {
        Hit(m, a, b, rep);
        m->touched[a*m->nlist + b] = 1;
      }
      if (B->pub.kind != CollideObstacle || A->pub.warn) continue;
      for (int i = 0; i < A->np && !A->pub.warn; i++)
        if (CollideTouch(A->P[i].s, m->soi[B->pub.index])) {
          A->pub.warn = 1;
          rep->warned++;
        }
    }
  }
  for (int k = 0; k < m->nself; k++) {
    int a = m->self[k][0], b = m->self[k][1];
    if (Touch(m->list[a], m->list[b])) Hit(m, a, b, rep);
  }
  return rep->touching;
}

// pairs of a robot part and anything else, nearest bounding boxes first, measured until the
// next box is farther than the best distance found
double CollideClearance(CollideModel m, const float* q, CollideReport* rep) {
  CollideReport local;
  if (!rep) rep = &local;
  CollideCheck(m, q, rep);
  if (!m || !q || !check_on) return rep->clearance;
  int robot = m->nrobot, others = m->nlist - robot;
  if (others <= 0) return rep->clearance;
  Candidate* c = (Candidate*)malloc((size_t)robot*others*sizeof(Candidate));
  if (!c) return rep->clearance;
  int nc = 0;
  for (int a = 0; a < robot; a++) {
    if (!m->list[a]->np) continue;
    for (int b = robot; b < m->nlist; b++) {
      // inside an obstacle the distance is no less than minus its radius
      const CollideBodyRec* B = m->list[b];
      c[nc].touching = m->touched[a*m->nlist + b];
      c[nc].gap = BoxGap(m->list[a], B);
      if (c[nc].touching && B->pub.kind == CollideObstacle) c[nc].gap = -Radius[B->pub.index];
      c[nc].a = a;
      c[nc].b = b;
      nc++;
    }
  }
  qsort(c, nc, sizeof(Candidate), ByGap);
  for (int k = 0; k < nc && c[k].gap < rep->clearance; k++) {
    double d = BodyDistance(m, m->list[c[k].a], m->list[c[k].b], c[k].touching);
    if (d < rep->clearance) {
      rep->clearance = d;
      rep->near_a = c[k].a;
      rep->near_b = c[k].b;
    }
  }
  free(c);
  return rep->clearance;
}
