// The game's linear program checked by an independent LP solver: solved from the input-layout
// rows of LPData and again from the standard-form Tab, it must give the value of the game
// known in closed form, and both forms must agree; games built around a value typed in cents
// show that value at the widest fixed format as the exact decimal it is.
#include <glpk.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "exact_decimal.h"
#include "games/game_lp.h"
#include "linear/mod_lp_simplex.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "support/grid_text.h"

using quon::testing::DecimalOfKind;
using quon::testing::kDecimalKinds;
using quon::testing::PowerOfTen;
using quon::testing::Typed;
using quon::testing::WholeTimesPowerOfTen;
using quon::testing::DecimalPlaces;

namespace quon {
namespace {

struct Solution {
  double value = 0;
  std::vector<double> x; // by column, from 1
};

// Solves max row 2 of `a` over columns 1..cols subject to rows 3..lastRow, whose relation
// code is in codeCol (-1 "<", 0 "=", 1 ">"; every row an equation when codeCol is 0) and
// right-hand side in rhsCol, with the bounds of
// rows lbRow and ubRow (999999 is no bound).
Solution SolveWithGlpk(const BArray<double> &a, int cols, int lastRow, int codeCol, int rhsCol, int lbRow,
                       int ubRow, const std::vector<int> &fixedAtZero = {}) {
  glp_prob *lp = glp_create_prob();
  glp_term_out(GLP_OFF);
  glp_set_obj_dir(lp, GLP_MAX);
  const int rows = lastRow - 2;
  glp_add_rows(lp, rows);
  glp_add_cols(lp, cols);
  for (int j = 1; j <= cols; ++j) {
    const double lo = a(lbRow, j);
    const double hi = a(ubRow, j);
    const bool hasLo = lo > -999999;
    const bool hasHi = hi < 999999;
    int type = hasLo ? (hasHi ? GLP_DB : GLP_LO) : (hasHi ? GLP_UP : GLP_FR);
    glp_set_col_bnds(lp, j, type, hasLo ? lo : 0, hasHi ? hi : 0);
    glp_set_obj_coef(lp, j, a(2, j));
  }
  for (int j : fixedAtZero)
    glp_set_col_bnds(lp, j, GLP_FX, 0, 0);
  std::vector<int> ia{0}, ja{0};
  std::vector<double> ar{0};
  for (int r = 3; r <= lastRow; ++r) {
    const int code = codeCol == 0 ? 0 : static_cast<int>(a(r, codeCol));
    const double rhs = a(r, rhsCol);
    glp_set_row_bnds(lp, r - 2, code < 0 ? GLP_UP : code > 0 ? GLP_LO : GLP_FX, rhs, rhs);
    for (int j = 1; j <= cols; ++j)
      if (a(r, j) != 0) {
        ia.push_back(r - 2);
        ja.push_back(j);
        ar.push_back(a(r, j));
      }
  }
  glp_load_matrix(lp, static_cast<int>(ar.size()) - 1, ia.data(), ja.data(), ar.data());
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  EXPECT_EQ(glp_simplex(lp, &parm), 0);
  EXPECT_EQ(glp_get_status(lp), GLP_OPT);
  Solution s;
  s.value = glp_get_obj_val(lp);
  s.x.assign(static_cast<std::size_t>(cols) + 1, 0);
  for (int j = 1; j <= cols; ++j)
    s.x[j] = glp_get_col_prim(lp, j);
  glp_delete_prob(lp);
  return s;
}

struct Game {
  std::vector<std::vector<std::string>> payoffs;
  double value;
  std::vector<double> mixA; // empty when A's optimal mix is not unique
};

void CheckGame(const Game &game) {
  g = Mod1{};
  g.Infinity = 999999;
  const int m = static_cast<int>(game.payoffs.size());
  const int n = static_cast<int>(game.payoffs[0].size());
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 0; i < m; ++i)
    test::SetRow(grid, i + 1, game.payoffs[i]);
  BuildGameLP(grid);

