#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profile_int.h"
#include "settings.h"

namespace {

// Defaults far from every value a test text holds, so that a text read by mistake as a
// number cannot pass for the default, nor the other way round.
const int32_t kDefaults[] = {-7, 424242, INT32_MIN, INT32_MAX};

struct ReadCase {
  std::string text;
  int32_t value;
};

void ExpectReads(const std::vector<ReadCase> &cases) {
  for (const ReadCase &c : cases)
    for (int32_t d : kDefaults)
      EXPECT_EQ(c.value, ParseProfileInt(c.text, d)) << "[" << c.text << "] default " << d;
}

void ExpectDefault(const std::vector<std::string> &texts) {
  for (const std::string &t : texts)
    for (int32_t d : kDefaults)
      EXPECT_EQ(d, ParseProfileInt(t, d)) << "[" << t << "] should not read";
}

}  // namespace

TEST(ParseProfileInt, ValueTextsThatRead) {
  ExpectReads({
      {"20000", 20000},
      {"  20000", 20000},
      {"0x3A98", 15000},
      {"$3a98", 15000},
      {"+7", 7},
      {"-1", -1},
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"0", 0},
      {"-0", 0},
      {"+0", 0},
      {"00", 0},
      {"   -5", -5},
      {"   +5", 5},
  });
}

TEST(ParseProfileInt, ValueTextsThatGiveTheDefault) {
  ExpectDefault({"2147483648", "20 s", "15000.5", "0x", "-$10", ""});
  // The same table with the program's own default for SleepTime.
  for (const char *t : {"2147483648", "20 s", "15000.5", "0x", "-$10", ""})
    EXPECT_EQ(15000, ParseProfileInt(t, 15000)) << t;
  EXPECT_EQ(20000, ParseProfileInt("20000", 15000));
  EXPECT_EQ(15000, ParseProfileInt("0x3A98", 2));
}

TEST(ParseProfileInt, CStylePrefix) {
  ExpectReads({
      {"0X3A98", 15000},
      {"0x3a98", 15000},
      {"0x1", 1},
      {"0x0", 0},
      {"0x7fffffff", INT32_MAX},
      {"0x80000000", INT32_MIN},
      {"0xFFFFFFFF", -1},
      {"0x0000000000ffffffff", -1},
  });
  ExpectDefault({
      "0x",
      "0X",
      " 0x10",  // a blank hides the prefix
      "00x10",  // the prefix counts only at the very start
      "+0x10",
      "-0x10",
      "0x-1",
      "0x+1",
      "0x 1",
      "0x1 ",
      "0xg",
      "0x$10",
      "0x0x5",
      "0x100000000",
      "x10",
      "0b101",
  });
}

TEST(ParseProfileInt, DollarHexadecimal) {
  ExpectReads({
      {"$0", 0},
      {"$a", 10},
      {"$A", 10},
      {"$7FFFFFFF", INT32_MAX},
      {"$80000000", INT32_MIN},
      {"$ffffffff", -1},
      {"$FfFfFfFe", -2},
      {"$00000000000000003A98", 15000},
      {"  $10", 16},
  });
  ExpectDefault({
      "$",
      "  $",
      "$100000000",
      "$1FFFFFFFF",
      "$123456789",
      "$FFFFFFFFFFFFFFFF",
      "$ 10",
      "$10 ",
      "$-1",
      "$+1",
      "+$10",
      "-$10",
      "$$10",
      "$G",
      "$1g",
      "$1.0",
      "$\t10",
  });
}

TEST(ParseProfileInt, DecimalRangeAndLeadingZeros) {
  ExpectReads({
      {"00020000", 20000},
      {"-00000000002147483648", INT32_MIN},
      {"+0000000002147483647", INT32_MAX},
      {std::string(300, '0') + "15", 15},
  });
  ExpectDefault({
      "2147483648",
      "-2147483649",
      "+2147483648",
      "4294967296",
      "4294967295",
      "99999999999999999999999",
      "-99999999999999999999999",
      std::string(300, '9'),
  });
}

TEST(ParseProfileInt, StrayCharactersAndBlanks) {
  ExpectDefault({
      "",      " ",      "   ",     "+",       "-",    "- 5",          "+-5",   "--5",     "++5",
      "5-",    "20000 ", "\t20000", "20000\t", " \t5", "1e3",          "1,000", "15000.5", "true",
      "1:0",   "/1",     "9/",      "$1:",     "$/",   "$1g",          "$G0",   "$@",      "$`",
      "false", "yes",    "no",      "x",       "five", "\xef\xbc\x95",  // a full-width digit five
  });
  ExpectDefault({std::string("1\0", 2), std::string("\0"
                                                    "1",
                                                    2)});
}

