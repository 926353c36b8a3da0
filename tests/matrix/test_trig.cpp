// test_trig.cpp -- the branch-free sine, cosine and arc tangent against the library's
#include <gtest/gtest.h>
#include <math.h>    // for: sin(), cos(), atan2(), nextafter(), INFINITY, NAN
#include <stdint.h>  // for: int64_t
#include <string.h>  // for: memcpy()
#include <algorithm>  // for: std::max
#include <vector>

#include "matrix/trig.h"

// distance in units in the last place; a sign change counts as far
static int64_t Ulps(double a, double b) {
  if (a == b) return 0;
  int64_t ia, ib;
  memcpy(&ia, &a, 8);
  memcpy(&ib, &b, 8);
  if ((ia < 0) != (ib < 0)) return INT64_MAX;
  return ia > ib ? ia - ib : ib - ia;
}

static uint64_t rng = 12345;
static double Uniform(double lo, double hi) {
  rng = rng*6364136223846793005ULL + 1442695040888963407ULL;
  return lo + (hi - lo)*((rng >> 11)*(1.0/9007199254740992.0));
}

// joint angles of every size a robot sees, and the arguments handed to the library: within
// one ulp. Next to a multiple of pi/2 the two-part reduction leaves an absolute error below
// 1e-21 on a result that is itself tiny, where ulps say nothing about a pose.
TEST(Trig, SinCosWithinOneUlp) {
  std::vector<double> xs = {0.0, -0.0, 1e-300, -1e-8, 99999.9, -99999.9, 1e5, -3e7, 1e300};
  for (int k = -40; k <= 40; k++) xs.push_back(k*90.0*3.14159265/180.0);
  for (int i = 0; i < 200000; i++) xs.push_back(Uniform(-7, 7)*pow(10.0, Uniform(-3, 3)));
  int64_t worst = 0;
  for (size_t i = 0; i + 1 < xs.size(); i += 2) {
    Pair s, c;
    SinCosPair(PairOf2(xs[i], xs[i + 1]), &s, &c);
    for (int l = 0; l < 2; l++) {
      double x = xs[i + l];
      worst = std::max(worst, std::max(Ulps(s[l], sin(x)), Ulps(c[l], cos(x))));
    }
  }
  EXPECT_LE(worst, 1);
  double gap = 0.0;
  for (int k = -60000; k <= 60000; k += 7) {
    double x = k*1.5707963267948966, s, c;
    SinCos(x, &s, &c);
    gap = std::max(gap, std::max(fabs(s - sin(x)), fabs(c - cos(x))));
  }
  EXPECT_LE(gap, 1e-21);
  double s, c;
  SinCos(-0.0, &s, &c);
  EXPECT_TRUE(signbit(s));
  EXPECT_EQ(c, 1.0);
  SinCos(NAN, &s, &c);
  EXPECT_TRUE(isnan(s) && isnan(c));
}

// every octant, the pi/8 switch of the reduction, the diagonals and the axes, tiny and huge
// ratios, and the signed zeros and infinities the library defines
TEST(Trig, Atan2WithinOneUlp) {
  int64_t worst = 0;
  double wy = 0.0, wx = 0.0;
  for (int i = 0; i < 400000; i++) {
    double y = Uniform(-1, 1), x = Uniform(-1, 1);
    if (i % 4 == 1) y *= 1e-9;
    if (i % 4 == 2) x = (Uniform(0, 1) < 0.5 ? -1 : 1)*fabs(y)*Uniform(0.41, 0.42);
    if (i % 4 == 3) x = y*(1.0 + Uniform(-1e-12, 1e-12));
    int64_t e = Ulps(Atan2(y, x), atan2(y, x));
    if (e > worst) { worst = e;  wy = y;  wx = x; }
  }
  EXPECT_LE(worst, 1) << "at atan2(" << wy << ", " << wx << ")";
  const double special[][2] = {{0.0, 1.0}, {-0.0, 1.0}, {0.0, -1.0}, {-0.0, -1.0}, {1.0, 0.0},
                               {1.0, -0.0}, {-1.0, 0.0}, {0.0, 0.0}, {-0.0, -0.0},
                               {1e-310, 1.0}, {1.0, 1e-310}, {1e300, -1e-300},
                               {INFINITY, 1.0}, {1.0, -INFINITY}, {INFINITY, -INFINITY}};
  for (const auto& p : special) {
    double got = Atan2(p[0], p[1]), want = atan2(p[0], p[1]);
    EXPECT_LE(Ulps(got, want), 1) << p[0] << ", " << p[1] << ": " << got << " " << want;
  }
  EXPECT_TRUE(isnan(Atan2(NAN, 1.0)));
  EXPECT_TRUE(isnan(Atan2(1.0, NAN)));
  // the lanes of a pair are independent: one lane's library case leaves the other exact
  Pair a = Atan2Pair(PairOf2(0.0, -0.5), PairOf2(0.0, -2.0));
  EXPECT_EQ(a[0], 0.0);
  EXPECT_EQ(Ulps(a[1], atan2(-0.5, -2.0)), 0);
}
