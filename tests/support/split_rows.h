// One check for every canvas: the splits under an answer, read back from the picture group by
// group (a face at each tile step, a wider step between groups), are the engine's split of
// the hand with each wait, and the wait's tile is the one framed in yellow.
#pragma once

#include <string>
#include <vector>

#include "canvas_scales.h"
#include "split.h"
#include "tile_frame.h"

namespace canvas_test {

// The rank whose face has its corner at (x, y), or 0 where none has; outlines aside.
inline int FaceAt(const TCanvasUnderTest &c, const TStripImage &faces, TScale s, int x, int y) {
  using namespace PuzzleGeometry;
  const int fw = s.Px(FaceWidth), fh = s.Px(FaceHeight), o = s.Mul;
  for (int rank = 1; rank <= 9; ++rank) {
    bool same = true;
    for (int j = o; j < fh && same; ++j)
      for (int i = o; i < fw && same; ++i)
        same = Rgb(faces.Palette[faces.At((rank - 1) * fw + i, j)]) == c.At(x + i, y + j);
    if (same)
      return rank;
  }
  return 0;
}

// The row whose first face is at (left, top) as "11 123 456 789 999", the framed tile's rank
// and place marked with a star before it.
inline std::string ReadRow(const TCanvasUnderTest &c, const TStripImage &faces, TScale s, int left,
                           int top) {
  using namespace PuzzleGeometry;
  std::string row;
  for (int x = 0;;) {
    int rank = FaceAt(c, faces, s, left + s.Px(x), top);
    if (rank == 0) {
      x += SplitGroupGap;
      rank = FaceAt(c, faces, s, left + s.Px(x), top);
      if (rank == 0 || row.empty())
        return row;
      row += ' ';
    }
    if (c.At(left + s.Px(x + FaceWidth / 2), top + s.Px(-MarkOutside)) == Rgb(Yellow))
      row += '*';
    row += static_cast<char>('0' + rank);
    x += TileStep;
  }
}

// The engine's split of thirteen tiles and the wait, written as ReadRow reads it.
inline std::string ExpectedRow(TTileCounts counts, int wait) {
  ++counts[wait];
  THandSplit split;
  EXPECT_TRUE(SplitHand(counts, split));
  std::string row;
  bool marked = false;
  for (int g = 0; g < split.Count; ++g) {
    if (g > 0)
      row += ' ';
    for (int i = 0; i < split.Groups[g].Tiles; ++i) {
      const int rank = split.Groups[g].RankAt(i);
      if (rank == wait && !marked)
        row += '*';
      marked = marked || rank == wait;
      row += static_cast<char>('0' + rank);
    }
  }
  return row;
}

inline void CheckRows(const TCanvasUnderTest &c, const TStripImage &faces, TScale s,
                      const Problem &p, int left, int top) {
  int k = 0;
  for (int w = 1; w <= 9; ++w) {
    if (!p.Waits[w])
      continue;
    EXPECT_EQ(ExpectedRow(p.Counts, w),
              ReadRow(c, faces, s, left, top + s.Px(k++ * PuzzleGeometry::SplitRowStep)))
        << "wait " << w;
  }
  EXPECT_EQ("", ReadRow(c, faces, s, left, top + s.Px(k * PuzzleGeometry::SplitRowStep)));
}

// A pair wait, seven pairs and nine waits, at the rows' smallest and whole scales; then a
// puzzle at scale 2 with the setting, whose rows lie under its first answer with a wait.
inline void CheckSplits(const TMakeCanvas &make, const TStripImage &strip) {
  using namespace PuzzleGeometry;
  for (const char *hand : {"1111234567895", "1133557799224", "1112345678999"})
    for (TScale s : {TScale{1, 2}, TScale{1, 1}}) {
      SCOPED_TRACE(std::string(hand) + " at 1/" + std::to_string(s.Div));
      Problem p{};
      for (const char *t = hand; *t; ++t)
        ++p.Counts[*t - '0'];
      FindWaits(p.Counts, p.Waits);
      // Room for a tenth row, which is read to find it empty.
      auto c = make(s.Px(PuzzleWidth * 2), s.Px(SplitRowsHeight + SplitRowStep + 8));
      DrawSplitRows(c->Canvas(), MakeTileFrame(s), p, s.Px(4), s.Px(4));
      c->Snapshot();
      CheckRows(*c, ScaledStrip(strip, s), s, p, s.Px(4), s.Px(4));
    }
  const int w = 2 * PuzzleWidth, h = 2 * PuzzleBoxHeight(false, true);
  auto c = make(w, h + SplitRowStep);
  TPuzzle puzzle({true, 0, 0, 0, false}, TRandom{21}, {{0, 0, w, h}}, {2, 1}, false, true);
  puzzle.Step(c->Canvas());
  puzzle.Step(c->Canvas());
  c->Snapshot();
  const TBox b = puzzle.Box();
  ASSERT_EQ(h, b.Height());
  CheckRows(*c, ScaledStrip(strip, {1, 1}), {1, 1}, puzzle.Current(), b.Left + 2 * SplitsX,
            b.Top + 2 * (PuzzleHeight + SplitsGap));
}

}  // namespace canvas_test
