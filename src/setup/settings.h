// The saver's settings, their keys and defaults.
#pragma once

#include <cstdint>

#include "problem.h"

constexpr char SettingsFileName[] = "velkorin_ss.ini";
constexpr char SettingsSection[] = "Setting";

struct SaverSettings {
  bool Sort = true;
  int32_t NoAnsRate = 2;      // problems without a wait, in fortieths
  int32_t SleepTime = 15000;  // question interval, ms
  int32_t SleepTime2 = 5000;  // answer interval, ms
  // Set in the file by hand; the setup dialog neither shows nor writes them.
  int32_t MinWaits = 0;     // fewest waits of a problem that has any, 0..MaxMinWaits
  bool ShowCounts = false;  // the tiles left of each wait under the answer
};

// The interval the saver waits for a value from the file: a negative value (a hand-edited
// file) would reach the sleep as an endless wait, so it takes the key's default instead.
constexpr int32_t IntervalOrDefault(int32_t value, int32_t keyDefault) {
  return value < 0 ? keyDefault : value;
}

// MinWaits as the saver uses it: a value outside 0..MaxMinWaits takes the key's default.
constexpr int32_t MinWaitsOrDefault(int32_t value, int32_t keyDefault) {
  return value >= 0 && value <= MaxMinWaits ? value : keyDefault;
}
