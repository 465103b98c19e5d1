// A surface that keeps every operation it is given, resolved to twips, with the document
// and page it fell on. Tests put it in place of the printer or of a screen's drawing.
#pragma once

#include "platform/surface_core.h"

#include <string_view>
#include <vector>

namespace quon {

// US Letter in twips.
inline constexpr double kPageWidthTwips = 12240;
inline constexpr double kPageHeightTwips = 15840;

struct RecordedOp : DrawOp {
  int document = 1; // from 1; an EndDoc belongs to the document it ends
  int page = 1;     // from 1 within the document; a NewPage belongs to the page it starts
};

class RecordingSurface : public SurfaceCore {
public:
  explicit RecordingSurface(double widthTwips = kPageWidthTwips, double heightTwips = kPageHeightTwips);

  const std::vector<RecordedOp> &Ops() const { return ops_; }
  // The printed texts in order.
  std::vector<RecordedOp> Texts() const;
  // The first text operation with exactly this text, or nullptr.
  const RecordedOp *FindText(std::string_view text) const;
  int DocumentsEnded() const { return document_ - 1; }
  int Page() const { return page_; }
  // Forgets every operation and starts again with document 1, page 1 (the font, pen and
  // scale stay as they are).
  void Reset();

protected:
  void Emit(const DrawOp &op) override;
  TextExtent Measure(const FontSpec &font, const std::string &text) const override;
  void DropDocument() override;

private:
  std::vector<RecordedOp> ops_;
  int document_ = 1;
  int page_ = 1;
};

} // namespace quon
