// 16-colour indexed pictures and their Windows file images (BMP, ICO).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velkorin_strip {

// Indices into the standard 16-colour table (kColourTable).
enum Colour : uint8_t {
  kBlack = 0,
  kNavy = 1,
  kGreen = 2,
  kTeal = 3,
  kMaroon = 4,
  kPurple = 5,
  kOlive = 6,
  kSilver = 7,
  kGrey = 8,
  kBlue = 9,
  kLime = 10,
  kAqua = 11,
  kRed = 12,
  kFuchsia = 13,
  kYellow = 14,
  kWhite = 15,
};

struct Rgb {
  uint8_t red, green, blue;
};

// The VGA colours in the order of their indices.
extern const Rgb kColourTable[16];

// One colour index per pixel, rows top-down.
class IndexedImage {
 public:
  IndexedImage(int width, int height, uint8_t fill);

  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t At(int x, int y) const { return pixels_[Offset(x, y)]; }
  void Set(int x, int y, uint8_t colour) { pixels_[Offset(x, y)] = colour; }

 private:
  size_t Offset(int x, int y) const;

  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

// A complete 4-bit BMP file: file header, 40-byte info header, the colour table, bottom-up rows.
std::vector<uint8_t> EncodeBmp(const IndexedImage &image);

// A complete one-image 4-bit ICO file. transparent[y * width + x] != 0 sets that pixel's bit in
// the AND mask; such pixels should be black so that the icon also shows right where the mask is
// ignored.
std::vector<uint8_t> EncodeIco(const IndexedImage &image, const std::vector<uint8_t> &transparent);

}  // namespace velkorin_strip
