// Fixture of the input screen's tests: the screen test set-up, an input screen with a title
// and sizes typed and its grid built for the model class, and a scratch folder for files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "input/input_grid.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "support/screen_test.h"

namespace quon::testing {

class InputScreenTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // The input road ends where the SOLVE/MODIFY screen pops up its menu; that menu has tests
    // of its own, so here it is left dismissed and only counted.
    script.SetFaultHandler([this](const std::string &what) {
      if (what.find("popup menu:") != std::string::npos && what.find("SOLVE/MODIFY") != std::string::npos) {
        ++solveMenus;
        for (const Form *f : Forms::Loaded())
          if (f->Name() == "scr2" && f->Shown()) inputShownUnderSolveMenu = true;
      } else
        ADD_FAILURE() << what;
    });
    dir = std::filesystem::temp_directory_path() /
          ("quon_input_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    ScreenTest::TearDown();
    std::filesystem::remove_all(dir);
  }

  int solveMenus = 0;
  bool inputShownUnderSolveMenu = false;

  // The input screen of a model class (sub-model: network or project method) with the title
  // "Demo" and the sizes confirmed; the grid is built unless no size is given.
  Scr2 &Typed(int modelClass, const std::string &size1, const std::string &size2 = "", int sub = 0) {
    g.ModelClass = static_cast<int16>(modelClass);
    if (modelClass == 7) g.NetSubModel = static_cast<int16>(sub);
    if (modelClass == 8) g.ProjMethod = static_cast<int16>(sub);
    g.TransSources = g.TransDests = g.NodeCount = g.NScen = g.GameRows = g.GameCols = 0;
    g.ObjSense = modelClass == 4 ? 1 : -1;
    g.SenseText = modelClass == 4 ? "Minimize" : "Maximize";
    Scr2 &s = scr2();
    s.Show();
    s.BX1.SetText("Demo");
    if (!size1.empty()) {
      s.BX2.SetText(size1);
      EXPECT_TRUE(CheckProblemSize(1, size1, size2).accepted);
    }
    if (!size2.empty()) {
      s.BX3.SetText(size2);
      EXPECT_TRUE(CheckProblemSize(2, size1, size2).accepted);
    }
    if (modelClass == 8 || !size1.empty()) {
      g.GridReadyFlag = 0;
      BuildInputGrid(s.grid1);
      s.saveMenu.SetEnabled(true);
      s.SaveAsMenu.SetEnabled(true);
      s.cmdDone.SetEnabled(true);
    }
    return s;
  }

  static void Fill(Scr2 &s, int row, const std::vector<std::string> &cells, int firstCol = 1) {
    int c = firstCol;
    for (const auto &t : cells)
      s.grid1.SetTextMatrix(row, c++, t);
  }

  // The data cells (rows and columns from 1) of the input grid.
  static std::vector<std::string> DataCells(const GridStore &grid) {
    std::vector<std::string> cells;
    for (int r = 1; r < grid.Rows(); ++r)
      for (int c = 1; c < grid.Cols(); ++c)
        cells.push_back(grid.TextMatrix(r, c));
    return cells;
  }

  std::filesystem::path dir;
};

} // namespace quon::testing
