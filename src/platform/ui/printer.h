// The program's printer: pages of US Letter in twips. A document goes to the system's default
// printer when one is set up, else into a PDF file named by date and time in the user's
// documents folder; the user is told where it went, or why it failed. Each page is drawn on
// the device as soon as the next one starts, so a document holds one page at a time; a PDF
// gets its final name only when the document ends. A job running longer than a second shows
// its progress with a Cancel button; cancelling throws PrintCancelled from the next page.
#pragma once

#include "platform/surface_core.h"
#include "platform/ui/qt_drawing.h"

#include <QElapsedTimer>
#include <QPainter>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QProgressDialog;
class QSaveFile;

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
  ~SystemPrinter() override;
  SystemPrinter(const SystemPrinter &) = delete;
  SystemPrinter &operator=(const SystemPrinter &) = delete;

  void SetNotifier(std::function<void(const PrintNotice &)> notifier) { notifier_ = std::move(notifier); }
  // The folder for PDF files; empty (the default) means the user's documents folder.
  void SetPdfFolder(std::string folder) { pdfFolder_ = std::move(folder); }
  // The file written by the last document that went to PDF, else empty.
  const std::string &LastPdfPath() const { return lastPdfPath_; }
  // How long a job runs before its progress is shown (a second unless a test shortens it).
  void SetProgressDelay(int milliseconds) { progressAfterMs_ = milliseconds; }

protected:
  void Emit(const DrawOp &op) override;
  TextExtent Measure(const FontSpec &font, const std::string &text) const override;
  bool FinishDocument() override;
  void DropDocument() override;

private:
  bool Fail(const std::string &text);
  // Opens the device on the first drawing of a document; false (with failure_ set) when it
  // cannot be opened.
  bool Begin();
  bool BeginPdf();
  void BeginPrinter();
  // Paints the page drawn so far and forgets its operations.
  void PaintPage();
  // PaintPage, then the device's next page.
  void FlushPage();
  void ShowProgress();
  // Closes the device and forgets the document (the PDF's temporary file goes with it).
  void Close();

  PrintTarget target_;
  std::vector<DrawOp> page_;
  int blankPages_ = 0; // pages started before the document's first drawing
  int pagesDone_ = 0;
  bool begun_ = false;
  bool inked_ = false; // a page already painted had something on it
  std::string failure_; // why the device could not be opened
  std::unique_ptr<QSaveFile> file_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::unique_ptr<QPrinter> device_;
  QPagedPaintDevice *paged_ = nullptr;
  QPainter painter_;
  double unitsPerTwip_ = 1;
  std::string path_;
  QElapsedTimer clock_;
  qint64 shownAt_ = 0;
  qint64 progressAfterMs_ = 1000;
  std::unique_ptr<QProgressDialog> progress_;
  mutable TextMeasurer measure_;
  ShapedTexts shaped_;
  std::function<void(const PrintNotice &)> notifier_;
  std::string pdfFolder_;
  std::string lastPdfPath_;
};

// The printer of the program, created on first use and installed as Printer().
SystemPrinter &TheSystemPrinter();
void InstallSystemPrinter();

} // namespace quon
