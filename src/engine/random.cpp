#include "random.h"

uint32_t RandomSeed = 0;

int32_t RandomBelow(int32_t n) {
  RandomSeed = RandomSeed * 134775813u + 1u;
  uint64_t product = static_cast<uint64_t>(static_cast<uint32_t>(n)) * RandomSeed;
  return static_cast<int32_t>(static_cast<uint32_t>(product >> 32));
}

void SeedRandomFromClock() {
  RandomSeed = MillisecondsOfDayUtc();
}
