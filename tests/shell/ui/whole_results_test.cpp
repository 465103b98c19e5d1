// Every result on the output screens is shown whole: each text of a grid is measured, in its
// cell's font, against its cell (a merged cell over its span), on the screens of several model
// classes filled with large values; and every output screen of every class, at both screen
// sizes, passes the checker of what a user cannot see.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMessageBox>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "games/game_lp.h"
#include "integer/ip_fixture.h"
#include "linear/mod_inverse.h"
#include "linear/ui/inverse_output.h"
#include "linear/ui/scr_lp_graf.h"
#include "network/network_fixture.h"
#include "platform/screen.h"
#include "platform/ui/desktop_services.h"
#include "platform/ui/grid.h"
#include "platform/ui/qt_support.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/grid_text.h"
#include "support/screen_fixture.h"
#include "transport/trans_fixture.h"
#include "transport/ui/trans_output.h"

namespace quon::testing {
namespace {

class WholeResultsTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    RegisterAllModelRoads();
    script.SetFaultHandler([](const std::string &) {});
  }
  void Inverse(const std::vector<std::vector<double>> &rows) {
    Forms::Clear();
    MatrixInput(1, rows);
    g.HeaderText[1] = "Example";
    InvertMatrix();
    scr5().Show();
    ShowInverseOutput();
  }
};

TEST_F(WholeResultsTest, InversionShowsItsDeterminantAndWideEntriesWhole) {
  for (const auto &rows : std::vector<std::vector<std::vector<double>>>{
           {{4, 7}, {2, 6}}, {{123456789, 7}, {2, 6}}, {{1E-9, 3}, {5, 123456789012.0}}}) {
    Inverse(rows);
    Grid &grid = scr5().outputGrid;
    EXPECT_EQ(CutCells(grid), std::vector<std::string>{}) << rows[0][0];
    // The grid still shows every column without scrolling.
    int columns = 0;
    for (int c = 0; c < grid.Cols(); ++c)
      columns += grid.ColWidthOf(c);
    EXPECT_LE(columns, grid.ViewWidth()) << rows[0][0];
  }
}

TEST_F(WholeResultsTest, TransportationTableausShowLargeCostsAndMultipliersWhole) {
  test::TransProblem p{{{16777217, 16777216, 9}, {16777218, 16777219, 123456789}, {5, 987654321, 16777220}},
                       {1000000, 2500000, 700000},
                       {900000, 1800000, 1500000}};
  ASSERT_TRUE(test::LoadTrans(p, "Large", false));
  scr5().Show();
  g.TransStartMethod = 1;
  ShowTransIterations();
  Grid &grid = scr5().outputGrid;
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
  TransAllIterations();
  grid.SetTopRow(grid.MaxTopRow());
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
  TransOutputOptionChosen(1);
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
}

TEST_F(WholeResultsTest, IntegerSearchTablesShowLargeValuesWhole) {
  LP lp = WorkedExample();
  lp.c = {3000000, 2000000};
  lp.b = {9000000, 10000000};
  BuildIP(lp);
  g.HeaderText[1] = "Large";
  g.OutputOption = 0;
  scr4().Show();
  scr4().cmdDone.PerformClick();
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  EXPECT_EQ(CutCells(scr5().grid1), std::vector<std::string>{});
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  scr5().outputGrid.PerformClick(0, 0);
  EXPECT_EQ(CutCells(scr5().BBGrid), std::vector<std::string>{});
}

TEST_F(WholeResultsTest, QueueTablesInExponentialFormatShowWhole) {
  LoadQueueScenarios({{998, 1000, 1, kQueueInf, kQueueInf}, {5, 2, 3, kQueueInf, kQueueInf}});
  g.NumFormatType = 2;
  g.NumDigitsN = 5;
  g.NumDigitsD = 2;
  scr5().Show();
  InitQueueOutputScreen();
  for (int option : {1, 3}) {
    g.OutputOption = static_cast<int16>(option);
    ShowQueueScenarioOutput();
    EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{}) << option;
    EXPECT_EQ(CutCells(scr5().grid1), std::vector<std::string>{}) << option;
  }
}

