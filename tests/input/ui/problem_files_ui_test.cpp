// Problem files through the input screen: save then open on a fresh start for every model
// class and tag, the cross-opening of linear and integer programs, broken files, the road
// back to the MAIN menu, and the return to the input screen after "SOLVE Menu".
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <tuple>

#include "input/cell_rules.h"
#include "input/submit_input.h"
#include "input/ui/scr2.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "support/input_screen.h"

namespace quon {
namespace {

using testing::InputScreenTest;

std::string FileText(const std::filesystem::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Lines(const std::vector<std::string> &values) {
  std::string out;
  for (const auto &v : values)
    out += v + "\r\n";
  return out;
}

struct Case {
  int modelClass;
  int sub;
  const char *size1;
  const char *size2;
  int projRows;                    // projects: grid rows typed
  std::vector<std::string> header; // the file's first lines, up to the cells
};

class ProblemFiles : public InputScreenTest, public ::testing::WithParamInterface<Case> {
protected:
  // Every data cell gets its own text, so a cell read into the wrong place shows.
  static void FillAll(Scr2 &s) {
    for (int r = 1; r < s.grid1.Rows(); ++r)
      for (int c = 1; c < s.grid1.Cols(); ++c)
        s.grid1.SetTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
    // A relation cell holds a relation.
    if (g.ModelClass == 3 || g.ModelClass == 5)
      for (int r = 3; r <= g.MRows + 2; ++r)
        s.grid1.SetTextMatrix(r, s.grid1.Cols() - 2, r % 2 ? "<=" : ">=");
  }
  void FreshStart(int modelClass, int sub) {
    Forms::Clear();
    UseScreen(15360, 11520);
    g.ModelClass = static_cast<int16>(modelClass);
    if (modelClass == 7) g.NetSubModel = static_cast<int16>(sub);
    if (modelClass == 8) g.ProjMethod = static_cast<int16>(sub);
  }
};

TEST_P(ProblemFiles, SavedThenOpenedOnAFreshStartUnchanged) {
  const Case &k = GetParam();
  Scr2 &s = Typed(k.modelClass, k.size1, k.size2, k.sub);
  if (k.modelClass == 8) {
    s.grid1.SetRows(k.projRows);
    g.NodeCount = 3;
  }
  FillAll(s);
  if (k.modelClass == 7) s.Check1.SetValue(1);
  if (k.modelClass == 3 || k.modelClass == 5) s.grid1.SetTextMatrix(2, 0, "Minimize");
  const std::vector<std::string> cells = DataCells(s.grid1);
  const int rows = s.grid1.Rows(), cols = s.grid1.Cols();
  const std::filesystem::path path = dir / "problem.txt";
  script.AnswerSave(path.string());
  s.saveMenu.PerformClick();

  std::string expected = Lines(k.header);
  for (const auto &c : cells)
    expected += "\"" + c + "\"\r\n";
  if (k.modelClass == 7) expected += "1\r\n";
  EXPECT_EQ(FileText(path), expected);

  FreshStart(k.modelClass, k.sub);
  Scr2 &o = scr2();
  script.AnswerOpen(path.string());
  ASSERT_EQ(OpenProblemFile(), OpenOutcome::Loaded);
  EXPECT_EQ(o.Caption(), "QUON  " + path.string());
  EXPECT_EQ(o.BX1.Text(), "Demo");
  if (k.modelClass != 8) {
    EXPECT_EQ(o.BX2.Text(), k.size1);
  }
  if (*k.size2) {
    EXPECT_EQ(o.BX3.Text(), k.size2);
  }
  ASSERT_EQ(o.grid1.Rows(), rows);
  ASSERT_EQ(o.grid1.Cols(), cols);
  std::vector<std::string> back = DataCells(o.grid1);
  std::vector<std::string> want = cells;
  if (k.modelClass == 4) {
    // The lower corners of a transportation grid hold no data.
    want[(rows - 2) * (cols - 1)] = "";
    want[(rows - 1) * (cols - 1) - 1] = "";
  }
  EXPECT_EQ(back, want);
  if (k.modelClass == 3 || k.modelClass == 5) {
    EXPECT_EQ(o.grid1.TextMatrix(2, 0), "Minimize");
    EXPECT_EQ(g.ObjSense, 1);
  }
  if (k.modelClass == 7) {
    EXPECT_EQ(o.Check1.Value(), 1);
  }
  EXPECT_TRUE(o.saveMenu.Enabled());
  EXPECT_TRUE(o.SaveAsMenu.Enabled());
  // Leaving asks to save once the opened problem was changed, not before.
  EXPECT_FALSE(SaveQuestionDue());
  o.BX1.SetText("Demo 2");
  EXPECT_TRUE(SaveQuestionDue());
}

const std::vector<std::string> kHead = {"5", "2", "1", "\"Demo\""};
std::vector<std::string> Head(const std::string &tag, std::vector<std::string> sizes) {
  std::vector<std::string> h{tag};
  h.insert(h.end(), kHead.begin(), kHead.end());
  h.insert(h.end(), sizes.begin(), sizes.end());
  return h;
}

INSTANTIATE_TEST_SUITE_P(EveryTag, ProblemFiles,
                         ::testing::Values(Case{1, 0, "3", "", 0, Head("1000", {"3"})},
                                           Case{2, 0, "2", "", 0, Head("2000", {"2"})},
                                           Case{3, 0, "2", "1", 0, Head("3000", {"2", "1", "\"Minimize\""})},
                                           Case{4, 0, "2", "3", 0, Head("4000", {"2", "3"})},
                                           Case{5, 0, "3", "2", 0, Head("5000", {"3", "2", "\"Minimize\""})},
                                           Case{6, 0, "2", "", 0, Head("6000", {"2"})},
                                           Case{7, 1, "3", "", 0, Head("7001", {"3"})},
                                           Case{7, 2, "3", "", 0, Head("7002", {"3"})},
                                           Case{7, 4, "2", "", 0, Head("7004", {"2"})},
                                           Case{7, 0, "3", "", 0, Head("0", {"3"})},
                                           Case{8, 1, "", "", 4, Head("8001", {"3", "4"})},
                                           Case{8, 2, "", "", 3, Head("8002", {"3", "3"})},
                                           Case{9, 0, "2", "3", 0, Head("9000", {"2", "3"})}),
                         [](const ::testing::TestParamInfo<Case> &info) {
                           return "Class" + std::to_string(info.param.modelClass) + "Sub" +
                                  std::to_string(info.param.sub);
                         });

class OpenRoads : public InputScreenTest {
protected:
  std::string Write(const std::string &name, const std::string &text) {
    const std::filesystem::path p = dir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::string SaveTyped(int modelClass, const char *s1, const char *s2, const std::string &name) {
    Scr2 &s = Typed(modelClass, s1, s2);
    s.grid1.SetTextMatrix(2, 1, "7");
    const std::string path = (dir / name).string();
    script.AnswerSave(path);
    s.SaveAsMenu.PerformClick();
    Forms::Clear();
    UseScreen(15360, 11520);
    return path;
  }
};

TEST_F(OpenRoads, LinearAndIntegerProgramsOpenEachOther) {
  const std::string lp = SaveTyped(3, "2", "1", "lp.txt");
  g.ModelClass = ModelClassCode::IntegerProgramming;
  Scr2 &ip = scr2();
  script.AnswerOpen(lp);
  ASSERT_EQ(OpenProblemFile(), OpenOutcome::Loaded);
  ASSERT_EQ(ip.grid1.Rows(), 8);
  EXPECT_EQ(ip.grid1.TextMatrix(2, 1), "7");
  EXPECT_EQ(ip.grid1.TextMatrix(7, 1), "y");
  EXPECT_EQ(ip.grid1.TextMatrix(7, 2), "y");
  EXPECT_EQ(ip.grid1.TextMatrix(7, 3), "");
  EXPECT_EQ(ip.grid1.TextMatrix(7, 4), "");

  Forms::Clear();
  UseScreen(15360, 11520);
  const std::string ipFile = SaveTyped(5, "2", "1", "ip.txt");
  g.ModelClass = ModelClassCode::LinearProgramming;
  Scr2 &lpScreen = scr2();
  script.AnswerOpen(ipFile);
  ASSERT_EQ(OpenProblemFile(), OpenOutcome::Loaded);
  EXPECT_EQ(lpScreen.grid1.Rows(), 7);
  EXPECT_EQ(lpScreen.grid1.TextMatrix(2, 1), "7");
}

TEST_F(OpenRoads, BrokenFilesAreReportedAndLeaveAnEmptyNewProblem) {
  const std::string lp = "3000\r\n5\r\n2\r\n1\r\n\"T\"\r\n2\r\n1\r\n\"Maximize\"\r\n";
  std::string cells;
  for (int i = 0; i < 24; ++i)
    cells += "\"1\"\r\n";
  const std::vector<std::string> broken = {
      Write("truncated.txt", lp + "\"1\"\r\n\"2\"\r\n"),
      Write("word.txt", "3000\r\nfive\r\n2\r\n1\r\n\"T\"\r\n2\r\n1\r\n\"Maximize\"\r\n" + cells),
      Write("quote.txt", "3000\r\n5\r\n2\r\n1\r\n\"T\r\n2\r\n1\r\n\"Maximize\"\r\n" + cells),
      Write("large.txt", "3000\r\n5\r\n2\r\n1\r\n\"T\"\r\n500\r\n1\r\n\"Maximize\"\r\n" + cells),
  };
  ASSERT_TRUE(std::filesystem::exists(broken[0]));
  for (const auto &path : broken) {
    SCOPED_TRACE(path);
    Forms::Clear();
    UseScreen(15360, 11520);
    g.ModelClass = ModelClassCode::LinearProgramming;
    Scr2 &s = scr2();
    const int rows = s.grid1.Rows();
    script.ClearRecord();
    script.AnswerOpen(path).AnswerMsgBox(msg::OK);
    EXPECT_EQ(OpenProblemFile(), OpenOutcome::Cancelled);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_NE(script.MessageBoxes()[0].text.find("File is not a valid problem file"), std::string::npos);
    EXPECT_EQ(script.MessageBoxes()[0].style, msg::OKOnly | msg::Critical);
    EXPECT_EQ(g.InputMode, -1);
    EXPECT_EQ(s.grid1.Rows(), rows);
    EXPECT_EQ(s.BX1.Text(), "");
    EXPECT_EQ(g.HeaderText[1], "");
    EXPECT_EQ(g.NVars, 0);
  }
}

TEST_F(OpenRoads, AFailedOpenLeavesWhatACancelledDialogLeaves) {
  const std::string junk = Write("junk.txt", "3000\r\nfive\r\n");
  for (bool failed : {false, true}) {
    SCOPED_TRACE(failed);
    Forms::Clear();
    UseScreen(15360, 11520);
    // A problem typed and left before, as a session has.
    Scr2 &before = Typed(6, "3");
    script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
    before.cmdMainMenu.PerformClick();
    g.FileName = "earlier.txt";

    g.ModelClass = ModelClassCode::LinearProgramming;
    ASSERT_TRUE(IsLoaded<Scr0>());
    if (failed)
      script.AnswerOpen(junk).AnswerMsgBox(msg::OK);
    else
      script.AnswerOpen(std::nullopt);
    scr0().existingFileOption_Click();
    ASSERT_TRUE(IsLoaded<Scr2>());
    EXPECT_EQ(g.FileName, "earlier.txt");
    EXPECT_FALSE(SaveQuestionDue());
    script.DismissPopup();
    scr2().cmdMainMenu.PerformClick();
    EXPECT_FALSE(IsLoaded<Scr2>()) << "the empty screen was left without a question";
    ASSERT_TRUE(script.Done()) << script.Pending();
  }
}

// A file that is not opened leaves the new problem in the input format the MAIN menu shows,
// not in the digit counts an earlier problem of the session used.
TEST_F(OpenRoads, ARefusedOpenKeepsTheFormatOfTheMainMenu) {
  g.ModelClass = ModelClassCode::LinearProgramming;
  script.DismissPopup().DismissPopup();
  scr0().Show();
  scr0().NsText.SetText("1");
  scr0().DsText.SetText("0");
  scr0().cmdDone_Click();
  scr2().cmdMainMenu.PerformClick();
  scr0().NsText.SetText("6");
  scr0().DsText.SetText("3");
  script.AnswerOpen(Write("junk.txt", "3000\r\nfive\r\n")).AnswerMsgBox(msg::OK);
  scr0().existingFileOption_Click();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(std::vector<int>({g.NumDigitsN, g.NumDigitsD, g.NumDigitsNSaved, g.NumDigitsDSaved}),
            std::vector<int>({6, 3, 6, 3}));
}

TEST_F(OpenRoads, FromTheMainMenuScreen) {
  const std::string game = SaveTyped(9, "2", "2", "game.txt");
  const std::string lp = SaveTyped(3, "2", "1", "lp.txt");

  // Another model's file, retry declined: back at the MAIN menu with the input screen gone.
  g.ModelClass = ModelClassCode::LinearProgramming;
  script.DismissPopup();
  scr0().Show();
  script.AnswerOpen(game)
      .AnswerMsgBox(msg::Yes, "Target file does not match format of elected QUON module.  Retry?")
      .AnswerOpen(game)
      .AnswerMsgBox(msg::No)
      .DismissPopup();
  scr0().existingFileOption_Click();
  EXPECT_EQ(script.MessageBoxes()[0].title, "Open FileSave As Warning");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::YesNo | msg::Exclamation);
  EXPECT_FALSE(IsLoaded<Scr2>());
  EXPECT_TRUE(IsLoaded<Scr0>());
  EXPECT_EQ(ended, 0);

  // Cancelled: an empty new problem.
  script.AnswerOpen(std::nullopt);
  scr0().existingFileOption_Click();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(g.InputMode, 1);
  EXPECT_EQ(scr2().BX1.Text(), "");

  // Loaded: ready for "SOLVE Menu".
  g.ModelClass = ModelClassCode::LinearProgramming;
  script.DismissPopup();
  scr0().Show();
  script.AnswerOpen(lp);
  scr0().existingFileOption_Click();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_TRUE(scr2().cmdDone.Enabled());
  EXPECT_EQ(scr2().grid1.TextMatrix(2, 1), "7");
}

// "Do you wish to save data?" comes only when the problem differs from the file last opened or
// saved: on every road that asks it (the input screen's buttons, its File menu and window, and
// the later screens after "SOLVE Menu", also back on the input screen), not while the problem is
// unchanged, but after a cell was typed over, and not again once the old value is typed back.
TEST_F(OpenRoads, TheSaveQuestionComesOnlyAfterAChange) {
  auto type = [](Scr2 &s, const std::string &text) {
    s.grid1.PerformClick(2, 1);
    s.BX0.SetText("");
    s.BX0.Type(text);
    s.BX0.PressKey(key::Return);
  };
  std::string lp;
  {
    Scr2 &s = Typed(3, "2", "1");
    Fill(s, 3, {"1", "1", "<=", "4"});
    type(s, "7");
    lp = (dir / "lp.txt").string();
    script.AnswerSave(lp);
    s.SaveAsMenu.PerformClick();
  }
  // Each road ends the program or reaches the MAIN menu; `asks` tells how many questions a
  // changed problem meets on it (each answered No).
  struct Road {
    std::string name;
    std::function<void(Scr2 &)> take;
    int asks = 1;
    bool toMainMenu = false; // the MAIN menu pops up its menu as it comes
    bool ends = true;
  };
  auto solve = [this](Scr2 &s, bool changed) {
    if (changed) script.AnswerMsgBox(msg::No, "Do you wish to save data?");
    s.cmdDone.PerformClick();
    EXPECT_TRUE(IsLoaded<Scr3>());
  };
  bool changed = false;
  const std::vector<Road> roads = {
      {"MAIN Menu", [](Scr2 &s) { s.cmdMainMenu.PerformClick(); }, 1, true, false},
      {"File > Main Menu", [](Scr2 &s) { s.mainMenu.PerformClick(); }, 1, true, false},
      {"Exit QUON", [](Scr2 &s) { s.cmdExitQuon.PerformClick(); }},
      {"File > Exit QUON", [](Scr2 &s) { s.ExitQUONMenu.PerformClick(); }},
      {"closing the window", [](Scr2 &s) { s.ClientWidget()->window()->close(); }},
      {"SOLVE Menu, then the SOLVE/MODIFY screen closed",
       [&](Scr2 &s) {
         solve(s, changed);
         if (changed) script.AnswerMsgBox(msg::No, "Do you wish to save data?");
         scr3().ClientWidget()->window()->close();
       },
       0},
      {"SOLVE Menu, View/Modify Input Data, File > Main Menu",
       [&](Scr2 &s) {
         solve(s, changed);
         scr3().mnuModifyData.PerformClick();
         ASSERT_TRUE(IsLoaded<Scr2>());
         if (changed) script.AnswerMsgBox(msg::No, "Do you wish to save data?");
         script.DismissPopup();
         scr2().mainMenu.PerformClick();
       },
       0, false, false},
  };
  for (const Road &road : roads)
    for (const int edit : {0, 1, 2}) { // none, a cell typed over, and typed back
      SCOPED_TRACE(road.name + (edit == 0 ? ", unchanged" : edit == 1 ? ", changed" : ", typed back"));
      Forms::Clear();
      UseScreen(15360, 11520);
      ended = 0;
      g.ModelClass = ModelClassCode::LinearProgramming;
      Scr2 &s = scr2();
      script.AnswerOpen(lp);
      ASSERT_EQ(OpenProblemFile(), OpenOutcome::Loaded);
      if (edit > 0) type(s, "8");
      if (edit > 1) type(s, "7");
      changed = edit == 1;
      EXPECT_EQ(SaveQuestionDue(), changed);
      for (int k = 0; changed && k < road.asks; ++k)
        script.AnswerMsgBox(msg::No, "Do you wish to save data?");
      if (road.toMainMenu) script.DismissPopup();
      road.take(s);
      EXPECT_TRUE(script.Done()) << script.Pending();
      EXPECT_EQ(ended != 0, road.ends);
    }
}

// Every end of "Select Existing File" leaves a screen from which the MAIN menu's "Go to Input
// Screen" brings up the input screen: the program never runs out of screens on the way.
TEST_F(OpenRoads, EveryOpenEndLeadsOnToTheInputScreen) {
  const std::string game = SaveTyped(9, "2", "2", "game.txt");
  const std::string lp = SaveTyped(3, "2", "1", "lp.txt");
  const std::string broken = (dir / "broken.txt").string();
  std::ofstream(broken) << "not a problem\r\n";
  for (int road = 0; road < 4; ++road) {
    // The MAIN menu with linear programming chosen, then the Open dialog answered.
    g.ModelClass = ModelClassCode::LinearProgramming;
    script.ChoosePopup({"&Linear Programming"});
    scr0().Show();
    if (road == 0) script.AnswerOpen(std::nullopt);
    if (road == 1) script.AnswerOpen(game).AnswerMsgBox(msg::No).ChoosePopup({"&Linear Programming"});
    if (road == 2) script.AnswerOpen(broken).AnswerMsgBox(msg::OK);
    if (road == 3) script.AnswerOpen(lp);
    scr0().existingFileOption_Click();
    ASSERT_EQ(ended, 0) << road;
    // Back at the MAIN menu: from the input screen by its button, or already there.
    if (IsLoaded<Scr2>()) {
      if (SaveQuestionDue()) script.AnswerMsgBox(msg::No, "Do you wish to save data?");
      script.ChoosePopup({"&Linear Programming"});
      scr2().cmdMainMenu.PerformClick();
    }
    ASSERT_TRUE(IsLoaded<Scr0>()) << road;
    scr0().cmdDone.PerformClick();
    EXPECT_TRUE(script.Done()) << road;
    EXPECT_EQ(ended, 0) << road;
    EXPECT_TRUE(IsLoaded<Scr2>()) << road;
    EXPECT_FALSE(IsLoaded<Scr0>()) << road;
    Forms::Clear();
    UseScreen(15360, 11520);
  }
}

class ReturnToInput : public InputScreenTest {
protected:
  void Submit(Scr2 &s) {
    script.AnswerMsgBox(msg::No, "Do you wish to save data?");
    s.cmdDone.PerformClick();
    ASSERT_TRUE(script.Done());
    // The later screens have the input screen gone.
    UnloadForm<Scr2>();
  }
  static std::string Whole(const GridStore &grid) {
    return grid.ClipOf(0, 0, grid.Rows() - 1, grid.Cols() - 1);
  }
};

TEST_F(ReturnToInput, LinearProgramComesBackAsSubmitted) {
  Scr2 &s = Typed(3, "2", "2");
  Fill(s, 2, {"3", "5"});
  Fill(s, 3, {"1", "0", "<=", "4"});
  Fill(s, 4, {"0", "2", "<=", "12"});
  s.grid1.SetTextMatrix(2, 0, "Minimize");
  const std::string before = Whole(s.grid1);
  const int rows = s.grid1.Rows(), cols = s.grid1.Cols();
  Submit(s);
  g.NumDigitsN = 9;
  g.NumDigitsD = 4;
  g.NumFormatType = 2;
  g.LPMethod = 3;
  g.TableauCount = 4;
  g.NVars = 0;
  g.MRows = 0;

  ModifyInputData();
  Scr2 &back = scr2();
  EXPECT_EQ(back.grid1.Rows(), rows);
  EXPECT_EQ(back.grid1.Cols(), cols);
  EXPECT_EQ(Whole(back.grid1), before);
  EXPECT_EQ(back.BX1.Text(), "Demo");
  EXPECT_EQ(back.BX2.Text(), "2");
  EXPECT_EQ(back.BX3.Text(), "2");
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(g.MRows, 2);
  EXPECT_EQ(g.NumDigitsN, 5);
  EXPECT_EQ(g.NumDigitsD, 2);
  EXPECT_EQ(g.NumFormatType, 2);
  EXPECT_EQ(g.LPMethod, 0);
  EXPECT_EQ(g.TableauCount, 0);
  EXPECT_TRUE(back.cmdDone.Enabled());
  EXPECT_EQ(back.grid1.Row(), 1);
  EXPECT_EQ(back.grid1.Col(), 1);
}

TEST_F(ReturnToInput, TheHelpIsPrintedOnceAsOnTheTypedRoad) {
  // The help's lines as drawn: text, place and font.
  auto help = [](const Form &f) {
    std::vector<std::tuple<std::string, double, double, FontSpec>> lines;
    for (const DrawOp &op : f.DrawnOps()) {
      const bool ofHelp =
          op.text == " Editing Grid:" || op.text.rfind(">>", 0) == 0 || op.text.rfind("     ", 0) == 0;
      if (op.kind == DrawKind::Text && ofHelp) lines.emplace_back(op.text, op.x1, op.y1, op.font);
    }
    return lines;
  };
  g.ModelClass = ModelClassCode::LinearProgramming;
  Scr2 &s = scr2();
  s.Show();
  Forms::DoEvents();
  s.BX1.SetText("Demo");
  s.BX2.SetText("2");
  s.BX3.SetText("1");
  s.ValidateProblemSize(1);
  s.ValidateProblemSize(2);
  Forms::DoEvents();
  const auto typed = help(s);
  ASSERT_EQ(typed.size(), 6u);
  Fill(s, 2, {"1", "1"});
  Fill(s, 3, {"1", "1", "<=", "4"});
  Submit(s);

  ModifyInputData();
  Forms::DoEvents();
  EXPECT_EQ(help(scr2()), typed);
}

TEST_F(ReturnToInput, BalancedTransportationComesBackWithItsTypedSizes) {
  Scr2 &s = Typed(4, "2", "2");
  Fill(s, 2, {"4", "6", "10"}, 2);
  Fill(s, 3, {"5", "3", "5"}, 2);
  Fill(s, 4, {"7", "4"}, 2); // supply 15, demand 11: a dummy destination
  const std::string before = Whole(s.grid1);
  Submit(s);
  ASSERT_EQ(g.TransDummyDest, 1);

  ModifyInputData();
  Scr2 &back = scr2();
  EXPECT_EQ(Whole(back.grid1), before);
  EXPECT_EQ(back.BX2.Text(), "2");
  EXPECT_EQ(back.BX3.Text(), "2");
  EXPECT_EQ(g.TransSources, 2);
  EXPECT_EQ(g.TransDests, 2);

  // Saved from here, the file holds the sizes as typed.
  const std::string path = (dir / "t.txt").string();
  script.AnswerSave(path);
  back.saveMenu.PerformClick();
  const std::string head = Lines({"4000", "5", "2", "1", "\"Demo\"", "2", "2"});
  EXPECT_EQ(FileText(path).substr(0, head.size()), head);
}

// Names and titles may hold tabs, carriage returns and quotes (a file written by another editor
// does): in every class they come back from "View/Modify Input Data" in their own cells, are
// saved and open again exactly. A line break no file can keep is refused by the save, which
// names the cell and writes nothing.
TEST_F(ReturnToInput, NamesWithTabsReturnsAndQuotesComeBackAsTheyWent) {
  struct Class {
    int cls, sub;
    const char *size1, *size2;
    int rows, row1, col1; // projects: the grid's row count; where the cells begin
    std::vector<std::vector<std::string>> cells;
  };
  // clang-format off
  const Class classes[] = {
      {1, 0, "2", "", 0, 1, 1, {{"1", "2"}, {"3", "4"}}},
      {2, 0, "2", "", 0, 1, 1, {{"2", "1", "5"}, {"1", "3", "10"}}},
      {3, 0, "2", "1", 0, 2, 1, {{"3", "5"}, {"1", "1", "<=", "4"}}},
      {4, 0, "2", "2", 0, 2, 2, {{"4", "6", "10"}, {"5", "3", "5"}, {"7", "8"}}},
      {5, 0, "2", "1", 0, 2, 1, {{"3", "5"}, {"1", "1", "<=", "4"}}},
      {6, 0, "1", "", 0, 1, 1, {{"2", "3", "1", "infinity", "infinity"}}},
      {7, 0, "3", "", 0, 2, 2, {{"", "5", "2"}}},
      {7, 1, "3", "", 0, 2, 2, {{"", "5", "2"}}},
      {7, 4, "3", "", 0, 2, 2, {{"", "5", "2"}}},
      {8, 1, "", "", 3, 1, 1, {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}}},
      {8, 2, "", "", 3, 1, 1, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "1", "2", "3"}}},
      {9, 0, "2", "2", 0, 1, 1, {{"1", "-1"}, {"-1", "1"}}},
  };
  // clang-format on
  const std::vector<std::string> names = {"S\t1", "S\r1", "say \"hi\"", "", "\t", "\r", "\"", "a\tb\rc\"\""};
  const std::string title = "Lost\tand\rfound \"x\"";
  for (const Class &c : classes) {
    SCOPED_TRACE(::testing::Message() << "class " << c.cls << "." << c.sub);
    Forms::Clear();
    UseScreen(15360, 11520);
    Scr2 &s = Typed(c.cls, c.size1, c.size2, c.sub);
    if (c.rows) s.grid1.SetRows(c.rows);
    for (std::size_t r = 0; r < c.cells.size(); ++r)
      Fill(s, c.row1 + static_cast<int>(r), c.cells[r], c.col1);
    s.BX1.SetText(title);
    // Every cell of free text, as the editor would let it be typed, gets a name of its own.
    const CellSheet sheet{c.cls, s.grid1.Rows(), s.grid1.Cols(),
                          [&s](int r, int col) { return s.grid1.TextMatrix(r, col); }};
    std::vector<std::pair<int, int>> named;
    // A transportation grid's corners are headings or hold no data.
    const int last = s.grid1.Rows() - 1;
    for (int r = 1; r < s.grid1.Rows(); ++r)
      for (int col = 1; col < s.grid1.Cols(); ++col)
        if (!RefuseCellText(sheet, r, col, "x", CellOrigin::Typed) &&
            !(c.cls == 4 && (r == 1 || r == last) && col == 1) &&
            !(c.cls == 4 && r == last && col == s.grid1.Cols() - 1)) {
          s.grid1.SetTextMatrix(r, col, names[named.size() % names.size()]);
          named.emplace_back(r, col);
        }
    if (c.cls == 3 || c.cls == 4 || c.cls == 7 || c.cls == 8) {
      ASSERT_FALSE(named.empty());
    }
    const std::string before = Whole(s.grid1);
    const std::vector<std::string> cells = DataCells(s.grid1);

    Submit(s);
    ModifyInputData();
    Scr2 &back = scr2();
    EXPECT_EQ(back.BX1.Text(), title);
    EXPECT_EQ(Whole(back.grid1), before);
    ASSERT_EQ(DataCells(back.grid1), cells);
    // The cell editor passing over a name leaves it as it is (a network's diagonal is no arc:
    // the editor empties it).
    for (const auto &[r, col] : named) {
      if (c.cls == 7 && r == col) continue;
      const std::string name = back.grid1.TextMatrix(r, col);
      back.PlaceCellEditor(static_cast<int16>(r), static_cast<int16>(col));
      back.BX0.PressKey(key::Return);
      EXPECT_EQ(back.grid1.TextMatrix(r, col), name) << "row " << r << ", column " << col;
    }
    // The numbers the editor formatted on its way go back as typed.
    for (std::size_t k = 0; k < cells.size(); ++k)
      back.grid1.SetTextMatrix(1 + static_cast<int>(k) / (back.grid1.Cols() - 1),
                               1 + static_cast<int>(k) % (back.grid1.Cols() - 1), cells[k]);

    // A line break is refused by the save, naming where it is; nothing is written.
    const std::filesystem::path path = dir / "names.txt";
    if (!named.empty()) {
      const auto [r, col] = named.front();
      back.grid1.SetTextMatrix(r, col, "S\n1");
      script.AnswerSave(path.string()).AnswerMsgBox(msg::OK);
      back.saveMenu.PerformClick();
      ASSERT_TRUE(script.Done());
      EXPECT_EQ(script.MessageBoxes().back().title, "Save Error");
      EXPECT_NE(script.MessageBoxes().back().text.find(
                    "row " + std::to_string(r) + ", column " + std::to_string(col) +
                    " holds a line break, which a problem file cannot keep"),
                std::string::npos)
          << script.MessageBoxes().back().text;
      EXPECT_FALSE(std::filesystem::exists(path));
      back.grid1.SetTextMatrix(r, col, names[0]);
    }
    back.BX1.SetText("two\nlines");
    script.AnswerSave(path.string()).AnswerMsgBox(msg::OK);
    back.saveMenu.PerformClick();
    ASSERT_TRUE(script.Done());
    EXPECT_NE(script.MessageBoxes().back().text.find("the title holds a line break"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));
    back.BX1.SetText(title);

    script.AnswerSave(path.string());
    back.saveMenu.PerformClick();
    ASSERT_TRUE(script.Done());
    ASSERT_TRUE(std::filesystem::exists(path));
    Forms::Clear();
    UseScreen(15360, 11520);
    g.ModelClass = static_cast<int16>(c.cls);
    g.NetSubModel = static_cast<int16>(c.cls == 7 ? c.sub : 0);
    g.ProjMethod = static_cast<int16>(c.cls == 8 ? c.sub : 0);
    script.AnswerOpen(path.string());
    ASSERT_EQ(OpenProblemFile(), OpenOutcome::Loaded);
    EXPECT_EQ(scr2().BX1.Text(), title);
    EXPECT_EQ(DataCells(scr2().grid1), cells);
    std::filesystem::remove(path);
  }
}

