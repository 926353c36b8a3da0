// primitives_emit.cpp -- the drawing sequence of every mesh kind, sent to an emitter
#include "graphics/primitives_local.h"

//------------------------------------------------------------------ static helpers

static inline void Vx(const JwEmitterRec* e, JwUnit u, int i) { e->Vertex(u->V + 4*i); }
static inline void Nm(const JwEmitterRec* e, JwUnit u, int i) { e->Normal(u->N + 4*i); }

// quad strip over the pairs (a_i, b_i) = (a0 + i*da, b0 + i*da), i = 0..cnt-1, with normal
// n0 + i*dn for each pair (dn 0: one normal for the whole strip)
static void Strip(const JwEmitterRec* e, JwUnit u, int cnt, int a0, int b0, int da, int n0,
                  int dn) {
  e->Begin(JwQuadStripMode);
  if (dn == 0) Nm(e, u, n0);
  for (int i = 0; i < cnt; i++) {
    if (dn != 0) Nm(e, u, n0 + i*dn);
    Vx(e, u, a0 + i*da);
    Vx(e, u, b0 + i*da);
  }
  e->End();
}

// polygon with one normal through cnt vertices first, first + step, ...
static void Poly(const JwEmitterRec* e, JwUnit u, int nrm, int cnt, int first, int step) {
  e->Begin(JwPolygonMode);
  Nm(e, u, nrm);
  for (int i = 0; i < cnt; i++) Vx(e, u, first + i*step);
  e->End();
}

// polygon with one normal through four given vertices
static void Quad(const JwEmitterRec* e, JwUnit u, int nrm, int a, int b, int c, int d) {
  e->Begin(JwPolygonMode);
  Nm(e, u, nrm);
  Vx(e, u, a);  Vx(e, u, b);  Vx(e, u, c);  Vx(e, u, d);
  e->End();
}

// grid of rows (rows + 1 rings of cols + 1 points): one strip per pair of rings, each pair of
// ring rows emitted as (row i + 1, row i) with per-vertex normals; flip swaps the two
static void Grid(const JwEmitterRec* e, JwUnit u, int rows, int cols, bool flip) {
  for (int i = 0; i < rows; i++) {
    e->Begin(JwQuadStripMode);
    for (int j = 0; j <= cols; j++) {
      int a = (i + 1)*(cols + 1) + j, b = i*(cols + 1) + j;
      if (flip) { int t = a;  a = b;  b = t; }
      Nm(e, u, a);  Vx(e, u, a);
      Nm(e, u, b);  Vx(e, u, b);
    }
    e->End();
  }
}

//------------------------------------------------------------------ shapes

// side strip, top polygon counter-clockwise from +z, bottom polygon reversed
static void EmitCylinder(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  Strip(e, u, n + 1, 0, 1, 2, 0, 1);
  Poly(e, u, n + 1, n, 0, 2);
  Poly(e, u, n + 2, n, 2*n + 1, -2);
}

// one polygon per facet, then top and bottom
static void EmitFlatCylinder(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  for (int i = 0; i < n; i++) Quad(e, u, i, 2*i, 2*i + 1, 2*i + 3, 2*i + 2);
  Poly(e, u, n + 1, n, 0, 2);
  Poly(e, u, n + 2, n, 2*n + 1, -2);
}

// apex paired with each rim point, then the base reversed
static void EmitCone(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  e->Begin(JwQuadStripMode);
  for (int i = 0; i <= n; i++) {
    Nm(e, u, i);
    Vx(e, u, n + 1);
    Vx(e, u, i);
  }
  e->End();
  Poly(e, u, n + 1, n, n, -1);
}

// six faces, normal first
static void EmitBox(JwUnit u, const JwEmitterRec* e) {
  for (int f = 0; f < 6; f++) Poly(e, u, f, 4, 4*f, 1);
}

