#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

template <typename F>
void ForEachHand(int total, F f) {
  int c[10] = {};
  auto rec = [&](auto &self, int r, int left) -> void {
    if (r == 10) {
      if (left == 0)
        f(c);
      return;
    }
    for (int k = 0; k <= 4 && k <= left; ++k) {
      c[r] = k;
      self(self, r + 1, left - k);
    }
    c[r] = 0;
  };
  rec(rec, 1, total);
}

}  // namespace

TEST(FindWaits, AgreesWithRecursiveCheckerOnEveryHand) {
  int hands = 0, withWait = 0;
  ForEachHand(13, [&](int *c) {
    ++hands;
    TTileCounts counts{};
    for (int r = 1; r <= 9; ++r)
      counts[r] = static_cast<int16_t>(c[r]);
    TWaitSet w{};
    const bool found = FindWaits(counts, w);
    bool any = false;
    for (int r = 1; r <= 9; ++r) {
      ref::Ranks h;
      std::copy(c, c + 10, h.n);
      const bool expected = ref::CompletesWith(h, r);
      ASSERT_EQ(expected, w[r]) << "rank " << r;
      ASSERT_EQ(c[r], counts[r]);
      any = any || expected;
    }
    ASSERT_EQ(any, found);
    ASSERT_EQ(!any, w[NoWait]);
    withWait += any;
  });
  EXPECT_EQ(93600, hands);
  EXPECT_GT(withWait, 0);
}

// The table lists complete hands by their shapes; the search tests each hand. Two ways to
// the same answer, compared on every fourteen-tile hand.
TEST(CompleteHands, AgreesWithTheSearchOnEveryFourteenTileHand) {
  int complete = 0;
  ForEachHand(14, [&](int *c) {
    TTileCounts counts{};
    for (int r = 1; r <= 9; ++r)
      counts[r] = static_cast<int16_t>(c[r]);
    const bool listed = CompleteHands().Contains(counts);
    ASSERT_EQ(IsCompleteHand(counts), listed)
        << "counts " << c[1] << c[2] << c[3] << c[4] << c[5] << c[6] << c[7] << c[8] << c[9];
    complete += listed;
  });
  EXPECT_GT(complete, 1000);
}
