// primitives_bent.cpp -- mesh builders of the swept solids: torus parts, elbows, fillets, wire
#include <math.h>  // for: sin(), cos(), sqrt()

#include "graphics/primitives_local.h"
#include "matrix/matrix.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ static helpers

// bend steps of the elbows: n/4 when n > 11, else 3
static int ElbowSteps(int n) { return n > 11 ? n/4 : 3; }

// elbow surface point and normal at tube angle th and bend angle ph
static void ElbowPoint(float R, float r, float th, float ph, float* v, float* nrm) {
  float ct = (float)cos(th), st = (float)sin(th), cp = (float)cos(ph), sp = (float)sin(ph);
  float l = R + r*ct;
  v[0] = l*sp - R;  v[1] = r*st;  v[2] = R - l*cp;
  nrm[0] = ct*sp;  nrm[1] = st;  nrm[2] = -ct*cp;
}

//------------------------------------------------------------------ torus parts

// vertex (i, j) at i*(n + 1) + j: bend step i = 0..m through ang degrees, tube angle j
JwUnit def_toroid(int n, int m, float ang, float R, float r, int mat, unsigned long color) {
  JwUnit u = JwNewUnit(JwDrawToroid, (n + 1)*(m + 1), (n + 1)*(m + 1), 0, mat, color);
  u->n = n;  u->m = m;
  float ph = 0.0f, dph = (float)(JW_DEG2RAD(ang)/m);
  for (int i = 0; i <= m; i++) {
    float cp = (float)cos(ph), sp = (float)sin(ph);
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      float ct = (float)cos(th), st = (float)sin(th);
      float l = R - r*ct;
      SetV(u, i*(n + 1) + j, l*cp, l*sp, r*st);
      SetN(u, i*(n + 1) + j, -ct*cp, -ct*sp, st);
      th += d;
    }
    ph += dph;
  }
  return u;
}

// quarter bend: vertex (i, j) at i*(n + 1) + j, bend step i = 0..m over 90 degrees
JwUnit def_elbow(int n, float R, float r, int mat, unsigned long color) {
  int m = ElbowSteps(n);
  JwUnit u = JwNewUnit(JwDrawElbow, (n + 1)*(m + 1), (n + 1)*(m + 1), 0, mat, color);
  u->n = n;  u->m = m;
  float ph = 0.0f, dph = (float)(JW_HALF_PI/m);
  for (int i = 0; i <= m; i++) {
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      int k = i*(n + 1) + j;
      ElbowPoint(R, r, th, ph, u->V + 4*k, u->N + 4*k);
      u->V[4*k + 3] = u->N[4*k + 3] = 1.0f;
      th += d;
    }
    ph += dph;
  }
  return u;
}

// the bend as straight pieces between the elbow's rings: a ring's normals blend the two
// neighbouring pieces' normals (taken at the pieces' middle angles); the end rings keep the
// exact ones. Two more normals close the ends: -x at the start, +z at the end.
JwUnit def_elbowpr(int n, float R, float r, int mat, unsigned long color) {
  int m = ElbowSteps(n);
  int nv = (n + 1)*(m + 1);
  JwUnit u = JwNewUnit(JwDrawElbowPR, nv, nv + 2, 0, mat, color);
  u->n = n;  u->m = m;
  float ph = 0.0f, dph = (float)(JW_HALF_PI/m), v[4], a[4], b[4];
  for (int i = 0; i <= m; i++) {
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      int k = i*(n + 1) + j;
      ElbowPoint(R, r, th, ph, u->V + 4*k, u->N + 4*k);
      u->V[4*k + 3] = u->N[4*k + 3] = 1.0f;
      if (i > 0 && i < m) {
        ElbowPoint(R, r, th, ph - dph/2, v, a);
        ElbowPoint(R, r, th, ph + dph/2, v, b);
        BlendNormal(u->N + 4*k, a, b, 0.5f);
      }
      th += d;
    }
    ph += dph;
  }
  SetN(u, nv, -1.0f, 0.0f, 0.0f);
  SetN(u, nv + 1, 0.0f, 0.0f, 1.0f);
  return u;
}

