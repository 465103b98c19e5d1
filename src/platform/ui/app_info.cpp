#include <QCoreApplication>

namespace quon {

// Names the application for the window system and the documents folder.
void SetApplicationInfo() {
  QCoreApplication::setApplicationName("QUON");
  QCoreApplication::setOrganizationName("QUON");
}

} // namespace quon
