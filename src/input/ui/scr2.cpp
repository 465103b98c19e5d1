#include "input/ui/scr2.h"

#include <cmath>

#include "input/input_grid.h"
#include "input/problem_file.h"
#include "input/problem_header.h"
#include "input/submit_input.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

Scr2 &scr2() {
  return FormInstance<Scr2>();
}

namespace {

bool ConfirmKey(int keyCode) {
  return keyCode == key::Tab || keyCode == key::Return || keyCode == key::Right || keyCode == key::Down;
}

int Twips(double v) {
  return static_cast<int>(std::lround(v));
}

void Place(Control &c, const Rect &r) {
  c.Move(Twips(r.left), Twips(r.top), Twips(r.width), Twips(r.height));
}

} // namespace

Scr2::Scr2() : Form("scr2") {
  SetBackColor(kBlue);
  // Labels let the screen's drawing show through: the grid caption waits at the corner, over
  // the frame, until the grid set-up places it.
  for (Label *l : {&Label1, &Label2, &Label3, &Label6, &Label7, &Label8}) {
    l->SetBackColor(kBlue);
    l->SetForeColor(kWhite);
    l->SetTransparent(true);
  }
  for (Control *c : std::initializer_list<Control *>{&Label1, &BX1, &Label2, &BX2, &Label3, &BX3, &Label6,
                                                     &Label7, &Label8, &Label4, &BX0}) {
    c->SetFontName("arial");
    c->SetFontSize(8.25);
    c->SetFontBold(true);
  }
  Label1.SetCaption("Problem Title:");
  Label6.SetCaption("  Enter value then press RETURN or TAB to initialize input grid");
  Label8.SetCaption(" (Payoff must be for Player A)");
  Label8.SetVisible(false);

  Frame2.SetBackColor(kBlue);
  Frame2.Move(0, 0, 4335, 375);
  Check1.SetBackColor(kBlue);
  Check1.Move(120, 60, 255, 255);
  Label4.SetCaption("Check here if network is symmetrical");
  Label4.SetBackColor(kBlue);
  Label4.SetForeColor(kWhite);
  Label4.Move(420, 60, 3795, 255);

  Frame1.SetBackColor(kBlue);
  Frame1.Move(0, 0, 5205, 495);
  cmdDone.SetCaption("SOLVE Menu");
  cmdDone.Move(120, 60, 1575, 375);
  cmdMainMenu.SetCaption("MAIN Menu");
  cmdMainMenu.Move(1815, 60, 1575, 375);
  cmdExitQuon.SetCaption("Exit QUON");
  cmdExitQuon.Move(3510, 60, 1575, 375);
  // The boxes and the cell editor keep Tab for themselves: the buttons answer to Alt keys.
  cmdDone.SetAccessKey('S');
  cmdMainMenu.SetAccessKey('M');
  cmdExitQuon.SetAccessKey('X');

  grid1.SetVisible(false);
  BX0.SetVisible(false);
  for (MenuItem *m : {&mnuUndo, &mnuCopyMenu, &mnuPasteMenu, &mnuDeleteMenu, &mnuInsertMenu})
    m->SetEnabled(false);

  BX1.Click = [this] { BX1_Click(); };
  BX1.DblClick = [this] { BX1_DblClick(); };
  BX1.KeyDown = [this](int &k, int s) { BX1_KeyDown(k, s); };
  BX1.KeyPress = [this](int &k) { BX1_KeyPress(k); };
  // The title is part of the problem: the user's edit of it is offered for saving.
  BX1.Change = [this] {
    if (!showingTitle_) g.DataChanged = 1;
  };
  BX2.Click = [this] { BX2_Click(); };
  BX2.DblClick = [this] { BX2_DblClick(); };
  BX2.KeyDown = [this](int &k, int s) { BX2_KeyDown(k, s); };
  BX2.KeyPress = [this](int &k) { BX2_KeyPress(k); };
  BX2.Change = [this] { GuardDigits(BX2, bx2Good_); };
  BX3.Click = [this] { BX3_Click(); };
  BX3.DblClick = [this] { BX3_DblClick(); };
  BX3.KeyDown = [this](int &k, int s) { BX3_KeyDown(k, s); };
  BX3.KeyPress = [this](int &k) { BX3_KeyPress(k); };
  BX3.Change = [this] { GuardDigits(BX3, bx3Good_); };
  Check1.Click = [this] { Check1_Click(); };
  WireInputGrid();
  cmdDone.Click = [this] { cmdDone_Click(); };
  cmdMainMenu.Click = [this] { cmdMainMenu_Click(); };
  cmdExitQuon.Click = [this] { cmdExitQuon_Click(); };
  saveMenu.Click = [this] { saveMenu_Click(); };
  SaveAsMenu.Click = [this] { SaveAsMenu_Click(); };
  mainMenu.Click = [this] { mainMenu_Click(); };
  mnuUndo.Click = [this] { mnuUndo_Click(); };
  mnuCopyMenu.Click = [this] { mnuCopyMenu_Click(); };
  mnuPasteMenu.Click = [this] { mnuPasteMenu_Click(); };
  mnuDeleteMenu.Click = [this] { mnuDeleteMenu_Click(); };
  mnuInsertMenu.Click = [this] { mnuInsertMenu_Click(); };
  ExitQUONMenu.Click = [this] { ExitQUONMenu_Click(); };
}

