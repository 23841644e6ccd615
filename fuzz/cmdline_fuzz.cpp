// The command line: any bytes, NULs included, are split into arguments and read as a start
// request. The split is compared with a separately written scanner, each argument is read
// as a window handle against a second integer reader, and the mode must depend on the
// second character of the first argument alone, with only the system's flags away from
// full screen.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "cmdline.h"
#include "int_reference.h"

namespace {

bool IsGap(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

// Works on the text as C sees it: everything after a NUL is gone. A quote flips between
// plain and quoted; only plain gaps end a word.
std::vector<std::string> ReferenceSplit(const std::string &line) {
  const std::string text = line.substr(0, line.find('\0'));
  const char *p = text.c_str();
  std::vector<std::string> words;
  for (;;) {
    for (;;) {
      if (IsGap(*p))
        ++p;
      else if (p[0] == '"' && p[1] == '"')
        p += 2;
      else
        break;
    }
    std::string word;
    bool quoted = false;
    for (; *p != '\0' && (quoted || !IsGap(*p)); ++p) {
      if (*p == '"')
        quoted = !quoted;
      else
        word += *p;
    }
    // The program path may be empty only when nothing follows it.
    if (word.empty())
      break;
    words.push_back(word);
  }
  if (!words.empty())
    words.erase(words.begin());
  return words;
}

void CheckHandle(const std::string &text) {
  const int32_t handle = ReadWindowHandle(text);
  const std::optional<int32_t> expected = ref::ReadInt(text);
  FUZZ_CHECK(handle == expected.value_or(0));
  // What reads is a handle the system could have written, in either of its forms.
  FUZZ_CHECK(ReadWindowHandle(ref::Decimal(handle)) == handle);
  FUZZ_CHECK(ReadWindowHandle("$" + ref::Hex(handle, false, 0)) == handle);
}

void CheckMode(const std::vector<std::string> &args) {
  const std::string mode = ModeArgFrom(args);
  if (args.empty()) {
    FUZZ_CHECK(mode == "/C");
  } else {
    FUZZ_CHECK(mode.size() == args[0].size());
    for (size_t i = 0; i < mode.size(); ++i) {
      const char c = args[0][i];
      FUZZ_CHECK(mode[i] == (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
  }
  const RunMode selected = SelectMode(mode);
  // Only the system's three flags lead away from full screen: an unknown flag must never
  // open a dialog. (Which mode each flag selects is the unit tests' table.)
  const bool flag = mode.size() >= 2 && (mode[1] == 'A' || mode[1] == 'C' || mode[1] == 'P');
  FUZZ_CHECK(flag || selected == RunMode::FullScreen);
  if (flag)
    FUZZ_CHECK(selected != RunMode::FullScreen);
  // Neither the first character nor anything after the second may matter.
  if (mode.size() >= 2) {
    FUZZ_CHECK(SelectMode("#" + mode.substr(1, 1)) == selected);
    FUZZ_CHECK(SelectMode(mode.substr(0, 2) + "PCA\x01") == selected);
  } else {
    FUZZ_CHECK(selected == RunMode::FullScreen);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string line(reinterpret_cast<const char *>(data), size);
  const std::vector<std::string> args = SplitCommandLine(line);
  FUZZ_CHECK(args == ReferenceSplit(line));
  for (const std::string &arg : args) {
    FUZZ_CHECK(!arg.empty());
    FUZZ_CHECK(arg.find('\0') == std::string::npos);
    FUZZ_CHECK(arg.find('"') == std::string::npos);  // quotes group and vanish
    CheckHandle(arg);
  }
  // Without quotes a word cannot hold a gap.
  if (line.find('"') == std::string::npos)
    for (const std::string &arg : args)
      for (char c : arg)
        FUZZ_CHECK(!IsGap(c));
  // Nothing after a NUL counts.
  const size_t nul = line.find('\0');
  if (nul != std::string::npos)
    FUZZ_CHECK(SplitCommandLine(line.substr(0, nul)) == args);

  CheckMode(args);

  const StartRequest request = ReadStartRequest(line);
  FUZZ_CHECK(request.ModeArg == ModeArgFrom(args));
  FUZZ_CHECK(request.Mode == SelectMode(request.ModeArg));
  const bool takesHandle =
      request.Mode == RunMode::Preview || request.Mode == RunMode::PasswordChange;
  const int32_t parent = takesHandle && args.size() >= 2 ? ReadWindowHandle(args[1]) : 0;
  FUZZ_CHECK(request.PreviewParent == parent);

  // Each argument quoted again, behind a quoted program path with a blank in it, gives
  // the same arguments back.
  std::string quoted = "\"C:\\Program Files\\v.scr\"";
  for (const std::string &arg : args)
    quoted += " \"" + arg + "\"";
  FUZZ_CHECK(SplitCommandLine(quoted) == args);
  return 0;
}
