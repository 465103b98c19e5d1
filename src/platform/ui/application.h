// The program's Qt application object. Every event it delivers runs inside a HandlerScope, so
// a screen that a handler unloads stays in memory until the outermost event has been handled,
// whatever event loops (modal dialogs, message boxes, popups) run inside it meanwhile.
#pragma once

#include <QApplication>

namespace quon {

class Application : public QApplication {
public:
  Application(int &argc, char **argv);
  bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace quon
