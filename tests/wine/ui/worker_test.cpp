// The hand-off between worker and UI thread, and how a worker stops.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "worker_thread.h"

namespace {

// Runs `steps` steps on the UI thread, pausing `pauseMs` between them.
class CountingWorker : public TWorkerThread {
 public:
  CountingWorker(int steps, DWORD pauseMs, bool throwOnSecond = false)
      : steps_(steps),
        pauseMs_(pauseMs),
        throwOnSecond_(throwOnSecond),
        uiThread_(GetCurrentThreadId()) {
    Start();
  }

  std::atomic<int> ran{0};
  std::atomic<int> onWrongThread{0};
  std::atomic<int> handedOver{0};
  std::string caught;

 protected:
  void RunCycle() override {
    const std::function<void()> step = [this] {
      if (GetCurrentThreadId() != uiThread_)
        ++onWrongThread;
      int n = ++ran;
      if (throwOnSecond_ && n == 2)
        throw std::runtime_error("step failed");
    };
    for (int i = 0; i < steps_; ++i) {
      ++handedOver;
      try {
        RunOnUiThread(step);
      } catch (const std::exception &e) {
        caught = e.what();
      }
      if (StopRequested())
        return;
      Pause(pauseMs_);
    }
  }

 private:
  int steps_;
  DWORD pauseMs_;
  bool throwOnSecond_;
  DWORD uiThread_;
};

// Serves this thread's messages until cond holds or the bound passes.
template <typename F>
bool ServeUntil(F cond, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!cond()) {
    if (GetTickCount() - start > timeoutMs)
      return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

// Waits, without serving messages, until the worker has handed over its nth step and that
// hand-off is pending on this thread: the worker is then blocked inside it, past any check
// it makes before sending, and only this thread serving it can run the step. Asking leaves
// the hand-off marked as seen, which MsgWaitForMultipleObjects (so WaitFor and Join) does not
// wake for: serve it with PeekMessage.
bool PollHandedOver(const CountingWorker &w, int n) {
  for (int i = 0; i < 500; ++i) {
    if (w.handedOver.load() >= n && (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE))
      return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

TEST(WorkerThread, StepsRunOnTheUiThreadOnlyWhileItServesMessages) {
  CountingWorker w(3, 0);
  // Nothing runs while the UI thread does not retrieve messages: the worker stays blocked
  // in its first hand-off. (WaitFor would serve it, so it is not called here.)
  ASSERT_TRUE(PollHandedOver(w, 1));
  EXPECT_EQ(1, w.handedOver.load());
  EXPECT_EQ(0, w.ran.load());
  EXPECT_FALSE(w.Finished());
  ASSERT_TRUE(ServeUntil([&] { return w.Finished(); }, 5000));
  EXPECT_EQ(3, w.ran.load());
  EXPECT_EQ(0, w.onWrongThread.load());
}

TEST(WorkerThread, AnErrorInAStepIsRaisedAgainOnTheWorker) {
  CountingWorker w(3, 0, true);
  ASSERT_TRUE(ServeUntil([&] { return w.Finished(); }, 5000));
  EXPECT_EQ("step failed", w.caught);
  EXPECT_EQ(3, w.ran.load());
}

TEST(WorkerThread, WaitForServesAStepAlreadyHandedOver) {
  CountingWorker w(2, 0);
  ASSERT_TRUE(ServeUntil([&] { return w.handedOver.load() >= 1; }, 5000));
  // The UI thread now only waits; the waiting itself must serve the hand-offs.
  EXPECT_TRUE(w.WaitFor(5000));
  EXPECT_EQ(2, w.ran.load());
}

TEST(WorkerThread, StopCutsTheSleepShortAndNoStepRunsAfterIt) {
  CountingWorker w(1000, 60000);
  ASSERT_TRUE(ServeUntil([&] { return w.ran.load() == 1; }, 5000));
  const DWORD start = GetTickCount();
  EXPECT_TRUE(w.Join(5000));
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_EQ(1, w.ran.load());
}

TEST(WorkerThread, StopRaisedWhileAHandOffWaitsKeepsTheStepFromRunning) {
  CountingWorker w(5, 0);
  // One call that serves messages may serve more than one step; count what it served.
  ASSERT_TRUE(ServeUntil([&] { return w.ran.load() >= 1; }, 5000));
  const int served = w.ran.load();
  ASSERT_LT(served, 5);
  // Stop only once the worker waits inside its next hand-off, so that the guard on the UI
  // thread's side, not the worker's own check before sending, is what keeps the step out.
  ASSERT_TRUE(PollHandedOver(w, served + 1));
  w.RequestStop();
  ASSERT_TRUE(ServeUntil([&] { return w.Finished(); }, 5000));
  EXPECT_EQ(served, w.ran.load());
}
