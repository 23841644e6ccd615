// The presentation worker: paces questions and answers. Every step runs on the UI thread;
// the worker thread only hands steps over and sleeps between them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "handles.h"
#include "problem.h"
#include "random.h"
#include "surface.h"
#include "worker_thread.h"

class TScreenSaverThread : public TWorkerThread {
 public:
  // On the UI thread, once the window exists and has its size. Starts the thread.
  TScreenSaverThread(HWND targetWindow, TRandom random);
  ~TScreenSaverThread() override;

  // Read by tests and the step: what the screen shows.
  const Problem &Current() const { return problem_; }
  int32_t Phase = 0;  // 0: a question is next; 1: an answer is next
  int32_t SleepTime = 1000;
  int32_t SleepTime2 = 1000;

  // One presentation step; UI thread only.
  virtual void DrawStep();

 protected:
  void RunCycle() override;

 private:
  void QuestionStep();
  void AnswerStep();
#ifdef VELKORIN_TEST_PROBES
  void ProbeBefore();
  void ProbeAfter(int32_t phase);
#endif

  HWND TargetWindow;
  WindowDc dc_;
  std::unique_ptr<TSurface> Surface;
  RECT WindowRect = {};
  ProblemRules rules_ = {};
  Problem problem_ = {};
  TRandom random_;
};
