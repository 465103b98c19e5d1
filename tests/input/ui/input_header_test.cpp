#include <cmath>
#include <gtest/gtest.h>

#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "platform/ui/controls.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

class InputHeaderTest : public ScreenTest {
protected:
  Scr2 &Open(int modelClass) {
    g.ModelClass = static_cast<int16>(modelClass);
    Scr2 &s = scr2();
    s.Show();
    Forms::DoEvents();
    s.BX1.SetFocus();
    return s;
  }
  // Types a size into a box and confirms it with `confirmKey`.
  void Enter(TextBox &box, const std::string &text, int confirmKey = key::Return) {
    box.SetFocus();
    box.SetText("");
    box.Type(text);
    box.PressKey(confirmKey);
  }
  // The only message box so far, checked and forgotten.
  void ExpectMessage(const std::string &text, const std::string &title) {
    const auto boxes = script.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << text;
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].title, title);
    EXPECT_EQ(boxes[0].style, msg::OKOnly | msg::Critical);
    script.ClearRecord();
  }
  bool SelectedWhole(const TextBox &box) {
    return box.SelStart() == 0 && box.SelLength() == int(box.Text().size());
  }
};

TEST_F(InputHeaderTest, CaptionsAndBoxesByModelClass) {
  struct Row {
    int cls;
    const char *first, *second;
  };
  const Row rows[] = {
      {1, "Nbr. of Variables:", nullptr},
      {2, "Nbr. of Variables:", nullptr},
      {3, "Nbr. of Variables:", "No. of Constraints:"},
      {4, "No. of Sources", "No. of Dest'ns"},
      {5, "Nbr. of Variables:", "No. of Constraints:"},
      {6, "No. of Scenarios", nullptr},
      {7, "No. of Nodes", nullptr},
      {9, "No. of Strategies A", "No. of Strategies B"},
  };
  for (const Row &r : rows) {
    Forms::Clear();
    Scr2 &s = Open(r.cls);
    EXPECT_EQ(s.Label1.Caption(), "Problem Title:");
    EXPECT_EQ(s.Label2.Caption(), r.first) << r.cls;
    EXPECT_TRUE(s.BX2.Visible()) << r.cls;
    EXPECT_EQ(s.BX3.Visible(), r.second != nullptr) << r.cls;
    EXPECT_EQ(s.Label3.Visible(), r.second != nullptr) << r.cls;
    if (r.second) {
      EXPECT_EQ(s.Label3.Caption(), r.second);
    }
    EXPECT_FALSE(s.Label6.Visible()) << r.cls;
    EXPECT_FALSE(s.grid1.Visible());
    EXPECT_FALSE(s.cmdDone.Enabled());
    EXPECT_FALSE(s.saveMenu.Enabled());
    EXPECT_FALSE(s.SaveAsMenu.Enabled());
    EXPECT_FALSE(s.Frame2.Visible());
    EXPECT_TRUE(s.Frame1.Visible());
  }
  Forms::Clear();
  Scr2 &p = Open(8);
  EXPECT_EQ(p.Label2.Caption(), "Max. Node Nbr.");
  EXPECT_FALSE(p.Label2.Visible());
  EXPECT_FALSE(p.BX2.Visible());
  EXPECT_TRUE(p.Label6.Visible());
}

TEST_F(InputHeaderTest, LayoutFromTheScreenSize) {
  Scr2 &s = Open(9);
  EXPECT_EQ(s.Caption(), "QUON ");
  EXPECT_EQ(s.Label1.Left(), 768);
  EXPECT_EQ(s.Label1.Top(), std::lround(0.04 * 11520));
  EXPECT_EQ(s.Label1.Width(), 2040);
  EXPECT_EQ(s.BX1.Left(), 768 + 2040);
  EXPECT_EQ(s.BX1.Width(), 3840);
  EXPECT_EQ(s.Label3.Left(), 768);
  EXPECT_GT(s.BX3.Top(), s.BX2.Top());
  EXPECT_EQ(s.BX2.Width(), s.BX3.Width());
  EXPECT_EQ(s.Frame1.Top(), std::lround(0.75 * 11520));
  EXPECT_EQ(s.Frame1.Left(), (15360 - s.Frame1.Width()) / 2);
  EXPECT_EQ(g.HelpTextX, 7910);
  EXPECT_EQ(g.NVars, 0);
  EXPECT_EQ(g.MRows, 0);

  Forms::Clear();
  UseScreen(12000, 9000);
  Scr2 &small = Open(3);
  EXPECT_EQ(small.Label1.Width(), 1920);
  EXPECT_EQ(g.HelpTextX, 5775);
  EXPECT_EQ(small.Label6.Left(), small.Label1.Left());
}

