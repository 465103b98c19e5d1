#include "platform/colors.h"
#include "platform/printer_access.h"
#include "platform/ui/printer.h"
#include "platform/ui/qt_drawing.h"
#include "platform/ui/retained_surface.h"
#include "platform/user_services.h"
#include "shell/print_job.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace quon {
namespace {

TEST(Fonts, ArialIsDrawnWithTheMetricCompatibleFont) {
  const QFontInfo arial(TwipsFont({"arial", 9, false, false}));
  EXPECT_EQ(arial.family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(TwipsFont({"Arial", 6, true, false})).family(), "Liberation Sans");
  const QFontInfo controls(TwipsFont({"MS Sans Serif", 8.25, false, false}));
  EXPECT_FALSE(controls.family().isEmpty());
  EXPECT_FALSE(controls.fixedPitch());
}

TEST(Fonts, MeasuresAreInTwipsAndGrowWithSizeAndWeight) {
  const TextExtent small = QtTextExtent({"arial", 6, false, false}, "0.00");
  const TextExtent large = QtTextExtent({"arial", 12, false, false}, "0.00");
  const TextExtent bold = QtTextExtent({"arial", 12, true, false}, "Maximize");
  // A 6-point line is about 1.15 em of 120 twips.
  EXPECT_NEAR(small.height, 138, 10);
  EXPECT_NEAR(large.width, 2 * small.width, 0.05 * large.width);
  EXPECT_GT(bold.width, QtTextExtent({"arial", 12, false, false}, "Maximize").width);
  EXPECT_GT(QtTextExtent({"arial", 6, false, false}, "").height, 0);
}

QRgb PixelAt(const QImage &image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFF;
}

// The surface replayed onto an image of its size filled with `ground`.
QImage Painted(const RetainedSurface &s, int w, int h, Qt::GlobalColor ground) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ground);
  QPainter painter(&image);
  s.Replay(painter, image.size());
  painter.end();
  return image;
}

TEST(RetainedSurface, DrawingIsReplayedOnEveryPaintUntilCleared) {
  RetainedSurface s;
  s.SetAreaPixels(QSize(100, 80));
  EXPECT_DOUBLE_EQ(s.ScaleWidthTwips(), 1500);
  EXPECT_DOUBLE_EQ(s.ScaleHeightTwips(), 1200);
  int invalidated = 0;
  s.SetInvalidate([&] { ++invalidated; });

  s.FilledBox(150, 150, 450, 300, kYellow); // pixels 10..30 x 10..20
  s.SetDrawWidth(1);
  s.Line(0, 900, 1500, 900, kRed); // pixel row 60
  EXPECT_EQ(invalidated, 2);

  for (int paint = 0; paint < 2; ++paint) {
    const QImage image = Painted(s, 100, 80, Qt::blue);
    EXPECT_EQ(PixelAt(image, 20, 15), 0xFFFF00u);
    EXPECT_EQ(PixelAt(image, 50, 60), 0xFF0000u);
    EXPECT_EQ(PixelAt(image, 50, 40), 0x0000FFu);
  }

  s.Clear();
  EXPECT_EQ(invalidated, 3);
  EXPECT_TRUE(s.Ops().empty());
  const QImage image = Painted(s, 100, 80, Qt::blue);
  EXPECT_EQ(PixelAt(image, 20, 15), 0x0000FFu);
}

TEST(RetainedSurface, PictureBoxScaleAndDots) {
  RetainedSurface s;
  s.SetAreaPixels(QSize(120, 120));
  s.ScaleSet(-1, 11, 12, -12); // 10 pixels a unit, y upwards
  s.SetDrawWidth(8);
  s.Point(5, 5, kGrey); // pixel (60, 60)
  EXPECT_LT(s.TextHeight("OP"), 0);
  const QImage image = Painted(s, 120, 120, Qt::white);
  EXPECT_EQ(PixelAt(image, 60, 60), 0x808080u);
  EXPECT_EQ(PixelAt(image, 60, 70), 0xFFFFFFu);
}

// The standard output of a command, which must succeed.
std::string Output(const std::string &command, const QString &scratch) {
  const std::string out = scratch.toStdString();
  EXPECT_EQ(std::system((command + " > '" + out + "'").c_str()), 0) << command;
  std::ifstream in(out);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(RetainedSurface, TextStandsBelowAndRightOfThePosition) {
  RetainedSurface s;
  s.SetAreaPixels(QSize(200, 60));
  s.SetFontName("arial");
  s.SetFontSize(9);
  s.SetFontBold(true);
  s.SetCurrentX(300); // pixel 20
  s.SetCurrentY(300); // pixel 20
  s.Print("WWWW");
  const QRectF box(20, 20, s.TextWidth("WWWW") / 15, s.TextHeight("WWWW") / 15);
  const QImage image = Painted(s, 200, 60, Qt::white);
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) != 0xFFFFFFu) (box.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside)++;
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

