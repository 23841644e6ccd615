// Reading a puzzle back from an X window: the pixels, the thirteen faces recognised against
// the committed strip, the answer, and anything drawn where no puzzle part belongs.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace x11_test {

// 0xRRGGBB per pixel, rows top-down.
struct TImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Rgb;
  uint32_t At(int x, int y) const {
    return x < 0 || y < 0 || x >= Width || y >= Height ? 0 : Rgb[size_t(y) * Width + x];
  }
};

TImage ReadWindow(Display *display, Window window);
TImage ReadDrawable(Display *display, Drawable drawable, int width, int height);

// The nine faces of resources/tiles.bmp, read from the file.
class TStripFaces {
 public:
  explicit TStripFaces(const std::string &bmpPath);
  // The rank 1..9 whose face shows with its top-left corner at (x, y), or 0. The face's
  // first row and column carry the tile's outline, so they are left out.
  int FaceAt(const TImage &image, int x, int y) const;

 private:
  std::vector<uint32_t> rgb_;  // 288 x 48
};

struct TShownPuzzle {
  std::string Fault;  // empty when a hand was read
  int X = 0, Y = 0;   // the first face's corner
  std::vector<int> Hand;
  bool Answered = false;     // "Answer :" is written
  bool NoWaitShown = false;  // "None" is written
  std::vector<int> Waits;    // the answer's faces, left to right
  int Stray = 0;             // lit pixels outside what the shown parts cover
};

// Finds the puzzle from its top-left lit pixel, reads the hand, the answer, and checks each
// tile's frame as GDI draws it.
TShownPuzzle ReadPuzzle(const TImage &image, const TStripFaces &faces);

// "x y ranks... [| waits / None]" for messages.
std::string Describe(const TShownPuzzle &p);

}  // namespace x11_test
