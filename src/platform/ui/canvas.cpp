#include "platform/ui/canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "platform/screen.h"
#include "platform/ui/qt_support.h"

namespace quon {

namespace {
QColor ToQ(Rgb c) {
  return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}
} // namespace

struct Canvas::State {
  QPointer<QWidget> target;
  double x = 0, y = 0; // current position, user units
  std::string fontName = "MS Sans Serif";
  double fontSize = 8.25;
  bool bold = false, underline = false;
  Rgb fore = 0;
  int drawWidth = 1;
  bool scaled = false;
  double left = 0, top = 0, width = 1, height = 1;
  std::vector<std::function<void(QPainter &)>> ops;

  QFont Font() const {
    QFont f = MakeFont(fontName, fontSize, bold);
    f.setUnderline(underline);
    return f;
  }
  double AreaW() const { return target ? PixelsToTwips(target->width()) : 0; }
  double AreaH() const { return target ? PixelsToTwips(target->height()) : 0; }
  // User units to twips and back.
  double Tx(double ux) const { return scaled && width != 0 ? (ux - left) * AreaW() / width : ux; }
  double Ty(double uy) const { return scaled && height != 0 ? (uy - top) * AreaH() / height : uy; }
  double Wx(double twips) const { return scaled && AreaW() != 0 ? twips * width / AreaW() : twips; }
  double Hy(double twips) const {
    return scaled && AreaH() != 0 ? twips * std::abs(height) / AreaH() : twips;
  }
  QPointF Px(double ux, double uy) const { return {Tx(ux) / kTwipsPerPixel, Ty(uy) / kTwipsPerPixel}; }
  void Add(std::function<void(QPainter &)> op) {
    ops.push_back(std::move(op));
    if (target) target->update();
  }
  QFontMetricsF Metrics() const { return target ? QFontMetricsF(Font(), target) : QFontMetricsF(Font()); }
};

Canvas::Canvas(QWidget *target) : s_(std::make_unique<State>()) {
  s_->target = target;
}
Canvas::~Canvas() = default;

void Canvas::Paint(QPainter &p) const {
  for (const auto &op : s_->ops) {
    p.save();
    op(p);
    p.restore();
  }
}
std::size_t Canvas::RecordedCount() const {
  return s_->ops.size();
}

double Canvas::CurrentX() const {
  return s_->x;
}
double Canvas::CurrentY() const {
  return s_->y;
}
void Canvas::SetCurrentX(double x) {
  s_->x = x;
}
void Canvas::SetCurrentY(double y) {
  s_->y = y;
}
void Canvas::SetFontName(const std::string &name) {
  s_->fontName = name;
}
std::string Canvas::FontName() const {
  return s_->fontName;
}
void Canvas::SetFontSize(double points) {
  s_->fontSize = points;
}
double Canvas::FontSize() const {
  return s_->fontSize;
}
void Canvas::SetFontBold(bool on) {
  s_->bold = on;
}
bool Canvas::FontBold() const {
  return s_->bold;
}
void Canvas::SetFontUnderline(bool on) {
  s_->underline = on;
}
bool Canvas::FontUnderline() const {
  return s_->underline;
}
void Canvas::SetForeColor(Rgb c) {
  s_->fore = c;
}
Rgb Canvas::ForeColor() const {
  return s_->fore;
}
void Canvas::SetDrawWidth(int pixels) {
  s_->drawWidth = pixels < 1 ? 1 : pixels;
}

void Canvas::Print(const std::string &text, bool newline) {
  QFont font = s_->Font();
  QPointF at = s_->Px(s_->x, s_->y);
  QColor color = ToQ(s_->fore);
  QString t = QString::fromStdString(text);
  s_->Add([font, at, color, t](QPainter &p) {
    p.setFont(font);
    p.setPen(color);
    QFontMetricsF m(font, p.device());
    p.drawText(QPointF(at.x(), at.y() + m.ascent()), t);
  });
  if (newline) {
    s_->x = s_->scaled ? s_->left : 0;
    s_->y += TextHeight(text);
  } else {
    s_->x += TextWidth(text);
  }
}

void Canvas::Line(double x1, double y1, double x2, double y2, Rgb color) {
  QPointF a = s_->Px(x1, y1), b = s_->Px(x2, y2);
  int w = s_->drawWidth;
  QColor c = ToQ(color);
  s_->Add([a, b, w, c](QPainter &p) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
  });
  s_->x = x2;
  s_->y = y2;
}

void Canvas::Box(double x1, double y1, double x2, double y2, Rgb color) {
  QRectF r = QRectF(s_->Px(x1, y1), s_->Px(x2, y2)).normalized();
  int w = s_->drawWidth;
  QColor c = ToQ(color);
  s_->Add([r, w, c](QPainter &p) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
  });
  s_->x = x2;
  s_->y = y2;
}

void Canvas::FilledBox(double x1, double y1, double x2, double y2, Rgb color) {
  QRectF r = QRectF(s_->Px(x1, y1), s_->Px(x2, y2)).normalized();
  QColor c = ToQ(color);
  s_->Add([r, c](QPainter &p) { p.fillRect(r, c); });
  s_->x = x2;
  s_->y = y2;
}

void Canvas::Point(double x, double y, Rgb color) {
  QPointF a = s_->Px(x, y);
  int w = s_->drawWidth;
  QColor c = ToQ(color);
  s_->Add([a, w, c](QPainter &p) {
    if (w <= 1) {
      p.setPen(c);
      p.drawPoint(a);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawEllipse(a, w / 2.0, w / 2.0);
    }
  });
  s_->x = x;
  s_->y = y;
}

void Canvas::Clear() {
  s_->ops.clear();
  s_->x = s_->scaled ? s_->left : 0;
  s_->y = s_->scaled ? s_->top : 0;
  if (s_->target) s_->target->update();
}

double Canvas::TextWidth(const std::string &text) const {
  double px = s_->Metrics().horizontalAdvance(QString::fromStdString(text));
  return s_->Wx(px * kTwipsPerPixel);
}

double Canvas::TextHeight(const std::string &) const {
  double px = s_->Metrics().height();
  return s_->Hy(px * kTwipsPerPixel);
}

void Canvas::ScaleSet(double left, double top, double width, double height) {
  s_->scaled = true;
  s_->left = left;
  s_->top = top;
  s_->width = width;
  s_->height = height;
  s_->x = left;
  s_->y = top;
}

void Canvas::ScaleReset() {
  s_->scaled = false;
  s_->x = 0;
  s_->y = 0;
}

double Canvas::ScaleWidthTwips() const {
  return s_->AreaW();
}
double Canvas::ScaleHeightTwips() const {
  return s_->AreaH();
}

} // namespace quon
