// The seed of the saver's puzzles: the milliseconds since midnight UTC, read once when the
// saver window is created, so each run shows a new sequence.
#pragma once

#include <cstdint>

uint32_t ClockSeed();
