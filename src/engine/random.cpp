#include "random.h"

int32_t RandomBelow(TRandom &random, int32_t n) {
  random.RandomSeed = random.RandomSeed * 134775813u + 1u;
  uint64_t product = static_cast<uint64_t>(static_cast<uint32_t>(n)) * random.RandomSeed;
  return static_cast<int32_t>(static_cast<uint32_t>(product >> 32));
}
