// Speed of the games: seeded games of 100 x 100 and around it built and solved by the
// program's engine beside the reference LP solver on the same linear program, and the graph of
// a 2 x 100 game drawn.
#include <benchmark/benchmark.h>
#include <glpk.h>

#include <random>
#include <string>
#include <vector>

#include "games/game_graph.h"
#include "games/game_lp.h"
#include "linear/mod_lp_simplex.h"
#include "platform/recording_surface.h"
#include "shell/mod1.h"
#include "support/grid_text.h"

using namespace quon;

namespace {

GridStore RandomGame(int m, int n, int seed = 0, int range = 100) {
  std::mt19937 rng(static_cast<unsigned>(m * 1000 + n + seed));
  std::uniform_int_distribution<int> pay(-range, range);
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 1; i <= m; ++i) {
    std::vector<std::string> cells;
    for (int j = 1; j <= n; ++j)
      cells.push_back(std::to_string(pay(rng)));
    test::SetRow(grid, i, cells);
  }
  return grid;
}

void Fresh() {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = 9;
}

// Arguments: rows, columns, seed and payoff range (payoffs from -range to range; a small range
// gives many ties and degenerate vertices).
GridStore GameOf(const benchmark::State &state) {
  return RandomGame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2)),
                    static_cast<int>(state.range(3)));
}

void GameArgs(benchmark::internal::Benchmark *b) {
  for (int seed = 0; seed < 3; ++seed)
    b->Args({100, 100, seed, 100});
  b->Args({100, 100, 0, 3})->Args({50, 150, 0, 100})->Args({150, 50, 0, 100})->Args({150, 150, 0, 5});
}

void BM_GameSolveLP(benchmark::State &state) {
  const GridStore grid = GameOf(state);
  for (auto _ : state) {
    Fresh();
    BuildGameLP(grid);
    SolveLP();
    benchmark::DoNotOptimize(g.ZValue);
  }
  state.counters["iterations"] = g.IterCount;
}
BENCHMARK(BM_GameSolveLP)->Apply(GameArgs)->Unit(benchmark::kMillisecond);

// The same linear program (LPData in the input layout) in the reference solver.
void BM_GameReferenceGlpk(benchmark::State &state) {
  Fresh();
  BuildGameLP(GameOf(state));
  int iterations = 0;
  for (auto _ : state) {
    glp_prob *lp = glp_create_prob();
    glp_term_out(GLP_OFF);
    glp_set_obj_dir(lp, GLP_MAX);
    glp_add_rows(lp, g.MRows);
    glp_add_cols(lp, g.NVars);
    glp_set_col_bnds(lp, 1, GLP_FR, 0, 0);
    for (int j = 2; j <= g.NVars; ++j)
      glp_set_col_bnds(lp, j, GLP_LO, 0, 0);
    glp_set_obj_coef(lp, 1, 1);
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int r = 3; r <= g.LastConstrRow; ++r) {
      const bool sum = r == g.LastConstrRow;
      glp_set_row_bnds(lp, r - 2, sum ? GLP_FX : GLP_UP, sum ? 1 : 0, sum ? 1 : 0);
      for (int j = 1; j <= g.NVars; ++j)
        if (g.LPData(r, j) != 0) {
          ia.push_back(r - 2);
          ja.push_back(j);
          ar.push_back(g.LPData(r, j));
        }
    }
    glp_load_matrix(lp, static_cast<int>(ar.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    benchmark::DoNotOptimize(glp_get_obj_val(lp));
    iterations = glp_get_it_cnt(lp);
    glp_delete_prob(lp);
  }
  state.counters["iterations"] = iterations;
}
BENCHMARK(BM_GameReferenceGlpk)->Apply(GameArgs)->Unit(benchmark::kMillisecond);

// The whole picture of a solved 2 x 100 game, on a surface of the graph screen's size.
void BM_GameGraph2x100(benchmark::State &state) {
  Fresh();
  BuildGameLP(RandomGame(2, 100));
  SolveLP();
  TwoRowGame game;
  for (int j = 1; j <= 100; ++j) {
    game.a1.push_back(-g.LPData(j + 2, 2));
    game.a2.push_back(-g.LPData(j + 2, 3));
  }
  game.t = g.XSol(2);
  game.value = g.ZValue;
  const GameGraphScale scale = GameScaleFor(game);
  for (auto _ : state) {
    RecordingSurface pic(7000, 7000);
    ApplyGameScale(pic, scale);
    DrawTwoRowGame(pic, game, scale, false);
    benchmark::DoNotOptimize(pic.Ops().size());
  }
}
BENCHMARK(BM_GameGraph2x100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
