#include <gtest/gtest.h>

#include "random.h"

TEST(RandomBelow, SequenceFromSeedZero) {
  RandomSeed = 0;
  EXPECT_EQ(0, RandomBelow(9));
  EXPECT_EQ(1u, RandomSeed);
  EXPECT_EQ(0, RandomBelow(9));
  EXPECT_EQ(7, RandomBelow(9));
  EXPECT_EQ(1, RandomBelow(9));
  EXPECT_EQ(2, RandomBelow(9));
}

TEST(RandomBelow, ZeroAdvancesAndGivesZero) {
  RandomSeed = 12345;
  const uint32_t next = 12345u * 134775813u + 1u;
  EXPECT_EQ(0, RandomBelow(0));
  EXPECT_EQ(next, RandomSeed);
}

TEST(RandomBelow, StaysInRange) {
  RandomSeed = 77;
  for (int n : {1, 2, 9, 40, 1000, 2147483647}) {
    for (int i = 0; i < 2000; ++i) {
      int32_t v = RandomBelow(n);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, n);
    }
  }
}

TEST(SeedRandomFromClock, MillisecondsOfTheDay) {
  SeedRandomFromClock();
  EXPECT_LT(RandomSeed, 86400000u);
}
