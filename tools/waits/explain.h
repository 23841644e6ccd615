// Why a tile completes a hand: one way to split the fourteen tiles into groups.
#pragma once

#include <string>

#include "tiles.h"

// The groups of fourteen tiles (each count 0..4) as text: the pair first, then the melds
// from the lowest tile up, a triplet before a run from the same rank, e.g.
// "11 123 456 789 999"; failing that, the seven pairs, "11 22 33 44 55 66 77". Of several
// splits the one with the lowest pair is given. Empty when the tiles are not complete.
std::string Decomposition(const TTileCounts &fourteen);
