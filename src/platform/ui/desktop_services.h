// The real user services: Qt message boxes and file dialogs, the system clipboard, popup
// menus. main() calls InstallDesktopServices() once the application object exists; it also
// picks the logical screen from the desktop's size.
#pragma once

#include <memory>

#include "platform/user_services.h"

class QFileDialog;
class QMessageBox;

namespace quon {

void InstallDesktopServices();
// The logical screen for the primary screen's size (see platform/screen.h).
void ChooseLogicalScreenFromDesktop();

// The dialog OpenFileDialog shows: existing files only. Both dialogs name and draw their
// entries by name alone, never reading a file to tell its type.
std::unique_ptr<QFileDialog> MakeOpenFileDialog(const FileDialogRequest &r);

// The dialog SaveFileDialog shows: a typed name is taken as it stands, and one holding a double
// quote, which the dialog would read as a list of names, is refused while the dialog stays open.
std::unique_ptr<QFileDialog> MakeSaveFileDialog(const FileDialogRequest &r);
// Makes a message box wide enough to show its title whole.
void WidenToTitle(QMessageBox &box);

} // namespace quon
