// The wait calculator's hand reader on any bytes: it accepts exactly the texts of thirteen
// digits 1..9 with no rank more than four times, counts them right, and otherwise says why
// in printable text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "hand_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);

  int expected[10] = {};
  bool digitsOnly = true;
  for (char c : text) {
    if (c >= '1' && c <= '9')
      ++expected[c - '0'];
    else
      digitsOnly = false;
  }
  bool acceptable = digitsOnly && size == 13;
  for (int r = 1; r <= 9; ++r)
    acceptable = acceptable && expected[r] <= 4;

  TTileCounts counts;
  for (int r = 1; r <= 9; ++r)
    counts[r] = -1;
  std::string error;
  const bool accepted = ParseHand(text, counts, error);
  FUZZ_CHECK(accepted == acceptable);
  if (accepted) {
    int total = 0;
    for (int r = 1; r <= 9; ++r) {
      FUZZ_CHECK(counts[r] >= 0 && counts[r] <= 4);
      FUZZ_CHECK(counts[r] == expected[r]);
      total += counts[r];
    }
    FUZZ_CHECK(total == 13);
  } else {
    // The message goes to a terminal: no control bytes, no bytes of other code pages.
    FUZZ_CHECK(!error.empty());
    for (char c : error)
      FUZZ_CHECK(c >= 0x20 && c <= 0x7e);
  }
  return 0;
}
