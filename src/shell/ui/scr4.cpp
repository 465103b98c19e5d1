#include "shell/ui/scr4.h"

#include <cmath>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "shell/ui/screen_links.h"

namespace quon {

Scr4 &scr4() {
  return FormInstance<Scr4>();
}

Scr4::Scr4() : Form("scr4") {
  SetBackColor(kBlue);
  outputFrame.Move(0, 0, 5175, 2895);
  outputFrame.SetCaption("Select Output Format");
  decimalOption.Move(240, 405, 255, 255);
  Label1.Move(600, 405, 3375, 255);
  Label1.SetCaption("Decimal Notation (NNNNN.DD)");
  exponentialOption.Move(240, 765, 255, 255);
  Label4.Move(600, 765, 3375, 255);
  Label4.SetCaption("Scientific Notation (N.NNNNeDD)");
  Label2.Move(600, 1260, 1455, 255);
  Label2.SetCaption("How many N?");
  nbrNsText.Move(2160, 1215, 615, 345);
  nbrNsText.SetText("5");
  Label3.Move(600, 1710, 1455, 255);
  Label3.SetCaption("How many D?");
  nbrDsText.Move(2160, 1665, 615, 345);
  cmdDone.Move(1440, 2265, 2295, 435);
  cmdDone.SetCaption("Go To Output Screen");
  cmdDone.SetDefault(true);

  Frame2.Move(0, 0, 7335, 735);
  cmdModifyInputData.Move(240, 240, 2295, 375);
  cmdModifyInputData.SetCaption("View/Modify Input Data");
  cmdMainMenu.Move(2640, 240, 2175, 375);
  cmdMainMenu.SetCaption("MAIN Menu");
  cmdExitQuon.Move(4920, 240, 2175, 375);
  cmdExitQuon.SetCaption("Exit QUON");

  decimalOption.Click = [this] { decimalOption_Click(); };
  exponentialOption.Click = [this] { exponentialOption_Click(); };
  nbrNsText.Click = [this] { SelectAllText(nbrNsText); };
  nbrDsText.Click = [this] { SelectAllText(nbrDsText); };
  cmdDone.Click = [this] { cmdDone_Click(); };
  cmdModifyInputData.Click = [this] { cmdModifyInputData_Click(); };
  cmdMainMenu.Click = [this] { cmdMainMenu_Click(); };
  cmdExitQuon.Click = [this] { cmdExitQuon_Click(); };
}

void Scr4::Form_Load() {
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  g.NumFormatType = 1;
  decimalOption.SetValue(true);
  nbrDsText.SetText(CurrentModelRoads().proposedDigitsD);
  outputFrame.SetTop(static_cast<int>(std::lround(0.4 * (h - outputFrame.Height()))));
  outputFrame.SetLeft(static_cast<int>(std::lround(0.5 * (w - outputFrame.Width()))));
  outputFrame.SetVisible(true);
  SetCaption("QUON  " + g.ProblemFileName);
  Frame2.SetTop(static_cast<int>(std::lround(0.75 * h)));
  Frame2.SetLeft(static_cast<int>(std::lround(0.5 * (w - Frame2.Width()))));
}

void Scr4::Form_Paint() {
  UnloadForm<Scr3>();
  DrawScreenFrameAndTitle(*this);
}

// The screen opens with the focus seen on the format chosen.
void Scr4::Form_Activate() {
  if (FocusOnScreen()) (exponentialOption.Value() ? exponentialOption : decimalOption).SetFocus();
}

void Scr4::decimalOption_Click() {
  g.NumFormatType = 1;
}
void Scr4::exponentialOption_Click() {
  g.NumFormatType = 2;
}

std::function<void()> OutputRoad() {
  const ModelRoads &roads = CurrentModelRoads();
  return roads.outputRoad ? roads.outputRoad() : std::function<void()>();
}

void Scr4::cmdDone_Click() {
  // Counts the pattern cannot be built from are held to the range the MAIN menu allows.
  g.NumDigitsN = DigitCountFromText(nbrNsText.Text(), 1);
  g.NumDigitsD = DigitCountFromText(nbrDsText.Text(), 0);
  std::function<void()> road = OutputRoad();
  if (!road) {
    // No output for this method yet: the screen stays as it is.
    Beep();
    return;
  }
  outputFrame.SetVisible(false);
  g.OutputOption = 0;
  // Loading the output screen resets IterCount, so the count of the solve is kept first.
  g.FinalIteration = g.IterCount;
  road();
  Unload(*this);
}

void Scr4::cmdModifyInputData_Click() {
  if (ReturnToInputScreen()) Unload(*this);
}

void Scr4::cmdMainMenu_Click() {
  g.TableauCount = 0;
  g.NumFormatType = 1;
  ShowMainMenu();
  Unload(*this);
}

void Scr4::cmdExitQuon_Click() {
  ExitQuonFromLaterScreen();
}

} // namespace quon
