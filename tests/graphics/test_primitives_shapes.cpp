// test_primitives_shapes.cpp -- covers the mesh builders' geometry (round, faces, bent)
#include <gtest/gtest.h>

#include "prims_test_util.h"

static double Dist(const float* v, double x, double y, double z) {
  return sqrt((v[0] - x)*(v[0] - x) + (v[1] - y)*(v[1] - y) + (v[2] - z)*(v[2] - z));
}

//------------------------------------------------------------------ wire

// three points symmetric about the y axis: h = sqrt 2 each, M1 = (0, -1.5, 0) by hand, so
// the tangent at p1 is +x and at p0 it is (1/sqrt2, 1/sqrt2 + 1.5 sqrt2/6) normalised; the
// binormal at p0 comes from M1 (M0 = 0): T x M1 points to -z
TEST(PrimWire, ThreePointFramesByHand) {
  float pts[3][4] = {{-1, 0, 0, 9}, {0, 1, 0, 9}, {1, 0, 0, 9}};
  const float r = 0.1f;
  JwUnit u = def_wire(8, pts, 3, r, 0, 1, 0);
  EXPECT_EQ(u->nv, 27);  EXPECT_EQ(u->nn, 27);
  EXPECT_EQ(Modes(Record(u)), "QQ");
  for (int j = 0; j <= 8; j++) {
    EXPECT_NEAR(Vt(u, 9 + j)[0], 0.0, 1e-6);
    EXPECT_NEAR(Dist(Vt(u, 9 + j), 0, 1, 0), r, 1e-6);
  }
  double tx = sqrt(0.5), ty = sqrt(0.5) + 1.5*sqrt(2.0)/6, L = sqrt(tx*tx + ty*ty);
  tx /= L;  ty /= L;
  // N = B x T = (ty, -tx, 0): vertex 0 = p0 + r N; vertex 2 (90 degrees) = p0 + r B
  EXPECT_NEAR(Vt(u, 0)[0], -1 + r*ty, 1e-6);
  EXPECT_NEAR(Vt(u, 0)[1], -r*tx, 1e-6);
  EXPECT_NEAR(Vt(u, 0)[2], 0, 1e-6);
  EXPECT_NEAR(Vt(u, 2)[0], -1, 1e-6);
  EXPECT_NEAR(Vt(u, 2)[2], -r, 1e-6);
  EXPECT_LT(NormalLengthError(u), 1e-6);
  JwFreeUnit(u);
}

// four points: each circle lies in the plane normal to the spline's tangent, with the
// second derivatives from an independent tridiagonal elimination
TEST(PrimWire, CirclesNormalToTheSpline) {
  float pts[4][4] = {{0, 0, 0, 0}, {1, 2, 0, 0}, {3, 3, 1, 0}, {4, 1, 2, 0}};
  const int np = 4, n = 12;
  JwUnit u = def_wire(n, pts, np, 0.2f, 0, 1, 0);
  double h[3], M[4][3] = {{0}};
  for (int i = 0; i < 3; i++) {
    h[i] = Dist(pts[i + 1], pts[i][0], pts[i][1], pts[i][2]);
  }
  for (int c = 0; c < 3; c++) {
    // 2x2 system for M1, M2 by Cramer's rule
    double a11 = 2*(h[0] + h[1]), a12 = h[1], a21 = h[1], a22 = 2*(h[1] + h[2]);
    double b1 = 6*((pts[2][c] - pts[1][c])/h[1] - (pts[1][c] - pts[0][c])/h[0]);
    double b2 = 6*((pts[3][c] - pts[2][c])/h[2] - (pts[2][c] - pts[1][c])/h[1]);
    double det = a11*a22 - a12*a21;
    M[1][c] = (b1*a22 - a12*b2)/det;
    M[2][c] = (a11*b2 - a21*b1)/det;
  }
  for (int i = 0; i < np; i++) {
    double t[3];
    int s = i < np - 1 ? i : i - 1;
    for (int c = 0; c < 3; c++) {
      double ch = (pts[s + 1][c] - pts[s][c])/h[s];
      t[c] = s == i ? ch - h[s]*(2*M[s][c] + M[s + 1][c])/6 : ch + h[s]*(M[s][c] + 2*M[s + 1][c])/6;
    }
    double L = sqrt(t[0]*t[0] + t[1]*t[1] + t[2]*t[2]);
    for (int j = 0; j <= n; j++) {
      const float* v = Vt(u, i*(n + 1) + j);
      double d = 0;
      for (int c = 0; c < 3; c++) d += (v[c] - pts[i][c])*t[c]/L;
      EXPECT_NEAR(d, 0.0, 1e-5) << "knot " << i;
      EXPECT_NEAR(Dist(v, pts[i][0], pts[i][1], pts[i][2]), 0.2, 1e-5);
    }
  }
  EXPECT_EQ(WindingFaults(u), 0);
  JwFreeUnit(u);
}

