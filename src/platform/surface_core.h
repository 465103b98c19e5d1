// The state every drawing surface shares: position, font, pen and user scale, with the
// conversion of every operation into twips. Backends receive resolved operations and
// supply text measures; they differ only in where the operations go.
#pragma once

#include "platform/surface.h"

#include <string>
#include <vector>

namespace quon {

// Device pixels in twips: the screen has 15 twips to the pixel (96 to the inch); the printer
// is taken as a 600-dot-per-inch device, where line widths and dots are given in dots.
inline constexpr double kScreenTwipsPerPixel = 15;
inline constexpr double kPrinterTwipsPerPixel = 2.4;
constexpr double TwipsToPixels(double twips) {
  return twips / kScreenTwipsPerPixel;
}
constexpr double PixelsToTwips(double pixels) {
  return pixels * kScreenTwipsPerPixel;
}

struct FontSpec {
  std::string name = "MS Sans Serif";
  double size = 8.25; // points
  bool bold = false;
  bool underline = false;

  bool operator==(const FontSpec &) const = default;
};

enum class DrawKind { Text, Line, Box, FilledBox, Point, Clear, NewPage, EndDoc };

// One operation with its coordinates in twips from the top-left corner. Text: (x1, y1) is
// the top-left corner of the text, (x2, y2) the bottom-right one. Point: (x1, y1) = (x2, y2).
struct DrawOp {
  DrawKind kind = DrawKind::Text;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string text;
  FontSpec font;
  Rgb color = 0;
  int width = 1; // pixels
};

// Width and height of a text in twips.
struct TextExtent {
  double width = 0;
  double height = 0;
};

// Text extent from a font table close to "arial" (Liberation Sans), for surfaces that have
// no font system: deterministic, so tests do not depend on the installed fonts.
TextExtent TableTextExtent(const FontSpec &font, const std::string &text);

class SurfaceCore : public PageSurface {
public:
  SurfaceCore(double widthTwips, double heightTwips);

  double CurrentX() const override;
  double CurrentY() const override;
  void SetCurrentX(double x) override;
  void SetCurrentY(double y) override;

  void SetFontName(const std::string &name) override { font_.name = name; }
  std::string FontName() const override { return font_.name; }
  void SetFontSize(double points) override;
  double FontSize() const override { return font_.size; }
  void SetFontBold(bool on) override { font_.bold = on; }
  bool FontBold() const override { return font_.bold; }
  void SetFontUnderline(bool on) override { font_.underline = on; }
  bool FontUnderline() const override { return font_.underline; }
  void SetForeColor(Rgb c) override { color_ = c; }
  Rgb ForeColor() const override { return color_; }
  void SetDrawWidth(int pixels) override { drawWidth_ = pixels < 1 ? 1 : pixels; }
  int DrawWidth() const override { return drawWidth_; }

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
  double ScaleWidthTwips() const override { return widthTwips_; }
  double ScaleHeightTwips() const override { return heightTwips_; }

  void NewPage() override;
  bool EndDoc() override;
  std::string LastError() const override { return lastError_; }
  void AbortDoc() override;
  const std::vector<PrintDelivery> &Deliveries() const override { return deliveries_; }
  void SetPageFlow(double breakY, double continueY) override;
  void SetRunningHeading(RunningHeading heading) override { heading_ = std::move(heading); }
  double PageY(double y) const override { return userScale_ ? y : y - flowShift_; }

  // The owner of a form or picture box sets its size when it is laid out or resized.
  void SetAreaTwips(double width, double height);
  const FontSpec &Font() const { return font_; }

protected:
  // Receives every resolved operation, page break and document end.
  virtual void Emit(const DrawOp &op) = 0;
  virtual TextExtent Measure(const FontSpec &font, const std::string &text) const = 0;
  // Called by EndDoc after the end was emitted; returns false and sets the error on failure.
  virtual bool FinishDocument() { return true; }
  // Called by AbortDoc: forgets the document begun.
  virtual void DropDocument() {}
  void SetLastError(std::string error) { lastError_ = std::move(error); }
  // Called by a backend's FinishDocument when the document reached its file or printer.
  void RecordDelivery(PrintDelivery delivery) { deliveries_.push_back(std::move(delivery)); }

private:
  double ToTwipsX(double x) const;
  double ToTwipsY(double y) const;
  double UnitsPerTwipX() const;
  double UnitsPerTwipY() const;
  DrawOp MakeOp(DrawKind kind, Rgb color) const;
  void EmitShape(DrawKind kind, double x1, double y1, double x2, double y2, Rgb color);
  // The page flow's shift for an operation whose top is at `top` twips: starts the new page
  // (with the running heading) when the top would pass the break.
  double FlowShift(double top);
  void EndFlowPage();

  double widthTwips_, heightTwips_;
  bool userScale_ = false;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
  double x_ = 0, y_ = 0; // twips
  FontSpec font_;
  Rgb color_ = 0;
  int drawWidth_ = 1;
  std::string lastError_;
  std::vector<PrintDelivery> deliveries_;
  double flowBreak_ = 0, flowContinue_ = 0;
  double flowShift_ = 0; // twips the report's positions are moved up on this page
  bool inHeading_ = false;
  RunningHeading heading_;
};

} // namespace quon
