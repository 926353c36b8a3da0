// view_fit.cpp -- the view's projection for any window shape, and the camera distance that
// keeps a robot (and its demonstration cell) wholly in view
#include "scene/view_fit.h"

#include <math.h>    // for: tan(), atan(), cos(), sin(), sqrt()
#include <stdlib.h>  // for: malloc(), free()

#include "base/consts.h"  // for: VM_DEG

//------------------------------------------------------------------ static helpers

static void Cross(const double a[3], const double b[3], double c[3]) {
  c[0] = a[1]*b[2] - a[2]*b[1];  c[1] = a[2]*b[0] - a[0]*b[2];  c[2] = a[0]*b[1] - a[1]*b[0];
}

static void Unit(double v[3]) {
  double m = sqrt(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]);
  if (m > 0) { v[0] /= m;  v[1] /= m;  v[2] /= m; }
}

static double Dot(const double a[3], const double b[3]) {
  return a[0]*b[0] + a[1]*b[1] + a[2]*b[2];
}

// 1 when every point is inside the perspective view of scale s: the eye at 4 s from the
// point (0, 0, s/2) it looks at, as the view places it
static int FitsPerspective(const ViewCamera* c, const double (*p)[3], int n, double s) {
  double ct = cos(c->theta), d = -4*s;
  double eye[3] = {d*ct*sin(c->gamma), d*ct*cos(c->gamma), d*sin(c->theta)};
  double f[3] = {-eye[0], -eye[1], 0.5*s - eye[2]}, up[3] = {0, 0, ct}, x[3], y[3];
  Unit(f);
  Cross(f, up, x);  Unit(x);
  Cross(x, f, y);
  double ty = 0.9*tan(0.5*ViewFovy(c->aspect)*VM_DEG), tx = ty*c->aspect;
  for (int i = 0; i < n; i++) {
    double v[3] = {p[i][0] - eye[0], p[i][1] - eye[1], p[i][2] - eye[2]};
    double z = Dot(v, f);
    if (z <= 0.1 || fabs(Dot(v, x)) > tx*z || fabs(Dot(v, y)) > ty*z) return 0;
  }
  return 1;
}

// 1 when every point is inside the orthographic box of scale s, turned as the view turns
// it: Rx(-90) Rz(-90) Ry(otheta) Rz(ogamma)
static int FitsOrtho(const ViewCamera* c, const double (*p)[3], int n, double s) {
  double hx, hy;
  ViewOrthoHalf(c->aspect, 0.9*s, &hx, &hy);
  double cg = cos(c->ogamma*VM_DEG), sg = sin(c->ogamma*VM_DEG);
  double ct = cos(c->otheta*VM_DEG), st = sin(c->otheta*VM_DEG);
  for (int i = 0; i < n; i++) {
    double a[3] = {cg*p[i][0] - sg*p[i][1], sg*p[i][0] + cg*p[i][1], p[i][2]};   // Rz
    double b[3] = {ct*a[0] + st*a[2], a[1], -st*a[0] + ct*a[2]};                 // Ry
    double e[3] = {b[1], -b[0], b[2]};                                           // Rz(-90)
    double ex = e[0], ey = e[2];                                                 // Rx(-90)
    if (fabs(ex) > hx || fabs(ey) > hy) return 0;
  }
  return 1;
}

//------------------------------------------------------------------ public API

double ViewFovy(double aspect) {
  if (!(aspect > 0) || aspect >= 1) return VIEW_FOV;
  return 2*atan(tan(0.5*VIEW_FOV*VM_DEG)/aspect)/VM_DEG;
}

void ViewOrthoHalf(double aspect, double s, double* hx, double* hy) {
  if (!(aspect > 0)) aspect = 1;
  *hx = aspect >= 1 ? s*aspect : s;
  *hy = aspect >= 1 ? s : s/aspect;
}

double ViewFitPoints(const ViewCamera* cam, const double (*p)[3], int n, double s0) {
  double s = s0 > 0 ? s0 : 1;
  for (int k = 0; k < 200; k++, s *= 1.05) {
    int ok = cam->perspective ? FitsPerspective(cam, p, n, s) : FitsOrtho(cam, p, n, s);
    if (ok) break;
  }
  return s;
}

// p(0) = 0, R(0) = I; p(i) = p(i-1) + R(i-1) a_i, R(i) = R(i-1) Q_i, for the frames at q
double ViewFitRobot(const ViewCamera* cam, Robot r, const float* q, int cell) {
  static const double box[2][3] = {{-3, -17, 0}, {8, 17, 7}};   // table, conveyor, pallet
  int n = r->n, np = 6*(n + 2) + 8;   // six points per frame, the tool's, the cell's eight
  double (*p)[3] = (double (*)[3])malloc(sizeof(double[3])*np);
  if (!p) return 4.0*r->avg_len;
  int k = 0;
  double o[3] = {0, 0, 0}, Rm[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double pad = 3.0*r->rad + 0.1*r->avg_len;
  for (int i = 0; i <= n + 1; i++) {
    double c[3] = {o[0], o[1], o[2]}, e = pad;
    if (i == n + 1) e = r->avg_len;   // the tool and the flange frame's axes around it
    for (int m = 0; m < 3; m++)
      for (int sgn = -1; sgn <= 1; sgn += 2) {
        p[k][0] = c[0];  p[k][1] = c[1];  p[k][2] = c[2];
        p[k][m] += sgn*e;
        k++;
      }
    if (i >= n) continue;
    Link* L = &r->L[i];
    double th = L->th, b = L->b;
    if (q) { if (L->joint == 0) th = q[i]; else b = q[i]; }
    double t = th*VM_DEG, al = L->al*VM_DEG;
    double ai[3] = {L->a*cos(t), L->a*sin(t), b};
    double Qi[3][3] = {{cos(t), -sin(t)*cos(al), sin(t)*sin(al)},
                       {sin(t), cos(t)*cos(al), -cos(t)*sin(al)},
                       {0, sin(al), cos(al)}};
    double Rn[3][3];
    for (int a = 0; a < 3; a++) {
      o[a] += Rm[a][0]*ai[0] + Rm[a][1]*ai[1] + Rm[a][2]*ai[2];
      for (int b2 = 0; b2 < 3; b2++)
        Rn[a][b2] = Rm[a][0]*Qi[0][b2] + Rm[a][1]*Qi[1][b2] + Rm[a][2]*Qi[2][b2];
    }
    for (int a = 0; a < 3; a++)
      for (int b2 = 0; b2 < 3; b2++) Rm[a][b2] = Rn[a][b2];
  }
  if (cell)
    for (int c = 0; c < 8; c++, k++)
      for (int m = 0; m < 3; m++) p[k][m] = box[(c >> m) & 1][m];
  double s = ViewFitPoints(cam, p, k, 4.0*r->avg_len);
  free(p);
  return s;
}
