#include "explain.h"

namespace {

void AppendGroup(std::string &out, int rank, int tiles, bool run) {
  if (!out.empty())
    out += ' ';
  for (int i = 0; i < tiles; ++i)
    out += static_cast<char>('0' + rank + (run ? i : 0));
}

// Splits what is left of c into melds, appending them to out; on failure out and c are
// as they were.
bool Melds(TTileCounts &c, std::string &out) {
  int r = 1;
  while (r <= 9 && c[r] == 0)
    ++r;
  if (r > 9)
    return true;
  const size_t mark = out.size();
  if (c[r] >= 3) {
    c[r] = static_cast<int16_t>(c[r] - 3);
    AppendGroup(out, r, 3, false);
    const bool ok = Melds(c, out);
    c[r] = static_cast<int16_t>(c[r] + 3);
    if (ok)
      return true;
    out.resize(mark);
  }
  if (r <= 7 && c[r + 1] > 0 && c[r + 2] > 0) {
    --c[r], --c[r + 1], --c[r + 2];
    AppendGroup(out, r, 3, true);
    const bool ok = Melds(c, out);
    ++c[r], ++c[r + 1], ++c[r + 2];
    if (ok)
      return true;
    out.resize(mark);
  }
  return false;
}

}  // namespace

std::string Decomposition(const TTileCounts &fourteen) {
  TTileCounts c = fourteen;
  std::string out;
  for (int p = 1; p <= 9; ++p) {
    if (c[p] < 2)
      continue;
    c[p] = static_cast<int16_t>(c[p] - 2);
    AppendGroup(out, p, 2, false);
    if (Melds(c, out))
      return out;
    out.clear();
    c[p] = static_cast<int16_t>(c[p] + 2);
  }
  int pairs = 0;
  for (int r = 1; r <= 9; ++r)
    if (c[r] == 2)
      ++pairs;
    else if (c[r] != 0)
      return std::string();  // four of a rank is not two pairs
  if (pairs != 7)
    return std::string();
  for (int r = 1; r <= 9; ++r)
    if (c[r] == 2)
      AppendGroup(out, r, 2, false);
  return out;
}
