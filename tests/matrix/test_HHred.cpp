// test_HHred.cpp -- covers src/matrix/HHred.cpp
#include <gtest/gtest.h>
#include <cmath>    // for: sqrt(), isfinite()
#include <string>

#include "matrix_fixtures.h"

// a 5 x 3 system used by several cases (full column rank)
static double** Tall() {
  return FilledMatrix(5, 3, {1, 2, 0, 0, 1, 1, 2, -1, 3, 1, 0, 1, -1, 4, 2});
}

// the pivoted column factorisation of a rank-2 3 x 3 matrix stops at 2 and leaves piv[2] = 2
TEST(HHred, PivotedRankOfSingularMatrix) {
  double** A = FilledMatrix(3, 3, {1, 2, 3, 2, 4, 6, 1, 0, 1});
  double v[3];
  int piv[3];
  EXPECT_EQ(JmHHRedP(A, 3, 3, v, piv), 2);
  EXPECT_EQ(piv[2], 2);
  EXPECT_LT(JmGetHHCondition(), JmGetHHTol());
  JmFreeMatrix(A);
}

// equal pivot sums keep the first column (row): [2 0 0; 0 1 1; 0 1 -1] has sums 2, 2, 2,
// then 2, 2 below the first step, so nothing is exchanged and R[0][0] = -2
TEST(HHred, PivotTieKeepsTheFirst) {
  for (int rows = 0; rows < 2; rows++) {
    double** A = FilledMatrix(3, 3, {2, 0, 0, 0, 1, 1, 0, 1, -1});
    double v[3];
    int piv[3] = {-1, -1, -1};
    EXPECT_EQ(rows ? JmHHTRedP(A, 3, 3, v, piv) : JmHHRedP(A, 3, 3, v, piv), 3);
    EXPECT_EQ(piv[0], 0) << "rows " << rows;
    EXPECT_EQ(piv[1], 1) << "rows " << rows;
    EXPECT_NEAR(A[0][0], -2.0, 1e-12);
    JmFreeMatrix(A);
  }
}

// Q' (A P) = R: reflecting the exchanged columns of the original reproduces R above the
// diagonal and zeros below; |R[0][0]| is the norm of the column with the largest sum
TEST(HHred, ColumnFactorisationRoundTrip) {
  double** A = Tall();
  double** A0 = Tall();
  double v[5], x[5];
  int piv[3];
  ASSERT_EQ(JmHHRedP(A, 5, 3, v, piv), 3);
  // column 1 has the largest absolute sum (8), so it comes first
  EXPECT_EQ(piv[0], 1);
  for (int i = 0; i < 3; i++)                   // apply the exchanges to the original
    for (int l = 0; l < 5; l++) {
      double t = A0[l][i];
      A0[l][i] = A0[l][piv[i]];  A0[l][piv[i]] = t;
    }
  for (int j = 0; j < 3; j++) {
    for (int l = 0; l < 5; l++) x[l] = A0[l][j];
    JmHHMult_U(A, 5, 3, v, x);
    for (int i = 0; i <= j; i++) EXPECT_NEAR(x[i], A[i][j], 1e-12) << i << "," << j;
    for (int i = j + 1; i < 5; i++) EXPECT_NEAR(x[i], 0.0, 1e-12) << i << "," << j;
  }
  EXPECT_NEAR(fabs(A[0][0]), sqrt(4.0 + 1 + 1 + 0 + 16), 1e-12);
  JmFreeMatrix(A);  JmFreeMatrix(A0);
}

// least squares agrees with the normal equations A'A x = A'b solved independently
TEST(HHred, LeastSquaresMatchesNormalEquations) {
  double** A = Tall();
  double** A0 = Tall();
  double b[5] = {1, -2, 0.5, 3, 2}, b0[5] = {1, -2, 0.5, 3, 2}, v[5];
  int piv[3];
  EXPECT_EQ(JmSolveLeastSquares(A, 5, 3, b, v, piv), 3);
  double** N = JmMatrix(3, 3);
  double r[3];
  JmTMatMul(A0, A0, N, 5, 3, 3);
  JmTMatVec(A0, b0, r, 5, 3);
  GaussSolve(N, r, 3);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(b[k], r[k], 1e-12);
  JmFreeMatrix(A);  JmFreeMatrix(A0);  JmFreeMatrix(N);
}

