#include "ssform.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "application.h"
#include "clock.h"
#include "display.h"
#include "handles.h"
#include "system.h"
#ifdef VELKORIN_TEST_PROBES
#include "probes.h"
#endif

namespace {

using VerifyScreenSavePwdProc = BOOL(WINAPI *)(HWND);
using EnableImeProc = BOOL(WINAPI *)(HWND, BOOL);

// The preview steps once a second, whatever the settings say.
constexpr DWORD kPreviewInterval = 1000;
// How long the end waits for the worker to finish a step it is in.
constexpr DWORD kWorkerStopBound = 3000;

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

TScreenSaverForm::TScreenSaverForm(HWND previewHost, const SaverSettings &settings)
    : previewHost_(previewHost), settings_(settings), Image1(Application.Instance()) {
  Color = RGB(0, 0, 0);
}

TScreenSaverForm::~TScreenSaverForm() {
  StopWorker();
}

void TScreenSaverForm::AdjustWindowParams(TCreateParams &p) {
  p.Caption = "ScreenSaverForm";
  p.ClassName = "TScreenSaverForm";
  p.Background = nullptr;
  if (Previewing()) {
    p.Style = WS_CHILD | WS_VISIBLE | WS_DISABLED;
    p.ExStyle = WS_EX_CONTROLPARENT;
    p.WndParent = previewHost_;
    p.ClassStyle = CS_PARENTDC;
  } else {
    // Not maximized: the system would fit a maximized window to one monitor.
    p.ExStyle |= WS_EX_TOPMOST;
  }
}

void TScreenSaverForm::FormCreate() {
  MouseMoves = 0;
  Left = 0;
  Top = 0;
  if (Previewing()) {
    RECT r = {};
    GetWindowRect(previewHost_, &r);
    Width = r.right - r.left;
    Height = r.bottom - r.top;
  } else {
    desktop_ = ReadDesktop();
    Left = desktop_.Screen.Left;
    Top = desktop_.Screen.Top;
    Width = desktop_.Screen.Width();
    Height = desktop_.Screen.Height();
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
  StartPuzzles(window);

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
  if (!Previewing())
    Close();
}

void TScreenSaverForm::FormMouseDown(UINT) {
  if (!Previewing())
    Close();
}

void TScreenSaverForm::FormMouseMove() {
  if (MouseMoves <= 3)
    ++MouseMoves;
  else if (!Previewing())
    Close();
}

bool TScreenSaverForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
  if (msg == WM_SYSCOMMAND)
    return HandleSysCommand(wp, result);
  if (msg == WM_PAINT) {
    Paint();
    result = 0;
    return true;
  }
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
  if (Previewing() || PlatformId == VER_PLATFORM_WIN32_NT)
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
  if (worker_)
    worker_->RequestStop();
  Closed = true;
  if (PlatformId == VER_PLATFORM_WIN32_WINDOWS)
    SetScreenSaverRunning(false);
  ShowCursor(TRUE);
}

void TScreenSaverForm::SetScreenSaverRunning(bool running) {
  UINT previous = 0;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

// The first problem is made here, from the clock, once the window has its size: it is never
// shown, it only gives the first question the place it erases. Full screen draws at the
// scale the settings give, or else the one the screen's pixels per inch give as far as the
// puzzle fits the smallest monitor it goes on; on the primary monitor or each monitor in
// turn. The preview draws at scale 1 in the whole window, as it always has; its text follows
// the one rule for text at a scale, 19 pixels high for the label.
void TScreenSaverForm::StartPuzzles(HWND window) {
  const ProblemRules rules = RulesFromSettings(settings_, Previewing());
  std::vector<TBox> areas;
  TScale scale;
  if (Previewing()) {
    RECT r = {};
    GetWindowRect(window, &r);
    areas.push_back({0, 0, r.right - r.left, r.bottom - r.top});
  } else {
    areas = PuzzleAreas(desktop_, settings_.Monitors == 1);
    if (settings_.Scale != 0) {
      scale.Mul = settings_.Scale;
    } else {
      // The narrowest width and the lowest height, which may be two monitors' (one turned
      // upright): whatever monitor a puzzle goes on, it fits.
      int width = areas.front().Width(), height = areas.front().Height();
      for (const TBox &a : areas) {
        width = std::min(width, a.Width());
        height = std::min(height, a.Height());
      }
      scale = FitScale(ScaleForDpi(ScreenPixelsPerInch()), width, height, settings_.ShowCounts,
                       settings_.ShowSplits);
    }
  }
  TRandom random{ClockSeed()};
#ifdef VELKORIN_TEST_PROBES
  random.RandomSeed = ProbeSeed(random.RandomSeed);
#endif
  puzzle_ = std::make_unique<TPuzzle>(rules, random, std::move(areas), scale, settings_.ShowCounts,
                                     settings_.ShowSplits);
  dc_ = WindowDc(window);
  surface_ = std::make_unique<TSurface>(dc_.get());
  canvas_ = std::make_unique<TGdiCanvas>(*surface_, Image1);
  worker_ = std::make_unique<TScreenSaverThread>([this] { return PuzzleStep(); });
}

// On the UI thread, handed over by the worker.
DWORD TScreenSaverForm::PuzzleStep() {
#ifdef VELKORIN_TEST_PROBES
  const int phase = puzzle_->Phase();
  ProbeBeforeStep();
#endif
  puzzle_->Step(*canvas_);
#ifdef VELKORIN_TEST_PROBES
  ProbeAfterStep(phase, puzzle_->Box().Left, puzzle_->Box().Top);
#endif
  if (Previewing())
    return kPreviewInterval;
  const SaverSettings defaults;
  return static_cast<DWORD>(puzzle_->Phase() == 1
                                ? IntervalOrDefault(settings_.SleepTime, defaults.SleepTime)
                                : IntervalOrDefault(settings_.SleepTime2, defaults.SleepTime2));
}

// Whatever covered the window (a password box, the preview host's own painting) is gone:
// black again, and the puzzle as the last steps left it.
void TScreenSaverForm::Paint() {
  const PaintDc dc(Handle());
  if (!dc)
    return;
  TSurface surface(dc.get());
  surface.SetBrushColor(RGB(0, 0, 0));
  const RECT &area = dc.Area();
  surface.FillRect(area.left, area.top, area.right, area.bottom);
  if (!puzzle_)
    return;
  TGdiCanvas canvas(surface, Image1);
  puzzle_->Redraw(canvas);
}

// A worker that does not end within the bound is left to the process's end: deleting it
// would wait for ever.
void TScreenSaverForm::StopWorker() {
  if (!worker_)
    return;
  if (!worker_->Join(kWorkerStopBound))
    static_cast<void>(worker_.release());
  worker_.reset();
}
