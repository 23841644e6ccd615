// Helpers for the end-to-end tests: start the saver as its own process, find its windows,
// poll for states with a bound, and reach the test prefix's Windows directory.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "handles.h"

// Polls cond every few milliseconds until it holds or timeoutMs has passed.
bool PollUntil(const std::function<bool()> &cond, DWORD timeoutMs);

// A path of the Linux file system as Wine's Z: drive shows it.
std::string WindowsPathOf(const std::string &unixPath);
// A file of the source tree, as a Windows path.
std::string SourceFile(const char *relative);
// The saver under test, as a Windows path.
std::string SaverPath();
// "<Windows directory>\<name>".
std::string WindowsFilePath(const std::string &name);
std::string ReadFileBytes(const std::string &path, bool *exists = nullptr);
void WriteFileBytes(const std::string &path, const std::string &bytes);
void DeleteFileIfAny(const std::string &path);

// Puts a file into the system directory for the scope's duration, keeping what was there.
class SystemFileScope {
 public:
  SystemFileScope(const std::string &sourceUnixPath, const std::string &name);
  ~SystemFileScope();
  SystemFileScope(const SystemFileScope &) = delete;
  SystemFileScope &operator=(const SystemFileScope &) = delete;

 private:
  std::string target_, backup_;
};

// Registry values of the test prefix. Writes create the key; false when refused.
std::optional<std::string> ReadRegString(HKEY root, const char *subkey, const char *name);
std::optional<DWORD> ReadRegDword(HKEY root, const char *subkey, const char *name);
bool WriteRegString(HKEY root, const char *subkey, const char *name, const std::string &value);
bool WriteRegDword(HKEY root, const char *subkey, const char *name, DWORD value);
void DeleteRegValue(HKEY root, const char *subkey, const char *name);
bool RegKeyExists(HKEY root, const char *subkey);

// The screen resolution a process reads when it starts (Wine takes it from LogPixels): the
// scope sets it for the programs started inside it and puts the old value back.
class ScreenDpiScope {
 public:
  explicit ScreenDpiScope(DWORD dpi);
  ~ScreenDpiScope();
  ScreenDpiScope(const ScreenDpiScope &) = delete;
  ScreenDpiScope &operator=(const ScreenDpiScope &) = delete;

 private:
  std::optional<DWORD> old_;
};

// The first visible window of the process with that caption and class (either may be
// null: any), top-level or a child of parent; null after timeoutMs.
HWND FindProcessWindow(DWORD pid, const char *caption, const char *className, DWORD timeoutMs,
                       HWND parent = nullptr);

// Keeps a file open for reading while sharing no write access: the platform then refuses
// every write to it, whoever the user is (a read-only attribute does not stop root under
// Wine).
class FileLock {
 public:
  explicit FileLock(const std::string &path);
  bool Held() const { return static_cast<bool>(handle_); }

 private:
  UniqueFileHandle handle_;
};

class SaverProcess {
 public:
  SaverProcess() = default;
  // Starts "<saver> <arguments>"; throws on failure.
  explicit SaverProcess(const std::string &arguments, const std::string &exe = SaverPath());
  // Starts a whole command line as Windows runs a registered one; throws on failure.
  struct CommandLine {
    std::string Text;
  };
  explicit SaverProcess(const CommandLine &commandLine);
  SaverProcess(const SaverProcess &) = delete;
  SaverProcess &operator=(const SaverProcess &) = delete;
  ~SaverProcess();  // kills it if it is still running

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }
  bool Running() const;
  // Waits for the end; true with the exit code when it ended within timeoutMs.
  bool WaitExit(DWORD timeoutMs, DWORD &exitCode);
  // The first visible top-level (or, with parent, child) window of the process with that
  // class, or null after timeoutMs.
  HWND FindWindow(const char *className, DWORD timeoutMs, HWND parent = nullptr) const;
  // CPU time (user + kernel) used so far, in milliseconds.
  double CpuMilliseconds() const;

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// Real input through the system.
void SendKey(WORD vk, bool alt = false);
void ClickAt(int x, int y, DWORD downFlag = MOUSEEVENTF_LEFTDOWN,
             DWORD upFlag = MOUSEEVENTF_LEFTUP);
void MoveMouseTo(int x, int y);

// The colour of a screen pixel (reads what the display shows).
COLORREF ScreenPixel(int x, int y);
