#include "complete_hands.h"

namespace {

// The base-5 place of each rank in a key; rank 9 has none.
constexpr uint32_t kPlace[10] = {0, 1, 5, 25, 125, 625, 3125, 15625, 78125, 0};

// Melds 0..8 are the triplets of ranks 1..9, melds 9..15 the runs from ranks 1..7.
constexpr int kMelds = 16;

bool PutMeld(TTileCounts &c, int meld, uint32_t &key) {
  if (meld < 9) {
    const int r = meld + 1;
    if (c[r] > MaxOfRank - 3)
      return false;
    c[r] = static_cast<int16_t>(c[r] + 3);
    key += 3 * kPlace[r];
    return true;
  }
  const int r = meld - 8;
  if (c[r] == MaxOfRank || c[r + 1] == MaxOfRank || c[r + 2] == MaxOfRank)
    return false;
  ++c[r], ++c[r + 1], ++c[r + 2];
  key += kPlace[r] + kPlace[r + 1] + kPlace[r + 2];
  return true;
}

void TakeMeld(TTileCounts &c, int meld) {
  if (meld < 9) {
    c[meld + 1] = static_cast<int16_t>(c[meld + 1] - 3);
  } else {
    const int r = meld - 8;
    --c[r], --c[r + 1], --c[r + 2];
  }
}

}  // namespace

TCompleteHands::TCompleteHands() : bits_() {
  TTileCounts c{};
  for (int p = 1; p <= 9; ++p) {
    c[p] = 2;
    Add(c, 2 * kPlace[p], 4, 0);
    c[p] = 0;
  }
  // Seven pairs: seven of the nine ranks, that is all but two.
  for (int a = 1; a <= 9; ++a)
    for (int b = a + 1; b <= 9; ++b) {
      uint32_t key = 0;
      for (int r = 1; r <= 9; ++r)
        if (r != a && r != b)
          key += 2 * kPlace[r];
      bits_[key >> 5] |= 1u << (key & 31);
    }
}

// Melds are added in non-decreasing order, so each multiset of melds is reached once.
void TCompleteHands::Add(TTileCounts &c, uint32_t key, int meldsLeft, int firstMeld) {
  if (meldsLeft == 0) {
    bits_[key >> 5] |= 1u << (key & 31);
    return;
  }
  for (int m = firstMeld; m < kMelds; ++m) {
    uint32_t next = key;
    if (!PutMeld(c, m, next))
      continue;
    Add(c, next, meldsLeft - 1, m);
    TakeMeld(c, m);
  }
}

uint32_t TCompleteHands::Key(const TTileCounts &counts) {
  uint32_t key = 0;
  for (int r = 8; r >= 1; --r)
    key = key * 5 + static_cast<uint32_t>(counts[r]);
  return key;
}

bool TCompleteHands::FindWaits(const TTileCounts &thirteen, TWaitSet &waits) const {
  const uint32_t key = Key(thirteen);
  bool found = false;
  for (int r = 1; r <= 9; ++r) {
    // No fifth tile of a rank exists.
    waits[r] = thirteen[r] < MaxOfRank && Has(key + kPlace[r]);
    found = found || waits[r];
  }
  waits[NoWait] = !found;
  return found;
}

int TCompleteHands::Size() const {
  int n = 0;
  for (uint32_t word : bits_)
    for (; word; word &= word - 1)
      ++n;
  return n;
}

const TCompleteHands &CompleteHands() {
  static const TCompleteHands hands;
  return hands;
}
