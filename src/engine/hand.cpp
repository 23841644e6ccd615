#include "hand.h"

bool IsAllRuns(TTileCounts &counts) {
  int16_t total = 0;
  for (int r = 1; r <= 9; ++r)
    total = static_cast<int16_t>(total + counts[r]);
  int r = 1;
  // The lowest tile left can only start a run, so greedy removal is exact.
  while (total != 0 && r <= 7) {
    while (counts[r] == 0 && r < 7)
      ++r;
    if (counts[r] == 0 || counts[r + 1] <= 0 || counts[r + 2] <= 0)
      break;
    --counts[r];
    --counts[r + 1];
    --counts[r + 2];
    total = static_cast<int16_t>(total - 3);
  }
  return total == 0;
}

bool IsFourMelds(const TTileCounts &counts) {
  // A rank gives at most one triplet; twelve tiles hold at most four such ranks.
  int16_t candidates[4] = {};
  int n = 0;
  for (int r = 1; r <= 9 && n < 4; ++r)
    if (counts[r] >= 3)
      candidates[n++] = static_cast<int16_t>(r);
  for (unsigned mask = 0; mask < (1u << n); ++mask) {
    TTileCounts scratch = counts;
    for (int k = 1; k <= 4; ++k)
      if (mask & (1u << (k - 1)))
        scratch[candidates[k - 1]] = static_cast<int16_t>(scratch[candidates[k - 1]] - 3);
    if (IsAllRuns(scratch))
      return true;
  }
  return false;
}

bool IsCompleteHand(TTileCounts &counts) {
  // Seven pairs: every count 0 or 2. The low byte AND 5 is zero for 0 and 2 only,
  // so four of a rank never counts as two pairs.
  bool sevenPairs = true;
  for (int r = 1; r <= 9; ++r)
    if ((counts[r] & 0xFF & 5) != 0)
      sevenPairs = false;
  if (sevenPairs)
    return true;

  bool complete = false;
  for (int p = 1; p <= 9; ++p) {
    if (counts[p] < 2)
      continue;
    counts[p] = static_cast<int16_t>(counts[p] - 2);
    if (IsFourMelds(counts))
      complete = true;
    counts[p] = static_cast<int16_t>(counts[p] + 2);
  }
  return complete;
}
