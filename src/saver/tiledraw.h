// Drawing one tile: its face copied from the strip, then its three-dimensional body.
#pragma once

#include <cstdint>

#include "surface.h"
#include "tilestrip.h"

// Body and outline of a tile whose face has its top-left corner at (x, y). Leaves the
// brush black and the pen grey.
void DrawTileFrame(TSurface &surface, int16_t x, int16_t y);
// Face of rank 1..9 at (x, y), then the frame (with the low 16 bits of y).
void DrawTile(TSurface &surface, const TTileStrip &strip, int rank, int16_t x, int32_t y);

// A tile covers its face plus 12 pixels of body to the right and below.
constexpr int TileBoxWidth = 45;
constexpr int TileBoxHeight = 61;
