#include "input/file_roads.h"

#include <filesystem>

#include "input/problem_file.h"
#include "platform/user_services.h"

namespace quon {

namespace {
FileDialogRequest ProblemFileDialog(const char *title, bool overwritePrompt) {
  FileDialogRequest r;
  r.title = title;
  r.filter = "Text|*.txt";
  r.overwritePrompt = overwritePrompt;
  r.initialDir = g.ProblemFolder;
  return r;
}

void RememberProblemFolder(const std::string &path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  if (!ec) g.ProblemFolder = full.parent_path().string();
}
} // namespace

SaveOutcome SaveProblemFile(int16 /*mode*/, const GridStore &grid, const std::string &title,
                            int16 symmetric) {
  for (;;) {
    g.FileName.clear();
    auto name = SaveFileDialog(ProblemFileDialog("Save As", true));
    if (!name) return SaveOutcome::Cancelled;
    g.FileName = *name;
    if (!g.FileName.empty()) break;
    InputMessage retry = SaveNameRetryQuestion();
    if (ShowInputMessage(retry) != msg::Yes) return SaveOutcome::Cancelled;
  }
  if (auto failure = WriteProblemFile(g.FileName, CaptureProblem(grid, title, symmetric))) {
    ShowInputMessage(*failure);
    return SaveOutcome::Failed;
  }
  g.ProblemFileName = g.FileName;
  RememberProblemFolder(g.FileName);
  return SaveOutcome::Saved;
}

OpenRoad ChooseProblemFile() {
  OpenRoad road;
  // A file that is not opened leaves no trace: the road ends as a cancelled dialog does.
  const std::string keptName = g.FileName;
  for (;;) {
    auto name = OpenFileDialog(ProblemFileDialog("Open", false));
    if (!name) break;
    g.FileName = *name;
    OpenResult res = ReadProblemFile(g.FileName, g.ModelClass, g.NetSubModel, g.ProjMethod);
    if (res.status == OpenStatus::Loaded) {
      g.ProblemFileName = g.FileName;
      RememberProblemFolder(g.FileName);
      road.outcome = OpenOutcome::Loaded;
      road.file = std::move(res.file);
      return road;
    }
    if (res.status == OpenStatus::Mismatch) {
      if (ShowInputMessage(res.message) == msg::Yes) continue;
      g.FileName = keptName;
      road.outcome = OpenOutcome::BackToMainMenu;
      return road;
    }
    ShowInputMessage(res.message);
    break;
  }
  g.FileName = keptName;
  g.InputMode = -1;
  road.outcome = OpenOutcome::Cancelled;
  return road;
}

} // namespace quon