  Solution input = SolveWithGlpk(g.LPData, g.NVars, g.LastConstrRow, g.TypeCol, g.RHSInCol, g.LBRow, g.UBRow);
  EXPECT_NEAR(input.value, game.value, 1e-9);
  for (std::size_t i = 0; i < game.mixA.size(); ++i)
    EXPECT_NEAR(input.x[i + 2], game.mixA[i], 1e-9) << i;

  // The standard form: every row an equation with its slack, the artificial held at zero.
  Solution standard =
      SolveWithGlpk(g.Tab, g.NCols, g.MRows + 2, 0, g.NColsPlus1, g.LBRow, g.UBRow, {g.NCols});
  EXPECT_NEAR(standard.value, game.value, 1e-9);
  for (int r = 3; r <= g.MRows + 2; ++r) {
    double lhs = 0;
    for (int j = 1; j <= g.NCols; ++j)
      lhs += g.Tab(r, j) * standard.x[j];
    EXPECT_NEAR(lhs, g.Tab(r, g.NColsPlus1), 1e-9) << r;
  }
}

TEST(GameLPReference, ValuesOfKnownGames) {
  CheckGame({{{"1", "-1"}, {"-1", "1"}}, 0, {0.5, 0.5}});
  CheckGame({{{"3", "-1"}, {"-2", "4"}}, 1, {0.6, 0.4}});
  // Every payoff negative: the value is negative, with no shift of the payoffs.
  CheckGame({{{"-3", "-5"}, {"-4", "-2"}}, -3.5, {0.5, 0.5}});
  // A saddle point is solved like any other game.
  CheckGame({{{"4", "2", "3"}, {"1", "0", "5"}}, 2, {1, 0}});
  CheckGame({{{"0", "-1", "1"}, {"1", "0", "-1"}, {"-1", "1", "0"}}, 0, {1.0 / 3, 1.0 / 3, 1.0 / 3}});
  // An empty cell is payoff 0 and "3abc" is 3.
  CheckGame({{{"", "3abc"}, {"2", ""}}, 1.2, {0.4, 0.6}});
}

// Seeded random games solved by the program's engine: the value is GLPK's, and each player's
// mix holds the other to it (A's mix earns at least the value against every strategy of B,
// B's mix concedes at most the value to every strategy of A).
TEST(GameLPReference, RandomGamesMatchTheReferenceValueAndBothMixesAreOptimal) {
  std::mt19937 rng(2026);
  // After the small games, larger ones whose few payoff values make every vertex degenerate,
  // then a few long and wide ones, then games whose payoffs run to a million.
  for (int c = 0; c < 226; ++c) {
    const bool large = c >= 120 && c < 160, huge = c >= 166;
    int m = std::uniform_int_distribution<int>(2, large ? 40 : 8)(rng);
    int n = std::uniform_int_distribution<int>(2, large ? 40 : 8)(rng);
    if (c >= 160 && !huge) {
      m = c % 2 == 0 ? 50 : 150;
      n = 200 - m;
    }
    std::uniform_int_distribution<int> pay(large ? -3 : -50, large ? 3 : 50);
    std::vector<std::vector<double>> a(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
    GridStore grid = test::MakeGrid(m + 1, n + 1);
    for (int i = 0; i < m; ++i) {
      std::vector<std::string> cells;
      for (int j = 0; j < n; ++j) {
        a[i][j] = huge ? (pay(rng) < 0 ? -1 : 1) *
                             std::round(std::pow(10.0, std::uniform_real_distribution<double>(0, 6)(rng)))
                       : pay(rng);
        cells.push_back(std::to_string(static_cast<long>(a[i][j])));
      }
      test::SetRow(grid, i + 1, cells);
    }
    g = Mod1{};
    InitGlobals(15360, 11520);
    g.ModelClass = 9;
    BuildGameLP(grid);
    const Solution ref = SolveWithGlpk(g.LPData, g.NVars, g.LastConstrRow, g.TypeCol, g.RHSInCol, g.LBRow, g.UBRow);
    SolveLP();
    // The program's inversion zeroes inverse entries below 1e-8, which the 150-row programs
    // feel in their last digits.
    const double tol = huge ? 1e-7 * 1e6 : c >= 160 ? 1e-6 : 1e-7, sumTol = c >= 160 && !huge ? 1e-7 : 1e-9;
    ASSERT_NEAR(g.ZValue, ref.value, tol) << "game " << c;
    double sumA = 0, sumB = 0;
    for (int i = 0; i < m; ++i) {
      EXPECT_GE(g.XSol(i + 2), -1e-9);
      sumA += g.XSol(i + 2);
    }
    for (int j = 0; j < n; ++j) {
      EXPECT_GE(g.Duals(j + 1), -1e-9);
      sumB += g.Duals(j + 1);
    }
    EXPECT_NEAR(sumA, 1, sumTol) << "game " << c;
    EXPECT_NEAR(sumB, 1, sumTol) << "game " << c;
    for (int j = 0; j < n; ++j) {
      double earned = 0;
      for (int i = 0; i < m; ++i)
        earned += a[i][j] * g.XSol(i + 2);
      EXPECT_GE(earned, ref.value - tol) << "game " << c << " B" << j + 1;
    }
    for (int i = 0; i < m; ++i) {
      double conceded = 0;
      for (int j = 0; j < n; ++j)
        conceded += a[i][j] * g.Duals(j + 1);
      EXPECT_LE(conceded, ref.value + tol) << "game " << c << " A" << i + 1;
    }
  }
}

// The exact decimal num / den with at least `places` decimals, den a product of twos and
// fives: ExactDecimal(-4801, 400, 0) is "-12.0025".
std::string ExactDecimal(long num, long den, int places) {
  long scale = 1;
  int digits = 0;
  for (; digits < places || scale % den != 0; ++digits)
    scale *= 10;
  const long units = std::labs(num) * (scale / den);
  std::string frac = std::to_string(units % scale);
  frac.insert(0, static_cast<std::size_t>(digits) - frac.size(), '0');
  return (num < 0 ? "-" : "") + std::to_string(units / scale) + "." + frac;
}

// Games with a value typed in cents and equalizing mixes in multiples of 1/s for both players:
// from any integer matrix A0 and mixes p = P/s, q = Q/s (every strategy used),
// a(i,j) = A0(i,j) - (A0 q)_i - (p'A0)_j + p'A0 q + v makes every strategy of either player
// earn exactly v against the other's mix, so v is the value. The payoffs are typed as the
// exact decimals they are. Fixed 15/15 shows the value's own digits (a single-precision value
// is off from the eighth), and the mixes as shown hold the other player to it.
TEST(GameLPReference, ValuesTypedInCentsShowTheirOwnDigitsAtTheWidestFixedFormat) {
  constexpr const char *kWidest = "##############0.000000000000000";
  std::mt19937 rng(2027);
  for (int c = 0; c < 204; ++c) {
    // Small games, then a few of 100 strategies a side.
    const bool large = c >= 200;
    const int m = large ? 100 : std::uniform_int_distribution<int>(2, 8)(rng);
    const int n = large ? 100 : std::uniform_int_distribution<int>(2, 8)(rng);
    const long s = large ? 200 : 20;
    auto mix = [&](int k) {
      std::vector<long> parts(static_cast<std::size_t>(k), 1);
      for (long r = k; r < s; ++r)
        ++parts[static_cast<std::size_t>(std::uniform_int_distribution<int>(0, k - 1)(rng))];
      return parts;
    };
    const std::vector<long> P = mix(m), Q = mix(n);
    std::vector<std::vector<long>> a0(static_cast<std::size_t>(m), std::vector<long>(static_cast<std::size_t>(n)));
    for (auto &row : a0)
      for (long &x : row)
        x = std::uniform_int_distribution<long>(-50, 50)(rng);
    const long cents = std::uniform_int_distribution<long>(-99999, 99999)(rng);
    std::vector<long> aq(static_cast<std::size_t>(m), 0), pa(static_cast<std::size_t>(n), 0);
    long paq = 0;
    for (std::size_t i = 0; i < a0.size(); ++i)
      for (std::size_t j = 0; j < a0[i].size(); ++j) {
        aq[i] += a0[i][j] * Q[j];
        pa[j] += P[i] * a0[i][j];
        paq += P[i] * a0[i][j] * Q[j];
      }
    // Payoffs in units of 1 / (100 s^2).
    std::vector<std::vector<double>> a(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
    GridStore grid = test::MakeGrid(m + 1, n + 1);
    for (std::size_t i = 0; i < a0.size(); ++i) {
      std::vector<std::string> cells;
      for (std::size_t j = 0; j < a0[i].size(); ++j) {
        const long units = 100 * (s * s * a0[i][j] - s * aq[i] - s * pa[j] + paq) + s * s * cents;
        cells.push_back(ExactDecimal(units, 100 * s * s, 0));
        a[i][j] = Val(cells.back());
      }
      test::SetRow(grid, static_cast<int>(i) + 1, cells);
    }
    g = Mod1{};
    InitGlobals(15360, 11520);
    g.ModelClass = 9;
    BuildGameLP(grid);
    ASSERT_EQ(SolveLP(), LPStatus::Optimal) << "game " << c;

    const std::string value = Format(g.ZValue, kWidest);
    const double v = static_cast<double>(cents) / 100;
    if (large)
      EXPECT_NEAR(Val(value), v, 1E-13 * std::max(1.0, std::fabs(v))) << "game " << c << " " << value;
    else
      EXPECT_EQ(value, ExactDecimal(cents, 100, 15)) << "game " << c;
    std::vector<double> x(static_cast<std::size_t>(m)), y(static_cast<std::size_t>(n));
    double sumA = 0, sumB = 0;
    for (int i = 0; i < m; ++i)
      sumA += x[static_cast<std::size_t>(i)] = Val(Format(g.XSol(i + 2), kWidest));
    for (int j = 0; j < n; ++j)
      sumB += y[static_cast<std::size_t>(j)] = Val(Format(g.Duals(j + 1), kWidest));
    const double tol = large ? 1E-10 : 1E-12;
    EXPECT_NEAR(sumA, 1, tol) << "game " << c;
    EXPECT_NEAR(sumB, 1, tol) << "game " << c;
    for (int j = 0; j < n; ++j) {
      double earned = 0;
      for (int i = 0; i < m; ++i)
        earned += a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] * x[static_cast<std::size_t>(i)];
      EXPECT_GE(earned, v - 1000 * tol) << "game " << c << " B" << j + 1;
    }
    for (int i = 0; i < m; ++i) {
      double conceded = 0;
      for (int j = 0; j < n; ++j)
        conceded += a[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] * y[static_cast<std::size_t>(j)];
      EXPECT_LE(conceded, v + 1000 * tol) << "game " << c << " A" << i + 1;
    }
  }
}

// The value of the game with payoffs a (rows A's strategies), exact on the decimals typed: max v
// subject to sum_i p_i a_ij >= v for every j and sum p = 1, with the payoffs times the power of
// ten that makes them whole, solved by the reference's rational simplex; the value divided back.
double ExactValueOnDecimals(const std::vector<std::vector<double>> &a) {
  const int m = static_cast<int>(a.size()), n = static_cast<int>(a[0].size());
  int places = 0;
  for (const auto &row : a)
    for (double v : row)
      places = std::max(places, DecimalPlaces(v));
  glp_prob *lp = glp_create_prob();
  glp_term_out(GLP_OFF);
  glp_set_obj_dir(lp, GLP_MAX);
  glp_add_cols(lp, m + 1); // p_1..p_m, v
  for (int i = 1; i <= m; ++i)
    glp_set_col_bnds(lp, i, GLP_LO, 0, 0);
  glp_set_col_bnds(lp, m + 1, GLP_FR, 0, 0);
  glp_set_obj_coef(lp, m + 1, 1);
  glp_add_rows(lp, n + 1);
  std::vector<int> ia{0}, ja{0};
  std::vector<double> ar{0};
  for (int j = 1; j <= n; ++j) {
    glp_set_row_bnds(lp, j, GLP_LO, 0, 0);
    for (int i = 1; i <= m; ++i) {
      ia.push_back(j);
      ja.push_back(i);
      ar.push_back(WholeTimesPowerOfTen(a[i - 1][j - 1], places).value());
    }
    ia.push_back(j);
    ja.push_back(m + 1);
    ar.push_back(-1);
  }
  glp_set_row_bnds(lp, n + 1, GLP_FX, 1, 1);
  for (int i = 1; i <= m; ++i) {
    ia.push_back(n + 1);
    ja.push_back(i);
    ar.push_back(1);
  }
  glp_load_matrix(lp, static_cast<int>(ar.size()) - 1, ia.data(), ja.data(), ar.data());
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  parm.it_lim = 10000; // the floating-point start can cycle on whole numbers of 1e11 beside 1
  glp_scale_prob(lp, GLP_SF_AUTO);
  if (glp_simplex(lp, &parm) != 0) glp_std_basis(lp);
  parm.it_lim = INT_MAX;
  EXPECT_EQ(glp_exact(lp, &parm), 0);
  EXPECT_EQ(glp_get_status(lp), GLP_OPT);
  const double value = glp_get_obj_val(lp) / PowerOfTen(places);
  glp_delete_prob(lp);
  return value;
}

// Seeded games whose payoffs are decimals of one kind, either sign (0.1, 0.9, 2.9, prices with
// cents, up to a million, 999 to 1001 and 0.00099 beside 1), of 2 to 8 strategies a side and a
// few of 30 and of 100: the value is the exact one on the typed decimals to a part in 1e9, each mix adds up
// to one and holds the other player to the value, and the engine gives up on fewer than 1 in 100.
TEST(GameLPReference, GamesWithDecimalPayoffsReachTheValueOfTheTypedPayoffs) {
  std::mt19937 rng(67);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int failed = 0, solved = 0;
  for (int c = 0; c < 1300; ++c) {
    const int side = c < 1200 ? 0 : c < 1290 ? 30 : 100;
    const int m = side ? side : pick(2, 8), n = side ? side : pick(2, 8);
    const int kind = pick(0, kDecimalKinds - 1);
    std::vector<std::vector<double>> a(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
    GridStore grid = test::MakeGrid(m + 1, n + 1);
    double largest = 0;
    for (int i = 0; i < m; ++i) {
      std::vector<std::string> cells;
      for (int j = 0; j < n; ++j) {
        const Typed t = DecimalOfKind(rng, pick(0, 3) == 0 ? 0 : kind);
        a[i][j] = (pick(0, 2) == 0 ? -1 : 1) * t.Value();
        largest = std::max(largest, std::fabs(a[i][j]));
        cells.push_back(NumText(a[i][j]));
      }
      test::SetRow(grid, i + 1, cells);
    }
    const double value = ExactValueOnDecimals(a);
    g = Mod1{};
    InitGlobals(15360, 11520);
    g.ModelClass = 9;
    BuildGameLP(grid);
    if (SolveLP() != LPStatus::Optimal) {
      ++failed;
      continue;
    }
    ++solved;
    EXPECT_NEAR(g.ZValue, value, 1E-9 * std::max(1.0, std::fabs(value))) << "game " << c;
    double sumA = 0, sumB = 0;
    for (int i = 0; i < m; ++i)
      sumA += g.XSol(i + 2);
    for (int j = 0; j < n; ++j)
      sumB += g.Duals(j + 1);
    EXPECT_NEAR(sumA, 1, 1E-9) << "game " << c;
    EXPECT_NEAR(sumB, 1, 1E-9) << "game " << c;
    const double tol = 1E-9 * std::max(1.0, largest);
    for (int j = 0; j < n; ++j) {
      double earned = 0;
      for (int i = 0; i < m; ++i)
        earned += a[i][j] * g.XSol(i + 2);
      EXPECT_GE(earned, value - tol) << "game " << c << " B" << j + 1;
    }
    for (int i = 0; i < m; ++i) {
      double conceded = 0;
      for (int j = 0; j < n; ++j)
        conceded += a[i][j] * g.Duals(j + 1);
      EXPECT_LE(conceded, value + tol) << "game " << c << " A" << i + 1;
    }
  }
  std::printf("decimal games: %d solved, %d given up\n", solved, failed);
  EXPECT_LE(failed, solved / 100);
}

} // namespace
} // namespace quon
