// test_ctraj.cpp -- covers src/traj/ctraj.cpp: the path table, the helix and Frenet-Serret samples
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include "traj/ctraj.h"
#include "robot/robot.h"

static const double kPi = 3.14159265358979323846;

static double Dot(const double* a, const double* b) { return a[0]*b[0] + a[1]*b[1] + a[2]*b[2]; }
static void Cross(const double* a, const double* b, double* c) {
  c[0] = a[1]*b[2] - a[2]*b[1];  c[1] = a[2]*b[0] - a[0]*b[2];  c[2] = a[0]*b[1] - a[1]*b[0];
}

TEST(PathTable, ExactNamesUntilTheEndRow) {
  const CTData* row = CTFind("FanucS300.helix");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->ntp, 201);
  EXPECT_EQ(row->tend, 10.0f);
  EXPECT_EQ(row->bfunc, Beta);
  EXPECT_EQ(row->rfunc, Rf);
  EXPECT_NE(CTFind("RozevUredo.helix"), nullptr);
  EXPECT_EQ(CTFind("FanucS300.heli"), nullptr);
  EXPECT_EQ(CTFind("fanucs300.helix"), nullptr);
  EXPECT_EQ(CTFind(""), nullptr);                    // the end row is not a path
  EXPECT_EQ(CTlist[2].ntp, 0);
}

// the helix of radius 16 about (2, -2), rising 25 a turn: closed-form speed, curvature and
// torsion; the frame is orthonormal and right-handed at every sample
TEST(Helix, SamplesFollowTheClosedForm) {
  const CTData* row = CTFind("FanucS300.helix");
  CartesianConfigRec* s = (CartesianConfigRec*)calloc(row->ntp, sizeof(CartesianConfigRec));
  ASSERT_EQ(CTSampleList(row, s), 201);
  EXPECT_NEAR(s[0].r[0], 18, 1e-12);  EXPECT_NEAR(s[0].r[1], -2, 1e-12);
  EXPECT_NEAR(s[0].r[2], 12, 1e-12);
  EXPECT_NEAR(s[200].r[0], 2, 1e-4);  EXPECT_NEAR(s[200].r[1], 14, 1e-4);
  EXPECT_NEAR(s[200].r[2], 18.25, 1e-4);

  double c = 25/(2*kPi), a = 16;
  double v = (kPi/20)*sqrt(a*a + c*c);
  double kappa = a/(a*a + c*c), tau = c/(a*a + c*c);
  for (int i = 0; i < 201; i++) {
    CartesianConfigRec& p = s[i];
    EXPECT_EQ(p.type, 0);
    EXPECT_NEAR(sqrt(Dot(p.rd, p.rd)), v, 1e-12);
    double beta = atan2(p.r[1] + 2, p.r[0] - 2);   // the sample's own parameter
    EXPECT_NEAR(p.r[2], 12 + c*beta, 1e-9);
    double T[3] = {-a*sin(beta), a*cos(beta), c}, B[3] = {c*sin(beta), -c*cos(beta), a};
    double m = sqrt(a*a + c*c);
    for (int k = 0; k < 3; k++) { T[k] /= m;  B[k] /= m; }
    for (int k = 0; k < 3; k++) {
      EXPECT_NEAR(p.Q[k][0], T[k], 1e-12);
      EXPECT_NEAR(p.Q[k][2], B[k], 1e-12);
      EXPECT_NEAR(p.om[k], v*(tau*T[k] + kappa*B[k]), 1e-12);
      EXPECT_NEAR(p.omd[k], 0.0, 1e-12);
    }
    // Q' Q = I, det Q = +1
    for (int x = 0; x < 3; x++)
      for (int y = 0; y < 3; y++) {
        double d = 0.0;
        for (int k = 0; k < 3; k++) d += p.Q[k][x]*p.Q[k][y];
        EXPECT_NEAR(d, x == y ? 1.0 : 0.0, 1e-12);
      }
    double c0[3] = {p.Q[0][0], p.Q[1][0], p.Q[2][0]}, c1[3] = {p.Q[0][1], p.Q[1][1], p.Q[2][1]},
           c2[3] = {p.Q[0][2], p.Q[1][2], p.Q[2][2]}, x01[3];
    Cross(c0, c1, x01);
    EXPECT_NEAR(Dot(x01, c2), 1.0, 1e-12);
    // the acceleration of uniform helical motion points at the axis
    EXPECT_NEAR(p.rdd[2], 0.0, 1e-12);
    EXPECT_NEAR(sqrt(Dot(p.rdd, p.rdd)), a*(kPi/20)*(kPi/20), 1e-12);
  }
  free(s);
}

