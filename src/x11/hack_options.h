// The hack's command line as XScreenSaver and its users write it. Pure: no X, no I/O.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings.h"
#include "settings_table.h"

// Where the hack draws.
enum class THackTarget { OwnWindow, Root, WindowId };

struct THackOptions {
  THackTarget Target = THackTarget::OwnWindow;
  uint32_t WindowId = 0;  // for THackTarget::WindowId
  std::string Display;    // empty: the one DISPLAY names
  // The Windows saver's settings, with its defaults; each setting's option is its row's.
  SaverSettings Settings;
  bool Help = false;
  bool Version = false;
};

// The result of reading the arguments: Error is empty when they read.
struct THackRequest {
  THackOptions Options;
  std::string Error;
};

// Options take one or two leading dashes ("-root", "--root"); a value follows as the next
// argument or after "=" (flags such as "--sort" take none).
THackRequest ParseHackOptions(const std::vector<std::string> &args);

// An X window id: decimal digits, or "0x"/"0X" and hexadecimal digits, nothing else.
// X never gives out 0 or an id with any of the top three bits set, so those do not read.
bool ReadWindowId(const std::string &text, uint32_t &id);

// The text in quotes for a message, control characters as \xNN, so that what a user passed
// cannot break the line or steer the terminal.
std::string Quoted(const std::string &text);

// Every option the hack takes, without dashes: its own and the settings'.
std::vector<std::string> HackOptionNames();

extern const char HackUsage[];
// "velkorin 1.1.0": the build's own version.
extern const char HackVersion[];
