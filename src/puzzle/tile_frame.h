// A tile's body and outline as boxes of one colour each, laid the same way for every
// platform: the shapes are drawn once at scale 1 (or at the reduced size) as GDI draws
// polygons and lines, and a whole scale makes each of those pixels a block. So every canvas
// only fills boxes, and a larger scale is exactly the scale-1 picture enlarged.
#pragma once

#include <vector>

#include "canvas.h"

struct TPaintBox {
  TBox Box;  // from the face's top-left corner
  TColor Color;
};

struct TTileFrame {
  TScale Scale;
  std::vector<TPaintBox> Boxes;  // none overlaps another
  int Width = 0, Height = 0;     // the pixels the tile covers from its face's corner
};

TTileFrame MakeTileFrame(TScale scale);

// One tile on its own: the face of rank 1..9 with its top-left corner at (left, top), then
// the frame, at the frame's scale (the canvas's, which it sets); outline for the frame's grey
// lines marks a tile out.
void DrawPuzzleTile(TPuzzleCanvas &canvas, const TTileFrame &frame, int rank, int left, int top,
                    TColor outline = Grey);
