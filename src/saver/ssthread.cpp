#include "ssthread.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

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
  Probe();
#endif
  if (Phase == 0)
    QuestionStep();
  else
    AnswerStep();
}

#ifdef VELKORIN_TEST_PROBES
// Test builds only, never the shipped saver: VELKORIN_STEP_LOG names a file that gets one
// line per step ("<tick> <phase> <HandX> <HandY>"), and VELKORIN_FAULT_AT_STEP makes that
// step fail, so tests can watch the pacing and the end after an error from outside.
void TScreenSaverThread::Probe() {
  static int steps = 0;
  ++steps;
  char value[MAX_PATH] = {};
  if (GetEnvironmentVariableA("VELKORIN_STEP_LOG", value, MAX_PATH)) {
    if (FILE *f = fopen(value, "a")) {
      fprintf(f, "%lu %d %d %d\n", GetTickCount(), static_cast<int>(Phase),
              static_cast<int>(problem_.HandX), static_cast<int>(problem_.HandY));
      fclose(f);
    }
  }
  if (GetEnvironmentVariableA("VELKORIN_FAULT_AT_STEP", value, MAX_PATH) && atoi(value) == steps)
    throw std::runtime_error("injected fault");
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
