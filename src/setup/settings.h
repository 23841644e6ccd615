// The saver's settings, their keys and defaults.
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

// Two keys for today's desktops that the setup dialog does not show (so saving the dialog
// leaves them as they stand). A value outside a key's range takes its default.
struct DisplaySettings {
  int32_t Monitors = 0;  // 0: puzzles on the primary monitor; 1: each question on the next
  int32_t Scale = 0;     // 0: from the screen's pixels per inch; 1 to 4: that scale
};
constexpr int32_t MonitorsOrDefault(int32_t value) {
  return value == 0 || value == 1 ? value : DisplaySettings().Monitors;
}
constexpr int32_t ScaleOrDefault(int32_t value) {
  return value >= 0 && value <= 4 ? value : DisplaySettings().Scale;
}
