#include "platform/colors.h"

#include <array>

#include "platform/bounded_array.h"

namespace quon {

Rgb QBColor(int index) {
  static constexpr std::array<Rgb, 16> kTable = {
      RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
      RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
      RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
  if (index < 0 || index > 15) throw IndexFault("colour " + std::to_string(index) + " outside 0 To 15");
  return kTable[static_cast<std::size_t>(index)];
}

} // namespace quon