TEST_F(InputHeaderTest, TitleBoxKeys) {
  Scr2 &s = Open(1);
  s.BX1.Type("Plant\tmix\r");
  EXPECT_EQ(s.BX1.Text(), "Plantmix"); // Tab and Enter never reach the text
  for (int k : {key::Return, key::Tab, key::Right, key::Down}) {
    s.BX1.SetFocus();
    s.Label6.SetVisible(false);
    s.BX1.PressKey(k);
    EXPECT_EQ(s.ActiveControl(), &s.BX2) << k;
    EXPECT_TRUE(s.Label6.Visible()) << k;
  }
  s.BX1.SetFocus();
  s.BX1.PressKey(key::Up);
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_EQ(s.ActiveControl(), &s.BX1);

  // Linear programs go on to the first size without the hint.
  Forms::Clear();
  Scr2 &lp = Open(3);
  lp.BX1.PressKey(key::Tab);
  EXPECT_EQ(lp.ActiveControl(), &lp.BX2);
  EXPECT_FALSE(lp.Label6.Visible());
}

TEST_F(InputHeaderTest, SizeBoxesTakeDigitsOnly) {
  Scr2 &s = Open(3);
  s.BX2.SetFocus();
  s.BX2.Type("1x2");
  EXPECT_EQ(s.BX2.Text(), "12");
  EXPECT_EQ(script.Beeps(), 2); // two beeps for a refused character in a size box
  EXPECT_EQ(g.LastKeyAscii, '2');
  EXPECT_EQ(s.ActiveControl(), &s.BX2);

  s.BX3.SetFocus();
  s.BX3.Type("-");
  EXPECT_EQ(s.BX3.Text(), "");
  EXPECT_EQ(script.Beeps(), 4);
  EXPECT_EQ(s.ActiveControl(), &s.BX3);

  // Text that arrives without the key filter, as a paste does, is refused unless all digits.
  s.BX2.SetText("7");
  s.BX2.SetText("7e2");
  EXPECT_EQ(s.BX2.Text(), "7");
  s.BX2.SetText("42");
  EXPECT_EQ(s.BX2.Text(), "42");
}

// A fraction is refused with the box's own message, and the next digit replaces the text
// rather than joining it (2.5 never reads as 25).
TEST_F(InputHeaderTest, ASizeBoxRefusesAFraction) {
  for (int cls : {3, 6}) {
    Forms::Clear();
    Scr2 &s = Open(cls);
    for (const char *point : {".", ","}) {
      script.AnswerMsgBox(msg::OK);
      Enter(s.BX2, std::string("2") + point + "5", key::Return);
      if (cls == 6)
        ExpectMessage("Invalid nbr. of scenarios", "Queue Data Error");
      else
        ExpectMessage("Invalid problem size", "Problem Size");
      EXPECT_EQ(s.BX2.Text(), "5") << cls << point;
    }
    EXPECT_EQ(cls == 6 ? g.NScen : g.NVars, 5);
  }
}

TEST_F(InputHeaderTest, UpWalksBackThroughTheHeader) {
  Scr2 &s = Open(4);
  s.BX3.SetFocus();
  s.BX3.PressKey(key::Up);
  EXPECT_EQ(s.ActiveControl(), &s.BX2);
  s.BX2.PressKey(key::Up);
  EXPECT_EQ(s.ActiveControl(), &s.BX1);
}

TEST_F(InputHeaderTest, FirstSizeRefusals) {
  Scr2 &s = Open(1);
  script.AnswerMsgBox(msg::OK);
  Enter(s.BX2, "101");
  ExpectMessage(SizeLimitMessage(2), "Problem size");
  EXPECT_EQ(s.ActiveControl(), &s.BX2);
  EXPECT_FALSE(s.grid1.Visible());
  EXPECT_FALSE(s.BX0.Visible());

  for (const char *t : {"1", "", "0"}) {
    script.AnswerMsgBox(msg::OK);
    Enter(s.BX2, t, key::Down);
    EXPECT_EQ(script.Beeps(), 1) << t;
    ExpectMessage("Invalid problem size", "Problem Size");
    EXPECT_EQ(g.TitleSuppress, -1) << t;
    EXPECT_EQ(s.ActiveControl(), &s.BX2) << t;
    EXPECT_TRUE(SelectedWhole(s.BX2)) << t;
  }
  EXPECT_FALSE(s.saveMenu.Enabled());
}

