#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "linear/exact_basis.h"

namespace quon::exact {
namespace {

// min -x1 - x2: x1 + 2 x2 <= 4, 3 x1 + x2 <= 6 (optimum at x = (8/5, 6/5), objective -14/5).
StandardForm SmallProgram() {
  return FromTypedRows(2, 2, {1, 2, 3, 1}, {'<', '<'}, {4, 6}, {-1, -1}, {0, 0}, {HUGE_VAL, HUGE_VAL}, false);
}

Basis Of(std::vector<int> basic, int n) { return Basis{std::move(basic), std::vector<AtBound>(n, AtBound::Lower)}; }

TEST(ExactBasis, ValuesDualsAndVerdictOfABasisAreExact) {
  const StandardForm sf = SmallProgram();
  const BasisCheck opt = CheckBasis(sf, Of({0, 1}, 4));
  ASSERT_FALSE(opt.singular);
  EXPECT_TRUE(opt.Optimal());
  EXPECT_EQ(opt.x[0], mpq_class(8, 5));
  EXPECT_EQ(opt.x[1], mpq_class(6, 5));
  EXPECT_EQ(opt.objective, mpq_class(-14, 5));
  EXPECT_EQ(opt.y[0], mpq_class(-2, 5));
  EXPECT_EQ(opt.y[1], mpq_class(-1, 5));

  // The slack basis is feasible but priced out by both columns.
  const BasisCheck start = CheckBasis(sf, Of({2, 3}, 4));
  EXPECT_TRUE(start.primalFeasible);
  EXPECT_FALSE(start.dualFeasible);
  EXPECT_GE(start.improvingColumn, 0);

  // x2 with the slack of row 2: x2 = 6 breaks row 1 (its slack would be -8).
  const BasisCheck bad = CheckBasis(sf, Of({2, 1}, 4));
  EXPECT_FALSE(bad.primalFeasible);
  EXPECT_EQ(bad.infeasibleRow, 0);

  EXPECT_TRUE(CheckBasis(sf, Of({0, 0}, 4)).singular);
}

TEST(ExactBasis, AColumnAtItsUpperBoundAndMaximisingArePricedBySign) {
  // max x1 + x2: x1 + x2 <= 10, 0 <= x1 <= 3: basis {slack} with x1 at 3 and x2 at 0 is not
  // optimal; x2 basic with x1 at its upper bound is.
  StandardForm sf = FromTypedRows(1, 2, {1, 1}, {'<'}, {10}, {1, 1}, {0, 0}, {3, HUGE_VAL}, true);
  Basis b = Of({1}, 3);
  b.nonbasic[0] = AtBound::Upper;
  const BasisCheck c = CheckBasis(sf, b);
  EXPECT_TRUE(c.Optimal());
  EXPECT_EQ(c.x[1], 7);
  EXPECT_EQ(c.objective, 10);
  sf.c[0] = 2; // now x1 at its upper bound is where it should be, x2 = 7 still optimal
  EXPECT_TRUE(CheckBasis(sf, b).Optimal());
  b.nonbasic[0] = AtBound::Lower;
  EXPECT_FALSE(CheckBasis(sf, b).Optimal());
}

TEST(ExactBasis, TinyInverseEntriesOfLargeCoefficientsAreKept) {
  // The inverse of [[806733, 979], [0, 169960]] has an off-diagonal entry of 7.1e-9, which an
  // absolute zero of 1e-8 erases; x1 then comes out wrong by 979 x2 / 806733.
  const StandardForm sf =
      FromTypedRows(2, 2, {806733, 979, 0, 169960}, {'=', '='}, {1613000, 5248}, {1, 1}, {0, 0}, {HUGE_VAL, HUGE_VAL}, false);
  const BasisCheck c = CheckBasis(sf, Of({0, 1}, 2));
  mpq_class x2(5248, 169960), x1;
  x2.canonicalize();
  x1 = (mpq_class(1613000) - 979 * x2) / 806733;
  EXPECT_EQ(c.x[1], x2);
  EXPECT_EQ(c.x[0], x1);
  EXPECT_FALSE(PointFeasible(sf, {c.x[0].get_d(), c.x[1].get_d()})); // rounded values miss the rows
}

TEST(ExactBasis, CertificatesOfInfeasibilityAndOfUnboundedness) {
  // x1 + x2 <= 1 and x1 + x2 >= 3.
  const StandardForm sf = FromTypedRows(2, 2, {1, 1, 1, 1}, {'<', '>'}, {1, 3}, {0, 0}, {0, 0}, {HUGE_VAL, HUGE_VAL}, false);
  EXPECT_TRUE(ProvesInfeasible(sf, std::vector<double>{-1, 1}));
  EXPECT_TRUE(ProvesInfeasible(sf, std::vector<double>{1, -1}));
  EXPECT_FALSE(ProvesInfeasible(sf, std::vector<double>{1, 1}));
  EXPECT_FALSE(ProvesInfeasible(sf, std::vector<double>{-1, 1.001}));
  // Basis {x1, surplus 2}: x1 = 1, surplus = -2; its row proves the program infeasible.
  EXPECT_TRUE(BasisRowProvesInfeasible(sf, Of({0, 3}, 4), 1));
  EXPECT_FALSE(BasisRowProvesInfeasible(sf, Of({0, 3}, 4), 0));

  // min -x1: x1 - x2 <= 1 is unbounded along (1, 1, 0); (1, 0, 0) leaves the row.
  const StandardForm un = FromTypedRows(1, 2, {1, -1}, {'<'}, {1}, {-1, 0}, {0, 0}, {HUGE_VAL, HUGE_VAL}, false);
  EXPECT_TRUE(IsImprovingRay(un, std::vector<double>{1, 1, 0}));
  EXPECT_FALSE(IsImprovingRay(un, std::vector<double>{1, 0, 0}));
  EXPECT_FALSE(IsImprovingRay(un, std::vector<double>{-1, -1, 0}));
  // From the basis {x1}: x2 entering upwards carries x1 with it.
  const std::vector<mpq_class> ray = BasisRay(un, Of({0}, 3), 1, +1);
  ASSERT_EQ(ray.size(), 3u);
  EXPECT_EQ(ray[0], 1);
  EXPECT_TRUE(IsImprovingRay(un, ray));
  EXPECT_FALSE(IsImprovingRay(un, BasisRay(un, Of({0}, 3), 2, +1)));
}

TEST(ExactBasis, DataAreTakenAsTheDecimalsTyped) {
  auto fraction = [](const char *text) {
    mpq_class q(text);
    q.canonicalize();
    return q;
  };
  EXPECT_EQ(DecimalOf(0.9) * 60, 54);
  EXPECT_EQ(DecimalOf(0.1), fraction("1/10"));
  EXPECT_EQ(DecimalOf(-2.9), fraction("-29/10"));
  EXPECT_EQ(DecimalOf(1E-7), fraction("1/10000000"));
  EXPECT_EQ(DecimalOf(1E100), mpq_class(mpz_class("1" + std::string(100, '0'))));
  EXPECT_EQ(DecimalOf(123456789.012345), fraction("123456789012345/1000000")); // 15 digits
  EXPECT_EQ(DecimalOf(-0.000123456789012345), fraction("-123456789012345/1000000000000000000"));
  EXPECT_EQ(DecimalOf(-0.0), 0);
  EXPECT_EQ(DecimalOf(9007199254740993.0), mpq_class(mpz_class("9007199254740992")));

  // 0.9 x1 = 54 with x1 <= 60: feasible only at x1 = 60 as typed, which the binary 0.9 misses.
  StandardForm sf = FromTypedRows(1, 1, {0.9}, {'='}, {54}, {1}, {0}, {60}, true);
  const BasisCheck c = CheckBasis(sf, Of({0}, 1));
  EXPECT_TRUE(c.Optimal());
  EXPECT_EQ(c.x[0], 60);
  EXPECT_TRUE(PointFeasible(sf, {60}));
  EXPECT_EQ(ObjectiveOf(sf, {60}), 60);
  // A computed point is read as its shortest decimal: 0.1 stands for 1/10.
  sf.A(0, 0) = 10;
  sf.b[0] = 1;
  EXPECT_TRUE(PointFeasible(sf, {0.1}));
  EXPECT_FALSE(PointFeasible(sf, {std::nextafter(0.1, 1.0)}));
}

} // namespace
} // namespace quon::exact
