#include "problem.h"

#include "complete_hands.h"
#include "random.h"

bool FindWaits(const TTileCounts &counts, TWaitSet &waits) {
  return CompleteHands().FindWaits(counts, waits);
}

namespace {

void DrawHand(Problem &p, TRandom &random) {
  for (int r = 1; r <= 9; ++r)
    p.Counts[r] = 0;
  for (int i = 1; i <= HandSize; ++i) {
    int d;
    do
      d = RandomBelow(random, 9) + 1;
    while (p.Counts[d] == MaxOfRank);
    p.Hand[i] = static_cast<int16_t>(d);
    ++p.Counts[d];
  }
}

void BubbleSort(TTileHand &hand) {
  for (int i = 1; i <= HandSize; ++i)
    for (int j = 1; j <= HandSize - i; ++j)
      if (hand[j] > hand[j + 1]) {
        int16_t t = hand[j];
        hand[j] = hand[j + 1];
        hand[j + 1] = t;
      }
}

// A range below zero (an area too small for the whole puzzle) places at 0, but still
// draws, so the sequence of draws keeps its shape. The range is worked out in 64 bits, so
// no area size can overflow it.
int32_t PlaceBelow(TRandom &random, int64_t range) {
  return RandomBelow(random, range > 0 ? static_cast<int32_t>(range) : 0);
}

}  // namespace

void MakeProblem(Problem &p, const ProblemRules &rules, TRandom &random) {
  const bool wantWait = RandomBelow(random, 40) >= rules.NoAnsRate;
  const int fewest = rules.MinWaits >= 1 && rules.MinWaits <= MaxMinWaits ? rules.MinWaits : 1;
  for (;;) {
    DrawHand(p, random);
    const bool found = FindWaits(p.Counts, p.Waits);
    if (wantWait ? found && WaitCount(p.Waits) >= fewest : !found)
      break;
  }

  if (rules.Sort)
    BubbleSort(p.Hand);

  if (!rules.Preview) {
    p.HandX = PlaceBelow(random, int64_t{rules.AreaWidth} - (PuzzleWidth - 1));
    p.HandY = PlaceBelow(random, int64_t{rules.AreaHeight} - (int64_t{rules.Height} - 1));
  } else {
    p.HandX = PlaceBelow(random, rules.AreaWidth / 2);
    p.HandY = PlaceBelow(random, rules.AreaHeight / 2);
  }
}
