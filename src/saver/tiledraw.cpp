#include "tiledraw.h"

namespace {
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

void DrawTileFrame(TSurface &surface, int16_t x16, int16_t y16) {
  const int x = x16, y = y16;
  HDC dc = surface.Dc();
  surface.SetPenColor(kGrey);
  surface.SetBrushColor(kWhite);
  // The white layer: right and bottom sides, 6 pixels deep.
  const POINT white[] = {{x + 32, y},     {x + 38, y + 6}, {x + 38, y + 54},
                         {x + 6, y + 54}, {x, y + 48},     {x + 32, y + 48}};
  Polygon(dc, white, 6);
  surface.SetBrushColor(kMaroon);
  // The maroon layer: the same shape 6 pixels further right and down.
  const POINT maroon[] = {{x + 38, y + 6},  {x + 44, y + 12}, {x + 44, y + 60},
                          {x + 12, y + 60}, {x + 6, y + 54},  {x + 38, y + 54}};
  Polygon(dc, maroon, 6);
  // The face's outline, then the edge between the right and bottom sides.
  const POINT outline[] = {{x + 32, y + 48}, {x, y + 48},      {x, y},
                           {x + 32, y},      {x + 32, y + 48}, {x + 44, y + 60}};
  Polyline(dc, outline, 6);
  surface.SetBrushColor(kBlack);
}

void DrawTile(TSurface &surface, const TTileStrip &strip, int rank, int16_t x, int32_t y) {
  const int w = TTileStrip::FaceWidth, h = TTileStrip::FaceHeight;
  StretchBlt(surface.Dc(), x, y, w, h, strip.Dc(), (rank - 1) * w, 0, w, h, SRCCOPY);
  DrawTileFrame(surface, x, static_cast<int16_t>(y));
}