void Scr2::Form_Load() {
  const int w = ScreenWidth(), h = ScreenHeight();
  const int cls = g.ModelClass;
  SetCaption("QUON " + g.ProblemFileName);
  // A new problem starts unsized and unchanged: what an earlier problem left in its counts or
  // its change mark must not make leaving this screen ask to save.
  g.NVars = 0;
  g.MRows = 0;
  g.TransSources = g.TransDests = 0;
  g.NScen = 0;
  g.NodeCount = 0;
  g.GameRows = g.GameCols = 0;
  g.DataChanged = 0;
  g.SavedProblem.clear();
  g.KeptUnsaved = false;

  Frame2.SetVisible(false);
  Frame1.SetTop(Twips(0.75 * h));
  Frame1.SetLeft((w - Frame1.Width()) / 2);
  Frame1.SetVisible(true);

  grid1.SetVisible(false);
  cmdDone.SetEnabled(false);
  Label3.SetVisible(false);
  Label6.SetVisible(false);
  Label8.SetVisible(false);
  BX3.SetVisible(false);

  SetFontName("arial");
  SetFontSize(8.25);
  SetFontBold(true);
  const double boxHeight = std::lround(TextHeight("K") * 1.2);
  const HeaderLayout l = LayoutHeader(cls, w, h, boxHeight, TextWidth("AAAA"));
  Place(Label1, l.label1);
  Place(BX1, l.bx1);
  Place(Label2, l.label2);
  Place(BX2, l.bx2);
  Label6.Move(Twips(l.label6Left), Twips(l.label6Top), Twips(TextWidth(Label6.Caption()) + 240),
              Twips(boxHeight));
  Label8.SetWidth(Twips(TextWidth(Label8.Caption()) + 240));

  saveMenu.SetEnabled(false);
  SaveAsMenu.SetEnabled(false);
  for (MenuItem *item : {&mnuUndo, &mnuCopyMenu, &mnuPasteMenu, &mnuDeleteMenu, &mnuInsertMenu})
    item->SetEnabled(false);

  const SizeCaptions captions = SizeCaptionsFor(cls);
  Label2.SetCaption(captions.first);
  if (captions.secondShown) {
    Label3.SetVisible(true);
    BX3.SetVisible(true);
    Place(Label3, l.label3);
    Place(BX3, l.bx3);
    Label3.SetCaption(captions.second);
  }
  if (cls == ModelClassCode::ProjectPlanning) {
    Label6.SetVisible(true);
    Label2.SetVisible(false);
    BX2.SetVisible(false);
  }
}

void Scr2::Form_Paint() {
  // The SOLVE/MODIFY screen may still be loaded on the way back to the input.
  UnloadFormNamed("scr3");
  DrawScreenFrameAndTitle(*this);
  DrawHelpFrame(*this, ScreenWidth(), ScreenHeight());
}

