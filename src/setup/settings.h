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
  // In "More options", or set in the file by hand; the main dialog's OK leaves them alone.
  int32_t MinWaits = 0;     // fewest waits of a problem that has any, 0..MaxMinWaits
  bool ShowCounts = false;  // the tiles left of each wait under the answer
  bool ShowSplits = false;  // under the answer, how each wait completes the hand
  int32_t Monitors = 0;     // 0: puzzles on the primary monitor; 1: each question on the next
  int32_t Scale = 0;        // full screen: 0 from the screen's pixels per inch; 1..MaxScale
  // Never in the file: a run that is to be repeated starts from this random state,
  // 0..UINT32_MAX. NoSeed leaves it to the clock.
  int64_t Seed = NoSeed;
  static constexpr int64_t NoSeed = -1;
};

constexpr int32_t MaxScale = 4;

// The interval the saver waits for a value from the file: a negative value (a hand-edited
// file) would reach the sleep as an endless wait, so it takes the key's default instead.
constexpr int32_t IntervalOrDefault(int32_t value, int32_t keyDefault) {
  return value < 0 ? keyDefault : value;
}

// A hand-edited value the saver cannot use takes the key's default.
constexpr int32_t InRangeOrDefault(int32_t value, int32_t low, int32_t high, int32_t keyDefault) {
  return value >= low && value <= high ? value : keyDefault;
}

// What the problems are made from, the same on every front end; the area is the puzzle's
// to fill in, since it changes with the window and the monitor.
inline ProblemRules RulesFromSettings(const SaverSettings &s, bool preview) {
  ProblemRules rules = {};
  rules.Sort = s.Sort;
  rules.NoAnsRate = s.NoAnsRate;
  rules.Preview = preview;
  rules.MinWaits = s.MinWaits;
  return rules;
}
