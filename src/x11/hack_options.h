// The hack's command line as XScreenSaver and its users write it. Pure: no X, no I/O.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings.h"

// Where the hack draws.
enum class THackTarget { OwnWindow, Root, WindowId };

struct THackOptions {
  THackTarget Target = THackTarget::OwnWindow;
  uint32_t WindowId = 0;  // for THackTarget::WindowId
  // The Windows saver's settings, with its defaults.
  bool Sort = SaverSettings{}.Sort;
  int32_t NoAnsRate = SaverSettings{}.NoAnsRate;
  int32_t QuestionMs = SaverSettings{}.SleepTime;
  int32_t AnswerMs = SaverSettings{}.SleepTime2;
  int32_t MinWaits = SaverSettings{}.MinWaits;  // 0..MaxMinWaits
  bool ShowCounts = SaverSettings{}.ShowCounts;
  // The clock gives the seed unless one is asked for, so a run can be repeated.
  bool HasSeed = false;
  uint32_t Seed = 0;
  bool Help = false;
};

// The result of reading the arguments: Error is empty when they read.
struct THackRequest {
  THackOptions Options;
  std::string Error;
};

// Options take one or two leading dashes ("-root", "--root"); a value follows as the next
// argument or after "=" ("--sort" takes none).
THackRequest ParseHackOptions(const std::vector<std::string> &args);

// An X window id: decimal digits, or "0x"/"0X" and hexadecimal digits, nothing else.
// X never gives out 0 or an id with any of the top three bits set, so those do not read.
bool ReadWindowId(const std::string &text, uint32_t &id);

// Seconds with at most three decimals, 0 up to the largest interval the settings hold
// (2147483.647 s), as milliseconds.
bool ReadSeconds(const std::string &text, int32_t &milliseconds);

// The text in quotes for a message, control characters as \xNN, so that what a user passed
// cannot break the line or steer the terminal.
std::string Quoted(const std::string &text);

extern const char HackUsage[];
