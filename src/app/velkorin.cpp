// The program entry: reads the command line, runs the chosen mode, ends with exit code 0 (1
// after an error it cannot go on from).
#include <windows.h>

#include <memory>
#include <string>

#include "application.h"
#include "cmdline.h"
#include "display.h"
#include "handles.h"
#include "settings_file.h"
#include "ssform.h"
#include "sssetdlg.h"
#include "system.h"

namespace {

HWND AsWindow(int32_t handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

// The settings the saver runs with, read once when it starts.
SaverSettings ReadSettings() {
  return LoadSettings(TSettingsFile(SettingsFileName));
}

void RunPasswordChange(HWND parent) {
  using PwdChangePasswordProc = DWORD(WINAPI *)(LPCSTR, HWND, DWORD, DWORD);
  UniqueLibrary mpr(LoadLibraryA(SystemFilePath("MPR.DLL").c_str()));
  if (!mpr)
    return;
  auto change = reinterpret_cast<PwdChangePasswordProc>(
      reinterpret_cast<void *>(GetProcAddress(mpr.get(), "PwdChangePasswordA")));
  if (change)
    change("SCRSAVE", parent, 0, 0);
}

void RunSetup() {
  TScrnSaveSetupDlg dialog;
  dialog.Create();
  dialog.ShowModal();
}

// Serves messages, sent ones included, until the window has closed or is gone (for
// instance with its host). Waits between messages: a preview must not keep a core busy.
void PreviewLoop(TScreenSaverForm &form, HWND host) {
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
    // The queue is empty here (read to the end above), so the plain wait, which Windows 95
    // has, misses no input.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
  }
}

// The form stops its worker before its window goes, so no step outlives what it draws on.
void RunPreview(HWND host) {
  if (!host || !IsWindow(host))
    return;  // no host to draw into
  auto form = std::make_unique<TScreenSaverForm>(host, ReadSettings());
  form->Create();
  if (form->HandleAllocated())
    PreviewLoop(*form, host);
}

// Only full screen draws for the screen's real pixels: the setup dialog and the preview
// stay as the system scales them.
void RunFullScreen() {
  BecomeDpiAware();
  auto form = std::make_unique<TScreenSaverForm>(nullptr, ReadSettings());
  Application.MainForm = form.get();
  form->Create();
  if (form->HandleAllocated() && !form->Closed) {
    form->Show(SW_SHOWNORMAL);
    Application.Run();
  }
  Application.MainForm = nullptr;
}

// A step that failed leaves the saver in a state it cannot go on from: the user sees why,
// and whoever started the saver sees from the exit code that it did not end as asked.
[[noreturn]] void StopOnError(const std::string &message) {
  Application.ShowFatalError("Velkorin stopped because of an error: " + message);
  ExitProcess(1);
}

void Run(const StartRequest &request) {
  switch (request.Mode) {
    case RunMode::PasswordChange:
      ShowWindow(Application.Handle(), SW_HIDE);
      RunPasswordChange(AsWindow(request.PreviewParent));
      break;
    case RunMode::Setup:
      ShowWindow(Application.Handle(), SW_HIDE);
      RunSetup();
      break;
    case RunMode::Preview:
      ShowWindow(Application.Handle(), SW_HIDE);
      RunPreview(AsWindow(request.PreviewParent));
      break;
    case RunMode::FullScreen:
      RunFullScreen();
      break;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Application.Initialize(instance, LoadIconA(instance, "MAINICON"));
  Application.OnFatalError = StopOnError;
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
