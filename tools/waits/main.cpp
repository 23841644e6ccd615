// velkorin-waits: prints the waits of one-suit hands, for checking drills by hand and for
// cross-checking the engine against other solvers.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "hand_parse.h"
#include "problem.h"
#include "split.h"

namespace {

const char kName[] = "velkorin-waits";

void Usage() {
  std::fprintf(stderr,
               "usage: %s [--explain] [--counts] HAND...\n"
               "       %s [--explain] [--counts] -      (one hand per line from standard "
               "input)\n"
               "HAND is thirteen digits 1..9 in any order, e.g. 1112345678999.\n"
               "Prints the hand, a tab, then the waiting ranks or None.\n"
               "--counts   adds a tab, the tiles left of each wait, a tab and their total\n"
               "--explain  adds a line under the hand for each wait: the wait, then the\n"
               "           completed hand split into a pair and melds, or seven pairs\n",
               kName, kName);
}

struct Options {
  bool Explain = false;
  bool Counts = false;
};

// Collects standard output so that a large batch costs few writes.
class Output {
 public:
  explicit Output(const Options &options) : options_(options) {}
  ~Output() { Flush(); }
  void Line(std::string_view hand, const TTileCounts &counts, const TWaitSet &waits) {
    buf_.append(hand);
    buf_ += '\t';
    if (waits[NoWait]) {
      buf_ += "None";
    } else {
      Ranks(waits, [&](int r) { buf_ += static_cast<char>('0' + r); });
      if (options_.Counts) {
        buf_ += '\t';
        Ranks(waits, [&](int r) { buf_ += std::to_string(TilesLeft(counts, r)); });
        const int total = TilesLeftForWaits(counts, waits);
        buf_ += '\t' + std::to_string(total) + (total == 1 ? " tile" : " tiles");
      }
    }
    buf_ += '\n';
    if (options_.Explain)
      Explain(counts, waits);
    if (buf_.size() >= (1u << 16))
      Flush();
  }
  void Flush() {
    if (!buf_.empty())
      std::fwrite(buf_.data(), 1, buf_.size(), stdout);
    buf_.clear();
  }

 private:
  // Calls put for every wait, with a blank between them.
  template <typename F>
  void Ranks(const TWaitSet &waits, F put) {
    bool first = true;
    for (int r = 1; r <= 9; ++r)
      if (waits[r]) {
        if (!first)
          buf_ += ' ';
        put(r);
        first = false;
      }
  }

  void Explain(const TTileCounts &counts, const TWaitSet &waits) {
    for (int r = 1; r <= 9; ++r) {
      if (!waits[r])
        continue;
      TTileCounts completed = counts;
      ++completed[r];
      buf_ += '+';
      buf_ += static_cast<char>('0' + r);
      buf_ += "  ";
      buf_ += SplitText(completed);
      buf_ += '\n';
    }
  }

  const Options &options_;
  std::string buf_;
};

// Long junk is cut in messages; the position in the message still points into it.
std::string Shown(std::string_view text) {
  constexpr size_t kMax = 40;
  if (text.size() <= kMax)
    return std::string(text);
  return std::string(text.substr(0, kMax)) + "...";
}

// Answers one hand; lineNo says which line of standard input it came from, 0 for an
// argument, for the error message.
bool Answer(std::string_view hand, long lineNo, Output &out) {
  TTileCounts counts;
  std::string error;
  if (!ParseHand(hand, counts, error)) {
    out.Flush();  // keep errors next to the answers they follow
    std::fflush(stdout);
    const std::string where = lineNo > 0 ? "line " + std::to_string(lineNo) + ": " : "";
    std::fprintf(stderr, "%s: %s\"%s\": %s\n", kName, where.c_str(), Shown(hand).c_str(),
                 error.c_str());
    return false;
  }
  TWaitSet waits;
  FindWaits(counts, waits);
  out.Line(hand, counts, waits);
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
    if (!line.empty() && !Answer(line, lineNo, out))
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
  // Options are read before any answer, so that a typo produces no half output.
  Options options;
  int hands = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--explain") == 0) {
      options.Explain = true;
    } else if (std::strcmp(argv[i], "--counts") == 0) {
      options.Counts = true;
    } else if (argv[i][0] == '-' && std::strcmp(argv[i], "-") != 0) {
      std::fprintf(stderr, "%s: unknown option %s\n", kName, argv[i]);
      Usage();
      return 2;
    } else {
      ++hands;
    }
  }
  if (hands == 0) {
    Usage();
    return 2;
  }
  bool ok = true;
  {
    Output out(options);
    for (int i = 1; i < argc; ++i) {
      if (std::strcmp(argv[i], "-") == 0)
        ok = AnswerStdin(out) && ok;
      else if (argv[i][0] != '-')
        ok = Answer(argv[i], 0, out) && ok;
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: error writing standard output\n", kName);
    return 1;
  }
  return ok ? 0 : 1;
}
