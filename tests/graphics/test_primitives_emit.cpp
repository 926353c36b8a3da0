// test_primitives_emit.cpp -- covers src/graphics/primitives_emit.cpp with the mesh builders
#include <gtest/gtest.h>

#include <functional>

#include "prims_test_util.h"

//------------------------------------------------------------------ helpers

// "B8 N0 V0 V1 ... E" for readable comparisons
static std::string Seq(const std::vector<PrimEvent>& ev) {
  std::string s;
  for (const PrimEvent& e : ev) {
    if (!s.empty()) s += ' ';
    s += e.kind;
    if (e.kind != 'E') s += std::to_string(e.a);
  }
  return s;
}

static void ExpectPoint(const float* v, double x, double y, double z, double tol = 1e-5) {
  EXPECT_NEAR(v[0], x, tol);  EXPECT_NEAR(v[1], y, tol);  EXPECT_NEAR(v[2], z, tol);
}

//------------------------------------------------------------------ cylinder, sphere

// n = 4: 10 vertices, 7 normals; 5 pairs in the strip, the last at the first's position;
// top through 4 vertices counter-clockwise from +z, bottom reversed
TEST(PrimCylinder, FourSegments) {
  JwPrimitive P = JwDefCylinder(4, 2.0f, 3.0f, 3, 0xff0000ffUL);
  JwUnit u = P->U[0];
  EXPECT_EQ(P->type, JwCylinderT);
  ASSERT_EQ(P->nu, 1);
  EXPECT_EQ(u->nv, 10);  EXPECT_EQ(u->nn, 7);
  EXPECT_EQ(u->n, 4);  EXPECT_EQ(u->m, -1);  EXPECT_EQ(u->p, -1);
  EXPECT_EQ(u->mat, 3);  EXPECT_EQ(u->color, 0xff0000ffUL);
  JwCylinder s = (JwCylinder)P->spec;
  EXPECT_EQ(s->r, 2.0f);  EXPECT_EQ(s->h, 3.0f);
  std::string want = "B8";
  for (int i = 0; i <= 4; i++) {
    want += " N" + std::to_string(i) + " V" + std::to_string(2*i) + " V" + std::to_string(2*i + 1);
  }
  want += " E B9 N5 V0 V2 V4 V6 E B9 N6 V9 V7 V5 V3 E";
  EXPECT_EQ(Seq(Record(u)), want);
  ExpectPoint(Vt(u, 0), 2, 0, 1.5);  ExpectPoint(Vt(u, 2), 0, 2, 1.5);
  ExpectPoint(Vt(u, 4), -2, 0, 1.5); ExpectPoint(Vt(u, 7), 0, -2, -1.5);
  ExpectPoint(Vt(u, 8), 2, 0, 1.5);  ExpectPoint(Vt(u, 9), 2, 0, -1.5);
  ExpectPoint(Nt(u, 1), 0, 1, 0);    ExpectPoint(Nt(u, 5), 0, 0, 1);
  ExpectPoint(Nt(u, 6), 0, 0, -1);
  JwFreePrimitive(P);
}

