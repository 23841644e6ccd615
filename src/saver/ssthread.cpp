#include "ssthread.h"

#include <utility>

TScreenSaverThread::TScreenSaverThread(TStep step) : step_(std::move(step)) {
  Start();
}

void TScreenSaverThread::RunCycle() {
  DWORD pause = 0;
  const std::function<void()> step = [this, &pause] { pause = step_(); };
  for (;;) {
    RunOnUiThread(step);
    if (StopRequested())
      return;
    Pause(pause);
  }
}
