// How long the engine takes for the work the saver does: building the table of complete
// hands, finding waits, making a problem at the shipped no-wait share, at the share where
// no problem has a wait, and at every MinWaits; and how long the wait calculator takes,
// as a whole process, over every hand; and a puzzle with the splits under its answer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "complete_hands.h"
#include "problem.h"
#include "puzzle.h"
#include "random.h"

extern char **environ;

namespace {

void AddHands(TTileCounts &c, int rank, int left, std::vector<TTileCounts> &out) {
  if (rank == 9) {
    if (left <= MaxOfRank) {
      c[9] = static_cast<int16_t>(left);
      out.push_back(c);
    }
    return;
  }
  for (int k = 0; k <= MaxOfRank && k <= left; ++k) {
    c[rank] = static_cast<int16_t>(k);
    AddHands(c, rank + 1, left - k, out);
  }
}

// Every distinct thirteen-tile hand of one suit (93,600 of them).
std::vector<TTileCounts> AllHands() {
  std::vector<TTileCounts> hands;
  TTileCounts c{};
  AddHands(c, 1, HandSize, hands);
  return hands;
}

void BM_FindWaitsEveryHand(benchmark::State &state) {
  std::vector<TTileCounts> hands = AllHands();
  int64_t withWait = 0;
  for (auto _ : state) {
    withWait = 0;
    for (TTileCounts &c : hands) {
      TWaitSet w;
      withWait += FindWaits(c, w);
      benchmark::DoNotOptimize(w);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(hands.size()));
  state.counters["hands"] = static_cast<double>(hands.size());
  state.counters["with_wait"] = static_cast<double>(withWait);
}
BENCHMARK(BM_FindWaitsEveryHand)->Unit(benchmark::kMillisecond);

// What the saver pays once at start, on the first FindWaits.
void BM_CompleteHandsBuild(benchmark::State &state) {
  for (auto _ : state) {
    auto table = std::make_unique<TCompleteHands>();
    benchmark::DoNotOptimize(table.get());
  }
}
BENCHMARK(BM_CompleteHandsBuild)->Unit(benchmark::kMicrosecond);

void BM_MakeProblem(benchmark::State &state) {
  const ProblemRules rules{true, static_cast<int32_t>(state.range(0)), 1024, 768, false};
  Problem p{};
  TRandom random;  // the same sequence of problems on every run
  for (auto _ : state) {
    MakeProblem(p, rules, random);
    benchmark::DoNotOptimize(p);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MakeProblem)->Arg(2)->Arg(40)->ArgName("NoAnsRate");

double ThreadCpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Problems at the default settings, for the mean time, the share of problems by number of
// waits, and the slowest problem. On a shared machine the time of a single call is mostly
// the time it waited for a core, so the slowest problem is found by its work (the draws
// it took from the generator) and then made again from the same state: the fastest of 20
// runs is its time.
void BM_MakeProblemMinWaits(benchmark::State &state) {
  ProblemRules rules{true, 2, 1024, 768, false};
  rules.MinWaits = static_cast<int32_t>(state.range(0));
  Problem p{};
  TRandom random;
  std::vector<TRandom> starts;
  starts.reserve(static_cast<size_t>(state.max_iterations) + 1);
  int64_t byWaits[10] = {};
  CompleteHands();  // built once at start, measured on its own above
  for (auto _ : state) {
    starts.push_back(random);
    MakeProblem(p, rules, random);
    ++byWaits[WaitCount(p.Waits)];
  }
  starts.push_back(random);

  uint64_t worstDraws = 0;
  TRandom worstStart;
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    uint64_t draws = 0;
    for (TRandom r = starts[i]; r.RandomSeed != starts[i + 1].RandomSeed; ++draws)
      RandomBelow(r, 0);
    if (draws > worstDraws) {
      worstDraws = draws;
      worstStart = starts[i];
    }
  }
  double worstCpu = 1e9, worstElapsed = 1e9;
  for (int run = 0; run < 20; ++run) {
    TRandom again = worstStart;
    const double cpu = ThreadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    MakeProblem(p, rules, again);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    worstCpu = std::min(worstCpu, ThreadCpuSeconds() - cpu);
    worstElapsed = std::min(worstElapsed, elapsed.count());
  }

  state.SetItemsProcessed(state.iterations());
  state.counters["worst_draws"] = static_cast<double>(worstDraws);
  state.counters["worst_cpu_us"] = worstCpu * 1e6;
  state.counters["worst_elapsed_us"] = worstElapsed * 1e6;
  for (int n = 0; n <= 9; ++n)
    state.counters["share_" + std::to_string(n)] =
        static_cast<double>(byWaits[n]) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MakeProblemMinWaits)
    ->DenseRange(0, MaxMinWaits)
    ->ArgName("MinWaits")
    ->Iterations(200000)
    ->Unit(benchmark::kMicrosecond);

// What the puzzle asks of a canvas, counted: the cost of a platform's drawing aside, the
// puzzle's own work for a step.
class TCountingCanvas : public TPuzzleCanvas {
 public:
  int64_t Calls = 0;
  void Fill(const TBox &box, TColor) override { Calls += box.Width() > 0; }
  void DrawFace(int rank, int, int) override { Calls += rank; }
  void WriteText(int, int, const char *text, TTextSize) override { Calls += text[0]; }
};

// A question and its answer at scale 2, nine rows of splits at scale 1 under the answer; the
// slowest pair of steps too, since a step must never keep the saver from its next one, by
// the processor time of this thread (a shared machine's wall clock mostly measures waiting).
void BM_PuzzleWithSplits(benchmark::State &state) {
  const ProblemRules rules{true, 2, 0, 0, false};
  TPuzzle puzzle(rules, TRandom{}, {{0, 0, 1920, 1080}}, {2, 1}, false, true);
  TCountingCanvas canvas;
  double slowest = 0;
  int64_t drawn = 0;
  for (auto _ : state) {
    const int64_t calls = canvas.Calls;
    const double cpu = ThreadCpuSeconds();
    puzzle.Step(canvas);
    puzzle.Step(canvas);
    slowest = std::max(slowest, ThreadCpuSeconds() - cpu);
    drawn += canvas.Calls > calls;
  }
  benchmark::DoNotOptimize(drawn);
  state.SetItemsProcessed(state.iterations());
  state.counters["slowest_us"] = slowest * 1e6;
}
BENCHMARK(BM_PuzzleWithSplits)->Iterations(20000)->Unit(benchmark::kMicrosecond);

// Every hand, one a line, as the calculator reads them: a temporary file for the whole
// run, removed at exit.
struct HandFile {
  std::string path = "/tmp/velkorin_bench_hands_" + std::to_string(getpid());
  bool written = false;
  HandFile() {
    std::string text;
    for (const TTileCounts &c : AllHands()) {
      for (int r = 1; r <= 9; ++r)
        text.append(static_cast<size_t>(c[r]), static_cast<char>('0' + r));
      text += '\n';
    }
    FILE *f = std::fopen(path.c_str(), "wb");
    if (f) {
      written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
      written = std::fclose(f) == 0 && written;
    }
  }
  ~HandFile() { std::remove(path.c_str()); }
};

// velkorin-waits - over every hand, one process each time, its answers to /dev/null: the
// elapsed time from start to exit, and the processor time of the process.
// VELKORIN_WAITS_TOOL names another build of the program to measure.
void BM_WaitsToolEveryHand(benchmark::State &state) {
  const char *other = std::getenv("VELKORIN_WAITS_TOOL");
  const std::string tool = other && *other ? other : VELKORIN_WAITS_TOOL;
  static const HandFile hands;
  const std::string &input = hands.path;
  if (!hands.written) {
    state.SkipWithError("cannot write the hands to /tmp");
    return;
  }
  double cpu = 0, fastest = 1e9;
  for (auto _ : state) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(tool.c_str()), const_cast<char *>("-"), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    const int spawned = posix_spawn(&pid, tool.c_str(), &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError(("cannot run " + tool).c_str());
      break;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    fastest = std::min(fastest, elapsed.count());
    cpu += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  }
  state.counters["fastest_ms"] = fastest * 1e3;
  state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WaitsToolEveryHand)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
