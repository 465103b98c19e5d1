// The whole road a student takes: a problem typed on the input screen, submitted, solved by a
// method chosen on the SOLVE/MODIFY screen, read on the output screen, and brought back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWindow>
#include <QAction>
#include <QPointer>
#include <algorithm>
#include <functional>
#include <random>

#include "linear/ui/scr_lp_graf.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/screen.h"
#include "input/submit_input.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/input_screen.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class WholeRoad : public InputScreenTest {};

TEST_F(WholeRoad, LinearProgramToItsSummaryAndBackToTheInput) {
  Scr2 &s = Typed(3, "2", "3");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "0", "<=", "4"});
  Fill(s, 4, {"0", "2", "<=", "12"});
  Fill(s, 5, {"3", "2", "<=", "18"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  // A new first size confirmed, the second changed without Enter: the grid was not rebuilt,
  // so the problem solved and kept is the one it holds.
  s.BX2.SetFocus();
  s.BX2.SetText("3");
  s.BX2.PressKey(key::Return);
  s.BX3.SetText("1");

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "Algebraic", "&Final solution"});
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr4>());
  EXPECT_FALSE(IsLoaded<Scr2>());

  scr4().cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_DOUBLE_EQ(g.ZValue, 36);
  const GridStore &out = scr5().outputGrid;
  EXPECT_EQ(out.TextMatrix(1, 1), "2.00");
  EXPECT_EQ(out.TextMatrix(2, 1), "6.00");

  scr5().cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);
  EXPECT_EQ(scr2().BX2.Text(), "2");
  EXPECT_EQ(scr2().BX3.Text(), "3");
  EXPECT_EQ(ended, 0);
}

// "Exit QUON" of the SOLVE/MODIFY menu offers to save the problem as the input screen's exit
// does: a save that does not happen brings the input back with the problem; one that does
// writes the file and ends the program.
TEST_F(WholeRoad, ExitFromTheSolveMenuOffersToSaveTheProblem) {
  Scr2 &s = Typed(3, "2", "1");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "1", "<=", "4"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  const std::string file = (dir / "kept.txt").string();
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(std::nullopt);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 0);
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(file);
  scr2().cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(std::filesystem::exists(file));
}

// The same from a popup opened by a click on the screen, with the dialogs' own event loops
// running as the user answers them: the screen whose click opened the menu is unloaded on the
// way to the Save As dialog, and must outlive the click's handler all the same.
TEST_F(WholeRoad, ExitFromAPopupOpenedByAClickOutlivesTheDialogsLoops) {
  WaitsRunEventLoops();
  for (const bool saved : {false, true}) {
    SCOPED_TRACE(saved);
    Forms::Clear();
    ended = 0;
    Scr2 &s = Typed(9, "2", "2");
    s.BX1.SetText("UAF");
    Fill(s, 1, {"3", "-1"});
    Fill(s, 2, {"-2", "4"});
    const std::vector<std::string> typed = DataCells(s.grid1);
    const std::string file = (dir / "uaf.txt").string();
    script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
    s.cmdDone.PerformClick();
    Forms::DoEvents();
    ASSERT_TRUE(IsLoaded<Scr3>());
    script.ChoosePopup({"&Exit QUON"})
        .AnswerMsgBox(msg::Yes, "Do you wish to save data?")
        .AnswerSave(saved ? std::optional<std::string>(file) : std::nullopt);
    scr3().PerformClick(1200, 1500); // the blue background, clear of the label
    Forms::DoEvents();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(IsLoaded<Scr3>());
    EXPECT_EQ(ended, saved ? 1 : 0);
    EXPECT_EQ(std::filesystem::exists(file), saved);
    if (!saved) {
      ASSERT_TRUE(IsLoaded<Scr2>());
      EXPECT_EQ(DataCells(scr2().grid1), typed);
    }
  }
}

