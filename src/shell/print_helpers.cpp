#include "shell/print_helpers.h"

#include <array>
#include <cmath>

#include "platform/colors.h"
#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

const char *const kHeadingSecondLine = "Interactive Teaching Tool for Operations Research";

namespace {

std::tm SystemClock() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

HeadingClock headingClock = &SystemClock;

void StartNewPage(PageSurface &printer) {
  printer.NewPage();
  printer.SetCurrentY(kContinueY);
  g.PrintY = kContinueY;
}

} // namespace

bool PastPageBreak(const PageSurface &printer, double y) { return printer.PageY(y) > kPageFullY; }

RepeatedHeading::RepeatedHeading(PageSurface &printer, PageSurface::RunningHeading heading) : printer_(printer) {
  printer_.SetRunningHeading([heading = std::move(heading)](PageSurface &p) {
    const int32 printY = g.PrintY;
    const double next = heading(p);
    g.PrintY = printY;
    return next;
  });
}

RepeatedHeading::~RepeatedHeading() { printer_.SetRunningHeading(nullptr); }

int32 RoundTwips(double twips) { return static_cast<int32>(std::nearbyint(twips)); }

void SetHeadingClock(HeadingClock clock) { headingClock = clock ? clock : &SystemClock; }

void PrintPageHeading(Surface &surface) {
  surface.ScaleReset();
  surface.SetFontName("arial");
  surface.SetFontSize(6);
  surface.SetFontBold(false);
  g.LineHeight = RoundTwips(surface.TextHeight(NumberFormatString()));
  surface.SetCurrentX(kPrintLeft);
  surface.SetCurrentY(kHeadingTop);
  surface.Print("QUON Optimization System, Windows\xC2\xAE-version 1.00");
  surface.SetCurrentX(kPrintLeft);
  surface.Print(kHeadingSecondLine);
  surface.SetCurrentX(kPrintLeft);
  surface.Print(FormatDate(headingClock(), "dddd, mmmm dd, yyyy h:mm"));
}

void PrintSectionHeader(Surface &printer) {
  printer.SetFontSize(10);
  printer.SetCurrentY(1000 + 4 * g.LineHeight);
  printer.SetCurrentX((kSectionLineWidth - printer.TextWidth(g.MsgText)) * 0.5);
  printer.Print(g.MsgText);
  printer.Print("");
  printer.SetFontSize(9);
  PrintAt(printer, kPrintLeft, RoundTwips(printer.CurrentY() + 100), "Title: " + g.HeaderText[1]);
  PrintRuleLine(printer, static_cast<int16>(RoundTwips(printer.CurrentY())));
  printer.SetCurrentY(printer.CurrentY() + 100);
}

void PrintRuleLine(Surface &printer, int16 y) {
  printer.SetDrawWidth(1);
  printer.SetCurrentY(y);
  printer.Line(kPrintLeft, y, kRuleRight, y, kBlack);
  g.PrintY = RoundTwips(printer.CurrentY());
}

void PrintAt(Surface &printer, int32 x, int32 y, const std::string &s) {
  printer.SetCurrentX(x);
  printer.SetCurrentY(y);
  printer.Print(s);
}

void PrintSummaryLine(PageSurface &printer, int16 kind, const std::string &t1, const std::string &t2,
                      const std::string &t3, const std::string &t4, const std::string &t5) {
  const std::array<const std::string *, 6> t{nullptr, &t1, &t2, &t3, &t4, &t5};
  if (PastPageBreak(printer, printer.CurrentY())) StartNewPage(printer);
  if (kind != 1 && kind != 2) return;

  auto rule = [&printer] {
    double y = printer.CurrentY() + 100;
    printer.Line(kPrintLeft, y, kSummaryRuleRight, y, kBlack);
    printer.SetCurrentY(y);
  };
  if (kind == 1) rule();
  printer.SetCurrentX(kPrintLeft);
  if (kind == 1) printer.SetCurrentY(printer.CurrentY() + 100);
  g.PrintY = RoundTwips(printer.CurrentY());
  printer.Print(*t[1]);

  int k = 2;
  if (g.ModelClass == ModelClassCode::Transportation) {
    PrintAt(printer, 2928, g.PrintY, *t[2]);
    k = 3;
  }
  for (; k <= 5; ++k) {
    printer.SetCurrentX((kPrintLeft + 1728 * k) - printer.TextWidth(*t[k]));
    printer.SetCurrentY(g.PrintY);
    printer.Print(*t[k]);
  }
  if (kind == 1) {
    rule();
    printer.SetCurrentY(printer.CurrentY() + 100);
  }
}

} // namespace quon
