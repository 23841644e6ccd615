// velkorin-mkstrip: writes the tile strip bitmap and, when asked, the program icon.
//   velkorin-mkstrip TILES.bmp [ICON.ico]
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_image.h"
#include "tile_strip.h"

namespace {

void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s TILES.bmp [ICON.ico]\n", argv[0]);
    return 2;
  }
  try {
    WriteFile(argv[1], velkorin_strip::TileStripBmp());
    if (argc == 3)
      WriteFile(argv[2], velkorin_strip::ProgramIconIco());
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