TEST_F(WholeResultsTest, ProjectScheduleAndExperimentListShowWhole) {
  UseScreen(12000, 9000);
  std::vector<test::ActivityRow> rows;
  for (int k = 1; k <= 32; ++k)
    rows.push_back({std::to_string(k), std::to_string(k + 1), "R" + std::to_string(k), "123456789"});
  test::LoadProject(1, rows);
  InitGlobals(12000, 9000);
  g.ModelClass = 8;
  g.HeaderText[1] = "Large";
  g.GridRows = static_cast<int16>(rows.size() + 1);
  g.GridCols = 5;
  scr5().Show();
  InitProjectOutputScreen();
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  scr5().Combo1.PerformChoose(0);
  ScrLPGraf &s = scrLPGraf();
  EXPECT_EQ(CutCells(s.gridChart), std::vector<std::string>{});
  EXPECT_GE(s.Combo1.Width(), s.Combo1.WidthForItems());
}

// One problem of each class and method, at the size limits where a screen gets crowded, taken
// from the SOLVE/MODIFY menu to every option of its output and through all of its steps, on
// both screens the program accepts.
class EveryOutputScreen : public WholeResultsTest {
protected:
  struct Road {
    std::string name;
    std::function<void()> load;
    MenuItem Scr3::*item;
    int formatType = 1, n = 5, d = 2;
    // The same road on a smaller problem, for the runs in the widest formats.
    std::function<void()> smaller = nullptr;
  };

  static std::vector<Arc> BigNetwork(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Arc> arcs;
    for (int i = 1; i < n; ++i)
      arcs.push_back({i, i + 1, static_cast<double>(1 + rng() % 900)});
    for (int k = 0; k < 3 * n; ++k) {
      const int a = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
      const int b = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
      if (a != b) arcs.push_back({std::min(a, b), std::max(a, b), static_cast<double>(1 + rng() % 90000)});
    }
    return arcs;
  }
  static std::vector<test::ActivityRow> BigProject(int count, bool pert) {
    // A chain of nodes with a parallel activity beside every other link.
    std::vector<test::ActivityRow> rows;
    int node = 1;
    while (static_cast<int>(rows.size()) < count) {
      const std::string a = std::to_string(node), b = std::to_string(node + 1);
      auto row = [&](const std::string &from, const std::string &to) {
        const std::string k = std::to_string(rows.size() + 1);
        rows.push_back(pert ? test::ActivityRow{from, to, "A" + k, "1", k, "900"}
                            : test::ActivityRow{from, to, "A" + k, std::to_string(3 + rows.size() % 7)});
      };
      row(a, b);
      if (static_cast<int>(rows.size()) + 1 < count && node % 2 == 1) {
        row(a, std::to_string(node + 2));
      }
      ++node;
    }
    return rows;
  }

