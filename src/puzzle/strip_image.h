// The tile strip as pixels every platform can draw: colour indices with the bitmap's colour
// table, read from the 4-bit bitmap the program carries, and the faces at a puzzle's scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas.h"

struct TStripImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Index;  // rows top-down
  std::vector<TColor> Palette;
  uint8_t At(int x, int y) const { return Index[static_cast<size_t>(y) * Width + x]; }
};

// Reads an uncompressed 4-bit BMP file (bottom-up or top-down rows). Throws
// std::runtime_error for anything else, or when the file is shorter than its headers say.
TStripImage DecodeStripBmp(const unsigned char *bytes, size_t size);
// The same bitmap as a resource holds it: the file without its 14-byte file header.
TStripImage DecodeStripDib(const unsigned char *bytes, size_t size);

// The nine faces of strip at scale, side by side as in the strip: each face Px(FaceWidth)
// x Px(FaceHeight). A whole multiple makes every pixel a block; a reduction gives each
// pixel the colour other than the face's ground that covers most of its share of the strip,
// where that covers at least a quarter of it, and the ground otherwise: so the sticks stay
// sticks, in the strip's own colours.
TStripImage ScaledStrip(const TStripImage &strip, TScale scale);
