#include "display.h"

#include <windows.h>

namespace {

using EnumDisplayMonitorsProc = BOOL(WINAPI *)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoProc = BOOL(WINAPI *)(HMONITOR, LPMONITORINFO);
using SetProcessDpiAwareProc = BOOL(WINAPI *)();

template <typename Proc>
Proc User32Function(const char *name) {
  return reinterpret_cast<Proc>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("USER32"), name)));
}

TBox BoxOf(const RECT &r) {
  return {r.left, r.top, r.right, r.bottom};
}

struct MonitorList {
  GetMonitorInfoProc info;
  std::vector<TBox> boxes;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  auto *list = reinterpret_cast<MonitorList *>(lp);
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  if (!list->info(monitor, &mi))
    return TRUE;
  if (mi.dwFlags & MONITORINFOF_PRIMARY)
    list->boxes.insert(list->boxes.begin(), BoxOf(mi.rcMonitor));
  else
    list->boxes.push_back(BoxOf(mi.rcMonitor));
  return TRUE;
}

}  // namespace

TDesktop ReadDesktop() {
  const TBox primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const TBox screen{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  MonitorList list{User32Function<GetMonitorInfoProc>("GetMonitorInfoA"), {}};
  auto enumerate = User32Function<EnumDisplayMonitorsProc>("EnumDisplayMonitors");
  if (enumerate && list.info)
    enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return DesktopOf(screen, primary, list.boxes);
}

void BecomeDpiAware() {
  if (auto aware = User32Function<SetProcessDpiAwareProc>("SetProcessDPIAware"))
    aware();
}
