#include "icon_image.h"

#include <cstring>
#include <stdexcept>

#include "bitmap16.h"

namespace velkorin_strip {
namespace {

// A tile seen from the upper left like the saver's own tiles, with one green and one red stick.
// '.' is transparent; W white, K grey, M maroon, G green, R red.
// clang-format off
constexpr const char *kIcon[kIconSize] = {
    "................................",
    "...KKKKKKKKKKKKKKKKKKKKK........",
    "...KWWWWWWWWWWWWWWWWWWWK........",
    "...KWWWWWWWWWWWWWWWWWWWKW.......",
    "...KWWGGGGGWWWWRRRRRWWWKWW......",
    "...KWWGGGGGWWWWRRRRRWWWKWWM.....",
    "...KWWWGWGWWWWWWRWRWWWWKWWMM....",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWGGGGGWWWWRRRRRWWWKWWMMM...",
    "...KWWGWWWGWWWWRWWWRWWWKWWMMM...",
    "...KWWGGGGGWWWWRRRRRWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWWGWGWWWWWWRWRWWWWKWWMMM...",
    "...KWWGGGGGWWWWRRRRRWWWKWWMMM...",
    "...KWWGGGGGWWWWRRRRRWWWKWWMMM...",
    "...KWWWWWWWWWWWWWWWWWWWKWWMMM...",
    "...KWWWWWWWWWWWWWWWWWWWKWWMMM...",
    "...KWWWWWWWWWWWWWWWWWWWKWWMMM...",
    "...KKKKKKKKKKKKKKKKKKKKKWWMMM...",
    "....WWWWWWWWWWWWWWWWWWWWKWMMM...",
    ".....WWWWWWWWWWWWWWWWWWWWKMMM...",
    "......MMMMMMMMMMMMMMMMMMMMKMM...",
    ".......MMMMMMMMMMMMMMMMMMMMMM...",
    "........MMMMMMMMMMMMMMMMMMMMM...",
    "................................",
};
// clang-format on

uint8_t ColourOf(char c) {
  switch (c) {
    case '.':
      return kBlack;
    case 'W':
      return kWhite;
    case 'K':
      return kGrey;
    case 'M':
      return kMaroon;
    case 'G':
      return kGreen;
    case 'R':
      return kRed;
  }
  throw std::logic_error("unknown icon colour");
}

}  // namespace

std::vector<uint8_t> ProgramIconIco() {
  IndexedImage image(kIconSize, kIconSize, kBlack);
  std::vector<uint8_t> transparent(static_cast<size_t>(kIconSize) * kIconSize, 0);
  for (int y = 0; y < kIconSize; ++y) {
    if (std::strlen(kIcon[y]) != static_cast<size_t>(kIconSize))
      throw std::logic_error("icon row of the wrong width");
    for (int x = 0; x < kIconSize; ++x) {
      image.Set(x, y, ColourOf(kIcon[y][x]));
      transparent[static_cast<size_t>(y) * kIconSize + x] = kIcon[y][x] == '.';
    }
  }
  return EncodeIco(image, transparent);
}

}  // namespace velkorin_strip
