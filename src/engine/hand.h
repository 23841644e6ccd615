// Complete-hand test for fourteen tiles of one suit: seven pairs, or a pair and four melds.
#pragma once

#include "tiles.h"

// True when the tiles split wholly into runs. Consumes the counts it is given.
bool IsAllRuns(TTileCounts &counts);
// True when twelve tiles split into four melds (triplets and runs).
bool IsFourMelds(const TTileCounts &counts);
// True when fourteen tiles (each count 0..4) form a complete hand. The counts are
// changed during the call and restored before it returns.
bool IsCompleteHand(TTileCounts &counts);
