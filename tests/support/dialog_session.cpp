#include "dialog_session.h"

#include <commctrl.h>

#include <vector>

#include "layout_moreoptsdlg.h"

namespace {

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND> *>(lp)->push_back(hwnd);
  return TRUE;
}

bool StartsWith(const std::string &text, const char *prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      return true;
  }
  return false;
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

}  // namespace

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

bool FindDialogControls(SetupDialogWindows &w) {
  const std::vector<HWND> children = ChildWindows(w.Dialog);
  std::vector<HWND> bars;
  for (HWND c : children) {
    if (GetParent(c) != w.Dialog)
      continue;
    const std::string cls = ClassOf(c), text = WindowText(c);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) {
      if (text == "Sort Tiles")
        w.SortFlag = c;
      else if (text == "&OK")
        w.OKBtn = c;
      else if (text == "&Cancel")
        w.CancelBtn = c;
      else if (StartsWith(text, "&More options"))
        w.MoreBtn = c;
    } else if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) {
      w.NoAnsRate = c;
    } else if (lstrcmpiA(cls.c_str(), TRACKBAR_CLASSA) == 0) {
      bars.push_back(c);
    } else if (lstrcmpiA(cls.c_str(), "Static") == 0) {
      if (StartsWith(text, "Ratio"))
        w.Label1 = c;
      else if (StartsWith(text, "Interval(Q)"))
        w.Label2 = c;
      else if (StartsWith(text, "Interval(A)"))
        w.Label3 = c;
      else if (StartsWith(text, "Velkorin"))
        w.Label4 = c;
    }
  }
  if (bars.size() == 2) {
    const bool firstIsLeft = RectInParent(bars[0]).left < RectInParent(bars[1]).left;
    w.TimerBar = firstIsLeft ? bars[0] : bars[1];
    w.TimerBar2 = firstIsLeft ? bars[1] : bars[0];
  }
  for (HWND h : {w.SortFlag, w.NoAnsRate, w.TimerBar, w.TimerBar2, w.OKBtn, w.CancelBtn, w.MoreBtn,
                 w.Label1, w.Label2, w.Label3, w.Label4})
    if (!h)
      return false;
  return true;
}

HWND OpenMoreOptions(DWORD pid, const SetupDialogWindows &w) {
  PressKey('M', {VK_MENU});
  const HWND more = FindProcessWindow(pid, MoreOptionsDlgLayout().Caption, nullptr, kReactBound);
  const HWND first = more ? GetDlgItem(more, kIdMinWaits) : nullptr;
  if (!first || !PollUntil([&] { return FocusOfThread(w.Dialog) == first; }, kReactBound))
    return nullptr;
  return more;
}

bool CloseMoreOptions(HWND more, const SetupDialogWindows &w, WORD key) {
  PressKey(key);
  return PollUntil(
      [&] {
        return !IsWindow(more) && GetForegroundWindow() == w.Dialog &&
               FocusOfThread(w.Dialog) == w.MoreBtn;
      },
      kReactBound);
}

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::wstring WindowTextW(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[128] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

RECT RectInParent(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT *>(&r), 2);
  return r;
}

HWND FocusOfThread(HWND hwnd) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

int CheckState(HWND checkBox) {
  return static_cast<int>(SendMessageA(checkBox, BM_GETCHECK, 0, 0));
}
int ComboSelection(HWND combo) {
  return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}
bool ComboDropped(HWND combo) {
  return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}
int TrackPosition(HWND bar) {
  return static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
}

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> in;
  for (WORD m : modifiers)
    in.push_back(KeyInput(m, false));
  in.push_back(KeyInput(vk, false));
  in.push_back(KeyInput(vk, true));
  for (auto m = modifiers.end(); m != modifiers.begin();)
    in.push_back(KeyInput(*--m, true));
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void ClickInWindow(HWND hwnd, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(hwnd, &p);
  // A move to the spot first, as a real mouse makes, so the press lands on the window
  // under it.
  INPUT in[3] = {};
  for (INPUT &i : in)
    i.type = INPUT_MOUSE;
  in[0].mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  in[0].mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, in, sizeof(INPUT));
}
