#include "transport/transport_input.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

namespace {

// The editor goes to the amount refused.
InputMessage NegativeAmount(const char *text, int row, int col) {
  InputMessage m = CriticalMessage(text, "Error", row, col);
  m.style = msg::OKCancel | msg::Critical;
  return m;
}

// Digits of the integer part of a magnitude, counted on its exact decimal text so that large
// costs do not lose a digit to rounding.
int IntegerDigits(double magnitude) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", std::floor(magnitude));
  int n = 0;
  for (const char *p = buf; *p; ++p)
    if (*p >= '0' && *p <= '9') ++n;
  return n;
}

} // namespace

double TransInfinityCost(double largestFiniteCost) {
  int digits = IntegerDigits(std::fabs(largestFiniteCost));
  double nines = 0;
  for (int i = 0; i <= digits; ++i)
    nines = nines * 10 + 9;
  return nines;
}

std::optional<InputMessage> ReadTransInput(const GridStore &grid) {
  const int rows = grid.Rows();
  const int cols = grid.Cols();
  g.TransStartMethod = 0;
  g.Entering = 0;
  g.Leaving = 0;
  g.ZValue = 0;
  g.TransDummySource = 0;
  g.TransDummyDest = 0;
  g.TransSources = static_cast<int16>(rows - 3);
  g.TransDests = static_cast<int16>(cols - 3);

  // Amounts and their totals are kept in double precision: in single precision a sum of many
  // large amounts drifts (equal totals came out apart and a balanced problem got a dummy), and
  // an amount or a dummy's amount beyond 2^24 loses its last digits, which leaves the problem
  // unbalanced. Totals that differ only by rounding (typed fractions) balance.
  double supplySum = 0;
  for (int r = 2; r <= rows - 2; ++r) {
    const double v = Val(grid.TextMatrix(r, cols - 1));
    if (v < 0) {
      g.Entering = -1;
      return NegativeAmount("Only NONNEGATIVE sypply amounts are allowed", r, cols - 1);
    }
    supplySum += v;
  }
  double demandSum = 0;
  for (int c = 2; c <= cols - 2; ++c) {
    const double v = Val(grid.TextMatrix(rows - 1, c));
    if (v < 0) {
      g.Entering = -1;
      return NegativeAmount("Only NONNEGATIVE demand amounts are allowed", rows - 1, c);
    }
    demandSum += v;
  }

  const bool balanced = std::fabs(supplySum - demandSum) <= 1E-12 * std::max(supplySum, demandSum);
  if (!balanced && supplySum > demandSum) g.TransDummyDest = 1;
  if (!balanced && demandSum > supplySum) g.TransDummySource = 1;
  const int m = g.TransSources + g.TransDummySource;
  const int n = g.TransDests + g.TransDummyDest;
  g.TransSources = static_cast<int16>(m);
  g.TransDests = static_cast<int16>(n);
  g.NVars = static_cast<int16>(m * n);
  g.MRows = static_cast<int16>(m + n - 1);
  ReDimProblemArrays(ArrayKind::Transportation);

  // The cost standing for "infinity" must exceed every finite cost in magnitude, whatever the
  // signs: from the signed largest, costs -3 and -500 gave 99, and a route at 99 beat one at
  // -500. With no negative cost the largest magnitude is the largest cost.
  double largest = 999999; // no finite cost: seven nines
  bool anyFinite = false;
  for (int r = 2; r <= rows - 2; ++r)
    for (int c = 2; c <= cols - 2; ++c) {
      const std::string &t = grid.TextMatrix(r, c);
      if (t == "infinity" || t == "-infinity") continue;
      const double v = std::fabs(Val(t));
      if (!anyFinite || v > largest) largest = v;
      anyFinite = true;
    }
  const double infCost = TransInfinityCost(largest);
  g.TransInfinity = infCost;

  int s = 0;
  int k = 0;
  for (int r = 2; r <= rows - 2; ++r) {
    ++s;
    g.SourceName(s) = grid.TextMatrix(r, 1);
    g.TransSupply(s) = Val(grid.TextMatrix(r, cols - 1));
    for (int c = 2; c <= cols - 2; ++c) {
      ++k;
      const std::string &t = grid.TextMatrix(r, c);
      if (t == "infinity")
        g.Cost(k) = infCost;
      else if (t == "-infinity")
        g.Cost(k) = -infCost;
      else
        g.Cost(k) = Val(t);
    }
    if (g.TransDummyDest == 1) g.Cost(++k) = 0;
  }
  if (g.TransDummySource == 1) {
    g.SourceName(m) = "DummyS";
    g.TransSupply(m) = demandSum - supplySum;
  }

  int t = 0;
  for (int c = 2; c <= cols - 2; ++c) {
    ++t;
    g.DestName(t) = grid.TextMatrix(1, c);
    g.TransDemand(t) = Val(grid.TextMatrix(rows - 1, c));
  }
  if (g.TransDummyDest == 1) {
    g.DestName(n) = "DummyD";
    g.TransDemand(n) = supplySum - demandSum;
  }

  for (int i = 1; i <= m; ++i)
    g.InvInput(i, 0) = g.TransSupply(i);
  for (int j = 1; j <= n; ++j)
    g.InvInput(m + j, 0) = g.TransDemand(j);
  for (int c = 1; c <= g.NVars; ++c)
    g.NonBasicMark(c) = static_cast<int16>(c);
  return std::nullopt;
}

} // namespace quon
