// Reads the puzzle on a window of the display in DISPLAY (the root window unless --window-id
// ID) and prints it. Exit 0 when a whole hand shows with nothing stray (and, with
// --answered, its answer), 1 otherwise, 2 for bad arguments.
//   velkorin-screen-probe STRIP.bmp [--answered] [--window-id ID]
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "screen_reader.h"

int main(int argc, char **argv) {
  if (argc < 2)
    return 2;
  bool answered = false;
  Window window = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--answered")
      answered = true;
    else if (arg == "--window-id" && i + 1 < argc)
      window = strtoul(argv[++i], nullptr, 0);
    else
      return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (!display) {
    fprintf(stderr, "screen-probe: no display\n");
    return 1;
  }
  int status = 1;
  try {
    const x11_test::TStripFaces faces(argv[1]);
    const x11_test::TShownPuzzle p = x11_test::ReadPuzzle(
        x11_test::ReadWindow(display, window ? window : DefaultRootWindow(display)), faces);
    printf("%s\n", x11_test::Describe(p).c_str());
    status = p.Fault.empty() && !p.Stray && (p.Answered || !answered) ? 0 : 1;
  } catch (const std::exception &e) {
    fprintf(stderr, "screen-probe: %s\n", e.what());
  }
  XCloseDisplay(display);
  return status;
}
