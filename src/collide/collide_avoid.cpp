// collide_avoid.cpp -- the obstacle goal of the redundant solver: how deep the robot's parts
// reach into the spheres of influence, and its gradient
#include "collide/collide_local.h"

#include "kin/ikp.h"           // for: SetInvAvoid()
#include "robot/app_state.h"   // for: Radius, SOI

#include <stdlib.h>  // for: free()

//------------------------------------------------------------------ module state
static CollideModel avoid_model = nullptr;   // SetCollideAvoid

//------------------------------------------------------------------ static helpers

// the bounding boxes are at least z apart: the part is outside the zone
static int BoxesFarther(const CollideBodyRec* a, const CollideBodyRec* b, double z) {
  double s = 0.0;
  for (int k = 0; k < 3; k++) {
    double g = a->lo[k] - b->hi[k];
    if (b->lo[k] - a->hi[k] > g) g = b->lo[k] - a->hi[k];
    if (g > 0) s += g*g;
  }
  return s >= z*z && s > 0;
}

// dP/dq by central differences at q (copied, so the caller's joints stay as they are)
static double Goal(Robot r, const float* q, double* grad) {
  CollideModel m = avoid_model;
  if (!m || r != m->r) return 0.0;
  int n = r->n;
  double P = CollideAvoidPotential(m, q);
  for (int j = 0; j < n; j++) grad[j] = 0.0;
  if (P <= 0) return 0.0;
  float* w = (float*)malloc(sizeof(float)*n);
  if (!w) return 0.0;
  for (int j = 0; j < n; j++) w[j] = q[j];
  for (int j = 0; j < n; j++) {
    float d = r->L[j].joint != 0 ? 1e-4f*r->avg_len : 0.05f;
    w[j] = q[j] + d;
    double up = CollideAvoidPotential(m, w);
    w[j] = q[j] - d;
    double down = CollideAvoidPotential(m, w);
    w[j] = q[j];
    grad[j] = (up - down)/(2.0*d);
  }
  free(w);
  return P;
}

//------------------------------------------------------------------ public API

double CollideAvoidPotential(CollideModel m, const float* q) {
  if (!m || !q) return 0.0;
  CollideSyncScene(m, q);
  double P = 0.0;
  for (int b = m->nrobot; b < m->nlist; b++) {
    const CollideBodyRec* B = m->list[b];
    if (B->pub.kind != CollideObstacle) continue;
    int e = B->pub.index;
    double z = Radius[e]*(SOI[e] > 0 ? SOI[e] : 0);
    for (int a = 0; a < m->nrobot; a++) {
      const CollideBodyRec* A = m->list[a];
      if (!A->np || BoxesFarther(A, B, z)) continue;
      double d = CollideBodyGap(m, A, B);
      if (d < z) P += (z - d)*(z - d);
    }
  }
  return P;
}

void SetCollideAvoid(CollideModel m) {
  avoid_model = m;
  SetInvAvoid(m ? Goal : nullptr);
}

CollideModel GetCollideAvoid(void) { return avoid_model; }