static void EmitSphere(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, rings = u->m - 1, last = u->nv - 1;
  if (rings < 1) return;
  // south cap: ring point, pole
  e->Begin(JwTriangleStripMode);
  for (int j = 0; j <= n; j++) {
    Nm(e, u, 1 + j);  Vx(e, u, 1 + j);
    Nm(e, u, 0);  Vx(e, u, 0);
  }
  e->End();
  // bands: upper ring point, lower ring point
  for (int k = 0; k + 1 < rings; k++) {
    e->Begin(JwQuadStripMode);
    for (int j = 0; j <= n; j++) {
      int lo = 1 + k*(n + 1) + j, up = lo + n + 1;
      Nm(e, u, up);  Vx(e, u, up);
      Nm(e, u, lo);  Vx(e, u, lo);
    }
    e->End();
  }
  // north cap: the last ring reversed, pole
  e->Begin(JwTriangleStripMode);
  for (int j = n; j >= 0; j--) {
    int i = 1 + (rings - 1)*(n + 1) + j;
    Nm(e, u, i);  Vx(e, u, i);
    Nm(e, u, last);  Vx(e, u, last);
  }
  e->End();
}

static void EmitHemiSphere(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, m = u->m, pole = m*(n + 1);
  Grid(e, u, m - 1, n, false);
  e->Begin(JwTriangleStripMode);
  for (int j = n; j >= 0; j--) {
    int i = (m - 1)*(n + 1) + j;
    Nm(e, u, i);  Vx(e, u, i);
    Nm(e, u, pole);  Vx(e, u, pole);
  }
  e->End();
  Poly(e, u, pole + 1, n, n, -1);
}

// arc side, face at 0, face at ang, top, bottom
static void EmitSector(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, c = 2*n + 2;
  Strip(e, u, n + 1, 0, 1, 2, 0, 1);
  Quad(e, u, n + 1, c, c + 1, 1, 0);
  Quad(e, u, n + 2, 2*n, 2*n + 1, c + 1, c);
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 3);
  Vx(e, u, c);
  for (int i = 0; i <= n; i++) Vx(e, u, 2*i);
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 4);
  for (int i = n; i >= 0; i--) Vx(e, u, 2*i + 1);
  Vx(e, u, c + 1);
  e->End();
}

// rim, top, bottom of one wedge
static void EmitWheel(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, c = 2*n + 2;
  Strip(e, u, n + 1, 0, 1, 2, 0, 1);
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 1);
  Vx(e, u, c);
  for (int i = 0; i <= n; i++) Vx(e, u, 2*i);
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 2);
  for (int i = n; i >= 0; i--) Vx(e, u, 2*i + 1);
  Vx(e, u, c + 1);
  e->End();
}

// arc side, chord face, top, bottom
static void EmitArc(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, c = 2*n + 2;
  Strip(e, u, n + 1, 0, 1, 2, 0, 1);
  Quad(e, u, n + 1, 2*n, 2*n + 1, 1, 0);
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 2);
  Vx(e, u, c);
  for (int i = 0; i <= n; i++) Vx(e, u, 2*i);
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, n + 3);
  for (int i = n; i >= 0; i--) Vx(e, u, 2*i + 1);
  Vx(e, u, c + 1);
  e->End();
}

// side, top, bottom
static void EmitStump(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  Strip(e, u, n + 1, 0, 1, 2, 0, 1);
  Poly(e, u, n + 1, n, 0, 2);
  Poly(e, u, n + 2, n, 2*n + 1, -2);
}

// outer wall, inner wall, top annulus, bottom annulus
static void EmitRing(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  Strip(e, u, n + 1, 2, 3, 4, 3, 2);
  Strip(e, u, n + 1, 1, 0, 4, 2, 2);
  Strip(e, u, n + 1, 0, 2, 4, 0, 0);
  Strip(e, u, n + 1, 3, 1, 4, 1, 0);
}

