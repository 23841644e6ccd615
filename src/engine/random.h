// The program's random generator: a 32-bit linear congruential generator whose whole state
// is a value the caller owns, so two puzzles (or a test and the saver) never share one.
#pragma once

#include <cstdint>

struct TRandom {
  uint32_t RandomSeed = 0;
};

// Advances the state, then returns floor(n * state / 2^32): 0..n-1 for n >= 1, 0 for n = 0.
// n is taken as an unsigned 32-bit number.
int32_t RandomBelow(TRandom &random, int32_t n);

// The seed the saver starts from: the milliseconds since midnight UTC, 0..86399999, from
// the clock's fields. The caller reads its platform's clock; the engine reads none.
constexpr uint32_t MillisecondsOfDay(uint32_t hour, uint32_t minute, uint32_t second,
                                     uint32_t milliseconds) {
  return ((hour * 60u + minute) * 60u + second) * 1000u + milliseconds;
}
