#include "platform/ui/printer.h"

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"
#include "platform/ui/qt_drawing.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace quon {

namespace {

// Paints the pages on a device whose painter units are unitsPerTwip to the twip.
bool RenderPages(QPagedPaintDevice &device, double unitsPerTwip,
                 const std::vector<std::vector<DrawOp>> &pages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) {
      painter.end();
      return false;
    }
    painter.save();
    painter.scale(unitsPerTwip, unitsPerTwip);
    PaintOps(painter, pages[i], kPrinterTwipsPerPixel, true);
    painter.restore();
  }
  return painter.end();
}

QString UniquePdfPath(const QDir &folder) {
  const QString stamp = QDateTime::currentDateTime().toString("yyyy-MM-dd hh.mm.ss");
  QString path = folder.filePath("QUON " + stamp + ".pdf");
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = folder.filePath(QString("QUON %1 (%2).pdf").arg(stamp).arg(n));
  return path;
}

} // namespace

SystemPrinter::SystemPrinter(PrintTarget target)
    : SurfaceCore(kPageWidthTwips, kPageHeightTwips), target_(target) {}

void SystemPrinter::Emit(const DrawOp &op) {
  switch (op.kind) {
  case DrawKind::Clear:
    pages_.back().clear();
    break;
  case DrawKind::NewPage:
    pages_.emplace_back();
    break;
  case DrawKind::EndDoc:
    break; // FinishDocument takes the pages
  default:
    pages_.back().push_back(op);
    break;
  }
}

TextExtent SystemPrinter::Measure(const FontSpec &font, const std::string &text) const {
  return QtTextExtent(font, text);
}

bool SystemPrinter::Fail(const std::string &text) {
  SetLastError(text);
  if (notifier_) notifier_({true, "Print Error", text});
  return false;
}

bool SystemPrinter::FinishDocument() {
  std::vector<std::vector<DrawOp>> pages;
  pages.swap(pages_);
  pages_.emplace_back();
  bool drawn = false;
  for (const auto &page : pages)
    drawn = drawn || !page.empty();
  if (!drawn) return true; // nothing was printed: no document
  if (target_ == PrintTarget::Automatic && !QPrinterInfo::defaultPrinter().isNull())
    return PrintToSystemPrinter(pages);
  return WritePdf(pages);
}

bool SystemPrinter::PrintToSystemPrinter(const std::vector<std::vector<DrawOp>> &pages) {
  QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  printer.setDocName("QUON");
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QPageSize::Letter));
  if (!RenderPages(printer, printer.resolution() / 1440.0, pages) ||
      printer.printerState() == QPrinter::Error)
    return Fail("The printout could not be sent to the printer " + printer.printerName().toStdString() + ".");
  return true;
}

bool SystemPrinter::WritePdf(const std::vector<std::vector<DrawOp>> &pages) {
  lastPdfPath_.clear();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator("QUON");
    writer.setTitle("QUON");
    writer.setResolution(1440); // one unit a twip
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    if (!RenderPages(writer, 1.0, pages)) return Fail("The printout could not be drawn.");
  }
  QString folderPath = QString::fromStdString(pdfFolder_);
  if (folderPath.isEmpty()) folderPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folderPath.isEmpty())
    return Fail("No printer is set up and there is no documents folder to save the printout in.");
  QDir folder(folderPath);
  if (!folder.mkpath("."))
    return Fail("No printer is set up and the folder " + folderPath.toStdString() +
                " cannot be created to save the printout in.");
  const QString path = UniquePdfPath(folder);
  QSaveFile file(path);
  const QByteArray &data = buffer.data();
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
    return Fail("The printout could not be saved as " + path.toStdString() + ": " +
                file.errorString().toStdString());
  lastPdfPath_ = path.toStdString();
  if (notifier_)
    notifier_({false, "Print", "No printer is set up, so the printout was saved as " + lastPdfPath_});
  return true;
}

SystemPrinter &TheSystemPrinter() {
  static SystemPrinter printer;
  return printer;
}

void InstallSystemPrinter() {
  // The user learns where a printout went (a PDF's path) or why it failed.
  TheSystemPrinter().SetNotifier([](const PrintNotice &n) {
    MsgBox(n.text, msg::OKOnly | (n.failed ? msg::Critical : msg::Information), n.title);
  });
  InstallPrinter(&TheSystemPrinter());
}

} // namespace quon