struct PdfWord {
  int page;
  double xMin, yMin, xMax, yMax;
  std::string text;
};

// The words of a PDF with their boxes in points, as pdftotext finds them.
std::vector<PdfWord> PdfWords(const QString &pdf) {
  const std::string text = Output("pdftotext -bbox '" + pdf.toStdString() + "' -", pdf + ".html");
  // One line a word: <word xMin=".." yMin=".." xMax=".." yMax="..">text</word>, after its page.
  std::vector<PdfWord> words;
  int page = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("<page ") != std::string::npos) ++page;
    const std::size_t open = line.find("<word ");
    if (open == std::string::npos) continue;
    auto attr = [&](const std::string &name) {
      const std::size_t at = line.find(name + "=\"", open);
      return at == std::string::npos ? -1e9 : std::stod(line.substr(at + name.size() + 2));
    };
    const std::size_t textStart = line.find('>', open) + 1;
    const std::size_t textEnd = line.find("</word>", textStart);
    words.push_back({page, attr("xMin"), attr("yMin"), attr("xMax"), attr("yMax"),
                     line.substr(textStart, textEnd - textStart)});
  }
  return words;
}

const PdfWord *Find(const std::vector<PdfWord> &words, const std::string &text) {
  for (const PdfWord &w : words)
    if (w.text == text) return &w;
  return nullptr;
}

class PdfPrinter : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    if (std::getenv("QUON_KEEP_PDF")) folder.setAutoRemove(false);
    printer.SetPdfFolder(folder.path().toStdString());
    printer.SetNotifier([this](const PrintNotice &n) { notices.push_back(n); });
  }
  QStringList Pdfs() const {
    QStringList files = QDir(folder.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    for (QString &f : files)
      f = folder.filePath(f);
    return files;
  }

  QTemporaryDir folder;
  SystemPrinter printer{PrintTarget::PdfFile};
  std::vector<PrintNotice> notices;
};

// A page heading, a centred title, a right-aligned column, a second page and a second
// document, as the print routines lay them out.
TEST_F(PdfPrinter, TextLiesWhereItWasPrinted) {
  PageSurface &p = printer;
  p.ScaleReset();
  p.SetFontName("arial");
  p.SetFontSize(6);
  p.SetCurrentX(1200);
  p.SetCurrentY(400);
  p.Print("QUON Optimization System");
  const double secondLineY = p.CurrentY();
  p.SetCurrentX(1200);
  p.Print("Heading");

  p.SetFontSize(10);
  p.SetFontBold(true);
  p.SetFontUnderline(true);
  p.SetCurrentY(1600);
  p.SetCurrentX((12024 - p.TextWidth("SECTION")) * 0.5);
  const double titleX = p.CurrentX();
  p.Print("SECTION");
  p.SetFontBold(false);
  p.SetFontUnderline(false);

  p.SetFontSize(9);
  p.SetCurrentY(3000);
  p.SetCurrentX(4656 - p.TextWidth("1234.57"));
  p.Print("1234.57");
  p.SetDrawWidth(1);
  p.Line(1200, 3400, 10440, 3400, kBlack);

  p.NewPage();
  p.SetCurrentX(1200);
  p.SetCurrentY(2160);
  p.Print("Continued");
  ASSERT_TRUE(p.EndDoc()) << p.LastError();
  const QString firstPdf = QString::fromStdString(printer.LastPdfPath());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_FALSE(notices[0].failed);
  EXPECT_NE(notices[0].text.find(printer.LastPdfPath()), std::string::npos);

  // Ending the document mid-run: the rest comes out as a document of its own.
  p.SetCurrentX(1200);
  p.SetCurrentY(1000);
  p.Print("Result");
  ASSERT_TRUE(p.EndDoc()) << p.LastError();
  const QString secondPdf = QString::fromStdString(printer.LastPdfPath());

  ASSERT_EQ(Pdfs().size(), 2);
  ASSERT_NE(firstPdf, secondPdf);
  const auto first = PdfWords(firstPdf);
  const auto second = PdfWords(secondPdf);

  const double pt = 1.0 / 20; // twips to points
  const PdfWord *quon = Find(first, "QUON");
  ASSERT_NE(quon, nullptr);
  EXPECT_EQ(quon->page, 1);
  EXPECT_NEAR(quon->xMin, 1200 * pt, 1.0);
  EXPECT_NEAR(quon->yMin, 400 * pt, 1.5);

  const PdfWord *heading = Find(first, "Heading");
  ASSERT_NE(heading, nullptr);
  EXPECT_NEAR(heading->xMin, 1200 * pt, 1.0);
  EXPECT_NEAR(heading->yMin, secondLineY * pt, 1.5);

  const PdfWord *title = Find(first, "SECTION");
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(title->xMin, titleX * pt, 1.0);
  EXPECT_NEAR((title->xMin + title->xMax) / 2, 6012 * pt, 2.0);
  EXPECT_NEAR(title->yMin, 1600 * pt, 1.5);

  const PdfWord *number = Find(first, "1234.57");
  ASSERT_NE(number, nullptr);
  EXPECT_NEAR(number->xMax, 4656 * pt, 1.5);
  EXPECT_NEAR(number->yMin, 3000 * pt, 1.5);

  const PdfWord *continued = Find(first, "Continued");
  ASSERT_NE(continued, nullptr);
  EXPECT_EQ(continued->page, 2);
  EXPECT_NEAR(continued->yMin, 2160 * pt, 1.5);

  // Bold type is printed in the bold face of the same family.
  const std::string fonts = Output("pdffonts '" + firstPdf.toStdString() + "'", folder.filePath("fonts.txt"));
  EXPECT_NE(fonts.find("LiberationSans-Bold"), std::string::npos) << fonts;

  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].text, "Result");
  EXPECT_EQ(second[0].page, 1);
  EXPECT_NEAR(second[0].yMin, 1000 * pt, 1.5);
}

