#include "platform/colors.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace quon {
namespace {

TEST(RecordingSurface, PrintEndsTheLineOrContinuesIt) {
  RecordingSurface s;
  s.SetFontName("arial");
  s.SetFontSize(6);
  const double h = s.TextHeight("0.00");
  ASSERT_GT(h, 0);

  s.SetCurrentX(1200);
  s.SetCurrentY(400);
  s.Print("first");
  EXPECT_DOUBLE_EQ(s.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 400 + h);

  s.SetCurrentX(1200);
  s.Print("ab", false);
  EXPECT_DOUBLE_EQ(s.CurrentX(), 1200 + s.TextWidth("ab"));
  EXPECT_DOUBLE_EQ(s.CurrentY(), 400 + h);
  s.Print("cd");

  const auto texts = s.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "first");
  EXPECT_DOUBLE_EQ(texts[0].x1, 1200);
  EXPECT_DOUBLE_EQ(texts[0].y1, 400);
  EXPECT_DOUBLE_EQ(texts[0].y2, 400 + h);
  EXPECT_EQ(texts[0].font.name, "arial");
  EXPECT_DOUBLE_EQ(texts[2].x1, 1200 + s.TextWidth("ab"));
  EXPECT_DOUBLE_EQ(texts[2].y1, 400 + h);
}

TEST(RecordingSurface, EmptyPrintIsAnEmptyLine) {
  RecordingSurface s;
  s.SetCurrentY(1000);
  s.Print("");
  EXPECT_TRUE(s.Ops().empty());
  EXPECT_GT(s.CurrentY(), 1000);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 1000 + s.TextHeight(""));
}

TEST(RecordingSurface, TextCarriesFontAndColourAsSetWhenPrinted) {
  RecordingSurface s;
  s.SetFontBold(true);
  s.SetFontUnderline(true);
  s.SetForeColor(kRed);
  s.Print("Iteration 1");
  s.SetFontBold(false);
  s.SetFontUnderline(false);
  s.Print("row");
  const auto texts = s.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[0].font.bold);
  EXPECT_TRUE(texts[0].font.underline);
  EXPECT_EQ(texts[0].color, kRed);
  EXPECT_FALSE(texts[1].font.bold);
  EXPECT_FALSE(texts[1].font.underline);
  EXPECT_GT(TableTextExtent(texts[0].font, "Iteration").width,
            TableTextExtent(texts[1].font, "Iteration").width);
}

TEST(RecordingSurface, ShapesLeaveThePositionAtTheirEnd) {
  RecordingSurface s;
  s.SetDrawWidth(1);
  s.SetCurrentY(3000);
  s.Line(1200, s.CurrentY(), 10440, s.CurrentY(), kBlack);
  EXPECT_DOUBLE_EQ(s.CurrentX(), 10440);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 3000);
  s.SetDrawWidth(40);
  s.Point(500, 600, kBlue);
  EXPECT_DOUBLE_EQ(s.CurrentX(), 500);
  s.FilledBox(10, 20, 30, 40, kYellow);
  s.Box(50, 60, 70, 80, kGrey);
  ASSERT_EQ(s.Ops().size(), 4u);
  EXPECT_EQ(s.Ops()[0].kind, DrawKind::Line);
  EXPECT_EQ(s.Ops()[0].width, 1);
  EXPECT_EQ(s.Ops()[1].kind, DrawKind::Point);
  EXPECT_EQ(s.Ops()[1].width, 40);
  EXPECT_EQ(s.Ops()[1].color, kBlue);
  EXPECT_EQ(s.Ops()[2].kind, DrawKind::FilledBox);
  EXPECT_EQ(s.Ops()[3].kind, DrawKind::Box);
  EXPECT_DOUBLE_EQ(s.CurrentX(), 70);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 80);
}

TEST(RecordingSurface, DrawWidthIsAtLeastOnePixel) {
  RecordingSurface s;
  s.SetDrawWidth(0);
  EXPECT_EQ(s.DrawWidth(), 1);
}

// A picture box of 1200 x 1200 twips with x from -1 to 11 and y from -1 up to 11.
TEST(RecordingSurface, UserScaleWithYGrowingUpwards) {
  RecordingSurface s(1200, 1200);
  s.ScaleSet(-1, 11, 12, -12);
  s.Line(0, 0, 10, 0, kRed);
  const RecordedOp &axis = s.Ops().back();
  EXPECT_DOUBLE_EQ(axis.x1, 100);
  EXPECT_DOUBLE_EQ(axis.y1, 1100);
  EXPECT_DOUBLE_EQ(axis.x2, 1100);
  EXPECT_DOUBLE_EQ(axis.y2, 1100);
  EXPECT_DOUBLE_EQ(s.CurrentX(), 10);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 0);

  // Text extents come in the scale's units; the height is negative because y grows upwards,
  // so a label placed at y - TextHeight stands above y.
  const double w = s.TextWidth("2222");
  const double h = s.TextHeight("22");
  EXPECT_NEAR(w, TableTextExtent(s.Font(), "2222").width / 100, 1e-12);
  EXPECT_NEAR(h, -TableTextExtent(s.Font(), "22").height / 100, 1e-12);
  EXPECT_LT(h, 0);

  // A printed tick value goes to the next line below and back to the left edge of the scale.
  s.SetCurrentX(5);
  s.SetCurrentY(0);
  s.Print(" 5");
  EXPECT_DOUBLE_EQ(s.CurrentX(), -1);
  EXPECT_NEAR(s.CurrentY(), h, 1e-12);
  const RecordedOp &tick = s.Ops().back();
  EXPECT_DOUBLE_EQ(tick.x1, 600);
  EXPECT_DOUBLE_EQ(tick.y1, 1100);
  EXPECT_GT(tick.y2, tick.y1);
}

