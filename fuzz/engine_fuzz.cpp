// The hand evaluation and the wait finder against a plain recursive search. The input bytes
// pick tiles one by one; a rank already held four times passes the tile on to the next rank
// with room, so every input makes a hand that can be dealt.
#include <cstddef>
#include <cstdint>

#include "check.h"
#include "hand.h"
#include "hand_reference.h"
#include "problem.h"

namespace {

using ref::Complete;
using ref::Ranks;
using ref::SplitsIntoMelds;

TTileCounts ToCounts(const Ranks &h) {
  TTileCounts c{};
  for (int r = 1; r <= 9; ++r)
    c[r] = static_cast<int16_t>(h.n[r]);
  return c;
}

bool Same(const TTileCounts &c, const Ranks &h) {
  for (int r = 1; r <= 9; ++r)
    if (c[r] != h.n[r])
      return false;
  return true;
}

void CheckRuns(const Ranks &h) {
  Ranks copy = h;
  const bool expected = SplitsIntoMelds(copy, true);
  TTileCounts c = ToCounts(h);
  const bool got = IsAllRuns(c);
  FUZZ_CHECK(got == expected);
  // The scan only ever takes tiles away, and on success it has taken them all.
  for (int r = 1; r <= 9; ++r) {
    FUZZ_CHECK(c[r] >= 0 && c[r] <= h.n[r]);
    if (got)
      FUZZ_CHECK(c[r] == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Ranks hand;
  Ranks first12, first13;
  for (size_t i = 0; i < 14; ++i) {
    // '1'..'9' stand for their ranks, so seed files can be read as hands.
    const int b = i < size ? data[i] : '1' + static_cast<int>(i % 9);
    int r = ((b - '1') % 9 + 9) % 9 + 1;
    while (hand.n[r] == 4)
      r = r % 9 + 1;
    ++hand.n[r];
    if (i == 11)
      first12 = hand;
    if (i == 12)
      first13 = hand;
  }

  TTileCounts c14 = ToCounts(hand);
  FUZZ_CHECK(IsCompleteHand(c14) == Complete(hand));
  FUZZ_CHECK(Same(c14, hand));

  TTileCounts c13 = ToCounts(first13);
  TWaitSet waits;
  for (bool &w : waits.v)
    w = true;  // every flag must be written, whatever it held
  const bool found = FindWaits(c13, waits);
  FUZZ_CHECK(Same(c13, first13));
  bool any = false;
  for (int r = 1; r <= 9; ++r) {
    bool wait = false;
    if (first13.n[r] < 4) {
      Ranks plus = first13;
      ++plus.n[r];
      wait = Complete(plus);
    }
    FUZZ_CHECK(waits[r] == wait);
    any = any || wait;
  }
  FUZZ_CHECK(found == any);
  FUZZ_CHECK(waits[NoWait] == !any);

  const TTileCounts c12 = ToCounts(first12);
  Ranks melds = first12;
  FUZZ_CHECK(IsFourMelds(c12) == SplitsIntoMelds(melds, false));
  FUZZ_CHECK(Same(c12, first12));

  CheckRuns(first12);
  CheckRuns(first13);
  CheckRuns(hand);
  // Further bytes give counts 0..4 for every rank, up to 36 tiles.
  if (size >= 14 + 9) {
    Ranks any9;
    for (int r = 1; r <= 9; ++r)
      any9.n[r] = data[14 + r - 1] % 5;
    CheckRuns(any9);
  }
  return 0;
}
