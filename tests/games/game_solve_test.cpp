// A game built from its payoff grid and solved by the simplex engine: the value and both
// players' optimal mixes come out where the output screen reads them.
#include <gtest/gtest.h>

#include "games/game_lp.h"
#include "linear/mod_lp_simplex.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "support/grid_text.h"

namespace quon {
namespace {

struct Game {
  std::vector<std::vector<std::string>> payoffs;
  double value;
  std::vector<double> mixA;
  std::vector<double> mixB;
};

void Solve(const Game &game) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::Games;
  const int m = static_cast<int>(game.payoffs.size());
  const int n = static_cast<int>(game.payoffs[0].size());
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 0; i < m; ++i)
    test::SetRow(grid, i + 1, game.payoffs[i]);
  BuildGameLP(grid);
  SolveLP();
  EXPECT_NEAR(g.ZValue, game.value, 1e-7);
  EXPECT_NEAR(g.XSol(1), game.value, 1e-7);
  for (int i = 0; i < m; ++i)
    EXPECT_NEAR(g.XSol(i + 2), game.mixA[i], 1e-7) << "A" << i + 1;
  for (int j = 0; j < n; ++j)
    EXPECT_NEAR(g.Duals(j + 1), game.mixB[j], 1e-7) << "B" << j + 1;
  // The payoffs come back from LPData unchanged by the solve.
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j)
      EXPECT_DOUBLE_EQ(-g.LPData(j + 2, i + 1), Val(game.payoffs[i - 1][j - 1])) << i << "," << j;
}

TEST(GameSolve, ValueAndMixesOfBothPlayers) {
  Solve({{{"3", "-1"}, {"-2", "4"}}, 1, {0.6, 0.4}, {0.5, 0.5}});
  // Negative value: the value column runs below zero without a shift of the payoffs.
  Solve({{{"-3", "-5"}, {"-4", "-2"}}, -3.5, {0.5, 0.5}, {0.75, 0.25}});
  Solve({{{"4", "2", "3"}, {"1", "0", "5"}}, 2, {1, 0}, {0, 1, 0}});
  Solve({{{"0", "-1", "1"}, {"1", "0", "-1"}, {"-1", "1", "0"}},
         0,
         {1.0 / 3, 1.0 / 3, 1.0 / 3},
         {1.0 / 3, 1.0 / 3, 1.0 / 3}});
}

} // namespace
} // namespace quon
