// The CPM bar chart on the graph screen: the schedule grid and the experiment frame beside the
// picture, the chart drawn on every resize, paint and zoom, and the schedule experiment.
#include "project/ui/bar_chart_screen.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/colors.h"
#include "platform/user_services.h"
#include "project/bar_chart.h"
#include "project/project_schedule.h"

namespace quon {

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

// Lines a label's caption takes when wrapped at word breaks to `width` twips, and the width
// of its widest line, measured in the label's font.
struct Wrapped {
  int lines = 0;
  double widest = 0;
};
Wrapped WrapCaption(ScrLPGraf &s, const Label &label, double width) {
  const std::string name = s.FontName();
  const double size = s.FontSize();
  const bool bold = s.FontBold();
  s.SetFontName(label.FontName());
  s.SetFontSize(label.FontSize());
  s.SetFontBold(label.FontBold());
  Wrapped out;
  std::string line;
  const std::string &text = label.Caption();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && s.TextWidth(longer) > width) {
      out.widest = std::max(out.widest, s.TextWidth(line));
      ++out.lines;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) {
    out.widest = std::max(out.widest, s.TextWidth(line));
    ++out.lines;
  }
  s.SetFontName(name);
  s.SetFontSize(size);
  s.SetFontBold(bold);
  return out;
}

// The height of a line of text in a control's font.
int LineHeight(ScrLPGraf &s, const Control &c) {
  const std::string name = s.FontName();
  const double size = s.FontSize();
  const bool bold = s.FontBold();
  s.SetFontName(c.FontName());
  s.SetFontSize(c.FontSize());
  s.SetFontBold(c.FontBold());
  const double height = s.TextHeight("Ag");
  s.SetFontName(name);
  s.SetFontSize(size);
  s.SetFontBold(bold);
  return static_cast<int>(std::ceil(height));
}

// The width a label needs for its caption on one line, with a margin for the label's edges.
int CaptionWidth(ScrLPGraf &s, const Label &label) {
  return static_cast<int>(std::ceil(WrapCaption(s, label, 1e9).widest)) + 60;
}

void ShowBarChartSchedule(ScrLPGraf &s) {
  Grid &grid = s.gridChart;
  const std::vector<ScheduleRow> rows = BarChartScheduleRows();
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
    const ScheduleRow &row = rows[static_cast<std::size_t>(r - 1)];
    for (int c = 0; c < 6; ++c) {
      grid.SetRow(r + 1);
      grid.SetCol(c);
      if (row.critical) grid.SetCellForeColor(kRed);
      grid.SetText(row.cells[static_cast<std::size_t>(c)]);
    }
  }
}

std::string LoadBarChart(ScrLPGraf &s) {
  static const char *const heads[] = {"Activity",      "Duration",    "Earliest Start",
                                      "Latest Finish", "Total Float", "Free Float"};
  g.ColHeads.ReDim(5);
  for (int c = 0; c < 6; ++c)
    g.ColHeads(c) = heads[c];
  s.Frame3.SetVisible(true);
  s.List1.SetVisible(false);

  Grid &grid = s.gridChart;
  const PictureBox &pic = s.picLPgraph;
  grid.SetVisible(true);
  grid.FixedRows = 1;
  grid.FixedCols = 1;
  grid.Move(Round(0.1 * pic.Left()), pic.Top(), Round(0.81 * pic.Left()), pic.Height() / 2);
  grid.SetRows(g.ActivityCount + 2);
  grid.SetCols(6);
  // Under the fixed title row, the column headings stay in view while the activities scroll.
  grid.BlockOf = [](int) { return GridStore::RowBlock{1, 1}; };
  grid.ColAlignment.assign(6, kAlignRight);
  grid.ColAlignment[0] = kAlignLeft;
  for (int c = 0; c < 6; ++c)
    grid.SetColWidth(c, Round(grid.Width() / 3.5));
  grid.MergeCells = MergeMode::Free;
  grid.SetMergeRow(0, true);
  for (int c = 1; c < 6; ++c)
    grid.SetTextMatrix(0, c, g.HeaderText[1]);
  for (int c = 0; c < 6; ++c) {
    grid.SetRow(1);
    grid.SetCol(c);
    grid.SetCellForeColor(kBlue);
    grid.SetCellBackColor(kCyan);
    grid.SetText(g.ColHeads(c));
  }
  ShowBarChartSchedule(s);

  s.Frame3.Move(grid.Left(), 0, grid.Width(), Round(0.93 * grid.Height()));
  s.Frame3.SetTop(pic.Top() + pic.Height() - s.Frame3.Height());
  // One line of choices along the frame's top: "Change start of" [activity] "by" [start] and
  // the limit beside them. A frame too narrow for the limit in two lines beside the choices
  // has it on a line of its own below them; every caption is as wide as its words.
  const int w = s.Frame3.Width();
  s.Combo1.Clear();
  for (int r = 1; r <= g.ActivityCount; ++r)
    s.Combo1.AddItem(g.ActSymbol(r));
  constexpr int kLineHeight = 255, kPad = 60;
  s.Label1.Move(120, 330, std::max(Round(0.25 * w), CaptionWidth(s, s.Label1)), kLineHeight);
  // Every activity's symbol shows whole in the list.
  s.Combo1.Move(s.Label1.Left() + s.Label1.Width(), 270, std::max(Round(0.13 * w), s.Combo1.WidthForItems()),
                315);
  s.Label2.Move(s.Combo1.Left() + s.Combo1.Width() + 60, 330,
                std::max(Round(0.05 * w), CaptionWidth(s, s.Label2)), kLineHeight);
  s.Combo2.Move(s.Label2.Left() + s.Label2.Width(), 270, Round(0.13 * w), 315);
  const int besideLeft = s.Combo2.Left() + s.Combo2.Width() + 60;
  const int besideWidth = w - besideLeft - 120;
  int t = Round(1.2 * s.Combo1.Height() + s.Combo1.Top());
  const Wrapped beside = WrapCaption(s, s.Label3, besideWidth - kPad);
  if (beside.lines <= 2 && beside.widest + kPad <= besideWidth) {
    s.Label3.Move(besideLeft, 210, besideWidth, 510);
  } else {
    const int width = w - 240;
    const int lines = std::max(1, WrapCaption(s, s.Label3, width - kPad).lines);
    s.Label3.Move(120, s.Combo1.Top() + s.Combo1.Height() + 45, width, lines * kLineHeight);
    t = s.Label3.Top() + s.Label3.Height() + 45;
  }
  // The result and the caution below them share what is left of the frame, inside its border.
  // The result box holds seven lines of its text and the caution five, the frame growing up
  // into the schedule grid (which scrolls) on a screen too small for that; the grid keeps six
  // rows. Where the frame has the room, the two boxes share it evenly.
  const int line = LineHeight(s, s.Text1);
  const int resultRoom = 7 * line + 120, cautionRoom = 5 * line + 120;
  int room = std::max(0, s.Frame3.Height() - t - 120);
  int boxHeight = room / 2;
  int resultHeight = boxHeight;
  if (boxHeight < resultRoom) {
    const int keep = 6 * grid.DefaultRowHeight() + 2 * grid.BorderTwips;
    const int gap = s.Frame3.Top() - grid.Top() - grid.Height();
    const int grow = std::min(resultRoom + cautionRoom - room, std::max(0, grid.Height() - keep));
    if (grow > 0) {
      grid.SetHeight(grid.Height() - grow);
      s.Frame3.Move(s.Frame3.Left(), grid.Top() + grid.Height() + gap, s.Frame3.Width(), s.Frame3.Height() + grow);
      room += grow;
    }
    resultHeight = room >= resultRoom + cautionRoom ? room / 2 : room * 7 / 12;
    boxHeight = room - resultHeight;
  }
  s.Text1.Move(s.Label1.Left(), t, Round(0.95 * s.Frame3.Width()), resultHeight);
  s.Text2.Move(s.Label1.Left(), s.Text1.Height() + t, s.Text1.Width(), boxHeight);
  s.Combo2.Clear();
  s.Combo2.SetEnabled(false);
  return "CRITICAL PATH METHOD SCHEDULE";
}