// a straight wire has no curvature anywhere: any circle normal to the line; one point: no
// tube at all
TEST(PrimWire, StraightAndSinglePoint) {
  float pts[3][4] = {{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 3, 0}};
  JwUnit u = def_wire(6, pts, 3, 0.5f, 0, 1, 0);
  for (int i = 0; i < u->nv; i++) {
    EXPECT_NEAR(Dist(Vt(u, i), 0, 0, Vt(u, i)[2]), 0.5, 1e-6);
    EXPECT_NEAR(Vt(u, i)[2], pts[i/7][2], 1e-6);
  }
  EXPECT_LT(NormalLengthError(u), 1e-6);
  EXPECT_EQ(WindingFaults(u), 0);
  JwFreeUnit(u);
  JwUnit one = def_wire(6, pts, 1, 0.5f, 0, 1, 0);
  EXPECT_EQ(Modes(Record(one)), "");
  JwFreeUnit(one);
}

//------------------------------------------------------------------ round solids

// outer surface on the sphere R, inner on r, both rims in the plane z = -R cos(ang/2)
TEST(PrimDish, ShellCutByAPlane) {
  const float R = 2, r = 1.8f;
  const int m = 4, n = 12;
  JwUnit u = def_dish(m, n, 120, R, r, 1, 0);
  int per = m*(n + 1) + 1;
  EXPECT_EQ(u->nv, (2*n + 2)*m + 2);
  EXPECT_EQ(u->nn, u->nv + 1);
  for (int i = 0; i < per; i++) {
    EXPECT_NEAR(Dist(Vt(u, i), 0, 0, 0), R, 1e-5);
    EXPECT_NEAR(Dist(Vt(u, per + i), 0, 0, 0), r, 1e-5);
    EXPECT_LE(Vt(u, i)[2], -R*0.5 + 1e-5);
  }
  for (int j = 0; j <= n; j++) {
    EXPECT_NEAR(Vt(u, 1 + (m - 1)*(n + 1) + j)[2], -1.0, 1e-5);
    EXPECT_NEAR(Vt(u, per + 1 + (m - 1)*(n + 1) + j)[2], -1.0, 1e-5);
  }
  EXPECT_NEAR(Nt(u, u->nn - 1)[2], 1.0, 1e-7);
  JwFreeUnit(u);
  // two rings per surface: outer cap, outer band, rim, inner band, inner cap
  u = def_dish(2, 8, 90, R, r, 1, 0);
  EXPECT_EQ(Modes(Record(u)), "TQQQT");
  EXPECT_EQ(WindingFaults(u), 0);
  JwFreeUnit(u);
}

// fillet steps n trunc(r1/r), at least 1; the profile spans the whole height and radius
TEST(PrimCylFillet, StepsAndProfile) {
  JwUnit u = def_cylfillet(8, 1, 4, 2.5f, 2.5f, 1, 0);
  EXPECT_EQ(u->m, 16);  EXPECT_EQ(u->p, 16);
  EXPECT_EQ(u->nv, 9*34);
  JwFreeUnit(u);
  u = def_cylfillet(8, 2, 3, 0.5f, 0.25f, 1, 0);
  EXPECT_EQ(u->m, 1);
  int np = 4;
  EXPECT_NEAR(Vt(u, 0)[0], 1.5, 1e-6);  EXPECT_NEAR(Vt(u, 0)[2], 1.5, 1e-6);
  EXPECT_NEAR(Vt(u, 1)[0], 2.0, 1e-6);  EXPECT_NEAR(Vt(u, 1)[2], 1.0, 1e-6);
  EXPECT_NEAR(Vt(u, 2)[0], 2.0, 1e-6);  EXPECT_NEAR(Vt(u, 2)[2], -1.25, 1e-6);
  EXPECT_NEAR(Vt(u, np - 1)[0], 1.75, 1e-6);  EXPECT_NEAR(Vt(u, np - 1)[2], -1.5, 1e-6);
  JwFreeUnit(u);
}

