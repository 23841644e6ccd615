// A worker thread that paces work done on the UI thread. The worker never touches UI
// state itself: it hands each step to the UI thread with RunOnUiThread and blocks until
// the step has run there.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

class TWorkerThread {
 public:
  virtual ~TWorkerThread();
  TWorkerThread(const TWorkerThread &) = delete;
  TWorkerThread &operator=(const TWorkerThread &) = delete;

  // Raises the stop flag and wakes a sleeping worker; returns at once. Once raised, no
  // further step runs on the UI thread.
  void RequestStop();
  bool StopRequested() const { return stop_.load(); }
  bool Finished() const { return finished_.load(); }

  // Waits up to timeoutMs for the thread to end, serving messages sent to this thread
  // meanwhile so a step already handed over can finish. True when it has ended.
  bool WaitFor(DWORD timeoutMs);

  // Stops every worker, waits for them within one bound, and deletes the ones that ended.
  // The program's orderly end: afterwards no step can touch a window that goes away.
  static void StopAll(DWORD timeoutMs);

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

  HANDLE thread_ = nullptr;
  HANDLE wake_ = nullptr;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
};

// Reports an error that ended a worker to the application's OnFatalError, on the UI thread.
[[noreturn]] void WorkerFailed(const std::string &message);
