#include "platform/ui/qt_drawing.h"

#include <unordered_map>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>

namespace quon {

namespace {

QColor ToQColor(Rgb c) {
  return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

QPen PenFor(const DrawOp &op, double twipsPerPixel) {
  QPen pen(ToQColor(op.color), op.width * twipsPerPixel, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

QRectF Normalised(const DrawOp &op) {
  return QRectF(QPointF(std::min(op.x1, op.x2), std::min(op.y1, op.y2)),
                QPointF(std::max(op.x1, op.x2), std::max(op.y1, op.y2)));
}

} // namespace

QString FontFamilyFor(const std::string &name) {
  const QString n = QString::fromStdString(name).trimmed();
  // The controls' "MS Sans Serif" is about as wide as Arial; a wider sans would overflow the
  // captions laid out for it.
  if (n.compare("arial", Qt::CaseInsensitive) == 0 || n.compare("MS Sans Serif", Qt::CaseInsensitive) == 0 ||
      n.isEmpty())
    return QStringLiteral("Liberation Sans");
  return n;
}

QFont TwipsFont(const FontSpec &font) {
  QFont f(FontFamilyFor(font.name));
  f.setStyleHint(QFont::SansSerif);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setPixelSize(std::max(1, qRound(font.size * 20)));
  f.setBold(font.bold);
  f.setUnderline(font.underline);
  return f;
}

TextExtent QtTextExtent(const FontSpec &font, const std::string &text) {
  const QFontMetricsF metrics(TwipsFont(font));
  return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.lineSpacing()};
}

struct TextMeasurer::Face {
  FontSpec font;
  QFontMetricsF metrics;
  double lineSpacing;
  std::unordered_map<std::string, double> widths;
};

namespace {
constexpr std::size_t kMeasuredFaces = 8;
constexpr std::size_t kRememberedWidths = 8192;
} // namespace

TextMeasurer::TextMeasurer() = default;
TextMeasurer::~TextMeasurer() = default;

TextExtent TextMeasurer::operator()(const FontSpec &font, const std::string &text) {
  // Texts come in runs of one font: the last font is looked at first.
  Face *face = last_ != nullptr && last_->font == font ? last_ : nullptr;
  for (std::size_t i = 0; face == nullptr && i < faces_.size(); ++i)
    if (faces_[i]->font == font) face = faces_[i].get();
  if (face == nullptr) {
    if (faces_.size() >= kMeasuredFaces) faces_.erase(faces_.begin());
    const QFontMetricsF metrics(TwipsFont(font));
    faces_.push_back(std::make_unique<Face>(Face{font, metrics, metrics.lineSpacing(), {}}));
    face = faces_.back().get();
  }
  last_ = face;
  auto found = face->widths.find(text);
  if (found == face->widths.end()) {
    if (face->widths.size() >= kRememberedWidths) face->widths.clear();
    found = face->widths.emplace(text, face->metrics.horizontalAdvance(QString::fromStdString(text))).first;
  }
  return {found->second, face->lineSpacing};
}

namespace {
constexpr std::size_t kShapedFaces = 8;
constexpr std::size_t kShapedTexts = 16384;
} // namespace

ShapedTexts::ShapedTexts() = default;
ShapedTexts::~ShapedTexts() = default;

ShapedTexts::Face &ShapedTexts::FaceFor(const FontSpec &font) {
  for (const auto &f : faces_)
    if (f->wanted == font) return *f;
  if (faces_.size() >= kShapedFaces) faces_.erase(faces_.begin());
  auto face = std::make_unique<Face>();
  face->wanted = font;
  face->font = TwipsFont(font);
  face->ascent = QFontMetricsF(face->font).ascent();
  faces_.push_back(std::move(face));
  return *faces_.back();
}

const ShapedTexts::Shaped &ShapedTexts::Shape(Face &face, const std::string &text) {
  auto found = face.texts.find(text);
  if (found != face.texts.end()) return found->second;
  if (face.texts.size() >= kShapedTexts) face.texts.clear();
  Shaped shaped;
  // An underline is drawn along the text as a whole, so underlined texts are drawn as texts.
  if (!face.wanted.underline) {
    QTextLayout layout(QString::fromStdString(text), face.font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (line.isValid() && runs.size() == 1) {
      shaped.font = runs[0].rawFont();
      const QVector<quint32> glyphs = runs[0].glyphIndexes();
      const QVector<QPointF> positions = runs[0].positions();
      // The blanks that pad a text to its column draw nothing: the other glyphs keep their
      // places without them.
      const QVector<quint32> blank = shaped.font.glyphIndexesForString(QStringLiteral(" "));
      auto isBlank = [&](qsizetype i) { return blank.size() == 1 && glyphs[i] == blank[0]; };
      qsizetype first = 0, end = glyphs.size();
      while (first < end && isBlank(first))
        ++first;
      while (end > first && isBlank(end - 1))
        --end;
      for (qsizetype i = first; i < end; ++i) {
        shaped.glyphs.push_back(glyphs[i]);
        shaped.positions.push_back(positions[i] - QPointF(0, line.ascent()));
      }
      shaped.whole = true;
    }
  }
  return face.texts.emplace(text, std::move(shaped)).first->second;
}

namespace {

// Consecutive texts of one font and colour, gathered to be drawn as one glyph run.
class GlyphBatch {
public:
  bool Takes(const QRawFont &font, Rgb color) const {
    return !glyphs_.isEmpty() && color_ == color && font_ == font;
  }
  void Add(const ShapedTexts::Shaped &text, Rgb color, QPointF origin) {
    if (glyphs_.isEmpty()) {
      font_ = text.font;
      color_ = color;
    }
    glyphs_ += text.glyphs;
    for (const QPointF &p : text.positions)
      positions_.push_back(origin + p);
  }
  bool Empty() const { return glyphs_.isEmpty(); }
  Rgb Color() const { return color_; }
  void Draw(QPainter &painter) {
    if (glyphs_.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(positions_);
    painter.drawGlyphRun(QPointF(0, 0), run);
    glyphs_.clear();
    positions_.clear();
  }

private:
  QRawFont font_;
  Rgb color_ = 0;
  QVector<quint32> glyphs_;
  QVector<QPointF> positions_;
};

} // namespace

void PaintOps(QPainter &painter, const std::vector<DrawOp> &ops, double twipsPerPixel, bool smoothShapes,
              ShapedTexts *shaped) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, smoothShapes);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Texts mostly come in runs of one font: it is set up once a run.
  const FontSpec *lastFont = nullptr;
  double ascent = 0;
  bool textPen = false; // the pen is a text pen of textColor
  Rgb textColor = 0;
  auto useTextPen = [&](Rgb color) {
    if (!textPen || textColor != color) {
      painter.setPen(ToQColor(color));
      textPen = true;
      textColor = color;
    }
  };
  GlyphBatch batch;
  auto drawBatch = [&] {
    if (batch.Empty()) return;
    useTextPen(batch.Color());
    batch.Draw(painter);
  };
  ShapedTexts::Face *face = nullptr;
  for (const DrawOp &op : ops) {
    if (op.kind != DrawKind::Text) drawBatch();
    switch (op.kind) {
    case DrawKind::Text: {
      if (shaped != nullptr) {
        if (face == nullptr || !(face->wanted == op.font)) face = &shaped->FaceFor(op.font);
        const ShapedTexts::Shaped &text = shaped->Shape(*face, op.text);
        if (text.whole) {
          if (!batch.Takes(text.font, op.color)) drawBatch();
          batch.Add(text, op.color, QPointF(op.x1, op.y1 + face->ascent));
          break;
        }
        drawBatch();
      }
      if (lastFont == nullptr || !(*lastFont == op.font)) {
        const QFont font = TwipsFont(op.font);
        painter.setFont(font);
        ascent = QFontMetricsF(font).ascent();
        lastFont = &op.font;
      }
      useTextPen(op.color);
      painter.drawText(QPointF(op.x1, op.y1 + ascent), QString::fromStdString(op.text));
      break;
    }
    case DrawKind::Line:
      textPen = false;
      painter.setPen(PenFor(op, twipsPerPixel));
      painter.setBrush(Qt::NoBrush);
      painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
      break;
    case DrawKind::Box:
      textPen = false;
      painter.setPen(PenFor(op, twipsPerPixel));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(Normalised(op));
      break;
    case DrawKind::FilledBox:
      painter.fillRect(Normalised(op), ToQColor(op.color));
      break;
    case DrawKind::Point: {
      // A dot as wide as the line width, centred on the point.
      const double d = op.width * twipsPerPixel;
      textPen = false;
      painter.setPen(Qt::NoPen);
      painter.setBrush(ToQColor(op.color));
      if (op.width <= 1)
        painter.drawRect(QRectF(op.x1 - d / 2, op.y1 - d / 2, d, d));
      else
        painter.drawEllipse(QPointF(op.x1, op.y1), d / 2, d / 2);
      break;
    }
    case DrawKind::Clear:
    case DrawKind::NewPage:
    case DrawKind::EndDoc:
      break;
    }
  }
  drawBatch();
  painter.restore();
}

} // namespace quon
