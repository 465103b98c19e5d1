// The logical screen: every form is laid out on it, in twips at 15 twips per pixel.
// The desktop back end picks it once at start-up (LogicalScreenFor the desktop's pixel size);
// tests set it directly with SetLogicalScreen.
#pragma once

namespace quon {

inline constexpr int kTwipsPerPixel = 15;

struct ScreenSize {
  int widthTwips = 0;
  int heightTwips = 0;
};

// 1024 x 768 pixels when the desktop has room for it, 800 x 600 when only that fits, otherwise
// the desktop's own size.
ScreenSize LogicalScreenFor(int desktopWidthPixels, int desktopHeightPixels);

void SetLogicalScreen(int widthTwips, int heightTwips);
int ScreenWidth();  // twips
int ScreenHeight(); // twips

inline int ToPixels(double twips) {
  double p = twips / kTwipsPerPixel;
  return static_cast<int>(p < 0 ? p - 0.5 : p + 0.5);
}
inline int ToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

} // namespace quon
