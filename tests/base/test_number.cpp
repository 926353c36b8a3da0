// test_number.cpp -- covers src/base/number.cpp: the rules of every number read from text
#include <gtest/gtest.h>

#include <float.h>
#include <stdlib.h>

#include "base/number.h"

// what every caller refuses: nothing, junk after the number, NaN, infinities, overflow
TEST(ParseNumber, RefusesWhatIsNoFiniteNumber) {
  const char* bad[] = {"", "abc", "1x", "1 2", "nan", "-inf", "inf", "1e999", "--1", " 1", "1 "};
  for (const char* s : bad) {
    double v = 42;
    EXPECT_EQ(ParseFinite(s, &v), -1) << s;
    EXPECT_EQ(v, 42) << s;
  }
  double v = 0;
  EXPECT_EQ(ParseNumber(nullptr, -1, NumAny, &v), -1);
  // a NUL inside the counted text ends the number early: refused, not truncated
  EXPECT_EQ(ParseNumber("1\0" "5", 3, NumAny, &v), -1);
}

// the values are those of the C library, also on the short decimal path
TEST(ParseNumber, ValuesAreTheLibrarys) {
  const char* good[] = {"0", "-0", "+3", "0.1", "123456789012345", "1234567890123456",
                        "2.5e-3", "-1E+2", "0x10", "4.045", "1e308"};
  for (const char* s : good) {
    double v = 0;
    ASSERT_EQ(ParseFinite(s, &v), 0) << s;
    EXPECT_EQ(v, strtod(s, nullptr)) << s;
  }
  double v = 0;
  EXPECT_EQ(ParseNumber("7.5xyz", 3, NumAny, &v), 0);   // only the counted characters
  EXPECT_EQ(v, 7.5);
}

// the rules: float range, single rounding, blank means 0, blanks around, the 1e30 bound
TEST(ParseNumber, Rules) {
  double v = 0;
  EXPECT_EQ(ParseNumber("1e39", -1, NumFloat, &v), -1);
  EXPECT_EQ(ParseNumber("3e38", -1, NumFloat, &v), 0);
  EXPECT_EQ(ParseNumber("0.1", -1, NumSingle, &v), 0);
  EXPECT_EQ(v, (double)0.1f);
  EXPECT_EQ(ParseNumber("1e39", -1, NumSingle, &v), -1);   // infinite as a float
  EXPECT_EQ(ParseNumber("", -1, NumEmptyZero, &v), 0);
  EXPECT_EQ(v, 0.0);
  EXPECT_EQ(ParseNumber("  ", -1, NumEmptyZero, &v), -1);   // blanks are not empty by default
  EXPECT_EQ(ParseNumber("  ", -1, NumEmptyZero | NumBlanks, &v), 0);
  EXPECT_EQ(ParseNumber(" 2.5\t", -1, NumBlanks, &v), 0);
  EXPECT_EQ(v, 2.5);
  EXPECT_EQ(ParseNumber("1e31", -1, NumSane, &v), -1);
  EXPECT_EQ(ParseNumber("-1e30", -1, NumSane, &v), 0);
}