// chord in the plane x = 0, arc of radius r about (-r cos(ang/2), 0) bulging to +x
TEST(PrimArc, ChordAtOrigin) {
  const float r = 2;
  JwUnit u = def_arc(10, 120, r, 1, 1, 0);
  EXPECT_NEAR(Vt(u, 0)[0], 0, 1e-6);  EXPECT_NEAR(Vt(u, 20)[0], 0, 1e-6);
  EXPECT_NEAR(Vt(u, 0)[1], -r*sin(M_PI/3), 1e-6);
  EXPECT_NEAR(Vt(u, 10)[0], r - r*0.5, 1e-6);
  for (int i = 0; i <= 10; i++) EXPECT_NEAR(Dist(Vt(u, 2*i), -r*0.5, 0, 0.5), r, 1e-5);
  JwFreeUnit(u);
}

// sphere curve: outer radius r, inner r - h, z from -w/2 to w/2, spanning ang about +x
TEST(PrimSphereCurve, AnnularSector) {
  JwUnit u = def_spherecurve(6, 4, 2, 0.5f, 1, 90, 1, 0);
  for (int i = 0; i < 14; i++) EXPECT_NEAR(hypot(Vt(u, i)[0], Vt(u, i)[1]), 2, 1e-5);
  for (int i = 14; i < 24; i++) EXPECT_NEAR(hypot(Vt(u, i)[0], Vt(u, i)[1]), 1.5, 1e-5);
  EXPECT_NEAR(atan2(Vt(u, 0)[1], Vt(u, 0)[0]), -M_PI/4, 1e-6);
  EXPECT_NEAR(atan2(Vt(u, 12)[1], Vt(u, 12)[0]), M_PI/4, 1e-6);
  EXPECT_NEAR(Vt(u, 0)[2], 0.5, 1e-7);  EXPECT_NEAR(Vt(u, 1)[2], -0.5, 1e-7);
  JwFreeUnit(u);
}

// hemisphere above the xy plane on the sphere r; toroid points on the formula
TEST(PrimRound, HemisphereAndToroid) {
  JwUnit h = def_hemisphere(3, 8, 1.5f, 1, 0);
  for (int i = 0; i < h->nv; i++) {
    EXPECT_GE(Vt(h, i)[2], -1e-7);
    EXPECT_NEAR(Dist(Vt(h, i), 0, 0, 0), 1.5, 1e-5);
  }
  JwFreeUnit(h);
  const float R = 3, r = 1;
  JwUnit t = def_toroid(8, 4, 180, R, r, 1, 0);
  // step i = 2 (90 degrees), j = 2 (tube angle 90): ((R - 0) (0, 1), r)
  const float* v = Vt(t, 2*9 + 2);
  EXPECT_NEAR(v[0], 0, 1e-5);  EXPECT_NEAR(v[1], R, 1e-5);  EXPECT_NEAR(v[2], r, 1e-5);
  // j = 4 (tube angle 180): outer equator at R + r
  EXPECT_NEAR(Vt(t, 2*9 + 4)[1], R + r, 1e-5);
  EXPECT_NEAR(Nt(t, 2*9 + 4)[1], 1, 1e-5);
  JwFreeUnit(t);
}

// cone apex and base, stump radii at both ends
TEST(PrimRound, ConeAndStump) {
  JwUnit c = def_cone(6, 1, 2, 1, 0);
  EXPECT_NEAR(Vt(c, 7)[2], 2, 1e-7);
  // side normal (h, 0, r)/sqrt(5) at angle 0
  EXPECT_NEAR(Nt(c, 0)[0], 2/sqrt(5.0), 1e-6);  EXPECT_NEAR(Nt(c, 0)[2], 1/sqrt(5.0), 1e-6);
  JwFreeUnit(c);
  JwUnit s = def_stump(6, 2, 1, 3, 1, 0);
  EXPECT_NEAR(Vt(s, 0)[0], 1, 1e-6);  EXPECT_NEAR(Vt(s, 0)[2], 3, 1e-7);
  EXPECT_NEAR(Vt(s, 1)[0], 2, 1e-6);  EXPECT_NEAR(Vt(s, 1)[2], 0, 1e-7);
  EXPECT_NEAR(Nt(s, 0)[2], 1/sqrt(10.0), 1e-6);
  JwFreeUnit(s);
}

