// Where each part of one puzzle lies, in pixels at scale 1 from the hand's top-left corner.
// Every platform draws from these numbers, so the saver and the X11 hack show the same.
#pragma once

#include "canvas.h"
#include "problem.h"

namespace PuzzleGeometry {

// A tile: its face from the strip, then a body 12 pixels deep to the right and below,
// whose outline ends one pixel further.
constexpr int FaceWidth = 32;
constexpr int FaceHeight = 48;
constexpr int BodyDepth = 12;
constexpr int TileBoxWidth = FaceWidth + BodyDepth + 1;
constexpr int TileBoxHeight = FaceHeight + BodyDepth + 1;

// The hand: thirteen tiles, each overlapping the body of the one before.
constexpr int TileStep = 34;
// The answer: "Answer :" under the second tile, then the waiting tiles (or "None").
constexpr int LabelX = TileStep;
constexpr int LabelY = 76;
constexpr int AnswerX = 4 * TileStep;
constexpr int AnswerTileY = 64;
constexpr int MaxWaits = 9;
// The label's pixel height at scale 1 (14 points at 96 pixels per inch); TextPixels scales
// it.
constexpr int LabelPixels = 19;

// With the tiles left shown, a row under the answer tiles in the smaller text: under each
// face the count of its rank (one digit, about the middle of the face), and under
// "Answer :" their total. The row holds the smaller text's box in the fonts the platforms
// pick: Arial, Liberation Sans and DejaVu Sans bold are 16 or 17 pixels high at 14, and no
// more than 18 x scale at the scales' sizes.
constexpr int CountY = AnswerTileY + TileBoxHeight + 2;
constexpr int CountX = 12;
constexpr int CountRowHeight = 18;
constexpr int PuzzleHeightWithCounts = CountY + CountRowHeight;

// With the splits shown, under the answer (and the count row) one row for each wait: the hand
// with that wait, split into its groups, at a smaller scale than the puzzle's (SplitScale).
// The rows start under "Answer :"; their own sizes below are in the rows' scale-1 pixels.
constexpr int SplitsX = LabelX;
constexpr int SplitsGap = 8;
constexpr int SplitRowStep = TileBoxHeight + 5;
// Between two groups the step grows by this, which leaves a clear gap after the body.
constexpr int SplitGroupGap = 24;
// The added tile's yellow frame: over the face's outline and one pixel outside it, so it
// covers no face and no neighbour's face.
constexpr int MarkOutside = 1;
constexpr int MarkWidth = 2;
// Room for nine rows, whichever the answer: the rows are at most half the puzzle's scale.
constexpr int SplitRowsHeight = (MaxWaits - 1) * SplitRowStep + TileBoxHeight;
constexpr int SplitsHeight = SplitsGap + (SplitRowsHeight + 1) / 2;

// The smaller text's pixel height beside a label of labelPixels: 10 points to its 14,
// rounded as MulDiv rounds (14 beside 19).
constexpr int SmallTextPixels(int labelPixels) {
  return (labelPixels * 10 + 7) / 14;
}

// The pixel height of text at a scale, the same on every platform: the label's scale-1
// height times the scale, to the nearest pixel, and the smaller text beside it.
constexpr int TextPixels(TScale scale, TTextSize size) {
  const int label = (2 * LabelPixels * scale.Mul + scale.Div) / (2 * scale.Div);
  return size == TTextSize::Small ? SmallTextPixels(label) : label;
}

}  // namespace PuzzleGeometry

// The placement keeps this box inside the area; it must hold the widest answer.
static_assert(PuzzleWidth == PuzzleGeometry::AnswerX +
                                 (PuzzleGeometry::MaxWaits - 1) * PuzzleGeometry::TileStep +
                                 PuzzleGeometry::TileBoxWidth,
              "the puzzle box holds nine answer tiles");
static_assert(PuzzleHeight == PuzzleGeometry::AnswerTileY + PuzzleGeometry::TileBoxHeight,
              "the puzzle box holds the answer row");
static_assert((HandSize - 1) * PuzzleGeometry::TileStep + PuzzleGeometry::TileBoxWidth <=
                  PuzzleWidth,
              "the puzzle box holds the hand");
static_assert(PuzzleGeometry::SplitsX +
                      (HandSize * PuzzleGeometry::TileStep +
                       6 * PuzzleGeometry::SplitGroupGap + PuzzleGeometry::TileBoxWidth + 1) /
                          2 <=
                  PuzzleWidth,
              "a row of seven pairs at half the scale fits the puzzle's width");
