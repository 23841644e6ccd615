// A desktop of one or more monitors, as the full-screen saver covers it and places puzzles
// on it. Boxes are in the system's screen coordinates, where the primary monitor's top-left
// corner is (0, 0) and monitors left of or above it have negative ones.
#pragma once

#include <vector>

#include "canvas.h"

struct TDesktop {
  TBox Screen;                 // what the full-screen window covers: every monitor
  std::vector<TBox> Monitors;  // the primary monitor first
};

// The desktop a system describes: its virtual screen, or the primary monitor where the
// system does not know the virtual screen (and gives it no size); the monitors as listed,
// or the primary monitor alone when there is no list.
TDesktop DesktopOf(const TBox &virtualScreen, const TBox &primary, std::vector<TBox> monitors);

// Where the puzzles go, in the window's coordinates (the window covers desktop.Screen): the
// primary monitor alone, or with everyMonitor each monitor in turn, primary first.
std::vector<TBox> PuzzleAreas(const TDesktop &desktop, bool everyMonitor);