  std::vector<Road> Roads() {
    std::vector<Road> roads;
    roads.push_back({"inversion", [] { MatrixInput(1, {{4, 7, 1}, {2, 6, 3}, {1, 1, 123456789}}); }, &Scr3::mnuSolve});
    roads.push_back({"equations", [] { MatrixInput(2, {{4, 7, 1}, {2, 6, 3}}); }, &Scr3::mnuSolve});
    // Invertible, with a determinant (1E-400) below any double.
    roads.push_back({"inversion 100 x 100 at 1E-4",
                     [] {
                       std::vector<std::vector<double>> a(100, std::vector<double>(100));
                       for (int i = 0; i < 100; ++i)
                         a[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 1E-4;
                       MatrixInput(1, a);
                     },
                     &Scr3::mnuSolve});
    for (MenuItem Scr3::*item : {&Scr3::mnuFinalSolutionLP, &Scr3::mnuUserAllSlack, &Scr3::mnuUser2phase,
                                 &Scr3::mnuUserMmethod, &Scr3::mnuUserBoundedSimplex, &Scr3::mnuGraph})
      roads.push_back({"linear program", [] { Build(DoorsAndWindows()); }, item, 2, 15, 15});
    roads.push_back({"linear program with alternative optima",
                     [] { Build(LP{.c = {1, 1}, .a = {{1, 1}, {1, 0}}, .rel = {"<=", "<="}, .b = {4, 3}}); },
                     &Scr3::mnuFinalSolutionLP, 2, 15, 15});
    // Two short tableaus: the first one's pivot row stays in view above the second.
    roads.push_back({"linear program with 1 constraint",
                     [] { Build(LP{.c = {3, 2}, .a = {{1, 1}}, .rel = {"<="}, .b = {4}}); }, &Scr3::mnuUserAllSlack,
                     2, 15, 15});
    roads.push_back({"linear program 12 x 12", [] { Build(DegenerateProgram(12, 7)); }, &Scr3::mnuUser2phase});
    for (MenuItem Scr3::*item : {&Scr3::mnuFinalSolutionTrans, &Scr3::mnuNorthWest, &Scr3::mnuVogel})
      roads.push_back({"transportation", [] { test::LoadTrans(test::TextbookProblem(), "Shipping"); }, item});
    // Two sources: a short tableau that the screen gives its room all the same.
    roads.push_back({"transportation 2 x 3",
                     [] { test::LoadTrans({{{4, 6, 9}, {5, 3, 8}}, {30, 45}, {25, 20, 30}}, "Two sources"); },
                     &Scr3::mnuNorthWest});
    roads.push_back({"integer program", [] { BuildIP(WorkedExample()); }, &Scr3::mnuSolveIP});
    roads.push_back({"queue",
                     [] { LoadQueueScenarios({{9.98, 10, 1, kQueueInf, kQueueInf}, {3, 2, 3, 10, kQueueInf}}); },
                     &Scr3::mnuSolve, 2, 5, 5});
    roads.push_back({"queue 15/15", [] { LoadQueueScenarios({{9.98, 10, 1, kQueueInf, kQueueInf}}); },
                     &Scr3::mnuSolve, 2, 15, 15});
    const std::pair<int, MenuItem Scr3::*> networks[] = {{1, &Scr3::mnuSolve},
                                                         {2, &Scr3::mnuShortRoutes},
                                                         {2, &Scr3::mnuDijkstra},
                                                         {3, &Scr3::mnuFloyd},
                                                         {4, &Scr3::mnuSolve}};
    for (auto [sub, item] : networks) {
      // Every node with a name of the longest kind: the texts that name nodes at their widest.
      auto network = [sub](int n) {
        return [sub, n] {
          g.ModelClass = ModelClassCode::Networks;
          std::vector<std::string> names;
          for (int i = 1; i <= n; ++i)
            names.push_back("Depot WWW " + std::to_string(i % 100 / 10) + std::to_string(i % 10));
          LoadNetwork(n, BigNetwork(n, 5), sub, sub != 4, names);
        };
      };
      roads.push_back({"network " + std::to_string(sub), network(100), item, 1, 5, 2, network(12)});
    }
    // A start that exceeds the free float pushes the successors: the longest experiment texts.
    roads.push_back({"project experiment",
                     [] {
                       test::LoadProject(1, {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "6"},
                                             {"3", "6", "D", "2"}, {"3", "5", "E", "1"}, {"2", "6", "F", "7"},
                                             {"5", "6", "G", "1"}});
                       g.ModelClass = ModelClassCode::ProjectPlanning;
                     },
                     &Scr3::mnuSolveIP});
    for (int method : {1, 2}) {
      auto project = [method](int count) {
        return [method, count] {
          test::LoadProject(method, BigProject(count, method == 2));
          g.ModelClass = ModelClassCode::ProjectPlanning;
        };
      };
      roads.push_back({"project " + std::to_string(method), project(100), &Scr3::mnuSolveIP, 1, 5, 2, project(20)});
    }
    for (MenuItem Scr3::*item : {&Scr3::mnuGraphZeroGame, &Scr3::mnuAlgebraicZeroGame})
      roads.push_back({"game 2 x 100",
                       [] {
                         g.ModelClass = ModelClassCode::Games;
                         GridStore grid = test::MakeGrid(3, 101);
                         for (int j = 1; j <= 100; ++j) {
                           grid.SetTextMatrix(1, j, std::to_string((j * 37) % 19 - 9));
                           grid.SetTextMatrix(2, j, std::to_string((j * 53) % 23 - 11));
                         }
                         BuildGameLP(grid);
                       },
                       item, 2, 15, 15});
    return roads;
  }

