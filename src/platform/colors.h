// Colours. Literals of the program are written in blue-green-red order (&HFF0000 is blue);
// FromBgr turns them into 0xRRGGBB. QBColor gives the 16-colour table.
#pragma once

#include "platform/surface.h"

namespace quon {

constexpr Rgb RGB(int r, int g, int b) {
  return (static_cast<Rgb>(r & 0xFF) << 16) | (static_cast<Rgb>(g & 0xFF) << 8) | static_cast<Rgb>(b & 0xFF);
}
constexpr Rgb FromBgr(std::uint32_t bgr) {
  return RGB(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
Rgb QBColor(int index);

inline constexpr Rgb kBlue = RGB(0, 0, 255);
inline constexpr Rgb kRed = RGB(255, 0, 0);
inline constexpr Rgb kGreen = RGB(0, 255, 0);
inline constexpr Rgb kCyan = RGB(0, 255, 255);
inline constexpr Rgb kYellow = RGB(255, 255, 0);
inline constexpr Rgb kMagenta = RGB(255, 0, 255);
inline constexpr Rgb kWhite = RGB(255, 255, 255);
inline constexpr Rgb kBlack = RGB(0, 0, 0);
inline constexpr Rgb kGrey = RGB(128, 128, 128);

} // namespace quon
