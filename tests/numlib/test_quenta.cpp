// test_quenta.cpp -- covers numlib/quenta: Heron's area doubled n times
#include <gtest/gtest.h>

#include <math.h>
#include <string>

#include "quenta.h"
#include "nl_capture.h"

class Quenta : public ::testing::Test {
 protected:
  void SetUp() override { quentaInitialize(); }
  void TearDown() override { quentaTerminate(); }
};

static double Area(double a, double b, double c, double n) {
  double s[3] = {a, b, c};
  NlArray* x = Row(3, s);
  NlArray* k = NlScalar(n);
  NlArray* A = mlfArea(x, k);
  double v = A ? mclGetPr(A)[0] : -12345;
  NlDestroyArray(A);
  NlDestroyArray(x);
  NlDestroyArray(k);
  return v;
}

// 3-4-5 is a right triangle: area 6; doubled twice 24; no doubling below 1
TEST_F(Quenta, RightTriangle) {
  EXPECT_DOUBLE_EQ(Area(3, 4, 5, 0), 6.0);
  EXPECT_DOUBLE_EQ(Area(3, 4, 5, 2), 24.0);
  EXPECT_DOUBLE_EQ(Area(3, 4, 5, -3), 6.0);
  EXPECT_DOUBLE_EQ(Area(2, 2, 2, 1), 2*sqrt(3.0));   // equilateral: sqrt(3)/4 * 4, doubled
  EXPECT_TRUE(isnan(Area(1, 1, 5, 0)));              // no such triangle
}

TEST_F(Quenta, CountMessagesAndMissingInput) {
  CaptureErrors cap;
  NlArray* in[3] = {nullptr, nullptr, nullptr};
  NlArray* out[2];
  mlxArea(2, out, 2, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: area Line: 1 Column: 1 The function \"area\" "
            "was called with more than the declared number of outputs (1).");
  mlxArea(1, out, 3, in);
  EXPECT_EQ(cap.text(), "Run-time Error: File: area Line: 1 Column: 1 The function \"area\" "
            "was called with more than the declared number of inputs (2).");
  double s[3] = {3, 4, 5};
  in[0] = Row(3, s);
  mlxArea(1, out, 1, in);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_NE(cap.text().find("\"n\""), std::string::npos);
  EXPECT_EQ(cap.count(), 3);
  // the process and the library carry on
  in[1] = NlScalar(0);
  mlxArea(1, out, 2, in);
  ASSERT_NE(out[0], nullptr);
  EXPECT_DOUBLE_EQ(mclGetPr(out[0])[0], 6.0);
  NlDestroyArray(out[0]);
  NlDestroyArray(in[0]);
  NlDestroyArray(in[1]);
}

TEST(QuentaCycles, NoLeak) {
  int base = NlLiveArrays();
  for (int k = 0; k < 1000; k++) {
    quentaInitialize();
    EXPECT_DOUBLE_EQ(Area(3, 4, 5, 1), 12.0);
    quentaTerminate();
  }
  EXPECT_EQ(NlLiveArrays(), base);
}
