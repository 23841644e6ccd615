// Random problems from any generator state and any settings: the hand is one that can be
// dealt, its counts and answer agree with it, it has a wait exactly when the first draw
// asked for one, and then at least MinWaits of them, and it lies inside the drawing area.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "check.h"
#include "hand_reference.h"
#include "problem.h"
#include "random.h"

namespace {

bool CompletesWith(const TTileCounts &counts, int rank) {
  ref::Ranks h;
  for (int r = 1; r <= 9; ++r)
    h.n[r] = counts[r];
  return ref::CompletesWith(h, rank);
}

void CheckPlace(int32_t place, int32_t range) {
  if (range > 0)
    FUZZ_CHECK(place >= 0 && place < range);
  else
    FUZZ_CHECK(place == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  uint8_t in[12] = {};
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  uint32_t seed;
  std::memcpy(&seed, in, sizeof seed);
  int16_t width, height;
  std::memcpy(&width, in + 4, sizeof width);
  std::memcpy(&height, in + 6, sizeof height);
  ProblemRules rules{};
  rules.Sort = (in[8] & 1) != 0;
  rules.Preview = (in[8] & 2) != 0;
  // Around the useful 0..40, with the hand-edited extremes now and then.
  rules.NoAnsRate = (in[8] & 4) ? (in[9] & 1 ? INT32_MAX : INT32_MIN) : int8_t(in[9]);
  rules.AreaWidth = width;
  rules.AreaHeight = height;
  // -1..MaxMinWaits + 2, and the extremes.
  rules.MinWaits =
      (in[10] & 0x80) ? (in[10] & 1 ? INT32_MAX : INT32_MIN) : in[10] % (MaxMinWaits + 4) - 1;

  TRandom peek{seed};
  const bool wantWait = RandomBelow(peek, 40) >= rules.NoAnsRate;
  TRandom random{seed};

  Problem p;
  std::memset(&p, 0xA5, sizeof p);
  MakeProblem(p, rules, random);

  int fromHand[10] = {};
  for (int i = 1; i <= HandSize; ++i) {
    FUZZ_CHECK(p.Hand[i] >= 1 && p.Hand[i] <= 9);
    ++fromHand[p.Hand[i]];
    if (rules.Sort && i > 1)
      FUZZ_CHECK(p.Hand[i - 1] <= p.Hand[i]);
  }
  bool any = false;
  int waits = 0;
  for (int r = 1; r <= 9; ++r) {
    FUZZ_CHECK(p.Counts[r] == fromHand[r]);
    FUZZ_CHECK(p.Counts[r] <= MaxOfRank);
    FUZZ_CHECK(p.Waits[r] == CompletesWith(p.Counts, r));
    any = any || p.Waits[r];
    waits += p.Waits[r];
  }
  if (any && rules.MinWaits >= 1 && rules.MinWaits <= MaxMinWaits)
    FUZZ_CHECK(waits >= rules.MinWaits);
  FUZZ_CHECK(p.Waits[NoWait] == !any);
  FUZZ_CHECK(any == wantWait);

  if (rules.Preview) {
    CheckPlace(p.HandX, rules.AreaWidth / 2);
    CheckPlace(p.HandY, rules.AreaHeight / 2);
  } else {
    CheckPlace(p.HandX, rules.AreaWidth - (PuzzleWidth - 1));
    CheckPlace(p.HandY, rules.AreaHeight - (rules.Height - 1));
  }
  return 0;
}
