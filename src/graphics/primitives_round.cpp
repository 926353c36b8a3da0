// primitives_round.cpp -- mesh builders of the solids of revolution about z
#include <math.h>  // for: sin(), cos(), sqrt()

#include "graphics/primitives_local.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ static helpers

// n+1 vertex pairs on the circle of radius r about (cx, 0), every d radians from angle th:
// vertex 2i at z = +h/2, 2i+1 at z = -h/2, normal i radial
static void rims(JwUnit u, int n, float cx, float r, float h, float th, float d) {
  for (int i = 0; i <= n; i++) {
    float c = (float)cos(th), s = (float)sin(th);
    SetV(u, 2*i, cx + r*c, r*s, h/2);
    SetV(u, 2*i + 1, cx + r*c, r*s, -h/2);
    SetN(u, i, c, s, 0.0f);
    th += d;
  }
}

//------------------------------------------------------------------ cylinders and cones

// rims at z = +-h/2: vertex 2i top, 2i+1 bottom, normal i radial; then top and bottom normals
JwUnit def_cylinder(int n, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawCylinder, 2*n + 2, n + 3, 0, mat, color);
  u->n = n;
  rims(u, n, 0.0f, r, h, 0.0f, (float)(VM_TWO_PI/n));
  SetN(u, n + 1, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 2, 0.0f, 0.0f, -1.0f);
  return u;
}

// as the cylinder; normal i is taken at the middle angle of facet i (normal n repeats 0)
JwUnit def_flatcylinder(int n, float r, float h, int mat, unsigned long color) {
  JwUnit u = def_cylinder(n, r, h, mat, color);
  u->kind = JwDrawFlatCylinder;
  u->Proc = JwGetDrawProc(JwDrawFlatCylinder);
  float th = 0.0f, d = (float)(VM_TWO_PI/n);
  for (int i = 0; i <= n; i++) {
    double a = th + 0.5*d;
    SetN(u, i, (float)cos(a), (float)sin(a), 0.0f);
    th += d;
  }
  float* n0 = u->N;
  SetN(u, n, n0[0], n0[1], n0[2]);
  return u;
}

// rim points 0..n at z = 0, apex n+1; side normals 0..n, base normal n+1
JwUnit def_cone(int n, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawCone, n + 2, n + 2, 0, mat, color);
  u->n = n;
  float L = sqrtf(r*r + h*h);
  if (L <= 0.0f) L = 1.0f;
  float th = 0.0f, d = (float)(VM_TWO_PI/n);
  for (int i = 0; i <= n; i++) {
    float c = (float)cos(th), s = (float)sin(th);
    SetV(u, i, r*c, r*s, 0.0f);
    SetN(u, i, c*h/L, s*h/L, r/L);
    th += d;
  }
  SetV(u, n + 1, 0.0f, 0.0f, h);
  SetN(u, n + 1, 0.0f, 0.0f, -1.0f);
  return u;
}

// radius R at z = 0, r at z = h: vertex 2i top, 2i+1 bottom; normals side 0..n, top, bottom
JwUnit def_stump(int n, float R, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawStump, 2*n + 2, n + 3, 0, mat, color);
  u->n = n;
  float L = sqrtf((R - r)*(R - r) + h*h);
  if (L <= 0.0f) L = 1.0f;
  float th = 0.0f, d = (float)(VM_TWO_PI/n);
  for (int i = 0; i <= n; i++) {
    float c = (float)cos(th), s = (float)sin(th);
    SetV(u, 2*i, r*c, r*s, h);
    SetV(u, 2*i + 1, R*c, R*s, 0.0f);
    SetN(u, i, c*h/L, s*h/L, (R - r)/L);
    th += d;
  }
  SetN(u, n + 1, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 2, 0.0f, 0.0f, -1.0f);
  return u;
}

