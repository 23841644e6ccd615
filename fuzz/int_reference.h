// A second reader of 32-bit integer texts, written apart from the one under test so that
// the two can be compared: it trims leading zeros and compares digit strings instead of
// gathering a value digit by digit.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace ref {

inline bool IsDec(char c) {
  return c >= '0' && c <= '9';
}
inline bool IsHex(char c) {
  return IsDec(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline std::string WithoutLeadingZeros(const std::string &digits) {
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? std::string("0") : digits.substr(first);
}

// Blanks (the space character only), then "$" and hex digits, or a sign and decimal digits,
// and nothing after them.
inline std::optional<int32_t> ReadInt(const std::string &text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos)
    return std::nullopt;
  std::string rest = text.substr(start);
  if (rest[0] == '$') {
    const std::string digits = rest.substr(1);
    if (digits.empty())
      return std::nullopt;
    for (char c : digits)
      if (!IsHex(c))
        return std::nullopt;
    const std::string trimmed = WithoutLeadingZeros(digits);
    if (trimmed.size() > 8)
      return std::nullopt;
    const uint32_t bits = static_cast<uint32_t>(std::stoul(trimmed, nullptr, 16));
    int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  bool negative = false;
  if (rest[0] == '+' || rest[0] == '-') {
    negative = rest[0] == '-';
    rest = rest.substr(1);
  }
  if (rest.empty())
    return std::nullopt;
  for (char c : rest)
    if (!IsDec(c))
      return std::nullopt;
  const std::string trimmed = WithoutLeadingZeros(rest);
  // Ten digits of the same length compare as strings in the order of their values.
  const std::string limit = negative ? "2147483648" : "2147483647";
  if (trimmed.size() > limit.size() || (trimmed.size() == limit.size() && trimmed > limit))
    return std::nullopt;
  const long long magnitude = std::stoll(trimmed);
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// A settings value: a "0x" or "0X" at the very start of a text of three or more characters
// stands for "$".
inline std::optional<int32_t> ReadProfileInt(const std::string &text) {
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ReadInt("$" + text.substr(2));
  return ReadInt(text);
}

// Decimal without the standard library's formatting: digits from the 64-bit magnitude.
inline std::string Decimal(int32_t value) {
  long long magnitude = value;
  const bool negative = magnitude < 0;
  if (negative)
    magnitude = -magnitude;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return negative ? "-" + digits : digits;
}

inline std::string Hex(int32_t value, bool upper, size_t zeros) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const char *const set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), set[bits & 15]);
    bits >>= 4;
  } while (bits != 0);
  return std::string(zeros, '0') + digits;
}

}  // namespace ref
