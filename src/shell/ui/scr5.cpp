#include "shell/ui/scr5.h"

#include <cmath>
#include <string>

#include "platform/colors.h"
#include "platform/screen.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/screen_helpers.h"
#include "shell/ui/screen_links.h"

namespace quon {

Scr5 &scr5() {
  return FormInstance<Scr5>();
}

Scr5::Scr5() : Form("scr5") {
  SetBackColor(kBlue);
  SetForeColor(kWhite);

  Frame1.Move(0, 0, 7335, 735);
  cmdExitQuon.Move(240, 240, 2175, 375);
  cmdExitQuon.SetCaption("Exit QUON");
  cmdMainMenu.Move(2520, 240, 2175, 375);
  cmdMainMenu.SetCaption("MAIN Menu");
  cmdModifyInputData.Move(4800, 240, 2295, 375);
  cmdModifyInputData.SetCaption("View/Modify Input Data");

  Frame2.Move(0, 0, 7335, 735);
  cmdNextIter.Move(240, 240, 2175, 375);
  cmdNextIter.SetCaption("Next Iteration");
  cmdFinalIter.Move(2520, 240, 2175, 375);
  cmdFinalIter.SetCaption("All Iterations");
  cmdWriteToPrinter.Move(4800, 240, 2295, 375);
  cmdWriteToPrinter.SetCaption("Write to Printer");

  Frame4.Move(0, 0, 3135, 735);
  Frame4.SetCaption("Select Output Option");
  Combo1.Move(240, 270, 2655, 315);
  Combo1.SetText(std::string(12, ' ') + "?");

  Frame5.Move(0, 0, 2175, 735);
  Frame5.SetCaption("Starting Node");
  Combo2.Move(240, 270, 1695, 315);
  Frame5.SetVisible(false);

  Frame6.Move(0, 0, 2175, 735);
  Frame6.SetCaption("Initialize u or v");
  Combo5.Move(240, 270, 1695, 315);
  Combo5.SetText("u1=0");
  Frame6.SetVisible(false);

  Frame7.Move(0, 0, 6615, 1095);
  Frame7.SetCaption("Find shortest route ");
  Frame8.Move(240, 240, 1815, 735);
  Frame8.SetCaption("From node");
  Combo3.Move(120, 270, 1575, 315);
  Combo3.SetText("  ?");
  Frame9.Move(2160, 240, 1815, 735);
  Frame9.SetCaption("To node");
  Combo4.Move(120, 270, 1575, 315);
  Combo4.SetText("  ?");
  Label2.Move(4080, 420, 2415, 375);
  Label2.SetCaption(" Click here to list ALL routes ");
  Frame7.SetVisible(false);

  Frame3.Move(0, 0, 9000, 1455);
  Frame3.SetCaption("Click BRANCHING variable");
  BBGrid.Move(120, 240, 8760, 1095);

  Frame10.Move(0, 0, 3255, 1335);
  Frame10.SetCaption("Search Tree Color Codes");
  Label *swatches[] = {&Label7, &Label8, &Label9, &Label14};
  Label *captions[] = {&Label10, &Label11, &Label12, &Label13};
  const char *texts[] = {"Node not yet investigated", "Node fathomed", "Node under investigation",
                         "Current best solution"};
  for (int i = 0; i < 4; ++i) {
    swatches[i]->Move(120, 270 + 255 * i, 255, 195);
    captions[i]->Move(480, 255 + 255 * i, 2655, 225);
    captions[i]->SetCaption(texts[i]);
  }

  Frame12.Move(0, 0, 3255, 1335);
  Frame12.SetCaption("Objective Value Bounds");
  Check2.Move(120, 270, 255, 255);
  Label16.Move(420, 270, 2775, 255);
  Label16.SetCaption("   Activate  bounds to fathom nodes");
  Label17.Move(120, 570, 3015, 225);
  Label18.Move(120, 810, 3015, 225);
  Label19.Move(120, 1050, 3015, 225);

  outputGrid.Move(800, 2000, 10000, 4000);
  grid1.Move(800, 2000, 10000, 4000);
  grid1.SetVisible(false);
  // Results are never shown cut: their columns grow to the texts.
  for (Grid *gr : {&BBGrid, &outputGrid, &grid1})
    gr->WidenToText = true;

  Label20.Move(0, 0, 3000, 285);
  Label20.SetBackColor(RGB(192, 255, 255));
  Label20.SetForeColor(kBlue);
  Label20.SetFontBold(true);
  Label20.SetAlignment(2);
  Label6.Move(800, 1500, 5000, 255);
  Label6.SetCaption("Searching for a feasible solution, please wait ...");
  for (Label *l : {&Label6, &Label1, &Label3, &Label4, &Label5}) {
    l->SetBackColor(kBlue);
    l->SetForeColor(kWhite);
  }
  // The free text lines are shown by the builders that place and fill them; left where they
  // were designed, in the corner, they would cover the screen's frame.
  for (Label *l : {&Label1, &Label3, &Label4, &Label5})
    l->SetVisible(false);

  Combo1.Click = [this] { Combo1_Click(); };
  // The lists beside the option list belong to the model classes that show them.
  auto road = [](std::function<void()> ModelRoads::*entry) {
    return [entry] {
      const ModelRoads &roads = CurrentModelRoads();
      if (roads.*entry) (roads.*entry)();
    };
  };
  Combo2.Click = road(&ModelRoads::startNodeChosen);
  Combo3.Click = road(&ModelRoads::fromNodeChosen);
  Combo4.Click = road(&ModelRoads::toNodeChosen);
  Label2.Click = road(&ModelRoads::allRoutesClicked);
  Combo5.Click = road(&ModelRoads::multiplierChosen);
  outputGrid.Click = [this] { outputGrid_Click(); };
  BBGrid.Click = road(&ModelRoads::branchGridClick);
  cmdNextIter.Click = [this] { cmdNextIter_Click(); };
  cmdFinalIter.Click = [this] { cmdFinalIter_Click(); };
  cmdWriteToPrinter.Click = [this] { cmdWriteToPrinter_Click(); };
  cmdModifyInputData.Click = [this] { cmdModifyInputData_Click(); };
  cmdMainMenu.Click = [this] { cmdMainMenu_Click(); };
  cmdExitQuon.Click = [this] { cmdExitQuon_Click(); };
  // Tab runs from the choices of the output through its steps and printing to the results,
  // and reaches the exits last.
  Label2.SetTakesFocus(true);
  SetTabOrder({&Combo1, &Combo2, &Combo5, &Combo3, &Combo4, &Label2, &Check2, &BBGrid, &cmdNextIter, &cmdFinalIter,
               &cmdWriteToPrinter, &outputGrid, &grid1, &cmdModifyInputData, &cmdMainMenu, &cmdExitQuon});
}

void Scr5::Form_Load() {
  SetCaption("QUON  " + g.ProblemFileName);
  outputGrid.FixedCols = 0;
  outputGrid.FixedRows = 0;
  g.IterCount = 0;
  g.IPRunState = 0;
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.outputScreenLoad) roads.outputScreenLoad();
  if (!roads.usesSearchTree) {
    for (Control *c : std::initializer_list<Control *>{&Label20, &Label6, &Frame3, &Frame10, &Frame12})
      c->SetVisible(false);
  }
}