TEST_F(ReturnToInput, ProjectAndNetworkKeepTheirOwnParts) {
  Scr2 &p = Typed(8, "", "", 1);
  p.grid1.SetRows(4);
  Fill(p, 1, {"1", "2", "A", "3"});
  Fill(p, 2, {"2", "3", "B", "2"});
  Submit(p);
  ModifyInputData();
  EXPECT_EQ(scr2().grid1.Rows(), 3);
  EXPECT_EQ(scr2().grid1.TextMatrix(2, 3), "B");
  EXPECT_FALSE(scr2().BX2.Visible());
  EXPECT_FALSE(scr2().Label2.Visible());
  // The title box confirmed on the way back to the grid leaves every activity row.
  for (int k : {key::Tab, key::Down}) scr2().BX1.PressKey(k);
  EXPECT_EQ(scr2().grid1.Rows(), 3);
  EXPECT_EQ(scr2().grid1.TextMatrix(2, 3), "B");

  Forms::Clear();
  UseScreen(15360, 11520);
  Scr2 &n = Typed(7, "3", "", 2);
  Fill(n, 2, {"", "4", "1"}, 2);
  g.SymmetricNet = 1;
  Submit(n);
  ModifyInputData();
  EXPECT_EQ(scr2().Check1.Value(), 1);
  EXPECT_EQ(scr2().grid1.TextMatrix(2, 3), "4");
}

} // namespace
} // namespace quon
