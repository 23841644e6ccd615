// The program's random generator: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

extern uint32_t RandomSeed;

// Advances the state, then returns floor(n * state / 2^32): 0..n-1 for n >= 1, 0 for n = 0.
// n is taken as an unsigned 32-bit number.
int32_t RandomBelow(int32_t n);

// Seeds the generator with the milliseconds since midnight UTC.
void SeedRandomFromClock();

// The clock behind SeedRandomFromClock: milliseconds since midnight UTC, 0..86399999.
// One definition per platform (clock_win.cpp, clock_std.cpp).
uint32_t MillisecondsOfDayUtc();
