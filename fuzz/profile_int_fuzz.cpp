// Settings values: every byte string is read as the settings file would hold it, and the
// answer compared with a separately written reader; numbers taken from the input are
// written out and must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "check.h"
#include "int_reference.h"
#include "profile_int.h"

namespace {

// Two defaults that differ in every bit: a text that does not read returns each of them
// unchanged, so an answer that mixes up value and default shows under one of the two.
constexpr int32_t kDefaultA = 0x5A5A1234;
constexpr int32_t kDefaultB = ~kDefaultA;
constexpr int32_t kSentinel = -0x2152411;

void CheckReading(const std::string &text) {
  const std::optional<int32_t> expected = ref::ReadProfileInt(text);
  const int32_t a = ParseProfileInt(text, kDefaultA);
  const int32_t b = ParseProfileInt(text, kDefaultB);
  if (a != b) {
    FUZZ_CHECK(a == kDefaultA && b == kDefaultB);
    FUZZ_CHECK(!expected);
  } else {
    FUZZ_CHECK(expected && *expected == a);
  }

  int32_t out = kSentinel;
  const bool read = ParseInt32(text, out);
  const std::optional<int32_t> plain = ref::ReadInt(text);
  FUZZ_CHECK(read == plain.has_value());
  FUZZ_CHECK(out == (read ? *plain : kSentinel));
  // Leading blanks are skipped, so one more changes nothing.
  int32_t padded = kSentinel;
  FUZZ_CHECK(ParseInt32(" " + text, padded) == read);
  FUZZ_CHECK(padded == out);

  for (bool deflt : {false, true}) {
    const bool expectedBool = expected ? *expected != 0 : deflt;
    FUZZ_CHECK(ParseProfileBool(text, deflt) == expectedBool);
  }
}

void CheckWriting(int32_t x, unsigned zeros, unsigned blanks, bool upper) {
  const std::string text = FormatProfileInt(x);
  FUZZ_CHECK(text == ref::Decimal(x));
  FUZZ_CHECK(ParseProfileInt(text, x ^ 1) == x);
  int32_t back = kSentinel;
  FUZZ_CHECK(ParseInt32(text, back) && back == x);

  // The hexadecimal forms a hand edit may use, leading zeros and blanks included.
  const std::string hex = ref::Hex(x, upper, zeros);
  FUZZ_CHECK(ParseProfileInt(std::string(blanks, ' ') + "$" + hex, x ^ 1) == x);
  FUZZ_CHECK(ParseProfileInt((upper ? "0X" : "0x") + hex, x ^ 1) == x);
  FUZZ_CHECK(ParseProfileInt("-$" + hex, kDefaultA) == kDefaultA);
  FUZZ_CHECK(ParseProfileInt(" 0x" + hex, kDefaultA) == kDefaultA);

  for (bool value : {false, true})
    FUZZ_CHECK(ParseProfileBool(FormatProfileBool(value), !value) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  CheckReading(text);

  uint8_t head[6] = {};
  std::memcpy(head, data, size < sizeof head ? size : sizeof head);
  int32_t x;
  std::memcpy(&x, head, sizeof x);
  CheckWriting(x, head[4] % 12, head[5] % 4, (head[5] & 4) != 0);
  return 0;
}
