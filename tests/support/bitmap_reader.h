// Reading back the strip and icon files the way a Windows loader would, so that the tests judge
// the bytes rather than the generator's own picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace strip_test {

inline std::vector<uint8_t> ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline uint32_t U16At(const std::vector<uint8_t> &b, size_t at) {
  return static_cast<uint32_t>(b.at(at)) | static_cast<uint32_t>(b.at(at + 1)) << 8;
}

inline uint32_t U32At(const std::vector<uint8_t> &b, size_t at) {
  return U16At(b, at) | U16At(b, at + 2) << 16;
}

inline int32_t I32At(const std::vector<uint8_t> &b, size_t at) {
  return static_cast<int32_t>(U32At(b, at));
}

// Colour indices, rows top-down.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> index;
  uint8_t At(int x, int y) const { return index.at(static_cast<size_t>(y) * width + x); }
};

// Decodes the 4-bit pixels of a bitmap whose info header starts at info and whose pixels start at
// bits, taking height rows of the given width from the bottom up.
inline Picture Decode4Bit(const std::vector<uint8_t> &b, size_t bits, int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.index.resize(static_cast<size_t>(width) * height);
  const size_t stride = ((static_cast<size_t>(width) * 4 + 31) / 32) * 4;
  for (int y = 0; y < height; ++y) {
    const size_t row = bits + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint8_t byte = b.at(row + x / 2);
      p.index[static_cast<size_t>(y) * width + x] = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
    }
  }
  return p;
}

inline Picture DecodeBmp(const std::vector<uint8_t> &b) {
  return Decode4Bit(b, U32At(b, 10), I32At(b, 18), I32At(b, 22));
}

}  // namespace strip_test
