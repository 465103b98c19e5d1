#include "platform/ui/retained_surface.h"

#include "platform/ui/qt_drawing.h"

namespace quon {

RetainedSurface::RetainedSurface() : SurfaceCore(0, 0) {}

void RetainedSurface::SetAreaPixels(QSize pixelSize) {
  SetAreaTwips(PixelsToTwips(pixelSize.width()), PixelsToTwips(pixelSize.height()));
}

void RetainedSurface::Emit(const DrawOp &op) {
  switch (op.kind) {
  case DrawKind::Clear:
    ops_.clear();
    break;
  case DrawKind::NewPage:
  case DrawKind::EndDoc:
    return; // a screen has no pages
  default:
    ops_.push_back(op);
    break;
  }
  if (invalidate_) invalidate_();
}

TextExtent RetainedSurface::Measure(const FontSpec &font, const std::string &text) const {
  return QtTextExtent(font, text);
}

void RetainedSurface::Replay(QPainter &painter, QSize pixelSize) const {
  painter.save();
  painter.setClipRect(QRect(QPoint(0, 0), pixelSize));
  painter.scale(1 / kScreenTwipsPerPixel, 1 / kScreenTwipsPerPixel);
  PaintOps(painter, ops_, kScreenTwipsPerPixel, false);
  painter.restore();
}

} // namespace quon
