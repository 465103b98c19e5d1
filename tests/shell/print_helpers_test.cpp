#include "shell/print_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {
namespace {

std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2; // March
  t.tm_mday = 5;
  t.tm_wday = 4; // Thursday
  t.tm_hour = 9;
  t.tm_min = 7;
  return t;
}

class PrintHelpersTest : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.NumFormatType = 1;
    g.NumDigitsN = 5;
    g.NumDigitsD = 2;
    g.Infinity = 999999;
    g.HeaderText[1] = "Toy problem";
    SetHeadingClock(&FixedClock);
  }
  void TearDown() override { SetHeadingClock(nullptr); }

  // Height of a line of the number pattern in the given font size, as the routines measure it.
  static double LineOf(double points) {
    RecordingSurface s;
    s.SetFontName("arial");
    s.SetFontSize(points);
    return s.TextHeight("####0.00");
  }

  std::vector<RecordedOp> Lines() const {
    std::vector<RecordedOp> out;
    for (const auto &op : p.Ops())
      if (op.kind == DrawKind::Line) out.push_back(op);
    return out;
  }

  RecordingSurface p;
};

TEST_F(PrintHelpersTest, PageHeadingIsThreeSmallLinesFromTheLeftMarginWithTheDate) {
  p.SetFontName("MS Sans Serif");
  p.SetFontSize(12);
  p.SetFontBold(true);
  PrintPageHeading(p);

  const double h = LineOf(6);
  EXPECT_EQ(g.LineHeight, std::lround(h));
  auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "QUON Optimization System, Windows\xC2\xAE-version 1.00");
  EXPECT_EQ(texts[1].text, kHeadingSecondLine);
  EXPECT_EQ(texts[2].text, "Thursday, March 05, 2026 9:07");
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(texts[i].x1, 1200);
    EXPECT_NEAR(texts[i].y1, 400 + i * h, 1e-9);
    EXPECT_EQ(texts[i].font.name, "arial");
    EXPECT_DOUBLE_EQ(texts[i].font.size, 6);
    EXPECT_FALSE(texts[i].font.bold);
  }
  EXPECT_TRUE(Lines().empty());
  EXPECT_NEAR(p.CurrentY(), 400 + 3 * h, 1e-9);
}

TEST_F(PrintHelpersTest, PageHeadingMeasuresTheLineInTheCurrentPattern) {
  g.NumFormatType = 2; // the scientific pattern is longer but no taller
  PrintPageHeading(p);
  EXPECT_EQ(g.LineHeight, std::lround(LineOf(6)));
  // On a screen surface drawn in a user scale the heading still goes in twips.
  RecordingSurface screen(15360, 11520);
  screen.ScaleSet(0, 0, 1, 1);
  PrintPageHeading(screen);
  EXPECT_DOUBLE_EQ(screen.Texts().at(0).x1, 1200);
  EXPECT_DOUBLE_EQ(screen.Texts().at(0).y1, 400);
}

TEST_F(PrintHelpersTest, SectionHeaderCentresTheTitleThenTitleLineAndRule) {
  PrintPageHeading(p);
  g.MsgText = "LINEAR PROGRAM -- ORIGINAL DATA";
  PrintSectionHeader(p);

  const int32 lh = g.LineHeight;
  const RecordedOp *title = p.FindText(g.MsgText);
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->y1, 1000 + 4 * lh);
  EXPECT_DOUBLE_EQ(title->font.size, 10);
  EXPECT_NEAR(title->x1, (12024 - (title->x2 - title->x1)) * 0.5, 1e-9);

  const double h10 = LineOf(10);
  const RecordedOp *t = p.FindText("Title: Toy problem");
  ASSERT_NE(t, nullptr);
  EXPECT_DOUBLE_EQ(t->x1, 1200);
  EXPECT_DOUBLE_EQ(t->y1, std::nearbyint(1000 + 4 * lh + 2 * h10 + 100));
  EXPECT_DOUBLE_EQ(t->font.size, 9);

  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_DOUBLE_EQ(lines[0].x1, 1200);
  EXPECT_DOUBLE_EQ(lines[0].x2, 10440);
  EXPECT_DOUBLE_EQ(lines[0].y1, std::nearbyint(t->y2));
  EXPECT_EQ(lines[0].width, 1);
  EXPECT_EQ(g.PrintY, std::lround(lines[0].y1));
  EXPECT_DOUBLE_EQ(p.CurrentY(), lines[0].y1 + 100);
  EXPECT_DOUBLE_EQ(p.CurrentX(), 10440);
  EXPECT_DOUBLE_EQ(p.FontSize(), 9);
}

