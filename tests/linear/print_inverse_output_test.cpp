#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "linear/mod_inverse.h"
#include "linear/print_reports.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {
namespace {

using Matrix = std::vector<std::vector<double>>;

class PrintInverseTest : public ::testing::Test {
protected:
  // The state "SOLVE Menu" and "&Solve Problem" leave for a matrix model: the matrix as
  // entered in Tab (equations with the right-hand side in column n + 1), and the inversion.
  void Solve(int cls, const Matrix &a, const std::vector<double> &rhs = {}) {
    g = Mod1{};
    InitGlobals(15360, 11520);
    g.ModelClass = static_cast<int16>(cls);
    g.HeaderText[1] = "Small system";
    const int n = static_cast<int>(a.size());
    g.NVars = g.MRows = static_cast<int16>(n);
    ReDimProblemArrays(ArrayKind::Common);
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) g.Tab(i, j) = g.InvInput(i, j) = a[i - 1][j - 1];
      if (!rhs.empty()) g.Tab(i, n + 1) = g.InvInput(i, n + 1) = rhs[i - 1];
    }
    if (InvertMatrix() && cls == 2) SolveByInverse();
  }

  const RecordedOp *Find(const std::string &text, int nth = 0) const {
    for (const auto &op : p.Ops())
      if (op.kind == DrawKind::Text && Trim(op.text) == text && nth-- == 0) return &op;
    return nullptr;
  }

  RecordingSurface p;
};

TEST_F(PrintInverseTest, MatrixInversionPrintsMatrixDeterminantAndInverse) {
  Solve(1, {{4, 7}, {2, 6}});
  g.MsgText = "kept";
  EXPECT_TRUE(PrintInverseOutput(p));

  EXPECT_EQ(p.DocumentsEnded(), 1);
  EXPECT_EQ(g.MsgText, "Original Matrix:"); // the table printer names its table
  ASSERT_NE(Find("MATRIX INVERSION BY LU DECOMPOSITION"), nullptr);
  EXPECT_EQ(Find("MATRIX INVERSION BY LU DECOMPOSITION")->font.size, 10);
  ASSERT_NE(Find("Title: Small system"), nullptr);

  const RecordedOp *original = Find("Original Matrix:");
  ASSERT_NE(original, nullptr);
  EXPECT_TRUE(original->font.bold);
  EXPECT_DOUBLE_EQ(original->x1, 1200);
  ASSERT_NE(Find("4.00"), nullptr);
  EXPECT_FALSE(Find("4.00")->font.bold);
  EXPECT_NE(Find("7.00"), nullptr);

  const RecordedOp *inverse = Find("Inverse Matrix:");
  ASSERT_NE(inverse, nullptr);
  EXPECT_EQ(inverse->text, "Inverse Matrix:  ");
  EXPECT_TRUE(inverse->font.bold);
  EXPECT_GT(inverse->y1, Find("6.00")->y1);

  const RecordedOp *det = Find("Value of the determinant =10.00");
  ASSERT_NE(det, nullptr);
  EXPECT_DOUBLE_EQ(det->x1, 1200);
  EXPECT_FALSE(det->font.bold);
  const double lh = g.LineHeight;
  EXPECT_NEAR(det->y1, inverse->y1 + 2 * lh, 1);
  // The inverse's column headings stand under the determinant, a blank line above its rows:
  // nothing comes between a heading and its rows.
  const RecordedOp *col1 = Find("col1", 1);
  ASSERT_NE(col1, nullptr);
  EXPECT_NEAR(col1->y1, det->y1 + lh, 1);
  ASSERT_NE(Find("0.60"), nullptr);
  EXPECT_NEAR(Find("0.60")->y1, det->y1 + 3 * lh, 1);
  EXPECT_NE(Find("-0.70"), nullptr);
  EXPECT_NE(Find("-0.20"), nullptr);
  EXPECT_NEAR(Find("0.40")->y1, det->y1 + 4 * lh, 1);
  EXPECT_EQ(Find("Solution:"), nullptr);
  for (const auto &op : p.Ops()) EXPECT_EQ(op.page, 1);
}