TEST(RecordingSurface, ScaleResetReturnsToTwipsKeepingThePlace) {
  RecordingSurface s(1200, 1200);
  s.ScaleSet(-1, 11, 12, -12);
  s.SetCurrentX(0);
  s.SetCurrentY(0);
  s.ScaleReset();
  EXPECT_DOUBLE_EQ(s.CurrentX(), 100);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 1100);
  EXPECT_DOUBLE_EQ(s.TextHeight("x"), TableTextExtent(s.Font(), "x").height);
}

TEST(RecordingSurface, ScaleWithoutExtentIsRefused) {
  RecordingSurface s(1200, 1200);
  s.ScaleSet(0, 10, 10, -10);
  s.ScaleSet(0, 0, 0, -10);
  s.ScaleSet(0, 0, 10, 0);
  s.ScaleSet(0, std::numeric_limits<double>::quiet_NaN(), 10, 10);
  s.Point(5, 5, kBlack);
  EXPECT_DOUBLE_EQ(s.Ops().back().x1, 600);
  EXPECT_DOUBLE_EQ(s.Ops().back().y1, 600);
}

TEST(RecordingSurface, AreaNotLaidOutYetDoesNotDivideByZero) {
  RecordingSurface s(0, 0);
  s.ScaleSet(-1, 6, 7, -7);
  s.Line(0, 0, 5, 0, kRed);
  EXPECT_TRUE(std::isfinite(s.Ops().back().x2));
  EXPECT_TRUE(std::isfinite(s.TextHeight("2")));
}

TEST(RecordingSurface, NonFiniteShapesAreDropped) {
  RecordingSurface s;
  const double inf = std::numeric_limits<double>::infinity();
  s.Line(0, 0, inf, 0, kRed);
  s.Point(std::nan(""), 1, kRed);
  s.SetCurrentX(std::nan(""));
  EXPECT_TRUE(s.Ops().empty());
  EXPECT_DOUBLE_EQ(s.CurrentX(), 0);
}

TEST(RecordingSurface, PagesAndDocuments) {
  RecordingSurface s;
  s.SetCurrentY(14000);
  s.Print("one");
  s.NewPage();
  EXPECT_DOUBLE_EQ(s.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 0);
  s.SetCurrentY(2160);
  s.Print("two");
  EXPECT_TRUE(s.EndDoc());
  EXPECT_EQ(s.LastError(), "");
  s.Print("second document");
  EXPECT_TRUE(s.EndDoc());

  EXPECT_EQ(s.DocumentsEnded(), 2);
  const RecordedOp *one = s.FindText("one");
  const RecordedOp *two = s.FindText("two");
  const RecordedOp *third = s.FindText("second document");
  ASSERT_TRUE(one && two && third);
  EXPECT_EQ(one->page, 1);
  EXPECT_EQ(two->page, 2);
  EXPECT_EQ(two->document, 1);
  EXPECT_EQ(third->document, 2);
  EXPECT_EQ(third->page, 1);
  EXPECT_DOUBLE_EQ(third->y1, 0);
  EXPECT_EQ(s.FindText("three"), nullptr);

  s.Reset();
  EXPECT_TRUE(s.Ops().empty());
  EXPECT_EQ(s.DocumentsEnded(), 0);
}

TEST(RecordingSurface, ClearPutsThePositionBackToTheCorner) {
  RecordingSurface s(1200, 1200);
  s.ScaleSet(-1, 11, 12, -12);
  s.Point(5, 5, kGrey);
  s.Clear();
  EXPECT_EQ(s.Ops().back().kind, DrawKind::Clear);
  EXPECT_DOUBLE_EQ(s.CurrentX(), -1);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 11);
}

TEST(TableTextExtent, ScalesWithSizeAndCountsCharactersNotBytes) {
  FontSpec arial6{"arial", 6, false, false};
  FontSpec arial12{"arial", 12, false, false};
  EXPECT_DOUBLE_EQ(TableTextExtent(arial12, "Title: ").width, 2 * TableTextExtent(arial6, "Title: ").width);
  EXPECT_DOUBLE_EQ(TableTextExtent(arial6, "").width, 0);
  EXPECT_GT(TableTextExtent(arial6, "").height, 6 * 20);
  // The registered sign is two bytes in UTF-8 but one character.
  EXPECT_DOUBLE_EQ(TableTextExtent(arial6, "\xC2\xAE").width, TableTextExtent(arial6, "0").width);
}

TEST(PrinterAccess, SubstituteTakesThePlaceOfTheInstalledPrinter) {
  InstallPrinter(nullptr);
  SetPrinterForTesting(nullptr);
  EXPECT_THROW(Printer(), std::logic_error);
  RecordingSurface installed, substitute;
  InstallPrinter(&installed);
  EXPECT_EQ(&Printer(), &installed);
  SetPrinterForTesting(&substitute);
  EXPECT_EQ(&Printer(), &substitute);
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(&Printer(), &installed);
  InstallPrinter(nullptr);
}

} // namespace
} // namespace quon
