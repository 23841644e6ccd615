// The program entry: reads the command line, runs the chosen mode, ends with exit code 0.
#include <windows.h>

#include <memory>

#include "application.h"
#include "cmdline.h"
#include "globals.h"
#include "handles.h"
#include "ssform.h"
#include "sssetdlg.h"
#include "system.h"
#include "worker_thread.h"

namespace {

// How long the end waits for the worker to finish a step it is in.
constexpr DWORD kWorkerStopBound = 3000;

HWND AsWindow(int32_t handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

void RunPasswordChange() {
  using PwdChangePasswordProc = DWORD(WINAPI *)(LPCSTR, HWND, DWORD, DWORD);
  UniqueLibrary mpr(LoadLibraryA(SystemFilePath("MPR.DLL").c_str()));
  if (!mpr)
    return;
  auto change = reinterpret_cast<PwdChangePasswordProc>(
      reinterpret_cast<void *>(GetProcAddress(mpr.get(), "PwdChangePasswordA")));
  if (change)
    change("SCRSAVE", AsWindow(PreviewParent), 0, 0);
}

void RunSetup() {
  TScrnSaveSetupDlg dialog;
  dialog.Create();
  dialog.ShowModal();
}

// Serves messages, sent ones included, until the window has closed or is gone (for
// instance with its host). Waits between messages: a preview must not keep a core busy.
void PreviewLoop(TScreenSaverForm &form) {
  const HWND host = AsWindow(PreviewParent);
  for (;;) {
    MSG msg;
    while (!form.Closed && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        continue;  // the preview ends with its window, not on a quit message
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (form.Closed || !form.HandleAllocated() || !IsWindow(host))
      return;
    // The timeout is only a safety net in case a host dies without destroying our window.
    MsgWaitForMultipleObjectsEx(0, nullptr, 1000, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void RunPreview() {
  if (PreviewParent == 0 || !IsWindow(AsWindow(PreviewParent)))
    return;  // no host to draw into
  auto form = std::make_unique<TScreenSaverForm>();
  form->Create();
  ScreenSaverForm = form.get();
  if (form->HandleAllocated())
    PreviewLoop(*form);
  TWorkerThread::StopAll(kWorkerStopBound);
  ScreenSaverForm = nullptr;
}

void RunFullScreen() {
  auto form = std::make_unique<TScreenSaverForm>();
  ScreenSaverForm = form.get();
  Application.MainForm = form.get();
  form->Create();
  if (form->HandleAllocated() && !form->Closed) {
    form->Show(SW_SHOWMAXIMIZED);
    Application.Run();
  }
  TWorkerThread::StopAll(kWorkerStopBound);
  Application.MainForm = nullptr;
  ScreenSaverForm = nullptr;
}

void Run(const StartRequest &request) {
  switch (request.Mode) {
    case RunMode::PasswordChange:
      ShowWindow(Application.Handle(), SW_HIDE);
      PreviewParent = request.PreviewParent;
      RunPasswordChange();
      break;
    case RunMode::Setup:
      ShowWindow(Application.Handle(), SW_HIDE);
      RunSetup();
      break;
    case RunMode::Preview:
      ShowWindow(Application.Handle(), SW_HIDE);
      PreviewParent = request.PreviewParent;
      RunPreview();
      break;
    case RunMode::FullScreen:
      RunFullScreen();
      break;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Application.Initialize(instance, LoadIconA(instance, "MAINICON"));
  try {
    Run(ReadStartRequest(GetCommandLineA()));
  } catch (...) {
    // Only a program whose own resources are broken gets here (the tile strip will not
    // load, say): say so rather than vanish.
    Application.ShowException(std::current_exception());
    return 1;
  }
  return 0;
}
