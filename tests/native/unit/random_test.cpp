#include <gtest/gtest.h>

#include "random.h"

TEST(RandomBelow, SequenceFromSeedZero) {
  TRandom random;
  EXPECT_EQ(0, RandomBelow(random, 9));
  EXPECT_EQ(1u, random.RandomSeed);
  EXPECT_EQ(0, RandomBelow(random, 9));
  EXPECT_EQ(7, RandomBelow(random, 9));
  EXPECT_EQ(1, RandomBelow(random, 9));
  EXPECT_EQ(2, RandomBelow(random, 9));
}

TEST(RandomBelow, ZeroAdvancesAndGivesZero) {
  TRandom random{12345};
  const uint32_t next = 12345u * 134775813u + 1u;
  EXPECT_EQ(0, RandomBelow(random, 0));
  EXPECT_EQ(next, random.RandomSeed);
}

TEST(RandomBelow, StaysInRange) {
  TRandom random{77};
  for (int n : {1, 2, 9, 40, 1000, 2147483647}) {
    for (int i = 0; i < 2000; ++i) {
      int32_t v = RandomBelow(random, n);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, n);
    }
  }
}

TEST(MillisecondsOfDay, FromTheClockFields) {
  EXPECT_EQ(0u, MillisecondsOfDay(0, 0, 0, 0));
  EXPECT_EQ(3723004u, MillisecondsOfDay(1, 2, 3, 4));
  EXPECT_EQ(86399999u, MillisecondsOfDay(23, 59, 59, 999));
}
