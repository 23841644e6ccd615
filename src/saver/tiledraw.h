// Drawing puzzles with GDI: the canvas that puts a puzzle's boxes, faces and labels on a
// surface.
#pragma once

#include <map>

#include "canvas.h"
#include "surface.h"
#include "tilestrip.h"

class TGdiCanvas : public TPuzzleCanvas {
 public:
  TGdiCanvas(TSurface &surface, TTileStrip &strip);

  void Fill(const TBox &box, TColor color) override;
  void DrawFace(int rank, int x, int y) override;
  // Arial bold at the scale's text height, each height's font made on first use.
  void WriteText(int x, int y, const char *text, TTextSize size) override;

 private:
  TSurface &surface_;
  TTileStrip &strip_;
  std::map<int, UniqueGdiObject> fonts_;  // by pixel height
};
