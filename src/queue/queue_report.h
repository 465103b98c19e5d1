// The texts of a queueing scenario that the output screen and the printout share: the model
// captions, the comparative table's rows, the measures and the probability table's rows, all
// in the current output number format.
#pragma once

#include <array>
#include <string>

namespace quon {

inline constexpr std::array<const char *, 10> kQueueComparativeHeads = {
    "Scenario", "c", "Lambda", "Mu", "L'da eff", "p0", "Ls", "Lq", "Ws", "Wq"};
inline constexpr std::array<const char *, 3> kQueueTableHeads = {"n", "Probability, pn", "Cumulative, Pn"};

enum class QueueModelKind { Poisson, PureBirth, PureDeath };
QueueModelKind QueueKind(int s);

// The system limit a pure-death caption names: the population its measures used.
std::string QueuePopulationText(int s);

// Scenario number, servers ("infinity" when unlimited), lambda, mu, lambda eff, p0, Ls, Lq, Ws,
// Wq; a pure birth or death has no lambda eff, Lq, Ws or Wq.
std::array<std::string, 10> QueueComparativeRow(int s);

// Lambda, mu, lambda eff, rho/c, Ls, Lq, Ws, Wq; only lambda, mu and Ls for a pure birth or death.
std::array<std::string, 8> QueueMeasureTexts(int s);

// Rows per block of the two-block probability table: half the rows, rounded up.
int QueueTableHalf();
// n, p_n and P_n of the last computed table.
std::array<std::string, 3> QueueTableRow(int n);

} // namespace quon
