// Why a tile completes a hand, as the waits tool prints it.
#pragma once

#include <string>

#include "tiles.h"

// SplitHand's groups of fourteen tiles as text, e.g. "11 123 456 789 999" or
// "11 22 33 44 55 66 77". Empty when the tiles are not complete.
std::string Decomposition(const TTileCounts &fourteen);
