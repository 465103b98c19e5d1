// The graph screen: a square picture beside a list (linear programs, games) or a schedule grid
// (project bar chart), zoom and print buttons above the picture and the exits below. What it
// draws belongs to the model class: each class registers its hooks, and the screen calls the
// hooks of the current class (ModelClass) on every event.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "shell/mod1.h"

namespace quon {

class ScrLPGraf;

struct GraphScreenHooks {
  // The class's part of the load (its list or grid, labels and frames); returns the title.
  std::function<std::string(ScrLPGraf &)> load;
  // The picture was resized (also at first display): set the axes and the picture's scale.
  std::function<void(ScrLPGraf &)> setScale;
  std::function<void(ScrLPGraf &)> paint;
  std::function<void(ScrLPGraf &, int index)> listClick;
  // After a zoom changed the axis ends and the scale: draw again (out: it was Zoom Out).
  std::function<void(ScrLPGraf &, bool out)> zoomed;
  // Zoom changes the y-axis only, without the Zoom In limit (the game graph).
  bool zoomsYOnly = false;
  std::function<void()> print;
  // The schedule experiment of the bar chart.
  std::function<void(ScrLPGraf &)> combo1Click;
  std::function<void(ScrLPGraf &)> combo2Click;
};

// Registers the graph-screen hooks of one model class, replacing earlier ones.
void RegisterGraphScreenHooks(ModelClassCode::Code modelClass, GraphScreenHooks hooks);

class ScrLPGraf : public Form {
public:
  ScrLPGraf();

  PictureBox picLPgraph{*this, "picLPgraph"};
  ListBox List1{*this, "List1"};
  Grid gridChart{*this, "gridChart"};
  Label Label4{*this, "Label4"};
  Frame Frame1{*this, "Frame1"};
  Button cmdZoomIn{Frame1, "cmdZoomIn"};
  Button cmdZoomOut{Frame1, "cmdZoomOut"};
  Button cmdPrintGraph{Frame1, "cmdPrintGraph"};
  Frame Frame2{*this, "Frame2"};
  Button cmdMainMenu{Frame2, "cmdMainMenu"};
  Button cmdModifyInputData{Frame2, "cmdModifyInputData"};
  Button cmdExitQuon{Frame2, "cmdExitQuon"};
  Frame Frame3{*this, "Frame3"};
  Label Label1{Frame3, "Label1"};
  ComboBox Combo1{Frame3, "Combo1"};
  Label Label2{Frame3, "Label2"};
  ComboBox Combo2{Frame3, "Combo2"};
  Label Label3{Frame3, "Label3"};
  // The experiment's result and caution, to be read whole.
  ReadOnlyTextBox Text1{Frame3, "Text1"};
  ReadOnlyTextBox Text2{Frame3, "Text2"};
  Frame Frame4{*this, "Frame4"};
  Label Label5{Frame4, "Label5"};
  Label Label6{Frame4, "Label6"};
  Label Label7{Frame4, "Label7"};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { cmdExitQuon_Click(); }

  void picLPgraph_Resize();
  void picLPgraph_Paint();
  void List1_Click();
  void cmdZoomIn_Click();
  void cmdZoomOut_Click();
  void cmdPrintGraph_Click();
  void cmdModifyInputData_Click();
  void cmdMainMenu_Click();
  void cmdExitQuon_Click();

  // The form's own drawing (page heading, frame and title, and the graphing hint once shown),
  // drawn afresh each time the axes are drawn so that it does not pile up.
  void DrawFormDecoration();
  // The two bold instruction lines in a box above the list (linear programs).
  void ShowGraphingHint();
  // Linear programs and games: the list shown (grid and schedule frame hidden), as wide as the
  // output's numbers need, centred on a fifth of the screen.
  void PlaceList();

private:
  void DrawGraphingHint();
  bool hintShown_ = false;
};

ScrLPGraf &scrLPGraf();

// The linear program's hooks, and the output road of the graphical method: the graph screen,
// then the graphing hint.
GraphScreenHooks LPGraphScreenHooks();
void ShowLPGraphOutput();

// Time between the frames of the objective line's animation (0.4 s); tests set 0.
void SetLPGraphFrameDelay(double seconds);

} // namespace quon
