#include "linear/ui/scr_lp_graf.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>

#include "linear/lp_graph.h"
#include "linear/lp_summary_values.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "shell/ui/screen_links.h"

namespace quon {

namespace {

std::map<int, GraphScreenHooks> &HookTable() {
  static std::map<int, GraphScreenHooks> table;
  return table;
}

const GraphScreenHooks &CurrentHooks() {
  static const GraphScreenHooks none;
  const auto it = HookTable().find(g.ModelClass);
  return it == HookTable().end() ? none : it->second;
}

double frameDelay = 0.4;

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

std::string F(double v) { return Format(v, NumberFormatString()); }

// A number of a constraint line: formatted, then right-aligned in a field of N + D + 1.
std::string Field(double v) {
  return Format(F(v), std::string(static_cast<std::size_t>(std::max(0, g.NumDigitsN + g.NumDigitsD + 1)), '@'));
}

std::string Relation(int i) {
  const std::string t = g.ConstrType(i).str();
  if (t == "<") return "<=";
  if (t == ">") return ">=";
  if (t == "=") return "= ";
  return t;
}

// The frames of the animation are apart by a busy wait: nothing else runs meanwhile, as with
// every drawing of this screen. The picture is shown first, so each frame is seen.
void WaitFrame(ScrLPGraf &s) {
  s.picLPgraph.PaintNow();
  if (frameDelay <= 0) return;
  const auto start = std::chrono::steady_clock::now();
  const auto until = start + std::chrono::duration<double>(frameDelay);
  while (std::chrono::steady_clock::now() < until) {
  }
}

void ShowResultLabels(ScrLPGraf &s, bool on) {
  s.Label5.SetVisible(on);
  s.Label6.SetVisible(on);
  s.Label7.SetVisible(on);
}

void FillResultLabels(ScrLPGraf &s) {
  if (g.LPResult != LPStatus::Optimal) {
    s.Label5.SetCaption("");
    s.Label7.SetCaption("");
    s.Label6.SetCaption(LPNoSolutionText(g.LPResult));
    return;
  }
  s.Label5.SetCaption("Objective value = " + F(g.ZValue));
  s.Label6.SetCaption("x1 = " + F(g.XSol(1)));
  s.Label7.SetCaption("x2 = " + F(g.XSol(2)));
}

void FillLPList(ScrLPGraf &s) {
  ListBox &l = s.List1;
  const int m = g.MRows;
  l.Clear();
  l.AddItem(g.HeaderText[1]);
  l.AddItem("");
  l.AddItem(" " + g.SenseText.str() + " z = " + F(g.LPData(2, 1)) + "x1 +" + F(g.LPData(2, 2)) + "x2");
  l.AddItem(" ");
  l.AddItem(" subject to");
  l.AddItem(" ");
  for (int i = 1; i <= m; ++i)
    l.AddItem(" (" + Str(i) + ")" + Field(g.LPData(i + 2, 1)) + "x1 +" + Field(g.LPData(i + 2, 2)) + "x2 " +
              Relation(i) + Field(g.LPData(i + 2, g.RHSInCol)));
  l.AddItem(" ");
  l.AddItem("          all xj >= 0");
  l.AddItem("");
  l.AddItem("  Click here to graph LP in one stroke");
}

bool ScaleSet() { return g.GraphStep > 0 && g.GraphXMax > 0; }

// The axes on the picture (unless the drawing that follows draws them) and the form's
// heading, frame and title; the first time after the screen loads it starts the drawing with
// the shaded quadrant.
void DrawLPGraphAxes(ScrLPGraf &s, bool axes = true) {
  s.DrawFormDecoration();
  ShowResultLabels(s, false);
  if (!ScaleSet()) return;
  if (axes) DrawLPAxes(s.picLPgraph);
  if (g.GraphFirstPaintDone == 0) {
    g.GraphFirstPaintDone = 1;
    s.List1.SetListIndex(g.MRows + 7);
  }
}

void ResetLPGraph(ScrLPGraf &s) {
  s.picLPgraph.Clear();
  DrawLPGraphAxes(s);
  if (ScaleSet()) {
    ShadeQuadrant(s.picLPgraph);
    DrawLPGraphAxes(s);
  }
  g.GraphDrawn.ReDim(g.MRows);
  g.GraphDrawnCount = 0;
}

// One picture of the graphed constraints with the objective's right-hand side at `objective`.
void DrawConstraintsFrame(ScrLPGraf &s, double objective, int16 first) {
  s.picLPgraph.Clear();
  g.Tab(2, g.NColsPlus1) = objective;
  DrawLPGraphAxes(s, false);
  RecountGraphDrawn();
  int16 last = g.MRows;
  DrawLPConstraint(first, last, s.picLPgraph, false);
}

// Every constraint graphed, drawn with the objective line at the optimum. The frames of the
// replay follow each other without a wait and each clears the one before, so only the last,
// which holds every constraint, is drawn.
void RedrawLPGraph(ScrLPGraf &s) {
  for (int k = 1; k <= g.MRows; ++k)
    g.GraphDrawn(k) = static_cast<int16>(k);
  DrawConstraintsFrame(s, g.ZValue, 0);
}

void DrawObjective(ScrLPGraf &s, bool oneStroke) {
  if (g.OutputMode == 1) return;
  if (g.GraphDrawnCount < g.MRows) {
    Beep();
    MsgBox("Must graph all constraints prior to objective function", msg::OKOnly | msg::Critical,
           "Graph Obj Function");
    return;
  }
  s.cmdZoomIn.SetEnabled(true);
  s.cmdZoomOut.SetEnabled(true);
  s.cmdPrintGraph.SetEnabled(true);
  for (double v : ObjectiveFrameValues(g.ObjSense, g.ZValue, g.Infinity)) {
    DrawConstraintsFrame(s, v, 0);
    WaitFrame(s);
  }
  g.GraphDrawn(0) = 1;
  if (oneStroke) {
    g.GraphDrawn.ReDim(g.MRows);
    g.GraphDrawnCount = 0;
    g.GraphDrawn(0) = kWholePictureMark;
    g.OutputMode = 1;
  }
  ShowResultLabels(s, true);
}

void LPListPass(ScrLPGraf &s, int p, bool oneStrokeSecondPass) {
  const int m = g.MRows;
  if (p == 2) {
    DrawObjective(s, oneStrokeSecondPass);
  } else if (p == m + 7) {
    g.GraphDrawn.ReDim(g.MRows);
    g.GraphDrawnCount = 0;
    g.OutputMode = 0;
    ResetLPGraph(s);
    ShowResultLabels(s, false);
  } else if (p == m + 9) {
    // The constraints one by one without a wait: only the last picture is ever seen.
    for (int k = 1; k <= m; ++k)
      g.GraphDrawn(k) = static_cast<int16>(k);
    DrawConstraintsFrame(s, m + g.ZValue + 5, 1);
    ShowResultLabels(s, true);
  } else if (p >= 6 && p <= m + 5) {
    const int k = p - 5;
    g.OutputMode = 0;
    g.GraphDrawn(k) = static_cast<int16>(k);
    DrawConstraintsFrame(s, p + g.ZValue, 1);
  }
}

void LPListClick(ScrLPGraf &s, int p) {
  s.cmdZoomIn.SetEnabled(false);
  s.cmdZoomOut.SetEnabled(false);
  // Without a scale (unwieldy data) there is nothing to draw on.
  if (!ScaleSet()) return;
  if (p == g.MRows + 9) {
    g.OutputMode = 0;
    LPListPass(s, p, false);
    LPListPass(s, 2, true);
    return;
  }
  LPListPass(s, p, false);
}

} // namespace

void RegisterGraphScreenHooks(ModelClassCode::Code modelClass, GraphScreenHooks hooks) {
  HookTable()[modelClass] = std::move(hooks);
}

void SetLPGraphFrameDelay(double seconds) {
  frameDelay = seconds;
}

ScrLPGraf &scrLPGraf() {
  return FormInstance<ScrLPGraf>();
}

ScrLPGraf::ScrLPGraf() : Form("scrLPGraf") {
  SetBackColor(kBlue);
  picLPgraph.SetBackColor(kWhite);
  Frame1.Move(0, 0, 4080, 495);
  cmdZoomIn.Move(120, 60, 1200, 375);
  cmdZoomIn.SetCaption("Zoom In");
  cmdZoomOut.Move(1440, 60, 1200, 375);
  cmdZoomOut.SetCaption("Zoom Out");
  cmdPrintGraph.Move(2760, 60, 1200, 375);
  cmdPrintGraph.SetCaption("Print Graph");
  Frame2.Move(0, 0, 7335, 735);
  cmdMainMenu.Move(240, 240, 2175, 375);
  cmdMainMenu.SetCaption("MAIN Menu");
  cmdModifyInputData.Move(2520, 240, 2295, 375);
  cmdModifyInputData.SetCaption("View/Modify Input Data");
  cmdExitQuon.Move(4920, 240, 2175, 375);
  cmdExitQuon.SetCaption("Exit QUON");
  Frame3.SetCaption("Experiment with schedule changes");
  Label1.SetCaption("Change start of");
  Label2.SetCaption("by");
  Label3.SetCaption("Maximum change is limited to Total Float");
  Frame4.SetCaption("Optimal Solution");
  Label5.Move(120, 240, 3000, 255);
  Label6.Move(120, 510, 3000, 255);
  Label7.Move(120, 780, 3000, 255);
  Label4.SetForeColor(kWhite);
  Label4.SetBackColor(kBlue);

  picLPgraph.Resize = [this] { picLPgraph_Resize(); };
  picLPgraph.Paint = [this] { picLPgraph_Paint(); };
  List1.Click = [this] { List1_Click(); };
  cmdZoomIn.Click = [this] { cmdZoomIn_Click(); };
  cmdZoomOut.Click = [this] { cmdZoomOut_Click(); };
  cmdPrintGraph.Click = [this] { cmdPrintGraph_Click(); };
  cmdModifyInputData.Click = [this] { cmdModifyInputData_Click(); };
  cmdMainMenu.Click = [this] { cmdMainMenu_Click(); };
  cmdExitQuon.Click = [this] { cmdExitQuon_Click(); };
  // Tab runs through the graph's own choices first and reaches the exits last.
  SetTabOrder({&List1, &Combo1, &Combo2, &Text1, &Text2, &gridChart, &cmdZoomIn, &cmdZoomOut, &cmdPrintGraph,
               &cmdModifyInputData, &cmdMainMenu, &cmdExitQuon});
  Combo1.Click = [this] {
    if (CurrentHooks().combo1Click) CurrentHooks().combo1Click(*this);
  };
  Combo2.Click = [this] {
    if (CurrentHooks().combo2Click) CurrentHooks().combo2Click(*this);
  };
}

void ScrLPGraf::Form_Load() {
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  g.GraphFirstPaintDone = 0;
  hintShown_ = false;
  SetCaption("QUON " + g.ProblemFileName);
  Frame4.SetVisible(false);
  gridChart.SetVisible(false);
  gridChart.WidenToText = true;
  Frame3.SetVisible(false);

  const int side = Round(0.5 * w);
  const double aspect = g.AspectRatio > 0 ? g.AspectRatio : static_cast<double>(w) / h;
  picLPgraph.Move(Round(0.4 * w), Round(0.2 / aspect * h), side, side);

  SetFontSize(8);
  const double textH = TextHeight("ZOOM");
  for (Button *b : {&cmdZoomIn, &cmdZoomOut, &cmdPrintGraph})
    b->SetHeight(Round(1.6 * textH));
  Frame1.SetHeight(Round(2 * textH));
  Frame1.SetLeft(Round(0.65 * w - 0.5 * Frame1.Width()));
  Frame1.SetTop(picLPgraph.Top() - Frame1.Height());
  Frame2.SetLeft(Round((w - Frame2.Width()) * 0.5));
  // A little above the white frame's line, which 0.86 of a small screen's height would cross.
  const double lowest = std::floor(ScreenFrameInside(w, h).bottom) - Frame2.Height() - 120;
  Frame2.SetTop(Round(std::min(0.86 * h, lowest)));

  const GraphScreenHooks &hooks = CurrentHooks();
  const std::string title = hooks.load ? hooks.load(*this) : std::string();
  Label4.SetFontBold(true);
  Label4.SetWidth(Round(1.2 * TextWidth(title)));
  Label4.SetTop(Round(1.125 * Frame1.Top()) / 2);
  Label4.SetLeft(Round(w - Label4.Width()) / 2);
  Label4.SetCaption(title);
  // On a small screen the centred title runs into the page heading at the top left: it moves
  // right of the heading, or below it where the frame leaves no room beside.
  const HeadingExtent heading = PageHeadingExtent(*this);
  if (Label4.Left() < heading.right && Label4.Top() < heading.bottom) {
    const int right = Round(ScreenFrameInside(w, h).right) - 60;
    const int besideLeft = Round(heading.right) + 240;
    if (besideLeft + Label4.Width() <= right)
      Label4.SetLeft(besideLeft);
    else
      Label4.SetTop(Round(heading.bottom) + 60);
  }
}

void ScrLPGraf::picLPgraph_Resize() {
  if (CurrentHooks().setScale) CurrentHooks().setScale(*this);
}

void ScrLPGraf::picLPgraph_Paint() {
  if (CurrentHooks().paint) CurrentHooks().paint(*this);
}

void ScrLPGraf::List1_Click() {
  if (CurrentHooks().listClick) CurrentHooks().listClick(*this, List1.ListIndex());
}

void ScrLPGraf::cmdZoomIn_Click() {
  const GraphScreenHooks &hooks = CurrentHooks();
  if (!hooks.zoomed) return;
  g.GraphZoomed = 1;
  const std::optional<int16> max =
      ZoomedInMax(hooks.zoomsYOnly ? g.GraphYMax : g.GraphXMax, !hooks.zoomsYOnly);
  if (!max) {
    Beep();
    return;
  }
  picLPgraph.Clear();
  g.GraphYMax = *max;
  if (!hooks.zoomsYOnly) g.GraphXMax = *max;
  ApplyGraphScale(picLPgraph);
  hooks.zoomed(*this, false);
}

void ScrLPGraf::cmdZoomOut_Click() {
  const GraphScreenHooks &hooks = CurrentHooks();
  if (!hooks.zoomed) return;
  g.GraphZoomed = 1;
  // Axis ends are 16-bit: beyond that the zoom stops.
  const std::optional<int16> max = ZoomedOutMax(g.GraphYMax);
  if (!max) {
    Beep();
    return;
  }
  picLPgraph.Clear();
  g.GraphYMax = *max;
  if (!hooks.zoomsYOnly) g.GraphXMax = *max;
  ApplyGraphScale(picLPgraph);
  hooks.zoomed(*this, true);
}

void ScrLPGraf::cmdPrintGraph_Click() {
  if (CurrentHooks().print) CurrentHooks().print();
}

namespace {

// The output screen stays loaded under the graph screen while the bar chart is shown; leaving
// the graph screen leaves it too, so that it cannot be brought back over the new input.
void UnloadOutputScreenBelow() {
  if (IsLoaded<Scr5>()) Unload(scr5());
}

} // namespace

void ScrLPGraf::cmdModifyInputData_Click() {
  // The input screen is shown first: unloading the last screen would end the program.
  if (!ReturnToInputScreen()) return;
  UnloadOutputScreenBelow();
  Unload(*this);
}

void ScrLPGraf::cmdMainMenu_Click() {
  g.NumFormatType = 1;
  ShowMainMenuWithoutInputMode();
  UnloadOutputScreenBelow();
  Unload(*this);
}

void ScrLPGraf::cmdExitQuon_Click() {
  ExitQuonFromLaterScreen();
}

void ScrLPGraf::DrawFormDecoration() {
  Clear();
  // White on the blue screen, whatever colour the last title left.
  SetForeColor(kWhite);
  if (hintShown_) DrawGraphingHint();
  SetForeColor(kWhite);
  PrintPageHeading(*this);
  DrawScreenFrameAndTitle(*this);
}

void ScrLPGraf::DrawGraphingHint() {
  SetFontBold(true);
  SetFontSize(9);
  g.LineHeight = RoundTwips(TextHeight("AA"));
  const int32 left = List1.Left(), width = List1.Width(), top = picLPgraph.Top();
  Box(left, top, left + width - 5, top + 3 * g.LineHeight, ForeColor());
  PrintAt(*this, left + 50, top + 70, "To graph the LP below, click constraints");
  SetCurrentX(left + 50);
  Print("one at a time, then click objective function");
}

void ScrLPGraf::ShowGraphingHint() {
  cmdZoomIn.SetEnabled(false);
  cmdZoomOut.SetEnabled(false);
  cmdPrintGraph.SetEnabled(true);
  hintShown_ = true;
  SetForeColor(kWhite);
  DrawGraphingHint();
}

void ScrLPGraf::PlaceList() {
  gridChart.SetVisible(false);
  Frame3.SetVisible(false);
  List1.SetVisible(true);
  // Centred on a fifth of the screen, within the room between the screen's frame and the
  // picture: a list of long numbers scrolls across rather than run off the screen or over
  // the graph.
  constexpr int kGap = 120;
  const int first = Round(ScreenFrameInside(ScreenWidth(), ScreenHeight()).left) + kGap;
  const int last = picLPgraph.Left() - kGap;
  const int width = std::max(1, std::min((3 * (g.NumDigitsN + g.NumDigitsD) + 11) * 120, last - first));
  List1.SetWidth(width);
  List1.SetLeft(std::max(first, std::min(Round(0.2 * ScreenWidth() - 0.5 * width), last - width)));
}

GraphScreenHooks LPGraphScreenHooks() {
  GraphScreenHooks h;
  h.load = [](ScrLPGraf &s) {
    s.PlaceList();
    const int h3 = Round(3 * s.TextHeight("AA"));
    FillResultLabels(s);
    s.Frame4.SetVisible(true);
    s.Frame4.SetHeight(Round(5.5 * s.TextHeight("OO")));
    s.List1.SetTop(s.picLPgraph.Top() + h3);
    s.List1.SetHeight(Round(s.picLPgraph.Height() - h3 - 1.02 * s.Frame4.Height()));
    s.Frame4.Move(s.List1.Left(), s.List1.Top() + s.List1.Height(), s.List1.Width(), s.Frame4.Height());
    for (Label *l : {&s.Label5, &s.Label6, &s.Label7})
      l->SetWidth(s.Frame4.Width() - 240);
    FillLPList(s);
    return std::string("GRAPHICAL LINEAR PROGRAMMING SOLUTION");
  };
  h.setScale = [](ScrLPGraf &s) { SetLPGraphScale(s.picLPgraph); };
  h.paint = [](ScrLPGraf &s) {
    if (g.GraphXMax == kUnwieldyScale) {
      g.GraphXMax = 0;
      MsgBox("Data produces unwieldy scales.  Scale down RHS of constraints relative to LHS coefficients",
             msg::OKOnly | msg::Critical, "Scaling Error");
      return;
    }
    // Later paints (the picture shown again after it was covered or hidden) find the drawing
    // retained: drawing the axes again would only put them over the shading.
    if (g.GraphFirstPaintDone == 0) DrawLPGraphAxes(s);
  };
  h.listClick = LPListClick;
  h.zoomed = [](ScrLPGraf &s, bool out) {
    DrawLPGraphAxes(s);
    if (out) g.GraphDrawn(0) = kWholePictureMark;
    RedrawLPGraph(s);
    ShowResultLabels(s, true);
  };
  h.print = [] { PrintLPGraph(); };
  return h;
}

void ShowLPGraphOutput() {
  ScrLPGraf &s = scrLPGraf();
  s.Show();
  s.ShowGraphingHint();
}

} // namespace quon