// Texts drawn from their laid-out glyphs, gathered into runs and without the blanks that pad
// them, come out where and as plain drawn texts do: same words, same boxes, in every font,
// colour and order.
TEST_F(PdfPrinter, ShapedTextsLieExactlyWherePlainTextsDo) {
  std::vector<DrawOp> ops;
  auto text = [&ops](double x, double y, const std::string &t, FontSpec font, Rgb color = kBlack) {
    DrawOp op;
    op.x1 = x;
    op.y1 = y;
    op.text = t;
    op.font = std::move(font);
    op.color = color;
    ops.push_back(op);
  };
  const FontSpec small{"arial", 6, false, false}, bold{"arial", 9, true, false}, lined{"arial", 10, false, true};
  for (int row = 0; row < 40; ++row)
    for (int col = 0; col < 9; ++col)
      text(1200 + 1100 * col, 1000 + 130 * row, row % 3 == 0 ? "   -12.50000 " : std::to_string(row * col) + ".00000",
           col == 4 ? bold : small, col == 7 ? kRed : kBlack);
  text(1200, 7000, "AVAST Te Wo yields, kerned", bold);
  text(1200, 7400, "UNDERLINED TITLE", lined);
  DrawOp line;
  line.kind = DrawKind::Line;
  line.x1 = 1200, line.y1 = 7800, line.x2 = 10000, line.y2 = 7800;
  ops.push_back(line);
  text(1200, 8000, "", small);
  text(1200, 8100, "        ", small);
  text(1200, 8150, " A Y T ", bold); // blanks kerned against letters
  text(1200, 8200, "after the line", small);

  auto paint = [&](const QString &name, ShapedTexts *shaped) {
    const QString path = folder.filePath(name);
    QPdfWriter pdf(path);
    pdf.setResolution(1440);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&pdf);
    PaintOps(painter, ops, kPrinterTwipsPerPixel, true, shaped);
    pdf.newPage();
    PaintOps(painter, ops, kPrinterTwipsPerPixel, true, shaped); // the texts laid out already
    painter.end();
    return PdfWords(path);
  };
  ShapedTexts shaped;
  const auto plain = paint("plain.pdf", nullptr), fast = paint("shaped.pdf", &shaped);
  ASSERT_EQ(plain.size(), fast.size());
  EXPECT_GT(plain.size(), 2 * 360u);
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(fast[i].text, plain[i].text) << i;
    EXPECT_EQ(fast[i].page, plain[i].page) << i;
    EXPECT_NEAR(fast[i].xMin, plain[i].xMin, 1e-3) << plain[i].text;
    EXPECT_NEAR(fast[i].xMax, plain[i].xMax, 1e-3) << plain[i].text;
    EXPECT_NEAR(fast[i].yMin, plain[i].yMin, 1e-3) << plain[i].text;
    EXPECT_NEAR(fast[i].yMax, plain[i].yMax, 1e-3) << plain[i].text;
  }
}

