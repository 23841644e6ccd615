#include "explain.h"

#include "split.h"

std::string Decomposition(const TTileCounts &fourteen) {
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
