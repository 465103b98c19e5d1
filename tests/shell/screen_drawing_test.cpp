#include <cmath>
#include <gtest/gtest.h>

#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "shell/mod1.h"
#include "shell/screen_frame.h"
#include "shell/splash.h"

namespace quon {
namespace {

std::vector<RecordedOp> OpsOf(const RecordingSurface &s, DrawKind kind) {
  std::vector<RecordedOp> out;
  for (const RecordedOp &op : s.Ops())
    if (op.kind == kind) out.push_back(op);
  return out;
}

class ScreenFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    InitGlobals(15360, 11520);
    g.ModelClass = ModelClassCode::LinearProgramming;
  }
  RecordingSurface s{15360, 11520};
};

TEST_F(ScreenFrameTest, WhiteFrameAndCentredBlueTitle) {
  DrawFrameAndTitle(s, 15360, 11520);
  const auto boxes = OpsOf(s, DrawKind::Box);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].color, kWhite);
  EXPECT_EQ(boxes[0].width, 18);
  EXPECT_NEAR(boxes[0].x1, 0.015 * 15360, 1e-6);
  EXPECT_NEAR(boxes[0].y1, 0.0135 * 11520, 1e-6);
  EXPECT_NEAR(boxes[0].x2, (0.015 + 0.975) * 15360, 1e-6);
  EXPECT_NEAR(boxes[0].y2, (0.0135 + 0.913) * 11520, 1e-6);

  const RecordedOp *title = s.FindText("LINEAR PROGRAMMING");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->color, kBlue);
  EXPECT_TRUE(title->font.bold);
  EXPECT_EQ(title->font.size, 9);
  EXPECT_NEAR(title->y1, 0.005 * 11520, 1e-6);
  // Centred: as much room on the left as on the right.
  EXPECT_NEAR(title->x1, 15360 - title->x2, 1.0);
  EXPECT_EQ(g.TitleText, "LINEAR PROGRAMMING");
}

TEST_F(ScreenFrameTest, TitleSkippedOnceWhenAsked) {
  g.TitleSuppress = 11;
  DrawFrameAndTitle(s, 15360, 11520);
  EXPECT_TRUE(s.Texts().empty());
  EXPECT_EQ(OpsOf(s, DrawKind::Box).size(), 1u);
  EXPECT_EQ(g.TitleSuppress, 0);

  DrawFrameAndTitle(s, 15360, 11520);
  EXPECT_NE(s.FindText("LINEAR PROGRAMMING"), nullptr);
}

TEST_F(ScreenFrameTest, NoModelClassYetDrawsAnEmptyTitle) {
  g.ModelClass = ModelClassCode::None;
  DrawFrameAndTitle(s, 15360, 11520);
  g.ModelClass = 42;
  DrawFrameAndTitle(s, 15360, 11520);
  for (const RecordedOp &t : s.Texts())
    EXPECT_EQ(t.text, "");
}

class SplashTest : public ::testing::TestWithParam<int> {
protected:
  double W() const { return GetParam(); }
  double H() const { return GetParam() == 12000 ? 9000 : 11520; }
};

TEST_P(SplashTest, FirstPaintLayout) {
  RecordingSurface s(W(), H());
  s.SetFontSize(8);
  const double th = s.TextHeight(kCreditLines[0]);
  const SplashPlacement at = DrawSplash(s, W(), H(), 7935, 255, 315);

  const auto boxes = OpsOf(s, DrawKind::Box);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].width, 1);
  EXPECT_NEAR(boxes[0].x1, 0.0135 * W(), 1e-6);
  EXPECT_NEAR(boxes[0].x2, (0.0135 + 0.976) * W(), 1e-6);
  EXPECT_EQ(boxes[1].width, 2);
  const double bx = 0.16634 * W(), by = 0.16 * H(), bw = 0.66732 * W(), bh = 0.43 * H();
  EXPECT_NEAR(boxes[1].x1, bx, 1e-6);
  EXPECT_NEAR(boxes[1].y2, by + bh, 1e-6);

  const auto panel = OpsOf(s, DrawKind::FilledBox);
  ASSERT_EQ(panel.size(), 1u);
  const double px = std::floor((W() - 7935) / 2), ph = 2 * 255 + 7 * th;
  EXPECT_EQ(panel[0].color, RGB(192, 255, 255));
  EXPECT_NEAR(panel[0].x1, px, 1e-6);
  EXPECT_NEAR(panel[0].y1, 0.6 * H(), 1e-6);
  EXPECT_NEAR(panel[0].y2 - panel[0].y1, ph, 1e-6);

  // The logo: cyan strokes of the width for this screen, all inside the logo box.
  auto strokes = OpsOf(s, DrawKind::Line);
  const auto dots = OpsOf(s, DrawKind::Point);
  EXPECT_GE(strokes.size(), 6u);
  EXPECT_GT(dots.size(), 100u);
  strokes.insert(strokes.end(), dots.begin(), dots.end());
  for (const RecordedOp &l : strokes) {
    EXPECT_EQ(l.color, kCyan);
    EXPECT_EQ(l.width, W() == 12000 ? 21 : 25);
    for (double x : {l.x1, l.x2})
      EXPECT_TRUE(x > bx && x < bx + bw) << x;
    for (double y : {l.y1, l.y2})
      EXPECT_TRUE(y > by && y < by + bh) << y;
  }

  const auto texts = s.Texts();
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_NEAR(texts[0].y1, 0.599 * H(), 1e-6);
  EXPECT_NEAR(texts[0].x1, W() - texts[0].x2, 1.0);
  // The credit label sits between lines 1 and 2.
  EXPECT_NEAR(at.labelTop, 0.599 * H() + 2 * th, 1e-6);
  EXPECT_NEAR(texts[1].y1, 0.599 * H() + th + 2 * 255, 1e-6);
  for (int i = 4; i < 7; ++i)
    EXPECT_NEAR(texts[i].x1, 1.01 * px, 1e-6);
  EXPECT_NEAR(at.buttonTop, 0.6 * H() + ph + 315, 1e-6);
}

TEST_P(SplashTest, RepaintDrawsTheFrameAsWideAsTheLogo) {
  RecordingSurface s(W(), H());
  DrawSplash(s, W(), H(), 7935, 255, 315);
  s.Reset();
  DrawSplash(s, W(), H(), 7935, 255, 315);
  const auto boxes = OpsOf(s, DrawKind::Box);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes[0].width, LogoStrokeWidth(W()));
}

INSTANTIATE_TEST_SUITE_P(BothScreens, SplashTest, ::testing::Values(12000, 15360),
                         [](const ::testing::TestParamInfo<int> &info) {
                           return "Width" + std::to_string(info.param);
                         });

} // namespace
} // namespace quon