  // With QUON_SCREENSHOTS naming a folder, every screen checked is saved there as well. With
  // `walk`, every grid that holds headings is also scrolled through to its end.
  void Check(const std::string &what, bool afterSteps, bool newest = false, bool walk = false) {
    const char *dir = std::getenv("QUON_SCREENSHOTS");
    for (Form *f : Forms::Loaded())
      if (f->Shown()) {
        if (dir != nullptr) {
          std::string file = what + " " + f->Name();
          std::replace_if(file.begin(), file.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
          f->ClientWidget()->window()->grab().save(QString::fromStdString(std::string(dir) + "/" + file + ".png"));
        }
        for (const std::string &fault : UnseenOn(*f, afterSteps, newest))
          ADD_FAILURE() << what << ": " << fault;
        if (!walk) continue;
        std::vector<Control *> controls(f->Children().begin(), f->Children().end());
        for (std::size_t k = 0; k < controls.size(); ++k) {
          if (auto *frame = dynamic_cast<Frame *>(controls[k]))
            controls.insert(controls.end(), frame->Children().begin(), frame->Children().end());
          if (auto *grid = dynamic_cast<Grid *>(controls[k]))
            for (const std::string &fault : HeldHeadingsWhileScrolling(*grid))
              ADD_FAILURE() << what << ": " << f->Name() << "." << grid->Name() << " " << fault;
        }
      }
  }
  void Sweep(int w);
  // An action and the painting of the screens it leaves stay under a second of this thread's
  // processor time: a machine loaded by other work must not fail the check, slow code must.
  static std::chrono::nanoseconds ThreadTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
  }
  static void Timed(const std::string &what, const std::function<void()> &action) {
    const auto begin = ThreadTime();
    action();
    Forms::DoEvents();
    for (Form *f : Forms::Loaded())
      if (f->Shown()) f->ClientWidget()->window()->grab();
    EXPECT_LT(ThreadTime() - begin, std::chrono::seconds(1)) << what;
  }
};

TEST_F(EveryOutputScreen, ShowsEveryResultAndControlWholeAt1024x768) { Sweep(15360); }
TEST_F(EveryOutputScreen, ShowsEveryResultAndControlWholeAt800x600) { Sweep(12000); }

