// What a step costs on a real canvas: questions and answers with each wait's split, drawn by
// the X11 canvas on the display in DISPLAY, each step waited for until the server has drawn
// it. Prints one line per scale: the mean and the slowest question-and-answer in ms, after
// a first one that makes what a run makes once.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "puzzle.h"
#include "strip_image.h"
#include "x11_canvas.h"

extern const unsigned char TilesBmp[];
extern const size_t TilesBmpSize;

namespace {
// A pixmap is no window: the canvas's question for a window's attributes is refused, and it
// takes the screen's.
int Ignore(Display *, XErrorEvent *) {
  return 0;
}
}  // namespace

int main() {
  Display *display = XOpenDisplay(nullptr);
  if (!display) {
    fprintf(stderr, "x11_step_bench: no display\n");
    return 1;
  }
  XSetErrorHandler(Ignore);
  const int width = 1920, height = 1080, rounds = 500;
  const Pixmap target = XCreatePixmap(display, DefaultRootWindow(display), width, height,
                                      unsigned(DefaultDepth(display, DefaultScreen(display))));
  const TStripImage strip = DecodeStripBmp(TilesBmp, TilesBmpSize);
  for (int scale : {1, 2}) {
    TXCanvas canvas(display, target, strip);
    TPuzzle puzzle(ProblemRules{true, 2, 0, 0, false}, TRandom{1}, {{0, 0, width, height}},
                   {scale, 1}, false, true);
    // The first answer opens the fonts and makes the faces, once for the run.
    puzzle.Step(canvas);
    puzzle.Step(canvas);
    double total = 0, slowest = 0;
    for (int i = 0; i < rounds; ++i) {
      const auto start = std::chrono::steady_clock::now();
      puzzle.Step(canvas);
      puzzle.Step(canvas);
      XSync(display, False);
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      total += ms;
      slowest = std::max(slowest, ms);
    }
    printf("%d %.2f %.2f\n", scale, total / rounds, slowest);
  }
  XFreePixmap(display, target);
  XCloseDisplay(display);
  return 0;
}