TEST_F(PdfPrinter, PagesAreUsLetter) {
  printer.Print("x");
  ASSERT_TRUE(printer.EndDoc());
  ASSERT_EQ(Pdfs().size(), 1);
  const std::string info = Output("pdfinfo '" + Pdfs()[0].toStdString() + "'", folder.filePath("info.txt"));
  EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
}

TEST_F(PdfPrinter, EmptyDocumentMakesNoFile) {
  printer.NewPage();
  EXPECT_TRUE(printer.EndDoc());
  printer.Print("dropped");
  printer.Clear();
  EXPECT_TRUE(printer.EndDoc());
  EXPECT_TRUE(Pdfs().isEmpty());
  EXPECT_TRUE(notices.empty());
}

TEST_F(PdfPrinter, DocumentsInTheSameSecondGetTheirOwnFiles) {
  for (int i = 0; i < 3; ++i) {
    printer.Print("page");
    ASSERT_TRUE(printer.EndDoc());
  }
  EXPECT_EQ(Pdfs().size(), 3);
}

TEST_F(PdfPrinter, FolderThatCannotBeMadeIsReportedAndTheNextJobWorks) {
  QFile blocker(folder.filePath("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  printer.SetPdfFolder(folder.filePath("not-a-folder/QUON").toStdString());
  printer.Print("lost");
  EXPECT_FALSE(printer.EndDoc());
  EXPECT_FALSE(printer.LastError().empty());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].failed);
  EXPECT_EQ(printer.LastPdfPath(), "");

  // The failed document is gone; the next one starts afresh.
  printer.SetPdfFolder(folder.path().toStdString());
  printer.Print("kept");
  EXPECT_TRUE(printer.EndDoc());
  ASSERT_EQ(Pdfs().size(), 1);
  const auto words = PdfWords(Pdfs()[0]);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text, "kept");
}

// A job that runs long shows its progress; cancelled, it says so and leaves no file, neither
// under its final name nor a temporary one, and the next job prints as usual. A job whose
// first document (the original data) was saved before the cancel keeps that file and says so.
TEST_F(PdfPrinter, CancelledJobSaysWhatStays) {
  for (bool dataFirst : {false, true}) {
    ScriptedServices script;
    script.AnswerMsgBox(msg::OK);
    printer.SetProgressDelay(0);
    SetPrinterForTesting(&printer);
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
      for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible()) {
          // Return does not stop the job; the Cancel button does.
          for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, "\r");
            QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : progress, &key);
          }
          shown = !progress->wasCanceled();
          progress->cancel();
        }
    });
    int pages = 0;
    const bool ok = RunPrintJob([&pages, dataFirst](PageSurface &p) {
      if (dataFirst) {
        p.Print("data");
        p.EndDoc();
      }
      for (; pages < 500; ++pages) {
        p.Print("page");
        p.NewPage();
      }
      return p.EndDoc();
    });
    SetPrinterForTesting(nullptr);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(shown);
    EXPECT_LT(pages, 500);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), dataFirst ? 1 : 0);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    if (!dataFirst) {
      EXPECT_EQ(script.MessageBoxes()[0].text, kPrintCancelledText);
      EXPECT_TRUE(notices.empty());
      continue;
    }
    ASSERT_EQ(Pdfs().size(), 1);
    const std::string kept = Pdfs()[0].toStdString();
    EXPECT_EQ(PdfWords(Pdfs()[0]).size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, "The printout was cancelled: its first part stays saved as " + kept +
                                                 "; nothing of the rest was printed or saved.");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].text.find(kept), std::string::npos);
  }
  printer.Print("next");
  EXPECT_TRUE(printer.EndDoc());
  EXPECT_EQ(Pdfs().size(), 2);
}

TEST(SystemPrinterAccess, InstalledAsThePrinter) {
  SetPrinterForTesting(nullptr);
  InstallSystemPrinter();
  EXPECT_EQ(&Printer(), &TheSystemPrinter());
  EXPECT_DOUBLE_EQ(Printer().ScaleWidthTwips(), 12240);
  EXPECT_DOUBLE_EQ(Printer().ScaleHeightTwips(), 15840);
  InstallPrinter(nullptr);
}

} // namespace
} // namespace quon
