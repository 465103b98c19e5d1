#include "linear/ui/output_page.h"

#include "platform/colors.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"

namespace quon {

void BeginSummaryPage(Scr5 &f) {
  g.OutputPageKind = 2;
  f.Frame2.SetVisible(true);
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  f.grid1.SetVisible(false);

  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  f.SetFontSize(10);
  f.SetDrawWidth(1);
}

} // namespace quon
