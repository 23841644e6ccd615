// The tile strip: the nine bamboo faces, 32 x 48 each, side by side, as a 16-colour BMP file.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap16.h"

namespace velkorin_strip {

constexpr int kFaceWidth = 32;
constexpr int kFaceHeight = 48;
constexpr int kRanks = 9;

// The strip's pixels; the face of rank r starts at column (r - 1) * kFaceWidth.
IndexedImage TileStripImage();

// The strip as the bytes of its BMP file.
std::vector<uint8_t> TileStripBmp();

}  // namespace velkorin_strip
