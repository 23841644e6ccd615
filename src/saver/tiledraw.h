// Drawing puzzles with GDI: the canvas that puts a puzzle's faces, frames and labels on a
// surface, and single tiles through it.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "surface.h"
#include "tilestrip.h"

class TGdiCanvas : public TPuzzleCanvas {
 public:
  // Selects the label's font into the surface: Arial bold, labelHeight pixels high.
  TGdiCanvas(TSurface &surface, const TTileStrip &strip, int labelHeight);
  // Shapes and fills only: no faces, and labels in whatever font the surface has.
  explicit TGdiCanvas(TSurface &surface) : surface_(surface) {}

  void Erase(const TBox &box) override;
  void DrawFace(int rank, int x, int y, int scale) override;
  void Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) override;
  void Polyline(const TPoint *points, int count, TColor pen, int scale) override;
  // The small size is Arial bold at SmallTextPixels of the label's height, made on first
  // use; without a label height of its own the canvas writes both in the surface's font.
  void WriteText(int x, int y, const char *text, TTextSize size, int scale) override;

 private:
  void BlockLine(TPoint from, TPoint to, int scale);

  TSurface &surface_;
  const TTileStrip *strip_ = nullptr;
  int labelHeight_ = 0;
  UniqueGdiObject smallFont_;
};

// The label's pixel height for a screen of pixelsPerInch: 14 points, 19 pixels at 96.
int LabelHeight(int pixelsPerInch);

// Body and outline of a tile whose face has its top-left corner at (x, y). Leaves the
// brush black and the pen grey.
void DrawTileFrame(TSurface &surface, int16_t x, int16_t y);
// Face of rank 1..9 at (x, y), then the frame (with the low 16 bits of y).
void DrawTile(TSurface &surface, const TTileStrip &strip, int rank, int16_t x, int32_t y);
