// The program icon: a small bamboo tile, 32 x 32, 16 colours.
#pragma once

#include <cstdint>
#include <vector>

namespace velkorin_strip {

constexpr int kIconSize = 32;

// The icon as the bytes of its ICO file.
std::vector<uint8_t> ProgramIconIco();

}  // namespace velkorin_strip
