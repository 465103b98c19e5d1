#include "shell/mod1.h"

namespace quon {

Mod1 g;

} // namespace quon
