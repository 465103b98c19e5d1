// Retained drawing on a form or picture box: what a handler draws is recorded and replayed on
// every repaint until Clear. Forms and picture boxes own one each and expose it as their
// Surface; screens never use this class directly.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/surface.h"

class QPainter;
class QWidget;

namespace quon {

class Canvas : public Surface {
public:
  // `target` is the widget drawn on (its size is the drawing area; it is repainted after every
  // drawing call).
  explicit Canvas(QWidget *target);
  ~Canvas() override;

  // Replays everything recorded.
  void Paint(QPainter &p) const;
  std::size_t RecordedCount() const;

  double CurrentX() const override;
  double CurrentY() const override;
  void SetCurrentX(double x) override;
  void SetCurrentY(double y) override;
  void SetFontName(const std::string &name) override;
  std::string FontName() const override;
  void SetFontSize(double points) override;
  double FontSize() const override;
  void SetFontBold(bool on) override;
  bool FontBold() const override;
  void SetFontUnderline(bool on) override;
  bool FontUnderline() const override;
  void SetForeColor(Rgb c) override;
  Rgb ForeColor() const override;
  void SetDrawWidth(int pixels) override;
  void Print(const std::string &text, bool newline = true) override;
  void Line(double x1, double y1, double x2, double y2, Rgb color) override;
  void Box(double x1, double y1, double x2, double y2, Rgb color) override;
  void FilledBox(double x1, double y1, double x2, double y2, Rgb color) override;
  void Point(double x, double y, Rgb color) override;
  void Clear() override;
  double TextWidth(const std::string &text) const override;
  double TextHeight(const std::string &text) const override;
  void ScaleSet(double left, double top, double width, double height) override;
  void ScaleReset() override;
  double ScaleWidthTwips() const override;
  double ScaleHeightTwips() const override;

private:
  struct State;
  std::unique_ptr<State> s_;
};

} // namespace quon
