// primitives_local.h -- small helpers shared by the mesh builders and the emission walkers
#ifndef VELMORA_PRIMITIVES_LOCAL_H
#define VELMORA_PRIMITIVES_LOCAL_H

#include "graphics/primitives.h"
#include "base/consts.h"  // for: VM_PI

// vertex i = (x, y, z, 1)
static inline void SetV(JwUnit u, int i, float x, float y, float z) {
  float* v = u->V + 4*i;
  v[0] = x;  v[1] = y;  v[2] = z;  v[3] = 1.0f;
}

// normal i = (x, y, z, 1)
static inline void SetN(JwUnit u, int i, float x, float y, float z) {
  float* v = u->N + 4*i;
  v[0] = x;  v[1] = y;  v[2] = z;  v[3] = 1.0f;
}

// angle constants of the solids
#define JW_HALF_PI 1.570796325
#define JW_DEG2RAD(d) VmDegToRad(d)

#endif
