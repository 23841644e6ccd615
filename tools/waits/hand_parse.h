// Reading a hand as the wait calculator takes it: thirteen digits 1..9, in any order.
#pragma once

#include <string>
#include <string_view>

#include "tiles.h"

// On success fills counts and returns true. Otherwise returns false and says in error
// what is wrong (a stray character, the number of tiles, a rank held more than four
// times), and counts then mean nothing. Any bytes at all are safe to pass.
bool ParseHand(std::string_view text, TTileCounts &counts, std::string &error);
