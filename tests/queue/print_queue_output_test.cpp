#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/recording_surface.h"
#include "queue/print_queue_output.h"
#include "queue/queue_measures.h"
#include "shell/print_helpers.h"
#include "queue/queue_scenarios.h"

namespace quon {
namespace {

constexpr double kInf = testing::kQueueInf;

class PrintQueueTest : public ::testing::Test {
protected:
  void Load(const std::vector<std::vector<double>> &rows) {
    g = Mod1{};
    testing::LoadQueueScenarios(rows);
  }
  // The screen's choice of item `option`: its scenarios computed, then printed.
  void ChooseAndPrint(int option) {
    g.OutputOption = static_cast<int16>(option);
    for (int s = 1; s <= g.NScen; ++s)
      if (option == g.NScen + 1 || option == s) {
        gq.CurScen = static_cast<int16>(s);
        ComputeQueueMeasures();
      }
    ASSERT_TRUE(PrintQueueOutput(p));
  }
  // The texts of the printed line that starts with `first` at the left margin.
  std::vector<std::string> LineOf(const std::string &first) const {
    std::vector<std::string> out;
    const RecordedOp *a = nullptr;
    for (const auto &op : p.Ops())
      if (!a && op.kind == DrawKind::Text && op.text == first && op.x1 == kPrintLeft) a = &op;
    if (!a) return out;
    for (const auto &op : p.Texts())
      if (op.page == a->page && op.y1 == a->y1) out.push_back(op.text);
    return out;
  }

  RecordingSurface p;
};

TEST_F(PrintQueueTest, ComparativeAnalysisIsOneCaptionAHeadingAndALinePerScenario) {
  Load({{5, 2, 3, kInf, kInf}, {4, 2, kInf, kInf, kInf}, {3, 0, 0, kInf, kInf}});
  ChooseAndPrint(4);
  EXPECT_EQ(p.DocumentsEnded(), 1);
  const RecordedOp *title = p.FindText("QUEUEING OUTPUT ANALYSIS");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x1, 4680);
  int captions = 0;
  for (const auto &op : p.Texts())
    captions += op.text == "Comparative Analysis";
  EXPECT_EQ(captions, 1);
  EXPECT_EQ(LineOf("Scenario"),
            (std::vector<std::string>{"Scenario", "c", "Lambda", "Mu", "L'da eff", "p0", "Ls", "Lq", "Ws", "Wq"}));
  EXPECT_EQ(LineOf("1"), (std::vector<std::string>{"1", "3", "5.00000", "2.00000", "5.00000", "0.04494", "6.01124",
                                                   "3.51124", "1.20225", "0.70225"}));
  EXPECT_EQ(LineOf("2")[1], "infinity");
  // A pure birth has no effective arrival rate, Lq, Ws or Wq.
  EXPECT_EQ(LineOf("3"), (std::vector<std::string>{"3", "0", "3.00000", "0.00000", "0.04979", "3.00000"}));
  const RecordedOp *scenarioHead = p.FindText("Scenario");
  const RecordedOp *wq = p.FindText("Wq");
  EXPECT_EQ(wq->x1 - scenarioHead->x1, 9 * 936);
}

TEST_F(PrintQueueTest, PureBirthPrintsTheLabelsOfTheMeasuresItHasNot) {
  Load({{3, 0, 0, kInf, kInf}});
  ChooseAndPrint(1);
  EXPECT_NE(p.FindText("Scenario  1: Pure Birth Model"), nullptr);
  for (const char *label : {"Lambda eff =", "Rho/c =", "Lq =", "Ws =", "Wq ="})
    EXPECT_NE(p.FindText(label), nullptr) << label;
  const RecordedOp *lambda = p.FindText("Lambda =");
  const RecordedOp *mu = p.FindText("Mu =");
  ASSERT_NE(lambda, nullptr);
  ASSERT_NE(mu, nullptr);
  EXPECT_EQ(lambda->x1, 1500);
  EXPECT_EQ(mu->x1, 4000);
  // Each value a blank after the widest label of its side, on its label's line.
  const RecordedOp *value = p.FindText("3.00000");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->y1, lambda->y1);
  EXPECT_NEAR(value->x1, 1500 + TableTextExtent(lambda->font, "Lambda eff = ").width, 1);
  EXPECT_NE(p.FindText("Ls ="), nullptr);
}

