#include <gtest/gtest.h>

#include "editor_fake.h"

namespace quon::test {
namespace {

using Pos = std::pair<int, int>;

struct ProjectInput : ::testing::Test {
  FakeInputScreen s;
  void Build(int method) {
    ResetProgram(8);
    g.ProjMethod = static_cast<int16>(method);
    s.Build();
  }
  void SetUp() override { Build(1); }
  // Types an activity row from its From cell and leaves the editor on the next row.
  void Activity(const std::string &from, const std::string &to, const std::string &symbol,
                const std::string &duration) {
    s.Type(from);
    s.Press(kKeyEnter);
    s.Type(to);
    s.Press(kKeyEnter);
    s.Type(symbol);
    s.Press(kKeyEnter);
    s.Type(duration);
    s.Press(kKeyEnter);
  }
};

TEST_F(ProjectInput, RowsAreAddedAndNumberedAsActivitiesAreTyped) {
  Activity("1", "2", "A", "3");
  EXPECT_EQ(s.grid.Rows(), 3);
  EXPECT_EQ(s.Cell(2, 0), "2");
  EXPECT_EQ(s.At(), Pos(2, 1));
  EXPECT_EQ(s.Cell(1, 1), "1");
  EXPECT_EQ(s.Cell(1, 2), "2");
  EXPECT_EQ(s.Cell(1, 3), "A");
  EXPECT_EQ(s.Cell(1, 4), "3.00");
  EXPECT_EQ(g.NodeCount, 2);
  EXPECT_EQ(s.nodeBox, 2);
  Activity("2", "3", "B", "4.5");
  EXPECT_EQ(s.grid.Rows(), 4);
  EXPECT_EQ(s.Cell(3, 0), "3");
  EXPECT_EQ(g.NodeCount, 3);
  EXPECT_TRUE(s.messages.empty());

  // A minus sign only beeps in a project.
  s.Type("-");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_TRUE(s.messages.empty());
}

TEST_F(ProjectInput, DownInTheLastRowAddsANumberedRowAndFillsDurations) {
  s.Type("1");
  s.Press(kKeyTab);
  s.Type("2");
  s.Press(kKeyDown);
  EXPECT_EQ(s.grid.Rows(), 3);
  EXPECT_EQ(s.Cell(2, 0), "2");
  EXPECT_EQ(s.Cell(1, 4), "0.00");
  EXPECT_EQ(s.At(), Pos(2, 2));
}

TEST_F(ProjectInput, NodeNumberMessages) {
  s.Type("0");
  s.Press(kKeyEnter);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Node number must be >=1");
  EXPECT_EQ(s.messages[0].title, "Node Numbering Error");
  EXPECT_EQ(s.messages[0].icon, InputMsgIcon::Critical);
  EXPECT_EQ(s.At(), Pos(1, 1));

  s.Type("2");
  s.Press(kKeyTab);
  s.Type("2");
  s.Press(kKeyEnter);
  ASSERT_EQ(s.messages.size(), 2u);
  EXPECT_EQ(s.messages[1].text, "FROM and TO nodes must be assigned distinct numbers");
  EXPECT_EQ(s.messages[1].title, "Nodes Numbering Error");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.At(), Pos(1, 2));
}

TEST_F(ProjectInput, EqualNodesNeverOverwriteTheSymbolOrDuration) {
  s.Type("2");
  s.Press(kKeyTab);
  s.Type("2");
  s.Press(kKeyTab);
  s.Type("Dig");
  s.Press(kKeyTab);
  s.Type("4");
  s.Press(kKeyLeft); // validated from the duration cell
  EXPECT_EQ(s.LastMessage(), "FROM and TO nodes must be assigned distinct numbers");
  EXPECT_EQ(s.Cell(1, 3), "Dig");
  EXPECT_EQ(s.Cell(1, 4), "4.00");
  EXPECT_EQ(s.At(), Pos(1, 2));
}

TEST_F(ProjectInput, NodeNumbersAboveTheLimitAreRefused) {
  s.Type("40000");
  s.Press(kKeyEnter);
  EXPECT_EQ(s.LastMessage(), "Node numbers cannot exceed 1000");
  EXPECT_EQ(s.At(), Pos(1, 1));
  EXPECT_LE(g.NodeCount, 1000);
}

TEST_F(ProjectInput, DuplicateActivityIsRefusedOnceThenLetThrough) {
  Activity("1", "2", "A", "3");
  s.Type("1");
  s.Press(kKeyEnter);
  s.Type("2");
  s.Type("");
  s.Press(kKeyEnter);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Nodes defining this activity have already been assigned to another");
  EXPECT_EQ(s.messages[0].title, "Node Numbering Error");
  EXPECT_EQ(s.At(), Pos(2, 1));
  EXPECT_EQ(g.FinalIteration, 1);
  // A second Enter in the From cell moves on to the To cell without the message.
  s.Press(kKeyEnter);
  EXPECT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.At(), Pos(2, 2));
  s.Type("3");
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 3));
  EXPECT_EQ(s.messages.size(), 1u);
}

TEST_F(ProjectInput, DuplicateClearsTheSymbol) {
  Activity("1", "2", "A", "3");
  s.Type("1");
  s.Press(kKeyTab);
  s.Type("2");
  s.Press(kKeyTab);
  s.Type("B");
  s.Press(kKeyEnter);
  EXPECT_EQ(s.LastMessage(), "Nodes defining this activity have already been assigned to another");
  EXPECT_EQ(s.Cell(2, 3), "");
  EXPECT_EQ(s.At(), Pos(2, 1));
}

TEST_F(ProjectInput, IncompleteEarlierRowSendsTheEditorToTheCurrentRow) {
  Activity("1", "2", "A", "3");
  s.grid.SetTextMatrix(1, 2, "");
  s.Type("2");
  s.Press(kKeyTab);
  s.Type("3");
  s.Press(kKeyEnter);
  EXPECT_EQ(s.LastMessage(), "Node number must be >=1");
  EXPECT_EQ(s.At(), Pos(2, 2));
}

TEST_F(ProjectInput, PertDurationsOfThePrecedingRow) {
  Build(2);
  s.Type("1");
  s.Press(kKeyEnter);
  s.Type("2");
  s.Press(kKeyEnter);
  s.Type("A");
  s.Press(kKeyEnter);
  s.Type("5");
  s.Press(kKeyEnter);
  s.Type("3");
  s.Press(kKeyEnter);
  s.Type("4");
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 1));
  s.Type("2");
  s.Press(kKeyEnter);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Duration data in preceding row must satisfy a <= m <= b");
  EXPECT_EQ(s.messages[0].title, "Duration Error");
  EXPECT_EQ(s.At(), Pos(1, 4));
  EXPECT_EQ(s.Cell(2, 1), "");
}

} // namespace
} // namespace quon::test