// A problem that can only ship on "infinity" routes: after the message the summary says so on a
// whole screen, no step is live, and the page prints; pressing "All Iterations" anyway is safe.
TEST_F(WholeRoad, TransportationWithoutAFeasibleSolutionEndsOnItsSummary) {
  Scr2 &s = Typed(4, "2", "2");
  Fill(s, 2, {"S1", "infinity", "infinity", "1"});
  Fill(s, 3, {"S2", "1", "1", "1"});
  Fill(s, 4, {"", "1", "1"});
  const std::string note = "Problem has no feasible solution without the routes that cost \"infinity\".";
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "&Final solution"});
  script.AnswerMsgBox(msg::OK, note);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  Scr5 &f = scr5();
  EXPECT_TRUE(Drawn(f, "TRANSPORTATION MODEL OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, note));
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  // The exits stand on the screen, below the heading and above its foot.
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_GT(f.Frame1.Top(), f.Frame2.Top());
  EXPECT_LE(f.Frame1.Top() + f.Frame1.Height(), ScreenHeight());

  const std::size_t shown = script.MessageBoxes().size();
  f.cmdFinalIter_Click();
  f.cmdNextIter_Click();
  EXPECT_EQ(script.MessageBoxes().size(), shown);

  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  f.cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  const RecordedOp *printed = paper.FindText(note);
  ASSERT_NE(printed, nullptr);
  EXPECT_EQ(printed->document, 2);
  EXPECT_NE(paper.FindText("infinity"), nullptr);

  f.cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  EXPECT_TRUE(IsLoaded<Scr2>());
}

// ---- Closing a window ----

// A screen's window closed by the window system (its close box, Alt+F4) or by the program's
// own close request goes the way of the screen's "Exit QUON", the save question included.
TEST_F(WholeRoad, ClosingAnyScreenGoesTheWayOfItsExitQuon) {
  SetLPGraphFrameDelay(0);
  const auto lp = [this] {
    Scr2 &s = Typed(3, "2", "2");
    Fill(s, 2, {"3", "5", "", ""});
    Fill(s, 3, {"1", "0", "<=", "4"});
    Fill(s, 4, {"3", "2", "<=", "18"});
    return &s;
  };
  const auto game = [this] {
    Scr2 &s = Typed(9, "2", "2");
    Fill(s, 1, {"3", "-1"});
    Fill(s, 2, {"-2", "4"});
    return &s;
  };
  const auto project = [this] {
    Scr2 &s = Typed(8, "", "", 1);
    s.grid1.SetRows(4);
    Fill(s, 1, {"1", "2", "A", "3"});
    Fill(s, 2, {"2", "3", "B", "2"});
    Fill(s, 3, {"1", "3", "C", "4"});
    g.DataChanged = 1;
    return &s;
  };
  // The SOLVE/MODIFY item chosen, then "Go To Output Screen" where the road passes it.
  const auto solved = [this](Scr2 *s, std::vector<std::string> item) {
    script.AnswerMsgBox(msg::No, "Do you wish to save data?").ChoosePopup(std::move(item));
    s->cmdDone.PerformClick();
    Forms::DoEvents();
  };
  const auto output = [&](Scr2 *s, std::vector<std::string> item) {
    solved(s, std::move(item));
    scr4().cmdDone.PerformClick();
    Forms::DoEvents();
  };
  // The screen when it is loaded (its accessor would load a fresh one).
  const auto loaded = []<class T>(T *) -> Form * { return IsLoaded<T>() ? &FormInstance<T>() : nullptr; };
  struct Screen {
    const char *name;
    std::function<Form *()> reach;
    std::function<void(Form &)> exitQuon;
  };
  const Screen screens[] = {
      {"input", [&] { return lp(); }, [](Form &) { scr2().cmdExitQuon.PerformClick(); }},
      {"MAIN menu",
       [&] {
         script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
         lp()->cmdMainMenu.PerformClick();
         return loaded(static_cast<Scr0 *>(nullptr));
       },
       [](Form &) { scr0().cmdExitQuon.PerformClick(); }},
      {"SOLVE/MODIFY",
       [&] {
         solved(lp(), {});
         return loaded(static_cast<Scr3 *>(nullptr));
       },
       [](Form &) { scr3().mnuExitQuon.PerformClick(); }},
      {"output format",
       [&] {
         solved(lp(), {"Solve Problem", "Algebraic", "&Final solution"});
         return loaded(static_cast<Scr4 *>(nullptr));
       },
       [](Form &) { scr4().cmdExitQuon.PerformClick(); }},
      {"output",
       [&] {
         output(lp(), {"Solve Problem", "Algebraic", "&Final solution"});
         return loaded(static_cast<Scr5 *>(nullptr));
       },
       [](Form &) { scr5().cmdExitQuon.PerformClick(); }},
      {"LP graph",
       [&] {
         output(lp(), {"Solve Problem", "&Graphical"});
         return loaded(static_cast<ScrLPGraf *>(nullptr));
       },
       [](Form &) { scrLPGraf().cmdExitQuon.PerformClick(); }},
      {"game graph",
       [&] {
         output(game(), {"Solve Problem", "&Graphical"});
         return loaded(static_cast<ScrLPGraf *>(nullptr));
       },
       [](Form &) { scrLPGraf().cmdExitQuon.PerformClick(); }},
      {"bar chart",
       [&] {
         output(project(), {"Solve Problem"});
         scr5().Combo1.PerformChoose(0);
         Forms::DoEvents();
         return loaded(static_cast<ScrLPGraf *>(nullptr));
       },
       [](Form &) { scrLPGraf().cmdExitQuon.PerformClick(); }},
  };
  enum class Road { ExitQuon, WindowSystem, CloseRequest };
  for (const Screen &screen : screens) {
    for (Road road : {Road::ExitQuon, Road::WindowSystem, Road::CloseRequest}) {
      SCOPED_TRACE(::testing::Message() << screen.name << ", road " << static_cast<int>(road));
      Forms::Clear();
      UseScreen(15360, 11520);
      ended = 0;
      Form *f = screen.reach();
      ASSERT_TRUE(script.Done());
      ASSERT_NE(f, nullptr);
      ASSERT_TRUE(f->Shown()) << f->Name();
      const auto take = [&] {
        QWidget *window = f->ClientWidget()->window();
        if (road == Road::ExitQuon) {
          screen.exitQuon(*f);
        } else if (road == Road::WindowSystem) {
          // What the window manager's close reaches the program as.
          QCloseEvent close;
          QApplication::sendEvent(window->windowHandle(), &close);
        } else {
          window->close();
        }
        Forms::DoEvents();
      };
      // Every screen after the input holds the problem; the MAIN menu has dropped it.
      const bool held = f->Name() != "scr0";
      const std::size_t shown = script.MessageBoxes().size();
      if (held) {
        script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
        take();
        ASSERT_TRUE(script.Done());
        EXPECT_EQ(ended, 0);
        EXPECT_TRUE(f->Loaded());
        script.AnswerMsgBox(msg::No, "Do you wish to save data?");
      }
      take();
      EXPECT_TRUE(script.Done());
      EXPECT_EQ(script.MessageBoxes().size(), shown + (held ? 2 : 0));
      EXPECT_EQ(ended, 1);
      EXPECT_TRUE(Forms::Loaded().empty());
    }
  }
  SetLPGraphFrameDelay(0.4);
}

// ---- A random walk of the screens ----

// A user who answers every wait at random: any answer a message box offers, Cancel or a new
// name at Save As, Cancel at Open, any enabled item of a popup menu (the first most often) or
// none. Each wait first
// runs an event loop of its own, as the real dialogs and menus do.
class RandomUser : public UserServices {
public:
  RandomUser(std::mt19937 &rng, std::filesystem::path dir)
      : rng_(rng), dir_(std::move(dir)), previous_(InstallUserServices(this)) {}
  ~RandomUser() override { InstallUserServices(previous_); }
  RandomUser(const RandomUser &) = delete;
  RandomUser &operator=(const RandomUser &) = delete;

  int MsgBox(const std::string &prompt, int style, const std::string &) override {
    Wait();
    prompts.push_back(prompt);
    const std::vector<int> answers = msg::AnswersOf(style);
    // A road that keeps asking is ended the way a user who gives up ends it.
    if (waits_ > kWaitsPerStep) return msg::EscapeAnswer(style);
    return answers[Pick(answers.size())];
  }
  void Beep() override {}
  std::optional<std::string> OpenFileDialog(const FileDialogRequest &) override {
    Wait();
    return std::nullopt;
  }
  std::optional<std::string> SaveFileDialog(const FileDialogRequest &) override {
    Wait();
    if (waits_ > kWaitsPerStep || Pick(2) == 0) return std::nullopt;
    return (dir_ / ("walk" + std::to_string(++saves_) + ".txt")).string();
  }
  void SetClipboardText(const std::string &text) override { clipboard_ = text; }
  std::string ClipboardText() override { return clipboard_; }
  MenuItem *ChoosePopup(MenuItem &menu, const PopupPlace &) override {
    Wait();
    popups.push_back(menu.Name());
    MenuItem *at = &menu;
    while (waits_ <= kWaitsPerStep && Pick(6) != 0) {
      std::vector<MenuItem *> items;
      for (MenuItem *item : at->Items())
        if (item->Visible() && item->Enabled() && !item->IsSeparator()) items.push_back(item);
      if (items.empty()) return nullptr;
      // The first item (the solve item of a SOLVE/MODIFY menu) is taken more often.
      const std::size_t k = Pick(items.size() + 2);
      at = items[k < items.size() ? k : 0];
      bool branch = false;
      for (const MenuItem *item : at->Items())
        branch = branch || item->Visible();
      if (!branch) return at;
    }
    return nullptr;
  }

  // Starts counting the waits of the next step.
  void NextStep() {
    waits_ = 0;
    prompts.clear();
    popups.clear();
  }
  bool KeptAsking() const { return waits_ > kWaitsPerStep; }
  std::vector<std::string> prompts; // the message boxes of this step
  std::vector<std::string> popups;  // the popup menus of this step

private:
  static constexpr int kWaitsPerStep = 40;
  void Wait() {
    ++waits_;
    RunWaitLoop();
  }
  std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

  std::mt19937 &rng_;
  std::filesystem::path dir_;
  UserServices *previous_;
  std::string clipboard_;
  int waits_ = 0;
  int saves_ = 0;
};

// One thing a user does on the screen in front, picked at random: press the button that goes
// on along the road (every screen names it cmdDone) or another enabled button, an option
// button or a list item, click the screen itself (where a popup opens), choose an item of its
// menu bar, or close its window by the window system or by the program. The kinds are picked
// first, so that the screens with long menus are left as often as the others.
std::function<void()> UserAction(Form &f, std::mt19937 &rng, std::string &what) {
  enum Kind { Forward, Press, Choose, Click, Menu, Close, Kinds };
  std::vector<std::pair<std::string, std::function<void()>>> kinds[Kinds];
  std::function<void(Container &)> collect = [&](Container &c) {
    for (Control *child : c.Children()) {
      if (!child->Visible() || !child->Enabled()) continue;
      if (auto *b = dynamic_cast<Button *>(child))
        kinds[b->Name() == "cmdDone" ? Forward : Press].emplace_back(b->Name(), [b] { b->PerformClick(); });
      if (auto *o = dynamic_cast<OptionButton *>(child)) kinds[Choose].emplace_back(o->Name(), [o] { o->PerformClick(); });
      if (auto *l = dynamic_cast<ListControl *>(child); l && l->ListCount() > 0) {
        const int i = std::uniform_int_distribution<int>(0, l->ListCount() - 1)(rng);
        kinds[Choose].emplace_back(l->Name() + " " + std::to_string(i), [l, i] { l->PerformChoose(i); });
      }
      if (auto *frame = dynamic_cast<Frame *>(child)) collect(*frame);
    }
  };
  collect(f);
  const double x = std::uniform_real_distribution<double>(0, f.ScaleWidth())(rng);
  const double y = std::uniform_real_distribution<double>(0, f.ScaleHeight())(rng);
  kinds[Click].emplace_back("click on the screen", [&f, x, y] { f.PerformClick(x, y); });
  QWidget *window = f.ClientWidget()->window();
  for (QAction *a : window->findChildren<QAction *>())
    if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu())
      kinds[Menu].emplace_back(a->text().toStdString(), [a = QPointer<QAction>(a)] {
        if (a) a->trigger();
      });
  kinds[Close].emplace_back("window system's close", [window] {
    QCloseEvent close;
    QApplication::sendEvent(window->windowHandle(), &close);
  });
  kinds[Close].emplace_back("close request", [window] { window->close(); });
  const int weights[Kinds] = {4, 3, 1, 2, 1, 1};
  std::vector<double> w;
  for (int k = 0; k < Kinds; ++k)
    w.push_back(kinds[k].empty() ? 0 : weights[k]);
  const auto &kind = kinds[std::discrete_distribution<int>(w.begin(), w.end())(rng)];
  const auto &chosen = kind[std::uniform_int_distribution<std::size_t>(0, kind.size() - 1)(rng)];
  what = chosen.first;
  return chosen.second;
}

