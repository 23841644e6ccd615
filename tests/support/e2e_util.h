// Shared set-up for the saver's end-to-end tests: settings files, registry values of the
// test prefix, and the saver's full-screen window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "screen.h"

constexpr DWORD kStart = 20000;  // a cold Wine may take a while to show the first window
constexpr DWORD kEnd = 10000;
const char kSaverClass[] = "TScreenSaverForm";

// Replaces the settings file for the test's duration; restores the absence afterwards.
class SettingsFileScope {
 public:
  explicit SettingsFileScope(const std::string &content);
  ~SettingsFileScope();

 private:
  std::string path_;
};

std::string IntervalSettings(int sleepTime, int sleepTime2, int sort = 1, int noAnsRate = 2);

// Makes Wine report Windows 98 to velkorin.scr for the scope's duration.
class Windows98Scope {
 public:
  Windows98Scope();
  ~Windows98Scope();
};

// Sets an environment variable that the saver started from here inherits.
class EnvScope {
 public:
  EnvScope(const char *name, const char *value) : name_(name) {
    SetEnvironmentVariableA(name, value);
  }
  ~EnvScope() { SetEnvironmentVariableA(name_.c_str(), nullptr); }

 private:
  std::string name_;
};

// One line of the test build's step log.
struct StepRecord {
  DWORD Tick;
  int Phase, HandX, HandY;
  int GdiObjects, Windows;  // -1 where the step did not count them
  unsigned long MemoryKb;   // committed private memory, 0 where not counted
};
std::vector<StepRecord> ReadStepLog(const std::string &path);

// A full-screen saver with its window found and shown.
struct FullScreen {
  explicit FullScreen(const std::string &settings = IntervalSettings(1000, 1000),
                      const std::string &args = "/s", const std::string &exe = SaverPath())
      : file(settings), saver(args, exe) {
    window = saver.FindWindow(kSaverClass, kStart);
  }
  SettingsFileScope file;
  SaverProcess saver;
  HWND window = nullptr;
};

// A host window for previews, owned by the test.
class PreviewHost {
 public:
  PreviewHost(int x, int y, int w, int h);
  ~PreviewHost();
  PreviewHost(const PreviewHost &) = delete;
  PreviewHost &operator=(const PreviewHost &) = delete;
  HWND hwnd() const { return hwnd_; }
  std::string Arg() const {
    return std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(hwnd_)));
  }
  void Destroy() { DestroyWindow(hwnd_); }

 private:
  HWND hwnd_ = nullptr;
};

// The saver previewing in a host of the display settings' size (152 x 112) at (x, y), with
// the given settings file; child is its window, or null when none came.
struct PreviewRun {
  explicit PreviewRun(const std::string &settings, int x = 600, int y = 500,
                      const std::string &exe = SaverPath())
      : file(settings), host(x, y, 152, 112), saver("/p " + host.Arg(), exe) {
    child = saver.FindWindow(kSaverClass, kStart, host.hwnd());
  }
  SettingsFileScope file;
  PreviewHost host;
  SaverProcess saver;
  HWND child = nullptr;
};

// Polls the screen until a question (13 tiles, no answer yet) is shown that differs from
// `after`; false when none comes within the bound.
bool NextQuestion(const PuzzleReader &reader, SeenPuzzle &q, DWORD ms, const SeenPuzzle *after);
// Polls until the answer of question q is shown in full.
bool AnswerOf(const PuzzleReader &reader, const SeenPuzzle &q, SeenPuzzle &a, DWORD ms);
std::vector<int> RanksOf(const std::vector<SeenTile> &tiles);
