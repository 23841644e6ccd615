#include "bitmap16.h"

#include <stdexcept>

namespace velkorin_strip {

const Rgb kColourTable[16] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

IndexedImage::IndexedImage(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

size_t IndexedImage::Offset(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_)
    throw std::out_of_range("pixel outside the picture");
  return static_cast<size_t>(y) * width_ + x;
}

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kColourTableSize = 16 * 4;
// 96 dots per inch, the resolution the Windows paint programs write.
constexpr int32_t kPixelsPerMetre = 3779;

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t> &out) : out_(out) {}
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }

 private:
  std::vector<uint8_t> &out_;
};

// Rows are padded to whole 32-bit words.
uint32_t StrideOf(int width, int bits_per_pixel) {
  return ((static_cast<uint32_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

void WriteInfoHeader(ByteWriter &w, int width, int height, uint32_t image_size,
                     int32_t pixels_per_metre, uint32_t colours_used) {
  w.U32(kInfoHeaderSize);
  w.I32(width);
  w.I32(height);
  w.U16(1);  // planes
  w.U16(4);  // bits per pixel
  w.U32(0);  // no compression
  w.U32(image_size);
  w.I32(pixels_per_metre);
  w.I32(pixels_per_metre);
  w.U32(colours_used);
  w.U32(0);  // every colour is important
}

void WriteColourTable(ByteWriter &w) {
  for (const Rgb &c : kColourTable) {
    w.U8(c.blue);
    w.U8(c.green);
    w.U8(c.red);
    w.U8(0);
  }
}

// Windows bitmaps are stored from the bottom row up, two pixels a byte, left pixel in the high
// nibble.
void WritePixels(ByteWriter &w, const IndexedImage &image) {
  const uint32_t stride = StrideOf(image.width(), 4);
  for (int y = image.height() - 1; y >= 0; --y) {
    for (uint32_t i = 0; i < stride; ++i) {
      const int x = static_cast<int>(i * 2);
      const uint8_t hi = x < image.width() ? image.At(x, y) : 0;
      const uint8_t lo = x + 1 < image.width() ? image.At(x + 1, y) : 0;
      w.U8(static_cast<uint8_t>((hi & 0x0F) << 4 | (lo & 0x0F)));
    }
  }
}

void WriteMask(ByteWriter &w, const IndexedImage &image, const std::vector<uint8_t> &transparent) {
  const uint32_t stride = StrideOf(image.width(), 1);
  for (int y = image.height() - 1; y >= 0; --y) {
    for (uint32_t i = 0; i < stride; ++i) {
      uint8_t bits = 0;
      for (int b = 0; b < 8; ++b) {
        const int x = static_cast<int>(i * 8) + b;
        if (x < image.width() && transparent[static_cast<size_t>(y) * image.width() + x])
          bits |= static_cast<uint8_t>(0x80 >> b);
      }
      w.U8(bits);
    }
  }
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const IndexedImage &image) {
  const uint32_t pixel_bytes = StrideOf(image.width(), 4) * image.height();
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;
  std::vector<uint8_t> out;
  out.reserve(offset + pixel_bytes);
  ByteWriter w(out);
  w.U8('B');
  w.U8('M');
  w.U32(offset + pixel_bytes);
  w.U16(0);
  w.U16(0);
  w.U32(offset);
  WriteInfoHeader(w, image.width(), image.height(), pixel_bytes, kPixelsPerMetre, 16);
  WriteColourTable(w);
  WritePixels(w, image);
  return out;
}

std::vector<uint8_t> EncodeIco(const IndexedImage &image, const std::vector<uint8_t> &transparent) {
  if (transparent.size() != static_cast<size_t>(image.width()) * image.height())
    throw std::invalid_argument("mask size differs from the picture");
  if (image.width() > 255 || image.height() > 255)
    throw std::invalid_argument("icon too large for its directory entry");
  const uint32_t xor_bytes = StrideOf(image.width(), 4) * image.height();
  const uint32_t and_bytes = StrideOf(image.width(), 1) * image.height();
  const uint32_t resource_size = kInfoHeaderSize + kColourTableSize + xor_bytes + and_bytes;
  const uint32_t directory_size = 6 + 16;
  std::vector<uint8_t> out;
  out.reserve(directory_size + resource_size);
  ByteWriter w(out);
  w.U16(0);  // reserved
  w.U16(1);  // icon, not cursor
  w.U16(1);  // one image
  w.U8(static_cast<uint8_t>(image.width()));
  w.U8(static_cast<uint8_t>(image.height()));
  w.U8(16);  // colours
  w.U8(0);
  w.U16(1);  // planes
  w.U16(4);  // bits per pixel
  w.U32(resource_size);
  w.U32(directory_size);
  // An icon's header counts the colour picture and the mask as one bitmap of twice the height.
  WriteInfoHeader(w, image.width(), image.height() * 2, xor_bytes + and_bytes, 0, 16);
  WriteColourTable(w);
  WritePixels(w, image);
  WriteMask(w, image, transparent);
  return out;
}

}  // namespace velkorin_strip
