// The output-format screen: the number format of the output, and the dispatch from the chosen
// method to the output builder of the model class.
#pragma once

#include <functional>

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"

namespace quon {

class Scr4 : public Form {
public:
  Scr4();

  Frame outputFrame{*this, "outputFrame"};
  OptionButton decimalOption{outputFrame, "decimalOption"};
  Label Label1{outputFrame, "Label1"};
  OptionButton exponentialOption{outputFrame, "exponentialOption"};
  Label Label4{outputFrame, "Label4"};
  TextBox nbrNsText{outputFrame, "nbrNsText"};
  Label Label2{outputFrame, "Label2"};
  TextBox nbrDsText{outputFrame, "nbrDsText"};
  Label Label3{outputFrame, "Label3"};
  Button cmdDone{outputFrame, "cmdDone"};
  Frame Frame2{*this, "Frame2"};
  Button cmdModifyInputData{Frame2, "cmdModifyInputData"};
  Button cmdMainMenu{Frame2, "cmdMainMenu"};
  Button cmdExitQuon{Frame2, "cmdExitQuon"};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { cmdExitQuon_Click(); }
  void Form_Paint() override;
  void Form_Activate() override;

  void decimalOption_Click();
  void exponentialOption_Click();
  void cmdDone_Click();
  void cmdModifyInputData_Click();
  void cmdMainMenu_Click();
  void cmdExitQuon_Click();
};

Scr4 &scr4();

// Where "Go To Output Screen" leads for the codes now in the data module: shows the target
// screen and calls the builder. Empty when the road has no output yet (nothing is shown).
std::function<void()> OutputRoad();

} // namespace quon