// hole wall, top face, bottom face, the four outer walls
static void EmitSquareRing(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, o = 2*n + 2;
  Strip(e, u, n + 1, 1, 0, 2, 0, 1);
  Strip(e, u, n + 1, 0, o, 2, n + 1, 0);
  Strip(e, u, n + 1, o + 1, 1, 2, n + 2, 0);
  for (int s = 0; s < 4; s++) {
    int b = 4*n + 4 + 4*s;
    Quad(e, u, n + 3 + s, b, b + 1, b + 3, b + 2);
  }
}

// per corner its arc strip and the flat side after it; then top and bottom
static void EmitPrismFillet(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  for (int k = 0; k < 4; k++) {
    int vb = k*(2*n + 6), nb = k*(n + 2);
    Strip(e, u, n + 1, vb, vb + 1, 2, nb, 1);
    Quad(e, u, nb + n + 1, vb + 2*n + 2, vb + 2*n + 3, vb + 2*n + 5, vb + 2*n + 4);
  }
  e->Begin(JwPolygonMode);
  Nm(e, u, 4*n + 8);
  for (int k = 0; k < 4; k++) {
    for (int i = 0; i <= n; i++) Vx(e, u, k*(2*n + 6) + 2*i);
  }
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, 4*n + 9);
  for (int k = 3; k >= 0; k--) {
    for (int i = n; i >= 0; i--) Vx(e, u, k*(2*n + 6) + 2*i + 1);
  }
  e->End();
}

// side strip around, bottom face, front and back
static void EmitPivot(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  Strip(e, u, n + 3, 0, 1, 2, 0, 1);
  Quad(e, u, n + 3, 2*n + 4, 2*n + 5, 2*n + 7, 2*n + 6);
  Poly(e, u, n + 4, n + 3, 0, 2);
  Poly(e, u, n + 5, n + 3, 2*n + 5, -2);
}

// top, one strip per profile segment, bottom
static void EmitCylFillet(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, np = u->m + u->p + 2, nv = u->nv;
  Poly(e, u, nv, n, 0, np);
  for (int k = 0; k + 1 < np; k++) {
    e->Begin(JwQuadStripMode);
    for (int j = 0; j <= n; j++) {
      int a = j*np + k;
      Nm(e, u, a);  Vx(e, u, a);
      Nm(e, u, a + 1);  Vx(e, u, a + 1);
    }
    e->End();
  }
  Poly(e, u, nv + 1, n, n*np + np - 1, -np);
}

// cap strip around a pole of the dish (ring point then pole outside, pole then ring point
// inside, so both face away from the material)
static void DishCap(const JwEmitterRec* e, JwUnit u, int b, int n, bool inner) {
  e->Begin(JwTriangleStripMode);
  for (int j = 0; j <= n; j++) {
    int a = b + 1 + j;
    if (inner) { Nm(e, u, b);  Vx(e, u, b);  Nm(e, u, a);  Vx(e, u, a); }
    else { Nm(e, u, a);  Vx(e, u, a);  Nm(e, u, b);  Vx(e, u, b); }
  }
  e->End();
}

// the bands between the rings of one surface, upper ring first outside, lower inside
static void DishBands(const JwEmitterRec* e, JwUnit u, int b, int n, int m, bool inner) {
  for (int k = 0; k + 1 < m; k++) {
    e->Begin(JwQuadStripMode);
    for (int j = 0; j <= n; j++) {
      int lo = b + 1 + k*(n + 1) + j, up = lo + n + 1;
      if (inner) { int t = lo;  lo = up;  up = t; }
      Nm(e, u, up);  Vx(e, u, up);
      Nm(e, u, lo);  Vx(e, u, lo);
    }
    e->End();
  }
}

// outer cap, outer bands, the flat rim, inner bands, inner cap
static void EmitDish(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, m = u->m, per = m*(n + 1) + 1;
  DishCap(e, u, 0, n, false);
  DishBands(e, u, 0, n, m, false);
  e->Begin(JwQuadStripMode);
  Nm(e, u, 2*per);
  for (int j = 0; j <= n; j++) {
    Vx(e, u, per + 1 + (m - 1)*(n + 1) + j);
    Vx(e, u, 1 + (m - 1)*(n + 1) + j);
  }
  e->End();
  DishBands(e, u, per, n, m, true);
  DishCap(e, u, per, n, true);
}

