// Reads the puzzle on a window of the display in DISPLAY (the root window unless --window-id
// ID) and prints it. Exit 0 when a whole hand shows with nothing stray (and, with
// --answered, its answer), 1 otherwise, 2 for bad arguments. --wait-ms N reads again until
// then, without the cost of a process start per reading.
//   velkorin-screen-probe STRIP.bmp [--answered] [--window-id ID] [--wait-ms N]
#include <X11/Xlib.h>

#include <chrono>
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
  long waitMs = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--answered")
      answered = true;
    else if (arg == "--window-id" && i + 1 < argc)
      window = strtoul(argv[++i], nullptr, 0);
    else if (arg == "--wait-ms" && i + 1 < argc)
      waitMs = strtol(argv[++i], nullptr, 10);
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
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    x11_test::TShownPuzzle p;
    do {
      p = x11_test::ReadPuzzle(
          x11_test::ReadWindow(display, window ? window : DefaultRootWindow(display)), faces);
      status = p.Fault.empty() && !p.Stray && (p.Answered || !answered) ? 0 : 1;
    } while (status != 0 && std::chrono::steady_clock::now() < end);
    printf("%s\n", x11_test::Describe(p).c_str());
  } catch (const std::exception &e) {
    fprintf(stderr, "screen-probe: %s\n", e.what());
  }
  XCloseDisplay(display);
  return status;
}
