// Drawing puzzles with GDI: the canvas that puts a puzzle's faces, frames and labels on a
// surface.
#pragma once

#include "canvas.h"
#include "surface.h"
#include "tilestrip.h"

class TGdiCanvas : public TPuzzleCanvas {
 public:
  // Selects the label's font into the surface: Arial bold, labelHeight pixels high.
  TGdiCanvas(TSurface &surface, const TTileStrip &strip, int labelHeight);

  void Erase(const TBox &box) override;
  void DrawFace(int rank, int x, int y, int scale) override;
  void Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) override;
  void Polyline(const TPoint *points, int count, TColor pen, int scale) override;
  // The small size is Arial bold at SmallTextPixels of the label's height, made on first
  // use.
  void WriteText(int x, int y, const char *text, TTextSize size, int scale) override;

 private:
  void BlockLine(TPoint from, TPoint to, int scale);

  TSurface &surface_;
  const TTileStrip &strip_;
  int labelHeight_;
  UniqueGdiObject smallFont_;
};

// The label's pixel height for a screen of pixelsPerInch: 14 points, 19 pixels at 96.
int LabelHeight(int pixelsPerInch);
