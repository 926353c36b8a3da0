// collide_mesh.cpp -- triangle soups gathered from solids: what the drawing emits, as triangles
#include "collide/collide_mesh.h"

#include "graphics/misc.h"        // for: JwMalloc()
#include "graphics/primitives.h"  // for: JwEmitUnit(), the emission modes

#include <stdlib.h>  // for: realloc(), free()
#include <string.h>  // for: memcpy()

//------------------------------------------------------------------ module state
// the emitter has no user pointer: the mesh being filled, its transform and the open run
static CollideMesh* target = nullptr;
static const double* place = nullptr;
static unsigned int run_mode = 0;
static int run_first = 0;     // index of the run's first point in target

//------------------------------------------------------------------ static helpers

static void* Grow(void* p, int* room, int need, size_t item) {
  if (need <= *room) return p;
  int r = *room ? *room : 256;
  while (r < need) r *= 2;
  void* q = realloc(p, (size_t)r*item);
  if (!q) JwError(1, "Jwmalloc: failed allocation\n");
  *room = r;
  return q;
}

// point v (x, y, z) moved by the current transform
static void AddPoint(CollideMesh* m, const float* v) {
  m->V = (float*)Grow(m->V, &m->cv, m->nv + 1, 3*sizeof(float));
  float* o = m->V + 3*m->nv;
  if (place) {
    const double* M = place;
    for (int k = 0; k < 3; k++)
      o[k] = (float)(M[4*k]*v[0] + M[4*k + 1]*v[1] + M[4*k + 2]*v[2] + M[4*k + 3]);
  } else {
    o[0] = v[0];  o[1] = v[1];  o[2] = v[2];
  }
  m->nv++;
}

// triangle of three point indices, skipped when it has no area (two points the same, or all
// three on a line: the distance tests cannot take such a triangle)
static void AddTri(CollideMesh* m, int a, int b, int c) {
  if (a == b || b == c || a == c) return;
  const float *A = m->V + 3*a, *B = m->V + 3*b, *C = m->V + 3*c;
  double u[3], v[3], s = 0, lu = 0, lv = 0;
  for (int k = 0; k < 3; k++) { u[k] = B[k] - A[k];  v[k] = C[k] - A[k]; }
  for (int k = 0; k < 3; k++) {
    double w = u[(k + 1) % 3]*v[(k + 2) % 3] - u[(k + 2) % 3]*v[(k + 1) % 3];
    s += w*w;
    lu += u[k]*u[k];
    lv += v[k]*v[k];
  }
  if (s <= 1e-12*lu*lv) return;          // sine of the corner angle below 1e-6
  m->T = (int*)Grow(m->T, &m->ct, m->nt + 1, 3*sizeof(int));
  int* t = m->T + 3*m->nt;
  t[0] = a;  t[1] = b;  t[2] = c;
  m->nt++;
}

static void EmBegin(unsigned int mode) {
  run_mode = mode;
  run_first = target->nv;
}

static void EmNormal(const float*) {}

static void EmVertex(const float* v) { AddPoint(target, v); }

// the run as triangles: quad strip pairs (0 1 3 2), triangle strip, polygon fan
static void EmEnd(void) {
  int f = run_first, k = target->nv - f;
  if (run_mode == JwQuadStripMode) {
    for (int i = 0; i + 3 < k; i += 2) {
      AddTri(target, f + i, f + i + 1, f + i + 3);
      AddTri(target, f + i, f + i + 3, f + i + 2);
    }
  } else if (run_mode == JwTriangleStripMode) {
    for (int i = 0; i + 2 < k; i++) AddTri(target, f + i, f + i + 1, f + i + 2);
  } else {
    for (int i = 1; i + 1 < k; i++) AddTri(target, f, f + i, f + i + 1);
  }
}

static const JwEmitterRec gather = {EmBegin, EmNormal, EmVertex, EmEnd};

//------------------------------------------------------------------ public API

void CollideMeshAddSolid(CollideMesh* m, JwPrimitive p, const double M[16]) {
  if (!p) return;
  target = m;
  place = M;
  for (int i = 0; i < p->nu; i++)
    if (p->U[i]) JwEmitUnit(p->U[i], &gather);
  target = nullptr;
  place = nullptr;
}

void CollideMeshAddLoft(CollideMesh* m, const float* A, const float* B, int n,
                        const double M[16]) {
  if (n < 3) return;
  place = M;
  int a0 = m->nv;
  for (int i = 0; i < n; i++) AddPoint(m, A + 3*i);
  int b0 = m->nv;
  for (int i = 0; i < n; i++) AddPoint(m, B + 3*i);
  place = nullptr;
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    AddTri(m, a0 + i, b0 + i, b0 + j);
    AddTri(m, a0 + i, b0 + j, a0 + j);
  }
  for (int i = 1; i + 1 < n; i++) {
    AddTri(m, a0, a0 + i + 1, a0 + i);
    AddTri(m, b0, b0 + i, b0 + i + 1);
  }
}

void CollideMeshClear(CollideMesh* m) {
  free(m->V);
  free(m->T);
  memset(m, 0, sizeof(*m));
}
