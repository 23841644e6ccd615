#include "ssthread.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "globals.h"
#include "settings_file.h"
#include "ssform.h"
#include "tiledraw.h"

namespace {
constexpr int kTileStep = 34;
constexpr int kAnswerLeft = 136;  // answer tiles and "None", right of the hand's start
}  // namespace

TScreenSaverThread::TScreenSaverThread(HWND targetWindow)
    : TargetWindow(targetWindow), dc_(targetWindow) {
  Surface = std::make_unique<TSurface>(dc_.get());
  GetWindowRect(TargetWindow, &WindowRect);
  rules_.AreaWidth = WindowRect.right - WindowRect.left;
  rules_.AreaHeight = WindowRect.bottom - WindowRect.top;
  rules_.Preview = PreviewParent != 0;

  const TSettingsFile file(SettingsFileName);
  const SaverSettings s = LoadSettings(file);
  const SaverSettings defaults;
  rules_.Sort = s.Sort;
  rules_.NoAnsRate = s.NoAnsRate;
  if (!rules_.Preview) {
    SleepTime = IntervalOrDefault(s.SleepTime, defaults.SleepTime);
    SleepTime2 = IntervalOrDefault(s.SleepTime2, defaults.SleepTime2);
  }

  Surface->SetBrushColor(RGB(0, 0, 0));
  Surface->SetFont("Arial", 14, ScreenPixelsPerInch(), FW_BOLD, RGB(255, 255, 0));
  // Never shown: it only gives the first question step the place it erases.
  MakeProblem(problem_, rules_);
  Start();
}

TScreenSaverThread::~TScreenSaverThread() {
  RequestStop();
  WaitFor(INFINITE);
  Surface.reset();  // before the DC goes back to the window
}

void TScreenSaverThread::RunCycle() {
  const std::function<void()> step = [this] { DrawStep(); };
  for (;;) {
    RunOnUiThread(step);
    if (StopRequested())
      return;
    Pause(static_cast<DWORD>(Phase == 1 ? SleepTime : SleepTime2));
  }
}

void TScreenSaverThread::DrawStep() {
#ifdef VELKORIN_TEST_PROBES
  const int32_t phase = Phase;
  ProbeBefore();
#endif
  if (Phase == 0)
    QuestionStep();
  else
    AnswerStep();
#ifdef VELKORIN_TEST_PROBES
  ProbeAfter(phase);
#endif
}

#ifdef VELKORIN_TEST_PROBES
#include <psapi.h>

// Test builds only, never the shipped saver. They let tests watch the saver from outside:
// VELKORIN_FAULT_AT_STEP=N makes step N fail; VELKORIN_STEP_LOG names a file that gets a
// line per step: "<tick> <phase> <HandX> <HandY> <gdi objects> <windows> <memory KB>", the
// counts on every hundredth step only (-1 and 0 otherwise).
namespace {
int probeSteps = 0;

std::string ProbeSetting(const char *name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(value, n) : std::string();
}

// GDI objects, windows and private memory of this process. GDI objects are counted by
// probing every handle index (a handle whose upper word is zero matches any generation,
// under Wine at least, where GetGuiResources always answers 0); windows by enumerating the
// top-level and child windows of the process (it makes no message-only ones).
struct ObjectCounts {
  int gdi = 0, windows = 0;
  unsigned long memoryKb = 0;
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<int *>(lp);
    EnumChildWindows(hwnd, CountWindow, lp);
  }
  return TRUE;
}

ObjectCounts CountObjects() {
  ObjectCounts c;
  for (uintptr_t i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)))
      ++c.gdi;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&c.windows));
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
    c.memoryKb = static_cast<unsigned long>(pmc.PagefileUsage / 1024);
  return c;
}
}  // namespace

void TScreenSaverThread::ProbeBefore() {
  ++probeSteps;
  const std::string fault = ProbeSetting("VELKORIN_FAULT_AT_STEP");
  if (!fault.empty() && atoi(fault.c_str()) == probeSteps)
    throw std::runtime_error("injected fault");
}

void TScreenSaverThread::ProbeAfter(int32_t phase) {
  const std::string log = ProbeSetting("VELKORIN_STEP_LOG");
  if (log.empty())
    return;
  ObjectCounts c;
  c.gdi = c.windows = -1;
  if (probeSteps % 100 == 0)
    c = CountObjects();
  if (FILE *f = fopen(log.c_str(), "a")) {
    fprintf(f, "%lu %d %d %d %d %d %lu\n", GetTickCount(), static_cast<int>(phase),
            static_cast<int>(problem_.HandX), static_cast<int>(problem_.HandY), c.gdi, c.windows,
            c.memoryKb);
    fclose(f);
  }
}
#endif

void TScreenSaverThread::QuestionStep() {
  Surface->FillRect(problem_.HandX, problem_.HandY, problem_.HandX + PuzzleWidth,
                    problem_.HandY + PuzzleHeight);
  MakeProblem(problem_, rules_);
  const TTileStrip &strip = ScreenSaverForm->TileStrip();
  for (int i = 1; i <= HandSize; ++i)
    DrawTile(*Surface, strip, problem_.Hand[i],
             static_cast<int16_t>(static_cast<int16_t>(problem_.HandX) + kTileStep * (i - 1)),
             problem_.HandY);
  Phase = 1;
}

void TScreenSaverThread::AnswerStep() {
  const int32_t x = problem_.HandX, y = problem_.HandY;
  Surface->WriteText(x + 34, y + 76, "Answer :");
  if (problem_.Waits[NoWait]) {
    Surface->WriteText(static_cast<int16_t>(static_cast<int16_t>(x) + kAnswerLeft), y + 76, "None");
  } else {
    int16_t tx = static_cast<int16_t>(static_cast<int16_t>(x) + kAnswerLeft);
    for (int r = 1; r <= 9; ++r) {
      if (!problem_.Waits[r])
        continue;
      DrawTile(*Surface, ScreenSaverForm->TileStrip(), r, tx, y + 64);
      tx = static_cast<int16_t>(tx + kTileStep);
    }
  }
  Phase = 0;
}
