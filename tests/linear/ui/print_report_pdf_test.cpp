#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "input/submit_input.h"
#include "linear/lp_fixture.h"
#include "linear/mod_inverse.h"
#include "linear/mod_lp_simplex.h"
#include "linear/print_reports.h"
#include "platform/ui/printer.h"
#include "shell/mod1.h"

namespace quon {
namespace {

// The text of a PDF as laid out on its pages, pages separated by form feeds.
std::string PdfText(const std::string &pdf) {
  const std::string txt = pdf + ".txt";
  const std::string command = "pdftotext -layout '" + pdf + "' '" + txt + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) is needed: " << command;
  std::ifstream in(txt);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> LinesOf(const std::string &text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ReportPdfTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    if (std::getenv("QUON_KEEP_PDF")) folder.setAutoRemove(false);
    printer.SetPdfFolder(folder.path().toStdString());
  }
  std::string OnlyPdf() const {
    const QStringList files = QDir(folder.path()).entryList({"*.pdf"}, QDir::Files);
    EXPECT_EQ(files.size(), 1);
    return files.isEmpty() ? std::string() : folder.filePath(files[0]).toStdString();
  }

  QTemporaryDir folder;
  SystemPrinter printer{PrintTarget::PdfFile};
};

TEST_F(ReportPdfTest, EquationsReportReadsBackFromThePdf) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::LinearEquations;
  g.HeaderText[1] = "Three equations";
  // The equations as typed in the input grid, taken over as "SOLVE Menu" does.
  GridStore grid;
  grid.SetRows(4);
  grid.SetCols(5);
  const char *typed[3][4] = {{"2", "1", "0", "3"}, {"1", "3", "1", "5"}, {"0", "1", "4", "5"}};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 4; ++j) grid.SetTextMatrix(i, j, typed[i - 1][j - 1]);
  CopyMatrixInput(grid);
  ASSERT_TRUE(InvertMatrix());
  SolveByInverse();

  ASSERT_TRUE(PrintInverseOutput(printer));
  const std::string pdf = OnlyPdf();
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(printer.LastPdfPath(), pdf);
  const std::string text = PdfText(pdf);

  const auto lines = LinesOf(text);
  auto lineWith = [&lines](const std::string &s) -> std::string {
    for (const auto &l : lines)
      if (l.find(s) != std::string::npos) return l;
    return "";
  };
  EXPECT_NE(lineWith("QUON Optimization System, Windows"), "");
  EXPECT_NE(lineWith("SOLUTION OF SIMULTANEOUS EQUATIONS"), "");
  EXPECT_NE(lineWith("Title: Three equations"), "");
  EXPECT_NE(lineWith("Original Equations:"), "");
  const std::string heading = lineWith("R.H.S.");
  EXPECT_LT(heading.find("x1"), heading.find("x3"));
  EXPECT_LT(heading.find("x3"), heading.find("R.H.S."));
  EXPECT_NE(lineWith("Inverse Matrix:"), "");
  EXPECT_NE(lineWith("Value of the determinant =18.00"), "");
  EXPECT_NE(lineWith("Solution:"), "");
  // A row of the equations keeps its label and values in order on one line.
  const std::string eq2 = lineWith("eq2");
  EXPECT_NE(eq2.find("1.00"), std::string::npos);
  EXPECT_LT(eq2.find("eq2"), eq2.find("3.00"));
  EXPECT_LT(eq2.find("3.00"), eq2.find("5.00"));
  // pdftotext may fold the two blanks after "=" into one.
  for (int i = 1; i <= 3; ++i) {
    const std::string x = lineWith("x " + std::to_string(i) + " =");
    EXPECT_NE(x.find("1.00"), std::string::npos) << i;
  }
  EXPECT_EQ(text.find('\f'), text.rfind('\f')) << "one page";
}


TEST_F(ReportPdfTest, LPSummaryReportHasTheDataPageAndTheSummaryPage) {
  testing::Build(testing::DoorsAndWindows(true));
  g.HeaderText[1] = "Window factory";
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  g.FinalIteration = g.IterCount;

  ASSERT_TRUE(PrintLPOutputSummary(printer));
  const std::string text = PdfText(OnlyPdf());
  const std::size_t pageBreak = text.find('\f');
  ASSERT_NE(pageBreak, std::string::npos);
  const std::string data = text.substr(0, pageBreak), summary = text.substr(pageBreak + 1);
  EXPECT_NE(data.find("LINEAR PROGRAM -- ORIGINAL DATA"), std::string::npos);
  EXPECT_NE(data.find("Subject to"), std::string::npos);
  EXPECT_EQ(summary.find("QUON Optimization System"), std::string::npos);
  EXPECT_NE(summary.find("LINEAR PROGRAMMING OUTPUT SUMMARY"), std::string::npos);
  EXPECT_NE(summary.find("Objective Value ="), std::string::npos);
  EXPECT_NE(summary.find("***Sensitivity Analysis***"), std::string::npos);
  const auto lines = LinesOf(summary);
  bool rhsRange = false;
  for (const auto &l : lines)
    if (l.find("2 (<)") != std::string::npos && l.find("18.00") != std::string::npos &&
        l.find("1.50") != std::string::npos)
      rhsRange = true;
  EXPECT_TRUE(rhsRange) << summary;
}

} // namespace
} // namespace quon