TEST_F(PrintHelpersTest, EmptySectionTitleStandsAtTheMiddleOfTheLine) {
  g.LineHeight = 100;
  g.MsgText = "";
  PrintSectionHeader(p);
  // Nothing is drawn for an empty text, but the position it was printed from is the middle.
  const RecordedOp *t = p.FindText("Title: Toy problem");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(p.Texts().size(), 1u);
  EXPECT_DOUBLE_EQ(t->y1, std::nearbyint(1400 + 2 * LineOf(10) + 100));
}

TEST_F(PrintHelpersTest, SummaryHeadingLineHasRulesAndRightAlignedColumns) {
  p.SetFontName("arial");
  p.SetFontSize(9);
  p.SetCurrentY(5000);
  PrintSummaryLine(p, 1, "Variable", "Value", "Obj Coeff", "Obj Val Contrib", "");

  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[0].y1, 5100);
  EXPECT_DOUBLE_EQ(lines[0].x1, 1200);
  EXPECT_DOUBLE_EQ(lines[0].x2, 10200);
  const double h = LineOf(9);
  EXPECT_EQ(g.PrintY, 5200);
  EXPECT_NEAR(lines[1].y1, 5200 + h + 100, 1e-9);
  EXPECT_NEAR(p.CurrentY(), 5200 + h + 200, 1e-9);

  const RecordedOp *first = p.FindText("Variable");
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->x1, 1200);
  EXPECT_DOUBLE_EQ(first->y1, 5200);
  const std::pair<const char *, double> right[] = {{"Value", 4656}, {"Obj Coeff", 6384}, {"Obj Val Contrib", 8112}};
  for (auto [text, edge] : right) {
    const RecordedOp *op = p.FindText(text);
    ASSERT_NE(op, nullptr) << text;
    EXPECT_NEAR(op->x2, edge, 1e-9) << text;
    EXPECT_DOUBLE_EQ(op->y1, 5200) << text;
  }
}

TEST_F(PrintHelpersTest, SummaryBodyLineMovesDownOneLineAndFifthColumnEndsAt9840) {
  p.SetFontName("arial");
  p.SetFontSize(9);
  p.SetCurrentY(3000);
  PrintSummaryLine(p, 2, "x1: a", "1.00", "2.00", "3.00", "4.00");
  EXPECT_EQ(g.PrintY, 3000);
  EXPECT_NEAR(p.CurrentY(), 3000 + LineOf(9), 1e-9);
  EXPECT_NEAR(p.FindText("4.00")->x2, 9840, 1e-9);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(PrintHelpersTest, TransportationSummaryKeepsTheSecondColumnLeftAligned) {
  g.ModelClass = ModelClassCode::Transportation;
  p.SetFontName("arial");
  p.SetFontSize(9);
  p.SetCurrentY(3000);
  PrintSummaryLine(p, 2, "S1", "a very long destination text", "5.00", "", "");
  EXPECT_DOUBLE_EQ(p.FindText("a very long destination text")->x1, 2928);
  EXPECT_NEAR(p.FindText("5.00")->x2, 6384, 1e-9);
}

TEST_F(PrintHelpersTest, SummaryLineAtTheLastLineStaysAndBelowItStartsABarePage) {
  p.SetFontName("arial");
  p.SetFontSize(9);
  p.SetCurrentY(13680);
  PrintSummaryLine(p, 2, "stays", "", "", "", "");
  EXPECT_EQ(p.FindText("stays")->page, 1);
  EXPECT_DOUBLE_EQ(p.FindText("stays")->y1, 13680);

  p.SetCurrentY(13681);
  PrintSummaryLine(p, 1, "moves", "", "", "", "");
  const RecordedOp *moved = p.FindText("moves");
  EXPECT_EQ(moved->page, 2);
  EXPECT_DOUBLE_EQ(moved->y1, 2360);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].page, 2);
  EXPECT_DOUBLE_EQ(lines[0].y1, 2260);
  // No heading on the continuation page: the only text there is the line itself.
  int onPage2 = 0;
  for (const auto &t : p.Texts()) onPage2 += t.page == 2;
  EXPECT_EQ(onPage2, 1);
}

