#include "settings_table.h"

#include <cstring>
#include <type_traits>

namespace {

template <auto Field>
int64_t GetField(const SaverSettings &s) {
  return static_cast<int64_t>(s.*Field);
}

template <auto Field>
void SetField(SaverSettings &s, int64_t value) {
  s.*Field = static_cast<std::remove_reference_t<decltype(s.*Field)>>(value);
}

#define VELKORIN_FIELD(name) GetField<&SaverSettings::name>, SetField<&SaverSettings::name>

using U = TSettingUnit;
using R = TFileRule;
const SaverSettings kDefaults;

// The dialog offers whole seconds from 1 to 60, the panel the same.
constexpr int64_t kShortest = 1000, kLongest = 60000;
constexpr int64_t kLongestMs = INT32_MAX;

const TSettingRow kRows[] = {
    {"Sort", "sort", "sort", U::Flag, R::AnyInteger, 0, 1, 0, 1, kDefaults.Sort,
     "Show the hand sorted", VELKORIN_FIELD(Sort)},
    // The draw is below 40, so 40 already means every puzzle; the dialog offers up to 30%.
    {"NoAnsRate", "no-answer-rate", "no-answer-rate", U::Count, R::AnyInteger, 0, 40, 0, 12,
     kDefaults.NoAnsRate, "Puzzles without a wait", VELKORIN_FIELD(NoAnsRate)},
    {"SleepTime", "question-seconds", "question-seconds", U::Milliseconds, R::Interval, 0,
     kLongestMs, kShortest, kLongest, kDefaults.SleepTime, "Question stays up",
     VELKORIN_FIELD(SleepTime)},
    {"SleepTime2", "answer-seconds", "answer-seconds", U::Milliseconds, R::Interval, 0, kLongestMs,
     kShortest, kLongest, kDefaults.SleepTime2, "Answer stays up", VELKORIN_FIELD(SleepTime2)},
    {"MinWaits", "min-waits", "min-waits", U::Count, R::InRange, 0, MaxMinWaits, 0, MaxMinWaits,
     kDefaults.MinWaits, "Fewest waits", VELKORIN_FIELD(MinWaits)},
    {"ShowCounts", "show-counts", "show-counts", U::Flag, R::AnyInteger, 0, 1, 0, 1,
     kDefaults.ShowCounts, "Show the tiles left under the answer", VELKORIN_FIELD(ShowCounts)},
    {"ShowSplits", "show-splits", "show-splits", U::Flag, R::AnyInteger, 0, 1, 0, 1,
     kDefaults.ShowSplits, "Show how each wait completes the hand", VELKORIN_FIELD(ShowSplits)},
    // A window of its own, or a browser's, has one monitor and its own size.
    {"Monitors", nullptr, nullptr, U::Count, R::InRange, 0, 1, 0, 1, kDefaults.Monitors,
     "Puzzles on", VELKORIN_FIELD(Monitors)},
    {"Scale", nullptr, nullptr, U::Count, R::InRange, 0, MaxScale, 0, MaxScale, kDefaults.Scale,
     "Tile size", VELKORIN_FIELD(Scale)},
    // The saver takes its seed from the clock; only a repeatable run names one.
    {nullptr, "seed", "seed", U::Count, R::AnyInteger, 0, UINT32_MAX, 0, UINT32_MAX,
     SaverSettings::NoSeed, "Random seed", VELKORIN_FIELD(Seed)},
};

#undef VELKORIN_FIELD

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool SameIgnoringCase(const char *a, const std::string &b) {
  if (std::strlen(a) != b.size())
    return false;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

template <typename Same>
const TSettingRow *Find(const char *TSettingRow::*name, const std::string &text, Same same) {
  for (const TSettingRow &row : kRows)
    if (row.*name && same(row.*name, text))
      return &row;
  return nullptr;
}

bool Equal(const char *a, const std::string &b) {
  return b == a;
}

}  // namespace

bool ReadDecimal(const std::string &text, uint64_t limit, uint64_t &out) {
  if (text.empty())
    return false;
  uint64_t v = 0;
  for (char c : text) {
    if (!IsDigit(c))
      return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > limit)
      return false;
  }
  out = v;
  return true;
}

bool ReadSeconds(const std::string &text, int32_t &milliseconds) {
  const std::size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  if (dot != std::string::npos && (fraction.empty() || fraction.size() > 3))
    return false;
  for (char c : fraction)
    if (!IsDigit(c))
      return false;
  uint64_t seconds = 0;
  if (!ReadDecimal(whole, INT32_MAX / 1000, seconds))
    return false;
  fraction.resize(3, '0');
  uint64_t thousandths = 0;
  for (char c : fraction)
    thousandths = thousandths * 10 + static_cast<uint64_t>(c - '0');
  const uint64_t ms = seconds * 1000 + thousandths;
  if (ms > INT32_MAX)
    return false;
  milliseconds = static_cast<int32_t>(ms);
  return true;
}

TSettingRows SettingRows() {
  return {kRows, sizeof kRows / sizeof kRows[0]};
}

const TSettingRow *FindSettingByKey(const std::string &key) {
  return Find(&TSettingRow::Key, key, SameIgnoringCase);
}

const TSettingRow *FindSettingByOption(const std::string &option) {
  return Find(&TSettingRow::Option, option, Equal);
}

bool ReadSettingText(const TSettingRow &row, const std::string &text, SaverSettings &s) {
  int64_t value = 0;
  if (row.Unit == TSettingUnit::Milliseconds) {
    int32_t ms = 0;
    if (!ReadSeconds(text, ms))
      return false;
    value = ms;
  } else {
    uint64_t n = 0;
    if (!ReadDecimal(text, static_cast<uint64_t>(row.High), n))
      return false;
    value = static_cast<int64_t>(n);
  }
  if (value < row.Low || value > row.High)
    return false;
  row.Set(s, value);
  return true;
}

std::string SettingTextRange(const TSettingRow &row) {
  switch (row.Unit) {
    case TSettingUnit::Flag:
      return "0 or 1";
    case TSettingUnit::Milliseconds:
      return "seconds from " + SettingText(row, row.Low) + " to " + SettingText(row, row.High);
    case TSettingUnit::Count:
      break;
  }
  return "a whole number from " + std::to_string(row.Low) + " to " + std::to_string(row.High);
}

std::string SettingText(const TSettingRow &row, int64_t value) {
  if (row.Unit != TSettingUnit::Milliseconds)
    return std::to_string(value);
  std::string text = std::to_string(value / 1000);
  if (int64_t ms = value % 1000) {
    std::string fraction = std::to_string(ms + 1000).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    text += "." + fraction;
  }
  return text;
}

int64_t SettingFromFile(const TSettingRow &row, int32_t value) {
  if (row.FileRule == TFileRule::InRange && (value < row.Low || value > row.High))
    return row.Default;
  return value;
}
