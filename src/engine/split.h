// Why a tile completes a hand: the fourteen tiles split into their groups. The waits tool
// prints it and the drill draws it, so both tell the same story.
#pragma once

#include <cstdint>
#include <string>

#include "tiles.h"

// A pair, a triplet or a run, named by its lowest rank.
struct THandGroup {
  int16_t Rank;
  int16_t Tiles;  // 2 or 3
  bool Run;
  // The rank of tile i (0-based) of the group.
  int RankAt(int i) const { return Rank + (Run ? i : 0); }
};

// A pair and four melds, or seven pairs.
struct THandSplit {
  THandGroup Groups[7];
  int Count = 0;  // 0: the tiles are not complete
};

// The pair first, then the melds from the lowest tile up, a triplet before a run from the
// same rank; failing that, the seven pairs. Of several splits the one with the lowest pair
// is given. fourteen: each count 0..4. False, with Count 0, when the tiles are not complete.
bool SplitHand(const TTileCounts &fourteen, THandSplit &split);

// The split of fourteen as text, a group a word: "11 123 456 789 999" or
// "11 22 33 44 55 66 77". Empty when the tiles are not complete.
std::string SplitText(const TTileCounts &fourteen);