// Numbers wider than the five columns keep every digit: the columns take the widths of their
// texts and those past the page line go on in a block of their own under the labels again; a
// table whose numbers fit keeps the usual columns.
TEST_F(PrintHelpersTest, SummaryTableWiderThanThePageGoesOnInBlocksWithEveryNumberAsGiven) {
  p.SetFontName("arial");
  p.SetFontSize(9);
  g.ModelClass = ModelClassCode::LinearProgramming;
  const std::string wide = Format(-4.25e12, "0.000000000000000e+000000000000000");
  std::vector<std::array<std::string, 5>> rows;
  for (int r = 1; r <= 3; ++r)
    rows.push_back({"x" + std::to_string(r) + ": name", wide, wide, wide, wide});
  PrintSummaryTable(p, {"Variable", "A", "B", "C", "D"}, rows);
  int numbers = 0, labels = 0;
  std::vector<double> headingY;
  for (const RecordedOp &t : p.Texts()) {
    EXPECT_LE(t.x2, kPrintRight + 0.5) << t.text;
    numbers += t.text == wide;
    labels += t.text == "x2: name";
    if (t.text == "Variable") headingY.push_back(t.y1);
  }
  EXPECT_EQ(numbers, 12);
  ASSERT_EQ(headingY.size(), 2u);
  EXPECT_EQ(labels, 2);
  // The second block's columns stand below the first block's rows, not beside them.
  for (const RecordedOp &t : p.Texts()) {
    if (t.text == "C" || t.text == "D") {
      EXPECT_EQ(t.y1, headingY[1]) << t.text;
    }
  }

  p.Reset();
  PrintSummaryTable(p, {"Variable", "A", "B", "", ""}, {{"x1", "12.50", "-3.00", "", ""}});
  for (const RecordedOp &t : p.Texts()) {
    if (t.text == "12.50") {
      EXPECT_NEAR(t.x2, 4656, 0.5);
    }
  }
}

TEST_F(PrintHelpersTest, UnknownSummaryKindOnlyBreaksThePage) {
  p.SetCurrentY(14000);
  PrintSummaryLine(p, 3, "a", "b", "c", "d", "e");
  EXPECT_TRUE(p.Texts().empty());
  EXPECT_EQ(p.Page(), 2);
  EXPECT_EQ(g.PrintY, 2160);
}

TEST_F(PrintHelpersTest, PrintAtAndRuleLine) {
  p.SetFontName("arial");
  p.SetFontSize(9);
  PrintAt(p, 1500, 2500, "x 1 =  3.00");
  EXPECT_DOUBLE_EQ(p.FindText("x 1 =  3.00")->x1, 1500);
  EXPECT_DOUBLE_EQ(p.FindText("x 1 =  3.00")->y1, 2500);
  EXPECT_DOUBLE_EQ(p.CurrentX(), 0);
  p.SetDrawWidth(3);
  PrintRuleLine(p, 4321);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].width, 1);
  EXPECT_EQ(g.PrintY, 4321);
}

} // namespace
} // namespace quon