class ScreenWalk : public InputScreenTest {};

// Seeded walks from a typed problem, a step at a time on the screen in front, with every wait
// running an event loop: under the address sanitizer no screen is used after it is freed, and
// in the normal build no road loses the screens or drops a held problem without the question.
TEST_F(ScreenWalk, RandomStepsNeverLoseAScreenOrAProblem) {
  SetLPGraphFrameDelay(0);
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  struct Start {
    int cls, sub;
    const char *size1, *size2;
    std::vector<std::vector<std::string>> rows; // from row 1, column 1
  };
  const Start starts[] = {
      {3, 0, "2", "2", {{"", "", "", ""}, {"3", "5", "", ""}, {"1", "0", "<=", "4"}, {"3", "2", ">=", "18"}}},
      {9, 0, "2", "2", {{"3", "-1"}, {"-2", "4"}}},
      {8, 1, "", "", {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "4"}}},
      {4, 0, "2", "2", {{"", "", "", ""}, {"S1", "4", "6", "10"}, {"S2", "5", "3", "10"}, {"", "8", "12", ""}}},
      {2, 0, "2", "", {{"1", "1", "3"}, {"1", "-1", "1"}}},
  };
  for (unsigned seed = 1; seed <= 8; ++seed) {
    std::mt19937 rng(seed);
    RandomUser user(rng, dir);
    int steps = 0;
    while (steps < 80) {
      Forms::Clear();
      UseScreen(15360, 11520);
      ended = 0;
      const Start &start = starts[std::uniform_int_distribution<std::size_t>(0, std::size(starts) - 1)(rng)];
      Scr2 &s = Typed(start.cls, start.size1, start.size2, start.sub);
      if (start.cls == 8) s.grid1.SetRows(static_cast<int>(start.rows.size()) + 1);
      for (std::size_t r = 0; r < start.rows.size(); ++r)
        Fill(s, static_cast<int>(r) + 1, start.rows[r]);
      g.DataChanged = 1;
      // A life ends with the program, after 20 steps, or a few steps after the MAIN menu
      // dropped the problem.
      for (int life = 0, onMain = 0; life < 20 && ended == 0 && onMain < 3; ++life, ++steps) {
        Form *front = Forms::Active() && Forms::Active()->Shown() ? Forms::Active() : nullptr;
        for (Form *f : Forms::Loaded())
          if (!front && f->Shown()) front = f;
        ASSERT_NE(front, nullptr) << "seed " << seed << ", step " << steps << ": no screen shown";
        const std::string from = front->Name();
        onMain += from == "scr0";
        const bool held = SaveQuestionDue() && from != "scr0";
        std::string what;
        const std::function<void()> action = UserAction(*front, rng, what);
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", step " << steps << " on " << from << ": " << what);
        user.NextStep();
        action();
        Forms::DoEvents();
        EXPECT_FALSE(user.KeptAsking());
        // The MAIN menu drops the problem as it comes up (and pops up its menu).
        const bool dropped =
            std::find(user.popups.begin(), user.popups.end(), "mnuXMainMenu") != user.popups.end();
        if (ended != 0) {
          EXPECT_TRUE(Forms::Loaded().empty());
          const bool asked = std::find(user.prompts.begin(), user.prompts.end(), "Do you wish to save data?") !=
                             user.prompts.end();
          EXPECT_TRUE(asked || !held || dropped) << "the program ended without the save question";
        }
      }
    }
  }
  SetPrinterForTesting(nullptr);
  SetLPGraphFrameDelay(0.4);
}