TEST_F(PrintInverseTest, EquationsAddTheRightHandSideAndTheSolution) {
  Solve(2, {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}}, {3, 5, 5});
  EXPECT_TRUE(PrintInverseOutput(p));

  ASSERT_NE(Find("SOLUTION OF SIMULTANEOUS EQUATIONS"), nullptr);
  ASSERT_NE(Find("Original Equations:"), nullptr);
  EXPECT_NE(Find("R.H.S."), nullptr);
  EXPECT_NE(Find("eq3"), nullptr);
  const RecordedOp *solution = Find("Solution:");
  ASSERT_NE(solution, nullptr);
  EXPECT_TRUE(solution->font.bold);
  const RecordedOp *x1 = Find("x 1 =  1.00");
  ASSERT_NE(x1, nullptr);
  EXPECT_DOUBLE_EQ(x1->x1, 1500);
  EXPECT_FALSE(x1->font.bold);
  EXPECT_NEAR(x1->y1, solution->y1 + g.LineHeight, 1);
  EXPECT_NE(Find("x 2 =  1.00"), nullptr);
  EXPECT_NE(Find("x 3 =  1.00"), nullptr);
  ASSERT_NE(Find("row3"), nullptr); // the inverse's last row
  EXPECT_GT(solution->y1, Find("row3")->y1);
  EXPECT_EQ(p.DocumentsEnded(), 1);
}

TEST_F(PrintInverseTest, SingularMatrixPrintsTheNoticeAndNothingBelowIt) {
  Solve(2, {{1, 2}, {2, 4}}, {1, 2});
  ASSERT_EQ(g.Determinant, 0);
  EXPECT_TRUE(PrintInverseOutput(p));

  const RecordedOp *inverse = Find("Inverse Matrix:");
  ASSERT_NE(inverse, nullptr);
  const auto texts = p.Texts();
  ASSERT_FALSE(texts.empty());
  const RecordedOp &last = texts.back();
  EXPECT_NE(last.text.find("singular"), std::string::npos);
  EXPECT_DOUBLE_EQ(last.x1, 1200);
  EXPECT_NEAR(last.y1, inverse->y1 + 2 * g.LineHeight, 1);
  EXPECT_EQ(Find("Solution:"), nullptr);
  EXPECT_EQ(p.DocumentsEnded(), 1);
}

TEST_F(PrintInverseTest, NumbersFollowTheFormatInForceWhenPrinted) {
  Solve(1, {{4, 7}, {2, 6}});
  g.NumFormatType = 2; // scientific
  g.NumDigitsN = 3;
  g.NumDigitsD = 1;
  EXPECT_TRUE(PrintInverseOutput(p));
  EXPECT_NE(Find("4.000e+0"), nullptr);
  EXPECT_NE(Find("Value of the determinant =1.000e+1"), nullptr);
  // Five-character numbers and nine-character columns: 900 twips apart.
  EXPECT_DOUBLE_EQ(g.ScratchSum, 900);
}

// 1E-4 times the identity of order 100 is invertible though its determinant, 1E-400, is
// below any double; order 99 at -1E4 gives one above any double.
TEST_F(PrintInverseTest, DeterminantsBeyondADoubleArePrintedWithTheInverse) {
  Matrix a(100, std::vector<double>(100));
  for (int i = 0; i < 100; ++i)
    a[i][i] = 1E-4;
  Solve(1, a);
  EXPECT_TRUE(PrintInverseOutput(p));
  EXPECT_NE(Find("Value of the determinant =1.00E-400"), nullptr);
  for (const auto &op : p.Texts())
    EXPECT_EQ(op.text.find("singular"), std::string::npos);

  a.pop_back();
  for (auto &row : a) {
    row.pop_back();
    std::replace(row.begin(), row.end(), 1E-4, -1E4);
  }
  Solve(1, a);
  g.NumFormatType = 2;
  g.NumDigitsN = 3;
  g.NumDigitsD = 1;
  p = RecordingSurface{};
  EXPECT_TRUE(PrintInverseOutput(p));
  EXPECT_NE(Find("Value of the determinant =-1.000e+396"), nullptr);
}

TEST_F(PrintInverseTest, WriteToPrinterSendsTheWholeReportOrNothing) {
  Solve(1, {{4, 7}, {2, 6}});
  RecordingSurface printer;
  SetPrinterForTesting(&printer);
  ScriptedServices script;
  EXPECT_TRUE(PrintInverseOutput());
  EXPECT_EQ(printer.DocumentsEnded(), 1);
  EXPECT_NE(printer.FindText("Value of the determinant =10.00"), nullptr);

  // An inverse that was never computed: a message, and nothing reaches the printer.
  printer.Reset();
  g.BInv.Erase();
  script.AnswerMsgBox(msg::OK);
  EXPECT_FALSE(PrintInverseOutput());
  EXPECT_TRUE(printer.Ops().empty());
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Print Error");
  SetPrinterForTesting(nullptr);
}

} // namespace
} // namespace quon
