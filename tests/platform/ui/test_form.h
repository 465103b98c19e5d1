// A form with one of every control, logging its events, for the forms runtime tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "platform/user_services.h"
#include "support/popup_cover.h"

namespace quon::testing {

inline std::vector<std::string> &Log() {
  static std::vector<std::string> log;
  return log;
}

class TestForm : public Form {
public:
  TestForm() : Form("frmTest") {
    SetBackColor(kBlue);
    Label1.Move(1500, 300, 3000, 285);
    Label1.SetCaption("B&&B search");
    Label1.SetForeColor(kWhite);
    Label1.SetBackColor(kBlue);
    Label1.Click = [] { Log().push_back("Label1_Click"); };

    Frame1.Move(1500, 900, 3615, 1800);
    Frame1.SetCaption("Select Input Mode");
    Option1.Move(240, 360, 255, 255);
    Option2.Move(240, 600, 255, 255);
    Option1.Click = [] { Log().push_back("Option1_Click"); };
    Option2.Click = [] { Log().push_back("Option2_Click"); };
    Check1.Move(240, 960, 3000, 255);
    Check1.SetCaption("Check here if network is symmetrical");
    Check1.Click = [] { Log().push_back("Check1_Click"); };
    cmdInFrame.Move(840, 1320, 1935, 375);
    cmdInFrame.SetCaption("Go to Input Screen");

    Text1.Move(5400, 300, 1500, 300);
    Text1.KeyDown = [](int &k, int) { Log().push_back("KeyDown " + std::to_string(k)); };
    Text1.KeyPress = [this](int &a) {
      Log().push_back("KeyPress " + std::to_string(a));
      if (a == 'x') a = 0;               // dropped
      if (a >= 'a' && a <= 'z') a -= 32; // upper case
      if (a == 9 && tabTo) tabTo->SetFocus();
    };
    Text1.KeyUp = [](int &k, int) { Log().push_back("KeyUp " + std::to_string(k)); };
    Text1.Click = [] { Log().push_back("Text1_Click"); };
    Text1.DblClick = [] { Log().push_back("Text1_DblClick"); };
    Text2.Move(5400, 750, 1500, 300);

    Combo1.Move(5400, 1200, 2400, 315);
    Combo1.SetText("            ?");
    Combo1.Click = [this] { Log().push_back("Combo1_Click " + std::to_string(Combo1.ListIndex())); };
    List1.Move(5400, 1650, 2400, 900);
    List1.Click = [this] { Log().push_back("List1_Click " + List1.Text()); };

    cmdDone.Move(1500, 3000, 1575, 375);
    cmdDone.SetCaption("MAIN Menu");
    cmdDone.Click = [this] { cmdDone_Click(); };
    cmdUnload.Move(3300, 3000, 1575, 375);
    cmdUnload.SetCaption("Exit QUON");
    cmdUnload.Click = [this] {
      Log().push_back("cmdUnload_Click");
      Unload(*this);
      Log().push_back("after Unload");
    };

    picGraph.Move(8400, 300, 4500, 3000);
    picGraph.Resize = [] { Log().push_back("pic_Resize"); };
    picGraph.Paint = [this] {
      Log().push_back("pic_Paint");
      picGraph.ScaleSet(0, 10, 10, -10);
      picGraph.SetDrawWidth(2);
      picGraph.Line(0, 0, 10, 10, kRed);
      picGraph.Point(5, 5, kGreen);
    };

    grid1.Move(1500, 3900, 7000, 3000);
    grid1.SetCols(6);
    grid1.SetRows(40);
    grid1.Click = [this] {
      Log().push_back("grid1_Click " + std::to_string(grid1.MouseRow) + "," + std::to_string(grid1.MouseCol));
    };
    grid1.DblClick = [this] {
      Log().push_back("grid1_DblClick " + std::to_string(grid1.MouseRow) + "," +
                      std::to_string(grid1.MouseCol));
    };
    grid1.Scroll = [] { Log().push_back("grid1_Scroll"); };

    mnuCopy.Click = [] { Log().push_back("mnuCopy_Click"); };
    mnuSave.Click = [] { Log().push_back("mnuSave_Click"); };
    mnuHidden.SetVisible(false);
    mnuPick.Click = [] { Log().push_back("mnuPick_Click"); };
  }

