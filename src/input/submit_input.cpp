#include "input/submit_input.h"

#include <string>

#include "games/game_lp.h"
#include "input/cell_rules.h"
#include "input/problem_file.h"
#include "input/problem_header.h"
#include "network/network_input.h"
#include "platform/values.h"
#include "project/project_input.h"
#include "queue/queue_input.h"
#include "transport/transport_input.h"

namespace quon {

namespace {
// A size text as a 16-bit integer: its leading number, halves to the even neighbour.
int16 SizeOf(const std::string &text) {
  return CInt(Val(text)).value_or(0);
}
} // namespace

SubmitHeader ConfirmedHeader(const GridStore &grid, SubmitHeader typed) {
  if (g.ModelClass == ModelClassCode::ProjectPlanning || grid.Rows() < 2 || grid.Cols() < 2) return typed;
  const std::vector<int> sizes = GridSizes(g.ModelClass, grid.Rows(), grid.Cols());
  auto settle = [](std::string &text, int size) {
    if (text.empty() || !IsAllDigits(text) || SizeOf(text) != size) text = std::to_string(size);
  };
  if (!sizes.empty()) settle(typed.size1, sizes[0]);
  if (HasSecondSize(g.ModelClass) && sizes.size() > 1) settle(typed.size2, sizes[1]);
  return typed;
}

std::optional<InputMessage> BeginSubmission(GridStore &grid, const SubmitHeader &header) {
  g.GridReadyFlag = 0;
  g.HeaderText[1] = header.title;
  g.HeaderText[2] = header.size1;
  if (g.ModelClass == ModelClassCode::ProjectPlanning) {
    if (auto refusal = PrepareProjectGrid(grid)) return refusal;
    // The project's size is found here, not typed, so the kept text follows it.
    g.HeaderText[2] = std::to_string(g.NodeCount);
  }
  // The problem solved is one a file could hold: no word in a number cell, no relation but
  // the three, whichever road put the text there.
  const CellSheet sheet{g.ModelClass, grid.Rows(), grid.Cols(),
                        [&grid](int r, int c) { return grid.TextMatrix(r, c); }};
  if (auto refused = FirstRefusedCell(sheet)) {
    InputMessage m = refused->message;
    m.row = refused->row;
    m.col = refused->col;
    return m;
  }
  g.GridRows = static_cast<int16>(grid.Rows());
  g.GridCols = static_cast<int16>(grid.Cols());
  return std::nullopt;
}

void CopyMatrixInput(const GridStore &grid) {
  g.MRows = static_cast<int16>(grid.Rows() - 1);
  g.NVars = g.MRows;
  ReDimProblemArrays(ArrayKind::Common);
  for (int i = 1; i <= g.MRows; ++i)
    for (int j = 1; j <= grid.Cols() - 1; ++j) {
      const double v = Val(grid.TextMatrix(i, j));
      g.Tab(i, j) = v;
      g.InvInput(i, j) = v;
    }
  for (int j = 1; j <= g.MRows; ++j)
    g.ColNames(j) = "x" + std::to_string(j);
}

std::optional<InputMessage> TakeLPInputError() {
  const int k = g.InputErrorIndex;
  if (k == 0) return std::nullopt;
  g.InputErrorIndex = 0;
  // The editor goes to what the message names: the constraint's first coefficient, or the
  // variable's lower bound.
  InputMessage m = k > 0
                       ? CriticalMessage("All Left-hand side coefficients of Constraint " +
                                             std::to_string(k) + " are zero.  Renenter or delete constraint",
                                         "Input Data Error", k + 2, 1)
                       : CriticalMessage("Lower bound exceeds upper bound for varaible " +
                                             std::to_string(-k) + ". Renenter correct bounds",
                                         "Input Data Error", g.MRows + 3, -k);
  m.resetSelection = true;
  return m;
}

std::optional<InputMessage> ConvertInput(GridStore &grid, const SubmitHeader &header, LPConversion buildLP) {
  switch (g.ModelClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
    CopyMatrixInput(grid);
    break;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    g.HeaderText[3] = header.size2;
    g.BoundLabel.Erase();
    if (buildLP) buildLP(grid);
    if (auto refusal = TakeLPInputError()) return refusal;
    break;
  case ModelClassCode::Transportation:
    g.HeaderText[3] = header.size2;
    if (auto refusal = ReadTransInput(grid)) {
      g.Entering = 0;
      return refusal;
    }
    grid.SetTextMatrix(1, 1, "S/D Name");
    break;
  case ModelClassCode::Queueing:
    if (auto refusal = ReadQueueInput(grid)) {
      g.NScen = static_cast<int16>(-g.NScen);
      return refusal;
    }
    break;
  case ModelClassCode::Networks:
    ReadNetworkInput(grid);
    break;
  case ModelClassCode::ProjectPlanning:
    ReDimProblemArrays(ArrayKind::Projects, grid.Rows());
    if (auto refusal = ReadProjectInput(grid)) return refusal;
    if (auto refusal = CheckProjectStartFinish()) return refusal;
    break;
  case ModelClassCode::Games:
    g.HeaderText[3] = header.size2;
    BuildGameLP(grid);
    break;
  default:
    break;
  }
  return std::nullopt;
}

KeptHeader RestoreInputState() {
  g.NumDigitsN = g.NumDigitsNSaved;
  g.NumDigitsD = g.NumDigitsDSaved;
  g.TableauCount = 0;
  g.LPMethod = 0;
  KeptHeader h;
  h.title = g.HeaderText[1];
  h.size1 = g.HeaderText[2];
  g.NVars = SizeOf(g.HeaderText[2]);
  switch (g.ModelClass) {
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
  case ModelClassCode::Games:
    g.MRows = SizeOf(g.HeaderText[3]);
    h.size2 = g.HeaderText[3];
    if (g.ModelClass == ModelClassCode::Games) {
      g.GameRows = g.NVars;
      g.GameCols = g.MRows;
    }
    break;
  case ModelClassCode::Transportation:
    h.size2 = g.HeaderText[3];
    g.TransSources = SizeOf(g.HeaderText[2]);
    g.TransDests = SizeOf(g.HeaderText[3]);
    break;
  case ModelClassCode::Queueing:
    g.NScen = g.NVars;
    break;
  case ModelClassCode::Networks:
    g.NodeCount = g.NVars;
    break;
  case ModelClassCode::ProjectPlanning:
    g.NodeCount = g.NVars;
    h.size1Shown = false;
    break;
  default:
    break;
  }
  return h;
}

namespace {
std::function<std::optional<std::string>()> &InputContent() {
  static std::function<std::optional<std::string>()> content;
  return content;
}
} // namespace

void SetInputProblemContent(std::function<std::optional<std::string>()> content) {
  InputContent() = std::move(content);
}

bool SaveQuestionDue() {
  // A project has no size box: its grid stands once the title is confirmed, so any change
  // to it counts.
  const bool entered = g.TransSources != 0 || g.NVars != 0 || g.NodeCount != 0 || g.NScen != 0 ||
                       (g.ModelClass == ModelClassCode::ProjectPlanning && g.DataChanged == 1);
  if (!entered || g.SavedProblem.empty()) return entered;
  const std::optional<std::string> now = InputContent() ? InputContent()() : std::nullopt;
  return now ? *now != g.SavedProblem : g.KeptUnsaved;
}

InputMessage SaveQuestion(bool withCancel) {
  InputMessage m;
  m.text = "Do you wish to save data?";
  m.title = "Save?";
  m.style = (withCancel ? msg::YesNoCancel : msg::YesNo) | msg::Question;
  return m;
}

} // namespace quon
