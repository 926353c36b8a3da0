// primitives_faces.cpp -- mesh builders of the flat-faced solids and the extruded outlines
#include <math.h>  // for: sin(), cos(), sqrt()

#include "graphics/primitives_local.h"
#include "matrix/matrix.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ static helpers

// corner signs of the six box faces: +x, +z, -x, -z, -y, +y, four corners each
static const int box_faces[6][4][3] = {
  {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
  {{1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}},
  {{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}},
  {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}},
  {{1, -1, -1}, {1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}},
  {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
};

// outward side normal of the edge a -> b of a counter-clockwise outline
static void SideNormal(const float* a, const float* b, float* out) {
  float dx = b[0] - a[0], dy = b[1] - a[1];
  float L = sqrtf(dx*dx + dy*dy);
  if (L <= 0.0f) L = 1.0f;
  out[0] = dy/L;  out[1] = -dx/L;
}

// normal of the polygon through the four vertices first..first+3 (Newell), unit length
static void FaceNormal(JwUnit u, int first, int ni) {
  float nx = 0.0f, ny = 0.0f, nz = 0.0f;
  for (int k = 0; k < 4; k++) {
    const float* a = u->V + 4*(first + k);
    const float* b = u->V + 4*(first + (k + 1)%4);
    nx += (a[1] - b[1])*(a[2] + b[2]);
    ny += (a[2] - b[2])*(a[0] + b[0]);
    nz += (a[0] - b[0])*(a[1] + b[1]);
  }
  float L = sqrtf(nx*nx + ny*ny + nz*nz);
  if (L > 0.0f) { nx /= L;  ny /= L;  nz /= L; }
  SetN(u, ni, nx, ny, nz);
}

//------------------------------------------------------------------ boxes

// box centred on the origin: four own corners per face, one normal per face
JwUnit def_prism(float x, float y, float z, int mat, unsigned long color) {
  static const float nrm[6][3] = {{1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {0, -1, 0},
                                  {0, 1, 0}};
  JwUnit u = JwNewUnit(JwDrawPrism, 24, 6, 0, mat, color);
  float a = x/2, b = y/2, c = z/2;
  for (int f = 0; f < 6; f++) {
    for (int k = 0; k < 4; k++) {
      const int* s = box_faces[f][k];
      SetV(u, 4*f + k, s[0]*a, s[1]*b, s[2]*c);
    }
    SetN(u, f, nrm[f][0], nrm[f][1], nrm[f][2]);
  }
  return u;
}

// frustum: x1 by y1 at z = 0, x2 by y2 at z = h; faces in the box order, normal per face
JwUnit def_pyr(float x1, float y1, float x2, float y2, float h, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawPyr, 24, 6, 0, mat, color);
  for (int f = 0; f < 6; f++) {
    for (int k = 0; k < 4; k++) {
      const int* s = box_faces[f][k];
      bool top = s[2] > 0;
      float a = (top ? x2 : x1)/2, b = (top ? y2 : y1)/2;
      SetV(u, 4*f + k, s[0]*a, s[1]*b, top ? h : 0.0f);
    }
    FaceNormal(u, 4*f, f);
  }
  return u;
}

// right-triangular web: vertices O, A (a, 0, 0), B (0, 0, b) at y = t/2, then at y = -t/2;
// normals +y, -y, slanted face
JwUnit def_gusset(float a, float b, float t, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawGusset, 6, 3, 0, mat, color);
  for (int s = 0; s < 2; s++) {
    float y = s ? -t/2 : t/2;
    SetV(u, 3*s, 0.0f, y, 0.0f);
    SetV(u, 3*s + 1, a, y, 0.0f);
    SetV(u, 3*s + 2, 0.0f, y, b);
  }
  float L = sqrtf(a*a + b*b);
  if (L <= 0.0f) L = 1.0f;
  SetN(u, 0, 0.0f, 1.0f, 0.0f);
  SetN(u, 1, 0.0f, -1.0f, 0.0f);
  SetN(u, 2, b/L, 0.0f, a/L);
  return u;
}

