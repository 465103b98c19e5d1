// The drawing of a form or picture box: every operation is kept (in twips) and painted
// again on each repaint of the widget that owns the surface, so a drawing survives being
// covered, resized or repainted.
#pragma once

#include "platform/surface_core.h"

#include <QPainter>
#include <QSize>
#include <functional>
#include <vector>

namespace quon {

class RetainedSurface : public SurfaceCore {
public:
  RetainedSurface();

  // Paints the drawing; the owner calls it from its paint event after filling its background.
  void Replay(QPainter &painter, QSize pixelSize) const;
  // The owner sets the drawing area when it is laid out or resized.
  void SetAreaPixels(QSize pixelSize);
  // Called whenever the drawing changed, so the owner can schedule a repaint.
  void SetInvalidate(std::function<void()> invalidate) { invalidate_ = std::move(invalidate); }

  const std::vector<DrawOp> &Ops() const { return ops_; }

protected:
  void Emit(const DrawOp &op) override;
  TextExtent Measure(const FontSpec &font, const std::string &text) const override;

private:
  std::vector<DrawOp> ops_;
  std::function<void()> invalidate_;
};

} // namespace quon
