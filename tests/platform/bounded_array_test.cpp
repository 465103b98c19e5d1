#include <gtest/gtest.h>

#include "platform/bounded_array.h"
#include "platform/fixed_text.h"

using quon::BArray;
using quon::IndexFault;

TEST(BoundedArray, RangesAndCheckedAccess) {
  BArray<int> a;
  EXPECT_TRUE(a.Empty());
  EXPECT_THROW(a(0), IndexFault);
  a.ReDimRange(1, 3);
  EXPECT_EQ(a.LBound(), 1);
  EXPECT_EQ(a.UBound(), 3);
  a(1) = 5;
  a(3) = 7;
  EXPECT_THROW(a(0), IndexFault);
  EXPECT_THROW(a(4), IndexFault);
  EXPECT_THROW(a(1, 1), IndexFault);

  BArray<double> m;
  m.ReDimRange(1, 2, 0, 4);
  EXPECT_EQ(m.Size(), 10u);
  m(2, 4) = 1.5;
  EXPECT_DOUBLE_EQ(m(2, 4), 1.5);
  EXPECT_THROW(m(0, 0), IndexFault);
  EXPECT_THROW(m(1, 5), IndexFault);
}

TEST(BoundedArray, FreshPreserveAndErase) {
  BArray<std::string> s;
  s.ReDim(3);
  s(2) = "kept";
  s.ReDimPreserve(5);
  EXPECT_EQ(s(2), "kept");
  EXPECT_EQ(s(5), "");
  s.ReDimPreserve(1);
  EXPECT_THROW(s(2), IndexFault);
  s.ReDim(4);
  EXPECT_EQ(s(1), "");

  BArray<int> t;
  t.ReDim(2, 2);
  t(1, 2) = 9;
  t(2, 0) = 4;
  t.ReDimPreserve(2, 5);
  EXPECT_EQ(t(1, 2), 9);
  EXPECT_EQ(t(2, 0), 4);
  EXPECT_EQ(t(2, 5), 0);
  t.Erase();
  EXPECT_TRUE(t.Empty());
  EXPECT_THROW(t(0, 0), IndexFault);
  EXPECT_THROW(t.ReDim(-1), IndexFault);
}

TEST(FixedText, PadsAndCuts) {
  quon::FixedText<8> sense = "Maximize";
  EXPECT_EQ(sense.str(), "Maximize");
  sense = "Min";
  EXPECT_EQ(sense.str(), "Min     ");
  quon::FixedText<12> name = "a-very-long-variable";
  EXPECT_EQ(name.str(), "a-very-long-");
}
