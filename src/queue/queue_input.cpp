#include "queue/queue_input.h"

#include <algorithm>
#include <cmath>

#include "platform/values.h"

namespace quon {

namespace {
// The queue measures convert servers and limits to 16-bit integers.
constexpr double kLargestCount = 32767;
} // namespace

double QueueCellValue(const std::string &text) {
  if (text == "infinity") return 9999;
  return Val(text);
}

int16 CheckQueueScenario(const GridStore &grid, int16 i) {
  for (int j = 1; j <= 5; ++j) {
    double v = QueueCellValue(grid.TextMatrix(i, j));
    g.QueueData(i, j) = v;
    if (v < 0) return 1;
    // Servers and limits count customers: a fraction would be rounded away unseen.
    if (j >= 3 && (v > kLargestCount || v != std::floor(v))) return 1;
  }
  const double lambda = g.QueueData(i, 1);
  const double mu = g.QueueData(i, 2);
  const double c = g.QueueData(i, 3);
  const double sysLimit = g.QueueData(i, 4);
  const double srcLimit = g.QueueData(i, 5);
  if (lambda == 0 && mu == 0) return 1;
  if (lambda != 0 && mu != 0) {
    // Both rates positive: the measures divide by the servers and by the effective
    // arrival rate, which a limit below one makes zero.
    if (c < 1 || sysLimit < 1 || srcLimit < 1) return 1;
    // Without a limit the queue settles when the servers outpace the arrivals; an unlimited
    // number of servers always does, however fast the arrivals (9999 servers are no bound).
    if (sysLimit == 9999 && c != 9999 && c * mu <= lambda) return 1;
    if (sysLimit > srcLimit) return 1;
    return 0;
  }
  if (mu == 0) return 0;
  // Pure death: the population is the larger of the two limits. It must be a number: from a
  // population without end nobody is ever seen to leave, and no measure has a value.
  double population = std::max(sysLimit, srcLimit);
  g.QueueData(i, 4) = population;
  const bool counted = (sysLimit > 0 && sysLimit != 9999) || (srcLimit > 0 && srcLimit != 9999);
  return population <= 0 || !counted ? 1 : 0;
}

std::optional<InputMessage> ReadQueueInput(const GridStore &grid) {
  g.NScen = static_cast<int16>(grid.Rows() - 1);
  g.MRows = g.NScen;
  g.NVars = 5;
  g.QueuePn.ReDim(MaxPnN + 1);
  g.QueueCumPn.ReDim(MaxPnN + 1);
  g.QueueMeasures.ReDim(g.NScen, 9);
  if (g.QueueData.Dims() != 2 || g.QueueData.UBound(1) != g.NScen || g.QueueData.UBound(2) != 5)
    g.QueueData.ReDim(g.NScen, 5);

  // "infinity" is 9999 to the measures: a server count or a limit without end, but as a rate it
  // would come out as results made from that number.
  for (int16 i = 1; i <= g.NScen; ++i)
    for (int16 j = 1; j <= 2; ++j)
      if (grid.TextMatrix(i, j) == "infinity") {
        InputMessage m = CriticalMessage("Infinite Lambda or Mu not permitted in Scenario <" + std::to_string(i) +
                                             ">.  Enter a number",
                                         "Queue Data Error", i, j);
        m.beep = true;
        g.CurRow = i;
        g.CurCol = j;
        g.NScen = static_cast<int16>(-g.NScen);
        return m;
      }

  std::string list;
  int16 first = 0;
  for (int16 i = 1; i <= g.NScen; ++i) {
    if (CheckQueueScenario(grid, i) == 1) {
      if (!list.empty()) list += ", ";
      list += std::to_string(i);
      if (first == 0) first = i;
    }
  }
  if (first == 0) {
    for (int i = 1; i <= g.NScen; ++i) {
      for (int j = 1; j <= 5; ++j)
        g.QueueData(i, j) = QueueCellValue(grid.TextMatrix(i, j));
      if (g.QueueData(i, 2) == 0) g.QueueData(i, 3) = 0;
    }
    return std::nullopt;
  }

  InputMessage m = CriticalMessage("Inconsistent data in Scenario(s) <" + list + ">." +
                                       "  Check the following possible errors: (1) Negative entries, (2) "
                                       "BothLambda and Mu = 0, (3) Lambda "
                                       ">= mu*c in an infinite queue, (4) System Limit exceeds Source Limit, "
                                       "or (5) Missing or zero N in a "
                                       "pure death model ",
                                   "Queue Data Error", first, 1);
  m.beep = true;
  g.CurRow = first;
  g.CurCol = 1;
  g.NScen = static_cast<int16>(-g.NScen);
  return m;
}

} // namespace quon
