#include "platform/recording_surface.h"

namespace quon {

RecordingSurface::RecordingSurface(double widthTwips, double heightTwips)
    : SurfaceCore(widthTwips, heightTwips) {}

void RecordingSurface::Emit(const DrawOp &op) {
  if (op.kind == DrawKind::NewPage) ++page_;
  RecordedOp rec;
  static_cast<DrawOp &>(rec) = op;
  rec.document = document_;
  rec.page = page_;
  ops_.push_back(std::move(rec));
  if (op.kind == DrawKind::EndDoc) {
    ++document_;
    page_ = 1;
  }
}

TextExtent RecordingSurface::Measure(const FontSpec &font, const std::string &text) const {
  return TableTextExtent(font, text);
}

std::vector<RecordedOp> RecordingSurface::Texts() const {
  std::vector<RecordedOp> texts;
  for (const RecordedOp &op : ops_)
    if (op.kind == DrawKind::Text) texts.push_back(op);
  return texts;
}

const RecordedOp *RecordingSurface::FindText(std::string_view text) const {
  for (const RecordedOp &op : ops_)
    if (op.kind == DrawKind::Text && op.text == text) return &op;
  return nullptr;
}

void RecordingSurface::DropDocument() {
  while (!ops_.empty() && ops_.back().document == document_)
    ops_.pop_back();
  page_ = 1;
}

void RecordingSurface::Reset() {
  ops_.clear();
  document_ = 1;
  page_ = 1;
}

} // namespace quon
