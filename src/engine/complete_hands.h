// Every complete fourteen-tile hand of one suit, one bit each, so that the waits of a hand
// are nine look-ups rather than nine searches.
#pragma once

#include <cstdint>

#include "tiles.h"

class TCompleteHands {
 public:
  // Lists the hands from their shapes (a pair and four melds, or seven pairs) rather than
  // testing every hand, which keeps the build well under a millisecond.
  TCompleteHands();

  // fourteen: fourteen tiles, each count 0..4.
  bool Contains(const TTileCounts &fourteen) const { return Has(Key(fourteen)); }
  // As FindWaits, for thirteen tiles, each count 0..4.
  bool FindWaits(const TTileCounts &thirteen, TWaitSet &waits) const;
  // How many hands it lists.
  int Size() const;

 private:
  // Counts of ranks 1..8 as base-5 digits; rank 9 follows from the fixed total.
  static constexpr uint32_t kKeys = 390625;  // 5^8
  static uint32_t Key(const TTileCounts &counts);
  bool Has(uint32_t key) const { return (bits_[key >> 5] >> (key & 31)) & 1u; }
  void Add(TTileCounts &counts, uint32_t key, int meldsLeft, int firstMeld);

  uint32_t bits_[(kKeys + 31) / 32];
};

// The one set, built on first use (about 49 KB). The saver makes its first problem at start,
// on the thread that makes all of them, so no two threads race to build it even where
// local statics are not guarded.
const TCompleteHands &CompleteHands();