TEST_F(InputHeaderTest, ScenarioCountOfQueueing) {
  Scr2 &s = Open(6);
  script.AnswerMsgBox(msg::OK);
  Enter(s.BX2, "0");
  ExpectMessage("Invalid nbr. of scenarios", "Queue Data Error");
  EXPECT_EQ(s.ActiveControl(), &s.BX2);

  Enter(s.BX2, "1", key::Right);
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_EQ(g.NScen, 1);
  EXPECT_EQ(g.QueueData.UBound(1), 1);
  EXPECT_EQ(g.QueueData.UBound(2), 5);
  EXPECT_EQ(g.HeaderText[2], "1");
  EXPECT_EQ(g.NewProblemMark, 0);
  EXPECT_TRUE(s.saveMenu.Enabled());
  EXPECT_TRUE(s.SaveAsMenu.Enabled());
  EXPECT_EQ(g.CurRow, 1);
  EXPECT_EQ(g.CurCol, 1);
}

TEST_F(InputHeaderTest, LargestSizeIsAccepted) {
  Scr2 &s = Open(7);
  Enter(s.BX2, "100", key::Tab);
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_EQ(g.NodeCount, 100);
  EXPECT_EQ(g.CurCol, 2);
}

TEST_F(InputHeaderTest, SecondSizeOfALinearProgram) {
  Scr2 &s = Open(3);
  g.NewProblemMark = 99;
  Enter(s.BX2, "2");
  EXPECT_EQ(s.ActiveControl(), &s.BX3);
  EXPECT_TRUE(s.Label6.Visible()); // now pointing at the second size
  EXPECT_EQ(g.NewProblemMark, 99); // the grid waits for the second size

  Enter(s.BX3, "1");
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(g.MRows, 1);
  EXPECT_EQ(g.HeaderText[2], "2");
  EXPECT_EQ(g.HeaderText[3], "1");
  EXPECT_EQ(g.ObjSense, -1);
  EXPECT_EQ(g.SenseText.str(), "Maximize");
  EXPECT_FALSE(s.Label6.Visible());
  EXPECT_EQ(g.NewProblemMark, 0);
  EXPECT_EQ(g.CurRow, 1);
  EXPECT_EQ(g.CurCol, 1);
  EXPECT_TRUE(s.saveMenu.Enabled());

  // Typing a digit disables saving until the size is confirmed again.
  s.BX3.SetFocus();
  s.BX3.Type("3");
  EXPECT_FALSE(s.saveMenu.Enabled());
  EXPECT_FALSE(s.SaveAsMenu.Enabled());
}

TEST_F(InputHeaderTest, TransportationIsMinimizedAndStartsInColumnTwo) {
  Scr2 &s = Open(4);
  Enter(s.BX2, "3");
  Enter(s.BX3, "4");
  EXPECT_EQ(g.ObjSense, 1);
  EXPECT_EQ(g.SenseText.str(), "Minimize");
  EXPECT_EQ(g.TransSources, 3);
  EXPECT_EQ(g.TransDests, 4);
  EXPECT_EQ(g.CurCol, 2);
}

TEST_F(InputHeaderTest, SecondSizeRefusals) {
  Scr2 &s = Open(9);
  Enter(s.BX2, "3");
  script.AnswerMsgBox(msg::OK);
  Enter(s.BX3, "0");
  ExpectMessage("Invalid problem size", "Problem Size");
  EXPECT_EQ(s.ActiveControl(), &s.BX3);
  EXPECT_TRUE(SelectedWhole(s.BX3));

  script.AnswerMsgBox(msg::OK);
  Enter(s.BX3, "101");
  ExpectMessage("Problem size cannot exceed 100.  Re-enter a size from 1 to 100", "Problem size");
  EXPECT_EQ(s.ActiveControl(), &s.BX3);

  // A first size typed but never confirmed is checked again with the second.
  s.BX2.SetText("1");
  script.AnswerMsgBox(msg::OK);
  Enter(s.BX3, "2");
  ExpectMessage("Invalid problem size", "Problem Size");
  EXPECT_EQ(s.ActiveControl(), &s.BX2);

  s.BX2.SetText("500");
  script.AnswerMsgBox(msg::OK);
  Enter(s.BX3, "2");
  ExpectMessage("Problem size cannot exceed 100.  Re-enter a size from 2 to 100", "Problem size");
  EXPECT_EQ(s.ActiveControl(), &s.BX2);
  EXPECT_FALSE(s.saveMenu.Enabled());
}

