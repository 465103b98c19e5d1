#include "shell/ui/scr1.h"

#include <cmath>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/splash.h"
#include "shell/ui/scr0.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

const char *const kScreenSettingMessage =
    "QUON is designed for screen settings 800x600 and (preferred)1024x786 only, and will not work properly "
    "with the present setting. QUON will be exited";

Scr1 &scr1() {
  return FormInstance<Scr1>();
}

Scr1::Scr1() : Form("scr1") {
  SetBackColor(kBlue);
  LblVersion.SetBackColor(RGB(192, 255, 255));
  LblVersion.SetForeColor(kBlack);
  LblVersion.SetAlignment(2);
  Label1.SetCaption(" TM");
  Label1.SetBackColor(kBlue);
  Label1.SetForeColor(RGB(255, 255, 192));
  Label1.SetFontSize(6.75); // the mark fits its narrow label
  Label1.Move(0, 0, 255, 495);
  Label3.SetCaption(kCreditLabelText);
  Label3.SetAlignment(2);
  Label3.SetForeColor(kRed);
  Label3.SetBackColor(RGB(192, 255, 255));
  Label3.SetFontName("MS Sans Serif");
  Label3.SetFontSize(8.25);
  Label3.SetFontBold(true);
  Label3.Move(0, 0, 7935, 255);
  cmdClickHere.SetCaption("Click Here");
  cmdClickHere.Move(0, 0, 1815, 315);
  cmdClickHere.Click = [this] { cmdClickHere_Click(); };
  // The screen's one way on: Return takes it too.
  cmdClickHere.SetDefault(true);
}

void Scr1::Form_Load() {
  const int w = ScreenWidth(), h = ScreenHeight();
  InitGlobals(w, h);
  UnloadFormNamed("scr4");
  UnloadFormNamed("scr5");

  SetCaption("QUON");
  SetFontSize(8);
  LblVersion.SetFontSize(8);
  LblVersion.SetCaption("  Windows\u00AE-version 1.00, June 2002");

  const int versionWidth = static_cast<int>(std::lround(TextWidth(LblVersion.Caption()))) + 240;
  LblVersion.Move((w - versionWidth) / 2, static_cast<int>(std::lround(0.55 * h)), versionWidth,
                  static_cast<int>(std::lround(TextHeight("K"))) + 30);
  Label1.SetLeft(static_cast<int>(std::lround(0.7578125 * w)));
  Label1.SetTop(static_cast<int>(std::lround(0.188235294 * h)));
  Label3.SetLeft((w - Label3.Width()) / 2);
  Label3.SetTop(static_cast<int>(std::lround(0.616993464 * h)));
  cmdClickHere.SetLeft((w - cmdClickHere.Width()) / 2);

  if (w != 12000 && w != 15360) {
    MsgBox(kScreenSettingMessage, msg::OKOnly | msg::Critical, "Screen Setting");
    // The program did not start: it ends as a failure.
    Forms::SetExitStatus(1);
    UnloadAllForms();
    Unload(*this);
  }
}

void Scr1::Form_Paint() {
  const SplashPlacement at = DrawSplash(*this, std::round(ScreenWidth()), std::round(ScreenHeight()),
                                        Label3.Width(), Label3.Height(), cmdClickHere.Height());
  Label3.SetTop(static_cast<int>(std::lround(at.labelTop)));
  cmdClickHere.SetTop(static_cast<int>(std::lround(at.buttonTop)));
}

void Scr1::cmdClickHere_Click() {
  // The MAIN menu screen is loaded before this one goes, so the program keeps a screen.
  Scr0 &next = scr0();
  Unload(*this);
  next.Show();
}

} // namespace quon
