// test_cond.cpp -- covers src/matrix/cond.cpp
#include <gtest/gtest.h>
#include <cmath>    // for: sqrt()
#include <string>

#include "matrix_fixtures.h"

// condition of A, with the rank line it prints
static double Cond(double** A, int m, int n, std::string* out) {
  testing::internal::CaptureStdout();
  double c = JmMatrixCondition(A, m, n);
  *out = testing::internal::GetCapturedStdout();
  return c;
}

// sqrt(sum s^2 * sum 1/s^2) / k from the singular values, the quantity the routine estimates
static double FromSingularValues(const double* s, int k) {
  double a = 0, b = 0;
  for (int i = 0; i < k; i++) { a += s[i]*s[i];  b += 1.0/(s[i]*s[i]); }
  return sqrt(a*b)/k;
}

// U D V' with D = diag(s) and U, V products of plane rotations built here
static double** WithSingularValues(const double* s) {
  double** U = JmMatrix(3, 3);
  double** V = JmMatrix(3, 3);
  double** T = JmMatrix(3, 3);
  double** R1 = PlaneRotation(3, 0, 1, 0.7);
  double** R2 = PlaneRotation(3, 1, 2, -1.1);
  double** R3 = PlaneRotation(3, 0, 2, 0.4);
  JmMatMul(R1, R2, U, 3, 3, 3);
  JmMatMul(R3, R1, V, 3, 3, 3);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) T[i][j] = U[i][j]*s[j];
  double** A = JmMatrix(3, 3);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      double x = 0;
      for (int k = 0; k < 3; k++) x += T[i][k]*V[j][k];
      A[i][j] = x;
    }
  JmFreeMatrix(U);  JmFreeMatrix(V);  JmFreeMatrix(T);
  JmFreeMatrix(R1);  JmFreeMatrix(R2);  JmFreeMatrix(R3);
  return A;
}

// an orthogonal matrix (all singular values 1) has condition 1 and full rank
TEST(MatrixCondition, OrthogonalIsOne) {
  double** R = PlaneRotation(3, 0, 2, 0.9);
  std::string out;
  EXPECT_NEAR(Cond(R, 3, 3, &out), 1.0, 1e-12);
  EXPECT_EQ(out, "Matrix Rank 3\n");
  JmFreeMatrix(R);
}

// a 2 x 3 matrix with orthonormal rows has condition 1
TEST(MatrixCondition, OrthonormalRowsIsOne) {
  double r = 1/sqrt(2.0);
  double** A = FilledMatrix(2, 3, {r, 0, r, -r, 0, r});
  std::string out;
  EXPECT_NEAR(Cond(A, 2, 3, &out), 1.0, 1e-12);
  EXPECT_EQ(out, "Matrix Rank 2\n");
  EXPECT_EQ(A[0][0], r);                         // unchanged
  JmFreeMatrix(A);
}

// singular values 1, 2, 4: (1 + 4 + 16)(1 + 1/4 + 1/16) = 27.5625, so 5.25 / 3 = 1.75
TEST(MatrixCondition, KnownSingularValues) {
  double s[3] = {1, 2, 4};
  double** A = WithSingularValues(s);
  std::string out;
  EXPECT_NEAR(Cond(A, 3, 3, &out), 1.75, 1e-10);
  EXPECT_NEAR(FromSingularValues(s, 3), 1.75, 1e-15);
  double t[3] = {0.2, 3, 50};
  double** B = WithSingularValues(t);
  EXPECT_NEAR(Cond(B, 3, 3, &out), FromSingularValues(t, 3), 1e-8*FromSingularValues(t, 3));
  // the Gram matrix squares the spread: 0.01^2 / 50^2 is below the rank threshold
  double u[3] = {0.01, 3, 50};
  double** C = WithSingularValues(u);
  EXPECT_EQ(Cond(C, 3, 3, &out), -1.0);
  EXPECT_EQ(out, "Matrix Rank 2\n");
  JmFreeMatrix(A);  JmFreeMatrix(B);  JmFreeMatrix(C);
}

// tall and wide shapes use the Gram matrix of the shorter side: columns of norm 2 and 3
TEST(MatrixCondition, TallAndWide) {
  double** A = FilledMatrix(4, 2, {2, 0, 0, 0, 0, 3, 0, 0});
  double** B = FilledMatrix(2, 4, {0, 2, 0, 0, 0, 0, 0, 3});
  double s[2] = {2, 3};
  std::string out;
  EXPECT_NEAR(Cond(A, 4, 2, &out), FromSingularValues(s, 2), 1e-12);
  EXPECT_EQ(out, "Matrix Rank 2\n");
  EXPECT_NEAR(Cond(B, 2, 4, &out), FromSingularValues(s, 2), 1e-12);
  JmFreeMatrix(A);  JmFreeMatrix(B);
}

// rank-deficient and zero matrices give -1 after their rank line
TEST(MatrixCondition, SingularIsMinusOne) {
  double** A = FilledMatrix(3, 3, {1, 2, 3, 2, 4, 6, 1, 0, 1});
  std::string out;
  EXPECT_EQ(Cond(A, 3, 3, &out), -1.0);
  EXPECT_EQ(out, "Matrix Rank 2\n");
  double** Z = FilledMatrix(2, 2, {0, 0, 0, 0});
  EXPECT_EQ(Cond(Z, 2, 2, &out), -1.0);
  EXPECT_EQ(out, "Matrix Rank 0\n");
  JmFreeMatrix(A);  JmFreeMatrix(Z);
}
