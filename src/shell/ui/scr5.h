// The output screen: one screen for the output of every model class. The shell owns its
// controls, its option list dispatch, the "Write to Printer" dispatch and its exits; the
// output builders of the model classes fill it.
//
// Design state: Frame1, Frame2 and Frame4 are shown; Frame5, Frame6, Frame7, grid1 and the
// free text lines Label1, Label3, Label4 and Label5 start hidden and are shown by the builders
// that use them.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "shell/mod1.h"

namespace quon {

class Scr5 : public Form {
public:
  Scr5();

  Frame Frame1{*this, "Frame1"};
  Button cmdExitQuon{Frame1, "cmdExitQuon"};
  Button cmdMainMenu{Frame1, "cmdMainMenu"};
  Button cmdModifyInputData{Frame1, "cmdModifyInputData"};

  Frame Frame2{*this, "Frame2"};
  Button cmdNextIter{Frame2, "cmdNextIter"};
  Button cmdFinalIter{Frame2, "cmdFinalIter"};
  Button cmdWriteToPrinter{Frame2, "cmdWriteToPrinter"};

  Frame Frame4{*this, "Frame4"};
  ComboBox Combo1{Frame4, "Combo1"};

  Frame Frame5{*this, "Frame5"};
  ComboBox Combo2{Frame5, "Combo2"};

  Frame Frame6{*this, "Frame6"};
  ComboBox Combo5{Frame6, "Combo5"};

  Frame Frame7{*this, "Frame7"};
  Frame Frame8{Frame7, "Frame8"};
  ComboBox Combo3{Frame8, "Combo3"};
  Frame Frame9{Frame7, "Frame9"};
  ComboBox Combo4{Frame9, "Combo4"};
  Label Label2{Frame7, "Label2"};

  Frame Frame3{*this, "Frame3"};
  Grid BBGrid{Frame3, "BBGrid"};

  Frame Frame10{*this, "Frame10"};
  Label Label7{Frame10, "Label7"};
  Label Label8{Frame10, "Label8"};
  Label Label9{Frame10, "Label9"};
  Label Label14{Frame10, "Label14"};
  Label Label10{Frame10, "Label10"};
  Label Label11{Frame10, "Label11"};
  Label Label12{Frame10, "Label12"};
  Label Label13{Frame10, "Label13"};

  Frame Frame12{*this, "Frame12"};
  CheckBox Check2{Frame12, "Check2"};
  Label Label16{Frame12, "Label16"};
  Label Label17{Frame12, "Label17"};
  Label Label18{Frame12, "Label18"};
  Label Label19{Frame12, "Label19"};

  Grid outputGrid{*this, "outputGrid"};
  Grid grid1{*this, "grid1"};

  Label Label20{*this, "Label20"};
  Label Label6{*this, "Label6"};
  Label Label1{*this, "Label1"};
  Label Label3{*this, "Label3"};
  Label Label4{*this, "Label4"};
  Label Label5{*this, "Label5"};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { cmdExitQuon_Click(); }
  void Form_Paint() override;

  void Combo1_Click();
  void outputGrid_Click();
  void cmdNextIter_Click();
  void cmdFinalIter_Click();
  void cmdWriteToPrinter_Click();
  void cmdModifyInputData_Click();
  void cmdMainMenu_Click();
  void cmdExitQuon_Click();
};

Scr5 &scr5();

} // namespace quon
