// Builds linear programs the way the input screen hands them over: a filled LP input grid.
#pragma once

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "input/problem_file.h"
#include "linear/lp_model.h"
#include "platform/grid_store.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon::testing {

struct LP {
  std::string sense = "Maximize";
  std::vector<double> c = {};
  std::vector<std::vector<double>> a = {};
  std::vector<std::string> rel = {}; // "<=", ">=", "="
  std::vector<double> b = {};
  // Cell texts of the bound and flag rows; empty vectors mean the grid's defaults
  // ("0", "infinity", "n").
  std::vector<std::string> lower = {}, upper = {}, unrestricted = {}, integer = {};
  std::vector<std::string> names = {};
};

// Maximise 3x1 + 5x2 subject to x1 <= 4, 2x2 <= 12 and 3x1 + 2x2 <= 18 (optimum 36 at
// x = (2, 6)): the textbook program most tests start from, its variables named "doors" and
// "windows" when asked.
inline LP DoorsAndWindows(bool named = false) {
  LP lp{.c = {3, 5}, .a = {{1, 0}, {0, 2}, {3, 2}}, .rel = {"<=", "<=", "<="}, .b = {4, 12, 18}};
  if (named) lp.names = {"doors", "windows"};
  return lp;
}

// Maximise sum 2^(n-j) x_j subject to 2 sum_{j<i} 2^(i-j) x_j + x_i <= 5^i (optimum 5^n):
// the largest-improvement rule visits all 2^n vertices on the way.
inline LP KleeMinty(int n) {
  LP lp;
  double five = 1;
  for (int i = 1; i <= n; ++i) {
    lp.c.push_back(std::ldexp(1, n - i));
    std::vector<double> row(static_cast<std::size_t>(n), 0.0);
    for (int j = 1; j < i; ++j)
      row[static_cast<std::size_t>(j - 1)] = std::ldexp(2, i - j);
    row[static_cast<std::size_t>(i - 1)] = 1;
    lp.a.push_back(row);
    lp.rel.push_back("<=");
    five *= 5;
    lp.b.push_back(five);
  }
  return lp;
}

// A seeded degenerate program of `size` rows and columns: small whole coefficients, two in
// three right-hand sides 0 (so many rows meet at every vertex), mostly "<=" rows and one row
// that bounds the sum of the variables.
inline LP DegenerateProgram(int size, unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  LP lp;
  lp.sense = pick(0, 1) ? "Maximize" : "Minimize";
  for (int j = 0; j < size; ++j)
    lp.c.push_back(pick(-4, 4));
  for (int i = 0; i < size; ++i) {
    std::vector<double> row;
    for (int j = 0; j < size; ++j)
      row.push_back(i == 0 ? 1 : pick(0, 2) == 0 ? 0 : pick(-4, 4));
    lp.a.push_back(row);
    const int r = pick(0, 5);
    lp.rel.push_back(i == 0 || r < 4 ? "<=" : r < 5 ? ">=" : "=");
    lp.b.push_back(i == 0 ? 10 * size : pick(0, 2) == 0 ? pick(1, 10) : 0);
  }
  return lp;
}

// A seeded program whose optimum is its starting vertex x = 0: maximise positive costs subject
// to dense "<=" rows (a third of the coefficients negative), all but `nonzero` right-hand sides
// 0. Proving that vertex optimal takes degenerate pivots only.
inline LP ZeroVertexProgram(int size, int nonzero, unsigned seed) {
  std::mt19937 rng(seed);
  auto uni = [&rng](double lo, double hi) {
    return std::round(100 * std::uniform_real_distribution<double>(lo, hi)(rng)) / 100;
  };
  LP lp;
  for (int j = 0; j < size; ++j)
    lp.c.push_back(uni(1.5, 9));
  for (int i = 0; i < size; ++i) {
    std::vector<double> row;
    for (int j = 0; j < size; ++j)
      row.push_back(rng() % 3 == 0 ? uni(-10, 0) : uni(0, 10));
    lp.a.push_back(row);
    lp.rel.push_back("<=");
    lp.b.push_back(0);
  }
  for (int k = 0; k < nonzero; ++k)
    lp.b[rng() % static_cast<unsigned>(size)] = uni(0, 100);
  return lp;
}

inline void FreshProgram(int modelClass = 3) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = static_cast<int16>(modelClass);
}

inline std::string Cell(double v) {
  return NumText(v);
}

inline GridStore MakeGrid(const LP &lp, bool integer = false) {
  const int m = static_cast<int>(lp.a.size());
  const int n = static_cast<int>(lp.c.size());
  GridStore grid;
  grid.SetRows(m + (integer ? 7 : 6));
  grid.SetCols(n + 3);
  grid.SetTextMatrix(2, 0, lp.sense);
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(1, j, lp.names.empty() ? "" : lp.names[j - 1]);
    grid.SetTextMatrix(2, j, Cell(lp.c[j - 1]));
    grid.SetTextMatrix(m + 3, j, lp.lower.empty() ? "0" : lp.lower[j - 1]);
    grid.SetTextMatrix(m + 4, j, lp.upper.empty() ? "infinity" : lp.upper[j - 1]);
    grid.SetTextMatrix(m + 5, j, lp.unrestricted.empty() ? "n" : lp.unrestricted[j - 1]);
    if (integer) grid.SetTextMatrix(m + 6, j, lp.integer.empty() ? "y" : lp.integer[j - 1]);
  }
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j)
      grid.SetTextMatrix(i + 2, j, Cell(lp.a[i - 1][j - 1]));
    grid.SetTextMatrix(i + 2, n + 1, "        " + lp.rel[i - 1]);
    grid.SetTextMatrix(i + 2, n + 2, Cell(lp.b[i - 1]));
  }
  return grid;
}

// A fresh program state with the LP built into its standard form.
inline void Build(const LP &lp) {
  FreshProgram();
  BuildLPStandardForm(MakeGrid(lp));
}

// A fresh program state with a problem file read as File/Open reads it, for the linear (3) or
// integer (5) program class, and built into its standard form; false when the file is not read.
inline bool BuildFromFile(const std::string &path, int modelClass = 3) {
  FreshProgram(modelClass);
  const OpenResult r = ReadProblemFile(path, modelClass, 0, 0);
  if (r.status != OpenStatus::Loaded) return false;
  ApplyProblemFile(r.file, modelClass);
  const GridShape shape = ShapeForElected(r.file, modelClass);
  GridStore grid;
  grid.SetRows(shape.rows);
  grid.SetCols(shape.cols);
  FillGridFromFile(grid, r.file, modelClass);
  BuildLPStandardForm(grid);
  return true;
}

} // namespace quon::testing
