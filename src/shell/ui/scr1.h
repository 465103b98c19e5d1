// The start-up screen: sets the program's defaults, refuses unsupported screen settings and
// shows the splash until "Click Here" leads on to the MAIN menu.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"

namespace quon {

class Scr1 : public Form {
public:
  Scr1();

  Label LblVersion{*this, "LblVersion"};
  Label Label1{*this, "Label1"};
  Label Label3{*this, "Label3"};
  Button cmdClickHere{*this, "cmdClickHere"};

  void Form_Load() override;
  void Form_Paint() override;
  void cmdClickHere_Click();
};

Scr1 &scr1();

// The message of the screen test.
extern const char *const kScreenSettingMessage;

} // namespace quon
