// A stand-in for control.exe, copied into the test prefix only: notes its command line in
// HKCU\Software\VelkorinInstallerTest\ControlCommand and opens nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const wchar_t *line = GetCommandLineW();
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VelkorinInstallerTest", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 1;
  RegSetValueExW(key, L"ControlCommand", 0, REG_SZ, reinterpret_cast<const BYTE *>(line),
                 static_cast<DWORD>((lstrlenW(line) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return 0;
}
