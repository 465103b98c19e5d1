#include "platform/surface_core.h"

#include <algorithm>
#include <cmath>

namespace quon {

namespace {

// Advance widths per 1000 units of the em, characters 32 to 126, of the regular and the bold
// face of a sans font metric-compatible with "arial".
constexpr short kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
constexpr short kBold[95] = {278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
                             556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
                             975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
                             667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
                             333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
                             611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
// Line height of the font per unit of the em (ascent, descent and leading).
constexpr double kLineSpacing = 1.15;
constexpr double kTwipsPerPoint = 20;

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace

TextExtent TableTextExtent(const FontSpec &font, const std::string &text) {
  const short *table = font.bold ? kBold : kRegular;
  double units = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80 && (c & 0xC0) == 0x80) continue; // UTF-8 continuation: counted with its lead
    units += (c >= 32 && c <= 126) ? table[c - 32] : 556;
  }
  const double em = font.size * kTwipsPerPoint;
  return {units * em / 1000.0, kLineSpacing * em};
}

SurfaceCore::SurfaceCore(double widthTwips, double heightTwips)
    : widthTwips_(widthTwips), heightTwips_(heightTwips) {}

void SurfaceCore::SetAreaTwips(double width, double height) {
  widthTwips_ = width;
  heightTwips_ = height;
}

// User units per twip; an area not laid out yet counts as one twip so nothing divides by 0.
double SurfaceCore::UnitsPerTwipX() const {
  return userScale_ ? scaleWidth_ / (widthTwips_ > 0 ? widthTwips_ : 1) : 1;
}
double SurfaceCore::UnitsPerTwipY() const {
  return userScale_ ? scaleHeight_ / (heightTwips_ > 0 ? heightTwips_ : 1) : 1;
}
double SurfaceCore::ToTwipsX(double x) const {
  return (x - (userScale_ ? scaleLeft_ : 0)) / UnitsPerTwipX();
}
double SurfaceCore::ToTwipsY(double y) const {
  return (y - (userScale_ ? scaleTop_ : 0)) / UnitsPerTwipY();
}

double SurfaceCore::CurrentX() const {
  return (userScale_ ? scaleLeft_ : 0) + x_ * UnitsPerTwipX();
}
double SurfaceCore::CurrentY() const {
  return (userScale_ ? scaleTop_ : 0) + y_ * UnitsPerTwipY();
}
void SurfaceCore::SetCurrentX(double x) {
  if (std::isfinite(x)) x_ = ToTwipsX(x);
}
void SurfaceCore::SetCurrentY(double y) {
  if (std::isfinite(y)) y_ = ToTwipsY(y);
}

void SurfaceCore::SetFontSize(double points) {
  if (std::isfinite(points) && points > 0) font_.size = points;
}

void SurfaceCore::ScaleSet(double left, double top, double width, double height) {
  // A scale without extent would put every point at infinity: keep the previous one.
  if (!Finite(left, top, width, height) || width == 0 || height == 0) return;
  userScale_ = true;
  scaleLeft_ = left;
  scaleTop_ = top;
  scaleWidth_ = width;
  scaleHeight_ = height;
}

void SurfaceCore::ScaleReset() {
  userScale_ = false;
}

DrawOp SurfaceCore::MakeOp(DrawKind kind, Rgb color) const {
  DrawOp op;
  op.kind = kind;
  op.font = font_;
  op.color = color;
  op.width = drawWidth_;
  return op;
}

double SurfaceCore::FlowShift(double top) {
  if (flowBreak_ <= 0 || userScale_ || inHeading_) return 0;
  if (top - flowShift_ <= flowBreak_) return flowShift_;
  const double x = x_, y = y_;
  const FontSpec font = font_;
  const Rgb color = color_;
  const int width = drawWidth_;
  Emit(MakeOp(DrawKind::NewPage, color_));
  flowShift_ = 0;
  double next = flowContinue_;
  if (heading_) {
    inHeading_ = true;
    x_ = 0;
    y_ = flowContinue_;
    try {
      next = heading_(*this);
    } catch (...) {
      inHeading_ = false;
      throw;
    }
    inHeading_ = false;
  }
  x_ = x;
  y_ = y;
  font_ = font;
  color_ = color;
  drawWidth_ = width;
  flowShift_ = top - next;
  return flowShift_;
}

void SurfaceCore::EndFlowPage() { flowShift_ = 0; }

void SurfaceCore::SetPageFlow(double breakY, double continueY) {
  flowBreak_ = std::isfinite(breakY) ? breakY : 0;
  flowContinue_ = std::isfinite(continueY) ? continueY : 0;
  flowShift_ = 0;
  if (flowBreak_ <= 0) heading_ = nullptr;
}

void SurfaceCore::Print(const std::string &text, bool newline) {
  const TextExtent extent = Measure(font_, text);
  if (!text.empty()) {
    DrawOp op = MakeOp(DrawKind::Text, color_);
    const double shift = FlowShift(y_);
    op.x1 = x_;
    op.y1 = y_ - shift;
    op.x2 = x_ + extent.width;
    op.y2 = y_ - shift + extent.height;
    op.text = text;
    Emit(op);
  }
  if (newline) {
    x_ = 0;
    y_ += extent.height;
  } else {
    x_ += extent.width;
  }
}

void SurfaceCore::EmitShape(DrawKind kind, double x1, double y1, double x2, double y2, Rgb color) {
  if (!Finite(x1, y1, x2, y2)) return;
  DrawOp op = MakeOp(kind, color);
  op.x1 = ToTwipsX(x1);
  op.y1 = ToTwipsY(y1);
  op.x2 = ToTwipsX(x2);
  op.y2 = ToTwipsY(y2);
  const double shift = FlowShift(std::min(op.y1, op.y2));
  x_ = op.x2;
  y_ = op.y2;
  op.y1 -= shift;
  op.y2 -= shift;
  Emit(op);
}

void SurfaceCore::Line(double x1, double y1, double x2, double y2, Rgb color) {
  EmitShape(DrawKind::Line, x1, y1, x2, y2, color);
}
void SurfaceCore::Box(double x1, double y1, double x2, double y2, Rgb color) {
  EmitShape(DrawKind::Box, x1, y1, x2, y2, color);
}
void SurfaceCore::FilledBox(double x1, double y1, double x2, double y2, Rgb color) {
  EmitShape(DrawKind::FilledBox, x1, y1, x2, y2, color);
}
void SurfaceCore::Point(double x, double y, Rgb color) {
  EmitShape(DrawKind::Point, x, y, x, y, color);
}

void SurfaceCore::Clear() {
  Emit(MakeOp(DrawKind::Clear, color_));
  x_ = 0;
  y_ = 0;
}

double SurfaceCore::TextWidth(const std::string &text) const {
  return Measure(font_, text).width * UnitsPerTwipX();
}
double SurfaceCore::TextHeight(const std::string &text) const {
  return Measure(font_, text).height * UnitsPerTwipY();
}

void SurfaceCore::NewPage() {
  EndFlowPage();
  Emit(MakeOp(DrawKind::NewPage, color_));
  x_ = 0;
  y_ = 0;
}

bool SurfaceCore::EndDoc() {
  lastError_.clear();
  EndFlowPage();
  heading_ = nullptr;
  Emit(MakeOp(DrawKind::EndDoc, color_));
  x_ = 0;
  y_ = 0;
  return FinishDocument();
}

void SurfaceCore::AbortDoc() {
  EndFlowPage();
  heading_ = nullptr;
  x_ = 0;
  y_ = 0;
  DropDocument();
}

} // namespace quon