//------------------------------------------------------------------ filleted cylinder

// profile of m + p + 2 points from the top face's edge down to the bottom face's edge: top
// fillet (radius r1, angle 90 -> 0), bottom fillet (r2, 0 -> -90). Vertex (j, k) at
// j*(m + p + 2) + k for angle j = 0..n; normals the same, then top and bottom.
JwUnit def_cylfillet(int n, float r, float h, float r1, float r2, int mat, unsigned long color) {
  int m = r > 0.0f ? n*(int)(r1/r) : 1;
  if (m < 1) m = 1;
  int p = m, np = m + p + 2, nv = (n + 1)*np;
  JwUnit u = JwNewUnit(JwDrawCylFillet, nv, nv + 2, 0, mat, color);
  u->n = n;  u->m = m;  u->p = p;
  float th = 0.0f, d = (float)(VM_TWO_PI/n);
  for (int j = 0; j <= n; j++) {
    float c = (float)cos(th), s = (float)sin(th);
    for (int k = 0; k < np; k++) {
      bool top = k <= m;
      float rf = top ? r1 : r2;
      float al = top ? (float)(JW_HALF_PI*(m - k)/m) : (float)(-JW_HALF_PI*(k - m - 1)/p);
      float ca = (float)cos(al), sa = (float)sin(al);
      float rho = r - rf + rf*ca;
      float z = top ? h/2 - rf + rf*sa : -h/2 + rf + rf*sa;
      SetV(u, j*np + k, rho*c, rho*s, z);
      SetN(u, j*np + k, ca*c, ca*s, sa);
    }
    th += d;
  }
  SetN(u, nv, 0.0f, 0.0f, 1.0f);
  SetN(u, nv + 1, 0.0f, 0.0f, -1.0f);
  return u;
}

//------------------------------------------------------------------ wire

// unit vector perpendicular to t: t crossed with the axis t leans on least
static void AnyPerpendicular(const double* t, double* b) {
  double ax[3] = {0, 0, 0};
  int k = fabs(t[0]) <= fabs(t[1]) ? (fabs(t[0]) <= fabs(t[2]) ? 0 : 2)
                                   : (fabs(t[1]) <= fabs(t[2]) ? 1 : 2);
  ax[k] = 1.0;
  b[0] = t[1]*ax[2] - t[2]*ax[1];  b[1] = t[2]*ax[0] - t[0]*ax[2];  b[2] = t[0]*ax[1] - t[1]*ax[0];
}

static double Norm3(double* v) {
  double l = sqrt(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]);
  if (l > 0.0) { v[0] /= l;  v[1] /= l;  v[2] /= l; }
  return l;
}