// fitting a line through (1, 6), (2, 5), (3, 7), (4, 10): intercept 3.5, slope 1.4
TEST(HHred, LeastSquaresLine) {
  double** A = FilledMatrix(4, 2, {1, 1, 1, 2, 1, 3, 1, 4});
  double b[4] = {6, 5, 7, 10}, v[4];
  int piv[2];
  EXPECT_EQ(JmSolveLeastSquares(A, 4, 2, b, v, piv), 2);
  EXPECT_NEAR(b[0], 3.5, 1e-12);
  EXPECT_NEAR(b[1], 1.4, 1e-12);
  JmFreeMatrix(A);
}

// rank-deficient: x0 + x2 = 1, x1 + x2 = 2 and two zero rows; by hand the minimum-norm
// least-squares solution is A+ b = (0, 1, 1)
TEST(HHred, RankDeficientLeastSquaresIsMinimumNorm) {
  double** A = FilledMatrix(4, 3, {1, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0});
  double b[4] = {1, 2, 5, 7}, v[4];
  int piv[3];
  testing::internal::CaptureStderr();
  EXPECT_EQ(JmSolveLeastSquares(A, 4, 3, b, v, piv), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_NEAR(b[0], 0.0, 1e-12);
  EXPECT_NEAR(b[1], 1.0, 1e-12);
  EXPECT_NEAR(b[2], 1.0, 1e-12);
  JmFreeMatrix(A);
  // three equal columns: every x with x0 + x1 + x2 = mean(b) = 2 fits; the shortest is 2/3 each
  double** B = FilledMatrix(3, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1});
  double c[3] = {1, 2, 3};
  EXPECT_EQ(JmSolveLeastSquares(B, 3, 3, c, v, piv), 1);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(c[k], 2.0/3, 1e-12);
  JmFreeMatrix(B);
}

// one equation x0 + x1 = 2: the minimum-norm solution is (1, 1)
TEST(HHred, MinNormOneEquation) {
  double** A = FilledMatrix(1, 2, {1, 1});
  double b[2] = {2, 0}, v[2];
  int piv[1];
  EXPECT_EQ(JmSolveMinNorm(A, 1, 2, b, v, piv), 1);
  EXPECT_NEAR(b[0], 1.0, 1e-12);
  EXPECT_NEAR(b[1], 1.0, 1e-12);
  JmFreeMatrix(A);
}

// 2 x 4 minimum norm against x = A' (A A')^-1 b with the 2 x 2 inverse in closed form
TEST(HHred, MinNormMatchesPseudoInverse) {
  double** A = FilledMatrix(2, 4, {1, 2, 0, -1, 0, 1, 3, 1});
  double** A0 = FilledMatrix(2, 4, {1, 2, 0, -1, 0, 1, 3, 1});
  double b[4] = {1, 4, 0, 0}, v[4];
  int piv[2];
  EXPECT_EQ(JmSolveMinNorm(A, 2, 4, b, v, piv), 2);
  double g00 = 0, g01 = 0, g11 = 0;
  for (int k = 0; k < 4; k++) {
    g00 += A0[0][k]*A0[0][k];  g01 += A0[0][k]*A0[1][k];  g11 += A0[1][k]*A0[1][k];
  }
  double det = g00*g11 - g01*g01;
  double l0 = (g11*1 - g01*4)/det, l1 = (-g01*1 + g00*4)/det;
  for (int k = 0; k < 4; k++) EXPECT_NEAR(b[k], A0[0][k]*l0 + A0[1][k]*l1, 1e-12);
  JmFreeMatrix(A);  JmFreeMatrix(A0);
}

// a zero matrix has rank 0; nothing is divided by zero and the solutions are zero
TEST(HHred, ZeroMatrix) {
  double** A = FilledMatrix(3, 2, {0, 0, 0, 0, 0, 0});
  double b[3] = {1, 2, 3}, v[3];
  int piv[3];
  EXPECT_EQ(JmSolveLeastSquares(A, 3, 2, b, v, piv), 0);
  EXPECT_EQ(JmGetHHCondition(), 0.0);
  EXPECT_EQ(b[0], 0.0);  EXPECT_EQ(b[1], 0.0);
  double** B = FilledMatrix(2, 3, {0, 0, 0, 0, 0, 0});
  double c[3] = {1, 1, 0};
  EXPECT_EQ(JmSolveMinNorm(B, 2, 3, c, v, piv), 0);
  for (int k = 0; k < 3; k++) EXPECT_EQ(c[k], 0.0);
  EXPECT_EQ(JmHHRedP(A, 3, 2, v, piv), 0);
  JmFreeMatrix(A);  JmFreeMatrix(B);
}

