#include "queue/queue_measures.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/values.h"

namespace quon {

QueueState gq;

namespace {

// Probabilities below this are not worth a table row once the table has passed its peak.
constexpr double kShowThreshold = 1E-05;

int Count(double v) {
  if (auto c = CInt(v)) return *c;
  return v > 0 ? 32767 : -32768;
}

// Only the value that "infinity" reads as is unlimited, as the input check and the captions
// have it: 10000 servers or a source of 10000 are that many.
bool Unlimited(int v) { return v == kQueueInfinite; }

// Rows of the table p[0..] that are shown: the table ends at the first probability below the
// threshold after one has reached it (that row is not shown), else it is shown whole. The
// peak may be p0 itself, so every row takes part.
int ShownRows(const std::vector<double> &p) {
  bool reached = false;
  for (int n = 0; n < static_cast<int>(p.size()); ++n) {
    if (p[n] >= kShowThreshold)
      reached = true;
    else if (reached)
      return n;
  }
  return static_cast<int>(p.size());
}

// The table of scenario s: p[0..] into QueuePn (the rest zero), NPn rows, their cumulative sums.
void StoreTable(const std::vector<double> &p, int rows) {
  if (g.QueuePn.Dims() != 1 || g.QueuePn.UBound() != MaxPnN + 1) g.QueuePn.ReDim(MaxPnN + 1);
  if (g.QueueCumPn.Dims() != 1 || g.QueueCumPn.UBound() != MaxPnN + 1) g.QueueCumPn.ReDim(MaxPnN + 1);
  g.QueuePn.Fill(0);
  g.QueueCumPn.Fill(0);
  const int stored = std::min(static_cast<int>(p.size()), MaxPnN + 2);
  for (int n = 0; n < stored; ++n)
    g.QueuePn(n) = p[n];
  gq.NPn = static_cast<int16>(std::min(rows, MaxPnN + 1));
  double cum = 0;
  for (int n = 0; n <= gq.NPn; ++n) {
    cum += g.QueuePn(n);
    g.QueueCumPn(n) = cum;
  }
}

struct Measures {
  double lambdaEff = 0, p0 = 0, ls = 0, lq = 0;
};

// Normalises terms given by their logarithms; working in logarithms keeps large sources and
// server counts (products like K^n r^n / n!) from overflowing.
std::vector<double> Normalised(const std::vector<double> &logTerms, double logExtra, double *extra) {
  double top = logExtra;
  for (double v : logTerms)
    top = std::max(top, v);
  std::vector<double> p(logTerms.size());
  double sum = extra ? std::exp(logExtra - top) : 0;
  for (std::size_t n = 0; n < p.size(); ++n) {
    p[n] = std::exp(logTerms[n] - top);
    sum += p[n];
  }
  for (double &v : p)
    v /= sum;
  if (extra) *extra = std::exp(logExtra - top) / sum;
  return p;
}

// A queue that never holds more than `limit`: births at rate lambda (or lambda per idle member
// of a source of `source`), `servers` servers at rate mu. The whole state space is summed, so
// the measures do not depend on how much of it the table shows.
Measures FiniteQueue(double lambda, double mu, int servers, int limit, int source, std::vector<double> &p) {
  auto birth = [&](int n) { return Unlimited(source) ? lambda : lambda * (source - n); };
  std::vector<double> logTerms(static_cast<std::size_t>(limit) + 1);
  logTerms[0] = 0;
  for (int n = 1; n <= limit; ++n)
    logTerms[n] = logTerms[n - 1] + std::log(birth(n - 1)) - std::log(std::min(n, servers) * mu);
  p = Normalised(logTerms, 0, nullptr);

  Measures m;
  m.p0 = p[0];
  for (int n = 0; n <= limit; ++n) {
    m.ls += n * p[n];
    if (n > servers) m.lq += (n - servers) * p[n];
    if (n < limit) m.lambdaEff += birth(n) * p[n];
  }
  return m;
}

// The M/M/c queue without limits (rho < 1): p_n up to c in full, then a geometric tail.
Measures InfiniteQueue(double lambda, double mu, int servers, std::vector<double> &p) {
  const double r = lambda / mu;
  const double rho = r / servers;
  std::vector<double> logTerms(static_cast<std::size_t>(servers) + 1);
  logTerms[0] = 0;
  for (int n = 1; n <= servers; ++n)
    logTerms[n] = logTerms[n - 1] + std::log(r) - std::log(n);
  // States c and above together weigh term_c / (1 - rho); p_c counts in that tail, not twice.
  const double logTail = logTerms[servers] - std::log1p(-rho);
  logTerms.pop_back();
  double tail = 0;
  p = Normalised(logTerms, logTail, &tail);
  const double pc = tail * (1 - rho);

  Measures m;
  m.p0 = p[0];
  m.lq = rho * pc / ((1 - rho) * (1 - rho));
  m.ls = m.lq + r;
  m.lambdaEff = lambda;
  const int rows = MaxPnN + 1;
  double pn = pc;
  for (int n = servers; n < rows; ++n) {
    p.push_back(pn);
    pn *= rho;
  }
  return m;
}

// Poisson probabilities of mean a for n = 0..nmax.
std::vector<double> Poisson(double a, int nmax) {
  std::vector<double> p(static_cast<std::size_t>(nmax) + 1);
  for (int n = 0; n <= nmax; ++n)
    p[n] = a > 0 ? std::exp(n * std::log(a) - a - std::lgamma(n + 1.0)) : (n == 0 ? 1 : 0);
  return p;
}

// The Poisson probability of mean a of `from` or more, summed from `from` until the terms no
// longer count.
double PoissonTail(double a, int from) {
  double term = std::exp(from * std::log(a) - a - std::lgamma(from + 1.0));
  double sum = 0;
  for (int n = from; term > 0; ++n) {
    sum += term;
    if (n > a && term < sum * 1E-17) break;
    term *= a / (n + 1);
  }
  return std::min(1.0, sum);
}

void StoreMeasures(int s, double lambda, double mu, double lambdaEff) {
  for (int j = 1; j <= 9; ++j)
    g.QueueMeasures(s, j) = 0;
  g.QueueMeasures(s, 1) = lambda;
  g.QueueMeasures(s, 2) = mu;
  g.QueueMeasures(s, 3) = lambdaEff;
}

// Births at rate lambda from an empty system in unit time: Poisson(lambda) of them. A system
// or source that holds at most `limit` stops the births there, so its last state holds the
// rest of the Poisson mass (as the empty state does in the pure-death model) and Ls is the
// mean of min(births, limit). Without a limit the table is the distribution itself.
void PureBirth(int s, double lambda, std::optional<int> limit) {
  std::vector<double> p = Poisson(lambda, limit ? *limit : MaxPnN);
  double ls = lambda;
  if (limit) {
    const int last = *limit;
    double below = 0;
    ls = 0;
    for (int n = 0; n < last; ++n) {
      below += p[n];
      ls += n * p[n];
    }
    // The smaller of the two parts is summed, the larger one taken as the rest.
    p[last] = below < 0.5 ? 1 - below : PoissonTail(lambda, last);
    ls += last * p[last];
  }
  StoreMeasures(s, lambda, 0, 0);
  g.QueueMeasures(s, 5) = limit ? p[0] : std::exp(-lambda);
  g.QueueMeasures(s, 6) = ls;
  int rows = ShownRows(p);
  // A last state within the table that still counts is shown, with the rows before it.
  if (limit && *limit <= MaxPnN && rows <= *limit && p[*limit] >= kShowThreshold) rows = *limit + 1;
  if (static_cast<int>(p.size()) > MaxPnN + 1) p.resize(MaxPnN + 1);
  StoreTable(p, std::min(rows, static_cast<int>(p.size())));
}

// The population shrinks at rate mu from `population`: p_(population - k) is the Poisson
// probability of k departures, and the empty state takes the rest, all departures from the
// population on. Every state counts in Ls and p0, however small its probability.
void PureDeath(int s, double mu, int population) {
  std::vector<double> p(static_cast<std::size_t>(population) + 1, 0.0);
  const std::vector<double> departures = Poisson(mu, population - 1);
  double sum = 0, ls = 0;
  for (int k = 0; k < population; ++k) {
    const int n = population - k;
    p[n] = departures[static_cast<std::size_t>(k)];
    sum += p[n];
    ls += n * p[n];
  }
  p[0] = sum < 0.5 ? 1 - sum : PoissonTail(mu, population);
  StoreMeasures(s, 0, mu, 0);
  g.QueueMeasures(s, 5) = p[0];
  g.QueueMeasures(s, 6) = ls;
  StoreTable(p, population + 1);
}

} // namespace

int QueueServers(int s) { return Count(g.QueueData(s, 3)); }
int QueueSystemLimit(int s) { return Count(g.QueueData(s, 4)); }
int QueueSourceLimit(int s) { return Count(g.QueueData(s, 5)); }

int QueuePureDeathPopulation(int s) {
  const int n = QueueSystemLimit(s), k = QueueSourceLimit(s);
  int population = 0;
  for (int v : {n, k})
    if (v > 0 && !Unlimited(v)) population = population == 0 ? v : std::min(population, v);
  if (population == 0 && (Unlimited(n) || Unlimited(k))) population = MaxPnN;
  return std::min(population, MaxPnN);
}

std::string QueueModelNotation(int s) {
  auto limit = [](int v) { return v == kQueueInfinite ? std::string("infinity") : std::to_string(v); };
  return "(M/M/" + std::to_string(QueueServers(s)) + "):(GD/" + limit(QueueSystemLimit(s)) + "/" +
         limit(QueueSourceLimit(s)) + ")";
}

void ComputeQueueMeasures() {
  const int s = gq.CurScen;
  if (g.QueueData.Dims() != 2 || s < 1 || s > g.QueueData.UBound(1)) return;
  if (g.QueueMeasures.Dims() != 2 || g.QueueMeasures.UBound(1) < s) g.QueueMeasures.ReDimPreserve(s, 9);

  const double lambda = g.QueueData(s, 1);
  const double mu = g.QueueData(s, 2);
  const int c = QueueServers(s);
  const int sysLimit = QueueSystemLimit(s);
  const int source = QueueSourceLimit(s);
  const bool badRates = !(lambda >= 0 && mu >= 0) || (lambda == 0 && mu == 0);

  if (!badRates && mu == 0) {
    // The births stop at the smaller finite limit of the two.
    std::optional<int> limit;
    for (int v : {sysLimit, source})
      if (!Unlimited(v)) limit = std::max(0, std::min(v, limit.value_or(v)));
    PureBirth(s, lambda, limit);
    return;
  }
  if (!badRates && lambda == 0) {
    PureDeath(s, mu, QueuePureDeathPopulation(s));
    return;
  }

  const bool unlimitedSystem = Unlimited(sysLimit);
  int limit = unlimitedSystem ? -1 : sysLimit;
  if (!Unlimited(source)) limit = limit < 0 ? source : std::min(limit, source);
  const bool unstable = limit < 0 && !Unlimited(c) && c * mu <= lambda;
  StoreMeasures(s, lambda, mu, 0);
  if (badRates || c < 1 || sysLimit < 1 || source < 1 || unstable) {
    // Inputs the check keeps out; nothing is shown rather than a division by zero.
    StoreTable({}, 0);
    return;
  }

  std::vector<double> p;
  Measures m;
  if (limit >= 0) {
    // More servers than places in the system (an unlimited number included) are never busy.
    const int servers = Unlimited(c) ? limit : std::min(c, limit);
    m = FiniteQueue(lambda, mu, servers, limit, source, p);
  } else if (Unlimited(c)) {
    p = Poisson(lambda / mu, MaxPnN);
    m.p0 = std::exp(-lambda / mu);
    m.ls = lambda / mu;
    m.lambdaEff = lambda;
  } else {
    m = InfiniteQueue(lambda, mu, c, p);
  }
  if (static_cast<int>(p.size()) > MaxPnN + 1) p.resize(MaxPnN + 1);

  g.QueueMeasures(s, 3) = m.lambdaEff;
  g.QueueMeasures(s, 4) = lambda / mu;
  g.QueueMeasures(s, 5) = m.p0;
  g.QueueMeasures(s, 6) = m.ls;
  g.QueueMeasures(s, 7) = m.lq;
  g.QueueMeasures(s, 8) = m.ls / m.lambdaEff;
  g.QueueMeasures(s, 9) = m.lq / m.lambdaEff;
  StoreTable(p, ShownRows(p));
}

} // namespace quon
