// Reading what the screen shows: a screenshot, and the saver's puzzle recognised in it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "handles.h"

struct Screenshot {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, top-down
  COLORREF At(int x, int y) const {
    uint32_t v = Pixels[static_cast<size_t>(y) * Width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// A 32-bit top-down DIB section of width x height made for dc; bits receives its pixels.
// Null when it cannot be made.
UniqueGdiObject MakeTopDownDib(HDC dc, int width, int height, void **bits);
// The pixels of such a DIB as a screenshot. Call GdiFlush first.
Screenshot ShotOfDib(const void *bits, int width, int height);

// The screen area (left, top, width, height) as it shows now.
Screenshot CaptureScreen(int left, int top, int width, int height);
Screenshot CaptureScreen();

// A tile found on the screen: its face's top-left corner and the rank whose face it shows.
struct SeenTile {
  int X, Y, Rank;
};

// A puzzle as a person sees it.
struct SeenPuzzle {
  int HandX = 0, HandY = 0;
  std::vector<int> Hand;         // ranks, left to right (13 when a question is shown)
  bool AnswerShown = false;      // yellow "Answer :" below the hand
  bool NoneShown = false;        // yellow "None" where the answer tiles start
  std::vector<SeenTile> Answer;  // answer tiles, left to right
};

// At scale s every length of a puzzle is s times its length at scale 1, and every pixel of a
// face must be an s x s block of the strip's pixel.
class PuzzleReader {
 public:
  PuzzleReader();  // loads the nine faces from the committed tile strip
  // Every tile whose outline and face are fully visible.
  std::vector<SeenTile> FindTiles(const Screenshot &shot, int scale = 1) const;
  // The first puzzle on the screen; false when no row of thirteen tiles is visible.
  bool Read(const Screenshot &shot, SeenPuzzle &puzzle, int scale = 1) const;
  // Every puzzle on the screen, each with its thirteen tiles visible.
  std::vector<SeenPuzzle> ReadAll(const Screenshot &shot, int scale = 1) const;
  // Count of yellow pixels in a rectangle (text).
  static int YellowPixels(const Screenshot &shot, int left, int top, int right, int bottom);

 private:
  int RankAt(const Screenshot &shot, int x, int y, int scale) const;
  std::vector<COLORREF> faces_;  // 288 x 48
};

// Yellow as the saver's text is, give or take the font's smoothing.
bool IsYellow(COLORREF c);

// Text as the saver writes its labels: Arial bold, pixelHeight pixels high, yellow on black,
// in a picture the size of the text's box.
Screenshot RenderLabel(const char *text, int pixelHeight);

// The ranks that complete the hand, computed by the engine.
std::vector<int> WaitsOf(const std::vector<int> &hand);
std::string Describe(const std::vector<int> &ranks);
