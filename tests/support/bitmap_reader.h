// Reading back the strip and icon files: their header fields as a Windows loader reads them,
// and their pixels as the program decodes them, so that the tests judge the bytes rather than
// the generator's own picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "strip_image.h"

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

// The pixels of a whole BMP file, decoded by the program's own reader, which every canvas
// draws from.
inline TStripImage DecodeBmp(const std::vector<uint8_t> &b) {
  return DecodeStripBmp(b.data(), b.size());
}

}  // namespace strip_test
