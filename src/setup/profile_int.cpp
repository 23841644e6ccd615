#include "profile_int.h"

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

namespace {

bool ParseHex(const std::string &text, size_t i, int32_t &out) {
  if (i == text.size())
    return false;
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = HexDigitValue(text[i]);
    if (d < 0)
      return false;
    // Leading zeros keep the value at 0 and so never trip this.
    if (value > (UINT32_MAX >> 4))
      return false;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  out = static_cast<int32_t>(value);  // two's complement: "$FFFFFFFF" is -1
  return true;
}

bool ParseDecimal(const std::string &text, size_t i, int32_t &out) {
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size())
    return false;
  // The magnitude of INT32_MIN is one more than INT32_MAX; gather in 64 bits and stop as
  // soon as the magnitude cannot fit, however many digits are left.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9')
      return false;
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    if (magnitude > limit)
      return false;
  }
  out = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                 : static_cast<int32_t>(magnitude);
  return true;
}

}  // namespace

bool ParseInt32(const std::string &text, int32_t &out) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  if (i < text.size() && text[i] == '$')
    return ParseHex(text, i + 1, out);
  return ParseDecimal(text, i, out);
}

int32_t ParseProfileInt(const std::string &text, int32_t deflt) {
  int32_t value = 0;
  // "0x" alone stays as it is and fails below, as a bare "$" would.
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (!ParseInt32("$" + text.substr(2), value))
      return deflt;
    return value;
  }
  return ParseInt32(text, value) ? value : deflt;
}

std::string FormatProfileInt(int32_t value) {
  return std::to_string(value);
}

bool ParseProfileBool(const std::string &text, bool deflt) {
  return ParseProfileInt(text, deflt ? 1 : 0) != 0;
}

const char *FormatProfileBool(bool value) {
  return value ? "1" : "0";
}
