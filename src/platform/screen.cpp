#include "platform/screen.h"

namespace quon {

namespace {
ScreenSize current{15360, 11520};
}

ScreenSize LogicalScreenFor(int desktopWidthPixels, int desktopHeightPixels) {
  if (desktopWidthPixels >= 1024 && desktopHeightPixels >= 768)
    return {1024 * kTwipsPerPixel, 768 * kTwipsPerPixel};
  if (desktopWidthPixels >= 800 && desktopHeightPixels >= 600)
    return {800 * kTwipsPerPixel, 600 * kTwipsPerPixel};
  return {desktopWidthPixels * kTwipsPerPixel, desktopHeightPixels * kTwipsPerPixel};
}

void SetLogicalScreen(int widthTwips, int heightTwips) {
  current = {widthTwips, heightTwips};
}
int ScreenWidth() {
  return current.widthTwips;
}
int ScreenHeight() {
  return current.heightTwips;
}

} // namespace quon
