// QUON: starts the Qt application with the start-up screen, which leads to the MAIN menu.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ui/application.h"
#include "platform/ui/desktop_services.h"
#include "platform/ui/forms.h"
#include "platform/ui/printer.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr1.h"

namespace quon {
void SetApplicationInfo();
}

namespace {

// What Qt says while it looks for the display is held back: when it finds none it ends the
// program, and a user then gets one plain line instead of its abort.
std::string &HeldMessages() {
  static std::string held;
  return held;
}

void WhileStarting(QtMsgType type, const QMessageLogContext &, const QString &message) {
  if (type == QtFatalMsg) {
    std::fputs("QUON needs a graphical display\n", stderr);
    std::_Exit(1);
  }
  HeldMessages() += message.toStdString() + "\n";
}

bool DisplayNamed() {
  const char *platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true; // the user chose the platform; Qt reports on it
  for (const char *v : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (const char *d = std::getenv(v); d && *d) return true;
  return false;
}

} // namespace

int main(int argc, char **argv) {
  if (!DisplayNamed()) {
    std::fputs("QUON needs a graphical display\n", stderr);
    return 1;
  }
  qInstallMessageHandler(WhileStarting);
  quon::Application app(argc, argv);
  qInstallMessageHandler(nullptr);
  if (!HeldMessages().empty()) std::fputs(HeldMessages().c_str(), stderr);
  quon::SetApplicationInfo();
  quon::InstallSystemPrinter();
  quon::InstallDesktopServices();
  quon::RegisterAllModelRoads();
  quon::ChooseLogicalScreenFromDesktop();
  // The start-up screen's load may refuse the screen and end the program before it is shown.
  quon::Scr1 &start = quon::scr1();
  if (start.Loaded()) start.Show();
  return quon::Forms::Run();
}
