#include "screen_reader.h"

#include "strip_image.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "bitmap_reader.h"
#include "puzzle_geometry.h"

using namespace PuzzleGeometry;

namespace x11_test {

namespace {

constexpr uint32_t kBlack = 0x000000, kGrey = 0x808080, kWhite = 0xFFFFFF, kMaroon = 0x800000;

int ShiftOf(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

bool IsYellow(uint32_t c) {
  return (c >> 16 & 0xFF) > 160 && (c >> 8 & 0xFF) > 160 && (c & 0xFF) < 96;
}

bool AnyYellow(const TImage &img, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (IsYellow(img.At(x, y)))
        return true;
  return false;
}

// The frame's pixels that tell GDI's drawing apart: outline on the face's edges, the white
// and maroon layers, black beyond the sloping ends. last: no tile to the right covers the
// body's right side; first: no tile to the left reaches under this one's face.
std::string FrameFault(const TImage &img, int x, int y, bool first, bool last) {
  struct {
    int dx, dy;
    uint32_t colour;
  } checks[] = {{0, 20, kGrey},   {16, 0, kGrey},   {32, 20, kGrey},   {16, 48, kGrey},
                {33, 25, kWhite}, {20, 51, kWhite}, {25, 57, kMaroon}, {1, 53, kBlack},
                {7, 59, kBlack},  {44, 60, kGrey},  {35, 30, kWhite},  {41, 40, kMaroon},
                {37, 1, kBlack},  {43, 7, kBlack},  {32, 0, kGrey},    {38, 6, kGrey}};
  for (const auto &c : checks) {
    if ((!last && c.dx > 33) || (!first && c.dx < 12 && c.dy > FaceHeight))
      continue;
    const uint32_t got = img.At(x + c.dx, y + c.dy);
    if (got != c.colour) {
      char text[96];
      snprintf(text, sizeof text, "frame pixel (%d,%d) of the tile at (%d,%d) is %06x, not %06x",
               c.dx, c.dy, x, y, got, c.colour);
      return text;
    }
  }
  return {};
}

}  // namespace

TImage ReadWindow(Display *display, Window window) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(display, window, &a))
    throw std::runtime_error("no window to read");
  return ReadDrawable(display, window, a.width, a.height);
}

TImage ReadDrawable(Display *display, Drawable drawable, int width, int height) {
  XImage *xi =
      XGetImage(display, drawable, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  if (!xi)
    throw std::runtime_error("XGetImage failed");
  TImage img;
  img.Width = width;
  img.Height = height;
  img.Rgb.resize(size_t(width) * height);
  if (!xi->red_mask) {  // a pixmap has no visual: it is the screen's
    const Visual *v = DefaultVisual(display, DefaultScreen(display));
    xi->red_mask = v->red_mask;
    xi->green_mask = v->green_mask;
    xi->blue_mask = v->blue_mask;
  }
  const int rs = ShiftOf(xi->red_mask), gs = ShiftOf(xi->green_mask), bs = ShiftOf(xi->blue_mask);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(xi, x, y);
      const uint32_t r = uint32_t((p & xi->red_mask) >> rs),
                     g = uint32_t((p & xi->green_mask) >> gs),
                     b = uint32_t((p & xi->blue_mask) >> bs);
      img.Rgb[size_t(y) * width + x] = r << 16 | g << 8 | b;
    }
  XDestroyImage(xi);
  return img;
}

