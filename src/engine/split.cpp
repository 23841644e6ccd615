#include "split.h"

namespace {

void Put(THandSplit &split, int rank, int tiles, bool run) {
  split.Groups[split.Count++] = {static_cast<int16_t>(rank), static_cast<int16_t>(tiles), run};
}

// Splits what is left of c into melds after the groups already in split; on failure c and
// split are as they were. At most four melds deep.
bool Melds(TTileCounts &c, THandSplit &split) {
  int r = 1;
  while (r <= 9 && c[r] == 0)
    ++r;
  if (r > 9)
    return true;
  const int mark = split.Count;
  if (c[r] >= 3 && split.Count < 5) {
    c[r] = static_cast<int16_t>(c[r] - 3);
    Put(split, r, 3, false);
    const bool ok = Melds(c, split);
    c[r] = static_cast<int16_t>(c[r] + 3);
    if (ok)
      return true;
    split.Count = mark;
  }
  if (r <= 7 && c[r + 1] > 0 && c[r + 2] > 0 && split.Count < 5) {
    --c[r], --c[r + 1], --c[r + 2];
    Put(split, r, 3, true);
    const bool ok = Melds(c, split);
    ++c[r], ++c[r + 1], ++c[r + 2];
    if (ok)
      return true;
    split.Count = mark;
  }
  return false;
}

}  // namespace

bool SplitHand(const TTileCounts &fourteen, THandSplit &split) {
  TTileCounts c = fourteen;
  split.Count = 0;
  int total = 0;
  for (int r = 1; r <= 9; ++r) {
    if (c[r] < 0 || c[r] > MaxOfRank)
      return false;
    total += c[r];
  }
  if (total != HandSize + 1)
    return false;
  for (int p = 1; p <= 9; ++p) {
    if (c[p] < 2)
      continue;
    c[p] = static_cast<int16_t>(c[p] - 2);
    Put(split, p, 2, false);
    if (Melds(c, split))
      return true;
    split.Count = 0;
    c[p] = static_cast<int16_t>(c[p] + 2);
  }
  for (int r = 1; r <= 9; ++r)
    if (c[r] != 0 && c[r] != 2)
      return false;  // four of a rank is not two pairs
  for (int r = 1; r <= 9; ++r)
    if (c[r] == 2)
      Put(split, r, 2, false);
  return true;
}

std::string SplitText(const TTileCounts &fourteen) {
  THandSplit split;
  std::string out;
  if (!SplitHand(fourteen, split))
    return out;
  for (int g = 0; g < split.Count; ++g) {
    if (g > 0)
      out += ' ';
    for (int i = 0; i < split.Groups[g].Tiles; ++i)
      out += static_cast<char>('0' + split.Groups[g].RankAt(i));
  }
  return out;
}
