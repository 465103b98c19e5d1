// The program's printer: pages of US Letter in twips. A document goes to the system's default
// printer when one is set up, else into a PDF file named by date and time in the user's
// documents folder; the user is told where it went, or why it failed.
#pragma once

#include "platform/surface_core.h"

#include <functional>
#include <string>
#include <vector>

namespace quon {

enum class PrintTarget {
  Automatic, // the default printer when there is one, else a PDF file
  PdfFile,
};

// What the user is told after a document: a PDF's path, or a failure.
struct PrintNotice {
  bool failed = false;
  std::string title;
  std::string text;
};

class SystemPrinter : public SurfaceCore {
public:
  explicit SystemPrinter(PrintTarget target = PrintTarget::Automatic);

  void SetNotifier(std::function<void(const PrintNotice &)> notifier) { notifier_ = std::move(notifier); }
  // The folder for PDF files; empty (the default) means the user's documents folder.
  void SetPdfFolder(std::string folder) { pdfFolder_ = std::move(folder); }
  // The file written by the last document that went to PDF, else empty.
  const std::string &LastPdfPath() const { return lastPdfPath_; }

protected:
  void Emit(const DrawOp &op) override;
  TextExtent Measure(const FontSpec &font, const std::string &text) const override;
  bool FinishDocument() override;

private:
  bool Fail(const std::string &text);
  bool PrintToSystemPrinter(const std::vector<std::vector<DrawOp>> &pages);
  bool WritePdf(const std::vector<std::vector<DrawOp>> &pages);

  PrintTarget target_;
  std::vector<std::vector<DrawOp>> pages_{1};
  std::function<void(const PrintNotice &)> notifier_;
  std::string pdfFolder_;
  std::string lastPdfPath_;
};

// The printer of the program, created on first use and installed as Printer().
SystemPrinter &TheSystemPrinter();
void InstallSystemPrinter();

} // namespace quon
