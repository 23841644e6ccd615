#include "desktop.h"

#include <utility>

TDesktop DesktopOf(const TBox &virtualScreen, const TBox &primary, std::vector<TBox> monitors) {
  TDesktop d;
  d.Screen = virtualScreen.Width() > 0 && virtualScreen.Height() > 0 ? virtualScreen : primary;
  d.Monitors = std::move(monitors);
  if (d.Monitors.empty())
    d.Monitors.push_back(primary);
  return d;
}

std::vector<TBox> PuzzleAreas(const TDesktop &desktop, bool everyMonitor) {
  std::vector<TBox> areas;
  for (const TBox &m : desktop.Monitors) {
    const int dx = desktop.Screen.Left, dy = desktop.Screen.Top;
    areas.push_back({m.Left - dx, m.Top - dy, m.Right - dx, m.Bottom - dy});
    if (!everyMonitor)
      break;
  }
  return areas;
}
