#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "input/file_roads.h"
#include "input/problem_file.h"
#include "platform/user_services.h"
#include "support/grid_text.h"

namespace quon {
namespace {

namespace fs = std::filesystem;

class FileRoads : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.ModelClass = ModelClassCode::Games;
    g.NumDigitsN = 5;
    g.NumDigitsD = 2;
    g.NumFormatType = 1;
    g.ProblemFileName = "earlier.txt";
    grid_ = test::MakeGrid(3, 3);
    test::SetRow(grid_, 1, {"1", "-1"});
    test::SetRow(grid_, 2, {"-1", "1"});
    dir_ = fs::temp_directory_path() /
           ("quon_roads_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  static std::string Slurp(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  GridStore grid_;
  fs::path dir_;
  ScriptedServices script_;
};

TEST_F(FileRoads, CancelledSaveStaysSilent) {
  script_.AnswerSave(std::nullopt);
  EXPECT_EQ(SaveProblemFile(0, grid_, "Pennies", 0), SaveOutcome::Cancelled);
  EXPECT_TRUE(script_.MessageBoxes().empty());
  EXPECT_EQ(g.ProblemFileName, "earlier.txt");
  EXPECT_TRUE(script_.Done());
}

TEST_F(FileRoads, EmptyNameAsksToRetry) {
  const std::string path = (dir_ / "pennies.txt").string();
  script_.AnswerSave("")
      .AnswerMsgBox(msg::Yes, "You have not specified a SAVE file name.  Retry?")
      .AnswerSave(path);
  EXPECT_EQ(SaveProblemFile(1, grid_, "Pennies", 0), SaveOutcome::Saved);
  EXPECT_TRUE(script_.Done());
  EXPECT_EQ(script_.MessageBoxes()[0].title, "Save As");
  EXPECT_EQ(g.FileName, path);
  EXPECT_EQ(g.ProblemFileName, path);
  EXPECT_EQ(Slurp(path), ProblemFileText(CaptureProblem(grid_, "Pennies", 0)));

  script_.AnswerSave("").AnswerMsgBox(msg::No);
  EXPECT_EQ(SaveProblemFile(0, grid_, "Pennies", 0), SaveOutcome::Cancelled);
  EXPECT_TRUE(script_.Done());
}

TEST_F(FileRoads, DialogsOpenWhereTheLastProblemWasSavedOrOpened) {
  const fs::path other = dir_ / "other";
  fs::create_directories(other);
  const std::string saved = (dir_ / "pennies.txt").string(), elsewhere = (other / "game.txt").string();
  ASSERT_FALSE(WriteProblemFile(elsewhere, CaptureProblem(grid_, "Pennies", 0)));
  script_.AnswerSave(saved).AnswerOpen(elsewhere).AnswerSave(std::nullopt).AnswerOpen(std::nullopt);
  ASSERT_EQ(SaveProblemFile(0, grid_, "Pennies", 0), SaveOutcome::Saved);
  ASSERT_EQ(ChooseProblemFile().outcome, OpenOutcome::Loaded);
  SaveProblemFile(0, grid_, "Pennies", 0);
  ChooseProblemFile(); // a cancelled dialog moves nothing
  std::vector<std::string> folders;
  for (const ShownRecord &r : script_.Shown())
    if (r.kind != ShownRecord::Kind::MsgBox) folders.push_back(r.folder);
  EXPECT_EQ(folders, (std::vector<std::string>{"", dir_.string(), other.string(), other.string()}));
}

TEST_F(FileRoads, FailedSaveIsReported) {
  const std::string path = (dir_ / "missing" / "p.txt").string();
  script_.AnswerSave(path).AnswerMsgBox(msg::OK);
  EXPECT_EQ(SaveProblemFile(0, grid_, "Pennies", 0), SaveOutcome::Failed);
  ASSERT_EQ(script_.MessageBoxes().size(), 1u);
  EXPECT_EQ(script_.MessageBoxes()[0].style, msg::OKOnly | msg::Critical);
  EXPECT_EQ(g.ProblemFileName, "earlier.txt");
}

TEST_F(FileRoads, OpenRoadChecksTheModelClassAndTheWholeFile) {
  const std::string game = (dir_ / "game.txt").string();
  ASSERT_FALSE(WriteProblemFile(game, CaptureProblem(grid_, "Pennies", 0)));
  const std::string broken = (dir_ / "broken.txt").string();
  std::ofstream(broken, std::ios::binary) << "9000\r\n5\r\n2\r\n1\r\n\"T\"\r\n500\r\n";

  // Cancelled: an empty new problem.
  script_.AnswerOpen(std::nullopt);
  EXPECT_EQ(ChooseProblemFile().outcome, OpenOutcome::Cancelled);
  EXPECT_EQ(g.InputMode, -1);
  EXPECT_TRUE(script_.MessageBoxes().empty());

  // Another model class: retry, then give up to the MAIN menu.
  g = Mod1{};
  g.ModelClass = ModelClassCode::Transportation;
  script_.AnswerOpen(game)
      .AnswerMsgBox(msg::Yes, "Target file does not match format of elected QUON module.  Retry?")
      .AnswerOpen(game)
      .AnswerMsgBox(msg::No);
  EXPECT_EQ(ChooseProblemFile().outcome, OpenOutcome::BackToMainMenu);
  EXPECT_TRUE(script_.Done());
  EXPECT_EQ(script_.MessageBoxes()[0].title, "Open FileSave As Warning");
  EXPECT_EQ(g.ProblemFileName, "");

  // A broken file: the message, and the road ends as a cancelled one with nothing applied.
  g = Mod1{};
  g.ModelClass = ModelClassCode::Games;
  script_.ClearRecord();
  script_.AnswerOpen(broken).AnswerMsgBox(msg::OK);
  EXPECT_EQ(ChooseProblemFile().outcome, OpenOutcome::Cancelled);
  EXPECT_EQ(g.InputMode, -1);
  ASSERT_EQ(script_.MessageBoxes().size(), 1u);
  EXPECT_EQ(script_.MessageBoxes()[0].style, msg::OKOnly | msg::Critical);
  EXPECT_EQ(g.HeaderText[1], "");
  EXPECT_EQ(g.ProblemFileName, "");

  // A good file loads; nothing of the broken one was kept.
  g = Mod1{};
  g.ModelClass = ModelClassCode::Games;
  script_.AnswerOpen(broken).AnswerMsgBox(msg::OK);
  ChooseProblemFile();
  script_.AnswerOpen(game);
  OpenRoad road = ChooseProblemFile();
  ASSERT_EQ(road.outcome, OpenOutcome::Loaded);
  EXPECT_EQ(road.file.title, "Pennies");
  EXPECT_EQ(g.ProblemFileName, game);
  EXPECT_TRUE(script_.Done());
}

} // namespace
} // namespace quon
