#include "ssform.h"

#include "application.h"
#include "clock.h"
#include "globals.h"
#include "handles.h"
#include "ssthread.h"
#include "system.h"

int32_t PreviewParent = 0;
TScreenSaverForm *ScreenSaverForm = nullptr;

namespace {

using VerifyScreenSavePwdProc = BOOL(WINAPI *)(HWND);
using EnableImeProc = BOOL(WINAPI *)(HWND, BOOL);

HWND PreviewHost() {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(PreviewParent));
}

// "ScreenSaveUsePassword" as a number; false when it is missing or not four bytes.
bool ReadUsePassword(HKEY key, bool &usePassword) {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, &type,
                       reinterpret_cast<BYTE *>(&value), &size) != ERROR_SUCCESS)
    return false;
  if ((type != REG_DWORD && type != REG_BINARY) || size != sizeof value)
    return false;
  usePassword = value != 0;
  return true;
}

}  // namespace

TScreenSaverForm::TScreenSaverForm()
    : Image1(std::make_unique<TTileStrip>(Application.Instance())) {
  Color = RGB(0, 0, 0);
}

TScreenSaverForm::~TScreenSaverForm() = default;

void TScreenSaverForm::AdjustWindowParams(TCreateParams &p) {
  p.Caption = "ScreenSaverForm";
  p.ClassName = "TScreenSaverForm";
  p.Background = nullptr;
  if (PreviewParent != 0) {
    p.Style = WS_CHILD | WS_VISIBLE | WS_DISABLED;
    p.ExStyle = WS_EX_CONTROLPARENT;
    p.WndParent = PreviewHost();
    p.ClassStyle = CS_PARENTDC;
  } else {
    p.Style |= WS_MAXIMIZE;
    p.ExStyle |= WS_EX_TOPMOST;
  }
}

void TScreenSaverForm::FormCreate() {
  MouseMoves = 0;
  Left = 0;
  Top = 0;
  if (PreviewParent != 0) {
    RECT r = {};
    GetWindowRect(PreviewHost(), &r);
    Width = r.right - r.left;
    Height = r.bottom - r.top;
  } else {
    Width = GetSystemMetrics(SM_CXSCREEN);
    Height = GetSystemMetrics(SM_CYSCREEN);
    ShowCursor(FALSE);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
      Close();
      return;
    }
    PlatformId = version.dwPlatformId;
    if (PlatformId == VER_PLATFORM_WIN32_WINDOWS)
      SetScreenSaverRunning(true);
  }
  Closed = false;
  HWND window = Handle();
  if (!window)
    return;  // the entry notices that the window could not be made
  Worker = new TScreenSaverThread(window, TRandom{ClockSeed()});

  if (GetSystemMetrics(SM_DBCSENABLED)) {
    auto enableIme = reinterpret_cast<EnableImeProc>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("USER32"), "WINNLSEnableIME")));
    if (enableIme)
      enableIme(window, FALSE);
  }
}

void TScreenSaverForm::FormShow() {
  ShowWindow(Application.Handle(), SW_HIDE);
}

void TScreenSaverForm::FormKeyDown(WPARAM) {
  if (PreviewParent == 0)
    Close();
}

void TScreenSaverForm::FormMouseDown(UINT) {
  if (PreviewParent == 0)
    Close();
}

void TScreenSaverForm::FormMouseMove() {
  if (MouseMoves <= 3)
    ++MouseMoves;
  else if (PreviewParent == 0)
    Close();
}

bool TScreenSaverForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
  if (msg == WM_SYSCOMMAND)
    return HandleSysCommand(wp, result);
  return TForm::HandleMessage(msg, wp, lp, result);
}

bool TScreenSaverForm::HandleSysCommand(WPARAM command, LRESULT &result) {
  if (command != SC_SCREENSAVE)
    return false;  // the default handling
  result = 1;      // a saver runs already: no second one
  return true;
}

void TScreenSaverForm::FormCloseQuery(bool &CanClose) {
  CanClose = true;
  if (PreviewParent != 0 || PlatformId == VER_PLATFORM_WIN32_NT)
    return;
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_ALL_ACCESS, &raw) !=
          ERROR_SUCCESS &&
      RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_READ, &raw) !=
          ERROR_SUCCESS)
    return;
  UniqueRegKey key(raw);
  bool usePassword = false;
  if (!ReadUsePassword(key.get(), usePassword) || !usePassword)
    return;
  ShowCursor(TRUE);
  CanClose = PasswordAccepted();
  if (!CanClose) {
    MouseMoves = 0;
    ShowCursor(FALSE);
  }
}

// Asks the system's password component; true when it is missing or accepts.
bool TScreenSaverForm::PasswordAccepted() {
  UniqueLibrary library(LoadLibraryA(SystemFilePath("PASSWORD.CPL").c_str()));
  if (!library)
    return true;
  auto verify = reinterpret_cast<VerifyScreenSavePwdProc>(
      reinterpret_cast<void *>(GetProcAddress(library.get(), "VerifyScreenSavePwd")));
  if (!verify)
    return true;
  return verify(Handle()) != FALSE;
}

void TScreenSaverForm::FormClose() {
  if (Worker)
    Worker->RequestStop();
  Worker = nullptr;
  Closed = true;
  if (PlatformId == VER_PLATFORM_WIN32_WINDOWS)
    SetScreenSaverRunning(false);
  ShowCursor(TRUE);
}

void TScreenSaverForm::SetScreenSaverRunning(bool running) {
  UINT previous = 0;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}