TStripFaces::TStripFaces(const std::string &bmpPath, TScale scale) : scale_(scale) {
  const std::vector<uint8_t> bytes = strip_test::ReadFile(bmpPath);
  const TStripImage strip = DecodeStripBmp(bytes.data(), bytes.size());
  if (strip.Width != 9 * FaceWidth || strip.Height != FaceHeight)
    throw std::runtime_error("unexpected strip size");
  const TStripImage faces = ScaledStrip(strip, scale);
  width_ = scale.Px(FaceWidth);
  height_ = scale.Px(FaceHeight);
  for (uint8_t index : faces.Index) {
    const TColor c = faces.Palette[index];
    rgb_.push_back((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
  }
}

int TStripFaces::FaceAt(const TImage &img, int x, int y) const {
  const int o = scale_.Mul;
  for (int rank = 1; rank <= 9; ++rank) {
    bool same = true;
    for (int fy = o; fy < height_ && same; ++fy)
      for (int fx = o; fx < width_ && same; ++fx)
        same = img.At(x + fx, y + fy) == rgb_[size_t(fy) * 9 * width_ + (rank - 1) * width_ + fx];
    if (same)
      return rank;
  }
  return 0;
}

TShownPuzzle ReadPuzzle(const TImage &img, const TStripFaces &faces) {
  TShownPuzzle p;
  int left = img.Width, top = img.Height;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y) != kBlack) {
        left = std::min(left, x);
        top = std::min(top, y);
      }
  if (top == img.Height) {
    p.Fault = "the window is black";
    return p;
  }
  p.X = left;
  p.Y = top;
  const TScale sc = faces.Scale();
  const bool one = sc == TScale{};
  auto px = [&](int v) { return sc.Px(v); };
  for (int i = 0; i < HandSize; ++i) {
    const int x = left + px(i * TileStep);
    const int rank = faces.FaceAt(img, x, top);
    if (!rank) {
      p.Fault = "no face at hand position " + std::to_string(i + 1) + " (" + std::to_string(x) +
                "," + std::to_string(top) + ")";
      return p;
    }
    p.Hand.push_back(rank);
    if (p.Fault.empty() && one)
      p.Fault = FrameFault(img, x, top, i == 0, i == HandSize - 1);
    if (!p.Fault.empty())
      return p;
  }
  p.Answered =
      AnyYellow(img, left + px(LabelX), top + px(LabelY), left + px(AnswerX), top + px(PuzzleHeight));
  for (int k = 0; k < MaxWaits; ++k) {
    const int x = left + px(AnswerX + k * TileStep);
    const int rank = faces.FaceAt(img, x, top + px(AnswerTileY));
    if (!rank)
      break;
    p.Waits.push_back(rank);
    const bool last = k + 1 == MaxWaits ||
                      !faces.FaceAt(img, left + px(AnswerX + (k + 1) * TileStep), top + px(AnswerTileY));
    if (one)
      p.Fault = FrameFault(img, x, top + AnswerTileY, k == 0, last);
    if (!p.Fault.empty())
      return p;
  }
  p.NoWaitShown = p.Waits.empty() && AnyYellow(img, left + px(AnswerX), top + px(LabelY),
                                               left + px(PuzzleWidth), top + px(PuzzleHeight));
  // Lit pixels are allowed in the hand's row, and once answered, in the rest of the box (at a
  // reduction, one more pixel for the last frame's rounding).
  const int slack = sc.Div > 1 ? 1 : 0;
  const int right = left + slack +
                    (p.Answered ? px(PuzzleWidth) : px((HandSize - 1) * TileStep + TileBoxWidth));
  const int bottom = top + slack + (p.Answered ? px(PuzzleHeight) : px(TileBoxHeight));
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y) != kBlack && (x >= right || y >= bottom))
        ++p.Stray;
  return p;
}

std::string Describe(const TShownPuzzle &p) {
  std::string s = std::to_string(p.X) + " " + std::to_string(p.Y);
  for (int r : p.Hand)
    s += " " + std::to_string(r);
  if (p.Answered) {
    s += " |";
    for (int r : p.Waits)
      s += " " + std::to_string(r);
    if (p.NoWaitShown)
      s += " None";
  }
  if (p.Stray)
    s += " (" + std::to_string(p.Stray) + " stray pixels)";
  if (!p.Fault.empty())
    s += " [" + p.Fault + "]";
  return s;
}

}  // namespace x11_test
