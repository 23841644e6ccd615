// The reference for every test of hands and waits (unit tests, the wait calculator's test,
// the fuzz targets): a plain recursive search for complete hands, written apart from the
// engine's layered test so that the two can be compared.
#pragma once

namespace ref {

// Four tiles of each rank exist.
constexpr int kTilesOfARank = 4;

struct Ranks {
  int n[10] = {};  // n[r] tiles of rank r, 1..9
};

// Whether the tiles split wholly into melds: the lowest tile left is either part of a
// triplet of its rank or the first tile of a run.
inline bool SplitsIntoMelds(Ranks &h, bool runsOnly) {
  int r = 1;
  while (r <= 9 && h.n[r] == 0)
    ++r;
  if (r > 9)
    return true;
  if (!runsOnly && h.n[r] >= 3) {
    h.n[r] -= 3;
    const bool ok = SplitsIntoMelds(h, runsOnly);
    h.n[r] += 3;
    if (ok)
      return true;
  }
  if (r <= 7 && h.n[r + 1] > 0 && h.n[r + 2] > 0) {
    --h.n[r], --h.n[r + 1], --h.n[r + 2];
    const bool ok = SplitsIntoMelds(h, runsOnly);
    ++h.n[r], ++h.n[r + 1], ++h.n[r + 2];
    if (ok)
      return true;
  }
  return false;
}

inline int Total(const Ranks &h) {
  int total = 0;
  for (int r = 1; r <= 9; ++r)
    total += h.n[r];
  return total;
}

// Fourteen tiles: seven different ranks held exactly twice, or a pair and four melds.
inline bool Complete(Ranks h) {
  if (Total(h) != 14)
    return false;
  int pairs = 0;
  for (int r = 1; r <= 9; ++r)
    pairs += h.n[r] == 2;
  if (pairs == 7)
    return true;
  for (int p = 1; p <= 9; ++p) {
    if (h.n[p] < 2)
      continue;
    h.n[p] -= 2;
    const bool ok = SplitsIntoMelds(h, false);
    h.n[p] += 2;
    if (ok)
      return true;
  }
  return false;
}

// Calls f(h) for every hand of the given number of tiles with at most `most` of each rank.
template <typename F>
void ForEachHand(int tiles, int most, F f) {
  Ranks h;
  auto walk = [&](auto &self, int r, int left) -> void {
    if (r == 9) {
      h.n[9] = left;
      if (left <= most)
        f(static_cast<const Ranks &>(h));
      return;
    }
    for (int k = 0; k <= most && k <= left; ++k) {
      h.n[r] = k;
      self(self, r + 1, left - k);
    }
  };
  walk(walk, 1, tiles);
}

// Whether one more tile of rank completes the thirteen tiles of h. A rank already held
// four times cannot be drawn again, so it never completes a hand.
inline bool CompletesWith(Ranks h, int rank) {
  if (h.n[rank] >= kTilesOfARank)
    return false;
  ++h.n[rank];
  return Complete(h);
}

}  // namespace ref
