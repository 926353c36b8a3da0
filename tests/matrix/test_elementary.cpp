// test_elementary.cpp -- covers the elementary vector and matrix operations of src/matrix/
#include <gtest/gtest.h>
#include <cmath>    // for: sqrt()

#include "matrix_fixtures.h"

// identity on a 2 x 3 matrix sets the two leading diagonal elements only
TEST(Elementary, RectangularIdentityAndZeros) {
  double** A = FilledMatrix(2, 3, {5, 5, 5, 5, 5, 5});
  JmIdentityMat(A, 2, 3);
  double want[2][3] = {{1, 0, 0}, {0, 1, 0}};
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(A[i][j], want[i][j]) << i << "," << j;
  JmFreeMatrix(A);
  int** I = JmIMatrix(3, 2);
  JmIdentityIMat(I, 3, 2);
  EXPECT_EQ(I[0][0] + I[1][1] + I[2][0] + I[2][1] + I[0][1], 2);
  JmFreeIMatrix(I);
  double*** Z = JmArray(2, 2, 3);
  for (int k = 0; k < 12; k++) Z[0][0][k] = 1.0;
  JmZeroArray(Z, 2, 2, 3);
  for (int k = 0; k < 12; k++) EXPECT_EQ(Z[0][0][k], 0.0);
  JmFreeArray(Z);
}

// blocks copied out and back in land where the offsets say
TEST(Elementary, ExtractAndAssemble) {
  double** S = FilledMatrix(3, 4, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23});
  double** D = JmMatrix(2, 2);
  JmExtract(S, D, 2, 2, 1, 2);
  EXPECT_EQ(D[0][0], 12.0);  EXPECT_EQ(D[0][1], 13.0);
  EXPECT_EQ(D[1][0], 22.0);  EXPECT_EQ(D[1][1], 23.0);
  D[0][0] = -1.0;
  JmAssemble(D, S, 2, 2, 0, 0);
  EXPECT_EQ(S[0][0], -1.0);  EXPECT_EQ(S[1][1], 23.0);  EXPECT_EQ(S[0][2], 2.0);
  JmFreeMatrix(D);  JmFreeMatrix(S);
}

// 2 x 3 times 3 x 2, worked by hand: [1 2 3; 4 5 6] [7 8; 9 10; 11 12] = [58 64; 139 154]
TEST(Elementary, ProductsAgainstHandValues) {
  double** A = FilledMatrix(2, 3, {1, 2, 3, 4, 5, 6});
  double** B = FilledMatrix(3, 2, {7, 8, 9, 10, 11, 12});
  double** C = JmMatrix(2, 2);
  JmMatMul(A, B, C, 2, 3, 2);
  EXPECT_EQ(C[0][0], 58.0);  EXPECT_EQ(C[0][1], 64.0);
  EXPECT_EQ(C[1][0], 139.0);  EXPECT_EQ(C[1][1], 154.0);
  // overwriting product: C = C C = [58*58+64*139, ...]
  JmMatmulOW(C, C, C, 2, 2, 2);
  EXPECT_EQ(C[0][0], 58.0*58 + 64.0*139);
  EXPECT_EQ(C[1][1], 139.0*64 + 154.0*154);
  JmFreeMatrix(C);
  // matrix times vector, its transpose and the row-vector form
  double x[3] = {1, 0, -1}, y[3], z[2] = {1, 2}, w[3];
  JmMatVec(A, x, y, 2, 3);
  EXPECT_EQ(y[0], -2.0);  EXPECT_EQ(y[1], -2.0);
  JmTMatVec(A, z, w, 2, 3);
  EXPECT_EQ(w[0], 9.0);  EXPECT_EQ(w[1], 12.0);  EXPECT_EQ(w[2], 15.0);
  JmVecMat(z, A, w, 2, 3);
  EXPECT_EQ(w[2], 15.0);
  double** Q = FilledMatrix(2, 2, {0, 1, -1, 0});
  double u[2] = {3, 4};
  JmMatVecOW(Q, u, u, 2, 2);
  EXPECT_EQ(u[0], 4.0);  EXPECT_EQ(u[1], -3.0);
  JmTMmatVecOW(Q, u, u, 2, 2);
  EXPECT_EQ(u[0], 3.0);  EXPECT_EQ(u[1], 4.0);
  JmVecMatOW(u, Q, u, 2, 2);                   // (3, 4) Q = (-4, 3)
  EXPECT_EQ(u[0], -4.0);  EXPECT_EQ(u[1], 3.0);
  JmFreeMatrix(Q);  JmFreeMatrix(A);  JmFreeMatrix(B);
}

