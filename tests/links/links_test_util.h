// links_test_util.h -- bounding boxes of built solids and hand-made link records
#ifndef VELMORA_TESTS_LINKS_TEST_UTIL_H
#define VELMORA_TESTS_LINKS_TEST_UTIL_H

#include <gtest/gtest.h>
#include <string.h>  // for: memset()

#include "graphics/primitives.h"
#include "robot/robot.h"

// axis-aligned box of every vertex of every unit
typedef struct _Box3_ {
  float lo[3], hi[3];
} Box3;

inline Box3 BoundingBox(JwPrimitive p) {
  Box3 b;
  for (int k = 0; k < 3; k++) { b.lo[k] = 1e30f;  b.hi[k] = -1e30f; }
  for (int u = 0; u < p->nu; u++) {
    const JwUnitRec* un = p->U[u];
    for (int i = 0; i < un->nv; i++)
      for (int k = 0; k < 3; k++) {
        float v = un->V[4*i + k];
        if (v < b.lo[k]) b.lo[k] = v;
        if (v > b.hi[k]) b.hi[k] = v;
      }
  }
  return b;
}

// mean of the vertices along axis k
inline float VertexMean(JwPrimitive p, int k) {
  double s = 0;
  int count = 0;
  for (int u = 0; u < p->nu; u++)
    for (int i = 0; i < p->U[u]->nv; i++) { s += p->U[u]->V[4*i + k];  count++; }
  return count ? (float)(s/count) : 0.0f;
}

// the box of p is [x0, x1] x [y0, y1] x [z0, z1] within 1e-4
#define EXPECT_BOX(p, x0, x1, y0, y1, z0, z1) do {                     \
    ASSERT_NE((p), nullptr);                                          \
    Box3 bb_ = BoundingBox(p);                                        \
    const float want_[6] = {(x0), (x1), (y0), (y1), (z0), (z1)};      \
    for (int k_ = 0; k_ < 3; k_++) {                                  \
      EXPECT_NEAR(bb_.lo[k_], want_[2*k_], 1e-4) << "axis " << k_;    \
      EXPECT_NEAR(bb_.hi[k_], want_[2*k_ + 1], 1e-4) << "axis " << k_; \
    }                                                                 \
  } while (0)

// a link record with the DH values the builders read; bodies cleared
inline Link HandLink(int joint, float a, float b, float al) {
  Link l;
  memset(&l, 0, sizeof(l));
  l.joint = joint;
  l.a = a;  l.b = b;  l.al = al;
  l.abs_b = b < 0 ? -b : b;
  l.sign_b = b > 0 ? 1 : (b < 0 ? -1 : 0);
  return l;
}

// free the four bodies of n links
inline void FreeBodies(int n, Link* L) {
  for (int i = 0; i < n; i++) {
    JwFreePrimitive(L[i].hinge);  JwFreePrimitive(L[i].linkz);
    JwFreePrimitive(L[i].linkx);  JwFreePrimitive(L[i].elbow);
    L[i].hinge = L[i].linkz = L[i].linkx = L[i].elbow = nullptr;
  }
}

#endif
