#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/bounded_array.h"
#include "platform/colors.h"
#include "platform/values.h"

using namespace quon;

namespace {

struct FormatCase {
  double value;
  const char *pattern;
  const char *expected;
};

void ExpectFormats(const std::vector<FormatCase> &cases) {
  for (const auto &c : cases)
    EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with \"" << c.pattern << "\"";
}

} // namespace

TEST(Format, DecimalPatterns) {
  ExpectFormats({
      {3, "####0.00", "3.00"},
      {1234.567, "####0.00", "1234.57"},
      {999999, "####0.00", "999999.00"},
      {-0.5, "####0.00", "-0.50"},
      {0, "####0.00", "0.00"},
      {3.5, "####0.00", "3.50"},
      {3.4, "####0.", "3."},
      {3.6, "0.", "4."},
      {0.004, "####0.00", "0.00"},
      // Rounding is half away from zero on the decimal value, not on its binary neighbour.
      {1.005, "####0.00", "1.01"},
      {2.675, "####0.00", "2.68"},
      {-2.675, "####0.00", "-2.68"},
      {0.125, "0.00", "0.13"},
      {9.995, "####0.00", "10.00"},
      {0.5, "0.", "1."},
      {123456789.125, "####0.00", "123456789.13"},
      {1e20, "####0.00", "100000000000000000000.00"},
      // A value that rounds to zero carries no sign.
      {-0.001, "####0.00", "0.00"},
      {0.00001234, "####0.00000", "0.00001"},
  });
}

TEST(Format, IntegerPatterns) {
  ExpectFormats({
      {0, "#######", ""},
      {0.4, "####", ""},
      {12, "#######", "12"},
      {12.5, "#######", "13"},
      {-12.5, "####", "-13"},
      {0, "###0", "0"},
      {7, "####0", "7"},
      {99.5, "#######0", "100"},
      {1234567, "####", "1234567"},
      {-3, "####0", "-3"},
  });
}

TEST(Format, ScientificPatterns) {
  ExpectFormats({
      {0.00123, "0.00000e+00", "1.23000e-03"},
      {0, "0.00000e+00", "0.00000e+00"},
      {1234, "0.000e+0", "1.234e+3"},
      {12345678, "0.000e+0", "1.235e+7"},
      {9.99999, "0.000e+00", "1.000e+01"},
      {-1234.5, "0.00000e+00", "-1.23450e+03"},
      {1e-100, "0.00e+00", "1.00e-100"},
      {1, "0.00000e+00", "1.00000e+00"},
      {5e20, "0.0e+0", "5.0e+20"},
      {1234, "0.00e+", "1.23e+3"},
  });
}

TEST(Format, EmptyPatternIsPlainNumber) {
  ExpectFormats({{0, "", "0"}, {2.5, "", "2.5"}, {-1e-7, "", "-1E-07"}});
}

TEST(Format, TextFields) {
  EXPECT_EQ(Format(3.0, "@@@@"), "   3");
  EXPECT_EQ(Format(12.5, "@@@@@@@@"), "    12.5");
  EXPECT_EQ(Format("abc", "@@@@@"), "  abc");
  EXPECT_EQ(Format("Lambda", "!@@@@@@@@@@@@@"), "Lambda       ");
  EXPECT_EQ(Format("", "!@@"), "  ");
  // A text longer than its field is shown whole.
  EXPECT_EQ(Format("abcdef", "@@@"), "abcdef");
  EXPECT_EQ(Format("abcdef", "!@@@"), "abcdef");
  // The table printer's cell pattern: N + D + 1 places.
  EXPECT_EQ(Format("x1", std::string(8, '@')), "      x1");
}

TEST(Format, NumericPatternOnText) {
  EXPECT_EQ(Format("3", "####0.00"), "3.00");
  EXPECT_EQ(Format(" -2.5 ", "####0.00"), "-2.50");
  EXPECT_EQ(Format("abc", "####0.00"), "abc");
  EXPECT_EQ(Format("3x", "####0.00"), "3x");
}

TEST(Format, NonFiniteValuesDoNotCrash) {
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "####0.00"), "Infinity");
  EXPECT_EQ(Format(std::nan(""), "0.00e+00"), "NaN");
}

