#include "hand_parse.h"

#include <cstdio>

namespace {

std::string Describe(char c) {
  const auto u = static_cast<unsigned char>(c);
  char buf[32];
  if (u >= 0x21 && u <= 0x7e)
    std::snprintf(buf, sizeof buf, "'%c'", c);
  else
    std::snprintf(buf, sizeof buf, "byte 0x%02X", u);  // blanks and controls are invisible
  return buf;
}

}  // namespace

bool ParseHand(std::string_view text, TTileCounts &counts, std::string &error) {
  counts = TTileCounts{};
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '1' || c > '9') {
      error = Describe(c) + " at position " + std::to_string(i + 1) + " is not a rank 1..9";
      return false;
    }
    // Count only as far as a hand goes, so that an endless line cannot overflow a count.
    if (i < static_cast<size_t>(HandSize))
      ++counts[c - '0'];
  }
  if (text.size() != static_cast<size_t>(HandSize)) {
    error = std::to_string(HandSize) + " tiles expected, found " + std::to_string(text.size());
    return false;
  }
  for (int r = 1; r <= 9; ++r)
    if (counts[r] > MaxOfRank) {
      error = "rank " + std::to_string(r) + " appears " + std::to_string(counts[r]) +
              " times, at most " + std::to_string(MaxOfRank) + " exist";
      return false;
    }
  return true;
}