TEST_F(InputHeaderTest, ProjectTitleBuildsTheGridAtOnce) {
  Scr2 &s = Open(8);
  s.BX1.Type("Office move");
  s.BX1.PressKey(key::Return);
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_FALSE(s.Label6.Visible());
  EXPECT_FALSE(s.BX2.Visible());
  EXPECT_EQ(g.FromFileFlag, 1);
  EXPECT_EQ(g.NewProblemMark, 0);
  EXPECT_TRUE(s.saveMenu.Enabled());
  EXPECT_EQ(g.CurRow, 1);
  EXPECT_EQ(g.CurCol, 1);
}

TEST_F(InputHeaderTest, ClicksInTheHeader) {
  Scr2 &s = Open(7);
  s.BX2.PerformClick();
  EXPECT_EQ(g.NewProblemMark, 99);
  EXPECT_TRUE(s.Label6.Visible());
  s.BX2.SetText("12");
  s.BX2.PerformDblClick();
  EXPECT_EQ(s.ActiveControl(), &s.BX2);
  EXPECT_TRUE(SelectedWhole(s.BX2));

  Forms::Clear();
  Scr2 &lp = Open(3);
  lp.BX2.PerformClick();
  EXPECT_FALSE(lp.Label6.Visible());
  lp.BX3.PerformClick();
  EXPECT_TRUE(lp.Label6.Visible());
}

TEST_F(InputHeaderTest, ASizeWaitingOrRefusedLeavesTheGridAndANewOneKeepsTheNames) {
  auto filled = [](Scr2 &s) {
    s.grid1.SetRows(4);
    s.grid1.SetCols(4);
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j)
        s.grid1.SetTextMatrix(i, j, "c");
  };
  auto untouched = [](const Scr2 &s) {
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j)
        if (s.grid1.TextMatrix(i, j) != "c") return false;
    return true;
  };
  // A first size waiting for the second, and a refused one, leave every cell as it was.
  for (int cls : {9, 3, 1}) {
    Forms::Clear();
    Scr2 &s = Open(cls);
    filled(s);
    if (cls == 1) script.AnswerMsgBox(msg::OK, "Invalid problem size");
    Enter(s.BX2, cls == 1 ? "1" : "3");
    EXPECT_TRUE(untouched(s)) << cls;
  }
  // A network's node names stay with their nodes when a node is added.
  Forms::Clear();
  Scr2 &net = Open(7);
  Enter(net.BX2, "2");
  net.grid1.SetTextMatrix(1, 2, "Home");
  net.grid1.SetTextMatrix(2, 1, "Home");
  Enter(net.BX2, "3");
  EXPECT_EQ(net.grid1.TextMatrix(1, 2), "Home");
  EXPECT_EQ(net.grid1.TextMatrix(2, 1), "Home");
  EXPECT_EQ(net.grid1.TextMatrix(1, 4), "");
}

TEST_F(InputHeaderTest, SymmetricNetworkBox) {
  Scr2 &s = Open(7);
  s.Check1.SetValue(1);
  EXPECT_EQ(g.SymmetricNet, 1);
  EXPECT_EQ(g.CurRow, 1);
  EXPECT_EQ(g.CurCol, 2);
  s.Check1.SetValue(0);
  EXPECT_EQ(g.SymmetricNet, 0);
}

TEST_F(InputHeaderTest, MenusAsBuilt) {
  Scr2 &s = Open(3);
  EXPECT_EQ(s.fileMenu.Caption(), "&File");
  EXPECT_EQ(s.editMenu.Caption(), "&EditGrid");
  const std::vector<std::string> file = {"&Save", "Save &As", "&Main Menu", "E&xit QUON"};
  ASSERT_EQ(s.fileMenu.Items().size(), file.size());
  for (std::size_t i = 0; i < file.size(); ++i)
    EXPECT_EQ(s.fileMenu.Items()[i]->Caption(), file[i]);
  for (MenuItem *m : s.editMenu.Items())
    EXPECT_FALSE(m->Enabled()) << m->Name();
  EXPECT_EQ(s.mnuUndo.Caption(), "&Undo Last Insert, Paste, Or Delete" + std::string(30, ' '));
  EXPECT_EQ(s.mnuInsertMenu.Shortcut(), 'I');
}

} // namespace
} // namespace quon::testing
