#include "queue/queue_report.h"

#include "platform/values.h"
#include "queue/queue_measures.h"
#include "shell/helpers.h"
#include "shell/mod1.h"

namespace quon {

namespace {

std::string F(double v) { return Format(v, NumberFormatString()); }

} // namespace

QueueModelKind QueueKind(int s) {
  if (g.QueueData(s, 1) == 0) return QueueModelKind::PureDeath;
  if (g.QueueData(s, 2) == 0) return QueueModelKind::PureBirth;
  return QueueModelKind::Poisson;
}

std::string QueuePopulationText(int s) { return Str(QueuePureDeathPopulation(s)); }

std::array<std::string, 10> QueueComparativeRow(int s) {
  const int c = QueueServers(s);
  std::array<std::string, 10> row{Trim(Format(s, "####")), c == kQueueInfinite ? "infinity" : Trim(Format(c, "###0")),
                                  F(g.QueueMeasures(s, 1)), F(g.QueueMeasures(s, 2)), F(g.QueueMeasures(s, 3))};
  for (int j = 5; j <= 9; ++j)
    row[j] = F(g.QueueMeasures(s, j));
  if (QueueKind(s) != QueueModelKind::Poisson)
    for (int j : {4, 7, 8, 9})
      row[j].clear();
  return row;
}

std::array<std::string, 8> QueueMeasureTexts(int s) {
  const double lambda = g.QueueMeasures(s, 1), mu = g.QueueMeasures(s, 2);
  std::array<std::string, 8> out{F(lambda), F(mu), "", "", F(g.QueueMeasures(s, 6))};
  if (lambda > 0 && mu > 0) {
    const int c = QueueServers(s);
    out[2] = F(g.QueueMeasures(s, 3));
    if (c > 0) out[3] = F(g.QueueMeasures(s, 4) / c);
    out[5] = F(g.QueueMeasures(s, 7));
    out[6] = F(g.QueueMeasures(s, 8));
    out[7] = F(g.QueueMeasures(s, 9));
  }
  return out;
}

int QueueTableHalf() { return (gq.NPn + 1) / 2; }

std::array<std::string, 3> QueueTableRow(int n) {
  return {Format(n, "####0"), F(g.QueuePn(n)), F(g.QueueCumPn(n))};
}

} // namespace quon
