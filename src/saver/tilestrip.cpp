#include "tilestrip.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

TStripImage ReadResource(HINSTANCE instance) {
  HRSRC found = FindResourceA(instance, "TILESTRIP", MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes)
    throw std::runtime_error("The tile strip cannot be loaded");
  return DecodeStripDib(static_cast<const unsigned char *>(bytes), SizeofResource(instance, found));
}

}  // namespace

TTileStrip::TTileStrip(HINSTANCE instance) : TTileStrip(ReadResource(instance)) {}

TTileStrip::TTileStrip(TStripImage image) : image_(std::move(image)) {
  if (image_.Width <= 0 || image_.Height <= 0)
    throw std::runtime_error("The tile strip cannot be loaded");
}

HDC TTileStrip::Faces(TScale scale) {
  if (faces_[0].Dc && faces_[0].Scale == scale)
    return faces_[0].Dc.get();
  std::swap(faces_[0], faces_[1]);
  if (!faces_[0].Dc || faces_[0].Scale != scale)
    Make(faces_[0], scale);
  return faces_[0].Dc.get();
}

// An 8-bit bottom-up DIB of the strip's colour indices with its colour table: every Windows
// version makes one, and copying from it gives the table's colours unchanged.
void TTileStrip::Make(TFaces &faces, TScale scale) const {
  const TStripImage scaled = ScaledStrip(image_, scale);
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[16];
  } info = {};
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = scaled.Width;
  info.Header.biHeight = scaled.Height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = 8;
  info.Header.biCompression = BI_RGB;
  info.Header.biClrUsed = 16;
  for (size_t i = 0; i < 16 && i < scaled.Palette.size(); ++i) {
    const TColor c = scaled.Palette[i];
    info.Colors[i] = {static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 0};
  }
  faces.Select.reset();
  faces.Dc.reset();
  void *bits = nullptr;
  faces.Bitmap = UniqueGdiObject(
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  faces.Dc = UniqueMemoryDc(CreateCompatibleDC(nullptr));
  if (!faces.Bitmap || !faces.Dc || !bits)
    throw std::runtime_error("The tile strip cannot be loaded");
  const size_t stride = (static_cast<size_t>(scaled.Width) + 3) / 4 * 4;
  for (int y = 0; y < scaled.Height; ++y)
    std::memcpy(static_cast<BYTE *>(bits) + stride * (scaled.Height - 1 - y),
                scaled.Index.data() + static_cast<size_t>(y) * scaled.Width, scaled.Width);
  faces.Select = SelectGuard(faces.Dc.get(), faces.Bitmap.get());
  faces.Scale = scale;
}
