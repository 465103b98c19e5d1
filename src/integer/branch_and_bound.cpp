#include "integer/branch_and_bound.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "shell/helpers.h"

namespace quon {

namespace {

// A missing bound is held as an infinite one, as the standard form holds it; every finite
// bound, however large, is a bound the engine must keep.
bool HasLower(double lb) {
  return std::isfinite(lb);
}
bool HasUpper(double ub) {
  return std::isfinite(ub);
}

void SetNodeBounds(int j, double lb, double ub) {
  g.LPData(g.LBRow, j) = lb;
  g.Tab(g.LBRow, j) = lb;
  g.LPData(g.UBRow, j) = ub;
  g.Tab(g.UBRow, j) = ub;
}

void NegateRow(int i) {
  for (int j = 1; j <= g.RHSInCol; ++j)
    g.Tab(i, j) = -g.Tab(i, j);
}

void MapSurplus(int r) {
  ++g.NArtificial1;
  g.SurplusMap(1, g.NArtificial1) = static_cast<int16>(g.NVars + g.NArtificial1);
  g.SurplusMap(2, g.NArtificial1) = static_cast<int16>(r);
}

} // namespace

int16 FindNodePosition(int16 id) {
  if (g.NodeIds.Empty()) return 0;
  for (int p = 1; p <= g.NodeIds.UBound(); ++p)
    if (g.NodeIds(p) == id) return static_cast<int16>(p);
  return 0;
}

bool ApplyNodeBounds() {
  const int n = g.NVars;
  for (int j = 1; j <= n; ++j)
    SetNodeBounds(j, g.LPData(0, j), g.LPData(1, j));

  if (g.OutputOption == 1) {
    // Cumulative: a later branch on the same variable starts from the bound the earlier left.
    for (int i = 1; i <= g.BBTop; ++i) {
      const int k = std::abs(g.BBVar(i));
      if (g.BBVar(i) < 0)
        SetNodeBounds(k, VarMax(g.BBVal(i), g.LPData(g.LBRow, k)), g.LPData(g.UBRow, k));
      else if (g.BBVar(i) > 0)
        SetNodeBounds(k, g.LPData(g.LBRow, k), VarMin(g.BBVal(i), g.LPData(g.UBRow, k)));
    }
  } else if (g.OutputOption == 2 && g.CurNodeId != 0) {
    const int p = FindNodePosition(g.CurNodeId);
    if (p > 0) {
      const int base = (p - 1) * 2 * n;
      for (int j = 1; j <= n; ++j)
        SetNodeBounds(j, VarMax(g.NodeBounds(base + j), g.LPData(0, j)),
                      VarMin(g.NodeBounds(base + n + j), g.LPData(1, j)));
    }
  }

  bool crossed = false;
  g.NBoundA = 0;
  g.NUpperBounded = 0;
  for (int j = 1; j <= n; ++j) {
    const double lb = g.LPData(g.LBRow, j);
    const double ub = g.LPData(g.UBRow, j);
    // Every finite non-zero lower bound is taken out by substitution, negative ones too.
    if (HasLower(lb) && lb != 0) ++g.NBoundA;
    if (HasUpper(ub)) ++g.NUpperBounded;
    if (lb > ub) crossed = true;
    // A variable is carried with a switchable sign only while it has no finite bound at all.
    g.Tab(g.FreeVarRow, j) = HasLower(lb) || HasUpper(ub) ? 0 : 1;
  }
  g.ZValue = 0;
  g.ObjShift = 0;

  for (int r = 2; r <= g.LastConstrRow; ++r) {
    for (int j = 1; j <= n; ++j)
      g.Tab(r, j) = g.LPData(r, j);
    g.Tab(r, g.TypeCol) = g.LPData(r, g.TypeCol);
    g.Tab(r, g.RHSInCol) = g.LPData(r, g.RHSInCol);
  }
  if (crossed) return false;
  BuildSubproblemLP();
  return true;
}

void BuildSubproblemLP() {
  const int n = g.NVars;
  const int m = g.MRows;
  // Called for every node, not only when NBoundA > 0: it also clears the shift marks that an
  // earlier node left, which the solution read-back would otherwise apply.
  SubstituteLowerBounds();

  g.NArtificial1 = 0;
  g.NArtificial2 = 0;
  for (int r = 1; r <= m; ++r) {
    const int i = r + 2;
    const bool negative = g.Tab(i, g.RHSInCol) < 0;
    // The mark the solve reads to take its multipliers back to the rows as typed: a node turns
    // around the rows its own bounds leave with a negative right-hand side.
    g.TabBackup(r, 0) = negative ? -1 : 0;
    const char t = g.ConstrType(r).str().empty() ? '<' : g.ConstrType(r).str()[0];
    if (t == '=') {
      ++g.NArtificial2;
      g.Tab(i, g.TypeCol) = 0;
      g.LPData(i, g.TypeCol) = 0;
      if (negative) NegateRow(i);
    } else if (t == '>') {
      g.Tab(i, g.TypeCol) = 1;
      g.LPData(i, g.TypeCol) = 1;
      if (negative)
        NegateRow(i);
      else
        MapSurplus(r);
    } else {
      g.Tab(i, g.TypeCol) = -1;
      g.LPData(i, g.TypeCol) = -1;
      if (negative) {
        NegateRow(i);
        MapSurplus(r);
      }
    }
  }

  g.NColsPlus1 = static_cast<int16>(n + g.NArtificial1 + m + 1);
  g.NCols = static_cast<int16>(g.NColsPlus1 - 1);
  g.NColsPlus2 = static_cast<int16>(g.NColsPlus1 + 1);
  ReDimProblemArrays(ArrayKind::LPSecondStage);

  for (int j = 1; j <= g.NCols; ++j) {
    g.ColKind2(j) = "";
    if (j <= n) {
      g.ColNames(j) = "x" + std::to_string(j);
      if (g.Tab(g.FreeVarRow, j) == 1) g.ColKind2(j) = "+";
      // A variable bounded only from above is carried as its bound less itself.
      if (g.BoundLabel(j) == "U") g.ColKind2(j) = "-";
    } else {
      g.Tab(g.LBRow, j) = 0;
      g.Tab(g.UBRow, j) = kLPInfinity;
      g.Tab(g.FreeVarRow, j) = 0;
    }
  }
  for (int j = g.TypeCol; j <= g.NCols; ++j)
    g.Tab(2, j) = 0;

  AddSlackAndArtificialColumns();
}

LPStatus SolveNode() {
  if (ApplyNodeBounds()) return SolveLP();
  g.ZValue = -g.Infinity;
  g.LPResult = LPStatus::Infeasible;
  return g.LPResult;
}

int16 PickBranchingVariable() {
  switch (g.LPResult) {
  case LPStatus::Optimal:
    break;
  case LPStatus::Infeasible:
    return kNodeInfeasible;
  case LPStatus::Unbounded:
    return kNodeUnbounded;
  default:
    return kNodeSolveFailed;
  }
  for (int j = 1; j <= g.NVars; ++j) {
    if (std::fabs(g.XSol(j)) < 1E-8) g.XSol(j) = 0;
    if (g.LPData(g.IntRow, j) != 1.0) continue;
    if (!IsWholeValue(g.XSol(j))) return static_cast<int16>(j);
  }
  return kNodeIntegral;
}

bool IsWholeValue(double v) {
  // Judged in double precision: rounded to single precision, 100000.001 was whole. The
  // allowance grows with the size but stops at 1E-4, or a value of 1E9 would be whole with
  // a fraction of a tenth.
  return std::fabs(v - std::round(v)) <= std::max(1E-8, std::min(1E-10 * std::fabs(v), 1E-4));
}

void ResetUserTreeIncumbent() {
  g.BestBound = g.ObjSense * INFINITY;
}

bool UserTreeHasIncumbent() {
  return std::isfinite(g.BestBound);
}

std::string MinMaxLabel() {
  if (g.ObjSense == -1) return " (MAX) ";
  if (g.ObjSense == 1) return " (MIN) ";
  return "";
}

int32 BBSubproblemLimit = 32000;

void ResetIncumbent() {
  g.BestObj = g.ObjSense * g.Infinity;
  g.BestIter = 0;
}

namespace {

void PushBranch(int16 var, double value) {
  const int top = g.BBTop + 1;
  if (g.BBVar.Empty() || top > g.BBVar.UBound()) {
    const int size = g.BBVar.Empty() ? 2 * g.NVars + 16 : 2 * g.BBVar.UBound();
    g.BBVar.ReDimPreserve(size);
    g.BBVal.ReDimPreserve(size);
  }
  g.BBTop = static_cast<int16>(top);
  g.BBVar(top) = var;
  g.BBVal(top) = value;
}

// Moves to the next node on the stack: the ">=" sibling of the deepest "<=" branch, dropping
// the levels whose both children are done. False when the whole tree is done.
bool Backtrack() {
  while (g.BBTop > 0) {
    const int top = g.BBTop;
    if (g.BBVar(top) > 0) {
      g.BBVar(top) = static_cast<int16>(-g.BBVar(top));
      g.BBVal(top) = g.BBVal(top) + 1;
      return true;
    }
    --g.BBTop;
  }
  return false;
}

} // namespace

namespace {
std::vector<FoundSolution> foundSolutions;
SearchEnd lastSearchEnd = SearchEnd::Completed;

SearchEnd Search(const SearchEvents &events);
} // namespace

const std::vector<FoundSolution> &FoundSolutions() { return foundSolutions; }
SearchEnd LastSearchEnd() { return lastSearchEnd; }

SearchEnd RunAutomatedSearch(const SearchEvents &events) {
  foundSolutions.clear();
  lastSearchEnd = Search(events);
  return lastSearchEnd;
}

namespace {
SearchEnd Search(const SearchEvents &events) {
  g.LpSolveMode = 1;
  g.FinalIteration = 1;
  g.BBTop = 0;
  for (;;) {
    if (events.examining) events.examining(g.FinalIteration);
    SolveNode();
    const int16 r = PickBranchingVariable();
    if (events.examined) events.examined(g.FinalIteration, r);

    if (r == kNodeSolveFailed) return SearchEnd::SolveFailed;
    if (r == kNodeUnbounded) return SearchEnd::Unbounded;
    if (r == kNodeInfeasible && g.FinalIteration == 1) return SearchEnd::Completed;

    bool branched = false;
    if (r >= 0 && g.BestIter != 0 && g.ObjSense * g.BestObj <= g.ObjSense * g.ZValue) {
      // No better than the incumbent (ties included): fathomed.
    } else if (r == kNodeIntegral) {
      g.BestObj = g.ZValue;
      g.BestIter = g.FinalIteration;
      FoundSolution found{g.FinalIteration, g.ZValue, std::vector<double>(static_cast<std::size_t>(g.NVars) + 1)};
      for (int j = 1; j <= g.NVars; ++j)
        found.x[static_cast<std::size_t>(j)] = g.XSol(j);
      foundSolutions.push_back(std::move(found));
      if (events.improved) events.improved();
    } else if (r > 0) {
      PushBranch(r, std::floor(g.XSol(r)));
      branched = true;
    }
    if (!branched && !Backtrack()) return SearchEnd::Completed;

    ++g.FinalIteration;
    if (g.FinalIteration > BBSubproblemLimit) return SearchEnd::LimitExceeded;
  }
}

} // namespace

} // namespace quon
