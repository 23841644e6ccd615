// A stand-in for the system's password-change component, installed in the test prefix only.
// It records the call's arguments under HKCU\Software\VelkorinTest.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD a, DWORD b) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VelkorinTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 0;
  RegSetValueExA(key, "Provider", 0, REG_SZ, reinterpret_cast<const BYTE *>(provider),
                 lstrlenA(provider) + 1);
  DWORD p = static_cast<DWORD>(reinterpret_cast<uintptr_t>(parent)), rest = a | b;
  RegSetValueExA(key, "Parent", 0, REG_DWORD, reinterpret_cast<BYTE *>(&p), sizeof p);
  RegSetValueExA(key, "Rest", 0, REG_DWORD, reinterpret_cast<BYTE *>(&rest), sizeof rest);
  RegCloseKey(key);
  return 0;
}
