#include "screen.h"

#include <cstring>
#include <stdexcept>

#include "driver.h"
#include "handles.h"
#include "problem.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kFaceW = 32, kFaceH = 48;

bool IsYellow(COLORREF c) {
  return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80;
}

}  // namespace

Screenshot CaptureScreen(int left, int top, int width, int height) {
  Screenshot shot;
  shot.Width = width;
  shot.Height = height;
  shot.Pixels.resize(static_cast<size_t>(width) * height);
  WindowDc screen(nullptr);
  UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  UniqueGdiObject dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib)
    throw std::runtime_error("cannot make a bitmap for the screenshot");
  SelectGuard select(mem.get(), dib.get());
  BitBlt(mem.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY);
  GdiFlush();
  memcpy(shot.Pixels.data(), bits, shot.Pixels.size() * 4);
  for (uint32_t &p : shot.Pixels)
    p &= 0xFFFFFF;
  return shot;
}

Screenshot CaptureScreen() {
  return CaptureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

PuzzleReader::PuzzleReader() {
  UniqueGdiObject bmp(LoadImageA(nullptr, SourceFile("resources/tiles.bmp").c_str(), IMAGE_BITMAP,
                                 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bmp)
    throw std::runtime_error("cannot load the tile strip");
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectGuard select(dc.get(), bmp.get());
  faces_.resize(9 * kFaceW * kFaceH);
  for (int y = 0; y < kFaceH; ++y)
    for (int x = 0; x < 9 * kFaceW; ++x)
      faces_[y * 9 * kFaceW + x] = GetPixel(dc.get(), x, y);
}

int PuzzleReader::RankAt(const Screenshot &shot, int x, int y) const {
  for (int rank = 1; rank <= 9; ++rank) {
    bool same = true;
    for (int fy = 1; fy < kFaceH && same; ++fy)
      for (int fx = 1; fx < kFaceW && same; ++fx)
        same = shot.At(x + fx, y + fy) == faces_[fy * 9 * kFaceW + (rank - 1) * kFaceW + fx];
    if (same)
      return rank;
  }
  return 0;
}

std::vector<SeenTile> PuzzleReader::FindTiles(const Screenshot &shot) const {
  std::vector<SeenTile> tiles;
  for (int y = 0; y + kFaceH < shot.Height; ++y)
    for (int x = 0; x + kFaceW < shot.Width; ++x) {
      if (shot.At(x, y) != kGrey || shot.At(x + kFaceW, y) != kGrey ||
          shot.At(x, y + kFaceH) != kGrey || shot.At(x + kFaceW, y + kFaceH) != kGrey)
        continue;
      bool outline = true;
      for (int i = 0; i <= kFaceW && outline; ++i)
        outline = shot.At(x + i, y) == kGrey && shot.At(x + i, y + kFaceH) == kGrey;
      for (int i = 0; i <= kFaceH && outline; ++i)
        outline = shot.At(x, y + i) == kGrey && shot.At(x + kFaceW, y + i) == kGrey;
      if (!outline)
        continue;
      int rank = RankAt(shot, x, y);
      if (rank)
        tiles.push_back({x, y, rank});
    }
  return tiles;
}

int PuzzleReader::YellowPixels(const Screenshot &shot, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (shot.Inside(x, y) && IsYellow(shot.At(x, y)))
        ++n;
  return n;
}

bool PuzzleReader::Read(const Screenshot &shot, SeenPuzzle &p) const {
  const std::vector<SeenTile> tiles = FindTiles(shot);
  // The hand: the first run of thirteen tiles on one row, 34 pixels apart.
  for (const SeenTile &first : tiles) {
    std::vector<int> hand;
    for (int i = 0; i < 13; ++i) {
      int rank = 0;
      for (const SeenTile &t : tiles)
        if (t.Y == first.Y && t.X == first.X + 34 * i)
          rank = t.Rank;
      if (!rank)
        break;
      hand.push_back(rank);
    }
    if (hand.size() != 13)
      continue;
    p = SeenPuzzle();
    p.HandX = first.X;
    p.HandY = first.Y;
    p.Hand = hand;
    for (int k = 0; k < 9; ++k) {
      for (const SeenTile &t : tiles)
        if (t.Y == first.Y + 64 && t.X == first.X + 136 + 34 * k)
          p.Answer.push_back(t);
      if (p.Answer.size() != static_cast<size_t>(k + 1))
        break;
    }
    p.AnswerShown =
        YellowPixels(shot, p.HandX + 34, p.HandY + 76, p.HandX + 130, p.HandY + 98) > 20;
    p.NoneShown = p.Answer.empty() &&
                  YellowPixels(shot, p.HandX + 136, p.HandY + 76, p.HandX + 200, p.HandY + 98) > 20;
    return true;
  }
  return false;
}

std::vector<int> WaitsOf(const std::vector<int> &hand) {
  TTileCounts counts{};
  for (int r : hand)
    ++counts[r];
  TWaitSet waits{};
  FindWaits(counts, waits);
  std::vector<int> out;
  for (int r = 1; r <= 9; ++r)
    if (waits[r])
      out.push_back(r);
  return out;
}

std::string Describe(const std::vector<int> &ranks) {
  std::string s;
  for (int r : ranks)
    s += static_cast<char>('0' + r);
  return s.empty() ? "None" : s;
}