// tube along the natural cubic spline through the points, chord-length parameter. Second
// derivatives from the tridiagonal system of the interior knots (row factorisation and
// triangular solve); at each knot a circle of n segments in the plane of the normal and
// binormal. Vertex (i, j) at i*(n + 1) + j; normals the same.
JwUnit def_wire(int n, float pts[][4], int np, float r, float k, int mat, unsigned long color) {
  (void)k;
  int nv = np > 0 ? np*(n + 1) : 0;
  JwUnit u = JwNewUnit(JwDrawWire, nv, nv, 0, mat, color);
  u->n = n;  u->m = np;
  if (np < 2) return u;
  double* h = JmVector(np);            // chord lengths h[i] = |p[i+1] - p[i]|
  double** M = JmMatrix(np, 3);        // second derivatives at the knots
  for (int i = 0; i + 1 < np; i++) {
    double dx = pts[i + 1][0] - pts[i][0], dy = pts[i + 1][1] - pts[i][1];
    double dz = pts[i + 1][2] - pts[i][2];
    h[i] = sqrt(dx*dx + dy*dy + dz*dz);
    if (h[i] <= 0.0) h[i] = 1e-9;      // repeated point: keep the system regular
  }
  JmZeroMatrix(M, np, 3);
  int q = np - 2;
  if (q > 0) {
    double** A = JmMatrix(q, q);
    double* v = JmVector(q);
    double* b = JmVector(q);
    JmZeroMatrix(A, q, q);
    for (int i = 0; i < q; i++) {
      A[i][i] = 2.0*(h[i] + h[i + 1]);
      if (i > 0) A[i][i - 1] = h[i];
      if (i + 1 < q) A[i][i + 1] = h[i + 1];
    }
    JmHHTRed(A, q, q, v);
    for (int c = 0; c < 3; c++) {
      for (int i = 0; i < q; i++) {
        b[i] = 6.0*((pts[i + 2][c] - pts[i + 1][c])/h[i + 1] - (pts[i + 1][c] - pts[i][c])/h[i]);
      }
      JmSolveLx_b(A, q, b);
      JmHHTMult_L(A, q, q, v, b);
      for (int i = 0; i < q; i++) M[i + 1][c] = b[i];
    }
    JmFreeVector(b);
    JmFreeVector(v);
    JmFreeMatrix(A);
  }
  double bp[3] = {0, 0, 0};             // previous knot's binormal
  for (int i = 0; i < np; i++) {
    // tangent from the first derivative of the segment that starts (or, last, ends) here
    double t[3], bn[3], nr[3];
    int s = i + 1 < np ? i : i - 1;
    for (int c = 0; c < 3; c++) {
      double chord = (pts[s + 1][c] - pts[s][c])/h[s];
      t[c] = s == i ? chord - h[s]*(2.0*M[s][c] + M[s + 1][c])/6.0
                    : chord + h[s]*(M[s][c] + 2.0*M[s + 1][c])/6.0;
    }
    Norm3(t);
    // binormal = tangent x second derivative, from the nearest knot where it is not zero
    double len = 0.0;
    for (int d = 0; d < np && len < 1e-9; d++) {
      for (int sg = 1; sg >= -1 && len < 1e-9; sg -= 2) {
        int j = i + sg*d;
        if (j < 0 || j >= np) continue;
        bn[0] = t[1]*M[j][2] - t[2]*M[j][1];
        bn[1] = t[2]*M[j][0] - t[0]*M[j][2];
        bn[2] = t[0]*M[j][1] - t[1]*M[j][0];
        len = Norm3(bn);
      }
    }
    if (len < 1e-9) { AnyPerpendicular(t, bn);  Norm3(bn); }
    // past an inflection the binormal turns over: keep the side of the previous knot's,
    // so that consecutive circles are not joined half a turn apart
    if (i > 0 && bn[0]*bp[0] + bn[1]*bp[1] + bn[2]*bp[2] < 0.0) {
      bn[0] = -bn[0];  bn[1] = -bn[1];  bn[2] = -bn[2];
    }
    bp[0] = bn[0];  bp[1] = bn[1];  bp[2] = bn[2];
    nr[0] = bn[1]*t[2] - bn[2]*t[1];  nr[1] = bn[2]*t[0] - bn[0]*t[2];
    nr[2] = bn[0]*t[1] - bn[1]*t[0];
    float th = 0.0f, d = (float)(VM_TWO_PI/n);
    for (int j = 0; j <= n; j++) {
      double c = cos(th), sn = sin(th);
      float nx = (float)(c*nr[0] + sn*bn[0]), ny = (float)(c*nr[1] + sn*bn[1]);
      float nz = (float)(c*nr[2] + sn*bn[2]);
      SetV(u, i*(n + 1) + j, pts[i][0] + r*nx, pts[i][1] + r*ny, pts[i][2] + r*nz);
      SetN(u, i*(n + 1) + j, nx, ny, nz);
      th += d;
    }
  }
  JmFreeMatrix(M);
  JmFreeVector(h);
  return u;
}
