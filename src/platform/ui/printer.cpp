#include "platform/ui/printer.h"

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"
#include "platform/ui/qt_drawing.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>

namespace quon {

namespace {

// The display of a job's progress is brought up to date at most this often.
constexpr qint64 kProgressEveryMs = 100;

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

SystemPrinter::~SystemPrinter() { Close(); }

void SystemPrinter::Emit(const DrawOp &op) {
  if (!clock_.isValid()) clock_.start();
  switch (op.kind) {
  case DrawKind::Clear:
    page_.clear();
    break;
  case DrawKind::NewPage:
    if (begun_)
      FlushPage();
    else
      ++blankPages_;
    ShowProgress();
    break;
  case DrawKind::EndDoc:
    break; // FinishDocument ends the device's document
  default:
    if (!begun_ && failure_.empty() && !Begin()) break;
    if (begun_) page_.push_back(op);
    break;
  }
}

TextExtent SystemPrinter::Measure(const FontSpec &font, const std::string &text) const {
  return measure_(font, text);
}

bool SystemPrinter::Fail(const std::string &text) {
  SetLastError(text);
  if (notifier_) notifier_({true, "Print Error", text});
  return false;
}

bool SystemPrinter::Begin() {
  if (target_ == PrintTarget::Automatic && !QPrinterInfo::defaultPrinter().isNull())
    BeginPrinter();
  else if (!BeginPdf())
    return false;
  if (!painter_.begin(paged_)) {
    failure_ = device_ ? "The printout could not be sent to the printer " + device_->printerName().toStdString() + "."
                       : "The printout could not be drawn.";
    Close();
    return false;
  }
  begun_ = true;
  for (; blankPages_ > 0; --blankPages_)
    paged_->newPage();
  return true;
}

void SystemPrinter::BeginPrinter() {
  device_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  device_->setDocName("QUON");
  device_->setFullPage(true);
  device_->setPageSize(QPageSize(QPageSize::Letter));
  paged_ = device_.get();
  unitsPerTwip_ = device_->resolution() / 1440.0;
}

bool SystemPrinter::BeginPdf() {
  lastPdfPath_.clear();
  QString folderPath = QString::fromStdString(pdfFolder_);
  if (folderPath.isEmpty()) folderPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folderPath.isEmpty()) {
    failure_ = "No printer is set up and there is no documents folder to save the printout in.";
    return false;
  }
  QDir folder(folderPath);
  if (!folder.mkpath(".")) {
    failure_ = "No printer is set up and the folder " + folderPath.toStdString() +
               " cannot be created to save the printout in.";
    return false;
  }
  path_ = UniquePdfPath(folder).toStdString();
  // The pages go to a temporary file that takes the final name when the document is complete.
  file_ = std::make_unique<QSaveFile>(QString::fromStdString(path_));
  if (!file_->open(QIODevice::WriteOnly)) {
    failure_ = "The printout could not be saved as " + path_ + ": " + file_->errorString().toStdString();
    file_.reset();
    return false;
  }
  pdf_ = std::make_unique<QPdfWriter>(file_.get());
  pdf_->setCreator("QUON");
  pdf_->setTitle("QUON");
  pdf_->setResolution(1440); // one unit a twip
  pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  paged_ = pdf_.get();
  unitsPerTwip_ = 1;
  return true;
}

void SystemPrinter::PaintPage() {
  painter_.save();
  painter_.scale(unitsPerTwip_, unitsPerTwip_);
  PaintOps(painter_, page_, kPrinterTwipsPerPixel, true, &shaped_);
  painter_.restore();
  inked_ = inked_ || !page_.empty();
  page_.clear(); // its room serves the next page
}

void SystemPrinter::FlushPage() {
  PaintPage();
  paged_->newPage();
  ++pagesDone_;
}

void SystemPrinter::ShowProgress() {
  const qint64 now = clock_.elapsed();
  if (now < progressAfterMs_ || (progress_ && now - shownAt_ < kProgressEveryMs)) return;
  shownAt_ = now;
  if (!progress_) {
    progress_ = std::make_unique<QProgressDialog>("Printing...", "Cancel", 0, 0);
    progress_->setWindowTitle("Print");
    // Only a deliberate click or Escape stops a job: a Return meant for the screen behind,
    // pressed as the box comes up, does not.
    auto *cancel = new QPushButton("Cancel");
    cancel->setAutoDefault(false);
    cancel->setDefault(false);
    progress_->setCancelButton(cancel);
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setMinimumDuration(0);
    progress_->show();
  }
  progress_->setLabelText(QString("Printing page %1...").arg(pagesDone_ + blankPages_ + 1));
  QApplication::processEvents();
  if (progress_->wasCanceled()) throw PrintCancelled();
}

bool SystemPrinter::FinishDocument() {
  if (!begun_ || (!inked_ && page_.empty())) {
    const std::string failure = failure_;
    Close();
    // Nothing was printed: no document.
    return failure.empty() ? true : Fail(failure);
  }
  PaintPage();
  const bool drawn = painter_.end();
  if (device_) {
    const bool sent = drawn && device_->printerState() != QPrinter::Error;
    const std::string name = device_->printerName().toStdString();
    Close();
    if (!sent) return Fail("The printout could not be sent to the printer " + name + ".");
    RecordDelivery({false, name});
    return true;
  }
  pdf_.reset(); // writes the document's end
  const bool saved = drawn && file_->commit();
  const std::string error = file_->errorString().toStdString(), path = path_;
  Close();
  if (!drawn) return Fail("The printout could not be drawn.");
  if (!saved) return Fail("The printout could not be saved as " + path + ": " + error);
  lastPdfPath_ = path;
  RecordDelivery({true, path});
  if (notifier_) notifier_({false, "Print", "No printer is set up, so the printout was saved as " + lastPdfPath_});
  return true;
}

void SystemPrinter::DropDocument() {
  if (device_ && painter_.isActive()) device_->abort();
  Close();
}

void SystemPrinter::Close() {
  if (painter_.isActive()) painter_.end();
  pdf_.reset();
  if (file_) file_->cancelWriting(); // a saved file has committed already; an unfinished one goes
  file_.reset();
  device_.reset();
  paged_ = nullptr;
  std::vector<DrawOp>().swap(page_);
  shaped_.Clear();
  blankPages_ = 0;
  pagesDone_ = 0;
  begun_ = false;
  inked_ = false;
  failure_.clear();
  path_.clear();
  clock_.invalidate();
  shownAt_ = 0;
  progress_.reset();
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
