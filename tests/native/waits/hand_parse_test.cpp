#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "hand_parse.h"

namespace {

std::string ErrorFor(const std::string &text) {
  TTileCounts counts;
  std::string error;
  EXPECT_FALSE(ParseHand(text, counts, error)) << "accepted [" << text << "]";
  EXPECT_FALSE(error.empty()) << "no reason given for [" << text << "]";
  return error;
}

bool Contains(const std::string &haystack, const std::string &needle) {
  return haystack.find(needle) != std::string::npos;
}

}  // namespace

TEST(ParseHand, CountsTheRanks) {
  TTileCounts c;
  std::string error;
  ASSERT_TRUE(ParseHand("1112345678999", c, error)) << error;
  const int16_t expected[9] = {3, 1, 1, 1, 1, 1, 1, 1, 3};
  for (int r = 1; r <= 9; ++r)
    EXPECT_EQ(expected[r - 1], c[r]) << "rank " << r;

  // Order does not matter, and four of a rank is allowed.
  ASSERT_TRUE(ParseHand("9517311195559", c, error)) << error;
  const int16_t expected2[9] = {4, 0, 1, 0, 4, 0, 1, 0, 3};
  for (int r = 1; r <= 9; ++r)
    EXPECT_EQ(expected2[r - 1], c[r]) << "rank " << r;
}

TEST(ParseHand, FreshCountsEveryCall) {
  TTileCounts c;
  std::string error;
  ASSERT_TRUE(ParseHand("9999888877776", c, error));
  ASSERT_TRUE(ParseHand("1111222233334", c, error));
  EXPECT_EQ(4, c[1]);
  EXPECT_EQ(1, c[4]);
  EXPECT_EQ(0, c[9]);
  EXPECT_EQ(0, c[6]);
}

TEST(ParseHand, WrongNumberOfTiles) {
  EXPECT_TRUE(Contains(ErrorFor(""), "found 0"));
  EXPECT_TRUE(Contains(ErrorFor("111234567899"), "found 12"));
  EXPECT_TRUE(Contains(ErrorFor("11123456789999"), "found 14"));
  EXPECT_TRUE(Contains(ErrorFor(std::string(1000, '5')), "found 1000"));
  EXPECT_TRUE(Contains(ErrorFor("1"), "13 tiles"));
}

TEST(ParseHand, StrayCharacters) {
  const std::string bad0 = ErrorFor("1112345678990");
  EXPECT_TRUE(Contains(bad0, "'0'")) << bad0;
  EXPECT_TRUE(Contains(bad0, "position 13")) << bad0;
  EXPECT_TRUE(Contains(ErrorFor("x112345678999"), "position 1"));
  EXPECT_TRUE(Contains(ErrorFor("111234 678999"), "0x20"));
  EXPECT_TRUE(Contains(ErrorFor("1112345678999\r"), "0x0D"));
  EXPECT_TRUE(Contains(ErrorFor(std::string("111234\0"
                                            "678999",
                                            13)),
                       "0x00"));
  EXPECT_TRUE(Contains(ErrorFor("111234\xff"
                                "678999"),
                       "0xFF"));
  EXPECT_TRUE(Contains(ErrorFor("+112345678999"), "'+'"));
  EXPECT_TRUE(Contains(ErrorFor("1112345678:99"), "':'"));
  // A stray character is reported even when the length is wrong too.
  EXPECT_TRUE(Contains(ErrorFor("12a"), "'a'"));
}

TEST(ParseHand, FifthTileOfARank) {
  const std::string e = ErrorFor("1111123456789");
  EXPECT_TRUE(Contains(e, "rank 1")) << e;
  EXPECT_TRUE(Contains(e, "5 times")) << e;
  EXPECT_TRUE(Contains(ErrorFor("9999999999999"), "rank 9 appears 13 times"));
  EXPECT_TRUE(Contains(ErrorFor("1234567855555"), "rank 5"));
}

// Every string over a small alphabet around the valid digits, lengths 12 to 14 sampled by a
// fixed sequence: accepted exactly when it is thirteen ranks with at most four of each.
TEST(ParseHand, AcceptsExactlyTheValidHands) {
  const char alphabet[] = "0123456789 a";
  uint32_t x = 2024;
  int accepted = 0;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1664525u + 1013904223u;
    const size_t len = 12 + (x >> 30) % 3;
    std::string s;
    int count[10] = {};
    bool digitsOnly = true;
    for (size_t k = 0; k < len; ++k) {
      x = x * 1664525u + 1013904223u;
      // Mostly valid ranks, sometimes something else.
      const char c = (x >> 28) < 15 ? static_cast<char>('1' + (x >> 8) % 9)
                                    : alphabet[(x >> 8) % (sizeof alphabet - 1)];
      s += c;
      if (c >= '1' && c <= '9')
        ++count[c - '0'];
      else
        digitsOnly = false;
    }
    bool valid = digitsOnly && len == 13;
    for (int r = 1; r <= 9; ++r)
      valid = valid && count[r] <= 4;
    TTileCounts c;
    std::string error;
    ASSERT_EQ(valid, ParseHand(s, c, error)) << "[" << s << "] " << error;
    if (valid) {
      ++accepted;
      for (int r = 1; r <= 9; ++r)
        ASSERT_EQ(count[r], c[r]) << s;
    }
  }
  EXPECT_GT(accepted, 1000);  // the sample really exercised the accepting side
}