void Scr2::ShowTitle(const std::string &title) {
  showingTitle_ = true;
  BX1.SetText(title);
  showingTitle_ = false;
}

void Scr2::BX1_Click() {
  if (g.ModelClass == ModelClassCode::ProjectPlanning) Label6.SetVisible(true);
}

void Scr2::BX1_DblClick() {
  SelectAllText(BX1);
}

void Scr2::BX1_KeyPress(int &keyAscii) {
  if (keyAscii == key::Tab || keyAscii == key::Return) keyAscii = 0;
}

void Scr2::BX1_KeyDown(int &keyCode, int /*shift*/) {
  if (ConfirmKey(keyCode)) {
    if (HasSecondSize(g.ModelClass)) {
      SelectAllText(BX2);
    } else if (g.ModelClass == ModelClassCode::ProjectPlanning) {
      Label6.SetVisible(false);
      Label2.SetVisible(false);
      BX2.SetVisible(false);
      g.GridReadyFlag = 0;
      ValidateProblemSize(1);
      g.FromFileFlag = 1;
    } else {
      Label6.SetVisible(true);
      SelectAllText(BX2);
    }
  } else if (keyCode == key::Up) {
    Beep();
  }
}

void Scr2::BX2_Click() {
  g.NewProblemMark = 99;
  if (!HasSecondSize(g.ModelClass)) Label6.SetVisible(true);
}

void Scr2::BX2_DblClick() {
  SelectAllText(BX2);
  BX2_Click();
}

void Scr2::SizeKeyPress(int &keyAscii, TextBox &box, bool selectAgain) {
  g.LastKeyAscii = static_cast<int16>(keyAscii);
  if (keyAscii == key::Back) return;
  if (keyAscii == key::Tab || keyAscii == key::Return) {
    keyAscii = 0;
    return;
  }
  if (keyAscii == '.' || keyAscii == ',') {
    // A size is a whole number: a fraction is refused aloud, never read with its point dropped
    // (2.5 as 25), and what is typed next replaces the box's text.
    keyAscii = 0;
    const SizeVerdict v = InvalidSizeRefusal(&box == &BX3 ? 3 : 2);
    Beep();
    MsgBox(v.message, msg::OKOnly | msg::Critical, v.title);
    SelectAllText(box);
    g.TitleSuppress = -1;
    return;
  }
  if (keyAscii < '0' || keyAscii > '9') {
    keyAscii = 0;
    Beep();
    if (g.TitleSuppress == 0) Beep();
    if (selectAgain)
      SelectAllText(box);
    else
      box.SetFocus();
    g.TitleSuppress = 0;
    return;
  }
  saveMenu.SetEnabled(false);
  SaveAsMenu.SetEnabled(false);
}

void Scr2::BX2_KeyPress(int &keyAscii) {
  SizeKeyPress(keyAscii, BX2, false);
}

void Scr2::BX2_KeyDown(int &keyCode, int /*shift*/) {
  g.TitleSuppress = 0;
  if (keyCode == key::Escape) {
    keyCode = 0;
    RestoreSizeInForce(BX2);
    return;
  }
  if (keyCode == key::Up) {
    SelectAllText(BX1);
    return;
  }
  if (!ConfirmKey(keyCode)) return;
  Label6.SetVisible(HasSecondSize(g.ModelClass));
  g.GridReadyFlag = 0;
  ValidateProblemSize(1);
}

void Scr2::BX3_Click() {
  g.NewProblemMark = 99;
  Label6.SetVisible(true);
}

void Scr2::BX3_DblClick() {
  SelectAllText(BX3);
  BX3_Click();
}

void Scr2::BX3_KeyPress(int &keyAscii) {
  SizeKeyPress(keyAscii, BX3, true);
}