// a pivoted row factorisation larger than the stack work space, an odd row count, and a
// dependent last row: the exchanged rows of the original reflected in order are the rows of
// L with zeros right of the diagonal, the first pivot is the row with the largest absolute
// sum, and the rank stops one short
TEST(HHred, LargeRowFactorisationRoundTrip) {
  const int m = 11, n = 25;
  for (int dependent = 0; dependent < 2; dependent++) {
    double** A = JmMatrix(m, n);
    double** A0 = JmMatrix(m, n);
    unsigned seed = 12345;
    for (int i = 0; i < m; i++)
      for (int j = 0; j < n; j++) {
        seed = seed*1664525u + 1013904223u;
        double u = (seed >> 8)/16777216.0 - 0.5;
        A[i][j] = A0[i][j] = dependent && i == m - 1 ? A0[3][j] - 2*A0[7][j]
                                                     : u + (i == 5 ? 2 : 0);
      }
    double v[n], x[n];
    int piv[m];
    int rank = dependent ? m - 1 : m;
    EXPECT_EQ(JmHHTRedP(A, m, n, v, piv), rank);
    EXPECT_EQ(piv[0], 5);                      // row 5 carries the offset of 2 in every column
    for (int i = 0; i < rank; i++)             // the exchanges, applied to the original
      for (int j = 0; j < n; j++) {
        double t = A0[i][j];
        A0[i][j] = A0[piv[i]][j];  A0[piv[i]][j] = t;
      }
    for (int r = 0; r < m; r++) {
      for (int j = 0; j < n; j++) x[j] = A0[r][j];
      JmHHMult_L(A, rank, n, v, x);
      for (int j = 0; j < n; j++) {
        double want = j <= r && j < rank ? A[r][j] : 0.0;
        EXPECT_NEAR(x[j], want, 1e-10) << dependent << ": " << r << "," << j;
      }
    }
    JmFreeMatrix(A);  JmFreeMatrix(A0);
  }
}