TEST(FormatDate, HeadingPattern) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 9;
  t.tm_wday = 3;
  t.tm_hour = 4;
  t.tm_min = 8;
  EXPECT_EQ(FormatDate(t, "dddd, mmmm dd, yyyy h:mm"), "Wednesday, December 09, 2026 4:08");
  t.tm_year = 2001 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 21;
  t.tm_wday = 0;
  t.tm_hour = 23;
  t.tm_min = 59;
  EXPECT_EQ(FormatDate(t, "dddd, mmmm dd, yyyy h:mm"), "Sunday, January 21, 2001 23:59");
  EXPECT_EQ(FormatDate(t, "dd/mm/yy hh:nn:ss"), "21/01/01 23:59:00");
}

TEST(Val, LongestLeadingNumber) {
  struct Case {
    const char *text;
    double expected;
  };
  const Case cases[] = {
      {"7abc", 7},   {"", 0},         {"2.5e3", 2500}, {"  -3.5x", -3.5},
      {".25", 0.25}, {"abc", 0},      {"1e", 1},       {"1e+", 1},
      {"+4", 4},     {"-", 0},        {".", 0},        {"1.2.3", 1.2},
      {"\t5", 5},    {"infinity", 0}, {"2D2", 200},    {"3 4", 3},
      {"-.5", -0.5}, {"12e-1x", 1.2}, {"00042", 42},   {"1e400", std::numeric_limits<double>::max()},
      {"1e-400", 0},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, OverflowIsToldWhateverTheSpelling) {
  const double big = std::numeric_limits<double>::max();
  const std::string nines(400, '9');
  const std::string tinyFraction = "0." + std::string(400, '0') + "1";
  struct Case {
    std::string text;
    double expected;
    bool overflows;
  };
  const Case cases[] = {
      {"1e309", big, true},          {"1E309", big, true},    {"-1E400", -big, true},
      {"1d999999999999", big, true}, {nines, big, true},      {"-" + nines + ".5", -big, true},
      {"0.01e311", big, true},      {"1e-400", 0, false},    {"1E-400", 0, false},
      {tinyFraction, 0, false},      {"1e308", 1e308, false}, {"0e999", 0, false},
      {"1e300x", 1e300, false},
  };
  for (const auto &c : cases) {
    EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << c.text.substr(0, 20);
    EXPECT_EQ(ValOverflows(c.text), c.overflows) << c.text.substr(0, 20);
  }
}

TEST(Format, ExtremeValuesKeepEveryIntegerDigit) {
  EXPECT_EQ(Format(99999999999999999999999.0, "####0.00"), "100000000000000000000000.00");
  const std::string huge = Format(-1e300, "####0.00");
  EXPECT_EQ(huge, "-1" + std::string(300, '0') + ".00");
  EXPECT_EQ(Format(1e-300, "####0.00"), "0.00");
  EXPECT_EQ(Format(-1e300, "0.00000e+00"), "-1.00000e+300");
  EXPECT_EQ(Format(1e-300, "0.00000e+00"), "1.00000e-300");
}

TEST(CInt, HalvesToEvenAndRangeReported) {
  struct Case {
    double value;
    std::optional<std::int16_t> expected;
  };
  const Case cases[] = {
      {2.5, 2},           {3.5, 4},           {-2.5, -2},
      {-3.5, -4},         {1.5, 2},           {0.4999, 0},
      {2.51, 3},          {32767, 32767},     {-32768, -32768},
      {-32768.5, -32768}, {32767.5, {}},      {40000, {}},
      {-32769, {}},       {std::nan(""), {}}, {std::numeric_limits<double>::infinity(), {}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(CInt(c.value), c.expected) << c.value;
}

TEST(Int, Floors) {
  EXPECT_EQ(Int(2.7), 2);
  EXPECT_EQ(Int(-2.3), -3);
  EXPECT_EQ(Int(5), 5);
}

TEST(Str, LeadingBlankAndNoLeadingZero) {
  EXPECT_EQ(Str(3), " 3");
  EXPECT_EQ(Str(-2), "-2");
  EXPECT_EQ(Str(0.25), " .25");
  EXPECT_EQ(Str(-0.5), "-.5");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(12.5), " 12.5");
  EXPECT_EQ(Str(1e20), " 1E+20");
  EXPECT_EQ(Trim(Str(7)), "7");
}

TEST(NumText, FifteenSignificantDigits) {
  EXPECT_EQ(NumText(0.25), "0.25");
  EXPECT_EQ(NumText(-7), "-7");
  EXPECT_EQ(NumText(1234.5), "1234.5");
  EXPECT_EQ(NumText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(NumText(123456789012345), "123456789012345");
  EXPECT_EQ(NumText(1e15), "1E+15");
  EXPECT_EQ(NumText(1.5e-7), "1.5E-07");
  EXPECT_EQ(NumText(0.0001), "0.0001");
  EXPECT_EQ(NumText(0.00001), "0.00001");
  EXPECT_EQ(NumText(0.000001), "1E-06");
  EXPECT_EQ(NumText(999999), "999999");
  EXPECT_EQ(NumText(-0.0), "0");
  EXPECT_EQ(NumTextSingle(0.1f), "0.1");
  EXPECT_EQ(NumTextSingle(3.0f), "3");
  EXPECT_EQ(NumTextSingle(1.0f / 3), "0.3333333");
}

// Decimals typed add up to the decimal of their sum; whole numbers and huge terms add as
// doubles do, and a term's own digits beyond the larger term's fifteen are not kept.
TEST(DecimalSum, SumsLandOnTheDecimalOfTheirTerms) {
  EXPECT_EQ(DecimalSum(0.1, 0.2), 0.3);
  EXPECT_EQ(DecimalSum(9999.99, -9945.86), 54.13);
  EXPECT_EQ(DecimalSum(DecimalSum(0.7, -0.4), -0.3), 0.0);
  EXPECT_EQ(DecimalSum(-1234.5, 1234.5), 0.0);
  EXPECT_EQ(DecimalSum(400.01, -345.67, -54.33), 0.01);
  EXPECT_EQ(DecimalSum(400.01, -345.67, -54.34), 0.0);
  EXPECT_EQ(DecimalSum(16777217, 1), 16777218);
  EXPECT_EQ(DecimalSum(9007199254740993.0, 1), 9007199254740993.0 + 1);
  EXPECT_EQ(DecimalSum(1e300, -999999), 1e300);
  EXPECT_EQ(DecimalSum(1e-300, 2e-300), 1e-300 + 2e-300);
  EXPECT_EQ(DecimalSum(1e308, 1e308), std::numeric_limits<double>::infinity());
  EXPECT_EQ(DecimalSum(1000, 0.000000000001), 1000);
  EXPECT_EQ(Format(DecimalSum(99999.99, 9633.99), "##############0.000000000000000"), "109633.980000000000000");
}

TEST(Trim, BlanksOnly) {
  EXPECT_EQ(Trim("  ab c  "), "ab c");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\tx "), "\tx");
}

TEST(Colors, BgrLiteralsAndTable) {
  EXPECT_EQ(FromBgr(0xFF0000), kBlue);
  EXPECT_EQ(FromBgr(0xFF), kRed);
  EXPECT_EQ(FromBgr(0xFF00), kGreen);
  EXPECT_EQ(FromBgr(0xFFFF00), kCyan);
  EXPECT_EQ(FromBgr(0xFFFF), kYellow);
  EXPECT_EQ(FromBgr(0xFF00FF), kMagenta);
  EXPECT_EQ(FromBgr(0x804020), RGB(0x20, 0x40, 0x80));
  EXPECT_EQ(QBColor(8), kGrey);
  EXPECT_EQ(QBColor(0), kBlack);
  EXPECT_EQ(QBColor(1), RGB(0, 0, 128));
  EXPECT_EQ(QBColor(7), RGB(192, 192, 192));
  EXPECT_EQ(QBColor(12), kRed);
  EXPECT_EQ(QBColor(15), kWhite);
  EXPECT_THROW(QBColor(16), IndexFault);
  EXPECT_THROW(QBColor(-1), IndexFault);
}
