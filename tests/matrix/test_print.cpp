// test_print.cpp -- covers src/matrix/print.cpp (paged layout on stdout)
#include <gtest/gtest.h>
#include <string>

#include "matrix_fixtures.h"

// 2 x n matrix with element (i, j) = 10 i + j + 1, so the columns are easy to read
static double** Numbered(int n) {
  double** A = JmMatrix(2, n);
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < n; j++) A[i][j] = 10*i + j + 1;
  return A;
}

// the library keeps the format pointers, so the strings must outlive every test
static char fmt[] = "%.0f";
static char deffmt[] = "%12.6f";
static char defint[] = "%d";
static char ifmt[] = "[%3d]";

// printing with a short element format; restores the defaults afterwards
class Print : public testing::Test {
 protected:
  void SetUp() override {
    JmSetPrintCols(6);
    JmSetPrintFloatFormat(fmt);
  }
  void TearDown() override {
    JmSetPrintCols(6);
    JmSetPrintFloatFormat(deffmt);
    JmSetPrintIntFormat(defint);
  }
  std::string Matrix(int n) {
    double** A = Numbered(n);
    testing::internal::CaptureStdout();
    JmPrintMatrix(A, 2, n, "A %d\n", n);
    JmFreeMatrix(A);
    return testing::internal::GetCapturedStdout();
  }
};

// narrower than a page: no header; default element format is %12.6f and three spaces
TEST_F(Print, NarrowMatrixHasNoHeader) {
  JmSetPrintFloatFormat(deffmt);
  double** A = FilledMatrix(2, 3, {1, -2.5, 0, 10, 0.125, 3});
  testing::internal::CaptureStdout();
  JmPrintMatrix(A, 2, 3, "M\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "M\n"
            "    1.000000      -2.500000       0.000000   \n"
            "   10.000000       0.125000       3.000000   \n"
            "\n\n");
  JmFreeMatrix(A);
}

// exactly one full page: still no header
TEST_F(Print, OneFullPage) {
  EXPECT_EQ(Matrix(6),
            "A 6\n"
            "1   2   3   4   5   6   \n"
            "11   12   13   14   15   16   \n"
            "\n\n");
}

// a page and one column: the single-column header names column 7
TEST_F(Print, PageAndOneColumn) {
  EXPECT_EQ(Matrix(7),
            "A 7\n"
            "Cols 1 to 6\n"
            "1   2   3   4   5   6   \n"
            "11   12   13   14   15   16   \n"
            "Col 7\n"
            "7   \n"
            "17   \n"
            "\n\n");
}

// two full pages: both headed
TEST_F(Print, TwoFullPages) {
  EXPECT_EQ(Matrix(12),
            "A 12\n"
            "Cols 1 to 6\n"
            "1   2   3   4   5   6   \n"
            "11   12   13   14   15   16   \n"
            "Cols 7 to 12\n"
            "7   8   9   10   11   12   \n"
            "17   18   19   20   21   22   \n"
            "\n\n");
}

// a page and a remainder of several columns
TEST_F(Print, PageAndRemainder) {
  EXPECT_EQ(Matrix(8),
            "A 8\n"
            "Cols 1 to 6\n"
            "1   2   3   4   5   6   \n"
            "11   12   13   14   15   16   \n"
            "Cols 7 to 8\n"
            "7   8   \n"
            "17   18   \n"
            "\n\n");
}

// a page width below 1 becomes one column per page
TEST_F(Print, ZeroColumnsMeansOne) {
  JmSetPrintCols(0);
  EXPECT_EQ(Matrix(2),
            "A 2\n"
            "Cols 1 to 1\n"
            "1   \n"
            "11   \n"
            "Cols 2 to 2\n"
            "2   \n"
            "12   \n"
            "\n\n");
}

// the row form pages the same way; its remainder has no newline of its own
TEST_F(Print, RowForm) {
  double v[7] = {1, 2, 3, 4, 5, 6, 7};
  testing::internal::CaptureStdout();
  JmPrintVectorT(v, 7, "v\n");
  JmPrintVectorT(v, 3, "w\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "v\n"
            "Cols 1 to 6\n"
            "1   2   3   4   5   6   \n"
            "Col 7\n"
            "7   \n\n"
            "w\n"
            "1   2   3   \n\n");
  int iv[2] = {4, -5};
  testing::internal::CaptureStdout();
  JmPrintIVectorT(iv, 2, "i\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "i\n4   -5   \n\n");
}

// column vectors: one element a line, then a blank line; int and float formats
TEST_F(Print, ColumnVectors) {
  double v[2] = {1.4, 2.6};
  float f[1] = {0.5f};
  int iv[2] = {3, 12};
  JmSetPrintIntFormat(ifmt);
  testing::internal::CaptureStdout();
  JmPrintVector(v, 2, "v %s\n", "title");
  JmPrintFVector(f, 1, "f\n");
  JmPrintIVector(iv, 2, "i\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "v title\n1\n3\n\n"
            "f\n0\n\n"
            "i\n[  3]\n[ 12]\n\n");
}

// arrays print each matrix under its own numbered title
TEST_F(Print, ArraysAndTwins) {
  int*** A = JmIArray(2, 1, 2);
  A[0][0][0] = 1;  A[0][0][1] = 2;  A[1][0][0] = 3;  A[1][0][1] = 4;
  testing::internal::CaptureStdout();
  JmPrintIArray(A, 2, 1, 2, "all\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "all\nMatrix 1\n1   2   \n\n\nMatrix 2\n3   4   \n\n\n");
  JmFreeIArray(A);
  float** F = JmFMatrix(1, 1);
  F[0][0] = 2.0f;
  testing::internal::CaptureStdout();
  JmPrintFMatrix(F, 1, 1, "F\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "F\n2   \n\n\n");
  JmFreeFMatrix(F);
}
