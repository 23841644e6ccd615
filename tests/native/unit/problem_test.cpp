#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "hand.h"
#include "problem.h"
#include "random.h"

namespace {

std::string HandText(const Problem &p) {
  std::string s;
  for (int i = 1; i <= HandSize; ++i)
    s += static_cast<char>('0' + p.Hand[i]);
  return s;
}

ProblemRules FullScreen(bool sort, int32_t rate, int32_t w = 640, int32_t h = 480) {
  return ProblemRules{sort, rate, w, h, false};
}

void ExpectConsistent(Problem &p) {
  TTileCounts c{};
  for (int i = 1; i <= HandSize; ++i) {
    ASSERT_GE(p.Hand[i], 1);
    ASSERT_LE(p.Hand[i], 9);
    ++c[p.Hand[i]];
  }
  for (int r = 1; r <= 9; ++r) {
    ASSERT_EQ(c[r], p.Counts[r]);
    ASSERT_LE(c[r], MaxOfRank);
  }
  TWaitSet w{};
  FindWaits(c, w);
  for (int r = 0; r <= 9; ++r)
    ASSERT_EQ(w[r], p.Waits[r]) << "flag " << r;
}

}  // namespace

TEST(MakeProblem, FifthHandFromSeedZeroSorted) {
  TRandom random{0};
  Problem p{};
  MakeProblem(p, FullScreen(true, 2), random);
  EXPECT_EQ("1335566677899", HandText(p));
  EXPECT_TRUE(p.Waits[NoWait]);
  EXPECT_EQ(179, p.HandX);
  EXPECT_EQ(243, p.HandY);
  ExpectConsistent(p);
}

TEST(MakeProblem, FifthHandFromSeedZeroInDrawnOrder) {
  TRandom random{0};
  Problem p{};
  MakeProblem(p, FullScreen(false, 2), random);
  EXPECT_EQ("6969373175856", HandText(p));
  EXPECT_EQ(179, p.HandX);
  EXPECT_EQ(243, p.HandY);
}

TEST(MakeProblem, PreviewPlacesInUpperLeftQuarter) {
  TRandom random{0};
  Problem p{};
  MakeProblem(p, ProblemRules{true, 2, 152, 112, true}, random);
  EXPECT_EQ("1335566677899", HandText(p));
  EXPECT_EQ(72, p.HandX);
  EXPECT_EQ(38, p.HandY);
}

TEST(MakeProblem, SmallAreasPlaceAtZeroButStillDraw) {
  for (int32_t w : {452, 300, 0, -5, INT32_MIN}) {
    TRandom random{99};
    Problem a{}, b{};
    MakeProblem(a, FullScreen(true, 2, w, 100), random);
    const uint32_t after = random.RandomSeed;
    EXPECT_EQ(0, a.HandX) << w;
    EXPECT_EQ(0, a.HandY) << w;
    // Same number of draws as in a large area.
    random = TRandom{99};
    MakeProblem(b, FullScreen(true, 2, 2000, 2000), random);
    EXPECT_EQ(after, random.RandomSeed) << w;
    EXPECT_EQ(HandText(a), HandText(b));
  }
  TRandom random{5};
  Problem p{};
  MakeProblem(p, ProblemRules{true, 2, 1, 1, true}, random);
  EXPECT_EQ(0, p.HandX);
  EXPECT_EQ(0, p.HandY);
}

TEST(MakeProblem, PlacementKeepsPuzzleInsideTheArea) {
  TRandom random{4242};
  Problem p{};
  for (int i = 0; i < 500; ++i) {
    MakeProblem(p, FullScreen(i % 2 == 0, 2, 800, 600), random);
    ASSERT_GE(p.HandX, 0);
    ASSERT_GE(p.HandY, 0);
    ASSERT_LE(p.HandX + PuzzleWidth, 800);
    ASSERT_LE(p.HandY + PuzzleHeight, 600);
  }
}

TEST(MakeProblem, NoWaitShareFollowsNoAnsRate) {
  struct Case {
    int32_t rate;
    double low, high;
  };
  // 4000 problems each; the expected share is rate/40 clamped to 0..1.
  for (Case c : {Case{0, 0, 0}, Case{-1, 0, 0}, Case{2, 0.03, 0.07}, Case{12, 0.26, 0.34},
                 Case{40, 1, 1}, Case{1000, 1, 1}}) {
    TRandom random{2024};
    Problem p{};
    int none = 0;
    const int n = 4000;
    for (int i = 0; i < n; ++i) {
      MakeProblem(p, FullScreen(true, c.rate), random);
      if (p.Waits[NoWait])
        ++none;
      if (i % 400 == 0)
        ExpectConsistent(p);
    }
    double share = static_cast<double>(none) / n;
    EXPECT_GE(share, c.low) << "rate " << c.rate;
    EXPECT_LE(share, c.high) << "rate " << c.rate;
  }
}

// Every allowed MinWaits: each problem with a wait has at least that many, and the share
// without a wait stays NoAnsRate/40 (within three standard errors). 1 and the values out
// of range make the same problems as 0.
TEST(MakeProblem, MinWaitsRaisesTheWaitsAndKeepsTheNoWaitShare) {
  const int n = 4000;
  const double expected = 12 / 40.0;
  const double threeErrors = 3 * std::sqrt(expected * (1 - expected) / n);
  for (int32_t minWaits = 0; minWaits <= MaxMinWaits; ++minWaits) {
    ProblemRules rules = FullScreen(true, 12);
    rules.MinWaits = minWaits;
    TRandom random{7};
    Problem p{};
    int none = 0;
    for (int i = 0; i < n; ++i) {
      MakeProblem(p, rules, random);
      int waits = 0;
      for (int r = 1; r <= 9; ++r)
        waits += p.Waits[r];
      ASSERT_TRUE(p.Waits[NoWait] || waits >= minWaits) << minWaits << ": " << HandText(p);
      none += p.Waits[NoWait];
      if (i % 400 == 0)
        ExpectConsistent(p);
    }
    EXPECT_NEAR(expected, static_cast<double>(none) / n, threeErrors) << "MinWaits " << minWaits;
  }
  for (int32_t same : {1, -1, MaxMinWaits + 1, 9, INT32_MAX, INT32_MIN}) {
    ProblemRules rules = FullScreen(true, 2);
    rules.MinWaits = same;
    TRandom a{0}, b{0};
    Problem pa{}, pb{};
    for (int i = 0; i < 50; ++i) {
      MakeProblem(pa, rules, a);
      MakeProblem(pb, FullScreen(true, 2), b);
      ASSERT_EQ(HandText(pb), HandText(pa)) << "MinWaits " << same;
    }
    EXPECT_EQ(b.RandomSeed, a.RandomSeed) << "MinWaits " << same;
  }
}

TEST(MakeProblem, SortedHandsAscendUnsortedKeepCounts) {
  TRandom random{31337};
  Problem p{};
  for (int i = 0; i < 200; ++i) {
    MakeProblem(p, FullScreen(true, 2), random);
    for (int j = 1; j < HandSize; ++j)
      ASSERT_LE(p.Hand[j], p.Hand[j + 1]);
    ExpectConsistent(p);
  }
}
