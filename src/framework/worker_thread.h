// A worker thread that paces work done on the UI thread. The worker never touches UI
// state itself: it hands each step to the UI thread with RunOnUiThread and blocks until
// the step has run there.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "handles.h"

// Not copyable: its handles and flags are not.
class TWorkerThread {
 public:
  // Waits for a thread its owner did not join rather than free what the thread uses.
  virtual ~TWorkerThread();

  // Raises the stop flag and wakes a sleeping worker; returns at once. Once raised, no
  // further step runs on the UI thread.
  void RequestStop();
  bool StopRequested() const { return stop_.load(); }
  bool Finished() const { return finished_.load(); }

  // Waits up to timeoutMs for the thread to end, serving messages sent to this thread
  // meanwhile so a step already handed over can finish. True when it has ended.
  bool WaitFor(DWORD timeoutMs);
  // Stops the thread and waits for it, as above. The owner calls it before it deletes the
  // worker: by the time this class's destructor runs the derived part is gone, so the
  // thread must have ended already. A worker that does not end within the bound must be
  // left to the process's end (deleting it would wait for ever).
  bool Join(DWORD timeoutMs);

 protected:
  // Must be called on the UI thread: the hidden window that serves hand-offs is created
  // on the thread that creates the first worker.
  TWorkerThread();
  // Starts the thread; call at the end of the derived constructor.
  void Start();

  // The thread body.
  virtual void RunCycle() = 0;
  // Runs step on the UI thread and blocks until it has returned; rethrows its error here.
  // Does nothing once a stop has been requested.
  void RunOnUiThread(const std::function<void()> &step);
  // Sleeps up to ms milliseconds; a stop request ends the sleep early.
  void Pause(DWORD ms);

 private:
  static unsigned __stdcall ThreadMain(void *self);

  UniqueKernelHandle thread_;
  UniqueKernelHandle wake_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
};

// Reports an error that ended a worker to the application's OnFatalError, on the UI thread.
[[noreturn]] void WorkerFailed(const std::string &message);
