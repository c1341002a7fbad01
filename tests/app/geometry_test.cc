#include "app/geometry.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gmock/gmock.h>

namespace velmora::testing {
namespace {

TEST(GeometryTest, FifteenTwipsMakeOnePixelAt96Dpi) {
  const TwipsScale scale(96, 96);
  EXPECT_EQ(scale.X(15), 1);
  EXPECT_EQ(scale.X(4608), 307);
  EXPECT_EQ(scale.Y(1032), 69);  // 68.8 rounds up
  EXPECT_EQ(scale.Rect(612, 360, 2280, 252), QRect(41, 24, 152, 17));
}

TEST(GeometryTest, FollowsTheScreenResolutionOnEachAxis) {
  const TwipsScale scale(144, 120);
  EXPECT_EQ(scale.X(1440), 144);
  EXPECT_EQ(scale.Y(1440), 120);
  EXPECT_EQ(scale.Rect(120, 360, 2052, 2952), QRect(12, 30, 205, 246));
}

TEST(GeometryTest, FormFontAsksForTheDesignedFontWithSansSerifFallback) {
  const QFont font = FormFont(9.6, true);
  EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(font.styleHint(), QFont::SansSerif);
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.6);
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(FormFont(8, false).bold());
  // Whatever the system substitutes, a real font is found.
  EXPECT_FALSE(QFontInfo(font).family().isEmpty());
}

TEST(GeometryTest, TextSizeCoversTheTextAndItsPadding) {
  const QFont font = FormFont(9.6, true);
  const QFontMetrics metrics(font);
  const QString text = QStringLiteral("Benchmarks Processed");
  const QSize size = TextSize(font, text, QSize(3, 2));
  EXPECT_EQ(size.width(), metrics.horizontalAdvance(text) + 6);
  EXPECT_EQ(size.height(), metrics.height() + 4);
}

TEST(GeometryTest, GrowToFitOnlyGrowsAndKeepsTheCorner) {
  EXPECT_EQ(GrowToFit(QRect(5, 6, 100, 20), QSize(140, 10)), QRect(5, 6, 140, 20));
  EXPECT_EQ(GrowToFit(QRect(5, 6, 100, 20), QSize(50, 31)), QRect(5, 6, 100, 31));
  EXPECT_EQ(GrowToFit(QRect(5, 6, 100, 20), QSize(10, 10)), QRect(5, 6, 100, 20));
  EXPECT_EQ(RightOf(QRect(5, 6, 100, 20)), 105);
  EXPECT_EQ(BottomOf(QRect(5, 6, 100, 20)), 26);
}

}  // namespace
}  // namespace velmora::testing
