#include "platform/printer_access.h"

#include <stdexcept>

namespace quon {

namespace {
PageSurface *installed = nullptr;
PageSurface *substitute = nullptr;
} // namespace

PageSurface &Printer() {
  if (substitute != nullptr) return *substitute;
  if (installed != nullptr) return *installed;
  throw std::logic_error("no printer installed");
}

void InstallPrinter(PageSurface *printer) {
  installed = printer;
}
void SetPrinterForTesting(PageSurface *printer) {
  substitute = printer;
}

} // namespace quon
