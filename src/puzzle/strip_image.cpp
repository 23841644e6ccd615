#include "strip_image.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "puzzle_geometry.h"

namespace {

uint32_t U16(const unsigned char *b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}

uint32_t U32(const unsigned char *b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

// The packed form: BITMAPINFOHEADER (or a larger header), the colour table, then the rows;
// bitsAt is where the rows start, from the start of b, 0 when they follow the table.
TStripImage DecodeDib(const unsigned char *b, size_t size, size_t bitsAt) {
  const auto fail = [] { throw std::runtime_error("the tile strip is not a 4-bit bitmap"); };
  if (size < 40)
    fail();
  const size_t infoSize = U32(b, 0);
  const int32_t width = static_cast<int32_t>(U32(b, 4));
  const int32_t rawHeight = static_cast<int32_t>(U32(b, 8));
  const uint32_t colours = U32(b, 32) ? U32(b, 32) : 16;
  if (infoSize < 40 || infoSize > size || U16(b, 14) != 4 || U32(b, 16) != 0 || width <= 0 ||
      width > 4096 || rawHeight == 0 || rawHeight < -4096 || rawHeight > 4096 || colours > 16)
    fail();
  const int height = std::abs(rawHeight);
  const size_t stride = (static_cast<size_t>(width) * 4 + 31) / 32 * 4;
  const size_t table = infoSize;
  const size_t bits = bitsAt ? bitsAt : table + colours * 4;
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

}  // namespace

TStripImage DecodeStripBmp(const unsigned char *b, size_t size) {
  constexpr size_t kFileHeader = 14;
  if (size < kFileHeader + 40 || b[0] != 'B' || b[1] != 'M')
    throw std::runtime_error("the tile strip is not a 4-bit bitmap");
  const size_t bits = U32(b, 10);
  if (bits <= kFileHeader)
    throw std::runtime_error("the tile strip is not a 4-bit bitmap");
  return DecodeDib(b + kFileHeader, size - kFileHeader, bits - kFileHeader);
}

TStripImage DecodeStripDib(const unsigned char *b, size_t size) {
  return DecodeDib(b, size, 0);
}

namespace {

// The face's ground: its most common colour.
uint8_t Ground(const TStripImage &strip, int left) {
  long count[16] = {};
  for (int y = 0; y < PuzzleGeometry::FaceHeight; ++y)
    for (int x = 0; x < PuzzleGeometry::FaceWidth; ++x)
      ++count[strip.At(left + x, y) & 0x0F];
  return static_cast<uint8_t>(std::max_element(count, count + 16) - count);
}

// One face of size w x h into out at column (rank - 1) * w. The strip pixel (sx, sy) spans
// [sx * w, (sx + 1) * w) x [sy * h, (sy + 1) * h) in units of a w-th of a strip pixel column
// and an h-th of a row, and the target pixel (tx, ty) spans [tx * FaceWidth, ...) in the
// same units, so how much of each strip pixel a target pixel covers is a whole number.
// A target pixel takes the colour, other than the ground, that covers most of it when that
// covers at least a quarter of it, and the ground otherwise: averaging would pale thin
// sticks into the ground, and a stick is what tells one rank from the next.
void ReduceFace(const TStripImage &strip, int rank, int w, int h, TStripImage &out) {
  using PuzzleGeometry::FaceHeight;
  using PuzzleGeometry::FaceWidth;
  const int sx0 = (rank - 1) * FaceWidth, tx0 = (rank - 1) * w;
  const uint8_t ground = Ground(strip, sx0);
  for (int ty = 0; ty < h; ++ty)
    for (int tx = 0; tx < w; ++tx) {
      long cover[16] = {};
      for (int sy = ty * FaceHeight / h; sy < FaceHeight && sy * h < (ty + 1) * FaceHeight; ++sy)
        for (int sx = tx * FaceWidth / w; sx < FaceWidth && sx * w < (tx + 1) * FaceWidth; ++sx) {
          const int ox = std::min((sx + 1) * w, (tx + 1) * FaceWidth) - std::max(sx * w, tx * FaceWidth);
          const int oy = std::min((sy + 1) * h, (ty + 1) * FaceHeight) - std::max(sy * h, ty * FaceHeight);
          cover[strip.At(sx0 + sx, sy) & 0x0F] += static_cast<long>(ox) * oy;
        }
      uint8_t ink = ground == 0 ? 1 : 0;
      for (uint8_t i = 0; i < 16; ++i)
        if (i != ground && cover[i] > cover[ink])
          ink = i;
      const long area = static_cast<long>(FaceWidth) * FaceHeight;  // w * h target pixels' worth
      out.Index[static_cast<size_t>(ty) * out.Width + tx0 + tx] = 4 * cover[ink] >= area ? ink : ground;
    }
}

}  // namespace

TStripImage ScaledStrip(const TStripImage &strip, TScale scale) {
  using PuzzleGeometry::FaceHeight;
  using PuzzleGeometry::FaceWidth;
  const int w = scale.Px(FaceWidth), h = scale.Px(FaceHeight);
  TStripImage out;
  out.Width = 9 * w;
  out.Height = h;
  out.Palette = strip.Palette;
  out.Index.assign(static_cast<size_t>(out.Width) * out.Height, 0);
  if (strip.Width < 9 * FaceWidth || strip.Height < FaceHeight || w <= 0 || h <= 0)
    return out;
  for (int rank = 1; rank <= 9; ++rank) {
    if (scale.Div > 1) {
      ReduceFace(strip, rank, w, h, out);
      continue;
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        out.Index[static_cast<size_t>(y) * out.Width + (rank - 1) * w + x] =
            strip.At((rank - 1) * FaceWidth + x / scale.Mul, y / scale.Mul);
  }
  return out;
}