// lug outline walked counter-clockwise: (r, -h), the half circle from (r, 0) to (-r, 0),
// (-r, -h), and (r, -h) again; each point a pair (top, bottom). Normals +x, the half circle's
// radial ones, -x, -y, top, bottom.
JwUnit def_pivot(int n, float r, float h, float w, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawPivot, 2*n + 8, n + 6, 0, mat, color);
  u->n = n;
  SetV(u, 0, r, -h, w/2);
  SetV(u, 1, r, -h, -w/2);
  SetN(u, 0, 1.0f, 0.0f, 0.0f);
  float th = 0.0f, d = (float)(VM_PI/n);
  for (int i = 0; i <= n; i++) {
    float c = (float)cos(th), s = (float)sin(th);
    SetV(u, 2 + 2*i, r*c, r*s, w/2);
    SetV(u, 3 + 2*i, r*c, r*s, -w/2);
    SetN(u, 1 + i, c, s, 0.0f);
    th += d;
  }
  SetV(u, 2*n + 4, -r, -h, w/2);
  SetV(u, 2*n + 5, -r, -h, -w/2);
  SetV(u, 2*n + 6, r, -h, w/2);
  SetV(u, 2*n + 7, r, -h, -w/2);
  SetN(u, n + 2, -1.0f, 0.0f, 0.0f);
  SetN(u, n + 3, 0.0f, -1.0f, 0.0f);
  SetN(u, n + 4, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 5, 0.0f, 0.0f, -1.0f);
  return u;
}

// box x by y by z with the four z edges rounded. Per corner ((+x,+y), (-x,+y), (-x,-y),
// (+x,-y)): n + 1 arc pairs (top, bottom), then the four corners of the flat side that follows
// (end top, end bottom, next start top, next start bottom). Normals per corner: n + 1 radial,
// the side's; then top and bottom.
JwUnit def_prismfillet(int n, float x, float y, float z, float r, int mat, unsigned long color) {
  static const float sx[4] = {1, -1, -1, 1}, sy[4] = {1, 1, -1, -1};
  static const float side[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};
  JwUnit u = JwNewUnit(JwDrawPrismFillet, 8*n + 24, 4*n + 10, 0, mat, color);
  u->n = n;
  float a = x/2 - r, b = y/2 - r, c = z/2;
  float d = (float)(JW_HALF_PI/n);
  for (int k = 0; k < 4; k++) {
    int vb = k*(2*n + 6), nb = k*(n + 2);
    float cx = sx[k]*a, cy = sy[k]*b;
    float th = (float)(k*JW_HALF_PI);
    for (int i = 0; i <= n; i++) {
      float co = (float)cos(th), si = (float)sin(th);
      SetV(u, vb + 2*i, cx + r*co, cy + r*si, c);
      SetV(u, vb + 2*i + 1, cx + r*co, cy + r*si, -c);
      SetN(u, nb + i, co, si, 0.0f);
      th += d;
    }
    // the flat side from this arc's end to the next arc's start
    int k1 = (k + 1)%4;
    float ex = cx + r*side[k][0], ey = cy + r*side[k][1];
    float nx = sx[k1]*a + r*side[k][0], ny = sy[k1]*b + r*side[k][1];
    SetV(u, vb + 2*n + 2, ex, ey, c);
    SetV(u, vb + 2*n + 3, ex, ey, -c);
    SetV(u, vb + 2*n + 4, nx, ny, c);
    SetV(u, vb + 2*n + 5, nx, ny, -c);
    SetN(u, nb + n + 1, side[k][0], side[k][1], 0.0f);
  }
  SetN(u, 4*n + 8, 0.0f, 0.0f, 1.0f);
  SetN(u, 4*n + 9, 0.0f, 0.0f, -1.0f);
  return u;
}