// per angle: inner top, inner bottom, outer top, outer bottom; normals top, bottom, then per
// angle inner and outer
JwUnit def_ring(int n, float R, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawRing, 4*n + 4, 2*n + 4, 0, mat, color);
  u->n = n;
  SetN(u, 0, 0.0f, 0.0f, 1.0f);
  SetN(u, 1, 0.0f, 0.0f, -1.0f);
  float th = 0.0f, d = (float)(VM_TWO_PI/n);
  for (int i = 0; i <= n; i++) {
    float c = (float)cos(th), s = (float)sin(th);
    SetV(u, 4*i, r*c, r*s, h/2);
    SetV(u, 4*i + 1, r*c, r*s, -h/2);
    SetV(u, 4*i + 2, R*c, R*s, h/2);
    SetV(u, 4*i + 3, R*c, R*s, -h/2);
    SetN(u, 2 + 2*i, -c, -s, 0.0f);
    SetN(u, 3 + 2*i, c, s, 0.0f);
    th += d;
  }
  return u;
}

//------------------------------------------------------------------ slices of a cylinder

// arc pairs 0..n from angle 0 to ang (2i top, 2i+1 bottom), then the centre pair; normals
// radial 0..n, face at 0, face at ang, top, bottom
JwUnit def_sector(int n, float ang, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawSector, 2*n + 4, n + 5, 0, mat, color);
  u->n = n;
  double a = JW_DEG2RAD(ang);
  rims(u, n, 0.0f, r, h, 0.0f, (float)(a/n));
  SetV(u, 2*n + 2, 0.0f, 0.0f, h/2);
  SetV(u, 2*n + 3, 0.0f, 0.0f, -h/2);
  SetN(u, n + 1, 0.0f, -1.0f, 0.0f);
  SetN(u, n + 2, (float)-sin(a), (float)cos(a), 0.0f);
  SetN(u, n + 3, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 4, 0.0f, 0.0f, -1.0f);
  return u;
}

// quarter wedge of the wheel: as the sector over 90 degrees without its two flat faces;
// normals radial 0..n, top, bottom
JwUnit def_wheel(float r, float w, int n, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawWheel, 2*n + 4, n + 3, 0, mat, color);
  u->n = n;
  rims(u, n, 0.0f, r, w, 0.0f, (float)(JW_HALF_PI/n));
  SetV(u, 2*n + 2, 0.0f, 0.0f, w/2);
  SetV(u, 2*n + 3, 0.0f, 0.0f, -w/2);
  SetN(u, n + 1, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 2, 0.0f, 0.0f, -1.0f);
  return u;
}

// circle of radius r centred at (-r cos(ang/2), 0) so that the chord lies in x = 0: arc
// pairs 0..n from -ang/2 to ang/2, then the chord's midpoint pair; normals radial 0..n,
// chord face, top, bottom
JwUnit def_arc(int n, float ang, float r, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawArc, 2*n + 4, n + 4, 0, mat, color);
  u->n = n;
  double half = JW_DEG2RAD(ang)/2.0;
  float cx = (float)(-r*cos(half));
  rims(u, n, cx, r, h, (float)-half, (float)(2.0*half/n));
  SetV(u, 2*n + 2, 0.0f, 0.0f, h/2);
  SetV(u, 2*n + 3, 0.0f, 0.0f, -h/2);
  SetN(u, n + 1, -1.0f, 0.0f, 0.0f);
  SetN(u, n + 2, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 3, 0.0f, 0.0f, -1.0f);
  return u;
}

//------------------------------------------------------------------ spheres

// south pole, m - 1 rings of n + 1 points from the south, north pole
JwUnit def_sphere(int m, int n, float r, int mat, unsigned long color) {
  int rings = m > 1 ? m - 1 : 0;
  JwUnit u = JwNewUnit(JwDrawSphere, (n + 1)*rings + 2, (n + 1)*rings + 2, 0, mat, color);
  u->n = n;  u->m = m;
  SetV(u, 0, 0.0f, 0.0f, -r);
  SetN(u, 0, 0.0f, 0.0f, -1.0f);
  float dphi = (float)(VM_PI/m);
  float phi = (float)(dphi - JW_HALF_PI);
  for (int k = 0; k < rings; k++) {
    float cp = (float)cos(phi), sp = (float)sin(phi);
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      float c = (float)cos(th), s = (float)sin(th);
      int i = 1 + k*(n + 1) + j;
      SetV(u, i, r*cp*c, r*cp*s, r*sp);
      SetN(u, i, cp*c, cp*s, sp);
      th += d;
    }
    phi += dphi;
  }
  SetV(u, u->nv - 1, 0.0f, 0.0f, r);
  SetN(u, u->nn - 1, 0.0f, 0.0f, 1.0f);
  return u;
}

