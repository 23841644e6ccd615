#include "tiledraw.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "puzzle.h"
#include "puzzle_geometry.h"

namespace {

COLORREF Gdi(TColor c) {
  return static_cast<COLORREF>(c);
}

std::vector<POINT> GdiPoints(const TPoint *points, int count) {
  std::vector<POINT> v(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    v[static_cast<size_t>(i)] = {points[i].x, points[i].y};
  return v;
}

}  // namespace

TGdiCanvas::TGdiCanvas(TSurface &surface, const TTileStrip &strip, int labelHeight)
    : surface_(surface), strip_(strip), labelHeight_(labelHeight) {
  surface_.SetFont("Arial", labelHeight, FW_BOLD, Gdi(Yellow));
}

int LabelHeight(int pixelsPerInch) {
  return MulDiv(14, pixelsPerInch, 72);
}

void TGdiCanvas::Erase(const TBox &b) {
  surface_.SetBrushColor(Gdi(Black));
  surface_.FillRect(b.Left, b.Top, b.Right, b.Bottom);
}

// Larger scales copy each face pixel into a block: stretching up never blends colours.
void TGdiCanvas::DrawFace(int rank, int x, int y, int scale) {
  const int w = PuzzleGeometry::FaceWidth, h = PuzzleGeometry::FaceHeight;
  StretchBlt(surface_.Dc(), x, y, w * scale, h * scale, strip_.Dc(), (rank - 1) * w, 0, w, h,
             SRCCOPY);
}

// At scale 1, GDI's own one-pixel lines. Above it, GDI fills the shape and the outline is
// laid in blocks, so that every pixel of the scale-1 outline becomes one block; a wide pen
// would centre its lines on the points and round its corners.
void TGdiCanvas::Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) {
  const std::vector<POINT> v = GdiPoints(points, count);
  surface_.SetPenColor(Gdi(pen));
  surface_.SetBrushColor(Gdi(brush));
  if (scale <= 1) {
    ::Polygon(surface_.Dc(), v.data(), count);
    return;
  }
  {
    SelectGuard noPen(surface_.Dc(), GetStockObject(NULL_PEN));
    ::Polygon(surface_.Dc(), v.data(), count);
  }
  surface_.SetBrushColor(Gdi(pen));
  for (int i = 0; i < count; ++i)
    BlockLine(points[i], points[(i + 1) % count], scale);
}

void TGdiCanvas::Polyline(const TPoint *points, int count, TColor pen, int scale) {
  surface_.SetPenColor(Gdi(pen));
  if (scale <= 1) {
    const std::vector<POINT> v = GdiPoints(points, count);
    ::Polyline(surface_.Dc(), v.data(), count);
    return;
  }
  surface_.SetBrushColor(Gdi(pen));
  for (int i = 0; i + 1 < count; ++i)
    BlockLine(points[i], points[i + 1], scale);
}

// The line from one point towards the next in scale x scale blocks, without the last block,
// as GDI leaves out a line's last pixel. Lines along an axis are one rectangle.
void TGdiCanvas::BlockLine(TPoint from, TPoint to, int s) {
  const int dx = to.x - from.x, dy = to.y - from.y;
  if (dx == 0 || dy == 0) {
    const int left = dx < 0 ? to.x + s : from.x, top = dy < 0 ? to.y + s : from.y;
    const int right = dx > 0 ? to.x : from.x + s, bottom = dy > 0 ? to.y : from.y + s;
    if (left < right && top < bottom)
      surface_.FillRect(left, top, right, bottom);
    return;
  }
  // a / b rounded to the nearest, halves away from zero, for b > 0.
  auto rounded = [](int a, int b) {
    return a >= 0 ? (2 * a + b) / (2 * b) : -((b - 2 * a) / (2 * b));
  };
  const int n = std::max(std::abs(dx), std::abs(dy)) / s;
  for (int k = 0; k < n; ++k) {
    const int x = from.x + rounded(k * dx, n), y = from.y + rounded(k * dy, n);
    surface_.FillRect(x, y, x + s, y + s);
  }
}

void TGdiCanvas::WriteText(int x, int y, const char *text, TTextSize size, int) {
  if (size == TTextSize::Small && !smallFont_)
    smallFont_ = MakeFont("Arial", PuzzleGeometry::SmallTextPixels(labelHeight_), FW_BOLD);
  surface_.SetBrushColor(Gdi(Black));
  if (size == TTextSize::Small && smallFont_)
    surface_.WriteText(x, y, text, smallFont_.get());
  else
    surface_.WriteText(x, y, text);
}
