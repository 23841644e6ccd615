// The puzzle drawn on the page's HTML canvas: each call goes to the page's glue, which turns
// it into one fillRect, putImageData or fillText on whichever canvas it is drawing.
#pragma once

#include "canvas.h"

class THtmlCanvas : public TPuzzleCanvas {
 public:
  void Erase(const TBox &box) override;
  void DrawFace(int rank, int x, int y, int scale) override;
  void Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) override;
  void Polyline(const TPoint *points, int count, TColor pen, int scale) override;
  void WriteText(int x, int y, const char *text, TTextSize size, int scale) override;
};