  Label Label1{*this, "Label1"};
  Frame Frame1{*this, "Frame1"};
  OptionButton Option1{Frame1, "Option1"};
  OptionButton Option2{Frame1, "Option2"};
  CheckBox Check1{Frame1, "Check1"};
  Button cmdInFrame{Frame1, "cmdInFrame"};
  TextBox Text1{*this, "Text1"};
  TextBox Text2{*this, "Text2"};
  ComboBox Combo1{*this, "Combo1"};
  ListBox List1{*this, "List1"};
  Button cmdDone{*this, "cmdDone"};
  Button cmdUnload{*this, "cmdUnload"};
  PictureBox picGraph{*this, "picGraph"};
  Grid grid1{*this, "grid1"};

  MenuItem fileMenu{MenuBar(), "fileMenu", "&File"};
  MenuItem mnuSave{fileMenu, "mnuSave", "&Save", 'S'};
  MenuItem editMenu{MenuBar(), "editMenu", "&EditGrid"};
  MenuItem mnuCopy{editMenu, "mnuCopy", "&Copy", 'C'};
  MenuItem mnuPopup{MenuBar(), "mnuPopup", "Popup"};
  MenuItem mnuHeading{mnuPopup, "mnuHeading", "             MAIN"};
  MenuItem spc1{mnuPopup, "spc1", "-"};
  MenuItem mnuSub{mnuPopup, "mnuSub", "Network models"};
  MenuItem mnuPick{mnuSub, "mnuPick", "Maximal &Flow"};
  MenuItem mnuHidden{mnuPopup, "mnuHidden", "Hidden"};

  TextBox *tabTo = nullptr;

  void Form_Load() override {
    Log().push_back("Load");
    SetCaption("QUON  ");
    mnuPopup.SetVisible(false);
  }
  void Form_Activate() override { Log().push_back("Activate"); }
  void Form_Paint() override {
    Log().push_back("Paint");
    SetForeColor(kWhite);
    SetDrawWidth(2);
    Box(0.015 * ScreenWidth(), 0.0135 * ScreenHeight(), 0.99 * ScreenWidth(), 0.9265 * ScreenHeight(),
        kWhite);
  }
  void Form_Resize() override { Log().push_back("Resize"); }
  void Form_Unload() override { Log().push_back("Unload"); }
  void Form_Click() override {
    Log().push_back("Form_Click");
    PopupMenuAtClick(mnuPopup, 7680, 3491, true);
  }
  void cmdDone_Click() { Log().push_back("cmdDone_Click"); }
};

class OtherForm : public Form {
public:
  OtherForm() : Form("frmOther") {}
  void Form_Load() override { Log().push_back("Other Load"); }
  void Form_Activate() override { Log().push_back("Other Activate"); }
  void Form_Unload() override { Log().push_back("Other Unload"); }
};

inline TestForm &frmTest() {
  return FormInstance<TestForm>();
}
inline OtherForm &frmOther() {
  return FormInstance<OtherForm>();
}

// Every screen test starts on a 1024 x 768 logical screen with a script that fails the test on
// an unexpected wait, and ends with no form left.
class FormsTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetLogicalScreen(15360, 11520);
    Forms::Clear();
    Log().clear();
    ended = 0;
    Forms::SetProgramEndHandler([this] { ++ended; });
    script.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
  }
  void TearDown() override {
    Forms::Clear();
    Forms::SetProgramEndHandler(nullptr);
    EXPECT_TRUE(script.Done()) << script.Pending() << " scripted answers unused";
  }
  ScriptedServices script;
  int ended = 0;
};

} // namespace quon::testing