TEST(ParseInt32, LeavesOutputAloneOnFailure) {
  int32_t v = 99;
  EXPECT_FALSE(ParseInt32("12ab", v));
  EXPECT_EQ(99, v);
  EXPECT_FALSE(ParseInt32("0x10", v));  // the C prefix belongs to the settings file only
  EXPECT_EQ(99, v);
  EXPECT_TRUE(ParseInt32("$10", v));
  EXPECT_EQ(16, v);
  EXPECT_TRUE(ParseInt32("-3", v));
  EXPECT_EQ(-3, v);
}

TEST(ParseProfileBool, NonZeroIntegersAreTrue) {
  for (bool d : {false, true}) {
    for (const char *t : {"1", "-1", "2", "$10", "0x10", " 1", "2147483647", "-2147483648"})
      EXPECT_TRUE(ParseProfileBool(t, d)) << t << " default " << d;
    for (const char *t : {"0", "$0", "-0", "0x0", "  0", "$00000000"})
      EXPECT_FALSE(ParseProfileBool(t, d)) << t << " default " << d;
    for (const char *t : {"false", "no", "true", "yes", "", "1 ", "0.0", "2147483648"})
      EXPECT_EQ(d, ParseProfileBool(t, d)) << t << " default " << d;
  }
}

TEST(FormatProfileInt, PlainDecimal) {
  EXPECT_EQ("0", FormatProfileInt(0));
  EXPECT_EQ("7", FormatProfileInt(7));
  EXPECT_EQ("-1", FormatProfileInt(-1));
  EXPECT_EQ("15000", FormatProfileInt(15000));
  EXPECT_EQ("1000000", FormatProfileInt(1000000));
  EXPECT_EQ("2147483647", FormatProfileInt(INT32_MAX));
  EXPECT_EQ("-2147483648", FormatProfileInt(INT32_MIN));
}

TEST(FormatProfileBool, OneOrZero) {
  EXPECT_STREQ("1", FormatProfileBool(true));
  EXPECT_STREQ("0", FormatProfileBool(false));
  for (bool b : {false, true})
    EXPECT_EQ(b, ParseProfileBool(FormatProfileBool(b), !b));
}

TEST(FormatProfileInt, EveryWrittenValueReadsBack) {
  std::vector<int32_t> values = {0,
                                 1,
                                 -1,
                                 2,
                                 -2,
                                 9,
                                 10,
                                 11,
                                 -9,
                                 -10,
                                 -11,
                                 1000,
                                 5000,
                                 15000,
                                 60000,
                                 INT32_MAX,
                                 INT32_MIN,
                                 INT32_MAX - 1,
                                 INT32_MIN + 1};
  for (int bit = 0; bit < 31; ++bit) {
    const int32_t p = static_cast<int32_t>(uint32_t{1} << bit);
    for (int32_t v : {p - 1, p, p + 1})
      values.insert(values.end(), {v, -v});
  }
  for (int64_t p = 1; p <= 1000000000; p *= 10)
    for (int32_t v :
         {static_cast<int32_t>(p - 1), static_cast<int32_t>(p), static_cast<int32_t>(p + 1)})
      values.insert(values.end(), {v, -v});
  // A spread over the whole range from a fixed linear congruential sequence.
  uint32_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 1664525u + 1013904223u;
    values.push_back(static_cast<int32_t>(x));
  }
  for (int32_t v : values) {
    const std::string text = FormatProfileInt(v);
    ASSERT_EQ(v, ParseProfileInt(text, ~v)) << text;
    ASSERT_EQ(text.find_first_of("+ "), std::string::npos) << text;
    if (text.size() > 1) {
      ASSERT_NE('0', text[text[0] == '-' ? 1 : 0]) << text;
    }
  }
}

// The saver's guard against a negative interval in a hand-edited file (an endless sleep).
TEST(IntervalOrDefault, NegativeTimesTakeTheKeyDefaultAndOthersStand) {
  EXPECT_EQ(IntervalOrDefault(-1, 15000), 15000);
  EXPECT_EQ(IntervalOrDefault(INT32_MIN, 5000), 5000);
  EXPECT_EQ(IntervalOrDefault(0, 15000), 0);
  EXPECT_EQ(IntervalOrDefault(1, 15000), 1);
  EXPECT_EQ(IntervalOrDefault(60000, 5000), 60000);
}