// The whole chart afresh: the form's heading and frame, then the picture.
void DrawWholeChart(ScrLPGraf &s) {
  s.DrawFormDecoration();
  s.picLPgraph.Clear();
  DrawBarChart(s.picLPgraph);
}

// The activity chosen in the first list, from 1; 0 when none is chosen.
int ChosenActivity(ScrLPGraf &s) { return s.Combo1.ListIndex() + 1; }

void ListStartTimeChoices(ScrLPGraf &s) {
  const int a = ChosenActivity(s);
  if (a == 0) {
    Beep();
    return;
  }
  s.Combo2.SetEnabled(true);
  s.Combo2.Clear();
  if (IsCriticalActivity(a)) {
    s.Combo2.SetEnabled(false);
    s.Text1.SetText(kCriticalActivityText);
    return;
  }
  for (const std::string &item : StartTimeChoices(a))
    s.Combo2.AddItem(item);
}

void StartTimeChosen(ScrLPGraf &s) {
  s.Text1.SetText("");
  const int a = ChosenActivity(s);
  if (a == 0 || IsCriticalActivity(a)) return;
  const int chosen = s.Combo2.ListIndex();
  const std::vector<double> delays = StartDelays(a);
  if (chosen < 0 || chosen >= static_cast<int>(delays.size())) {
    Beep();
    return;
  }
  const ExperimentTexts texts = ApplyStartChoice(a, delays[static_cast<std::size_t>(chosen)], s.picLPgraph);
  // The names follow the moved bars: the picture is drawn afresh.
  s.picLPgraph.Clear();
  DrawBarChart(s.picLPgraph);
  // Rebuilding the list drops its selection; the change is already applied.
  ListStartTimeChoices(s);
  s.Text1.SetText(texts.result);
  s.Text2.SetText(texts.caution);
}

} // namespace

GraphScreenHooks ProjectGraphScreenHooks() {
  GraphScreenHooks h;
  h.load = LoadBarChart;
  h.setScale = [](ScrLPGraf &s) { SetBarChartScale(s.picLPgraph); };
  h.paint = DrawWholeChart;
  // The zoom scales the picture by the axis values; the chart's scale reads them in time.
  h.zoomed = [](ScrLPGraf &s, bool) {
    ApplyBarChartScale(s.picLPgraph);
    DrawWholeChart(s);
  };
  h.print = [] { PrintProjectOutputAndBarChart(); };
  h.combo1Click = [](ScrLPGraf &s) {
    s.Text1.SetText("");
    s.Text2.SetText("");
    ListStartTimeChoices(s);
  };
  h.combo2Click = StartTimeChosen;
  return h;
}

void ShowBarChartScreen() {
  scrLPGraf().Show();
}

} // namespace quon