// m = 2: one ring (the equator), two triangle-strip caps and no quad strip
TEST(PrimSphere, TwoBandsHasOneRing) {
  JwPrimitive P = JwDefSphere(2, 4, 1.5f, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(u->nv, 7);  EXPECT_EQ(u->nn, 7);
  EXPECT_EQ(u->m, 2);  EXPECT_EQ(u->n, 4);
  EXPECT_EQ(Seq(Record(u)),
            "B5 N1 V1 N0 V0 N2 V2 N0 V0 N3 V3 N0 V0 N4 V4 N0 V0 N5 V5 N0 V0 E "
            "B5 N5 V5 N6 V6 N4 V4 N6 V6 N3 V3 N6 V6 N2 V2 N6 V6 N1 V1 N6 V6 E");
  ExpectPoint(Vt(u, 0), 0, 0, -1.5);  ExpectPoint(Vt(u, 6), 0, 0, 1.5);
  ExpectPoint(Vt(u, 1), 1.5, 0, 0);   ExpectPoint(Vt(u, 2), 0, 1.5, 0);
  JwFreePrimitive(P);
}

// m = 4: rings at -45, 0, 45 degrees; two bands between them
TEST(PrimSphere, FourBands) {
  JwPrimitive P = JwDefSphere(4, 6, 2.0f, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(u->nv, 7*3 + 2);
  EXPECT_EQ(Modes(Record(u)), "TQQT");
  double c = 2.0*sqrt(0.5);
  ExpectPoint(Vt(u, 1), c, 0, -c);  ExpectPoint(Vt(u, 8), 2, 0, 0);
  ExpectPoint(Vt(u, 15), c, 0, c);
  // each band: upper ring point, then lower
  std::vector<PrimBlock> b = Blocks(Record(u));
  EXPECT_EQ(b[1].v[0], 8);  EXPECT_EQ(b[1].v[1], 1);
  JwFreePrimitive(P);
}

//------------------------------------------------------------------ elbows

// bend steps: 3 for n = 8, n/4 = 4 for n = 16; every point at distance r from the bend's
// centre line, its normal the unit offset from it; ends in the planes x = -R and z = R
TEST(PrimElbow, StepsAndGeometry) {
  const float R = 3.0f, r = 0.5f;
  for (int n : {8, 16}) {
    JwPrimitive P = JwDefElbow(n, R, r, 1, 0);
    JwUnit u = P->U[0];
    int m = n == 8 ? 3 : 4;
    EXPECT_EQ(u->m, m);
    EXPECT_EQ(u->nv, (n + 1)*(m + 1));  EXPECT_EQ(u->nn, (n + 1)*(m + 1));
    EXPECT_EQ(Modes(Record(u)), std::string(m, 'Q'));
    for (int i = 0; i <= m; i++) {
      double ph = i*3.14159265/2/m;
      double c[3] = {R*sin(ph) - R, 0.0, R - R*cos(ph)};
      for (int j = 0; j <= n; j++) {
        const float* v = Vt(u, i*(n + 1) + j);
        const float* nr = Nt(u, i*(n + 1) + j);
        double d[3] = {v[0] - c[0], v[1] - c[1], v[2] - c[2]};
        EXPECT_NEAR(sqrt(d[0]*d[0] + d[1]*d[1] + d[2]*d[2]), r, 1e-5);
        for (int k = 0; k < 3; k++) EXPECT_NEAR(nr[k], d[k]/r, 1e-4);
      }
    }
    for (int j = 0; j <= n; j++) {
      EXPECT_NEAR(Vt(u, j)[0], -R, 1e-5);
      EXPECT_NEAR(Vt(u, m*(n + 1) + j)[2], R, 1e-5);
    }
    EXPECT_EQ(WindingFaults(u), 0);
    JwFreePrimitive(P);
  }
}

// the mitred variant: same rings, blended normals, two end discs facing -x and +z
TEST(PrimElbow, MitredVariantIsClosed) {
  JwPrimitive P = JwDefElbowPR(16, 3.0f, 0.5f, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(u->nv, 17*5);  EXPECT_EQ(u->nn, 17*5 + 2);
  EXPECT_EQ(Modes(Record(u)), "QQQQPP");
  ExpectPoint(Nt(u, u->nv), -1, 0, 0);
  ExpectPoint(Nt(u, u->nv + 1), 0, 0, 1);
  EXPECT_EQ(WindingFaults(u), 0);
  EXPECT_LT(NormalLengthError(u), 1e-5);
  JwFreePrimitive(P);
}

//------------------------------------------------------------------ flats

// all corners: 4 vertices and 1 normal per point; four flat sides, top, bottom
TEST(PrimFlat, SquareOfCorners) {
  float pts[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  int flags[4] = {1, 1, 1, 1};
  JwPrimitive P = JwDefFlat(4, pts, flags, 2.0f, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(u->nv, 16);  EXPECT_EQ(u->nn, 6);
  EXPECT_EQ(((JwFlat)P->spec)->w, 2.0f);
  EXPECT_EQ(Seq(Record(u)),
            "B9 N0 V0 V1 V3 V2 E B9 N1 V4 V5 V7 V6 E B9 N2 V8 V9 V11 V10 E "
            "B9 N3 V12 V13 V15 V14 E B9 N4 V0 V4 V8 V12 E B9 N5 V13 V9 V5 V1 E");
  ExpectPoint(Nt(u, 0), 0, -1, 0);  ExpectPoint(Nt(u, 1), 1, 0, 0);
  ExpectPoint(Nt(u, 2), 0, 1, 0);   ExpectPoint(Nt(u, 3), -1, 0, 0);
  ExpectPoint(Vt(u, 0), -1, -1, 1);  ExpectPoint(Vt(u, 1), -1, -1, -1);
  ExpectPoint(Vt(u, 14), -1, -1, 1);
  for (int k = 0; k < 4; k++) EXPECT_EQ(u->N[4*u->nn + k], 1.0f);
  JwFreePrimitive(P);
}

// a square whose right side is a half circle of radius 1 about (1, 0)
static void DShape(float pts[7][2], int flags[7]) {
  const float s = (float)sqrt(0.5);
  const float p[7][2] = {{-1, -1}, {1, -1}, {1 + s, -s}, {2, 0}, {1 + s, s}, {1, 1}, {-1, 1}};
  const int f[7] = {1, 2, 0, 0, 0, 1, 1};
  for (int i = 0; i < 7; i++) { pts[i][0] = p[i][0];  pts[i][1] = p[i][1];  flags[i] = f[i]; }
}

// counts: 2 vertices per smooth point, 4 per corner; normals 1 for flags 0 and 1, 2 for
// flag 2, plus top and bottom. The curved run is one smooth strip.
TEST(PrimFlat, CurvedRun) {
  float pts[7][2];
  int flags[7];
  DShape(pts, flags);
  JwPrimitive P = JwDefFlat(7, pts, flags, 1.0f, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(u->nv, 22);  EXPECT_EQ(u->nn, 10);
  EXPECT_EQ(Modes(Record(u)), "PQPPPP");
  std::vector<PrimBlock> b = Blocks(Record(u));
  std::vector<int> qv = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  EXPECT_EQ(b[1].v, qv);
  // smooth point (2, 0): normal across its neighbours' chord is +x
  ExpectPoint(Nt(u, 4), 1, 0, 0);
  // the flag-2 corner: incoming side (bottom) normal, then the outgoing chord's normal
  ExpectPoint(Nt(u, 1), 0, -1, 0);
  double dx = sqrt(0.5), dy = 1 - sqrt(0.5), L = sqrt(dx*dx + dy*dy);
  ExpectPoint(Nt(u, 2), dy/L, -dx/L, 0);
  double c[3] = {0.3, 0, 0};
  EXPECT_EQ(WindingFaults(u), 0);
  EXPECT_EQ(OutwardFaults(u, c), 0);
  EXPECT_EQ(IndexFaults(u), 0);
  JwFreePrimitive(P);
}

// point 0 smooth: the walk starts at the last point flagged 2 and gives the same mesh
TEST(PrimFlat, SmoothFirstPointStartsAtFlagTwo) {
  float pts[7][2], rot[7][2];
  int flags[7], rf[7];
  DShape(pts, flags);
  for (int i = 0; i < 7; i++) {
    rot[i][0] = pts[(i + 3)%7][0];  rot[i][1] = pts[(i + 3)%7][1];  rf[i] = flags[(i + 3)%7];
  }
  JwUnit a = def_flat(7, pts, flags, 1.0f, 1, 0);
  JwUnit b = def_flat(7, rot, rf, 1.0f, 1, 0);
  ASSERT_EQ(a->nv, b->nv);
  ASSERT_EQ(a->nn, b->nn);
  // a starts at point 0 (flag 1), b at point 1 of a (flag 2): compare from there
  EXPECT_EQ(b->N[4*b->nn], 2.0f);
  ExpectPoint(Vt(b, 0), 1, -1, 0.5);
  EXPECT_EQ(Modes(Record(b)), "QPPPPP");
  EXPECT_EQ(WindingFaults(b), 0);
  EXPECT_EQ(IndexFaults(b), 0);
  JwFreeUnit(a);
  JwFreeUnit(b);
}

// every point smooth: one strip around, closed by the first pair again
TEST(PrimFlat, AllSmooth) {
  float pts[8][2];
  int flags[8] = {0};
  for (int i = 0; i < 8; i++) {
    pts[i][0] = (float)cos(i*3.14159265/4);  pts[i][1] = (float)sin(i*3.14159265/4);
  }
  JwUnit u = def_flat(8, pts, flags, 1.0f, 1, 0);
  EXPECT_EQ(u->nv, 16);  EXPECT_EQ(u->nn, 10);
  std::vector<PrimBlock> b = Blocks(Record(u));
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[0].v.size(), 18u);
  EXPECT_EQ(b[0].v[16], 0);  EXPECT_EQ(b[0].v[17], 1);
  ExpectPoint(Nt(u, 0), 1, 0, 0);
  double c[3] = {0, 0, 0};
  EXPECT_EQ(OutwardFaults(u, c), 0);
  EXPECT_EQ(WindingFaults(u), 0);
  JwFreeUnit(u);
}

//------------------------------------------------------------------ lomp, wheel, tetrahedron

// unit cube from two squares: side normals outward, T face +z, B face -z
TEST(PrimLomp, CubeFromTwoSquares) {
  float T[4][3] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  float B[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  JwPrimitive P = JwDefLomp(T, B, 4, 1, 0);
  JwUnit u = P->U[0];
  EXPECT_EQ(P->spec, nullptr);
  EXPECT_EQ(u->nv, 10);  EXPECT_EQ(u->nn, 6);
  EXPECT_EQ(Seq(Record(u)),
            "B9 N0 V0 V1 V3 V2 E B9 N1 V2 V3 V5 V4 E B9 N2 V4 V5 V7 V6 E B9 N3 V6 V7 V9 V8 E "
            "B9 N4 V0 V2 V4 V6 E B9 N5 V7 V5 V3 V1 E");
  ExpectPoint(Nt(u, 0), 0, -1, 0);  ExpectPoint(Nt(u, 1), 1, 0, 0);
  ExpectPoint(Nt(u, 2), 0, 1, 0);   ExpectPoint(Nt(u, 3), -1, 0, 0);
  ExpectPoint(Nt(u, 4), 0, 0, 1);   ExpectPoint(Nt(u, 5), 0, 0, -1);
  ExpectPoint(Vt(u, 8), 0, 0, 1);   ExpectPoint(Vt(u, 9), 0, 0, 0);
  JwFreePrimitive(P);
}

// four wedges in alternating colours, wedge k starting at 90k degrees
TEST(PrimWheel, FourWedges) {
  JwPrimitive P = JwDefWheel(2.0f, 0.4f, 6, 5, 0xff0000ffUL, 0xff00ff00UL);
  ASSERT_EQ(P->nu, 4);
  EXPECT_EQ(P->spec, nullptr);
  EXPECT_EQ(P->type, JwWheelT);
  const double cs[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (int k = 0; k < 4; k++) {
    JwUnit u = P->U[k];
    EXPECT_EQ(u->nv, 16);  EXPECT_EQ(u->nn, 9);
    EXPECT_EQ(u->color, k%2 ? 0xff00ff00UL : 0xff0000ffUL);
    EXPECT_EQ(u->mat, 5);
    EXPECT_EQ(Modes(Record(u)), "QPP");
    ExpectPoint(Vt(u, 0), 2*cs[k][0], 2*cs[k][1], 0.2);
    ExpectPoint(Vt(u, 12), 2*cs[(k + 1)%4][0], 2*cs[(k + 1)%4][1], 0.2);
    ExpectPoint(Nt(u, 0), cs[k][0], cs[k][1], 0);
    double c[3] = {0.5*(cs[k][0] + cs[(k + 1)%4][0]), 0.5*(cs[k][1] + cs[(k + 1)%4][1]), 0};
    EXPECT_EQ(OutwardFaults(u, c), 0);
  }
  JwFreePrimitive(P);
}

// six edges whose cap centres are the two corners they join; spheres at the corners
TEST(PrimTetrahedron, EdgesJoinCorners) {
  const float s = 2.0f;
  const double corner[4][3] = {{s, -s, -s}, {-s, s, -s}, {-s, -s, s}, {s, s, s}};
  JwPrimitive P = JwDefTetrahedron(s, 0.1f, 8, 1, 0);
  ASSERT_EQ(P->nu, 10);
  EXPECT_EQ(P->spec, nullptr);
  int used[4] = {0, 0, 0, 0};
  for (int e = 0; e < 6; e++) {
    JwUnit u = P->U[e];
    EXPECT_EQ(u->nv, 18);
    double top[3] = {0, 0, 0}, bot[3] = {0, 0, 0};
    for (int i = 0; i < 8; i++) {
      for (int k = 0; k < 3; k++) { top[k] += Vt(u, 2*i)[k]/8;  bot[k] += Vt(u, 2*i + 1)[k]/8; }
    }
    int hits = 0;
    for (int c = 0; c < 4; c++) {
      for (const double* p : {top, bot}) {
        double d = fabs(p[0] - corner[c][0]) + fabs(p[1] - corner[c][1]) +
                   fabs(p[2] - corner[c][2]);
        if (d < 1e-4) { hits++;  used[c]++; }
      }
    }
    EXPECT_EQ(hits, 2) << "edge " << e;
    EXPECT_LT(NormalLengthError(u), 1e-5);
    EXPECT_EQ(WindingFaults(u), 0);
  }
  for (int c = 0; c < 4; c++) EXPECT_EQ(used[c], 3);
  for (int c = 0; c < 4; c++) {
    JwUnit u = P->U[6 + c];
    EXPECT_EQ(u->m, 4);  EXPECT_EQ(u->n, 4);
    for (int k = 0; k < 3; k++) {
      EXPECT_NEAR((Vt(u, 0)[k] + Vt(u, u->nv - 1)[k])/2, corner[c][k], 1e-5);
    }
  }
  JwFreePrimitive(P);
}

//------------------------------------------------------------------ every solid

// mesh sizes from the shape table, drawing modes, and for every unit: indices in range,
// unit normals, faces turned towards their normals; convex units: normals point away from
// the unit's centroid
struct SolidCase {
  const char* name;
  std::function<JwPrimitive()> make;
  int nu, nv0, nn0;        // units; sizes of unit 0 (-1: not checked)
  const char* modes0;      // drawing modes of unit 0 (nullptr: not checked)
  bool convex;
};

static std::vector<SolidCase> AllSolids() {
  static float T[3][3] = {{0, 0, 2}, {1, 0, 2}, {0, 1, 2}};
  static float B[3][3] = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}};
  static float W[4][4] = {{0, 0, 0, 0}, {1, 1, 0, 0}, {2, 0, 1, 0}, {3, 1, 1, 0}};
  static float F[5][2] = {{0, 0}, {2, 0}, {2.5f, 0.5f}, {2, 1}, {0, 1}};
  static int FF[5] = {1, 2, 0, 2, 1};
  return {
    {"cylinder", [] { return JwDefCylinder(12, 1, 2, 1, 0); }, 1, 26, 15, "QPP", true},
    {"pivot", [] { return JwDefPivot(12, 1, 2, 0.5f, 1, 0); }, 1, 32, 18, "QPPP", true},
    {"toroid", [] { return JwDefToroid(12, 6, 90, 3, 1, 1, 0); }, 1, 91, 91, "QQQQQQ", false},
    {"prism", [] { return JwDefPrism(1, 2, 3, 1, 0); }, 1, 24, 6, "PPPPPP", true},
    {"cone", [] { return JwDefCone(12, 1, 2, 1, 0); }, 1, 14, 14, "QP", true},
    {"sphere", [] { return JwDefSphere(6, 12, 1, 1, 0); }, 1, 67, 67, "TQQQQT", true},
    {"hemisphere", [] { return JwDefHemiSphere(4, 12, 1, 1, 0); }, 1, 53, 54, "QQQTP", true},
    {"sector", [] { return JwDefSector(12, 120, 1, 0.5f, 1, 0); }, 1, 28, 17, "QPPPP", true},
    {"cylfillet", [] { return JwDefCylFillet(12, 1, 2, 0.2f, 0.3f, 1, 0); }, 1, 52, 54,
     "PQQQP", true},
    {"prismfillet", [] { return JwDefPrismFillet(4, 2, 3, 1, 0.3f, 1, 0); }, 1, 56, 26,
     "QPQPQPQPPP", true},
    {"ring", [] { return JwDefRing(12, 2, 1, 1, 1, 0); }, 1, 52, 28, "QQQQ", false},
    {"squarering", [] { return JwDefSquareRing(10, 0.5f, 2, 3, 0.4f, 1, 0); }, 1, 68, 19,
     "QQQPPPP", false},
    {"arc", [] { return JwDefArc(12, 120, 1, 0.5f, 1, 0); }, 1, 28, 16, "QPPP", true},
    {"support", [] { return JwDefSupport(12, 1, 0.5f, 1, 0); }, 6, 52, 28, "QQQQ", false},
    {"dish", [] { return JwDefDish(4, 12, 120, 2, 1.8f, 1, 0); }, 1, 106, 107, "TQQQQQQQT",
     false},
    {"thick dish", [] { return JwDefDish(3, 8, 60, 2, 1.0f, 1, 0); }, 1, 56, 57, nullptr,
     false},
    {"stump", [] { return JwDefStump(12, 2, 1, 3, 1, 0); }, 1, 26, 15, "QPP", true},
    {"elbow", [] { return JwDefElbow(12, 3, 1, 1, 0); }, 1, 52, 52, "QQQ", false},
    {"elbowpr", [] { return JwDefElbowPR(8, 3, 1, 1, 0); }, 1, 36, 38, "QQQPP", false},
    {"wire", [] { return JwDefWire(8, W, 4, 0.1f, 0, 1, 0); }, 1, 36, 36, "QQQ", false},
    {"flatcylinder", [] { return JwDefFlatCylinder(6, 1, 2, 1, 0); }, 1, 14, 9, "PPPPPPPP",
     true},
    {"spherecurve", [] { return JwDefSphereCurve(6, 4, 2, 0.5f, 1, 90, 1, 0); }, 1, 48, 50,
     "QQQQPP", false},
    {"flat", [] { return JwDefFlat(5, F, FF, 0.5f, 1, 0); }, 1, 18, 9, "PQQPPP", true},
    {"gusset", [] { return JwDefGusset(1, 2, 0.3f, 1, 0); }, 1, 6, 3, "PPP", true},
    {"box", [] { return JwDefBox(1, 2, 3, 1, 0); }, 1, 24, 6, "PPPPPP", true},
    {"gripper h", [] { return JwDefTamsellGripperH(1, 1, 0); }, 4, 50, 27, "QPP", true},
    {"gripper hfr", [] { return JwDefTamsellGripperHFR(1, 1, 0); }, 4, 24, 6, nullptr, true},
    {"finger 1", [] { return JwDefTamsellGripperF1(1, 1, 0); }, 1, 20, 7, "PPPPPPP", true},
    {"finger 2", [] { return JwDefTamsellGripperF2(1, 1, 0); }, 1, 20, 7, "PPPPPPP", true},
    {"ujoint", [] { return JwDefUJointR(12, 1, 0.3f, 1.5f, 0.5f, 3, 1, 0); }, 4, 32, 18,
     nullptr, true},
    {"ujoint pin in", [] { return JwDefUJointRPinIn(12, 1, 0.3f, 1.5f, 0.5f, 3, 0.2f, 1, 0); },
     5, 32, 18, nullptr, true},
    {"ujoint pin out", [] { return JwDefUJointRPinOut(12, 1, 0.3f, 1, 0.5f, 3, 0.2f, 1, 0); },
     5, 32, 18, nullptr, true},
    {"motor", [] { return JwDefMotor(1, 3, 0.5f, 1, 0); }, 4, 25*4, 25*4 + 2, nullptr, false},
    {"pyr", [] { return JwDefPyr(2, 3, 1, 1.5f, 2, 1, 0); }, 1, 24, 6, "PPPPPP", true},
    {"lomp", [] { return JwDefLomp(T, B, 3, 1, 0); }, 1, 8, 5, "PPPPP", true},
    {"wheel", [] { return JwDefWheel(1, 0.2f, 6, 1, 0, 0); }, 4, 16, 9, "QPP", true},
    {"tetrahedron", [] { return JwDefTetrahedron(1, 0.1f, 8, 1, 0); }, 10, 18, 11, "QPP",
     true},
  };
}

TEST(PrimAll, SizesModesNormalsAndWinding) {
  for (const SolidCase& c : AllSolids()) {
    SCOPED_TRACE(c.name);
    JwPrimitive P = c.make();
    ASSERT_NE(P, nullptr);
    ASSERT_EQ(P->nu, c.nu);
    if (c.nv0 >= 0) { EXPECT_EQ(P->U[0]->nv, c.nv0); }
    if (c.nn0 >= 0) { EXPECT_EQ(P->U[0]->nn, c.nn0); }
    if (c.modes0) { EXPECT_EQ(Modes(Record(P->U[0])), c.modes0); }
    for (int i = 0; i < P->nu; i++) {
      JwUnit u = P->U[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(IndexFaults(u), 0);
      EXPECT_LT(NormalLengthError(u), 2e-5);
      EXPECT_EQ(WindingFaults(u), 0);
      // vertex and normal w stay 1
      for (int k = 0; k < u->nv; k++) EXPECT_FLOAT_EQ(u->V[4*k + 3], 1.0f);
      for (int k = 0; k < u->nn; k++) EXPECT_FLOAT_EQ(u->N[4*k + 3], 1.0f);
      if (c.convex) {
        JwPrimitiveRec one = {P->type, 1, &P->U[i], nullptr};
        double ctr[3];
        Centroid(&one, ctr);
        EXPECT_EQ(OutwardFaults(u, ctr), 0);
      }
    }
    JwFreePrimitive(P);
  }
}

// the solids that take the current material and colour, and those that set their own
TEST(PrimAll, MaterialGroups) {
  for (int k : {JwDrawWire, JwDrawFlatCylinder, JwDrawGusset, JwDrawSphereCurve, JwDrawPyr,
                JwDrawFlat, JwDrawElbowPR}) {
    EXPECT_EQ(JwKindSetsMaterial(k), 0) << k;
  }
  for (int k : {JwDrawCylinder, JwDrawPivot, JwDrawToroid, JwDrawPrism, JwDrawLomp, JwDrawCone,
                JwDrawSphere, JwDrawHemiSphere, JwDrawSector, JwDrawCylFillet,
                JwDrawPrismFillet, JwDrawRing, JwDrawSquareRing, JwDrawArc, JwDrawDish,
                JwDrawStump, JwDrawElbow, JwDrawWheel}) {
    EXPECT_EQ(JwKindSetsMaterial(k), 1) << k;
  }
}
