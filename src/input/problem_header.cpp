#include "input/problem_header.h"

#include <algorithm>
#include <cmath>

#include "platform/colors.h"
#include "platform/values.h"

namespace quon {

std::string SizeLimitMessage(int box) {
  const int least = box == 2 && g.ModelClass != ModelClassCode::Queueing ? 2 : 1;
  return "Problem size cannot exceed 100.  Re-enter a size from " + std::to_string(least) + " to 100";
}

SizeCaptions SizeCaptionsFor(int modelClass) {
  switch (modelClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
    return {"Nbr. of Variables:", "", true, false};
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    return {"Nbr. of Variables:", "No. of Constraints:", true, true};
  case ModelClassCode::Transportation:
    return {"No. of Sources", "No. of Dest'ns", true, true};
  case ModelClassCode::Queueing:
    return {"No. of Scenarios", "", true, false};
  case ModelClassCode::Networks:
    return {"No. of Nodes", "", true, false};
  case ModelClassCode::ProjectPlanning:
    return {"Max. Node Nbr.", "", false, false};
  case ModelClassCode::Games:
    return {"No. of Strategies A", "No. of Strategies B", true, true};
  default:
    return {"", "", true, false};
  }
}

bool HasSecondSize(int modelClass) {
  return modelClass == ModelClassCode::LinearProgramming || modelClass == ModelClassCode::Transportation || modelClass == ModelClassCode::IntegerProgramming || modelClass == ModelClassCode::Games;
}

HeaderLayout LayoutHeader(int modelClass, double w, double h, double boxHeight, double sizeBoxWidth) {
  const double lw =
      120.0 * std::string_view(modelClass == ModelClassCode::Games ? "No. of Strategies" : "No. of variables").size();
  const double bh = boxHeight;
  HeaderLayout l;
  l.label1 = {0.05 * w, 0.04 * h, lw, bh};
  l.bx1 = {l.label1.left + lw, l.label1.top, 0.25 * w, bh};
  l.label2 = {0.05 * w, l.label1.top + 1.63 * bh, lw, bh};
  l.bx2 = {l.label2.left + lw, l.bx1.top + 1.63 * bh, sizeBoxWidth, bh};
  l.label6Left = std::lround(w) == 12000 ? l.label1.left : l.bx1.left;
  l.label6Top = l.bx2.top + 1.1 * l.bx2.height;
  if (HasSecondSize(modelClass)) {
    l.label3 = {0.05 * w, l.label2.top + 1.63 * bh, lw, bh};
    l.bx3 = {l.label3.left + lw, l.label3.top, sizeBoxWidth, bh};
    l.label6Top = l.bx3.top + 1.1 * l.bx3.height;
  } else if (modelClass == ModelClassCode::ProjectPlanning) {
    l.label6Top = l.bx1.top + 1.3 * l.bx1.height;
  }
  return l;
}

bool IsAllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

namespace {

SizeVerdict Refused(const std::string &message, const char *title, int focusBox, bool tooLarge = false) {
  SizeVerdict v;
  v.accepted = false;
  v.tooLarge = tooLarge;
  v.message = message;
  v.title = title;
  v.focusBox = focusBox;
  return v;
}

// The value of a size text; only reached with texts of at most 100, so the 16-bit conversion
// holds.
int16 SizeValue(std::string_view text) {
  return CInt(Val(text)).value_or(0);
}

bool TooLarge(std::string_view text) {
  return Val(text) > MaxProblemSize;
}

} // namespace

SizeVerdict InvalidSizeRefusal(int box) {
  if (box == 2 && g.ModelClass == ModelClassCode::Queueing) return Refused("Invalid nbr. of scenarios", "Queue Data Error", 2);
  return Refused("Invalid problem size", "Problem Size", box);
}

SizeVerdict CheckProblemSize(int which, std::string_view firstText, std::string_view secondText) {
  if (g.ModelClass == ModelClassCode::ProjectPlanning) return {};
  // Pasted text may hold anything; only digits make a size.
  if (!IsAllDigits(firstText)) return Refused("Invalid problem size", "Problem Size", 2);
  if (TooLarge(firstText)) return Refused(SizeLimitMessage(2), "Problem size", 2, true);

  if (which == 1) {
    g.NVars = SizeValue(firstText);
    g.MRows = g.NScen = g.NodeCount = g.GameRows = g.NVars;
    if (g.ModelClass == ModelClassCode::Queueing) {
      if (g.NVars < 1) return Refused("Invalid nbr. of scenarios", "Queue Data Error", 2);
      g.QueueData.ReDim(g.NScen, 5);
    } else if (g.NVars < 2) {
      g.TitleSuppress = -1;
      return Refused("Invalid problem size", "Problem Size", 2);
    }
    g.HeaderText[2] = std::string(firstText);
    return {};
  }

  if (!IsAllDigits(secondText)) return Refused("Invalid problem size", "Problem Size", 3);
  if (TooLarge(secondText)) return Refused(SizeLimitMessage(3), "Problem size", 3, true);
  // Both sizes as the two boxes give them, whatever a first confirmation left.
  g.NVars = g.TransSources = SizeValue(firstText);
  g.NScen = g.NodeCount = g.GameRows = g.NVars;
  g.MRows = g.TransDests = g.GameCols = SizeValue(secondText);
  if (g.NVars < 2 || g.MRows < 1) {
    g.TitleSuppress = -1;
    return Refused("Invalid problem size", "Problem Size", g.NVars < 2 ? 2 : 3);
  }
  g.HeaderText[2] = std::string(firstText);
  g.HeaderText[3] = std::string(secondText);
  return {};
}

void DrawHelpFrame(Surface &s, double w, double h) {
  s.SetFontSize(8);
  s.SetForeColor(kWhite);
  s.SetDrawWidth(2);
  double x;
  if (std::lround(w) != 12000) {
    s.SetFontBold(true);
    x = std::lround(std::lround(w * 0.5) * 1.03);
  } else {
    s.SetFontBold(false);
    // 83 twips for each of the 75 characters of the longest help line.
    x = w - 83 * 75;
  }
  g.HelpTextX = static_cast<int16>(x);

  // Blank lines as tall as the help text, so the frame ends just below it.
  s.SetCurrentX(x);
  s.SetCurrentY(0.04 * h);
  s.Print("");
  const int lines = (g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming) ? 6 : 5;
  for (int i = 0; i < lines; ++i) {
    s.SetCurrentX(x + 200);
    s.Print("");
  }
  const double y = 1.1 * s.CurrentY();
  // The divider starts below the model title where the title reaches over it.
  double top = 0.025 * h;
  const int cls = g.ModelClass;
  if (cls >= 0 && cls < static_cast<int>(g.ModelTitle.size()) && !g.ModelTitle[cls].empty()) {
    s.SetFontSize(9);
    s.SetFontBold(true);
    const double titleWidth = s.TextWidth(g.ModelTitle[cls]);
    const double titleBottom = 0.005 * h + s.TextHeight(g.ModelTitle[cls]);
    if (std::fabs(x - w / 2) <= titleWidth / 2 + 60) top = std::max(top, titleBottom + 30);
  }
  s.Line(x, top, x, y, kBlack);
  s.Box(0.015 * w, y, 0.975 * w, 0, kWhite);
  s.SetFontSize(9);
  s.SetFontBold(true);
}

double HelpFrameBottom(Surface &s, double w, double h) {
  s.SetFontSize(8);
  s.SetFontBold(std::lround(w) != 12000);
  const int lines = (g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming) ? 6 : 5;
  const double bottom = 1.1 * (0.04 * h + (lines + 1) * s.TextHeight(""));
  s.SetFontSize(9);
  s.SetFontBold(true);
  return bottom;
}

} // namespace quon
