// Everything that waits for the user or reaches outside the program: message boxes, the beep,
// the Open and Save As dialogs, the clipboard and the choice in a popup menu.
//
// Use: engine code and screens call the free functions (MsgBox, Beep, OpenFileDialog, ...).
// They go to the services installed with InstallUserServices: the desktop installs the Qt
// dialogs (platform/ui/desktop_services.h); a test installs a ScriptedServices, which answers
// each wait from its script in order, records everything shown, and fails at once on a wait
// the script does not expect:
//   ScriptedServices script;            // installs itself, restores the previous on destruction
//   script.AnswerMsgBox(msg::Yes);
//   script.ChoosePopup({"Solve Problem", "&Final solution"});
//   ... drive the screen ...
//   EXPECT_TRUE(script.Done());         // every scripted answer was used
//   script.Shown()[0].text, .title, .style
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/menu.h"

namespace quon {

// Message-box styles and answers, with the platform's codes: a style is one button set plus
// one icon (plus a default-button flag), e.g. msg::YesNoCancel | msg::Question.
namespace msg {
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
                     RetryCancel = 5;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int DefaultButton2 = 256, DefaultButton3 = 512;
inline constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;

inline int Buttons(int style) {
  return style & 7;
}
inline int Icon(int style) {
  return style & 0x70;
}
// The answers a style offers, in the order of its buttons.
std::vector<int> AnswersOf(int style);
// What pressing Esc or closing the box answers: Cancel where there is one, else OK or No.
int EscapeAnswer(int style);
} // namespace msg

struct FileDialogRequest {
  std::string title;
  std::string filter = "Text|*.txt"; // description|pattern pairs
  std::string fileName;              // proposed name
  std::string initialDir;            // empty: the user's documents folder
  bool overwritePrompt = true; // Save As asks before replacing a file
};

// Where a popup menu opens: twips in the client area of the active form.
struct PopupPlace {
  double x = 0;
  double y = 0;
  bool centreX = false; // centred horizontally on x instead of starting there
};

class UserServices {
public:
  virtual ~UserServices() = default;
  virtual int MsgBox(const std::string &prompt, int style, const std::string &title) = 0;
  virtual void Beep() = 0;
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest &request) = 0;
  virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest &request) = 0;
  virtual void SetClipboardText(const std::string &text) = 0;
  virtual std::string ClipboardText() = 0;
  // Shows the visible items below `menu` and waits; returns the chosen leaf or nullptr when the
  // menu was dismissed. The caller runs the chosen item's click handler.
  virtual MenuItem *ChoosePopup(MenuItem &menu, const PopupPlace &place) = 0;
};

// The installed services; before anything is installed, a headless set that keeps the
// clipboard in memory and treats every wait as unscripted.
UserServices &Services();
// Installs `s` (not owned); nullptr goes back to the headless set. Returns the previous one.
UserServices *InstallUserServices(UserServices *s);

int MsgBox(const std::string &prompt, int style = msg::OKOnly, const std::string &title = "QUON");
void Beep();
std::optional<std::string> OpenFileDialog(const FileDialogRequest &request);
// The chosen name gets the extension of the filter's first pattern when it has none, as
// desktop save dialogs add it, so the file shows again under the same filter.
std::optional<std::string> SaveFileDialog(const FileDialogRequest &request);
// The extension of a filter's first pattern without its dot ("Text|*.txt" gives "txt"), empty
// when that pattern names no single extension ("*.*").
std::string DefaultExtension(const std::string &filter);
void SetClipboardText(const std::string &text);
std::string ClipboardText();

// A wait that nobody answers.
class UnscriptedWait : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

// What a script saw, in order.
struct ShownRecord {
  enum class Kind { MsgBox, Beep, OpenDialog, SaveDialog, Popup };
  Kind kind = Kind::MsgBox;
  std::string text;  // prompt; dialog file name; popup: the visible items, one a line
  std::string title; // message-box or dialog title
  int style = 0;     // message-box style; dialogs: 1 when overwrite prompt
  int answer = 0;    // message box: the answer given
  PopupPlace place;  // popup: where it opened
  std::string folder; // dialogs: the folder it opened in (empty: the documents folder)
};

class ScriptedServices : public UserServices {
public:
  // Installs itself; the destructor puts back what was installed before.
  ScriptedServices();
  ~ScriptedServices() override;
  ScriptedServices(const ScriptedServices &) = delete;
  ScriptedServices &operator=(const ScriptedServices &) = delete;

  // Script, consumed in order. The optional expected text must equal the prompt shown.
  ScriptedServices &AnswerMsgBox(int answer, std::optional<std::string> expectPrompt = std::nullopt);
  ScriptedServices &AnswerOpen(std::optional<std::string> path); // nullopt: Cancel
  ScriptedServices &AnswerSave(std::optional<std::string> path);
  // Chooses by captions from the top of the popup down to the leaf ("&" marks may be left
  // out); an empty path dismisses the menu.
  ScriptedServices &ChoosePopup(std::vector<std::string> captionPath);
  ScriptedServices &DismissPopup() { return ChoosePopup({}); }

  // What happens on a wait the script does not expect, or one of another kind: by default an
  // UnscriptedWait is thrown; a test framework may record a failure and return instead, in
  // which case the wait answers Cancel (or the escape answer, or a dismissed menu).
  void SetFaultHandler(std::function<void(const std::string &)> handler) { fault_ = std::move(handler); }
  // Runs at each wait (but the beep) before it is answered: a modal dialog or a popup runs an
  // event loop of its own while it waits, and a screen test may run one here as well.
  void SetWaitLoop(std::function<void()> loop) { waitLoop_ = std::move(loop); }

  const std::vector<ShownRecord> &Shown() const { return shown_; }
  std::vector<ShownRecord> MessageBoxes() const;
  int Beeps() const;
  bool Done() const { return steps_.empty(); }
  std::size_t Pending() const { return steps_.size(); }
  void ClearRecord() { shown_.clear(); }

  int MsgBox(const std::string &prompt, int style, const std::string &title) override;
  void Beep() override;
  std::optional<std::string> OpenFileDialog(const FileDialogRequest &request) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest &request) override;
  void SetClipboardText(const std::string &text) override { clipboard_ = text; }
  std::string ClipboardText() override { return clipboard_; }
  MenuItem *ChoosePopup(MenuItem &menu, const PopupPlace &place) override;

  // The popup's visible items as recorded: one line per item, indented by level, with
  // "(disabled)" after a disabled item and "-" for a separator.
  static std::string Listing(const MenuItem &menu);

private:
  struct Step {
    ShownRecord::Kind kind;
    int answer = 0;
    std::optional<std::string> text;
    std::vector<std::string> path;
  };
  bool Next(ShownRecord::Kind kind, const std::string &what, Step &out);
  void Fault(const std::string &what);

  std::deque<Step> steps_;
  std::vector<ShownRecord> shown_;
  std::string clipboard_;
  std::function<void(const std::string &)> fault_;
  std::function<void()> waitLoop_;
  UserServices *previous_ = nullptr;
};

} // namespace quon
