// The tile strip as the program carries it: the bytes of resources/tiles.bmp, and their
// pixels as colour indices with the file's colour table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas.h"

extern const unsigned char TilesBmp[];
extern const size_t TilesBmpSize;

struct TStripImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Index;  // rows top-down
  std::vector<TColor> Palette;
  uint8_t At(int x, int y) const { return Index[static_cast<size_t>(y) * Width + x]; }
};

// Reads an uncompressed 4-bit BMP (bottom-up or top-down rows). Throws std::runtime_error
// for anything else, or when the file is shorter than its headers say.
TStripImage DecodeStripBmp(const unsigned char *bytes, size_t size);
