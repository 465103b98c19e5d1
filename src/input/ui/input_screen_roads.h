// The roads by which the shell's screens reach the input screen.
#pragma once

namespace quon {

void RegisterInputScreen();

} // namespace quon