// one strip per bend step
static void EmitToroid(JwUnit u, const JwEmitterRec* e) { Grid(e, u, u->m, u->n, false); }
static void EmitElbow(JwUnit u, const JwEmitterRec* e) { Grid(e, u, u->m, u->n, false); }

// the bend's strips, then the two end discs
static void EmitElbowPR(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, m = u->m, nv = u->nv;
  Grid(e, u, m, n, false);
  Poly(e, u, nv, n, n - 1, -1);
  Poly(e, u, nv + 1, n, m*(n + 1), 1);
}

static void EmitWire(JwUnit u, const JwEmitterRec* e) {
  if (u->m < 2) return;
  Grid(e, u, u->m - 1, u->n, false);
}

// outer, inner, top and bottom strips, the two ends
static void EmitSphereCurve(JwUnit u, const JwEmitterRec* e) {
  int m = u->m, n = u->n, io = 2*m + 2, to = io + 2*n + 2, bo = to + m + n + 2, nv = u->nv;
  int K = m > n ? m : n;
  Strip(e, u, m + 1, 0, 1, 2, 0, 2);
  Strip(e, u, n + 1, io + 1, io, 2, io, 2);
  for (int f = 0; f < 2; f++) {
    int base = f ? bo : to;
    e->Begin(JwQuadStripMode);
    Nm(e, u, base);
    for (int q = 0; q <= K; q++) {
      int o = base + (q*m + K/2)/K, i = base + m + 1 + (q*n + K/2)/K;
      if (f) { Vx(e, u, o);  Vx(e, u, i); }
      else { Vx(e, u, i);  Vx(e, u, o); }
    }
    e->End();
  }
  Quad(e, u, nv, io, io + 1, 1, 0);
  Quad(e, u, nv + 1, 2*m, 2*m + 1, io + 2*n + 1, io + 2*n);
}

// flat outline: side runs, top, bottom (see def_flat for the layout)
static void EmitFlat(JwUnit u, const JwEmitterRec* e) {
  int n = u->n, nn = u->nn, np = u->nv/2;
  if (n < 1) return;
  const float* F = u->N + 4*nn;
  if (F[0] == 0.0f) {
    // every point smooth: one strip around, closed by the first pair
    e->Begin(JwQuadStripMode);
    for (int k = 0; k <= n; k++) {
      int i = k%n;
      Nm(e, u, i);  Vx(e, u, 2*i);  Vx(e, u, 2*i + 1);
    }
    e->End();
  } else {
    int vi = 0, ni = 0;
    bool in0 = F[0] == 2.0f;                       // start keeps its incoming normal
    if (in0) ni++;
    int k = 0;
    while (true) {
      int j = 0;
      while (k + 1 + j < n && F[k + 1 + j] == 0.0f) j++;
      int end = k + 1 + j;
      // the run's closing normal: the end corner's incoming one when it keeps it (flag 2),
      // else the run's last normal
      int nin;
      if (end == n) nin = in0 ? 0 : -1;
      else nin = F[end] == 2.0f ? ni + 1 + j : -1;
      if (F[k] == 2.0f || j > 0) {
        e->Begin(JwQuadStripMode);
        for (int i = 0; i <= j + 1; i++) {
          int nrm = i <= j ? ni + i : (nin >= 0 ? nin : ni + j);
          Nm(e, u, nrm);
          Vx(e, u, 2*(vi + i));  Vx(e, u, 2*(vi + i) + 1);
        }
        e->End();
      } else {
        Quad(e, u, ni, 2*vi, 2*vi + 1, 2*vi + 3, 2*vi + 2);
      }
      vi += j + 1;
      ni += j + 1;
      if (end == n) break;
      if (nin >= 0) ni++;
      vi++;
      k = end;
    }
  }
  // top: one vertex per point (the outgoing pair at corners); bottom reversed
  e->Begin(JwPolygonMode);
  Nm(e, u, nn - 2);
  for (int k = 0, vi = 0; k < n; k++) {
    if (F[k] != 0.0f && k > 0) vi++;
    Vx(e, u, 2*vi);
    vi++;
  }
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, nn - 1);
  int idx = F[0] == 0.0f ? n : np - 1;
  for (int k = n - 1; k >= 1; k--) {
    idx--;
    Vx(e, u, 2*idx + 1);
    if (F[k] != 0.0f) idx--;
  }
  Vx(e, u, 1);
  e->End();
}

