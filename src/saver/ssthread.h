// The presentation worker: only the pace. It hands each step to the UI thread, where the
// saver window's puzzle takes it, and then sleeps for as long as the step says.
#pragma once

#include <windows.h>

#include <functional>

#include "worker_thread.h"

class TScreenSaverThread : public TWorkerThread {
 public:
  // One step on the UI thread; returns how long what it showed stays up, in milliseconds.
  using TStep = std::function<DWORD()>;

  // On the UI thread. Starts the thread; the owner joins it before deleting it.
  explicit TScreenSaverThread(TStep step);

 protected:
  void RunCycle() override;

 private:
  TStep step_;
};