// ---- The whole road by keys alone ----

struct KeyRoad {
  const char *name;
  int modelClass, sub;
  std::vector<std::string> model; // the MAIN menu's items
  std::string size1, size2;
  std::vector<std::vector<std::string>> rows; // the grid's rows from 1, from column 1
  std::vector<std::string> solve;             // the SOLVE/MODIFY menu's items
  bool formatScreen = true;                   // the road passes the output-format screen
  // The option of an output that waits for one: the first by Down, or the second from the
  // opened list (Alt+Down, Down, Return), which opens with the first highlighted.
  bool secondOption = false;
};

void PrintTo(const KeyRoad &road, std::ostream *os) {
  *os << road.name;
}

// The key the user presses goes where the focus is, with the screen in front.
void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {}) {
  QWidget *target = QApplication::activePopupWidget();
  if (target && target->focusWidget()) target = target->focusWidget();
  if (!target) target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr) << "no focus for the key";
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  if (QWidget *now = QApplication::focusWidget()) {
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(now, &release);
  }
  Forms::DoEvents();
}
void TypeKeys(const std::string &text) {
  for (char ch : text)
    Key(ch >= 'a' && ch <= 'z' ? Qt::Key_A + (ch - 'a') : static_cast<int>(static_cast<unsigned char>(ch)),
        Qt::NoModifier, QString(QChar(ch)));
}