void Scr2::BX3_KeyDown(int &keyCode, int /*shift*/) {
  Label6.SetVisible(true);
  g.TitleSuppress = 0;
  if (keyCode == key::Escape) {
    keyCode = 0;
    RestoreSizeInForce(BX3);
    return;
  }
  if (keyCode == key::Up) {
    SelectAllText(BX2);
    return;
  }
  if (!ConfirmKey(keyCode)) return;
  Label6.SetVisible(false);
  g.GridReadyFlag = 0;
  if (gridBuilt_ && (g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming)) {
    // The sense the user chose on the grid stays: it is part of the problem.
    const bool minimize = grid1.Rows() > 2 && Trim(grid1.TextMatrix(2, 0)) == "Minimize";
    g.ObjSense = minimize ? 1 : -1;
    g.SenseText = minimize ? "Minimize" : "Maximize";
  } else if (g.ModelClass == ModelClassCode::Transportation) {
    g.ObjSense = 1;
    g.SenseText = "Minimize";
  } else {
    g.ObjSense = -1;
    g.SenseText = "Maximize";
  }
  ValidateProblemSize(2);
}

void Scr2::GuardDigits(TextBox &box, std::string &lastGood) {
  const std::string text = box.Text();
  if (IsAllDigits(text)) {
    lastGood = text;
    return;
  }
  box.SetText(lastGood);
  Beep();
}

void Scr2::RestoreSizeInForce(TextBox &box) {
  SubmitHeader inForce{BX1.Text(), acceptedSize1_, acceptedSize2_};
  if (gridBuilt_) inForce = ConfirmedHeader(grid1, inForce);
  box.SetText(&box == &BX3 ? inForce.size2 : inForce.size1);
  SelectAllText(box);
}

void Scr2::RefuseTooLarge(TextBox &box, const std::string &message) {
  // The grid on the screen stays in view with its data: only the size typed is refused.
  MsgBox(message, msg::OKOnly | msg::Critical, "Problem size");
  box.SetFocus();
}

void Scr2::ValidateProblemSize(int16 which) {
  const int cls = g.ModelClass;
  const SizeVerdict v = CheckProblemSize(which, BX2.Text(), BX3.Text());
  if (!v.accepted) {
    // The check has read the refused size; the grid on the screen keeps its own, which the
    // editor's rules go by.
    if (gridBuilt_) AdoptGridSizes(grid1);
    TextBox &box = v.focusBox == 3 ? BX3 : BX2;
    if (v.tooLarge) {
      RefuseTooLarge(box, v.message);
    } else {
      Beep();
      MsgBox(v.message, msg::OKOnly | msg::Critical, v.title);
      SelectAllText(box);
    }
    return;
  }
  saveMenu.SetEnabled(true);
  SaveAsMenu.SetEnabled(true);
  (which == 1 ? acceptedSize1_ : acceptedSize2_) = (which == 1 ? BX2 : BX3).Text();

  if (HasSecondSize(cls) && which == 1) {
    // The grid keeps its sizes until the second one is confirmed.
    if (gridBuilt_) AdoptGridSizes(grid1);
    SelectAllText(BX3);
    return;
  }
  if (cls < 1 || cls > 9) return;
  g.NewProblemMark = 0;
  // A project has no size to confirm: its title box only moves on to the grid.
  const GridShape shape = ShapeOf(cls, g.ProjMethod, {g.NVars, g.MRows});
  const bool sameGrid = gridBuilt_ && (cls == ModelClassCode::ProjectPlanning ||
                                       (shape.rows == grid1.Rows() && shape.cols == grid1.Cols()));
  if (sameGrid) {
    // Passing through the header changes nothing: the grid stays exactly as it is.
    AdoptGridSizes(grid1);
    g.GridReadyFlag = 1;
  } else {
    const GridTexts old = gridBuilt_ ? TextsOf(grid1) : GridTexts{};
    InitInputGrid();
    CarryDataCells(grid1, old);
    g.DataChanged = 1;
  }
  g.CurRow = 1;
  g.CurCol = (cls == ModelClassCode::Transportation || cls == ModelClassCode::Networks) ? 2 : 1;
  if (grid1.Rows() > 1 && grid1.Cols() > g.CurCol) {
    grid1.SetRow(1);
    grid1.SetCol(g.CurCol);
  }
  PlaceCellEditor(g.CurRow, g.CurCol);
}

void Scr2::Check1_Click() {
  g.CurRow = 1;
  g.CurCol = 2;
  PlaceCellEditor(1, 2);
  g.SymmetricNet = Check1.Value() == 1 ? 1 : 0;
}

} // namespace quon
