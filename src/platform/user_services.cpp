#include "platform/user_services.h"

#include <utility>

namespace quon {

namespace msg {
std::vector<int> AnswersOf(int style) {
  switch (Buttons(style)) {
  case OKCancel:
    return {OK, Cancel};
  case AbortRetryIgnore:
    return {Abort, Retry, Ignore};
  case YesNoCancel:
    return {Yes, No, Cancel};
  case YesNo:
    return {Yes, No};
  case RetryCancel:
    return {Retry, Cancel};
  default:
    return {OK};
  }
}

int EscapeAnswer(int style) {
  switch (Buttons(style)) {
  case OKCancel:
  case YesNoCancel:
  case RetryCancel:
    return Cancel;
  case YesNo:
    return No;
  case AbortRetryIgnore:
    return Abort;
  default:
    return OK;
  }
}
} // namespace msg

namespace {

// Without a desktop nobody can answer: every wait is a fault, the clipboard stays in memory.
class HeadlessServices : public UserServices {
public:
  int MsgBox(const std::string &prompt, int, const std::string &title) override {
    throw UnscriptedWait("message box with nobody to answer it: " + title + ": " + prompt);
  }
  void Beep() override {}
  std::optional<std::string> OpenFileDialog(const FileDialogRequest &r) override {
    throw UnscriptedWait("Open dialog with nobody to answer it: " + r.title);
  }
  std::optional<std::string> SaveFileDialog(const FileDialogRequest &r) override {
    throw UnscriptedWait("Save As dialog with nobody to answer it: " + r.title);
  }
  void SetClipboardText(const std::string &text) override { clipboard_ = text; }
  std::string ClipboardText() override { return clipboard_; }
  MenuItem *ChoosePopup(MenuItem &menu, const PopupPlace &) override {
    throw UnscriptedWait("popup menu with nobody to answer it:\n" + ScriptedServices::Listing(menu));
  }

private:
  std::string clipboard_;
};

HeadlessServices headless;
UserServices *installed = nullptr;

std::string KindName(ShownRecord::Kind k) {
  switch (k) {
  case ShownRecord::Kind::MsgBox:
    return "message box";
  case ShownRecord::Kind::Beep:
    return "beep";
  case ShownRecord::Kind::OpenDialog:
    return "Open dialog";
  case ShownRecord::Kind::SaveDialog:
    return "Save As dialog";
  case ShownRecord::Kind::Popup:
    return "popup menu";
  }
  return "wait";
}

bool SameCaption(const std::string &shown, const std::string &wanted) {
  return shown == wanted || MenuItem::ShownText(shown) == MenuItem::ShownText(wanted) ||
         MenuItem::ShownText(shown) == wanted;
}

void ListInto(const MenuItem &menu, int level, std::string &out) {
  for (const MenuItem *item : menu.Items()) {
    if (!item->Visible()) continue;
    out += std::string(static_cast<std::size_t>(level) * 2, ' ');
    out += item->IsSeparator() ? std::string("-") : MenuItem::ShownText(item->Caption());
    if (!item->IsSeparator() && !item->Enabled()) out += " (disabled)";
    out += '\n';
    if (!item->Items().empty()) ListInto(*item, level + 1, out);
  }
}

} // namespace

UserServices &Services() {
  return installed ? *installed : headless;
}

UserServices *InstallUserServices(UserServices *s) {
  UserServices *old = installed;
  installed = s;
  return old;
}

int MsgBox(const std::string &prompt, int style, const std::string &title) {
  return Services().MsgBox(prompt, style, title);
}
void Beep() {
  Services().Beep();
}
std::optional<std::string> OpenFileDialog(const FileDialogRequest &request) {
  return Services().OpenFileDialog(request);
}
std::string DefaultExtension(const std::string &filter) {
  const std::size_t bar = filter.find('|');
  if (bar == std::string::npos) return {};
  std::string pattern = filter.substr(bar + 1);
  pattern = pattern.substr(0, pattern.find_first_of("|; "));
  if (pattern.rfind("*.", 0) != 0) return {};
  std::string ext = pattern.substr(2);
  if (ext.empty() || ext.find_first_of("*?.") != std::string::npos) return {};
  return ext;
}

std::optional<std::string> SaveFileDialog(const FileDialogRequest &request) {
  std::optional<std::string> name = Services().SaveFileDialog(request);
  if (!name || name->empty()) return name;
  const std::string ext = DefaultExtension(request.filter);
  const std::size_t slash = name->find_last_of('/');
  const std::string base = slash == std::string::npos ? *name : name->substr(slash + 1);
  if (!ext.empty() && !base.empty() && base.find('.') == std::string::npos) *name += "." + ext;
  return name;
}
void SetClipboardText(const std::string &text) {
  Services().SetClipboardText(text);
}
std::string ClipboardText() {
  return Services().ClipboardText();
}

ScriptedServices::ScriptedServices() {
  previous_ = InstallUserServices(this);
}

ScriptedServices::~ScriptedServices() {
  if (installed == this) InstallUserServices(previous_);
}

ScriptedServices &ScriptedServices::AnswerMsgBox(int answer, std::optional<std::string> expectPrompt) {
  steps_.push_back({ShownRecord::Kind::MsgBox, answer, std::move(expectPrompt), {}});
  return *this;
}
ScriptedServices &ScriptedServices::AnswerOpen(std::optional<std::string> path) {
  steps_.push_back({ShownRecord::Kind::OpenDialog, 0, std::move(path), {}});
  return *this;
}
ScriptedServices &ScriptedServices::AnswerSave(std::optional<std::string> path) {
  steps_.push_back({ShownRecord::Kind::SaveDialog, 0, std::move(path), {}});
  return *this;
}
ScriptedServices &ScriptedServices::ChoosePopup(std::vector<std::string> captionPath) {
  steps_.push_back({ShownRecord::Kind::Popup, 0, std::nullopt, std::move(captionPath)});
  return *this;
}

std::vector<ShownRecord> ScriptedServices::MessageBoxes() const {
  std::vector<ShownRecord> out;
  for (const auto &r : shown_)
    if (r.kind == ShownRecord::Kind::MsgBox) out.push_back(r);
  return out;
}

int ScriptedServices::Beeps() const {
  int n = 0;
  for (const auto &r : shown_)
    n += r.kind == ShownRecord::Kind::Beep;
  return n;
}

void ScriptedServices::Fault(const std::string &what) {
  if (fault_) {
    fault_(what);
    return;
  }
  throw UnscriptedWait(what);
}

bool ScriptedServices::Next(ShownRecord::Kind kind, const std::string &what, Step &out) {
  if (steps_.empty()) {
    Fault("unscripted " + KindName(kind) + ": " + what);
    return false;
  }
  if (steps_.front().kind != kind) {
    Fault("the script expects a " + KindName(steps_.front().kind) + " but a " + KindName(kind) +
          " was shown: " + what);
    return false;
  }
  out = std::move(steps_.front());
  steps_.pop_front();
  return true;
}

int ScriptedServices::MsgBox(const std::string &prompt, int style, const std::string &title) {
  shown_.push_back({ShownRecord::Kind::MsgBox, prompt, title, style, 0, {}, {}});
  std::size_t at = shown_.size() - 1;
  if (waitLoop_) waitLoop_();
  Step step;
  int answer = msg::EscapeAnswer(style);
  if (Next(ShownRecord::Kind::MsgBox, title + ": " + prompt, step)) {
    if (step.text && *step.text != prompt)
      Fault("message box \"" + prompt + "\" where the script expects \"" + *step.text + "\"");
    auto offered = msg::AnswersOf(style);
    bool ok = false;
    for (int a : offered)
      ok = ok || a == step.answer;
    if (ok)
      answer = step.answer;
    else
      Fault("the script answers " + std::to_string(step.answer) + " to a box without that button: " + prompt);
  }
  shown_[at].answer = answer;
  return answer;
}

void ScriptedServices::Beep() {
  shown_.push_back({ShownRecord::Kind::Beep, "", "", 0, 0, {}, {}});
}

std::optional<std::string> ScriptedServices::OpenFileDialog(const FileDialogRequest &request) {
  shown_.push_back({ShownRecord::Kind::OpenDialog, request.fileName, request.title, 0, 0, {}, request.initialDir});
  if (waitLoop_) waitLoop_();
  Step step;
  if (!Next(ShownRecord::Kind::OpenDialog, request.title, step)) return std::nullopt;
  return step.text;
}

std::optional<std::string> ScriptedServices::SaveFileDialog(const FileDialogRequest &request) {
  shown_.push_back({ShownRecord::Kind::SaveDialog,
                    request.fileName,
                    request.title,
                    request.overwritePrompt ? 1 : 0,
                    0,
                    {},
                    request.initialDir});
  if (waitLoop_) waitLoop_();
  Step step;
  if (!Next(ShownRecord::Kind::SaveDialog, request.title, step)) return std::nullopt;
  return step.text;
}

std::string ScriptedServices::Listing(const MenuItem &menu) {
  std::string out;
  ListInto(menu, 0, out);
  return out;
}

MenuItem *ScriptedServices::ChoosePopup(MenuItem &menu, const PopupPlace &place) {
  std::string listing = Listing(menu);
  shown_.push_back({ShownRecord::Kind::Popup, listing, "", 0, 0, place, {}});
  if (waitLoop_) waitLoop_();
  Step step;
  if (!Next(ShownRecord::Kind::Popup, listing, step) || step.path.empty()) return nullptr;
  MenuItem *at = &menu;
  for (const std::string &caption : step.path) {
    MenuItem *found = nullptr;
    for (MenuItem *item : at->Items())
      if (item->Visible() && !item->IsSeparator() && SameCaption(item->Caption(), caption)) {
        found = item;
        break;
      }
    if (!found) {
      Fault("the popup has no visible item \"" + caption + "\":\n" + listing);
      return nullptr;
    }
    if (!found->Enabled()) {
      Fault("the popup item \"" + caption + "\" is disabled");
      return nullptr;
    }
    at = found;
  }
  if (!at->Items().empty()) {
    Fault("the scripted popup choice ends at a submenu: " + at->Caption());
    return nullptr;
  }
  return at;
}

} // namespace quon