// The control whose widget holds the focus now; nullptr when the screen itself has it.
const Control *Focused(const Form &f, const Container &c) {
  QWidget *fw = QApplication::focusWidget();
  for (Control *child : c.Children()) {
    if (child->Widget() == fw) return child;
    if (auto *frame = dynamic_cast<const Frame *>(child))
      if (const Control *hit = Focused(f, *frame)) return hit;
  }
  return nullptr;
}
const Control *Focused(const Form &f) {
  return Focused(f, f);
}

class KeyboardWalk : public InputScreenTest, public ::testing::WithParamInterface<KeyRoad> {
protected:
  void Walk(const KeyRoad &road);
};

// Each class from the MAIN menu to a printout and back to the input, without the mouse: the
// focus is on a control in view wherever a screen waits for the user, and the keys reach
// every box the road needs. (The grid's cells are filled as a file would fill them; typing
// into them is the cell editor's own test.)
TEST_P(KeyboardWalk, FromTheMainMenuToAPrintoutAndBack) {
  for (auto [w, h] : {std::pair{15360, 11520}, std::pair{12000, 9000}}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    UseScreen(w, h);
    Walk(GetParam());
  }
}

void KeyboardWalk::Walk(const KeyRoad &road) {
  script.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
  RecordingSurface paper;
  SetPrinterForTesting(&paper);

  script.ChoosePopup(road.model);
  Scr0 &menu = scr0();
  menu.Show();
  BringToFront(menu);
  ASSERT_TRUE(menu.FrameInputMode.Visible());
  EXPECT_EQ(Focused(menu), &menu.newProblemOption);
  Key(Qt::Key_Return); // "Go to Input Screen", the default
  ASSERT_TRUE(IsLoaded<Scr2>());
  Scr2 &in = scr2();
  BringToFront(in);
  EXPECT_EQ(Focused(in), &in.BX1);
  TypeKeys("Walk");
  Key(Qt::Key_Return);
  for (const std::string &size : {road.size1, road.size2}) {
    if (size.empty()) continue;
    TypeKeys(size);
    Key(Qt::Key_Return);
  }
  ASSERT_TRUE(in.BX0.Visible());
  EXPECT_EQ(Focused(in), &in.BX0);
  const int firstRow = g.CurRow, firstCol = g.CurCol;

  // Back from the first cell to the header; Escape in a size box shows the size in force again.
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  TextBox *header = in.BX3.Visible() ? &in.BX3 : in.BX2.Visible() ? &in.BX2 : &in.BX1;
  EXPECT_EQ(Focused(in), header);
  if (header != &in.BX1) {
    const std::string inForce = header->Text();
    TypeKeys("9");
    Key(Qt::Key_Escape);
    EXPECT_EQ(header->Text(), inForce);
  }
  Key(Qt::Key_Return);
  EXPECT_EQ(Focused(in), &in.BX0);
  EXPECT_EQ(g.CurRow, firstRow);
  EXPECT_EQ(g.CurCol, firstCol);

  if (road.modelClass == 8) in.grid1.SetRows(static_cast<int>(road.rows.size()) + 1);
  for (std::size_t r = 0; r < road.rows.size(); ++r)
    Fill(in, static_cast<int>(r) + 1, road.rows[r]);
  script.AnswerMsgBox(msg::No, "Do you wish to save data?").ChoosePopup(road.solve);
  Key(Qt::Key_S, Qt::AltModifier); // "SOLVE Menu"
  if (road.formatScreen) {
    ASSERT_TRUE(IsLoaded<Scr4>());
    Scr4 &format = scr4();
    BringToFront(format);
    EXPECT_EQ(Focused(format), &format.decimalOption);
    Key(Qt::Key_Return); // "Go To Output Screen"
  }
  ASSERT_TRUE(IsLoaded<Scr5>());
  Scr5 &out = scr5();
  BringToFront(out);

  // Tab goes first to the screen's own choices, reaches "Write to Printer" before any exit,
  // and a grid that takes the focus shows it on a cell in view.
  std::vector<const Control *> visited;
  for (int i = 0; i < 20 && Focused(out) != &out.cmdWriteToPrinter; ++i) {
    Key(Qt::Key_Tab);
    const Control *now = Focused(out);
    ASSERT_NE(now, nullptr);
    visited.push_back(now);
    // An output that waits for its option: the first one, chosen by key.
    if (now == &out.Combo1 && out.Combo1.ListIndex() < 0) {
      if (!road.secondOption) {
        Key(Qt::Key_Down);
      } else {
        Key(Qt::Key_Down, Qt::AltModifier);
        Key(Qt::Key_Down);
        Key(Qt::Key_Return);
      }
      EXPECT_EQ(out.Combo1.ListIndex(), road.secondOption ? 1 : 0);
    }
    // The list of all shortest routes is asked for by key as well.
    if (now == &out.Label2) {
      Key(Qt::Key_Space);
      EXPECT_EQ(g.ToNode, -99);
    }
    // Output shown step by step is printed once all its steps are shown.
    if (now == &out.cmdFinalIter && out.cmdFinalIter.Enabled() && !out.cmdWriteToPrinter.Enabled())
      Key(Qt::Key_Space);
    EXPECT_NE(now, &out.cmdExitQuon);
    EXPECT_NE(now, &out.cmdMainMenu);
    EXPECT_NE(now, &out.cmdModifyInputData);
    if (auto *grid = dynamic_cast<const Grid *>(now)) {
      EXPECT_GE(grid->Row(), grid->TopRow() < grid->FixedRows ? 0 : std::min(grid->FixedRows, grid->TopRow()));
      EXPECT_TRUE(grid->Row() < grid->FixedRows || grid->Row() >= grid->TopRow());
      EXPECT_TRUE(grid->Col() < grid->FixedCols || grid->Col() >= grid->LeftCol());
      EXPECT_LE(grid->ColX(grid->Col()) + grid->ColWidthOf(grid->Col()), grid->ViewWidth() + 15);
    }
  }
  if (out.Frame7.Visible()) {
    EXPECT_NE(std::find(visited.begin(), visited.end(), &out.Label2), visited.end());
  }
  std::string names;
  for (const Control *c : visited)
    names += c->Name() + " ";
  ASSERT_EQ(Focused(out), &out.cmdWriteToPrinter) << names;
  Key(Qt::Key_Space);
  EXPECT_GE(paper.DocumentsEnded(), 1);

  // On to the exits, the way back to the input first.
  names.clear();
  for (int i = 0; i < 20 && Focused(out) != &out.cmdModifyInputData; ++i) {
    Key(Qt::Key_Tab);
    names += (Focused(out) ? Focused(out)->Name() : "-") + " ";
  }
  ASSERT_EQ(Focused(out), &out.cmdModifyInputData) << names;
  Key(Qt::Key_Space);
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(ended, 0);
  SetPrinterForTesting(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, KeyboardWalk,
    ::testing::Values(
        KeyRoad{"Inverse", 1, 0, {"Linear Equations", "Matri&x Inversion"}, "2", "", {{"2", "1"}, {"1", "1"}},
                {"&Solve Problem"}},
        KeyRoad{"Equations", 2, 0, {"Linear Equations", "&Linear Equations Solution"}, "2", "",
                {{"1", "1", "3"}, {"1", "-1", "1"}}, {"&Solve Problem"}},
        KeyRoad{"LinearProgram", 3, 0, {"&Linear Programming"}, "2", "2",
                {{"", "", "", ""}, {"3", "5", "", ""}, {"1", "0", "<=", "4"}, {"3", "2", "<=", "18"}},
                {"Solve Problem", "Algebraic", "&Final solution"}},
        KeyRoad{"Transportation", 4, 0, {"&Transportation model"}, "2", "2",
                {{"", "", "", ""}, {"S1", "4", "6", "10"}, {"S2", "5", "3", "10"}, {"", "8", "12", ""}},
                {"Solve Problem", "&Final solution"}, false},
        KeyRoad{"IntegerProgram", 5, 0, {"&Integer programming"}, "2", "2",
                {{"", "", "", ""}, {"3", "5", "", ""}, {"1", "0", "<=", "4"}, {"3", "2", "<=", "18"}},
                {"Solve Problem"}},
        KeyRoad{"Queue", 6, 0, {"&Queuing analysis"}, "1", "", {{"2", "3", "1", "infinity", "infinity"}},
                {"&Solve Problem"}},
        KeyRoad{"SpanningTree", 7, 1, {"Network models", "&Minimal Spanning Tree"}, "3", "",
                {{"", "", "", ""}, {"", "", "4", "6"}, {"", "4", "", "5"}, {"", "6", "5", ""}}, {"&Solve Problem"}},
        KeyRoad{"ShortestRoutes", 7, 0, {"Network models", "Shortest Route "}, "3", "",
                {{"", "", "", ""}, {"", "", "4", "6"}, {"", "4", "", "5"}, {"", "6", "5", ""}},
                {"Solve Problem", "&Shortest routes"}},
        KeyRoad{"Project", 8, 1, {"Project Planning", "&CPM - Critical Path Method "}, "", "",
                {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "4"}}, {"Solve Problem"}, true, true},
        KeyRoad{"Game", 9, 0, {"&Zero-Sum Games"}, "2", "2", {{"3", "-1"}, {"-2", "4"}},
                {"Solve Problem", "&LP-based"}}),
    [](const ::testing::TestParamInfo<KeyRoad> &info) { return std::string(info.param.name); });

} // namespace
} // namespace quon::testing
