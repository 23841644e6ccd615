// The few things a platform draws a puzzle with, and the scale it draws at.
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

// A puzzle's scale: a whole multiple of the scale-1 pixels, or a reduction of them. One of
// the two is always 1.
struct TScale {
  int Mul = 1;
  int Div = 1;
  // A length or an offset at scale 1 in this scale's pixels; reductions round down, so
  // offsets keep their order and nothing reduced grows past its scale-1 box.
  int Px(int v) const {
    const int n = v * Mul;
    return n >= 0 ? n / Div : -((Div - 1 - n) / Div);
  }
  bool operator==(const TScale &o) const { return Mul == o.Mul && Div == o.Div; }
  bool operator!=(const TScale &o) const { return !(*this == o); }
};

// What a platform draws a puzzle with: filled boxes, the strip's faces and yellow text, in
// the window's pixels. A canvas draws at one scale at a time, which the puzzle sets before
// each part it draws (the puzzle's own, the smaller one of the split rows), so no drawing
// call carries one; the outlines and bodies of tiles are laid as boxes by the puzzle, the
// same on every platform.
class TPuzzleCanvas {
 public:
  virtual ~TPuzzleCanvas() = default;

  TScale Scale() const { return scale_; }
  void SetScale(TScale scale) { scale_ = scale; }

  // Fills the box with the colour.
  virtual void Fill(const TBox &box, TColor color) = 0;
  // Fills the box black.
  void Erase(const TBox &box) { Fill(box, Black); }
  // The face of rank 1..9 at this scale (ScaledStrip) with its top-left corner at (x, y).
  virtual void DrawFace(int rank, int x, int y) = 0;
  // Yellow bold text with its top-left corner at (x, y), on an opaque black box as high as
  // the font, in TextPixels of this scale and size.
  virtual void WriteText(int x, int y, const char *text, TTextSize size) = 0;

 private:
  TScale scale_;
};
