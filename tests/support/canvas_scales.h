// One check for every canvas: the same puzzles drawn at scale 1, 2, 1/2 and 1/3 and read
// back. A whole scale is the scale-1 picture with every pixel an s x s block (the text
// aside, which fonts do not draw to scale); at every scale each face is the strip's face at
// that scale and nothing lies outside the puzzle's box.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "puzzle.h"
#include "puzzle_geometry.h"
#include "strip_image.h"

namespace canvas_test {

// A canvas on a black picture of its own and a way to read the picture's pixels.
class TCanvasUnderTest {
 public:
  virtual ~TCanvasUnderTest() = default;
  virtual TPuzzleCanvas &Canvas() = 0;
  // Takes in everything drawn so far, for At to read.
  virtual void Snapshot() = 0;
  // 0xRRGGBB as of the last snapshot.
  virtual uint32_t At(int x, int y) const = 0;
};
using TMakeCanvas = std::function<std::unique_ptr<TCanvasUnderTest>(int width, int height)>;

inline uint32_t Rgb(TColor c) {
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

inline void CheckEveryScale(const TMakeCanvas &make, const TStripImage &strip) {
  using namespace PuzzleGeometry;
  const TScale scales[] = {{1, 1}, {2, 1}, {1, 2}, {1, 3}};
  for (bool counts : {false, true}) {
    SCOPED_TRACE(counts ? "with the counts" : "without the counts");
    const ProblemRules rules{true, 12, 0, 0, false};
    // The same scale-1 area for all, so all show the same hands at corresponding places.
    const int w1 = 480, h1 = 200;
    std::unique_ptr<TCanvasUnderTest> canvases[4];
    std::unique_ptr<TPuzzle> puzzles[4];
    TStripImage faces[4];
    for (int i = 0; i < 4; ++i) {
      const TScale s = scales[i];
      const int w = w1 * s.Mul / s.Div, h = h1 * s.Mul / s.Div;
      canvases[i] = make(w, h);
      puzzles[i] = std::make_unique<TPuzzle>(rules, TRandom{4242}, std::vector<TBox>{{0, 0, w, h}},
                                             s, counts);
      faces[i] = ScaledStrip(strip, s);
    }
    for (int step = 0; step < 6; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      for (int i = 0; i < 4; ++i) {
        puzzles[i]->Step(canvases[i]->Canvas());
        canvases[i]->Snapshot();
      }
      const Problem &p = puzzles[0]->Current();
      for (int i = 0; i < 4; ++i) {
        const TScale s = scales[i];
        SCOPED_TRACE("scale " + std::to_string(s.Mul) + "/" + std::to_string(s.Div));
        TCanvasUnderTest &c = *canvases[i];
        const TBox box = puzzles[i]->Box();
        const int w = w1 * s.Mul / s.Div, h = h1 * s.Mul / s.Div;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            if (x < box.Left || x >= box.Right || y < box.Top || y >= box.Bottom) {
              ASSERT_EQ(0u, c.At(x, y)) << "outside the box at " << x << "," << y;
            }
        // Each hand tile's face, without the outline on its first rows and columns.
        const int fw = s.Px(FaceWidth), fh = s.Px(FaceHeight), o = s.Mul;
        for (int t = 1; t <= HandSize; ++t) {
          const int left = box.Left + s.Px((t - 1) * TileStep), rank = p.Hand[t];
          for (int y = o; y < fh; ++y)
            for (int x = o; x < fw; ++x)
              ASSERT_EQ(Rgb(faces[i].Palette[faces[i].At((rank - 1) * fw + x, y)]),
                        c.At(left + x, box.Top + y))
                  << "tile " << t << " face pixel " << x << "," << y;
        }
        if (s.Mul == 1)
          continue;
        // Outside the text: rows 76 to 99 from the label, and the count row under the tiles.
        TCanvasUnderTest &one = *canvases[0];
        const TBox b1 = puzzles[0]->Box();
        for (int y = b1.Top; y < b1.Bottom; ++y)
          for (int x = b1.Left; x < b1.Right; ++x) {
            const int ly = y - b1.Top, lx = x - b1.Left;
            if ((ly >= LabelY && ly < LabelY + 24 && lx >= LabelX && lx < 200) || ly >= PuzzleHeight)
              continue;
            const uint32_t pixel = one.At(x, y);
            for (int k = 0; k < s.Mul * s.Mul; ++k)
              ASSERT_EQ(pixel, c.At(s.Mul * x + k % s.Mul, s.Mul * y + k / s.Mul))
                  << "scale-1 pixel " << x << "," << y;
          }
      }
    }
  }
}

}  // namespace canvas_test
