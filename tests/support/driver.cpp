#include "driver.h"

#include "system.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

bool PollUntil(const std::function<bool()> &cond, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (cond())
      return true;
    if (GetTickCount() - start >= timeoutMs)
      return cond();
    // Keep our own queue served: tests own windows too (a preview host, for example).
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(15);
  }
}

std::string WindowsPathOf(const std::string &unixPath) {
  std::string path = "Z:" + unixPath;
  for (char &c : path)
    if (c == '/')
      c = '\\';
  return path;
}

std::string SourceFile(const char *relative) {
  return WindowsPathOf(std::string(VELKORIN_SOURCE_DIR) + "/" + relative);
}

std::string SaverPath() {
  return WindowsPathOf(VELKORIN_SCR_PATH);
}

std::string WindowsFilePath(const std::string &name) {
  char dir[MAX_PATH + 1] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  std::string path = dir;
  if (!path.empty() && path.back() != '\\')
    path += '\\';
  return path + name;
}

std::string ReadFileBytes(const std::string &path, bool *exists) {
  FILE *f = fopen(path.c_str(), "rb");
  if (exists)
    *exists = f != nullptr;
  if (!f)
    return std::string();
  std::string bytes;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0)
    bytes.append(buf, n);
  fclose(f);
  return bytes;
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
  FILE *f = fopen(path.c_str(), "wb");
  if (!f)
    throw std::runtime_error("cannot write " + path);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

void DeleteFileIfAny(const std::string &path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

SystemFileScope::SystemFileScope(const std::string &sourceUnixPath, const std::string &name)
    : target_(SystemFilePath(name.c_str())), backup_(target_ + ".velkorin-test-backup") {
  MoveFileExA(target_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING);
  CopyFileA(WindowsPathOf(sourceUnixPath).c_str(), target_.c_str(), FALSE);
}

SystemFileScope::~SystemFileScope() {
  DeleteFileIfAny(target_);
  MoveFileExA(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::optional<std::string> ReadRegString(HKEY root, const char *subkey, const char *name) {
  char buf[2048] = {};
  DWORD size = sizeof buf;
  if (RegGetValueA(root, subkey, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(buf);
}

std::optional<DWORD> ReadRegDword(HKEY root, const char *subkey, const char *name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(root, subkey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

namespace {

bool WriteRegValue(HKEY root, const char *subkey, const char *name, DWORD type, const void *data,
                   DWORD size) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const UniqueRegKey key(raw);
  return RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE *>(data), size) ==
         ERROR_SUCCESS;
}

struct FindState {
  DWORD pid;
  const char *caption;
  const char *className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
  auto *s = reinterpret_cast<FindState *>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->pid || !IsWindowVisible(hwnd))
    return TRUE;
  char text[256] = {};
  if (s->caption && (GetWindowTextA(hwnd, text, sizeof text), lstrcmpA(text, s->caption) != 0))
    return TRUE;
  char cls[128] = {};
  if (s->className && (GetClassNameA(hwnd, cls, sizeof cls), lstrcmpiA(cls, s->className) != 0))
    return TRUE;
  s->found = hwnd;
  return FALSE;
}

}  // namespace

bool WriteRegString(HKEY root, const char *subkey, const char *name, const std::string &value) {
  return WriteRegValue(root, subkey, name, REG_SZ, value.c_str(),
                       static_cast<DWORD>(value.size() + 1));
}

bool WriteRegDword(HKEY root, const char *subkey, const char *name, DWORD value) {
  return WriteRegValue(root, subkey, name, REG_DWORD, &value, sizeof value);
}

void DeleteRegValue(HKEY root, const char *subkey, const char *name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS)
    RegDeleteValueA(UniqueRegKey(raw).get(), name);
}

bool RegKeyExists(HKEY root, const char *subkey) {
  HKEY raw = nullptr;
  const bool exists = RegOpenKeyExA(root, subkey, 0, KEY_READ, &raw) == ERROR_SUCCESS;
  UniqueRegKey key(raw);
  return exists;
}

HWND FindProcessWindow(DWORD pid, const char *caption, const char *className, DWORD timeoutMs,
                       HWND parent) {
  FindState s{pid, caption, className, nullptr};
  PollUntil(
      [&] {
        if (parent)
          EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&s));
        else
          EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
      },
      timeoutMs);
  return s.found;
}

FileLock::FileLock(const std::string &path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

SaverProcess::SaverProcess(const std::string &arguments, const std::string &exe)
    : SaverProcess(CommandLine{"\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments)}) {}

SaverProcess::SaverProcess(const CommandLine &line) {
  const std::string &commandLine = line.Text;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    throw std::runtime_error("cannot start " + commandLine);
  process_.reset(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  id_ = pi.dwProcessId;
}

SaverProcess::~SaverProcess() {
  if (Running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool SaverProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool SaverProcess::WaitExit(DWORD timeoutMs, DWORD &exitCode) {
  if (!PollUntil([&] { return !Running(); }, timeoutMs))
    return false;
  GetExitCodeProcess(process_.get(), &exitCode);
  return true;
}

HWND SaverProcess::FindWindow(const char *className, DWORD timeoutMs, HWND parent) const {
  return FindProcessWindow(id_, nullptr, className, timeoutMs, parent);
}

double SaverProcess::CpuMilliseconds() const {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process_.get(), &created, &exited, &kernel, &user))
    return -1;
  auto ms = [](const FILETIME &t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

void SendKey(WORD vk, bool alt) {
  std::vector<INPUT> in;
  auto key = [&](WORD k, bool up) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (alt)
    key(VK_MENU, false);
  key(vk, false);
  key(vk, true);
  if (alt)
    key(VK_MENU, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void MoveMouseTo(int x, int y) {
  SetCursorPos(x, y);
}

void ClickAt(int x, int y, DWORD downFlag, DWORD upFlag) {
  SetCursorPos(x, y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = downFlag;
  in[1].mi.dwFlags = upFlag;
  SendInput(2, in, sizeof(INPUT));
}

COLORREF ScreenPixel(int x, int y) {
  return GetPixel(WindowDc(nullptr).get(), x, y);
}

namespace {
const char kDesktopKey[] = "Control Panel\\Desktop";
}

ScreenDpiScope::ScreenDpiScope(DWORD dpi)
    : old_(ReadRegDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels")) {
  WriteRegDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", dpi);
}

ScreenDpiScope::~ScreenDpiScope() {
  if (old_)
    WriteRegDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", *old_);
  else
    DeleteRegValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
}
