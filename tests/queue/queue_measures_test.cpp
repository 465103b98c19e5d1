#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "queue/queue_measures.h"
#include "queue/queue_scenarios.h"

namespace quon {
namespace {

constexpr double kInf = testing::kQueueInf;

struct Scenario {
  double lambda, mu, c, n, k;
};

std::string Describe(const Scenario &s) {
  return "lambda " + std::to_string(s.lambda) + " mu " + std::to_string(s.mu) + " c " + std::to_string(s.c) +
         " N " + std::to_string(s.n) + " K " + std::to_string(s.k);
}

// One scenario, computed.
void Compute(const Scenario &s) {
  g = Mod1{};
  testing::LoadQueueScenarios({{s.lambda, s.mu, s.c, s.n, s.k}});
  gq.CurScen = 1;
  ComputeQueueMeasures();
}

double M(int j) { return g.QueueMeasures(1, j); }
enum { kLambda = 1, kMu, kLambdaEff, kRatio, kP0, kLs, kLq, kWs, kWq };

// An independent steady-state solver: the birth-death chain of the scenario, p_n proportional
// to the product of lambda_k / mu_(k+1), in long double with plain products (rescaled only when
// they leave even that range), and the waiting times from Little's law.
struct Reference {
  std::vector<long double> p;
  long double lambdaEff = 0, ls = 0, lq = 0, ws = 0, wq = 0;
};

Reference Solve(const Scenario &s) {
  const bool finiteSource = s.k != kInf;
  const bool finiteSystem = s.n != kInf;
  const long double limit = finiteSystem ? std::min(s.n, finiteSource ? s.k : s.n) : (finiteSource ? s.k : 1e9);
  auto birth = [&](long double n) -> long double {
    if (n >= limit) return 0;
    return finiteSource ? s.lambda * (s.k - n) : s.lambda;
  };
  auto death = [&](long double n) -> long double { return std::min<long double>(n, s.c) * s.mu; };

  std::vector<long double> w{1};
  long double sum = 1;
  for (int n = 1;; ++n) {
    const long double b = birth(n - 1);
    if (b == 0) break;
    long double t = w.back() * b / death(n);
    if (t > 1e4000L) {
      for (long double &v : w)
        v *= 1e-4000L;
      sum *= 1e-4000L;
      t *= 1e-4000L;
    }
    w.push_back(t);
    sum += t;
    // An unlimited queue ends where its terms no longer count.
    if (!finiteSystem && !finiteSource && n > s.c && t < sum * 1e-22L) break;
  }
  Reference r;
  for (std::size_t n = 0; n < w.size(); ++n) {
    const long double pn = w[n] / sum;
    r.p.push_back(pn);
    r.ls += n * pn;
    r.lq += std::max<long double>(0, n - s.c) * pn;
    r.lambdaEff += birth(static_cast<long double>(n)) * pn;
  }
  r.ws = r.ls / r.lambdaEff;
  r.wq = r.lq / r.lambdaEff;
  return r;
}

// The measures j of the scenario computed last, each within its tolerance (0: exactly).
void ExpectMeasures(std::initializer_list<std::tuple<int, double, double>> want) {
  for (const auto &[j, value, tol] : want)
    EXPECT_NEAR(M(j), value, tol) << "measure " << j;
}

void ExpectClose(double actual, long double expected, const std::string &what) {
  const double e = static_cast<double>(expected);
  EXPECT_NEAR(actual, e, 1e-9 * std::max(1.0, std::fabs(e))) << what;
}

// Everything the engine computed for the scenario agrees with the reference, and the table
// obeys its stop rule.
void ExpectAgrees(const Scenario &s) {
  Compute(s);
  const Reference r = Solve(s);
  const std::string what = Describe(s);
  ExpectClose(M(kLambdaEff), r.lambdaEff, what + " lambda eff");
  ExpectClose(M(kP0), r.p[0], what + " p0");
  ExpectClose(M(kLs), r.ls, what + " Ls");
  ExpectClose(M(kLq), r.lq, what + " Lq");
  ExpectClose(M(kWs), r.ws, what + " Ws");
  ExpectClose(M(kWq), r.wq, what + " Wq");
  EXPECT_DOUBLE_EQ(M(kRatio), s.lambda / s.mu) << what;

  const int rows = gq.NPn;
  ASSERT_GE(rows, 1) << what;
  ASSERT_LE(rows, MaxPnN + 1) << what;
  double cum = 0;
  bool reached = false;
  for (int n = 0; n < rows; ++n) {
    const long double expected = n < static_cast<int>(r.p.size()) ? r.p[n] : 0;
    EXPECT_NEAR(g.QueuePn(n), static_cast<double>(expected), 1e-12) << what << " p" << n;
    cum += g.QueuePn(n);
    EXPECT_NEAR(g.QueueCumPn(n), cum, 1e-12) << what << " P" << n;
    if (g.QueuePn(n) >= 1e-5) reached = true;
    EXPECT_FALSE(reached && g.QueuePn(n) < 1e-5) << what << " row " << n << " past the stop";
  }
  const int lastState = static_cast<int>(r.p.size()) - 1;
  // A state space the table holds whole adds up to one.
  if (lastState <= MaxPnN) {
    double all = 0;
    for (int n = 0; n <= lastState; ++n)
      all += g.QueuePn(n);
    EXPECT_NEAR(all, 1, 1e-12) << what;
  }
  if (rows < std::min(lastState, MaxPnN) + 1) {
    EXPECT_TRUE(reached) << what;
    EXPECT_LT(g.QueuePn(rows), 1e-5) << what << " stopped early at " << rows;
  }
}

TEST(QueueMeasures, EveryModelAgreesWithABirthDeathSolverOnRandomScenarios) {
  std::mt19937 rng(20261209);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  auto whole = [&](int lo, int hi) { return static_cast<double>(std::uniform_int_distribution<int>(lo, hi)(rng)); };
  // Rates as a user types them: two decimals.
  auto rate = [&](double lo, double hi) { return std::round(uniform(lo, hi) * 100) / 100; };

  for (int trial = 0; trial < 60; ++trial) {
    const double mu = rate(0.1, 5);
    // M/M/1 and M/M/c without limits.
    double c = trial % 3 == 0 ? 1 : whole(2, 40);
    ExpectAgrees({rate(0.05, 0.97) * c * mu, mu, c, kInf, kInf});
    // M/M/c/N at any load, limits past the table and servers beyond the limit included.
    c = whole(1, 12);
    const double n = trial % 4 == 0 ? whole(501, 1500) : whole(1, 60);
    ExpectAgrees({rate(0.1, 3) * c * mu, mu, c, n, kInf});
    // Finite source (machine repair), system limit at or below the source.
    const double k = trial % 5 == 0 ? whole(150, 400) : whole(1, 40);
    c = whole(1, 10);
    ExpectAgrees({rate(0.01, 2) * mu, mu, c, trial % 2 ? k : whole(1, static_cast<int>(k)), k});
    // Self-service: unlimited, with a system limit, with a finite source.
    ExpectAgrees({rate(0.1, 30) * mu, mu, kInf, kInf, kInf});
    ExpectAgrees({rate(0.1, 30) * mu, mu, kInf, whole(1, 80), kInf});
    const double source = whole(1, 60);
    ExpectAgrees({rate(0.01, 2) * mu, mu, kInf, source, source});
  }
}

TEST(QueueMeasures, TextbookClosedForms) {
  // M/M/1: p0 = 1 - r, Ls = r / (1 - r).
  Compute({2, 3, 1, kInf, kInf});
  ExpectMeasures({{kP0, 1.0 / 3, 1e-12}, {kLs, 2, 1e-12}, {kLq, 4.0 / 3, 1e-12}, {kWs, 1, 1e-12},
                  {kWq, 2.0 / 3, 1e-12}, {kLambdaEff, 2, 0}});

  // M/M/3 with lambda 5, mu 2.
  Compute({5, 2, 3, kInf, kInf});
  ExpectMeasures({{kLs, 6.011236, 5e-7}, {kLq, 3.511236, 5e-7}, {kWs, 1.2022472, 5e-8},
                  {kWq, 0.7022472, 5e-8}, {kP0, 4.0 / 89, 1e-12}});

  // M/M/c/N: Lq = p0 r^c rho / (c! (1 - rho)^2) (1 - rho^(N-c+1) - (N-c+1)(1 - rho) rho^(N-c)).
  {
    const double lambda = 5, mu = 2, r = 2.5, rho = r / 3;
    const int c = 3, n = 10;
    double sum = 0, term = 1;
    for (int i = 0; i <= n; ++i) {
      sum += term;
      term *= r / std::min(i + 1, c);
    }
    const double p0 = 1 / sum, pn = p0 * std::pow(r, c) / 6 * std::pow(rho, n - c);
    const double lq = p0 * std::pow(r, c) * rho / (6 * (1 - rho) * (1 - rho)) *
                      (1 - std::pow(rho, n - c + 1) - (n - c + 1) * (1 - rho) * std::pow(rho, n - c));
    Compute({lambda, mu, c, n, kInf});
    EXPECT_NEAR(M(kP0), p0, 1e-12);
    EXPECT_NEAR(M(kLq), lq, 1e-12);
    EXPECT_NEAR(M(kLambdaEff), lambda * (1 - pn), 1e-12);
  }

  // Machine repair, one repairer: Ls = K - (mu / lambda)(1 - p0).
  {
    const double lambda = 0.1, mu = 0.5;
    const int k = 8;
    double sum = 0, term = 1;
    for (int i = 0; i <= k; ++i) {
      sum += term;
      term *= (k - i) * lambda / mu;
    }
    Compute({lambda, mu, 1, k, k});
    EXPECT_NEAR(M(kP0), 1 / sum, 1e-12);
    EXPECT_NEAR(M(kLs), k - mu / lambda * (1 - 1 / sum), 1e-12);
    EXPECT_NEAR(M(kLambdaEff), lambda * (k - M(kLs)), 1e-12);
  }
}

TEST(QueueMeasures, WorkedExamplesAndTheirTables) {
  // M/M/1/4 with lambda = mu: five equal states.
  Compute({3, 3, 1, 4, kInf});
  EXPECT_EQ(gq.NPn, 5);
  for (int n = 0; n <= 4; ++n)
    EXPECT_NEAR(g.QueuePn(n), 0.2, 1e-12);
  EXPECT_NEAR(g.QueueCumPn(4), 1, 1e-12);
  EXPECT_NEAR(M(kLambdaEff), 0.8 * 3, 1e-12);
  EXPECT_NEAR(M(kLs), 2, 1e-12);

  // Self-service, r = 2: Poisson.
  Compute({4, 2, kInf, kInf, kInf});
  ExpectMeasures({{kP0, std::exp(-2), 1e-14}, {kLs, 2, 1e-14}, {kLq, 0, 0}, {kWq, 0, 0}});
  EXPECT_NEAR(g.QueuePn(3), std::exp(-2) * 8 / 6, 1e-14);

  // M/M/2 with system and source limit 5.
  Compute({0.5, 1, 2, 5, 5});
  EXPECT_EQ(gq.NPn, 6);
  EXPECT_NEAR(M(kLambdaEff), 0.5 * (5 - M(kLs)), 1e-12);

  // M/M/1, lambda 2, mu 3: p_n = (1/3)(2/3)^n falls below 1E-05 first at n = 26, not shown.
  Compute({2, 3, 1, kInf, kInf});
  EXPECT_EQ(gq.NPn, 26);

  // Pure birth, lambda 3: Poisson; the table ends at the first p_n below 1E-05 past the peak.
  Compute({3, 0, 0, kInf, kInf});
  EXPECT_NEAR(M(kP0), std::exp(-3), 1e-14);
  EXPECT_EQ(M(kLs), 3);
  for (int j : {kLambdaEff, kRatio, kLq, kWs, kWq})
    EXPECT_EQ(M(j), 0);
  EXPECT_GE(g.QueuePn(gq.NPn - 1), 1e-5);
  EXPECT_LT(g.QueuePn(gq.NPn), 1e-5);
  EXPECT_EQ(gq.NPn, 14);

  // Pure death, mu 1 from 5: p5 = p4 = e^-1, p3 = e^-1 / 2, six rows, Ls with 5 p5.
  Compute({0, 1, 0, 5, kInf});
  EXPECT_EQ(gq.NPn, 6);
  EXPECT_NEAR(g.QueuePn(5), std::exp(-1), 1e-14);
  EXPECT_NEAR(g.QueuePn(4), std::exp(-1), 1e-14);
  EXPECT_NEAR(g.QueuePn(3), std::exp(-1) / 2, 1e-14);
  double ls = 0, sum = 0;
  for (int n = 1; n <= 5; ++n) {
    ls += n * g.QueuePn(n);
    sum += g.QueuePn(n);
  }
  EXPECT_NEAR(M(kLs), ls, 1e-14);
  EXPECT_NEAR(M(kP0), 1 - sum, 1e-14);
  EXPECT_NEAR(g.QueueCumPn(5), 1, 1e-14);
}

// The mended faults, each on the examples that showed it: every one agrees with the reference
// and has finite measures, some a figure of their own besides.
TEST(QueueMeasures, MendedFaultsAgreeWithTheReference) {
  struct Case {
    const char *fault;
    Scenario s;
    std::function<void()> also = {};
  };
  const Case cases[] = {
      // 0.6 / 0.2 / 3 is not 1 in binary; the queue is still the rho = 1 queue.
      {"load of one in decimals", {0.6, 0.2, 3, 10, kInf}, [] { EXPECT_NEAR(M(kLq), 2.831, 5e-4); }},
      {"load of one in decimals", {0.3, 0.1, 3, 12, kInf}},
      {"load of one in decimals", {0.7, 0.7, 1, 9, kInf}},
      {"system limit below the servers", {2, 1, 5, 2, kInf},
       [] { ExpectMeasures({{kLq, 0, 0}, {kWq, 0, 0}}); }},
      {"system limit below the servers", {2, 1, 7, 3, 3}},
      {"system limit beyond the table", {3, 1, 2, 1000, kInf},
       [] {
         EXPECT_NEAR(M(kLambdaEff), 2.0, 1e-9);
         EXPECT_LE(gq.NPn, MaxPnN + 1);
       }},
      {"servers beyond the table", {700, 1, 800, 2000, kInf}},
      {"servers beyond the table", {1, 1, 600, kInf, kInf}},
      {"finite source blocked at the system limit", {1, 2, 1, 3, 5},
       [] { EXPECT_NEAR(M(kLambdaEff), 1.875, 1e-12); }},
      {"large sources and server counts", {0.4, 1, 1, 300, 300}},
      {"large sources and server counts", {0.4, 1, 50, 300, 300}},
      {"large sources and server counts", {2, 0.5, 250, 300, 300}},
      {"large sources and server counts", {150, 1, 200, kInf, kInf}},
      // 10000 servers or a source of 10000 are that many; only 9999 stands for infinity.
      {"counts above the infinity value", {0.0001, 2, 1, 10, 10000}},
      {"counts above the infinity value", {3, 1, 1, 32767, 32767}},
      {"counts above the infinity value", {9990, 1, 10000, kInf, kInf}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.fault);
    ExpectAgrees(c.s);
    if (c.also) c.also();
    for (int j = 1; j <= 9; ++j)
      EXPECT_TRUE(std::isfinite(M(j))) << Describe(c.s) << " measure " << j;
  }
}

TEST(QueueMeasures, PureDeathPopulationIsTheLimitTheCheckAccepted) {
  struct Case {
    double n, k;
    int population;
  };
  for (const Case &t : {Case{3, 5, 3}, Case{0, 7, 7}, Case{7, 0, 7}, Case{kInf, 4, 4}, Case{kInf, kInf, 500},
                        Case{600, kInf, 500}}) {
    Compute({0, 0.5, 0, t.n, t.k});
    EXPECT_EQ(gq.NPn, t.population + 1) << t.n << " " << t.k;
    EXPECT_NEAR(g.QueuePn(t.population), std::exp(-0.5), 1e-14) << t.n << " " << t.k;
  }
}

// Departures from a population of m in unit time are Poisson(mu) until none is left: every
// state counts, however small, in Ls and p0. Plain products in long double against the engine.
TEST(QueueMeasures, PureDeathMeasuresCountEveryState) {
  std::mt19937 rng(20261210);
  for (int trial = 0; trial < 40; ++trial) {
    const double mu = std::round(std::uniform_real_distribution<double>(0.01, 400)(rng) * 100) / 100;
    const int m = std::uniform_int_distribution<int>(1, 500)(rng);
    Compute({0, mu, 0, static_cast<double>(m), kInf});
    const std::string what = "mu " + std::to_string(mu) + " from " + std::to_string(m);
    long double term = std::exp(-static_cast<long double>(mu)), below = 0, ls = 0;
    for (int k = 0; k < m; ++k) {
      if (k > 0) term *= static_cast<long double>(mu) / k;
      below += term;
      ls += (m - k) * term;
      const double pn = static_cast<double>(term);
      EXPECT_NEAR(g.QueuePn(m - k), pn, 1e-15 + 1e-12 * pn) << what << " p" << m - k;
    }
    ExpectClose(M(kLs), ls, what + " Ls");
    const double p0 = static_cast<double>(1 - below);
    EXPECT_NEAR(M(kP0), p0, 1e-17 + 1e-12 * p0) << what;
    EXPECT_EQ(gq.NPn, m + 1) << what;
  }
}

TEST(QueueMeasures, SelfServiceWithALimitIsATruncatedPoisson) {
  // Erlang's loss system: p_n proportional to r^n / n! up to the limit.
  ExpectAgrees({2, 1, kInf, 5, kInf});
  double sum = 0, term = 1;
  for (int n = 0; n <= 5; ++n) {
    sum += term;
    term *= 2.0 / (n + 1);
  }
  const double p5 = std::pow(2, 5) / 120 / sum;
  EXPECT_NEAR(M(kP0), 1 / sum, 1e-12);
  EXPECT_NEAR(M(kLambdaEff), 2 * (1 - p5), 1e-12);
  EXPECT_EQ(M(kLq), 0);
}

// Births (or departures) in unit time are Poisson; a limit of N keeps the rest of the mass in
// its last state: the births stop at N, the departures at 0. Self-service with a limit is the
// Poisson truncated at N and normalised. Against plain long double sums, for every limit.
TEST(QueueMeasures, PureBirthDeathAndSelfServiceTablesAgainstTheTruncatedPoisson) {
  std::mt19937 rng(20261211);
  const long double lambdas[] = {5, 0.3L, 1, std::round(std::uniform_real_distribution<double>(0.5, 60)(rng) * 100) / 100};
  for (const long double a : lambdas)
    for (const double limit : {1.0, 2.0, 10.0, 100.0, kInf}) {
      const bool limited = limit != kInf;
      // Poisson(a) for n = 0 .. 600 and the mass of n and above.
      std::vector<long double> pmf{std::exp(-a)}, tail(602, 0);
      for (int n = 1; n <= 600; ++n)
        pmf.push_back(pmf.back() * a / n);
      for (int n = 600; n >= 0; --n)
        tail[n] = tail[n + 1] + pmf[n];
      const std::string what = "a " + std::to_string(static_cast<double>(a)) + " N " + std::to_string(limit);
      auto expectTable = [&](const std::vector<long double> &want, const char *model) {
        long double sum = 0;
        for (int n = 0; n < static_cast<int>(want.size()) && n <= MaxPnN; ++n) {
          EXPECT_NEAR(g.QueuePn(n), static_cast<double>(want[n]), 1e-14) << model << " " << what << " p" << n;
          sum += g.QueuePn(n);
        }
        if (want.size() > MaxPnN + 1) return;
        EXPECT_NEAR(static_cast<double>(sum), 1, 1e-12) << model << " " << what;
        // The table stops once the probabilities no longer count; where it reaches the last
        // state, its cumulative ends at one.
        if (gq.NPn == static_cast<int>(want.size()))
          EXPECT_NEAR(g.QueueCumPn(gq.NPn - 1), 1, 1e-12) << model << " " << what << " shown";
        else
          EXPECT_LT(want.back(), 1e-5) << model << " " << what << " last state not shown";
      };

      // Pure birth: Poisson up to N - 1, the rest at N.
      const int n = limited ? static_cast<int>(limit) : MaxPnN;
      Compute({static_cast<double>(a), 0, 0, limit, kInf});
      std::vector<long double> birth(pmf.begin(), pmf.begin() + n + 1);
      long double ls = 0;
      if (limited) birth[n] = tail[n];
      for (int k = 0; k <= n; ++k)
        ls += k * birth[k];
      expectTable(birth, "birth");
      if (limited) {
        ExpectClose(M(kLs), ls, "birth " + what + " Ls");
        ExpectClose(M(kP0), birth[0], "birth " + what + " p0");
      } else {
        EXPECT_EQ(M(kLs), static_cast<double>(a)) << what;
        EXPECT_EQ(M(kP0), std::exp(-static_cast<double>(a))) << what;
      }

      // Pure death from a population of N (an unlimited one counts as the table's length).
      Compute({0, static_cast<double>(a), 0, limit, kInf});
      std::vector<long double> death(static_cast<std::size_t>(n) + 1);
      ls = 0;
      for (int k = 0; k < n; ++k) {
        death[n - k] = pmf[k];
        ls += (n - k) * pmf[k];
      }
      death[0] = tail[n];
      expectTable(death, "death");
      ExpectClose(M(kLs), ls, "death " + what + " Ls");
      ExpectClose(M(kP0), death[0], "death " + what + " p0");

      // Self-service at rate a per unit of service.
      Compute({static_cast<double>(a), 1, kInf, limit, kInf});
      std::vector<long double> served(pmf.begin(), pmf.begin() + n + 1);
      if (limited) {
        const long double held = std::accumulate(served.begin(), served.end(), 0.0L);
        for (long double &v : served)
          v /= held;
      }
      expectTable(served, "self-service");
    }

  // The reported scenario: lambda 5, at most 10 in the system.
  Compute({5, 0, 1, 10, kInf});
  EXPECT_EQ(gq.NPn, 11);
  EXPECT_NEAR(g.QueuePn(10), 0.03183, 5e-6);
  EXPECT_NEAR(g.QueueCumPn(10), 1, 1e-15);
  EXPECT_NEAR(M(kLs), 4.97781, 5e-6);

  // A last state after the stop that still counts is shown: lambda 400 stops at the first row
  // below 1E-05, and a limit just after it holds several times that row.
  Compute({400, 0, 0, kInf, kInf});
  const int stop = gq.NPn;
  Compute({400, 0, 0, stop + 1.0, kInf});
  ASSERT_GE(g.QueuePn(stop + 1), 1e-5);
  EXPECT_EQ(gq.NPn, stop + 2);
  EXPECT_NEAR(g.QueueCumPn(stop + 1), 1, 1e-12);
}

TEST(QueueMeasures, ScenariosTheCheckRefusesLeaveNothingToShow) {
  for (const Scenario &s : {Scenario{3, 1, 0, 10, 10}, Scenario{3, 1, 3, kInf, kInf}, Scenario{3, 1, 2, 0, 0}}) {
    Compute(s);
    EXPECT_EQ(gq.NPn, 0) << Describe(s);
    for (int j = 1; j <= 9; ++j)
      EXPECT_TRUE(std::isfinite(M(j))) << Describe(s) << " measure " << j;
  }
}

} // namespace
} // namespace quon
