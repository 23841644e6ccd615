// How the dialog layout, drawn for 96 dpi, is scaled on other screens.
#include "layout_scale.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDivRound, RoundsToTheNearestWithHalvesAwayFromZero) {
  EXPECT_EQ(MulDivRound(10, 1, 4), 3);    // 2.5
  EXPECT_EQ(MulDivRound(9, 1, 4), 2);     // 2.25
  EXPECT_EQ(MulDivRound(11, 1, 4), 3);    // 2.75
  EXPECT_EQ(MulDivRound(-10, 1, 4), -3);  // -2.5
  EXPECT_EQ(MulDivRound(-9, 1, 4), -2);
  EXPECT_EQ(MulDivRound(10, -1, 4), -3);
  EXPECT_EQ(MulDivRound(10, 1, -4), -3);
  EXPECT_EQ(MulDivRound(0, 7, 3), 0);
  EXPECT_EQ(MulDivRound(5, 3, 0), 0);
}

TEST(MulDivRound, DoesNotOverflowInTheProduct) {
  EXPECT_EQ(MulDivRound(INT_MAX, 2, 2), INT_MAX);
  EXPECT_EQ(MulDivRound(2000000000, 3, 4), 1500000000);
  EXPECT_EQ(MulDivRound(INT_MIN, 1, 1), INT_MIN);
}

TEST(FontHeightForDpi, ScalesTheDesignHeightByDpiOver96) {
  EXPECT_EQ(FontHeightForDpi(-12, 96), -12);
  EXPECT_EQ(FontHeightForDpi(-12, 120), -15);
  EXPECT_EQ(FontHeightForDpi(-12, 144), -18);
  EXPECT_EQ(FontHeightForDpi(-12, 72), -9);
  EXPECT_EQ(FontHeightForDpi(-12, 100), -13);  // -12.5 away from zero
  EXPECT_EQ(FontHeightForDpi(-12, 192), -24);
}

TEST(TLayoutScale, NothingMovesOnTheDesignScreenOrWhenTheTextKeepsItsHeight) {
  const TLayoutRect r{325, 118, 73, 24};
  for (const TLayoutScale &s : {TLayoutScale(), TLayoutScale(96, 15), TLayoutScale(96, 19),
                                TLayoutScale(120, 15), TLayoutScale(120, 0)}) {
    EXPECT_FALSE(s.Scaled()) << s.Dpi() << " dpi, text " << s.TextHeight();
    EXPECT_EQ(s.Rect(r), r);
    EXPECT_EQ(s.Length(492), 492);
    EXPECT_EQ(s.OwnFontHeight(-12), -12);
  }
}

TEST(TLayoutScale, ScalesEveryEdgeByTheMeasuredTextHeightOver15) {
  const TLayoutScale s(120, 19);
  ASSERT_TRUE(s.Scaled());
  // OKBtn 325,118 73x24: edges 325 -> 411.67, 398 -> 504.13, 118 -> 149.47, 142 -> 179.87.
  EXPECT_EQ(s.Rect({325, 118, 73, 24}), (TLayoutRect{412, 149, 92, 31}));
  // CancelBtn starts at 408 -> 516.8: the gap of 10 between the buttons becomes 13.
  EXPECT_EQ(s.Rect({408, 118, 74, 24}), (TLayoutRect{517, 149, 94, 31}));
  // The client area scales the same way.
  EXPECT_EQ(s.Length(492), 623);
  EXPECT_EQ(s.Length(149), 189);
}

TEST(TLayoutScale, EdgesThatMeetStillMeetAfterScaling) {
  const TLayoutScale s(144, 22);
  const TLayoutRect left = s.Rect({8, 76, 229, 30});    // TimerBar, right edge 237
  const TLayoutRect right = s.Rect({237, 76, 15, 30});  // whatever starts at 237
  EXPECT_EQ(left.Left + left.Width, right.Left);
}

TEST(TLayoutScale, SmallerTextShrinksTheLayout) {
  const TLayoutScale s(72, 11);
  EXPECT_EQ(s.Rect({12, 8, 73, 17}), (TLayoutRect{9, 6, 53, 12}));
  EXPECT_EQ(s.Length(492), 361);
}

// Label4 keeps its own 12-pixel font: as a point size on this screen, times h/15.
TEST(TLayoutScale, AControlsOwnFontScalesItsPointSize) {
  // 120 dpi: 12 px = 7.2 pt -> 7 pt; x 19/15 = 8.87 -> 9 pt; 9 pt at 120 dpi = 15 px.
  EXPECT_EQ(TLayoutScale(120, 19).OwnFontHeight(-12), -15);
  // 144 dpi: 12 px = 6 pt; x 22/15 = 8.8 -> 9 pt; at 144 dpi = 18 px.
  EXPECT_EQ(TLayoutScale(144, 22).OwnFontHeight(-12), -18);
  // 72 dpi: 12 px = 12 pt; x 11/15 = 8.8 -> 9 pt; at 72 dpi = 9 px.
  EXPECT_EQ(TLayoutScale(72, 11).OwnFontHeight(-12), -9);
}
