// The puzzle drawn on the page's HTML canvas: each call goes to the page's glue, which turns
// it into one fillRect, putImageData or fillText on whichever canvas it is drawing.
#pragma once

#include "canvas.h"

class THtmlCanvas : public TPuzzleCanvas {
 public:
  void Fill(const TBox &box, TColor color) override;
  // The page copies the face from the strip at this scale, which it asks for once (Faces).
  void DrawFace(int rank, int x, int y) override;
  void WriteText(int x, int y, const char *text, TTextSize size) override;
};
