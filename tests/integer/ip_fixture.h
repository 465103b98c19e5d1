// Integer programs as the input screen hands them over, and a record of an automated search
// subproblem by subproblem.
#pragma once

#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "shell/mod1.h"

namespace quon::testing {

// A fresh program with the integer program read into LPData and its saved standard form.
inline void BuildIP(const LP &lp) {
  FreshProgram(5);
  g.SenseText = lp.sense;
  BuildLPStandardForm(MakeGrid(lp, true));
  g.OutputOption = 1;
}

struct Examined {
  int32 n = 0;
  std::vector<double> lower, upper; // node bounds of x1..xn
  int16 r = 0;
  double z = 0;
};

struct SearchRecord {
  std::vector<Examined> nodes;
  std::vector<int32> incumbentAt;
  std::vector<double> incumbentZ;
  std::vector<std::vector<double>> incumbentX;
  SearchEnd end = SearchEnd::Completed;
};

inline SearchRecord Search() {
  SearchRecord rec;
  SearchEvents ev;
  ev.examined = [&rec](int32 n, int16 r) {
    Examined e;
    e.n = n;
    e.r = r;
    e.z = g.ZValue;
    for (int j = 1; j <= g.NVars; ++j) {
      e.lower.push_back(g.LPData(g.LBRow, j));
      e.upper.push_back(g.LPData(g.UBRow, j));
    }
    rec.nodes.push_back(e);
  };
  ev.improved = [&rec] {
    rec.incumbentAt.push_back(g.BestIter);
    rec.incumbentZ.push_back(g.BestObj);
    std::vector<double> x;
    for (int j = 1; j <= g.NVars; ++j)
      x.push_back(g.XSol(j));
    rec.incumbentX.push_back(x);
  };
  ResetIncumbent();
  rec.end = RunAutomatedSearch(ev);
  return rec;
}

// A program in one expression: its sense, objective, rows, relations and right-hand sides; the
// bound and flag rows as the grid's defaults.
inline LP Program(const std::string &sense, const std::vector<double> &c,
                  const std::vector<std::vector<double>> &a, const std::vector<std::string> &rel,
                  const std::vector<double> &b) {
  LP lp;
  lp.sense = sense;
  lp.c = c;
  lp.a = a;
  lp.rel = rel;
  lp.b = b;
  return lp;
}

// Maximise 3x1 + 2x2 subject to 2x1 + 2x2 <= 9 and 3x1 + x2 <= 10, both integer.
inline LP WorkedExample() {
  LP lp;
  lp.c = {3, 2};
  lp.a = {{2, 2}, {3, 1}};
  lp.rel = {"<=", "<="};
  lp.b = {9, 10};
  return lp;
}

// The worked example with x1 + x2 >= 5 added: no solution at all, integer or not.
inline LP InfeasibleExample() {
  LP lp = WorkedExample();
  lp.a.push_back({1, 1});
  lp.rel.push_back(">=");
  lp.b.push_back(5);
  return lp;
}

// Maximise x1 + x2 with x1 - x2 <= 2: the relaxation itself is unbounded.
inline LP UnboundedExample() { return Program("Maximize", {1, 1}, {{1, -1}}, {"<="}, {2}); }

// An unbounded relaxation (x3 grows without end) over no integer point at all: x5 follows
// from x4 in {0, 1, 2} by the first row, and the last row then leaves 2x1 + x2 a fraction.
inline LP NoIntegerPointUnboundedRelaxation() {
  LP lp;
  lp.sense = "Minimize";
  lp.c = {-6, -4, -7, -7, 6};
  lp.a = {{0, 0, 0, -5, 6}, {-3, -5, 0, -8, -8}, {-4, 2, -8, 3, 2}, {-9, 0, -2, 0, 0}, {2, 1, 0, 2, -4}};
  lp.rel = {"=", "<=", "<=", "<=", "="};
  lp.b = {8, -66, -65.5, -84, 9.5};
  lp.upper = {"infinity", "1", "infinity", "2", "infinity"};
  lp.integer = {"y", "y", "y", "y", "n"};
  return lp;
}

} // namespace quon::testing
