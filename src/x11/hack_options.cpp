#include "hack_options.h"

#include <cstddef>

#include "problem.h"
#include "profile_int.h"

#ifndef VELKORIN_VERSION
#error "the build passes the project's version as VELKORIN_VERSION"
#endif

namespace {

// The options that are about the hack itself rather than a setting.
struct TOptionName {
  const char *Name;
  bool TakesValue;
};

const TOptionName kHackOptions[] = {
    {"root", false}, {"window-id", true}, {"window", false},  {"display", true},
    {"help", false}, {"h", false},        {"version", false},
};

const TOptionName *FindHackOption(const std::string &name) {
  for (const TOptionName &o : kHackOptions)
    if (name == o.Name)
      return &o;
  return nullptr;
}

std::string ApplyHackOption(THackOptions &o, const std::string &name, const std::string &value) {
  if (name == "root") {
    o.Target = THackTarget::Root;
  } else if (name == "window-id") {
    if (!ReadWindowId(value, o.WindowId))
      return "--window-id needs a window id (decimal, or hexadecimal after 0x), not " +
             Quoted(value);
    o.Target = THackTarget::WindowId;
  } else if (name == "window") {
    o.Target = THackTarget::OwnWindow;
  } else if (name == "display") {
    if (value.empty())
      return "--display needs the name of a display, such as :0";
    o.Display = value;
  } else if (name == "version") {
    o.Version = true;
  } else {
    o.Help = true;
  }
  return {};
}

// A setting's option; a flag's name with "no-" in front clears it.
struct TSettingOption {
  const TSettingRow *Row = nullptr;
  bool Clear = false;
};

TSettingOption FindSettingOption(const std::string &name) {
  if (const TSettingRow *row = FindSettingByOption(name))
    return {row, false};
  if (name.rfind("no-", 0) == 0)
    if (const TSettingRow *row = FindSettingByOption(name.substr(3)))
      if (row->Unit == TSettingUnit::Flag)
        return {row, true};
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
    const TOptionName *hackOption = dashes ? FindHackOption(name) : nullptr;
    const TSettingOption setting = dashes ? FindSettingOption(name) : TSettingOption{};
    if (!hackOption && !setting.Row) {
      r.Error = "unknown argument " + Quoted(arg);
      return r;
    }
    const bool takesValue =
        hackOption ? hackOption->TakesValue : setting.Row->Unit != TSettingUnit::Flag;
    if (takesValue && !inlineValue) {
      if (i + 1 >= args.size()) {
        r.Error = "--" + name + " needs a value";
        return r;
      }
      value = args[++i];
    } else if (!takesValue && inlineValue) {
      r.Error = "--" + name + " takes no value";
      return r;
    }
    if (hackOption)
      r.Error = ApplyHackOption(r.Options, name, value);
    else if (!takesValue)
      setting.Row->Set(r.Options.Settings, setting.Clear ? 0 : 1);
    else if (!ReadSettingText(*setting.Row, value, r.Options.Settings))
      r.Error = "--" + name + " needs " + SettingTextRange(*setting.Row) + ", not " + Quoted(value);
    if (!r.Error.empty())
      return r;
  }
  return r;
}

std::vector<std::string> HackOptionNames() {
  std::vector<std::string> names;
  for (const TOptionName &o : kHackOptions)
    names.push_back(o.Name);
  for (const TSettingRow &row : SettingRows())
    if (row.Option)
      names.push_back(row.Option);
  return names;
}

static_assert(MaxMinWaits == 7, "the usage text gives the range of --min-waits");
const char HackUsage[] =
    "Usage: velkorin [OPTION]...\n"
    "Shows thirteen bamboo tiles, then the ranks that complete them.\n"
    "\n"
    "  --root                  draw on the root window, or on XSCREENSAVER_WINDOW when set\n"
    "  --window-id ID          draw on the window ID (decimal, or hexadecimal after 0x)\n"
    "  --window                open a window of its own (the default)\n"
    "  --display DPY           the X display to draw on (default: DISPLAY)\n"
    "  --sort, --no-sort       show the hand sorted (default) or as dealt\n"
    "  --no-answer-rate N      fortieths of the puzzles that have no wait, 0..40 (default 2)\n"
    "  --question-seconds S    how long a question stays up (default 15)\n"
    "  --answer-seconds S      how long its answer stays up (default 5)\n"
    "  --min-waits N           fewest waits of a puzzle that has any, 0..7 (default 0: as\n"
    "                          drawn)\n"
    "  --show-counts           under each answer tile, how many of that rank are unseen,\n"
    "                          and their total (--no-show-counts: not, the default)\n"
    "  --show-splits           under the answer, how each wait completes the hand, split\n"
    "                          into its groups (--no-show-splits: not, the default)\n"
    "  --seed N                start from this random state instead of the clock\n"
    "  -h, --help              show this text and end\n"
    "  --version               show the version and end\n"
    "\n"
    "Options may also start with a single dash. Exit status: 0 when stopped by a signal or\n"
    "when the window goes away, 1 when the display or window cannot be used, 2 for a bad\n"
    "argument.\n";

const char HackVersion[] = "velkorin " VELKORIN_VERSION "\n";
