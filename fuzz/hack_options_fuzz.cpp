// The X11 hack's command line: any bytes, split at NUL into arguments, read as the hack's
// options; every argument also read as a window id and as seconds, against a second reader,
// and values that read come back the same when written out again. Messages stay one line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "hack_options.h"
#include "problem.h"

namespace {

// Digits in base 10, or 16 after "0x"/"0X"; the value while it stays within limit.
std::optional<uint64_t> RefNumber(const std::string &t, uint64_t limit) {
  size_t at = 0;
  uint64_t base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    at = 2;
    base = 16;
  }
  if (at == t.size())
    return std::nullopt;
  uint64_t v = 0;
  for (; at < t.size(); ++at) {
    const char c = t[at];
    uint64_t d;
    if (c >= '0' && c <= '9')
      d = uint64_t(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = uint64_t(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = uint64_t(c - 'A' + 10);
    else
      return std::nullopt;
    v = v * base + d;
    if (v > limit)
      return std::nullopt;
  }
  return v;
}

void CheckWord(const std::string &word) {
  uint32_t id = 0xDEAD;
  const bool read = ReadWindowId(word, id);
  const std::optional<uint64_t> ref = RefNumber(word, 0x1FFFFFFF);
  FUZZ_CHECK(read == (ref && *ref != 0));
  FUZZ_CHECK(id == (read ? *ref : 0xDEAD));
  if (read) {
    char text[24];
    snprintf(text, sizeof text, "0x%x", id);
    uint32_t back = 0;
    FUZZ_CHECK(ReadWindowId(text, back) && back == id);
    FUZZ_CHECK(ReadWindowId(std::to_string(id), back) && back == id);
  }

  int32_t ms = -5;
  if (ReadSeconds(word, ms)) {
    FUZZ_CHECK(ms >= 0);
    char text[24];
    snprintf(text, sizeof text, "%d.%03d", ms / 1000, ms % 1000);
    int32_t back = -5;
    FUZZ_CHECK(ReadSeconds(text, back) && back == ms);
  } else {
    FUZZ_CHECK(ms == -5);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i)
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += char(data[i]);
  for (const std::string &a : args)
    CheckWord(a);
  const THackRequest r = ParseHackOptions(args);
  if (r.Error.empty()) {
    const THackOptions &o = r.Options;
    for (const TSettingRow &row : SettingRows()) {
      const int64_t v = row.Get(o.Settings);
      FUZZ_CHECK(row.Option == nullptr || v == row.Default || (v >= row.Low && v <= row.High));
    }
    FUZZ_CHECK(o.Target != THackTarget::WindowId || (o.WindowId >= 1 && o.WindowId <= 0x1FFFFFFF));
  } else {
    for (char c : r.Error)  // one line, no control characters from the input
      FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
  return 0;
}
