#include "hack_options.h"

#include <cstddef>

#include "problem.h"
#include "profile_int.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Digits only, no sign or blanks, at most limit.
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

struct TOptionName {
  const char *Name;
  bool TakesValue;
};

const TOptionName kOptions[] = {
    {"root", false},          {"window-id", true},      {"sort", false},
    {"no-sort", false},       {"no-answer-rate", true}, {"question-seconds", true},
    {"answer-seconds", true}, {"seed", true},           {"help", false},
    {"min-waits", true},      {"show-counts", false},
};

const TOptionName *FindOption(const std::string &name) {
  for (const TOptionName &o : kOptions)
    if (name == o.Name)
      return &o;
  return nullptr;
}

std::string Apply(THackOptions &o, const std::string &name, const std::string &value) {
  uint64_t n = 0;
  if (name == "root") {
    o.Target = THackTarget::Root;
  } else if (name == "window-id") {
    if (!ReadWindowId(value, o.WindowId))
      return "--window-id needs a window id (decimal, or hexadecimal after 0x), not " +
             Quoted(value);
    o.Target = THackTarget::WindowId;
  } else if (name == "sort" || name == "no-sort") {
    o.Sort = name == "sort";
  } else if (name == "no-answer-rate") {
    if (!ReadDecimal(value, 40, n))
      return "--no-answer-rate needs a whole number of fortieths from 0 to 40, not " +
             Quoted(value);
    o.NoAnsRate = static_cast<int32_t>(n);
  } else if (name == "question-seconds" || name == "answer-seconds") {
    int32_t &ms = name == "question-seconds" ? o.QuestionMs : o.AnswerMs;
    if (!ReadSeconds(value, ms))
      return "--" + name + " needs seconds from 0 to 2147483.647, not " + Quoted(value);
  } else if (name == "min-waits") {
    if (!ReadDecimal(value, MaxMinWaits, n))
      return "--min-waits needs a whole number from 0 to " + std::to_string(MaxMinWaits) +
             ", not " + Quoted(value);
    o.MinWaits = static_cast<int32_t>(n);
  } else if (name == "show-counts") {
    o.ShowCounts = true;
  } else if (name == "seed") {
    if (!ReadDecimal(value, UINT32_MAX, n))
      return "--seed needs a whole number from 0 to 4294967295, not " + Quoted(value);
    o.Seed = static_cast<uint32_t>(n);
    o.HasSeed = true;
  } else if (name == "help") {
    o.Help = true;
  }
  return {};
}

}  // namespace

// A value for a message, in quotes; control characters as \xNN, so that what a user
// passed cannot break the line or steer the terminal.
std::string Quoted(const std::string &text) {
  static const char kHex[] = "0123456789abcdef";
  std::string q = "'";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F)
      q += std::string("\\x") + kHex[u >> 4] + kHex[u & 15];
    else
      q += c;
  }
  return q + "'";
}

bool ReadWindowId(const std::string &text, uint32_t &id) {
  constexpr uint64_t kLargestXid = 0x1FFFFFFF;
  uint64_t v = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    for (size_t i = 2; i < text.size(); ++i) {
      const int h = HexDigitValue(text[i]);
      if (h < 0)
        return false;
      v = v * 16 + static_cast<uint64_t>(h);
      if (v > kLargestXid)
        return false;
    }
  } else if (!ReadDecimal(text, kLargestXid, v)) {
    return false;
  }
  if (v == 0)
    return false;
  id = static_cast<uint32_t>(v);
  return true;
}

bool ReadSeconds(const std::string &text, int32_t &milliseconds) {
  const size_t dot = text.find('.');
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
  const uint64_t ms = seconds * 1000 + static_cast<uint64_t>(std::stoi(fraction));
  if (ms > INT32_MAX)
    return false;
  milliseconds = static_cast<int32_t>(ms);
  return true;
}

THackRequest ParseHackOptions(const std::vector<std::string> &args) {
  THackRequest r;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    const size_t dashes = arg.rfind("--", 0) == 0 ? 2 : arg.rfind('-', 0) == 0 ? 1 : 0;
    std::string name = arg.substr(dashes), value;
    const size_t eq = name.find('=');
    const bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const TOptionName *option = dashes ? FindOption(name) : nullptr;
    if (!option) {
      r.Error = "unknown argument " + Quoted(arg);
      return r;
    }
    if (option->TakesValue && !inlineValue) {
      if (i + 1 >= args.size()) {
        r.Error = "--" + name + " needs a value";
        return r;
      }
      value = args[++i];
    } else if (!option->TakesValue && inlineValue) {
      r.Error = "--" + name + " takes no value";
      return r;
    }
    r.Error = Apply(r.Options, name, value);
    if (!r.Error.empty())
      return r;
  }
  return r;
}

static_assert(MaxMinWaits == 7, "the usage text gives the range of --min-waits");
const char HackUsage[] =
    "Usage: velkorin [OPTION]...\n"
    "Shows thirteen bamboo tiles, then the ranks that complete them.\n"
    "\n"
    "  --root                  draw on the root window, or on XSCREENSAVER_WINDOW when set\n"
    "  --window-id ID          draw on the window ID (decimal, or hexadecimal after 0x)\n"
    "                          (with neither, velkorin opens a window of its own)\n"
    "  --sort, --no-sort       show the hand sorted (default) or as dealt\n"
    "  --no-answer-rate N      fortieths of the puzzles that have no wait, 0..40 (default 2)\n"
    "  --question-seconds S    how long a question stays up (default 15)\n"
    "  --answer-seconds S      how long its answer stays up (default 5)\n"
    "  --min-waits N           fewest waits of a puzzle that has any, 0..7 (default 0: as\n"
    "                          drawn)\n"
    "  --show-counts           under each answer tile, how many of that rank are unseen,\n"
    "                          and their total\n"
    "  --seed N                start from this random state instead of the clock\n"
    "  --help                  show this text\n"
    "\n"
    "Options may also start with a single dash. Exit status: 0 when stopped by a signal or\n"
    "when the window goes away, 1 when the display or window cannot be used, 2 for a bad\n"
    "argument.\n";
