// The tile strip: the nine bamboo faces, 32 x 48 each, side by side, as a 16-colour BMP file.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap16.h"

namespace velkorin_strip {

constexpr int kFaceWidth = 32;
constexpr int kFaceHeight = 48;
constexpr int kRanks = 9;

// A stick's rows from its top. F is a full row, S a shaft row, and F N F a node, N being the
// node's middle row.
constexpr const char *kLongStick = "FFSSSSSFNFSSSSSSFF";
constexpr const char *kShortStick = "FFSSSFNFSSSSFF";
constexpr int kStickWidth = 5;

// The pixels of one stick row of the given kind, kStickWidth of them: '#' the stick's colour,
// '.' the ground. Throws for a kind that is not F, S or N.
const char *StickRowPattern(char kind);

// The strip's pixels; the face of rank r starts at column (r - 1) * kFaceWidth.
IndexedImage TileStripImage();

// The strip as the bytes of its BMP file.
std::vector<uint8_t> TileStripBmp();

}  // namespace velkorin_strip