// the two triangles and the slanted face
static void EmitGusset(JwUnit u, const JwEmitterRec* e) {
  e->Begin(JwPolygonMode);
  Nm(e, u, 0);  Vx(e, u, 0);  Vx(e, u, 2);  Vx(e, u, 1);
  e->End();
  e->Begin(JwPolygonMode);
  Nm(e, u, 1);  Vx(e, u, 3);  Vx(e, u, 4);  Vx(e, u, 5);
  e->End();
  Quad(e, u, 2, 4, 1, 2, 5);
}

// n sides, the T face, the B face reversed
static void EmitLomp(JwUnit u, const JwEmitterRec* e) {
  int n = u->n;
  if (n < 1) return;
  for (int i = 0; i < n; i++) Quad(e, u, i, 2*i, 2*i + 1, 2*i + 3, 2*i + 2);
  Poly(e, u, n, n, 0, 2);
  Poly(e, u, n + 1, n, 2*n - 1, -2);
}

//------------------------------------------------------------------ dispatch

// the begin / normal / vertex / end calls that draw u, without material selection
void JwEmitUnit(JwUnit u, const JwEmitterRec* e) {
  switch (u->kind) {
    case JwDrawCylinder: EmitCylinder(u, e);  break;
    case JwDrawPivot: EmitPivot(u, e);  break;
    case JwDrawToroid: EmitToroid(u, e);  break;
    case JwDrawPrism: EmitBox(u, e);  break;
    case JwDrawCone: EmitCone(u, e);  break;
    case JwDrawSphere: EmitSphere(u, e);  break;
    case JwDrawHemiSphere: EmitHemiSphere(u, e);  break;
    case JwDrawSector: EmitSector(u, e);  break;
    case JwDrawCylFillet: EmitCylFillet(u, e);  break;
    case JwDrawPrismFillet: EmitPrismFillet(u, e);  break;
    case JwDrawRing: EmitRing(u, e);  break;
    case JwDrawSquareRing: EmitSquareRing(u, e);  break;
    case JwDrawArc: EmitArc(u, e);  break;
    case JwDrawDish: EmitDish(u, e);  break;
    case JwDrawStump: EmitStump(u, e);  break;
    case JwDrawElbow: EmitElbow(u, e);  break;
    case JwDrawElbowPR: EmitElbowPR(u, e);  break;
    case JwDrawWire: EmitWire(u, e);  break;
    case JwDrawFlatCylinder: EmitFlatCylinder(u, e);  break;
    case JwDrawSphereCurve: EmitSphereCurve(u, e);  break;
    case JwDrawFlat: EmitFlat(u, e);  break;
    case JwDrawGusset: EmitGusset(u, e);  break;
    case JwDrawPyr: EmitBox(u, e);  break;
    case JwDrawLomp: EmitLomp(u, e);  break;
    case JwDrawWheel: EmitWheel(u, e);  break;
    default: break;
  }
}

// 1 when kind selects its own material and colour, 0 when it takes the current ones
int JwKindSetsMaterial(int kind) {
  switch (kind) {
    case JwDrawWire: case JwDrawFlatCylinder: case JwDrawGusset: case JwDrawSphereCurve:
    case JwDrawPyr: case JwDrawFlat: case JwDrawElbowPR:
      return 0;
    default:
      return 1;
  }
}
