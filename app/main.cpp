// QUON: starts the Qt application with the start-up screen, which leads to the MAIN menu.
#include <QApplication>

#include "platform/ui/desktop_services.h"
#include "platform/ui/forms.h"
#include "platform/ui/printer.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr1.h"

namespace quon {
void SetApplicationInfo();
}

int main(int argc, char **argv) {
  QApplication app(argc, argv);
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
