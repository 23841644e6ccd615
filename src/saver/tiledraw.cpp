#include "tiledraw.h"

#include "puzzle_geometry.h"

namespace {
COLORREF Gdi(TColor c) {
  return static_cast<COLORREF>(c);
}
}  // namespace

TGdiCanvas::TGdiCanvas(TSurface &surface, TTileStrip &strip) : surface_(surface), strip_(strip) {}

void TGdiCanvas::Fill(const TBox &b, TColor color) {
  surface_.SetBrushColor(Gdi(color));
  surface_.FillRect(b.Left, b.Top, b.Right, b.Bottom);
}

void TGdiCanvas::DrawFace(int rank, int x, int y) {
  const TScale s = Scale();
  const int w = s.Px(PuzzleGeometry::FaceWidth), h = s.Px(PuzzleGeometry::FaceHeight);
  BitBlt(surface_.Dc(), x, y, w, h, strip_.Faces(s), (rank - 1) * w, 0, SRCCOPY);
}

void TGdiCanvas::WriteText(int x, int y, const char *text, TTextSize size) {
  const int pixels = PuzzleGeometry::TextPixels(Scale(), size);
  UniqueGdiObject &font = fonts_[pixels];
  if (!font)
    font = MakeFont("Arial", pixels, FW_BOLD);
  surface_.SetBrushColor(Gdi(Black));
  surface_.WriteText(x, y, text, font.get(), Gdi(Yellow));
}
