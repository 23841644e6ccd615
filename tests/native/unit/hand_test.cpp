#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "complete_hands.h"
#include "hand.h"
#include "hand_reference.h"
#include "problem.h"

namespace {

// "1112345678999" -> counts.
TTileCounts CountsOf(const std::string &tiles) {
  TTileCounts c{};
  for (char ch : tiles)
    ++c[ch - '0'];
  return c;
}

bool AllRuns(const std::string &tiles) {
  TTileCounts c = CountsOf(tiles);
  return IsAllRuns(c);
}

bool Complete(const std::string &tiles) {
  TTileCounts c = CountsOf(tiles);
  const TTileCounts before = c;
  bool result = IsCompleteHand(c);
  for (int r = 1; r <= 9; ++r)
    EXPECT_EQ(before[r], c[r]) << "counts not restored for " << tiles;
  return result;
}

std::string WaitsOf(const std::string &tiles) {
  TTileCounts c = CountsOf(tiles);
  const TTileCounts before = c;
  TWaitSet w{};
  bool found = FindWaits(c, w);
  for (int r = 1; r <= 9; ++r)
    EXPECT_EQ(before[r], c[r]) << "counts not restored for " << tiles;
  EXPECT_EQ(found, !w[NoWait]);
  std::string out;
  for (int r = 1; r <= 9; ++r)
    if (w[r])
      out += static_cast<char>('0' + r);
  return w[NoWait] ? "None" : out;
}

}  // namespace

TEST(IsAllRuns, SplitsIntoRuns) {
  EXPECT_TRUE(AllRuns(""));
  EXPECT_TRUE(AllRuns("123"));
  EXPECT_TRUE(AllRuns("789"));
  EXPECT_TRUE(AllRuns("123345"));
  EXPECT_TRUE(AllRuns("112233"));
  EXPECT_TRUE(AllRuns("123456789"));
  EXPECT_TRUE(AllRuns("111222333"));
}

TEST(IsAllRuns, RejectsLeftovers) {
  EXPECT_FALSE(AllRuns("89"));
  EXPECT_FALSE(AllRuns("1235"));
  EXPECT_FALSE(AllRuns("1223"));
  EXPECT_FALSE(AllRuns("9"));
}

TEST(IsFourMelds, TripletsAndRuns) {
  EXPECT_TRUE(IsFourMelds(CountsOf("111234567999")));  // needs both triplets
  EXPECT_TRUE(IsFourMelds(CountsOf("112233445566")));
  EXPECT_TRUE(IsFourMelds(CountsOf("111122223333")));
  EXPECT_TRUE(IsFourMelds(CountsOf("111222333444")));
  EXPECT_FALSE(IsFourMelds(CountsOf("111234567998")));
  const TTileCounts c = CountsOf("111234567999");
  TTileCounts copy = c;
  IsFourMelds(copy);
  for (int r = 1; r <= 9; ++r)
    EXPECT_EQ(c[r], copy[r]);
}

TEST(IsCompleteHand, CompleteShapes) {
  EXPECT_TRUE(Complete("11223344556677"));  // seven pairs, also pair and runs
  EXPECT_TRUE(Complete("11123455678999"));  // pair 55
  EXPECT_TRUE(Complete("11112233445566"));  // pair 11 with runs through the four 1s
  EXPECT_TRUE(Complete("22223333444455"));
  EXPECT_TRUE(Complete("11335577992244"));  // seven pairs, no meld split
  EXPECT_TRUE(Complete("11122233344455"));
}

TEST(IsCompleteHand, FourOfARankIsNotTwoPairs) {
  EXPECT_FALSE(Complete("11113333555577"));
  EXPECT_FALSE(Complete("11112233557799"));
  EXPECT_FALSE(Complete("12345678912345"));
}

TEST(FindWaits, KnownHands) {
  EXPECT_EQ("123456789", WaitsOf("1112345678999"));
  EXPECT_EQ("14578", WaitsOf("2222345678999"));  // no fifth 2
  EXPECT_EQ("4", WaitsOf("1122334557799"));      // seven pairs only
  EXPECT_EQ("147", WaitsOf("1122334455667"));
  EXPECT_EQ("None", WaitsOf("1111223355779"));
  EXPECT_EQ("45", WaitsOf("1111222233334"));  // 5: pair 33 with 111 222 123 345
}

TEST(FindWaits, RankHeldFourTimesIsNeverAWait) {
  // A fifth 1 would complete 1111 23 456 789 99 (pair 99, 111 123 456 789); none exists.
  EXPECT_EQ("369", WaitsOf("1111234567899"));
}

namespace {

TTileCounts CountsOf(const ref::Ranks &h) {
  TTileCounts counts{};
  for (int r = 1; r <= 9; ++r)
    counts[r] = static_cast<int16_t>(h.n[r]);
  return counts;
}

}  // namespace

TEST(FindWaits, AgreesWithRecursiveCheckerOnEveryHand) {
  // The complete hands the waits lead to, by their counts as base-5 digits.
  std::vector<bool> reached(1953125);
  int complete = 0;
  ref::ForEachHand(13, ref::kTilesOfARank, [&](const ref::Ranks &h) {
    TTileCounts counts = CountsOf(h);
    TWaitSet w{};
    const bool found = FindWaits(counts, w);
    bool any = false;
    for (int r = 1; r <= 9; ++r) {
      ASSERT_EQ(ref::CompletesWith(h, r), w[r]) << "rank " << r;
      ASSERT_EQ(h.n[r], counts[r]);
      any = any || w[r];
      if (w[r]) {
        int key = 0;
        for (int q = 9; q >= 1; --q)
          key = key * 5 + h.n[q] + (q == r);
        complete += !reached[key];
        reached[key] = true;
      }
    }
    ASSERT_EQ(any, found);
    ASSERT_EQ(!any, w[NoWait]);
  });
  // Every complete hand is one tile more than some hand of thirteen: a walk that left hands
  // out, or a table listing hands that none reaches, shows here.
  EXPECT_EQ(CompleteHands().Size(), complete);
}

// The table lists complete hands by their shapes; the search tests each hand. Two ways to
// the same answer, compared on every fourteen-tile hand.
TEST(CompleteHands, AgreesWithTheSearchOnEveryFourteenTileHand) {
  int complete = 0;
  ref::ForEachHand(14, ref::kTilesOfARank, [&](const ref::Ranks &h) {
    TTileCounts counts = CountsOf(h);
    const bool listed = CompleteHands().Contains(counts);
    ASSERT_EQ(IsCompleteHand(counts), listed) << "counts " << h.n[1] << h.n[2] << h.n[3] << h.n[4]
                                              << h.n[5] << h.n[6] << h.n[7] << h.n[8] << h.n[9];
    complete += listed;
  });
  EXPECT_EQ(CompleteHands().Size(), complete);
}