// the unpivoted row factorisation warns once and reports where it stopped
TEST(HHred, UnpivotedRowFactorisationWarns) {
  double** A = FilledMatrix(2, 3, {1, 2, 2, 2, 4, 4});
  double v[3];
  testing::internal::CaptureStderr();
  EXPECT_EQ(JmHHTRed(A, 2, 3, v), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "HHtred: matrix not of full rank\n");
  // a full-rank one: L L' = A A' (the reflections are orthogonal)
  double** B = FilledMatrix(2, 3, {1, 2, 2, 0, 1, -1});
  testing::internal::CaptureStderr();
  EXPECT_EQ(JmHHTRed(B, 2, 3, v), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_NEAR(B[0][0]*B[0][0], 9.0, 1e-12);
  EXPECT_NEAR(B[1][0]*B[0][0], 0.0, 1e-12);
  EXPECT_NEAR(B[1][0]*B[1][0] + B[1][1]*B[1][1], 2.0, 1e-12);
  // applying the reflections in order then in reverse is the identity
  double x[3] = {0.3, -1, 2}, y[3] = {0.3, -1, 2};
  JmHHMult_L(B, 2, 3, v, x);
  JmHHTMult_L(B, 2, 3, v, x);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(x[k], y[k], 1e-12);
  JmFreeMatrix(A);  JmFreeMatrix(B);
}

// triangular solves, pivot exchanges and reductions on hand examples
TEST(HHred, SmallKernels) {
  double** U = FilledMatrix(3, 3, {2, 1, 1, 9, 4, 2, 9, 9, 5});
  double b[3] = {10, 12, 10};                  // U x = b with x = (3, 2, 2) (below ignored)
  JmSolveUx_b(U, 3, b);
  EXPECT_NEAR(b[0], 3.0, 1e-15);  EXPECT_NEAR(b[1], 2.0, 1e-15);  EXPECT_NEAR(b[2], 2.0, 1e-15);
  double** L = FilledMatrix(2, 2, {2, 9, 1, 4});
  double c[2] = {4, 10};                       // L x = c with x = (2, 2) (above ignored)
  JmSolveLx_b(L, 2, c);
  EXPECT_NEAR(c[0], 2.0, 1e-15);  EXPECT_NEAR(c[1], 2.0, 1e-15);
  double p[4] = {10, 11, 12, 13};
  int piv[4] = {2, 3, 2, 3};
  JmPiv(p, 4, piv);                            // swap 0<->2, then 1<->3
  EXPECT_EQ(p[0], 12.0);  EXPECT_EQ(p[1], 13.0);  EXPECT_EQ(p[2], 10.0);  EXPECT_EQ(p[3], 11.0);
  JmUnpiv(p, 4, piv);
  EXPECT_EQ(p[0], 10.0);  EXPECT_EQ(p[3], 13.0);
  JmMReduce(U, 3);
  EXPECT_EQ(U[1][0] + U[2][0] + U[2][1], 0.0);
  EXPECT_EQ(U[0][2], 1.0);
  JmBReduce(p, 1, 4);
  EXPECT_EQ(p[0], 10.0);  EXPECT_EQ(p[1] + p[2] + p[3], 0.0);
  EXPECT_EQ(Pinf_normC(U, 0, 3, 2), 8.0);
  EXPECT_EQ(Pinf_normR(U, 1, 3, 0), 2.0);
  JmFreeMatrix(U);  JmFreeMatrix(L);
}

// the tolerance setter and getter
TEST(HHred, Tolerance) {
  double old = JmGetHHTol();
  EXPECT_EQ(old, 1e-6);
  JmSetHHTol(1e-5);
  EXPECT_EQ(JmGetHHTol(), 1e-5);
  // with a loose tolerance a nearly dependent column counts as dependent
  JmSetHHTol(0.1);
  double** A = FilledMatrix(2, 2, {1, 1, 1, 1.01});
  double v[2];
  int piv[2];
  EXPECT_EQ(JmHHRedP(A, 2, 2, v, piv), 1);
  JmSetHHTol(old);
  JmFreeMatrix(A);
}

//------------------------------------------------------------------ constrained step

// KKT system [F'F G'; G 0] [dx; l] = [F'f; h] solved by elimination, for comparison
static void KKT(double** F, double** G, double* f, double* h, double* dx, int n, int c, int a) {
  int k = c + a;
  double** K = JmMatrix(k, k);
  double* r = JmVector(k);
  JmZeroMatrix(K, k, k);
  for (int i = 0; i < c; i++) {
    for (int j = 0; j < c; j++)
      for (int l = 0; l < n; l++) K[i][j] += F[l][i]*F[l][j];
    r[i] = 0.0;
    for (int l = 0; l < n; l++) r[i] += F[l][i]*f[l];
  }
  for (int i = 0; i < a; i++) {
    for (int j = 0; j < c; j++) K[c + i][j] = K[j][c + i] = G[i][j];
    r[c + i] = h[i];
  }
  GaussSolve(K, r, k);
  for (int j = 0; j < c; j++) dx[j] = r[j];
  JmFreeMatrix(K);  JmFreeVector(r);
}

// G = identity leaves no freedom: dx = h whatever F and f are
TEST(ConstrainedLinear, IdentityConstraintReturnsH) {
  double** F = FilledMatrix(2, 3, {1, 2, 3, 4, 5, 6});
  double** G = FilledMatrix(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1});
  double f[2] = {7, -8}, h[3] = {0.5, -1, 2}, dx[3];
  JmSolveConstrainedLinear(F, G, f, h, dx, 2, 3, 3);
  for (int k = 0; k < 3; k++) EXPECT_NEAR(dx[k], h[k], 1e-12);
  JmFreeMatrix(F);  JmFreeMatrix(G);
}

