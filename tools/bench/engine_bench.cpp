// How long the engine takes for the work the saver does: finding waits, and making a
// problem at the shipped no-wait share and at the share where no problem has a wait.
#include <benchmark/benchmark.h>

#include <vector>

#include "problem.h"
#include "random.h"

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

}  // namespace
