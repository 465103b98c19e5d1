#include "shell/ui/scr0.h"

#include <cmath>

#include "platform/colors.h"
#include "platform/screen.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/ui/screen_helpers.h"
#include "shell/ui/screen_links.h"

namespace quon {

Scr0 &scr0() {
  return FormInstance<Scr0>();
}

namespace {

void StyleLabel(Label &l, const std::string &caption, int left, int top, int width) {
  l.SetCaption(caption);
  l.SetBackColor(kBlue);
  l.SetForeColor(kWhite);
  l.Move(left, top, width, 255);
}

} // namespace

Scr0::Scr0() : Form("scr0") {
  SetBackColor(kBlue);
  SetFontName("MS Sans Serif");
  SetFontSize(8.25);
  SetFontBold(true);
  for (Control *c : std::initializer_list<Control *>{
           &FrameInputMode, &newProblemOption, &Label1, &existingFileOption, &Label2, &Frame2,
           &nDecimalOption, &Label3, &nExpOption, &Label5, &nNs, &NsText, &Label7, &DsText, &cmdDone, &Frame1,
           &cmdMainMenu, &cmdExitQuon, &Label6}) {
    c->SetFontName("MS Sans Serif");
    c->SetFontSize(8.25);
    c->SetFontBold(true);
  }

  FrameInputMode.SetCaption("Select Input Mode");
  FrameInputMode.SetBackColor(kBlue);
  FrameInputMode.SetForeColor(kWhite);
  FrameInputMode.Move(0, 0, 3615, 4095);
  newProblemOption.SetBackColor(kBlue);
  newProblemOption.Move(240, 360, 255, 255);
  StyleLabel(Label1, "Enter New Problem", 480, 360, 2415);
  existingFileOption.SetBackColor(kBlue);
  existingFileOption.Move(240, 600, 255, 255);
  StyleLabel(Label2, "Select Existing File", 480, 600, 2415);

  Frame2.SetCaption("Select Input Format");
  Frame2.SetBackColor(kBlue);
  Frame2.SetForeColor(kWhite);
  Frame2.Move(120, 960, 3375, 1815);
  nDecimalOption.SetBackColor(kBlue);
  nDecimalOption.Move(120, 360, 255, 255);
  StyleLabel(Label3, "Decimal Notation (NNNNN.DD)", 360, 360, 2955);
  nExpOption.SetBackColor(kBlue);
  nExpOption.Move(120, 600, 255, 255);
  StyleLabel(Label5, "Scientific Notation (N.NNNNeDD)", 360, 600, 2955);
  StyleLabel(nNs, " How many N?", 120, 1080, 1080);
  // Plain weight and a little smaller, so the question fits beside its box.
  nNs.SetFontBold(false);
  nNs.SetFontSize(7.5);
  NsText.Move(1200, 1080, 375, 285);
  StyleLabel(Label7, " How many D?", 120, 1320, 1080);
  Label7.SetFontBold(false);
  Label7.SetFontSize(7.5);
  DsText.Move(1200, 1320, 375, 285);

  cmdDone.SetCaption("Go to Input Screen");
  cmdDone.SetBackColor(RGB(224, 224, 224));
  cmdDone.Move(840, 3360, 1935, 375);
  cmdDone.SetDefault(true);

  Frame1.Move(0, 0, 3735, 495);
  Frame1.SetBackColor(kBlue);
  cmdMainMenu.SetCaption("MAIN Menu");
  cmdMainMenu.Move(120, 0, 1575, 375);
  cmdExitQuon.SetCaption("Exit QUON");
  cmdExitQuon.Move(2040, 0, 1575, 375);

  Label6.SetCaption("Click screen to view popup MAIN menu");
  Label6.SetBackColor(kBlue);
  Label6.SetForeColor(kWhite);
  Label6.SetAlignment(2);

  SetDesignState();

  mnuMatrixInverse.Click = [this] { ChooseModel(1); };
  mnuLinearEqSol.Click = [this] { ChooseModel(2); };
  mnuLP.Click = [this] { ChooseModel(3); };
  mnuTansportation.Click = [this] { ChooseModel(4); };
  mnuIP.Click = [this] { ChooseModel(5); };
  mnuSpanning.Click = [this] { ChooseModel(7, 1); };
  mnuShortest.Click = [this] { ChooseModel(7, 0); };
  mnuFlow.Click = [this] { ChooseModel(7, 4); };
  mnuCPM.Click = [this] { ChooseModel(8, 1); };
  mnuPERT.Click = [this] { ChooseModel(8, 2); };
  mnuQue.Click = [this] { ChooseModel(6); };
  mnuZeroGame.Click = [this] { ChooseModel(9); };
  mnuExitQuon.Click = [this] { mnuExitQuon_Click(); };
  // The hint is part of the screen: clicking it pops the menu up as well.
  Label6.Click = [this] { Form_Click(); };

  nDecimalOption.Click = [this] { nDecimalOption_Click(); };
  nExpOption.Click = [this] { nExpOption_Click(); };
  NsText.Click = [this] { SelectAllText(NsText); };
  DsText.Click = [this] { SelectAllText(DsText); };
  newProblemOption.Click = [this] { newProblemOption_Click(); };
  existingFileOption.Click = [this] { existingFileOption_Click(); };
  cmdDone.Click = [this] { cmdDone_Click(); };
  cmdMainMenu.Click = [this] { cmdMainMenu_Click(); };
  cmdExitQuon.Click = [this] { cmdExitQuon_Click(); };
}

void Scr0::SetDesignState() {
  newProblemOption.SetValue(true);
  nDecimalOption.SetValue(true);
  NsText.SetText("5");
  DsText.SetText("2");
}

void Scr0::Form_Load() {
  const int w = ScreenWidth(), h = ScreenHeight();
  g.GridReadyFlag = 0;
  // The "Decimal" option is selected at every load, so the format type must agree with it
  // whichever road led back here.
  g.NumFormatType = 1;
  SetCaption("QUON  ");
  FrameInputMode.SetLeft((w - FrameInputMode.Width()) / 2);
  FrameInputMode.SetTop(static_cast<int>(std::lround(0.4 * h - 0.5 * FrameInputMode.Height())));
  Frame1.SetLeft((w - Frame1.Width()) / 2);
  Frame1.SetTop(static_cast<int>(std::lround(FrameInputMode.Top() + 1.4 * FrameInputMode.Height())));
  const int labelWidth = static_cast<int>(std::lround(TextWidth(Label6.Caption()))) + 240;
  Label6.Move((w - labelWidth) / 2, static_cast<int>(std::lround(1.8 * FrameInputMode.Top())), labelWidth,
              255);
  FrameInputMode.SetVisible(false);
  Frame1.SetVisible(false);
}

void Scr0::Form_Paint() {
  g.InputMode = 1;
  g.TitleSuppress = 11;
  DrawScreenFrameAndTitle(*this);
}

void Scr0::Form_Activate() {
  UnloadAllForms();
  EraseProblemArrays();
  // The problem is gone, and with it the file it came from or went to: a new problem's
  // screens carry no file name until it is opened or saved.
  g.ProblemFileName.clear();
  PopUpMainMenu();
}

// A click opens the menu where it landed, clear of the frames' controls.
void Scr0::Form_Click() {
  PopupMenuAtClick(mnuXMainMenu, g.HalfScreenW, g.PopupBaseY, true);
}

void Scr0::PopUpMainMenu() {
  PopupMenu(mnuXMainMenu, g.HalfScreenW, g.PopupBaseY, true);
}

void Scr0::ChooseModel(int modelClass, int subModel) {
  g.ModelClass = static_cast<int16>(modelClass);
  if (modelClass == ModelClassCode::Networks) g.NetSubModel = static_cast<int16>(subModel);
  if (modelClass == ModelClassCode::ProjectPlanning) g.ProjMethod = static_cast<int16>(subModel);
  FrameInputMode.SetVisible(true);
  Frame1.SetVisible(true);
  // The frames come up with the focus seen on the input mode chosen.
  if (FocusOnScreen()) (existingFileOption.Value() ? existingFileOption : newProblemOption).SetFocus();
}

void Scr0::nDecimalOption_Click() {
  g.NumFormatType = 1;
}
void Scr0::nExpOption_Click() {
  g.NumFormatType = 2;
}

void Scr0::newProblemOption_Click() {
  g.InputMode = 1;
  g.NVars = 0;
  g.MRows = 0;
  g.FromFileFlag = 0;
}

void Scr0::existingFileOption_Click() {
  // A file brings its own input format; one that is not opened leaves a new problem in the
  // format this screen shows, never in one an earlier problem left behind.
  g.NumDigitsN = DigitCountFromText(NsText.Text(), 1);
  g.NumDigitsD = DigitCountFromText(DsText.Text(), 0);
  g.NumDigitsNSaved = g.NumDigitsN;
  g.NumDigitsDSaved = g.NumDigitsD;
  newProblemOption.SetValue(true);
  existingFileOption.SetValue(false);
  // The input screen is loaded before this one goes, so the program never runs out of screens.
  InputScreen().load();
  Unload(*this);
  g.InputMode = 2;
  g.FromFileFlag = 1;
  g.NVars = 0;
  g.MRows = 0;
  InputScreen().openExistingFile();
}

void Scr0::cmdDone_Click() {
  g.NumDigitsN = DigitCountFromText(NsText.Text(), 1);
  g.NumDigitsD = DigitCountFromText(DsText.Text(), 0);
  g.NumDigitsNSaved = g.NumDigitsN;
  g.NumDigitsDSaved = g.NumDigitsD;
  g.FromFileFlag = 0;
  g.OutputOption = 0;
  InputScreen().showForNewProblem();
  g.NewProblemMark = 99;
  newProblemOption.SetValue(true);
  existingFileOption.SetValue(false);
  Unload(*this);
}

void Scr0::cmdMainMenu_Click() {
  // A fresh start of this screen: as unloading it and showing it again, but without a moment
  // with no screen loaded, which would end the program.
  g.TableauCount = 0;
  g.NumFormatType = 1;
  SetDesignState();
  Form_Load();
  Form_Activate();
  Refresh();
}

void Scr0::cmdExitQuon_Click() {
  UnloadAllForms();
  Unload(*this);
}

void Scr0::mnuExitQuon_Click() {
  cmdExitQuon_Click();
}

} // namespace quon