void Scr5::Form_Paint() {
  // The output screen shows its title in a label, so the frame is drawn without it.
  g.TitleSuppress = 11;
  DrawScreenFrameAndTitle(*this);
  ShowOutputTitle(*this, Label20);
}

void Scr5::Combo1_Click() {
  g.OutputOption = static_cast<int16>(Combo1.ListIndex() + 1);
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.optionChanged) roads.optionChanged();
}

void Scr5::outputGrid_Click() {
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.gridClick) roads.gridClick();
}

void Scr5::cmdNextIter_Click() {
  g.NextIterFlag = 1;
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.nextIteration) roads.nextIteration();
}

void Scr5::cmdFinalIter_Click() {
  g.NextIterFlag = 2;
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.allIterations) roads.allIterations();
}

void Scr5::cmdWriteToPrinter_Click() {
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.print) roads.print();
}

void Scr5::cmdModifyInputData_Click() {
  g.AltOptimaFlag = 0;
  g.EnterSelState = 0;
  if (!ReturnToInputScreen()) return;
  Unload(*this);
  g.CurRow = 1;
  g.CurCol = CurrentModelRoads().inputStartCol;
  PlaceInputCellEditor(g.CurRow, g.CurCol);
}

void Scr5::cmdMainMenu_Click() {
  g.AltOptimaFlag = 0;
  g.TableauCount = 0;
  g.EnterSelState = 0;
  g.NumFormatType = 1;
  ShowMainMenu();
  Unload(*this);
}

void Scr5::cmdExitQuon_Click() {
  ExitQuonFromLaterScreen();
}

} // namespace quon
