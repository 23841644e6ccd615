// The one-suit tile model: counts, hands and wait sets, all 1-based by rank or position.
#pragma once

#include <cstdint>

// Number of tiles of each rank 1..9 (there is no rank 0).
struct TTileCounts {
  int16_t v[9];
  int16_t &operator[](int rank) { return v[rank - 1]; }
  int16_t operator[](int rank) const { return v[rank - 1]; }
};

// Thirteen tile ranks in on-screen order, positions 1..13.
struct TTileHand {
  int16_t v[13];
  int16_t &operator[](int pos) { return v[pos - 1]; }
  int16_t operator[](int pos) const { return v[pos - 1]; }
};

// Flag r (1..9): one more tile of rank r completes the hand. Flag NoWait (0): none does.
struct TWaitSet {
  bool v[10];
  bool &operator[](int rank) { return v[rank]; }
  bool operator[](int rank) const { return v[rank]; }
};

constexpr int NoWait = 0;
constexpr int HandSize = 13;
constexpr int MaxOfRank = 4;

// How many ranks complete the hand.
inline int WaitCount(const TWaitSet &waits) {
  int n = 0;
  for (int r = 1; r <= 9; ++r)
    n += waits[r];
  return n;
}

// Tiles of a rank still unseen by the player: four exist, minus those held.
inline int TilesLeft(const TTileCounts &counts, int rank) {
  return MaxOfRank - counts[rank];
}

// The unseen tiles of every wait together, the hand's chances to complete; 0 without a wait.
inline int TilesLeftForWaits(const TTileCounts &counts, const TWaitSet &waits) {
  int total = 0;
  for (int r = 1; r <= 9; ++r)
    if (waits[r])
      total += TilesLeft(counts, r);
  return total;
}
