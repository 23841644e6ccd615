// Reading a puzzle back from an X window: the pixels, the thirteen faces recognised against
// the committed strip, the answer, and anything drawn where no puzzle part belongs.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

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

// The nine faces of resources/tiles.bmp, read from the file, at a puzzle's scale.
class TStripFaces {
 public:
  explicit TStripFaces(const std::string &bmpPath, TScale scale = {});
  // The rank 1..9 whose face shows with its top-left corner at (x, y), or 0. The face's
  // first rows and columns carry the tile's outline, so they are left out.
  int FaceAt(const TImage &image, int x, int y) const;
  TScale Scale() const { return scale_; }

 private:
  TScale scale_;
  int width_ = 0, height_ = 0;  // of one face
  std::vector<uint32_t> rgb_;   // the nine side by side
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

// Finds the puzzle from its top-left lit pixel, reads the hand, the answer, and at scale 1
// checks each tile's frame as GDI draws it; at the faces' scale.
TShownPuzzle ReadPuzzle(const TImage &image, const TStripFaces &faces);

// "x y ranks... [| waits / None]" for messages.
std::string Describe(const TShownPuzzle &p);

}  // namespace x11_test
