// A stand-in for the Display control panel, copied into the test prefix only. It notes in
// HKCU\Software\VelkorinInstallerTest\DeskOpened how it was opened: the page asked for,
// or "(no page)", and shows nothing.
#include <windows.h>

#include <cpl.h>

namespace {
void Note(const wchar_t *how) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VelkorinInstallerTest", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, L"DeskOpened", 0, REG_SZ, reinterpret_cast<const BYTE *>(how),
                 static_cast<DWORD>((lstrlenW(how) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
}  // namespace

extern "C" __declspec(dllexport) LONG CALLBACK CPlApplet(HWND, UINT msg, LPARAM, LPARAM lp2) {
  switch (msg) {
    case CPL_INIT:
      return TRUE;
    case CPL_GETCOUNT:
      return 1;
    case CPL_INQUIRE: {
      auto *info = reinterpret_cast<CPLINFO *>(lp2);
      info->idIcon = CPL_DYNAMIC_RES;
      info->idName = CPL_DYNAMIC_RES;
      info->idInfo = CPL_DYNAMIC_RES;
      info->lData = 0;
      return 0;
    }
    case CPL_NEWINQUIRE: {
      auto *info = reinterpret_cast<NEWCPLINFOW *>(lp2);
      ZeroMemory(info, sizeof *info);
      info->dwSize = sizeof *info;
      info->hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
      lstrcpyW(info->szName, L"Display");
      lstrcpyW(info->szInfo, L"Display");
      return 0;
    }
    case CPL_STARTWPARMSW:
      Note(reinterpret_cast<const wchar_t *>(lp2));
      return TRUE;
    case CPL_STARTWPARMSA: {
      wchar_t how[256] = {};
      MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char *>(lp2), -1, how, 255);
      Note(how);
      return TRUE;
    }
    case CPL_DBLCLK:
      Note(L"(no page)");
      return 0;
    default:
      return 0;
  }
}
