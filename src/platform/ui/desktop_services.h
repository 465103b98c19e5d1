// The real user services: Qt message boxes and file dialogs, the system clipboard, popup
// menus. main() calls InstallDesktopServices() once the application object exists; it also
// picks the logical screen from the desktop's size.
#pragma once

#include "platform/user_services.h"

namespace quon {

void InstallDesktopServices();
// The logical screen for the primary screen's size (see platform/screen.h).
void ChooseLogicalScreenFromDesktop();

} // namespace quon
