#include "strip_bmp.h"

#include <cstdlib>
#include <stdexcept>

namespace {

uint32_t U16(const unsigned char *b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}

uint32_t U32(const unsigned char *b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

}  // namespace

TStripImage DecodeStripBmp(const unsigned char *b, size_t size) {
  const auto fail = [] { throw std::runtime_error("the tile strip is not a 4-bit bitmap"); };
  if (size < 54 || b[0] != 'B' || b[1] != 'M')
    fail();
  const size_t infoSize = U32(b, 14);
  const size_t bits = U32(b, 10);
  const int32_t width = static_cast<int32_t>(U32(b, 18));
  const int32_t rawHeight = static_cast<int32_t>(U32(b, 22));
  const uint32_t colours = U32(b, 46) ? U32(b, 46) : 16;
  if (infoSize < 40 || U16(b, 28) != 4 || U32(b, 30) != 0 || width <= 0 || width > 4096 ||
      rawHeight == 0 || rawHeight < -4096 || rawHeight > 4096 || colours > 16)
    fail();
  const int height = std::abs(rawHeight);
  const size_t stride = (static_cast<size_t>(width) * 4 + 31) / 32 * 4;
  const size_t table = 14 + infoSize;
  if (table + colours * 4 > size || bits > size || size - bits < stride * height)
    fail();
  TStripImage image;
  image.Width = width;
  image.Height = height;
  image.Palette.assign(16, Black);
  for (uint32_t i = 0; i < colours; ++i) {
    const unsigned char *q = b + table + i * 4;  // blue, green, red, reserved
    image.Palette[i] = ColorOf(q[2], q[1], q[0]);
  }
  image.Index.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const unsigned char *row = b + bits + stride * (rawHeight > 0 ? height - 1 - y : y);
    for (int x = 0; x < width; ++x)
      image.Index[static_cast<size_t>(y) * width + x] =
          x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
  }
  return image;
}
