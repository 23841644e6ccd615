// A stand-in for the system's saver password component, installed in the test prefix only.
// Its answer is the registry value HKCU\Software\VelkorinTest\Answer; each call is counted.
#include <windows.h>

namespace {
DWORD ReadValue(HKEY key, const char *name) {
  DWORD value = 0, size = sizeof value;
  RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size);
  return value;
}
}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VelkorinTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return TRUE;
  DWORD calls = ReadValue(key, "Calls") + 1;
  RegSetValueExA(key, "Calls", 0, REG_DWORD, reinterpret_cast<BYTE *>(&calls), sizeof calls);
  BOOL answer = ReadValue(key, "Answer") != 0;
  RegCloseKey(key);
  return answer;
}