// m rings from the equator (latitude step (pi/2)/m), then the north pole; one more normal
// for the base disc
JwUnit def_hemisphere(int m, int n, float r, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawHemiSphere, m*(n + 1) + 1, m*(n + 1) + 2, 0, mat, color);
  u->n = n;  u->m = m;
  float dphi = (float)(JW_HALF_PI/m), phi = 0.0f;
  for (int k = 0; k < m; k++) {
    float cp = (float)cos(phi), sp = (float)sin(phi);
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      float c = (float)cos(th), s = (float)sin(th);
      SetV(u, k*(n + 1) + j, r*cp*c, r*cp*s, r*sp);
      SetN(u, k*(n + 1) + j, cp*c, cp*s, sp);
      th += d;
    }
    phi += dphi;
  }
  SetV(u, m*(n + 1), 0.0f, 0.0f, r);
  SetN(u, m*(n + 1), 0.0f, 0.0f, 1.0f);
  SetN(u, m*(n + 1) + 1, 0.0f, 0.0f, -1.0f);
  return u;
}

// bowl: the part of the shell between spheres R and r below the plane z = -R cos(ang/2).
// Outer: south pole, rings 1..m (polar angle from the south pole up to ang/2); inner: the
// same on the inner sphere, its polar angle chosen so that its rim lies in the same plane
// (a thick shell whose inner sphere misses the plane gets a flat inner face in the plane).
// Normals per vertex, then the rim's (0, 0, 1).
JwUnit def_dish(int m, int n, float ang, float R, float r, int mat, unsigned long color) {
  int per = m*(n + 1) + 1;
  JwUnit u = JwNewUnit(JwDrawDish, 2*per, 2*per + 1, 0, mat, color);
  u->n = n;  u->m = m;
  double bo = JW_DEG2RAD(ang)/2.0;
  double zr = -R*cos(bo);                       // rim plane
  double ci = r > 0.0f ? -zr/r : 2.0;           // cos of the inner polar angle
  bool flat = ci >= 1.0 || r <= 0.0f;
  double bi = flat ? 0.0 : acos(ci);
  for (int side = 0; side < 2; side++) {
    int base = side*per;
    float rad = side ? r : R;
    float sg = side ? -1.0f : 1.0f;             // inner normals point to the centre
    double b = side ? bi : bo;
    if (side && flat) {
      SetV(u, base, 0.0f, 0.0f, (float)zr);
      SetN(u, base, 0.0f, 0.0f, 1.0f);
    } else {
      SetV(u, base, 0.0f, 0.0f, -rad);
      SetN(u, base, 0.0f, 0.0f, -sg);
    }
    float db = (float)(b/m), beta = db;
    for (int k = 0; k < m; k++) {
      float cb = (float)cos(beta), sb = (float)sin(beta);
      float th = 0.0f, d = (float)(VM_TWO_PI/n);
      for (int j = 0; j <= n; j++) {
        float c = (float)cos(th), s = (float)sin(th);
        int i = base + 1 + k*(n + 1) + j;
        if (side && flat) {
          SetV(u, i, 0.0f, 0.0f, (float)zr);
          SetN(u, i, 0.0f, 0.0f, 1.0f);
        } else {
          SetV(u, i, rad*sb*c, rad*sb*s, -rad*cb);
          SetN(u, i, sg*sb*c, sg*sb*s, -sg*cb);
        }
        th += d;
      }
      beta += db;
    }
    // the rim ring sits exactly on the cutting plane
    int rim = base + 1 + (m - 1)*(n + 1);
    for (int j = 0; j <= n && !(side && flat); j++) u->V[4*(rim + j) + 2] = (float)zr;
  }
  SetN(u, 2*per, 0.0f, 0.0f, 1.0f);
  return u;
}
