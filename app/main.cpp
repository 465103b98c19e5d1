// QUON: starts the Qt application. The start-up screen is shown from here once it exists.
#include "platform/ui/printer.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  quon::InstallSystemPrinter();
  return 0;
}