TEST_F(PrintQueueTest, ScenarioCaptionAndTwoBlockTable) {
  // p_n = 1/7 for n = 0..6: rows 0..3 on the left, 4..6 on the right.
  Load({{2, 1, 3, 10, kInf}, {1, 1, 1, 6, kInf}});
  ChooseAndPrint(1);
  EXPECT_NE(p.FindText("Scenario  1-- (M/M/3):(GD/10/infinity)"), nullptr);
  p.Reset();
  ChooseAndPrint(2);
  EXPECT_EQ(g.TableauRowOffset, 4);
  EXPECT_EQ(LineOf("n"), (std::vector<std::string>{"n", "Probability, pn", "Cumulative, Pn", "n", "Probability, pn",
                                                   "Cumulative, Pn"}));
  EXPECT_EQ(LineOf("0"), (std::vector<std::string>{"0", "0.14286", "0.14286", "4", "0.14286", "0.71429"}));
  EXPECT_EQ(LineOf("3"), (std::vector<std::string>{"3", "0.14286", "0.57143"}));
  EXPECT_EQ(p.FindText("7"), nullptr);
}

TEST_F(PrintQueueTest, LongTableContinuesOnANewPage) {
  // 501 equal states: 251 rows of the two-block table.
  Load({{1, 1, 1, 500, kInf}});
  ChooseAndPrint(1);
  EXPECT_EQ(g.TableauRowOffset, 251);
  const RecordedOp *last = p.FindText("250");
  ASSERT_NE(last, nullptr);
  EXPECT_GT(last->page, 1);
  int firstOnPage2 = 1 << 30;
  for (const auto &op : p.Texts())
    if (op.page == 2) firstOnPage2 = std::min<int>(firstOnPage2, static_cast<int>(op.y1));
  EXPECT_EQ(firstOnPage2, kContinueY);
  for (const auto &op : p.Texts())
    EXPECT_LE(op.y1, kPageFullY + g.LineHeight) << op.text;
  // Page by page the states run down the left column, then down the right one.
  std::map<int, std::pair<std::vector<int>, std::vector<int>>> columns;
  double rightX = 0;
  for (const auto &op : p.Texts())
    if (op.text == "n" && op.x1 > kPrintLeft) rightX = op.x1;
  ASSERT_GT(rightX, 0);
  for (const auto &op : p.Texts())
    if ((op.x1 == kPrintLeft || op.x1 == rightX) && !op.text.empty() &&
        op.text.find_first_not_of("0123456789") == std::string::npos)
      (op.x1 == kPrintLeft ? columns[op.page].first : columns[op.page].second).push_back(std::stoi(op.text));
  int next = 0;
  for (const auto &[page, both] : columns) {
    for (const int n : both.first)
      EXPECT_EQ(n, next++) << "page " << page;
    for (const int n : both.second)
      EXPECT_EQ(n, next++) << "page " << page;
  }
  EXPECT_EQ(next, 501);
}

// Values of up to four digits before the point and the widest headings: on every printed line
// each text ends at least a blank before the next one starts, in the comparative table and in
// the probability table, measured in the printer's font.
TEST_F(PrintQueueTest, ColumnsNeverTouch) {
  Load({{998, 999, 1, kInf, kInf}, {1996, 999, 2, kInf, kInf}, {1, 2, 1, 3, kInf}});
  for (const int option : {4, 1}) {
    SCOPED_TRACE(option);
    p.Reset();
    ChooseAndPrint(option);
    std::map<std::pair<int, double>, std::vector<RecordedOp>> lines;
    for (const auto &op : p.Texts())
      lines[{op.page, op.y1}].push_back(op);
    int columns = 0;
    for (auto &[at, texts] : lines) {
      std::sort(texts.begin(), texts.end(), [](const RecordedOp &a, const RecordedOp &b) { return a.x1 < b.x1; });
      for (std::size_t k = 1; k < texts.size(); ++k, ++columns)
        EXPECT_GE(texts[k].x1 - texts[k - 1].x2, TableTextExtent(texts[k].font, " ").width)
            << texts[k - 1].text << " | " << texts[k].text;
    }
    EXPECT_GT(columns, 20);
  }
}

} // namespace
} // namespace quon
