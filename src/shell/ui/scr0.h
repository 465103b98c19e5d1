// The MAIN menu screen: the hub of the program. Its popup menu picks the model class; its
// frames take the input mode and the input number format and lead on to the input screen.
#pragma once

#include "platform/menu.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"

namespace quon {

class Scr0 : public Form {
public:
  Scr0();

  // The hint lies beneath the frames, which cover it while they are shown.
  Label Label6{*this, "Label6"};
  Frame FrameInputMode{*this, "FrameInputMode"};
  OptionButton newProblemOption{FrameInputMode, "newProblemOption"};
  Label Label1{FrameInputMode, "Label1"};
  OptionButton existingFileOption{FrameInputMode, "existingFileOption"};
  Label Label2{FrameInputMode, "Label2"};
  Frame Frame2{FrameInputMode, "Frame2"};
  OptionButton nDecimalOption{Frame2, "nDecimalOption"};
  Label Label3{Frame2, "Label3"};
  OptionButton nExpOption{Frame2, "nExpOption"};
  Label Label5{Frame2, "Label5"};
  Label nNs{Frame2, "nNs"};
  TextBox NsText{Frame2, "NsText"};
  Label Label7{Frame2, "Label7"};
  TextBox DsText{Frame2, "DsText"};
  Button cmdDone{FrameInputMode, "cmdDone"};
  Frame Frame1{*this, "Frame1"};
  Button cmdMainMenu{Frame1, "cmdMainMenu"};
  Button cmdExitQuon{Frame1, "cmdExitQuon"};

  MenuItem mnuXMainMenu{MenuBar(), "mnuXMainMenu", "&MainMenu"};
  MenuItem mnuMmainMenu{mnuXMainMenu, "mnuMmainMenu", "             MAIN"};
  MenuItem spc1Menu{mnuXMainMenu, "spc1Menu", "-"};
  MenuItem mnuLinearEq{mnuXMainMenu, "mnuLinearEq", "Line&ar Equations"};
  MenuItem mnuMatrixInverse{mnuLinearEq, "mnuMatrixInverse", "Matri&x Inversion"};
  MenuItem mnuLinearEqSol{mnuLinearEq, "mnuLinearEqSol", "&Linear Equations Solution"};
  MenuItem mnuLP{mnuXMainMenu, "mnuLP", "&Linear Programming"};
  MenuItem mnuTansportation{mnuXMainMenu, "mnuTansportation", "&Transportation model"};
  MenuItem mnuIP{mnuXMainMenu, "mnuIP", "&Integer programming"};
  MenuItem mnuNetwork{mnuXMainMenu, "mnuNetwork", "&Network models"};
  MenuItem mnuSpanning{mnuNetwork, "mnuSpanning", "&Minimal Spanning Tree"};
  MenuItem mnuShortest{mnuNetwork, "mnuShortest", "&Shortest Route "};
  MenuItem mnuFlow{mnuNetwork, "mnuFlow", "Maximal &Flow"};
  MenuItem mnuCriticalPath{mnuXMainMenu, "mnuCriticalPath", "&Project Planning"};
  MenuItem mnuCPM{mnuCriticalPath, "mnuCPM", "&CPM - Critical Path Method "};
  MenuItem mnuPERT{mnuCriticalPath, "mnuPERT", "&PERT - Program Evaluation &&  Review Technique"};
  MenuItem mnuQue{mnuXMainMenu, "mnuQue", "&Queuing analysis"};
  MenuItem mnuZeroGame{mnuXMainMenu, "mnuZeroGame", "&Zero-Sum Games"};
  MenuItem spc2Menu{mnuXMainMenu, "spc2Menu", "-"};
  MenuItem mnuExitQuon{mnuXMainMenu, "mnuExitQuon", "&EXIT QUON"};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { cmdExitQuon_Click(); }
  void Form_Paint() override;
  void Form_Activate() override;
  void Form_Click() override;

  void nDecimalOption_Click();
  void nExpOption_Click();
  void newProblemOption_Click();
  void existingFileOption_Click();
  void cmdDone_Click();
  void cmdMainMenu_Click();
  void cmdExitQuon_Click();
  void mnuExitQuon_Click();

private:
  // A model item: its codes, then the two frames shown.
  void ChooseModel(int modelClass, int subModel = -1);
  void PopUpMainMenu();
  // The options and digit boxes as a freshly loaded screen has them.
  void SetDesignState();
};

Scr0 &scr0();

} // namespace quon
