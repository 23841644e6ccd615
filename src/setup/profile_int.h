// Integer and boolean values as they stand in the settings file, as text.
#pragma once

#include <cstdint>
#include <string>

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// Reads text that is wholly one 32-bit integer: leading spaces (not tabs), then either
// an optional sign and decimal digits within the int32 range, or "$" and hexadecimal
// digits whose value fits in 32 bits (taken as two's complement). Nothing may follow the
// digits. Returns false, leaving out unchanged, for anything else. The command line reads
// window handles by the same rule.
bool ParseInt32(const std::string &text, int32_t &out);

// A settings value: as ParseInt32, but a leading "0x" or "0X" also introduces hexadecimal,
// provided at least one character follows it. Returns deflt when the text does not read.
int32_t ParseProfileInt(const std::string &text, int32_t deflt);

// Decimal, "-" for negatives, no "+", no leading zeros, no blanks.
std::string FormatProfileInt(int32_t value);

// Any integer that reads is a boolean: non-zero is true. Words such as "true" are not
// numbers and give deflt.
bool ParseProfileBool(const std::string &text, bool deflt);

// "1" or "0".
const char *FormatProfileBool(bool value);
