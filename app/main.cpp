// QUON: starts the Qt application. The start-up screen is shown from here once it exists.
#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  return 0;
}
