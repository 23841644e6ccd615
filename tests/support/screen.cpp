#include "screen.h"

#include <stdexcept>

#include "driver.h"
#include "handles.h"
#include "problem.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kFaceW = 32, kFaceH = 48;

}  // namespace

bool IsYellow(COLORREF c) {
  return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80;
}

UniqueGdiObject MakeTopDownDib(HDC dc, int width, int height, void **bits) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  return UniqueGdiObject(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0));
}

Screenshot ShotOfDib(const void *bits, int width, int height) {
  Screenshot shot;
  shot.Width = width;
  shot.Height = height;
  const auto *first = static_cast<const uint32_t *>(bits);
  shot.Pixels.assign(first, first + static_cast<size_t>(width) * height);
  for (uint32_t &p : shot.Pixels)
    p &= 0xFFFFFF;  // the unused top byte
  return shot;
}

Screenshot CaptureScreen(int left, int top, int width, int height) {
  WindowDc screen(nullptr);
  UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
  void *bits = nullptr;
  UniqueGdiObject dib = MakeTopDownDib(screen.get(), width, height, &bits);
  if (!dib)
    throw std::runtime_error("cannot make a bitmap for the screenshot");
  SelectGuard select(mem.get(), dib.get());
  BitBlt(mem.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY);
  GdiFlush();
  return ShotOfDib(bits, width, height);
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

int PuzzleReader::RankAt(const Screenshot &shot, int x, int y, int s) const {
  for (int rank = 1; rank <= 9; ++rank) {
    bool same = true;
    for (int fy = 1; fy < kFaceH && same; ++fy)
      for (int fx = 1; fx < kFaceW && same; ++fx) {
        const COLORREF face = faces_[fy * 9 * kFaceW + (rank - 1) * kFaceW + fx];
        for (int i = 0; i < s * s && same; ++i)
          same = shot.At(x + fx * s + i % s, y + fy * s + i / s) == face;
      }
    if (same)
      return rank;
  }
  return 0;
}

std::vector<SeenTile> PuzzleReader::FindTiles(const Screenshot &shot, int s) const {
  std::vector<SeenTile> tiles;
  const int w = kFaceW * s, h = kFaceH * s;
  for (int y = 0; y + h < shot.Height; ++y)
    for (int x = 0; x + w < shot.Width; ++x) {
      if (shot.At(x, y) != kGrey || shot.At(x + w, y) != kGrey || shot.At(x, y + h) != kGrey ||
          shot.At(x + w, y + h) != kGrey)
        continue;
      bool outline = true;
      for (int i = 0; i <= w && outline; ++i)
        outline = shot.At(x + i, y) == kGrey && shot.At(x + i, y + h) == kGrey;
      for (int i = 0; i <= h && outline; ++i)
        outline = shot.At(x, y + i) == kGrey && shot.At(x + w, y + i) == kGrey;
      if (!outline)
        continue;
      int rank = RankAt(shot, x, y, s);
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

std::vector<SeenPuzzle> PuzzleReader::ReadAll(const Screenshot &shot, int s) const {
  std::vector<SeenPuzzle> puzzles;
  const std::vector<SeenTile> tiles = FindTiles(shot, s);
  auto rankAt = [&](int x, int y) {
    for (const SeenTile &t : tiles)
      if (t.X == x && t.Y == y)
        return t.Rank;
    return 0;
  };
  // A hand: a run of thirteen tiles on one row, 34 units apart, not part of an earlier hand.
  for (const SeenTile &first : tiles) {
    bool known = false;
    for (const SeenPuzzle &q : puzzles)
      known = known || (first.Y == q.HandY && first.X >= q.HandX && first.X < q.HandX + 453 * s);
    if (known)
      continue;
    SeenPuzzle p;
    for (int i = 0; i < 13; ++i) {
      const int rank = rankAt(first.X + 34 * s * i, first.Y);
      if (!rank)
        break;
      p.Hand.push_back(rank);
    }
    if (p.Hand.size() != 13)
      continue;
    p.HandX = first.X;
    p.HandY = first.Y;
    for (int k = 0; k < 9; ++k) {
      const int x = first.X + (136 + 34 * k) * s, y = first.Y + 64 * s, rank = rankAt(x, y);
      if (!rank)
        break;
      p.Answer.push_back({x, y, rank});
    }
    const int x = p.HandX, y = p.HandY;
    p.AnswerShown = YellowPixels(shot, x + 34 * s, y + 76 * s, x + 130 * s, y + 98 * s) > 20;
    p.NoneShown = p.Answer.empty() &&
                  YellowPixels(shot, x + 136 * s, y + 76 * s, x + 200 * s, y + 98 * s) > 20;
    puzzles.push_back(p);
  }
  return puzzles;
}

bool PuzzleReader::Read(const Screenshot &shot, SeenPuzzle &p, int scale) const {
  const std::vector<SeenPuzzle> all = ReadAll(shot, scale);
  if (all.empty())
    return false;
  p = all.front();
  return true;
}

Screenshot RenderLabel(const char *text, int pixelHeight) {
  LOGFONTA lf = {};
  lf.lfHeight = -pixelHeight;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(lf.lfFaceName, "Arial");
  const UniqueGdiObject font(CreateFontIndirectA(&lf));
  const UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
  HDC dc = memory.get();
  const SelectGuard fontSelected(dc, font.get());
  const int length = lstrlenA(text);
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, length, &size);
  void *bits = nullptr;
  const UniqueGdiObject dib = MakeTopDownDib(dc, size.cx, size.cy, &bits);
  if (!dib)
    throw std::runtime_error("cannot make a bitmap for the label");
  const SelectGuard dibSelected(dc, dib.get());
  SetTextColor(dc, RGB(255, 255, 0));
  SetBkColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, 0, 0, text, length);
  GdiFlush();
  return ShotOfDib(bits, size.cx, size.cy);
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