void EveryOutputScreen::Sweep(int w) {
  {
    // Each road in its own output format, then in the widest fixed and scientific ones.
    std::vector<Road> runs;
    for (const Road &road : Roads())
      for (int format = 0; format < 3; ++format) {
        Road run = road;
        if (format > 0) {
          run.formatType = format;
          run.n = run.d = 15;
          run.name += format == 1 ? " fixed 15/15" : " scientific 15/15";
          // QUON_FULL_SIZE keeps the size limits in these formats too (slower).
          if (road.smaller && !std::getenv("QUON_FULL_SIZE")) run.load = road.smaller;
        }
        if (format == 0 || road.n != 15 || road.formatType != format) runs.push_back(run);
      }
    for (const Road &road : runs) {
      const std::string what = road.name + " / " + (scr3().*road.item).Name() + " at " + std::to_string(w / 15);
      SCOPED_TRACE(what);
      Forms::Clear();
      UseScreen(w, w * 3 / 4);
      road.load();
      InitGlobals(w, w * 3 / 4);
      g.HeaderText[1] = "A title of the problem";
      // The format as the input screen sets it, and as the output-format screen takes it.
      g.NumFormatType = static_cast<int16>(road.formatType);
      g.NumDigitsN = static_cast<int16>(road.n);
      g.NumDigitsD = static_cast<int16>(road.d);
      Timed(what + " solve", [&] { (scr3().*road.item).PerformClick(); });
      if (IsLoaded<Scr4>() && scr4().Shown()) {
        Scr4 &f4 = scr4();
        if (road.formatType == 2) f4.exponentialOption.PerformClick();
        f4.nbrNsText.SetText(std::to_string(road.n));
        f4.nbrDsText.SetText(std::to_string(road.d));
        Timed(what + " output screen", [&] { f4.cmdDone.PerformClick(); });
      }
      Check(what, false);
      if (!IsLoaded<Scr5>() || !scr5().Shown()) continue;
      Scr5 &f = scr5();
      const int options = f.Frame4.Visible() ? f.Combo1.ListCount() : 1;
      for (int option = 0; option < options; ++option) {
        if (f.Frame4.Visible())
          Timed(what + " option " + std::to_string(option + 1), [&] { f.Combo1.PerformChoose(option); });
        if (!IsLoaded<Scr5>()) break;
        Check(what + " option " + std::to_string(option + 1), false);
        // A table under one block of headings keeps them while its rows scroll (summaries of
        // several sections, each with its own headings, are left out): Floyd's routes listed
        // whole, then every such table scrolled to its end.
        const int16 cls = g.ModelClass;
        if (cls == ModelClassCode::Networks || cls == ModelClassCode::ProjectPlanning ||
            cls == ModelClassCode::Transportation || cls == ModelClassCode::Queueing ||
            cls == ModelClassCode::IntegerProgramming) {
          if (f.Frame7.Visible() && f.Label2.Visible()) f.Label2.PerformClick();
          f.outputGrid.SetTopRow(f.outputGrid.MaxTopRow());
          Check(what + " option " + std::to_string(option + 1) + " scrolled", true, false, true);
        }
        // The schedule experiment: the first activity with a float started as late as it may.
        if (IsLoaded<ScrLPGraf>() && scrLPGraf().Shown() && scrLPGraf().Frame3.Visible()) {
          ScrLPGraf &chart = scrLPGraf();
          chart.gridChart.SetTopRow(chart.gridChart.MaxTopRow());
          Check(what + " schedule's last rows", true, false, true);
          for (int a = 0; a < chart.Combo1.ListCount(); ++a) {
            chart.Combo1.PerformChoose(a);
            if (!chart.Combo2.Enabled() || chart.Combo2.ListCount() == 0) continue;
            chart.Combo2.PerformChoose(chart.Combo2.ListCount() - 1);
            Check(what + " experiment", false);
            break;
          }
        }
        // The user-guided search tree: a node's detail, then a branch on its first variable.
        if (g.ModelClass == ModelClassCode::IntegerProgramming && g.OutputOption == 2) {
          f.outputGrid.PerformClick(0, 0);
          Check(what + " node detail", false);
          f.BBGrid.PerformClick(0, 1);
          Check(what + " branched", false);
        }
        if (f.Frame2.Visible() && f.cmdFinalIter.Visible() && f.cmdFinalIter.Enabled()) {
          // Pressed as the mouse or the keyboard would: the button has the focus, and after the
          // last step and its message the focus stays on a live control, drawn there.
          f.cmdFinalIter.SetFocus();
          Timed(what + " all steps", [&] { f.cmdFinalIter.PerformClick(); });
          if (!IsLoaded<Scr5>()) continue;
          const Control *focused = f.ActiveControl();
          if (f.cmdFinalIter.Enabled()) {
            EXPECT_EQ(focused, &f.cmdFinalIter) << what;
          } else if (f.cmdWriteToPrinter.Visible() && f.cmdWriteToPrinter.Enabled()) {
            EXPECT_EQ(focused, &f.cmdWriteToPrinter) << what;
          } else {
            EXPECT_TRUE(focused && focused->Enabled() && focused->Widget()->isVisible()) << what;
          }
          if (focused) {
            EXPECT_EQ(focused->Widget()->window()->focusWidget(), focused->Widget()) << what;
          }
          Check(what + " option " + std::to_string(option + 1) + " all steps", true, true, true);
          // Scrolled on to the last rows, the headings are still there.
          f.outputGrid.SetTopRow(f.outputGrid.MaxTopRow());
          Check(what + " option " + std::to_string(option + 1) + " last rows", true);
        }
      }
    }
  }
}

// The window manager cuts a title wider than its box.
TEST(MessageBoxTitle, BoxIsWideEnoughForItsTitle) {
  QMessageBox box;
  box.setWindowTitle("Optimal transportation tableau after the last iteration");
  box.setText("OK");
  box.addButton(QMessageBox::Ok);
  WidenToTitle(box);
  box.show();
  QFont bold = box.font();
  bold.setBold(true);
  EXPECT_GT(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()));
}

} // namespace
} // namespace quon::testing