// a general step satisfies G dx = h and matches the KKT solution
TEST(ConstrainedLinear, MatchesKKT) {
  double** F = FilledMatrix(5, 4, {1, 2, 0, 1,  0, 1, -1, 2,  3, 0, 1, 1,  1, 1, 1, 0,
                                   -2, 0.5, 1, 3});
  double** G = FilledMatrix(2, 4, {1, 1, 0, 0, 0, 1, 2, -1});
  double** F0 = JmMatrix(5, 4);
  JmMatCopy(F, F0, 5, 4);
  double** G0 = FilledMatrix(2, 4, {1, 1, 0, 0, 0, 1, 2, -1});
  double f[5] = {1, 2, -1, 0.5, 3}, h[2] = {0.25, -1}, dx[4], want[4];
  JmSolveConstrainedLinear(F, G, f, h, dx, 5, 4, 2);
  KKT(F0, G0, f, h, want, 5, 4, 2);
  for (int k = 0; k < 4; k++) EXPECT_NEAR(dx[k], want[k], 1e-10) << k;
  for (int i = 0; i < 2; i++) {
    double s = 0;
    for (int k = 0; k < 4; k++) s += G0[i][k]*dx[k];
    EXPECT_NEAR(s, h[i], 1e-12);
  }
  JmFreeMatrix(F);  JmFreeMatrix(G);  JmFreeMatrix(F0);  JmFreeMatrix(G0);
}

// a rank-deficient G (second row twice the first) acts as its one independent row
TEST(ConstrainedLinear, RankDeficientConstraint) {
  double** F = FilledMatrix(3, 3, {1, 0, 2, 0, 1, 1, 1, 1, 0});
  double** F0 = FilledMatrix(3, 3, {1, 0, 2, 0, 1, 1, 1, 1, 0});
  double** G = FilledMatrix(2, 3, {1, 1, 0, 2, 2, 0});
  double** G1 = FilledMatrix(1, 3, {1, 1, 0});
  double f[3] = {1, -1, 2}, h[2] = {2, 4}, dx[3], want[3];
  JmSolveConstrainedLinear(F, G, f, h, dx, 3, 3, 2);
  KKT(F0, G1, f, h, want, 3, 3, 1);
  for (int k = 0; k < 3; k++) {
    EXPECT_TRUE(std::isfinite(dx[k]));
    EXPECT_NEAR(dx[k], want[k], 1e-10) << k;
  }
  EXPECT_NEAR(dx[0] + dx[1], 2.0, 1e-12);
  JmFreeMatrix(F);  JmFreeMatrix(F0);  JmFreeMatrix(G);  JmFreeMatrix(G1);
}

// fewer task rows than free directions: the step fits f exactly and keeps G dx = h
TEST(ConstrainedLinear, UnderdeterminedTask) {
  double** F = FilledMatrix(1, 4, {1, 2, 0, 1});
  double** G = FilledMatrix(1, 4, {0, 0, 1, 1});
  double f[1] = {3}, h[1] = {1}, dx[4];
  JmSolveConstrainedLinear(F, G, f, h, dx, 1, 4, 1);
  EXPECT_NEAR(dx[0] + 2*dx[1] + dx[3], 3.0, 1e-12);
  EXPECT_NEAR(dx[2] + dx[3], 1.0, 1e-12);
  JmFreeMatrix(F);  JmFreeMatrix(G);
}

//------------------------------------------------------------------ normality measure

// zero when F'f lies in the row space of G; otherwise the length of the rest; G unchanged
TEST(NormalityCondition, RowSpaceAndComplement) {
  double** F = FilledMatrix(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1});
  double** G = FilledMatrix(2, 3, {1, 1, 0, 0, 1, -1});
  double f[3] = {2, 5, -3};                    // 2 (1,1,0) + 3 (0,1,-1)
  EXPECT_NEAR(JmNormalityCondition(f, F, nullptr, G, 3, 3, 2), 0.0, 1e-12);
  EXPECT_EQ(G[1][2], -1.0);
  EXPECT_EQ(G[0][0], 1.0);
  // G = (1 0 0): F'f = (1, 2, 3) leaves (0, 2, 3) outside
  double** H = FilledMatrix(1, 3, {1, 0, 0});
  double g[3] = {1, 2, 3};
  EXPECT_NEAR(JmNormalityCondition(g, F, nullptr, H, 3, 3, 1), sqrt(13.0), 1e-12);
  // F not the identity: F'f = (1, 1, 4) against G = (0 0 1) leaves (1, 1, 0)
  double** F2 = FilledMatrix(2, 3, {1, 1, 0, 0, 0, 2});
  double f2[2] = {1, 2};
  double** G2 = FilledMatrix(1, 3, {0, 0, 1});
  EXPECT_NEAR(JmNormalityCondition(f2, F2, nullptr, G2, 2, 3, 1), sqrt(2.0), 1e-12);
  JmFreeMatrix(F);  JmFreeMatrix(G);  JmFreeMatrix(H);  JmFreeMatrix(F2);  JmFreeMatrix(G2);
}
