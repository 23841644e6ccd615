// What a platform draws a puzzle with. Coordinates are the window's pixels; scale is the
// puzzle's integer scale, so a platform can size faces, lines and text to match.
#pragma once

#include <cstdint>

struct TPoint {
  int x, y;
};

// Right and bottom edges excluded.
struct TBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// Colours as 0x00BBGGRR, red in the low byte.
using TColor = uint32_t;
constexpr TColor ColorOf(uint8_t r, uint8_t g, uint8_t b) {
  return r | (uint32_t{g} << 8) | (uint32_t{b} << 16);
}
constexpr TColor Black = ColorOf(0, 0, 0);
constexpr TColor Grey = ColorOf(128, 128, 128);
constexpr TColor White = ColorOf(255, 255, 255);
constexpr TColor Maroon = ColorOf(128, 0, 0);
constexpr TColor Yellow = ColorOf(255, 255, 0);

enum class TTextSize { Label, Small };

class TPuzzleCanvas {
 public:
  virtual ~TPuzzleCanvas() = default;
  // Fills the box black.
  virtual void Erase(const TBox &box) = 0;
  // The face of rank 1..9 with its top-left corner at (x, y), each face pixel a
  // scale x scale block.
  virtual void DrawFace(int rank, int x, int y, int scale) = 0;
  // A closed shape filled with brush and outlined with pen, lines scale pixels wide.
  virtual void Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) = 0;
  // An open line through the points, without the last point, as GDI draws it.
  virtual void Polyline(const TPoint *points, int count, TColor pen, int scale) = 0;
  // Yellow bold text with its top-left corner at (x, y), on black, in the label's size or
  // the smaller one of the tiles-left row (SmallTextPixels of the label's).
  virtual void WriteText(int x, int y, const char *text, TTextSize size, int scale) = 0;
};