// A' B with A 3 x 2 and B 3 x 4 fills a 2 x 4 result and nothing beyond it
TEST(Elementary, TransposedProductShape) {
  double** A = FilledMatrix(3, 2, {1, 2, 3, 4, 5, 6});
  double** B = FilledMatrix(3, 4, {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1});
  double** C = FilledMatrix(3, 5, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
  JmTMatMul(A, B, C, 3, 2, 4);
  // column k of B picks rows of A: e0 -> A row 0, e1 -> row 1, e2 -> row 2, ones -> sum
  double want[2][4] = {{1, 3, 5, 9}, {2, 4, 6, 12}};
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(C[i][j], want[i][j]) << i << "," << j;
  EXPECT_EQ(C[0][4], 9.0);
  EXPECT_EQ(C[2][0], 9.0);
  JmFreeMatrix(A);  JmFreeMatrix(B);  JmFreeMatrix(C);
}

// transposes, element-wise sums, scaling and copies
TEST(Elementary, ElementWise) {
  double** A = FilledMatrix(2, 3, {1, 2, 3, 4, 5, 6});
  double** T = JmMatrix(3, 2);
  JmTranspose(A, T, 2, 3);
  EXPECT_EQ(T[2][1], 6.0);  EXPECT_EQ(T[0][1], 4.0);
  double** S = FilledMatrix(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  JmTransposeOW(S, 3);
  EXPECT_EQ(S[0][2], 7.0);  EXPECT_EQ(S[2][0], 3.0);  EXPECT_EQ(S[1][1], 5.0);
  double** B = JmMatrix(2, 3);
  double** C = JmMatrix(2, 3);
  JmMatScal(A, B, 2.0, 2, 3);
  JmMatSub(B, A, C, 2, 3);                     // 2A - A = A
  JmMatAdd(C, A, C, 2, 3);                     // 2A
  JmMatScalOW(C, 0.5, 2, 3);                   // A
  for (int k = 0; k < 6; k++) EXPECT_EQ(C[0][k], A[0][k]);
  JmMatCopy(S, S, 0, 0);
  JmMatCopy(A, B, 2, 3);
  EXPECT_EQ(B[1][2], 6.0);
  double a[3] = {1, 2, 3}, b[3] = {4, 5, 6}, c[3];
  double** M = JmMatrix(2, 3);
  JmTensor(a, b, M, 2, 3);
  EXPECT_EQ(M[1][2], 12.0);  EXPECT_EQ(M[0][0], 4.0);
  JmVecAdd(a, b, c, 3);
  EXPECT_EQ(c[2], 9.0);
  JmVecSub(a, b, c, 3);
  EXPECT_EQ(c[0], -3.0);
  JmVecScal(a, c, -2.0, 3);
  EXPECT_EQ(c[1], -4.0);
  JmVecScalOW(c, 0.5, 3);
  EXPECT_EQ(c[2], -3.0);
  JmVecCopy(b, c, 3);                          // source first
  EXPECT_EQ(c[0], 4.0);
  JmFreeMatrix(M);  JmFreeMatrix(A);  JmFreeMatrix(T);  JmFreeMatrix(S);
  JmFreeMatrix(B);  JmFreeMatrix(C);
}

// the dot product runs from the last element down: 1e17 and -1e17 cancel before 1 is added
TEST(Elementary, DotRunsDownwards) {
  double a[3] = {1.0, 1e17, -1e17}, ones[3] = {1, 1, 1};
  EXPECT_EQ(JmDot(a, ones, 3), 1.0);           // upwards would lose the 1 in 1e17
  double b[4] = {1, 2, 3, 4}, c[4] = {2, 0, -1, 0.5};
  EXPECT_EQ(JmDot(b, c, 4), 1.0);
  EXPECT_EQ(JmDot(b, c, 0), 0.0);
  double v[2] = {3, 4};
  EXPECT_EQ(JmMagn(v, 2), 5.0);
  float f[3] = {2, 3, 6};
  EXPECT_FLOAT_EQ(JmFMagn(f, 3), 7.0f);
  EXPECT_FLOAT_EQ(JmFDot(f, f, 3), 49.0f);
}

// normalising returns the length and leaves a unit vector; a zero vector is left alone
TEST(Elementary, Normalize) {
  double v[3] = {2, -3, 6};
  EXPECT_DOUBLE_EQ(JmNormalize(v, 3), 7.0);
  EXPECT_DOUBLE_EQ(v[0], 2.0/7);  EXPECT_DOUBLE_EQ(v[1], -3.0/7);  EXPECT_DOUBLE_EQ(v[2], 6.0/7);
  double z[3] = {0, 0, 0};
  EXPECT_EQ(JmNormalize(z, 3), 0.0);
  for (int k = 0; k < 3; k++) EXPECT_EQ(z[k], 0.0);
  float f[2] = {0.6f, 0.8f}, fz[2] = {0, 0};
  EXPECT_FLOAT_EQ(JmFNormalize(f, 2), 1.0f);
  EXPECT_EQ(JmFNormalize(fz, 2), 0.0f);
  EXPECT_EQ(fz[0], 0.0f);
}

// x cross y = z; the cross-product matrix reproduces the cross product; result may alias
TEST(Elementary, CrossProducts) {
  double x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, c[3];
  JmCross(x, y, c);
  EXPECT_EQ(c[0], 0.0);  EXPECT_EQ(c[1], 0.0);  EXPECT_EQ(c[2], 1.0);
  double a[3] = {1, 2, 3}, b[3] = {-2, 0.5, 4};
  JmCross(a, b, c);
  // (2*4 - 3*0.5, 3*(-2) - 1*4, 1*0.5 - 2*(-2))
  EXPECT_EQ(c[0], 6.5);  EXPECT_EQ(c[1], -10.0);  EXPECT_EQ(c[2], 4.5);
  double** M = JmMatrix(3, 3);
  JmOneCross(a, M);
  double d[3];
  JmMatVec(M, b, d, 3, 3);
  for (int k = 0; k < 3; k++) EXPECT_EQ(d[k], c[k]);
  JmCross(a, b, a);                            // in place
  EXPECT_EQ(a[0], 6.5);  EXPECT_EQ(a[2], 4.5);
  float fa[3] = {0, 0, 2}, fb[3] = {3, 0, 0}, fc[3];
  JmFCross(fa, fb, fc);
  EXPECT_EQ(fc[1], 6.0f);
  float** FM = JmFMatrix(3, 3);
  JmFOneCross(fa, FM);
  EXPECT_EQ(FM[0][1], -2.0f);  EXPECT_EQ(FM[1][0], 2.0f);
  JmFreeFMatrix(FM);  JmFreeMatrix(M);
}

// float twins follow the double routines
TEST(Elementary, FloatTwins) {
  float** A = JmFMatrix(2, 2);
  float** B = JmFMatrix(2, 2);
  float** C = JmFMatrix(2, 2);
  A[0][0] = 1; A[0][1] = 2; A[1][0] = 3; A[1][1] = 4;
  JmIdentityFMmat(B, 2, 2);
  JmFMatScal(B, B, 2.0f, 2, 2);
  JmFMatMul(A, B, C, 2, 2, 2);
  EXPECT_EQ(C[1][0], 6.0f);
  JmFTMatMul(A, A, C, 2, 2, 2);               // A'A = [10 14; 14 20]
  EXPECT_EQ(C[0][0], 10.0f);  EXPECT_EQ(C[0][1], 14.0f);  EXPECT_EQ(C[1][1], 20.0f);
  JmFMatMulOW(A, A, A, 2, 2, 2);              // A^2 = [7 10; 15 22]
  EXPECT_EQ(A[0][0], 7.0f);  EXPECT_EQ(A[1][1], 22.0f);
  float x[2] = {1, 1}, y[2];
  JmFMmatVec(A, x, y, 2, 2);
  EXPECT_EQ(y[0], 17.0f);
  JmTFMatVec(A, x, y, 2, 2);
  EXPECT_EQ(y[0], 22.0f);
  JmFTransposeOW(A, 2);
  EXPECT_EQ(A[0][1], 15.0f);
  JmFreeFMatrix(A);  JmFreeFMatrix(B);  JmFreeFMatrix(C);
}
