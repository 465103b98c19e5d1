#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "shell/helpers.h"

namespace quon {
namespace {

class NumberFormatTest : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    InitGlobals(12000, 9000);
  }
  std::string With(int type, int n, int d) {
    g.NumFormatType = static_cast<int16>(type);
    g.NumDigitsN = static_cast<int16>(n);
    g.NumDigitsD = static_cast<int16>(d);
    return NumberFormatString();
  }
};

TEST_F(NumberFormatTest, DecimalAndScientificPatterns) {
  EXPECT_EQ(NumberFormatString(), "####0.00");
  EXPECT_EQ(With(1, 1, 0), "0.");
  EXPECT_EQ(With(1, 5, 0), "####0.");
  EXPECT_EQ(With(2, 5, 2), "0.00000e+00");
  EXPECT_EQ(With(2, 3, 1), "0.000e+0");
  EXPECT_EQ(With(2, 1, 0), "0.0e+");
}

TEST_F(NumberFormatTest, OtherTypesGiveNoPattern) {
  EXPECT_EQ(With(0, 5, 2), "");
  EXPECT_EQ(With(3, 5, 2), "");
}

TEST_F(NumberFormatTest, CountsOutOfRangeAreHeldTo1To15And0To15) {
  EXPECT_EQ(With(1, 0, 2), "0.00");
  EXPECT_EQ(With(1, -7, -3), "0.");
  EXPECT_EQ(With(2, 0, -1), "0.0e+");
  EXPECT_EQ(With(1, 32767, 32767), std::string(14, '#') + "0." + std::string(15, '0'));
  EXPECT_EQ(With(2, 40, 2), "0." + std::string(15, '0') + "e+00");
}

TEST(VarMaxMin, SecondArgumentOnATie) {
  EXPECT_EQ(VarMax(1, 0.5), 1.0);
  EXPECT_EQ(VarMin(1, 0.5), 0.5);
  EXPECT_EQ(VarMax(-2, -3), -2);
  EXPECT_EQ(VarMin(-2, -3), -3);
  // A tie returns b: visible through the sign of zero.
  EXPECT_TRUE(std::signbit(VarMax(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(VarMin(-0.0, 0.0)));
  // Values that do not compare give the second argument as well.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(VarMax(nan, 3.0), 3.0);
  EXPECT_TRUE(std::isnan(VarMin(3.0, nan)));
}

TEST(DigitCountFromText, NIsAtLeastOneAndRoundsHalvesToEven) {
  for (const char *t : {"0", "-3", "", "abc", " "})
    EXPECT_EQ(DigitCountFromText(t, 1), 1) << t;
  EXPECT_EQ(DigitCountFromText("2.5", 1), 2);
  EXPECT_EQ(DigitCountFromText("3.5", 1), 4);
  EXPECT_EQ(DigitCountFromText("7", 1), 7);
  EXPECT_EQ(DigitCountFromText(" 6x", 1), 6);
}

TEST(DigitCountFromText, DIsAtLeastZero) {
  EXPECT_EQ(DigitCountFromText("", 0), 0);
  EXPECT_EQ(DigitCountFromText("-3", 0), 0);
  EXPECT_EQ(DigitCountFromText("0.5", 0), 0);
  EXPECT_EQ(DigitCountFromText("2", 0), 2);
}

TEST(DigitCountFromText, CountsAboveFifteenAndBeyond16BitsAreCapped) {
  EXPECT_EQ(DigitCountFromText("16", 1), 15);
  EXPECT_EQ(DigitCountFromText("15.5", 0), 15);
  EXPECT_EQ(DigitCountFromText("40000", 1), 15);
  EXPECT_EQ(DigitCountFromText("1e300", 0), 15);
}

} // namespace
} // namespace quon
