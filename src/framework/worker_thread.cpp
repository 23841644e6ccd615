#include "worker_thread.h"

#include <process.h>

#include <exception>

#include "application.h"

namespace {

constexpr UINT WM_RUNSTEP = WM_APP + 0x51;
constexpr UINT WM_WORKERFAILED = WM_APP + 0x52;

struct StepCall {
  const std::function<void()> *step;
  const TWorkerThread *worker;
  std::exception_ptr error;
};

LRESULT CALLBACK CallWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_WORKERFAILED)
    Application.Terminate(*reinterpret_cast<const std::string *>(lp));
  if (msg != WM_RUNSTEP)
    return DefWindowProcA(hwnd, msg, wp, lp);
  auto *call = reinterpret_cast<StepCall *>(lp);
  // A stop raised after the hand-off was sent still keeps the step from running.
  if (call->worker->StopRequested())
    return 0;
  try {
    (*call->step)();
  } catch (...) {
    call->error = std::current_exception();
  }
  return 0;
}

// The UI thread's hidden window that runs the steps. A top-level popup that is never
// shown, not a message-only window: those came with Windows 2000, and the saver must run
// on Windows 95 and NT 4.0 too.
HWND CallWindow() {
  static HWND window = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CallWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TWorkerStepCall";
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

TWorkerThread::TWorkerThread() : wake_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  CallWindow();
}

TWorkerThread::~TWorkerThread() {
  Join(INFINITE);
}

void TWorkerThread::Start() {
  thread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadMain, this, 0, nullptr)));
  if (!thread_)
    finished_ = true;
}

unsigned __stdcall TWorkerThread::ThreadMain(void *self) {
  auto *worker = static_cast<TWorkerThread *>(self);
  try {
    worker->RunCycle();
  } catch (...) {
    WorkerFailed(ExceptionMessage(std::current_exception()));
  }
  worker->finished_ = true;
  return 0;
}

void TWorkerThread::RequestStop() {
  stop_ = true;
  if (wake_)
    SetEvent(wake_.get());
}

void TWorkerThread::Pause(DWORD ms) {
  if (!stop_)
    WaitForSingleObject(wake_.get(), ms);
}

void TWorkerThread::RunOnUiThread(const std::function<void()> &step) {
  if (stop_)
    return;
  StepCall call{&step, this, nullptr};
  SendMessageA(CallWindow(), WM_RUNSTEP, 0, reinterpret_cast<LPARAM>(&call));
  if (call.error)
    std::rethrow_exception(call.error);
}

bool TWorkerThread::WaitFor(DWORD timeoutMs) {
  if (!thread_)
    return true;
  HANDLE thread = thread_.get();
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    DWORD left =
        timeoutMs == INFINITE ? INFINITE : (elapsed >= timeoutMs ? 0 : timeoutMs - elapsed);
    DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0)
      return true;
    if (r != WAIT_OBJECT_0 + 1)
      return false;  // timed out or failed
    // Serve sent messages only (the hand-off); posted input stays queued.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

bool TWorkerThread::Join(DWORD timeoutMs) {
  RequestStop();
  return WaitFor(timeoutMs);
}

void WorkerFailed(const std::string &message) {
  // The report belongs on the UI thread, where its box can be owned by the main window and
  // keep input from it. The UI thread serves this even while it waits for the worker to end.
  SendMessageA(CallWindow(), WM_WORKERFAILED, 0, reinterpret_cast<LPARAM>(&message));
  Application.Terminate(message);  // only if the UI thread's window is gone
}
