// prims_test_util.h -- recording emitter and geometric checks for the solid tests
#ifndef VELMORA_PRIMS_TEST_UTIL_H
#define VELMORA_PRIMS_TEST_UTIL_H

#include <math.h>
#include <string>
#include <vector>

#include "graphics/primitives.h"

// one emitted call: 'B' begin (a = mode), 'E' end, 'N' normal (a = index), 'V' vertex (a = index)
struct PrimEvent {
  char kind;
  int a;
};

// the unit being recorded and the calls seen so far
static JwUnit rec_unit = nullptr;
static std::vector<PrimEvent> rec_events;

static void RecBegin(unsigned int mode) { rec_events.push_back({'B', (int)mode}); }
static void RecEnd(void) { rec_events.push_back({'E', 0}); }
static void RecNormal(const float* n) {
  rec_events.push_back({'N', (int)((n - rec_unit->N)/4)});
}
static void RecVertex(const float* v) {
  rec_events.push_back({'V', (int)((v - rec_unit->V)/4)});
}

// the calls that draw u
static inline std::vector<PrimEvent> Record(JwUnit u) {
  static const JwEmitterRec rec = {RecBegin, RecNormal, RecVertex, RecEnd};
  rec_unit = u;
  rec_events.clear();
  JwEmitUnit(u, &rec);
  return rec_events;
}

// the begin modes in order as letters: P polygon, Q quad strip, T triangle strip
static inline std::string Modes(const std::vector<PrimEvent>& ev) {
  std::string s;
  for (const PrimEvent& e : ev) {
    if (e.kind != 'B') continue;
    s += e.a == 9 ? 'P' : e.a == 8 ? 'Q' : e.a == 5 ? 'T' : '?';
  }
  return s;
}

// one begin..end block: the vertices and, per vertex, the normal current when it was sent
struct PrimBlock {
  int mode;
  std::vector<int> v, n;
};

static inline std::vector<PrimBlock> Blocks(const std::vector<PrimEvent>& ev) {
  std::vector<PrimBlock> out;
  int cur = -1;
  for (const PrimEvent& e : ev) {
    if (e.kind == 'B') out.push_back({e.a, {}, {}});
    else if (e.kind == 'N') cur = e.a;
    else if (e.kind == 'V') { out.back().v.push_back(e.a);  out.back().n.push_back(cur); }
  }
  return out;
}

static inline const float* Vt(JwUnit u, int i) { return u->V + 4*i; }
static inline const float* Nt(JwUnit u, int i) { return u->N + 4*i; }

// Newell normal of a vertex loop (not normalised)
static inline void Newell(JwUnit u, const std::vector<int>& loop, double* out) {
  out[0] = out[1] = out[2] = 0.0;
  size_t k = loop.size();
  for (size_t i = 0; i < k; i++) {
    const float* a = Vt(u, loop[i]);
    const float* b = Vt(u, loop[(i + 1)%k]);
    out[0] += (a[1] - b[1])*(a[2] + b[2]);
    out[1] += (a[2] - b[2])*(a[0] + b[0]);
    out[2] += (a[0] - b[0])*(a[1] + b[1]);
  }
}

// the faces (as vertex loops with the normal of each corner) that a block draws
static inline void Faces(const PrimBlock& b, std::vector<std::vector<int>>& loops,
                         std::vector<std::vector<int>>& nrms) {
  size_t k = b.v.size();
  if (b.mode == 9) { loops.push_back(b.v);  nrms.push_back(b.n); return; }
  if (b.mode == 8) {
    for (size_t i = 0; i + 3 < k; i += 2) {
      loops.push_back({b.v[i], b.v[i + 1], b.v[i + 3], b.v[i + 2]});
      nrms.push_back({b.n[i], b.n[i + 1], b.n[i + 3], b.n[i + 2]});
    }
    return;
  }
  if (b.mode == 5) {
    for (size_t i = 0; i + 2 < k; i++) {
      if (i%2 == 0) {
        loops.push_back({b.v[i], b.v[i + 1], b.v[i + 2]});
        nrms.push_back({b.n[i], b.n[i + 1], b.n[i + 2]});
      } else {
        loops.push_back({b.v[i + 1], b.v[i], b.v[i + 2]});
        nrms.push_back({b.n[i + 1], b.n[i], b.n[i + 2]});
      }
    }
  }
}

// every drawn face whose area is not negligible turns its front (counter-clockwise side)
// the way its normals point; returns the number of faces that do not
static inline int WindingFaults(JwUnit u, double tiny = 1e-10) {
  std::vector<std::vector<int>> loops, nrms;
  for (const PrimBlock& b : Blocks(Record(u))) Faces(b, loops, nrms);
  int bad = 0;
  for (size_t f = 0; f < loops.size(); f++) {
    double w[3];
    Newell(u, loops[f], w);
    double l = sqrt(w[0]*w[0] + w[1]*w[1] + w[2]*w[2]);
    if (l < tiny) continue;
    double s[3] = {0, 0, 0};
    for (int ni : nrms[f]) for (int c = 0; c < 3; c++) s[c] += Nt(u, ni)[c];
    if ((w[0]*s[0] + w[1]*s[1] + w[2]*s[2])/l <= 0.0) bad++;
  }
  return bad;
}

// every emitted vertex lies on the side its current normal points to, seen from c:
// n . (v - c) > 0; returns the number of vertices that do not
static inline int OutwardFaults(JwUnit u, const double* c) {
  int bad = 0;
  for (const PrimBlock& b : Blocks(Record(u))) {
    for (size_t i = 0; i < b.v.size(); i++) {
      const float* v = Vt(u, b.v[i]);
      const float* n = Nt(u, b.n[i]);
      double d = n[0]*(v[0] - c[0]) + n[1]*(v[1] - c[1]) + n[2]*(v[2] - c[2]);
      if (!(d > 0.0)) bad++;
    }
  }
  return bad;
}

// the average of the vertices of every unit
static inline void Centroid(JwPrimitive P, double* c) {
  c[0] = c[1] = c[2] = 0.0;
  int k = 0;
  for (int i = 0; i < P->nu; i++) {
    for (int j = 0; j < P->U[i]->nv; j++, k++) {
      for (int q = 0; q < 3; q++) c[q] += P->U[i]->V[4*j + q];
    }
  }
  if (k) for (int q = 0; q < 3; q++) c[q] /= k;
}

// largest | |N_i| - 1 | over the unit's normals
static inline double NormalLengthError(JwUnit u) {
  double worst = 0.0;
  for (int i = 0; i < u->nn; i++) {
    const float* n = Nt(u, i);
    double e = fabs(sqrt((double)n[0]*n[0] + (double)n[1]*n[1] + (double)n[2]*n[2]) - 1.0);
    if (e > worst) worst = e;
  }
  return worst;
}

// every index a drawing uses is inside the unit's arrays; returns the number outside
static inline int IndexFaults(JwUnit u) {
  int bad = 0;
  for (const PrimEvent& e : Record(u)) {
    if (e.kind == 'V' && (e.a < 0 || e.a >= u->nv)) bad++;
    if (e.kind == 'N' && (e.a < 0 || e.a >= u->nn)) bad++;
  }
  return bad;
}

#endif