// x by y plate, z thick, with a hole of radius r; n rounded up to a multiple of 4. The hole
// points start at -45 degrees so that each quarter of the hole faces one side; the outer
// points follow the sides linearly from corner to corner. Vertices: hole pairs 0..n, outer
// pairs 0..n (top, bottom), then four walls of four corners (C_s top, bottom, C_s+1 top,
// bottom). Normals: hole 0..n (towards the axis), top, bottom, walls +x, +y, -x, -y.
JwUnit def_squarering(int n, float r, float x, float y, float z, int mat, unsigned long color) {
  if (n < 4) n = 4;
  n = (n + 3)/4*4;
  JwUnit u = JwNewUnit(JwDrawSquareRing, 4*n + 20, n + 7, 0, mat, color);
  u->n = n;
  float a = x/2, b = y/2, c = z/2;
  const float C[5][2] = {{a, -b}, {a, b}, {-a, b}, {-a, -b}, {a, -b}};
  int q = n/4;
  float th = (float)(-VM_PI/4), d = (float)(VM_TWO_PI/n);
  for (int j = 0; j <= n; j++) {
    float co = (float)cos(th), si = (float)sin(th);
    SetV(u, 2*j, r*co, r*si, c);
    SetV(u, 2*j + 1, r*co, r*si, -c);
    SetN(u, j, -co, -si, 0.0f);
    int s = j/q < 4 ? j/q : 3;
    float t = (float)(j - s*q)/q;
    float px = C[s][0] + t*(C[s + 1][0] - C[s][0]), py = C[s][1] + t*(C[s + 1][1] - C[s][1]);
    SetV(u, 2*n + 2 + 2*j, px, py, c);
    SetV(u, 2*n + 3 + 2*j, px, py, -c);
    th += d;
  }
  SetN(u, n + 1, 0.0f, 0.0f, 1.0f);
  SetN(u, n + 2, 0.0f, 0.0f, -1.0f);
  static const float wn[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (int s = 0; s < 4; s++) {
    int vb = 4*n + 4 + 4*s;
    SetV(u, vb, C[s][0], C[s][1], c);
    SetV(u, vb + 1, C[s][0], C[s][1], -c);
    SetV(u, vb + 2, C[s + 1][0], C[s + 1][1], c);
    SetV(u, vb + 3, C[s + 1][0], C[s + 1][1], -c);
    SetN(u, n + 3 + s, wn[s][0], wn[s][1], 0.0f);
  }
  return u;
}

// curved slab: annular sector from -ang/2 to ang/2 about +x, outer radius r (m segments),
// inner radius r - h (n segments, not below 0), z from -w/2 to w/2. Vertices: outer pairs
// (top, bottom), inner pairs, top-face copies (outer m + 1, inner n + 1), bottom-face copies;
// one normal per vertex, then the end faces at -ang/2 and +ang/2.
JwUnit def_spherecurve(int m, int n, float r, float h, float w, float ang, int mat,
                       unsigned long color) {
  int nv = 4*(m + n) + 8;
  JwUnit u = JwNewUnit(JwDrawSphereCurve, nv, nv + 2, 0, mat, color);
  u->m = m;  u->n = n;
  float ri = r - h > 0.0f ? r - h : 0.0f, c = w/2;
  double half = JW_DEG2RAD(ang)/2.0;
  int io = 2*m + 2, to = io + 2*n + 2, bo = to + m + n + 2;
  for (int side = 0; side < 2; side++) {
    int cnt = side ? n : m;
    float rad = side ? ri : r, sg = side ? -1.0f : 1.0f;
    int pb = side ? io : 0, tb = side ? to + m + 1 : to, bb = side ? bo + m + 1 : bo;
    float th = (float)-half, d = (float)(2.0*half/cnt);
    for (int i = 0; i <= cnt; i++) {
      float co = (float)cos(th), si = (float)sin(th);
      SetV(u, pb + 2*i, rad*co, rad*si, c);
      SetV(u, pb + 2*i + 1, rad*co, rad*si, -c);
      SetN(u, pb + 2*i, sg*co, sg*si, 0.0f);
      SetN(u, pb + 2*i + 1, sg*co, sg*si, 0.0f);
      SetV(u, tb + i, rad*co, rad*si, c);
      SetN(u, tb + i, 0.0f, 0.0f, 1.0f);
      SetV(u, bb + i, rad*co, rad*si, -c);
      SetN(u, bb + i, 0.0f, 0.0f, -1.0f);
      th += d;
    }
  }
  SetN(u, nv, (float)-sin(half), (float)-cos(half), 0.0f);
  SetN(u, nv + 1, (float)-sin(half), (float)cos(half), 0.0f);
  return u;
}

//------------------------------------------------------------------ outlines

// start point of an outline: 0 if flagged, else the last point flagged 2, else the last
// flagged point; -1 when every point is smooth
static int FlatStart(int n, const int* flags) {
  if (flags[0] != 0) return 0;
  for (int i = n - 1; i >= 0; i--) if (flags[i] == 2) return i;
  for (int i = n - 1; i >= 0; i--) if (flags[i] != 0) return i;
  return -1;
}

// extruded outline. Walking from the start point: a smooth point gives one pair (top,
// bottom) and the normal across its neighbours' chord; a corner gives the pair ending the
// incoming side and the pair starting the outgoing side; flag 1 keeps the outgoing side's
// normal, flag 2 the incoming side's and the outgoing side's. The start's incoming pair
// closes the walk. Then top and bottom normals, then the flags as floats from the start on.
JwUnit def_flat(int n, float pts[][2], int* flags, float w, int mat, unsigned long color) {
  if (n < 1) {                         // no outline: an empty mesh that draws nothing
    JwUnit u = JwNewUnit(JwDrawFlat, 0, 0, 0, mat, color);
    u->n = 0;
    return u;
  }
  int s = FlatStart(n, flags);
  bool smooth = s < 0;
  if (smooth) s = 0;
  int nv = 0, nn = 2;
  for (int k = 0; k < n; k++) {
    int f = smooth ? 0 : flags[(s + k)%n];
    if (f == 0) { nv += 2;  nn += 1; }
    else { nv += 4;  nn += f == 2 ? 2 : 1; }
  }
  JwUnit u = JwNewUnit(JwDrawFlat, nv, nn, n, mat, color);
  u->n = n;
  float c = w/2, sn[2];
  int vi = 0, ni = 0;
  for (int k = 0; k < n; k++) {
    int p = (s + k)%n, prev = (p + n - 1)%n, next = (p + 1)%n;
    int f = smooth ? 0 : flags[p];
    if (f == 0) {
      SideNormal(pts[prev], pts[next], sn);
      SetN(u, ni++, sn[0], sn[1], 0.0f);
      SetV(u, vi++, pts[p][0], pts[p][1], c);
      SetV(u, vi++, pts[p][0], pts[p][1], -c);
    } else {
      if (f == 2) {
        SideNormal(pts[prev], pts[p], sn);
        SetN(u, ni++, sn[0], sn[1], 0.0f);
      }
      SideNormal(pts[p], pts[next], sn);
      SetN(u, ni++, sn[0], sn[1], 0.0f);
      int pairs = k > 0 ? 2 : 1;
      for (int i = 0; i < pairs; i++) {
        SetV(u, vi++, pts[p][0], pts[p][1], c);
        SetV(u, vi++, pts[p][0], pts[p][1], -c);
      }
    }
    u->N[4*nn + k] = (float)(smooth ? 0 : flags[p]);
  }
  if (!smooth) {
    SetV(u, vi++, pts[s][0], pts[s][1], c);
    SetV(u, vi++, pts[s][0], pts[s][1], -c);
  }
  SetN(u, nn - 2, 0.0f, 0.0f, 1.0f);
  SetN(u, nn - 1, 0.0f, 0.0f, -1.0f);
  return u;
}

// solid between outlines T (top) and B: vertices T_i, B_i for i = 0..n (pair n repeats pair
// 0); side normals 0..n-1, T face, B face (single-precision cross product and normalisation)
JwUnit def_lomp(float T[][3], float B[][3], int n, int mat, unsigned long color) {
  if (n < 1) n = 0;
  JwUnit u = JwNewUnit(JwDrawLomp, n ? 2*n + 2 : 0, n ? n + 2 : 0, 0, mat, color);
  u->n = n;
  if (n == 0) return u;                // no outline: an empty mesh that draws nothing
  float a[3], b[3], c[3];
  for (int i = 0; i <= n; i++) {
    int k = i%n;
    SetV(u, 2*i, T[k][0], T[k][1], T[k][2]);
    SetV(u, 2*i + 1, B[k][0], B[k][1], B[k][2]);
  }
  for (int i = 0; i < n; i++) {
    int k = (i + 1)%n;
    for (int j = 0; j < 3; j++) { a[j] = B[i][j] - T[i][j];  b[j] = B[k][j] - T[i][j]; }
    JmFCross(a, b, c);
    JmFNormalize(c, 3);
    SetN(u, i, c[0], c[1], c[2]);
  }
  if (n >= 3) {
    for (int j = 0; j < 3; j++) { a[j] = T[1][j] - T[0][j];  b[j] = T[2][j] - T[0][j]; }
    JmFCross(a, b, c);
    JmFNormalize(c, 3);
    SetN(u, n, c[0], c[1], c[2]);
    for (int j = 0; j < 3; j++) { a[j] = B[2][j] - B[0][j];  b[j] = B[1][j] - B[0][j]; }
    JmFCross(a, b, c);
    JmFNormalize(c, 3);
    SetN(u, n + 1, c[0], c[1], c[2]);
  }
  return u;
}
