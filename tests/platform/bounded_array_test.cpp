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

TEST(BoundedArray, ThreeDimensionsAndLowerBoundOne) {
  BArray<int> c;
  c.ReDimRange(1, 2, 0, 3, 1, 4);
  EXPECT_EQ(c.Dims(), 3);
  EXPECT_EQ(c.Size(), 2u * 4u * 4u);
  c(1, 0, 1) = 1;
  c(2, 3, 4) = 2;
  EXPECT_EQ(c(1, 0, 1), 1);
  EXPECT_EQ(c(2, 3, 4), 2);
  EXPECT_EQ(c.LBound(3), 1);
  EXPECT_EQ(c.UBound(2), 3);
  EXPECT_THROW(c(2, 3, 0), IndexFault);
  EXPECT_THROW(c(3, 0, 1), IndexFault);
  EXPECT_THROW(c(1, 1), IndexFault);
  EXPECT_THROW(c.LBound(4), IndexFault);
  // A fresh redimension clears what was there.
  c.ReDimRange(1, 2, 0, 3, 1, 4);
  EXPECT_EQ(c(2, 3, 4), 0);
}

TEST(BoundedArray, PreserveKeepsRangesAndOverlapOnly) {
  BArray<double> m;
  m.ReDimRange(1, 3, 1, 3);
  m(3, 3) = 9;
  m(2, 1) = 4;
  m.ReDimPreserveRange(1, 3, 1, 5);
  EXPECT_EQ(m.LBound(2), 1);
  EXPECT_EQ(m(3, 3), 9);
  EXPECT_EQ(m(2, 1), 4);
  EXPECT_EQ(m(1, 5), 0);
  m.ReDimPreserve(3, 2);
  EXPECT_EQ(m.LBound(1), 1);
  EXPECT_EQ(m(2, 1), 4);
  EXPECT_THROW(m(3, 3), IndexFault);

  // Preserving an erased array, or one of other dimensions, starts afresh.
  BArray<int> e;
  e.ReDimPreserve(2);
  EXPECT_EQ(e(2), 0);
  e.ReDim(1, 1);
  e(1, 1) = 3;
  e.ReDimPreserve(4);
  EXPECT_EQ(e.Dims(), 1);
  EXPECT_EQ(e(1), 0);
}

TEST(BoundedArray, EmptyArrayFaultsEverywhere) {
  BArray<int> a;
  EXPECT_THROW(a.LBound(), IndexFault);
  EXPECT_THROW(a.UBound(), IndexFault);
  a.ReDim(0);
  EXPECT_EQ(a.Size(), 1u);
  a.Fill(6);
  EXPECT_EQ(a(0), 6);
  a.Erase();
  EXPECT_THROW(a(0), IndexFault);
  EXPECT_THROW(a.ReDimRange(2, 1), IndexFault);
  EXPECT_TRUE(a.Empty());
}