//------------------------------------------------------------------ flat-faced solids

// n rounded up to a multiple of 4; outer points on the rectangle with its corners, hole on r
TEST(PrimSquareRing, RectangleAndHole) {
  const float a = 1.5f, b = 1.0f;
  JwUnit u = def_squarering(10, 0.5f, 2*a, 2*b, 0.4f, 1, 0);
  EXPECT_EQ(u->n, 12);
  for (int j = 0; j <= 12; j++) {
    EXPECT_NEAR(hypot(Vt(u, 2*j)[0], Vt(u, 2*j)[1]), 0.5, 1e-6);
    const float* o = Vt(u, 26 + 2*j);
    bool on = fabs(fabs(o[0]) - a) < 1e-6 || fabs(fabs(o[1]) - b) < 1e-6;
    EXPECT_TRUE(on) << j;
  }
  const float corners[5][2] = {{a, -b}, {a, b}, {-a, b}, {-a, -b}, {a, -b}};
  for (int k = 0; k <= 4; k++) {
    EXPECT_NEAR(Vt(u, 26 + 2*3*k)[0], corners[k][0], 1e-6);
    EXPECT_NEAR(Vt(u, 26 + 2*3*k)[1], corners[k][1], 1e-6);
  }
  JwFreeUnit(u);
}

// pivot extents; frustum ends; gusset slanted normal
TEST(PrimFaces, PivotPyrGusset) {
  JwUnit p = def_pivot(8, 1, 2, 0.5f, 1, 0);
  float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
  for (int i = 0; i < p->nv; i++) {
    for (int k = 0; k < 3; k++) {
      lo[k] = fminf(lo[k], Vt(p, i)[k]);
      hi[k] = fmaxf(hi[k], Vt(p, i)[k]);
    }
  }
  EXPECT_NEAR(lo[0], -1, 1e-6);  EXPECT_NEAR(hi[0], 1, 1e-6);
  EXPECT_NEAR(lo[1], -2, 1e-6);  EXPECT_NEAR(hi[1], 1, 1e-6);
  EXPECT_NEAR(lo[2], -0.25, 1e-7);  EXPECT_NEAR(hi[2], 0.25, 1e-7);
  JwFreeUnit(p);
  JwUnit y = def_pyr(4, 2, 2, 1, 3, 1, 0);
  // +x face through (2, -1, 0) and (1, -0.5, 3): normal (3, 0, 1)/sqrt(10)
  EXPECT_NEAR(Nt(y, 0)[0], 3/sqrt(10.0), 1e-6);  EXPECT_NEAR(Nt(y, 0)[2], 1/sqrt(10.0), 1e-6);
  EXPECT_NEAR(Vt(y, 0)[0], 2, 1e-7);  EXPECT_NEAR(Vt(y, 2)[0], 1, 1e-7);
  EXPECT_NEAR(Vt(y, 2)[2], 3, 1e-7);
  JwFreeUnit(y);
  JwUnit g = def_gusset(3, 4, 0.2f, 1, 0);
  EXPECT_NEAR(Nt(g, 2)[0], 0.8, 1e-6);  EXPECT_NEAR(Nt(g, 2)[2], 0.6, 1e-6);
  JwFreeUnit(g);
}

// prism fillet: the flat sides are tangent to the arcs; all points inside the box
TEST(PrimFaces, PrismFilletCorners) {
  JwUnit u = def_prismfillet(3, 4, 2, 1, 0.5f, 1, 0);
  for (int i = 0; i < u->nv; i++) {
    EXPECT_LE(fabs(Vt(u, i)[0]), 2 + 1e-6);
    EXPECT_LE(fabs(Vt(u, i)[1]), 1 + 1e-6);
  }
  // corner 0's arc ends at (1.5, 1); its side runs to (-1.5, 1)
  const float* e = Vt(u, 6);
  EXPECT_NEAR(e[0], 1.5, 1e-6);  EXPECT_NEAR(e[1], 1, 1e-6);
  EXPECT_NEAR(Vt(u, 10)[0], -1.5, 1e-6);  EXPECT_NEAR(Vt(u, 10)[1], 1, 1e-6);
  EXPECT_NEAR(Nt(u, 4)[1], 1, 1e-7);
  JwFreeUnit(u);
}
