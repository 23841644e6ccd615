// The saver's four settings, their keys and defaults.
#pragma once

#include <cstdint>

constexpr char SettingsFileName[] = "velkorin_ss.ini";
constexpr char SettingsSection[] = "Setting";

struct SaverSettings {
  bool Sort = true;
  int32_t NoAnsRate = 2;      // problems without a wait, in fortieths
  int32_t SleepTime = 15000;  // question interval, ms
  int32_t SleepTime2 = 5000;  // answer interval, ms
};

// The interval the saver waits for a value from the file: a negative value (a hand-edited
// file) would reach the sleep as an endless wait, so it takes the key's default instead.
constexpr int32_t IntervalOrDefault(int32_t value, int32_t keyDefault) {
  return value < 0 ? keyDefault : value;
}