// a twisted cubic r = (b, b^2, b^3) with b = t + t^2/2: speed varies, so the arc-length
// derivatives of curvature and torsion enter the angular acceleration. The angular
// velocity is checked against the closed forms, its rate against differences of itself.
static void Law(double t, double* b, double* bd, double* bdd, double* b3, double* b4) {
  *b = t + t*t/2;  *bd = 1 + t;  *bdd = 1;  *b3 = 0;  *b4 = 0;
}
static void Cubic(double b, double* r, double* r1, double* r2, double* r3, double* r4) {
  r[0] = b;  r[1] = b*b;  r[2] = b*b*b;
  r1[0] = 1;  r1[1] = 2*b;  r1[2] = 3*b*b;
  r2[0] = 0;  r2[1] = 2;  r2[2] = 6*b;
  r3[0] = 0;  r3[1] = 0;  r3[2] = 6;
  r4[0] = 0;  r4[1] = 0;  r4[2] = 0;
}

TEST(CartesianTraj, VaryingSpeedOnATwistedCubic) {
  for (double t = 0.1; t < 1.0; t += 0.2) {
    CartesianConfigRec p;
    CartesianTraj(t, Law, Cubic, &p);
    double b = t + t*t/2, bd = 1 + t;
    double r1[3] = {1, 2*b, 3*b*b}, r2[3] = {0, 2, 6*b}, r3[3] = {0, 0, 6}, x[3];
    Cross(r1, r2, x);
    double n1 = sqrt(Dot(r1, r1)), nx = sqrt(Dot(x, x));
    double kappa = nx/(n1*n1*n1), tau = Dot(x, r3)/(nx*nx), v = bd*n1;
    double T[3], B[3];
    for (int k = 0; k < 3; k++) { T[k] = r1[k]/n1;  B[k] = x[k]/nx; }
    for (int k = 0; k < 3; k++) {
      EXPECT_NEAR(p.rd[k], bd*r1[k], 1e-12);
      EXPECT_NEAR(p.rdd[k], bd*bd*r2[k] + r1[k], 1e-12);
      EXPECT_NEAR(p.om[k], v*(tau*T[k] + kappa*B[k]), 1e-10);
    }
    const double h = 1e-5;
    CartesianConfigRec pp, pm;
    CartesianTraj(t + h, Law, Cubic, &pp);
    CartesianTraj(t - h, Law, Cubic, &pm);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(p.omd[k], (pp.om[k] - pm.om[k])/(2*h), 1e-6);
    // the frame turns with om: dQ/dt = [om]x Q, checked on the tangent column
    double dT[3], oT[3];
    for (int k = 0; k < 3; k++) dT[k] = (pp.Q[k][0] - pm.Q[k][0])/(2*h);
    Cross(p.om, T, oT);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(dT[k], oT[k], 1e-6);
  }
}

TEST(CTSampleList, SingleSampleAndEmptyRow) {
  CTData one = {"one", Beta, Rf, 1, 10.0f};
  CartesianConfigRec p;
  EXPECT_EQ(CTSampleList(&one, &p), 1);
  EXPECT_NEAR(p.r[0], 18, 1e-12);
  EXPECT_EQ(CTSampleList(&CTlist[2], &p), 0);
  EXPECT_EQ(CTSampleList(nullptr, &p), 0);
}
