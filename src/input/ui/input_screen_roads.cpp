#include "input/ui/input_screen_roads.h"

#include <cstdlib>

#include "input/file_roads.h"
#include "input/submit_input.h"
#include "input/ui/scr2.h"
#include "shell/mod1.h"
#include "shell/ui/screen_links.h"

namespace quon {

namespace {

void ShowForNewProblem() {
  Scr2 &input = scr2();
  if (g.ModelClass == ModelClassCode::ProjectPlanning)
    input.Label6.SetCaption("Enter title then press RETURN or TAB to initialize input grid");
  input.Show();
  input.BX1.SetFocus();
}

void OpenExistingFile() {
  Scr2 &input = scr2();
  input.Frame1.SetVisible(true);
  if (g.ModelClass == ModelClassCode::ProjectPlanning) {
    input.Label6.SetVisible(false);
    input.Label2.SetVisible(false);
    input.BX2.SetVisible(false);
  }
  for (;;) {
    input.Show();
    if (std::abs(g.InputMode) == 1) {
      g.InputMode = 1;
      g.NewProblemMark = 99;
      break;
    }
    const OpenOutcome opened = OpenProblemFile();
    // Back at the MAIN menu the input screen is gone: nothing more to do here.
    if (opened == OpenOutcome::BackToMainMenu) return;
    if (opened == OpenOutcome::Loaded) {
      input.cmdDone.SetEnabled(true);
      break;
    }
  }
  input.ShowGridEditingHelp();
}

void EndProgram() {
  Forms::UnloadAllButLast();
  if (!Forms::Loaded().empty()) Unload(*Forms::Loaded().front());
}

void ExitAskingToSave() {
  if (!SaveQuestionDue()) {
    EndProgram();
    return;
  }
  const int answer = ShowInputMessage(SaveQuestion(true));
  if (answer == msg::Cancel) return;
  if (answer == msg::Yes) {
    // The input screen holds what is saved: it comes back with the problem to save it.
    ModifyInputData();
    if (!IsLoaded<Scr2>()) return;
    Scr2 &input = scr2();
    if (input.SaveProblemFile(0) != SaveOutcome::Saved) {
      std::vector<Form *> later;
      for (Form *f : Forms::Loaded())
        if (f != &input) later.push_back(f);
      for (Form *f : later)
        Unload(*f);
      return;
    }
  }
  EndProgram();
}

} // namespace

void RegisterInputScreen() {
  InputScreenRoads roads;
  roads.load = [] { scr2(); };
  roads.showForNewProblem = ShowForNewProblem;
  roads.openExistingFile = OpenExistingFile;
  roads.returnToInput = [] {
    ModifyInputData();
    return IsLoaded<Scr2>();
  };
  roads.placeCellEditor = [](int16 row, int16 col) { scr2().PlaceCellEditor(row, col); };
  roads.exitAskingToSave = ExitAskingToSave;
  SetInputProblemContent([]() -> std::optional<std::string> {
    if (!IsLoaded<Scr2>()) return std::nullopt;
    return scr2().ProblemOnScreen();
  });
  RegisterInputScreenRoads(std::move(roads));
}

} // namespace quon
