// Qt side of the drawing surfaces: the installed font for each font name of the program,
// text measures in twips, and painting of resolved operations.
#pragma once

#include "platform/surface_core.h"

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QVector>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quon {

// The installed family that stands for a font name: "arial" and the controls' "MS Sans Serif"
// are drawn with the Arial-compatible Liberation Sans.
QString FontFamilyFor(const std::string &name);
// The font in twips: its pixel size is the point size in twips, so measures come in twips.
QFont TwipsFont(const FontSpec &font);
TextExtent QtTextExtent(const FontSpec &font, const std::string &text);

// QtTextExtent for a surface that measures much: each font is set up once, and the widths of
// recent texts are remembered (a bounded number, so the memory stays small).
class TextMeasurer {
public:
  TextMeasurer();
  ~TextMeasurer();
  TextMeasurer(const TextMeasurer &) = delete;
  TextMeasurer &operator=(const TextMeasurer &) = delete;
  TextExtent operator()(const FontSpec &font, const std::string &text);

private:
  struct Face;
  std::vector<std::unique_ptr<Face>> faces_;
  Face *last_ = nullptr; // the face measured last
};

// Texts laid out once for painting: a printout repeats the same numbers and captions
// thousands of times, and laying a text out costs more than drawing its glyphs. Holds a
// bounded number of texts a font.
class ShapedTexts {
public:
  // A text's glyphs in one font, placed from the text's baseline origin.
  struct Shaped {
    QRawFont font;
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
    bool whole = false; // one font holds every glyph: the text can be drawn from these glyphs
  };
  struct Face {
    FontSpec wanted; // the font as the drawing asked for it
    QFont font;
    double ascent = 0;
    std::unordered_map<std::string, Shaped> texts;
  };

  ShapedTexts();
  ~ShapedTexts();
  ShapedTexts(const ShapedTexts &) = delete;
  ShapedTexts &operator=(const ShapedTexts &) = delete;
  Face &FaceFor(const FontSpec &font);
  const Shaped &Shape(Face &face, const std::string &text);
  void Clear() { faces_.clear(); }

private:
  std::vector<std::unique_ptr<Face>> faces_;
};

// Paints operations given in twips on a painter whose coordinates are twips; twipsPerPixel
// turns line widths and dot sizes (given in device pixels) into twips. Screens draw shapes
// without smoothing, so a one-pixel line covers exactly its pixels. With shaped texts, texts
// are drawn as their glyphs, and a run of texts in one font and colour as one glyph run.
void PaintOps(QPainter &painter, const std::vector<DrawOp> &ops, double twipsPerPixel, bool smoothShapes,
              ShapedTexts *shaped = nullptr);

} // namespace quon
