// Every setting as one row: where the settings file, the hack's command line and the
// browser's address keep it, what it accepts and what the user sees it called. The file
// reader, the hack's options and the browser edition all read their settings from here.
// Portable: no window system, no profile functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings.h"

enum class TSettingUnit {
  Flag,          // 0 or 1; an option sets it alone, and "no-" before its name clears it
  Count,         // a whole number
  Milliseconds,  // the file holds milliseconds; options and addresses take seconds, up to
                 // three decimals, as people write them
};

// What a value read from the file becomes. The file is edited by hand, so each setting
// copes with every integer in its own way.
enum class TFileRule {
  AnyInteger,  // stands as read: the saver copes with all of them
  Interval,    // stands as read; a negative one takes the default where it is waited for
               // (IntervalOrDefault), so the dialog still shows what the file holds
  InRange,     // outside Low..High it takes the default (InRangeOrDefault)
};

struct TSettingRow {
  const char *Key;      // in the settings file; nullptr: never kept there
  const char *Option;   // the hack's option, without dashes; nullptr: none
  const char *UrlName;  // the browser edition's address parameter; nullptr: none
  TSettingUnit Unit;
  TFileRule FileRule;
  // In the file's unit: what options and addresses accept (and the file, for InRange) ...
  int64_t Low, High;
  // ... and what the Windows dialog and the XScreenSaver panel offer.
  int64_t OfferLow, OfferHigh;
  int64_t Default;
  const char *Label;  // what the settings panels call it (the browser's reads it here)
  int64_t (*Get)(const SaverSettings &);
  void (*Set)(SaverSettings &, int64_t);
};

// The rows in the order the file lists its keys.
struct TSettingRows {
  const TSettingRow *First;
  std::size_t Count;
  const TSettingRow *begin() const { return First; }
  const TSettingRow *end() const { return First + Count; }
};
TSettingRows SettingRows();

// nullptr when no row has that name.
const TSettingRow *FindSettingByKey(const std::string &key);  // as the file: any case
const TSettingRow *FindSettingByOption(const std::string &option);

// Reads text as an option or an address gives it (seconds for intervals, "0" or "1" for
// flags, digits only otherwise) into s, when it lies within the row's Low..High. Returns
// false, leaving s as it was, for anything else.
bool ReadSettingText(const TSettingRow &row, const std::string &text, SaverSettings &s);

// What ReadSettingText accepts, for a message: "a whole number from 0 to 7".
std::string SettingTextRange(const TSettingRow &row);

// A value of the file's unit as an option or an address writes it: 15000 ms as "15",
// 1500 as "1.5".
std::string SettingText(const TSettingRow &row, int64_t value);

// Digits only, no sign or blanks, at most limit.
bool ReadDecimal(const std::string &text, uint64_t limit, uint64_t &out);

// Seconds with at most three decimals, 0 up to the largest interval the settings hold
// (2147483.647 s), as milliseconds.
bool ReadSeconds(const std::string &text, int32_t &milliseconds);

// The value the file's integer gives the setting, by the row's FileRule.
int64_t SettingFromFile(const TSettingRow &row, int32_t value);
