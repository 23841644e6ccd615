// velkorin-waits: prints the waits of one-suit hands, for checking drills by hand and for
// cross-checking the engine against other solvers.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "hand_parse.h"
#include "problem.h"

namespace {

const char kName[] = "velkorin-waits";

void Usage() {
  std::fprintf(stderr,
               "usage: %s HAND...\n"
               "       %s -      (one hand per line from standard input)\n"
               "HAND is thirteen digits 1..9 in any order, e.g. 1112345678999.\n"
               "Prints the hand, a tab, then the waiting ranks or None.\n",
               kName, kName);
}

// Collects standard output so that a large batch costs few writes.
class Output {
 public:
  ~Output() { Flush(); }
  void Line(std::string_view hand, const TWaitSet &waits) {
    buf_.append(hand);
    buf_ += '\t';
    if (waits[NoWait]) {
      buf_ += "None";
    } else {
      bool first = true;
      for (int r = 1; r <= 9; ++r)
        if (waits[r]) {
          if (!first)
            buf_ += ' ';
          buf_ += static_cast<char>('0' + r);
          first = false;
        }
    }
    buf_ += '\n';
    if (buf_.size() >= (1u << 16))
      Flush();
  }
  void Flush() {
    if (!buf_.empty())
      std::fwrite(buf_.data(), 1, buf_.size(), stdout);
    buf_.clear();
  }

 private:
  std::string buf_;
};

// Long junk is cut in messages; the position in the message still points into it.
std::string Shown(std::string_view text) {
  constexpr size_t kMax = 40;
  if (text.size() <= kMax)
    return std::string(text);
  return std::string(text.substr(0, kMax)) + "...";
}

// Answers one hand; where says where it came from, for the error message.
bool Answer(std::string_view hand, const std::string &where, Output &out) {
  TTileCounts counts;
  std::string error;
  if (!ParseHand(hand, counts, error)) {
    out.Flush();  // keep errors next to the answers they follow
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\"%s\": %s\n", kName, where.c_str(), Shown(hand).c_str(),
                 error.c_str());
    return false;
  }
  TWaitSet waits;
  FindWaits(counts, waits);
  out.Line(hand, waits);
  return true;
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
    line.remove_prefix(1);
  return line;
}

bool AnswerStdin(Output &out) {
  bool ok = true;
  long lineNo = 0;
  std::string pending;  // a line split across reads
  char chunk[1 << 16];
  auto finishLine = [&](std::string_view line) {
    ++lineNo;
    line = Trimmed(line);
    if (!line.empty() && !Answer(line, "line " + std::to_string(lineNo) + ": ", out))
      ok = false;
  };
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) {
    std::string_view data(chunk, n);
    size_t nl;
    while ((nl = data.find('\n')) != std::string_view::npos) {
      if (pending.empty()) {
        finishLine(data.substr(0, nl));
      } else {
        pending.append(data.substr(0, nl));
        finishLine(pending);
        pending.clear();
      }
      data.remove_prefix(nl + 1);
    }
    pending.append(data);
  }
  if (std::ferror(stdin)) {
    std::fprintf(stderr, "%s: error reading standard input\n", kName);
    ok = false;
  }
  if (!pending.empty())
    finishLine(pending);  // last line without its line feed
  return ok;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    Usage();
    return 2;
  }
  // Options are checked before any answer, so that a typo produces no half output.
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] == '-' && std::strcmp(argv[i], "-") != 0) {
      std::fprintf(stderr, "%s: unknown option %s\n", kName, argv[i]);
      Usage();
      return 2;
    }
  bool ok = true;
  {
    Output out;
    for (int i = 1; i < argc; ++i) {
      if (std::strcmp(argv[i], "-") == 0)
        ok = AnswerStdin(out) && ok;
      else
        ok = Answer(argv[i], "", out) && ok;
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: error writing standard output\n", kName);
    return 1;
  }
  return ok ? 0 : 1;
}
