// The saver started as its own process in every mode, watched from outside: its windows,
// what the screen shows, how it reacts to input, and its exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

#include "driver.h"
#include "e2e_util.h"
#include "screen.h"

namespace {

constexpr DWORD kStart = 20000;  // a cold Wine may take a while to show the first window
constexpr DWORD kEnd = 10000;
const char kSaverClass[] = "TScreenSaverForm";
const char kDesktop[] = "Control Panel\\desktop";
const char kTestKey[] = "Software\\VelkorinTest";

// The system's "a screen saver runs" flag, read by a fresh process (see spi_probe.cpp).
bool SaverRunningFlag() {
  SaverProcess probe("", WindowsPathOf(VELKORIN_SPI_PROBE_PATH));
  DWORD code = 0;
  return probe.WaitExit(kEnd, code) && code == 1;
}

bool CursorShowing() {
  CURSORINFO ci = {};
  ci.cbSize = sizeof ci;
  return GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

int ScreenW() {
  return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenH() {
  return GetSystemMetrics(SM_CYSCREEN);
}

// Expects that the process is still running after a bounded wait for it to end.
void ExpectStaysOpen(SaverProcess &saver, DWORD ms = 600) {
  DWORD code;
  EXPECT_FALSE(saver.WaitExit(ms, code)) << "the saver ended, exit code " << code;
}

void ExpectEndsWith(SaverProcess &saver, DWORD expected, DWORD ms = kEnd) {
  DWORD code = 12345;
  ASSERT_TRUE(saver.WaitExit(ms, code)) << "the saver did not end";
  EXPECT_EQ(expected, code);
}

// A full-screen saver with its window found and shown.
struct FullScreen {
  explicit FullScreen(const std::string &settings = IntervalSettings(1000, 1000),
                      const std::string &args = "/s", const std::string &exe = SaverPath())
      : file(settings), saver(args, exe) {
    window = saver.FindWindow(kSaverClass, kStart);
  }
  SettingsFileScope file;
  SaverProcess saver;
  HWND window = nullptr;
};

// A host window for previews, owned by this test.
class PreviewHost {
 public:
  PreviewHost(int x, int y, int w, int h) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    // Blue, a colour no tile uses, so the saver's drawing can be told from the host's.
    wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
    wc.lpszClassName = "VelkorinTestHost";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "host",
                            WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr,
                            wc.hInstance, nullptr);
    UpdateWindow(hwnd_);
  }
  ~PreviewHost() {
    if (IsWindow(hwnd_))
      DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }
  std::string Arg() const {
    return std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(hwnd_)));
  }
  void Destroy() { DestroyWindow(hwnd_); }

 private:
  HWND hwnd_ = nullptr;
};

// Polls the screen until a question (13 tiles, no answer yet) is shown; then until its
// answer is shown. Returns false when either does not come within the bound.
bool NextQuestion(const PuzzleReader &reader, SeenPuzzle &q, DWORD ms, const SeenPuzzle *after) {
  return PollUntil(
      [&] {
        SeenPuzzle p;
        if (!reader.Read(CaptureScreen(), p) || p.AnswerShown)
          return false;
        if (after && p.HandX == after->HandX && p.HandY == after->HandY && p.Hand == after->Hand)
          return false;
        q = p;
        return true;
      },
      ms);
}

bool AnswerOf(const PuzzleReader &reader, const SeenPuzzle &q, SeenPuzzle &a, DWORD ms) {
  return PollUntil(
      [&] {
        SeenPuzzle p;
        if (!reader.Read(CaptureScreen(), p) || !p.AnswerShown)
          return false;
        if (p.HandX != q.HandX || p.HandY != q.HandY || p.Hand != q.Hand)
          return false;
        if (!p.NoneShown && p.Answer.empty())
          return false;  // the answer tiles are still being drawn
        a = p;
        return true;
      },
      ms);
}

std::vector<int> RanksOf(const std::vector<SeenTile> &tiles) {
  std::vector<int> r;
  for (const SeenTile &t : tiles)
    r.push_back(t.Rank);
  return r;
}

}  // namespace

// ---- full screen -------------------------------------------------------------------

TEST(FullScreen, TopmostBorderlessBlackWindowOverTheWholeScreen) {
  FullScreen fs(IntervalSettings(60000, 60000));
  ASSERT_NE(nullptr, fs.window);
  EXPECT_TRUE(GetWindowLongPtrA(fs.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  LONG_PTR style = GetWindowLongPtrA(fs.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT r;
  GetWindowRect(fs.window, &r);
  EXPECT_EQ(0, r.left);
  EXPECT_EQ(0, r.top);
  EXPECT_EQ(ScreenW(), r.right);
  EXPECT_EQ(ScreenH(), r.bottom);
  // Black except for one puzzle of at most 453 x 125 pixels.
  Screenshot shot;
  ASSERT_TRUE(PollUntil(
      [&] {
        shot = CaptureScreen();
        int other = 0;
        for (int y = 0; y < shot.Height; y += 4)
          for (int x = 0; x < shot.Width; x += 4)
            other += shot.At(x, y) != RGB(0, 0, 0);
        return other > 0 && other <= (453 / 4 + 1) * (125 / 4 + 1);
      },
      kStart));
  // The taskbar entry (the application window) is hidden.
  char cls[64];
  HWND owner = GetWindow(fs.window, GW_OWNER);
  ASSERT_NE(nullptr, owner);
  GetClassNameA(owner, cls, sizeof cls);
  EXPECT_FALSE(IsWindowVisible(owner)) << cls;
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
}

TEST(FullScreen, HidesTheCursorWhileItRunsAndShowsItAgain) {
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  EXPECT_TRUE(PollUntil([] { return !CursorShowing(); }, kEnd));
  PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
  ExpectEndsWith(fs.saver, 0);
  EXPECT_TRUE(PollUntil([] { return CursorShowing(); }, kEnd));
}

TEST(FullScreen, FourMouseMovesDoNothingTheFifthCloses) {
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  for (int i = 0; i < 4; ++i)
    PostMessageA(fs.window, WM_MOUSEMOVE, 0, MAKELPARAM(10 + i, 10));
  ExpectStaysOpen(fs.saver);
  PostMessageA(fs.window, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  ExpectEndsWith(fs.saver, 0);
}

TEST(FullScreen, RealMouseMovementCloses) {
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  for (int i = 0; i < 20 && fs.saver.Running(); ++i) {
    MoveMouseTo(100 + 7 * i, 100 + 5 * i);
    PollUntil([&] { return !fs.saver.Running(); }, 100);
  }
  ExpectEndsWith(fs.saver, 0);
}

TEST(FullScreen, KeysAndButtonsClose) {
  struct Input {
    const char *name;
    std::function<void()> send;
  };
  const Input inputs[] = {
      {"a letter", [] { SendKey('A'); }},
      {"Alt alone", [] { SendKey(VK_MENU); }},
      {"F10", [] { SendKey(VK_F10); }},
      {"left button", [] { ClickAt(300, 300); }},
      {"right button", [] { ClickAt(300, 300, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
  };
  for (const Input &in : inputs) {
    SCOPED_TRACE(in.name);
    MoveMouseTo(300, 300);  // before the start: no movement once it runs
    FullScreen fs;
    ASSERT_NE(nullptr, fs.window);
    ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == fs.window; }, kStart));
    in.send();
    ExpectEndsWith(fs.saver, 0);
  }
}

TEST(FullScreen, ScreenSaveCommandIsAnsweredWithOne) {
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  DWORD_PTR result = 0;
  ASSERT_TRUE(
      SendMessageTimeoutA(fs.window, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_BLOCK, 5000, &result));
  EXPECT_EQ(1u, result);
  ExpectStaysOpen(fs.saver);
  // Other commands still get the default handling: SC_CLOSE becomes a close request.
  PostMessageA(fs.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectEndsWith(fs.saver, 0);
}

TEST(FullScreen, ClosesAtOnceOnAKeyWithIntervalsOfZero) {
  FullScreen fs(IntervalSettings(0, 0));
  ASSERT_NE(nullptr, fs.window);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == fs.window; }, kStart));
  SendKey('K');
  ExpectEndsWith(fs.saver, 0, 5000);
}

// ---- puzzles ------------------------------------------------------------------------

TEST(Puzzles, QuestionsAndAnswersAsAPersonSeesThem) {
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(1000, 1000, 1, 2));
  ASSERT_NE(nullptr, fs.window);
  SeenPuzzle previous;
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    SeenPuzzle q, a;
    ASSERT_TRUE(NextQuestion(reader, q, kStart, round ? &previous : nullptr));
    ASSERT_EQ(13u, q.Hand.size());
    EXPECT_TRUE(std::is_sorted(q.Hand.begin(), q.Hand.end())) << Describe(q.Hand);
    EXPECT_GE(q.HandX, 0);
    EXPECT_GE(q.HandY, 0);
    EXPECT_LE(q.HandX + 453, ScreenW());
    EXPECT_LE(q.HandY + 125, ScreenH());
    ASSERT_TRUE(AnswerOf(reader, q, a, 5000));
    const std::vector<int> waits = WaitsOf(q.Hand);
    EXPECT_EQ(Describe(waits), a.NoneShown ? "None" : Describe(RanksOf(a.Answer)))
        << "hand " << Describe(q.Hand);
    if (round > 0) {
      // Nothing of the previous puzzle is left outside the new one's area.
      Screenshot shot = CaptureScreen();
      for (int y = previous.HandY; y < previous.HandY + 125; ++y)
        for (int x = previous.HandX; x < previous.HandX + 453; ++x) {
          bool inNew = x >= q.HandX && x < q.HandX + 453 && y >= q.HandY && y < q.HandY + 125;
          if (!inNew) {
            ASSERT_EQ(RGB(0, 0, 0), shot.At(x, y)) << x << "," << y;
          }
        }
    }
    previous = a;
  }
}

TEST(Puzzles, UnsortedHandsKeepTheirDrawnOrder) {
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(200, 200, 0, 2));
  ASSERT_NE(nullptr, fs.window);
  int unsorted = 0;
  SeenPuzzle q, prev;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(NextQuestion(reader, q, kStart, i ? &prev : nullptr));
    unsorted += !std::is_sorted(q.Hand.begin(), q.Hand.end());
    prev = q;
  }
  // Thirteen random tiles come out ascending by chance about once in millions of hands.
  EXPECT_GT(unsorted, 0);
}

TEST(Puzzles, NoAnsRateFortyAlwaysNoneAndZeroNever) {
  PuzzleReader reader;
  for (int rate : {40, 0}) {
    SCOPED_TRACE(rate);
    FullScreen fs(IntervalSettings(300, 300, 1, rate));
    ASSERT_NE(nullptr, fs.window);
    SeenPuzzle q, a, prev;
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(NextQuestion(reader, q, kStart, i ? &prev : nullptr));
      ASSERT_TRUE(AnswerOf(reader, q, a, 5000));
      EXPECT_EQ(rate == 40, a.NoneShown) << Describe(q.Hand);
      EXPECT_EQ(rate == 40, WaitsOf(q.Hand).empty());
      prev = q;
    }
  }
}

TEST(Puzzles, AnErrorInAStepEndsTheProgramWithExitCodeOne) {
  EnvScope fault("VELKORIN_FAULT_AT_STEP", "3");
  FullScreen fs(IntervalSettings(100, 100), "/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  ASSERT_NE(nullptr, fs.window);
  HWND box = fs.saver.FindWindow("#32770", kStart);
  ASSERT_NE(nullptr, box);
  wchar_t text[512] = {}, caption[128] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  GetWindowTextW(box, caption, 128);
  EXPECT_EQ(std::wstring(L"Velkorin stopped because of an error: injected fault."), text);
  EXPECT_EQ(std::wstring(L"velkorin_probe"), caption);  // the title comes from the file name
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ExpectEndsWith(fs.saver, 1);
}

// ---- preview ------------------------------------------------------------------------

TEST(Preview, DisabledChildOfTheHostThatInputDoesNotClose) {
  SettingsFileScope file(IntervalSettings(60000, 60000));
  PreviewHost host(600, 500, 152, 112);
  SaverProcess saver("/p " + host.Arg());
  HWND child = saver.FindWindow(kSaverClass, kStart, host.hwnd());
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(host.hwnd(), GetParent(child));
  LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  EXPECT_EQ(static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE | WS_DISABLED), style);
  RECT h, c;
  GetWindowRect(host.hwnd(), &h);
  GetWindowRect(child, &c);
  EXPECT_EQ(h.left, c.left);
  EXPECT_EQ(h.top, c.top);
  EXPECT_EQ(h.right - h.left, c.right - c.left);
  EXPECT_EQ(h.bottom - h.top, c.bottom - c.top);

  PostMessageA(child, WM_KEYDOWN, 'A', 0);
  PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  for (int i = 0; i < 8; ++i)
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(i, i));
  PostThreadMessageA(GetWindowThreadProcessId(child, nullptr), WM_QUIT, 0, 0);
  ExpectStaysOpen(saver);
  EXPECT_TRUE(IsWindow(child));

  PostMessageA(child, WM_CLOSE, 0, 0);
  ExpectEndsWith(saver, 0);
}

TEST(Preview, EndsWhenItsHostIsDestroyed) {
  SettingsFileScope file(IntervalSettings(1000, 1000));
  PreviewHost host(600, 500, 152, 112);
  SaverProcess saver("/p " + host.Arg());
  ASSERT_NE(nullptr, saver.FindWindow(kSaverClass, kStart, host.hwnd()));
  host.Destroy();
  ExpectEndsWith(saver, 0);
}

TEST(Preview, WaitsInsteadOfSpinning) {
  SettingsFileScope file(IntervalSettings(60000, 60000));
  PreviewHost host(600, 500, 152, 112);
  SaverProcess saver("/p " + host.Arg());
  ASSERT_NE(nullptr, saver.FindWindow(kSaverClass, kStart, host.hwnd()));
  // Let start-up settle, then measure over three seconds of pacing.
  PollUntil([] { return false; }, 1000);
  const double before = saver.CpuMilliseconds();
  PollUntil([] { return false; }, 3000);
  const double used = saver.CpuMilliseconds() - before;
  std::cout << "preview CPU: " << used << " ms over 3000 ms\n";
  EXPECT_LT(used, 300.0) << "the preview keeps a processor busy";
}

// Wine does not show what a process draws into a child of another process's window, so
// the preview's pacing and placement are read from the test build's step log instead.
TEST(Preview, PacesAtOneSecondWhateverTheFileSaysAndPlacesInTheUpperLeftQuarter) {
  const std::string log = WindowsFilePath("temp\\velkorin-steps.log");
  DeleteFileIfAny(log);
  EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
  SettingsFileScope file(IntervalSettings(60000, 60000));
  PreviewHost host(500, 400, 152, 112);
  SaverProcess saver("/p " + host.Arg(), WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  HWND child = saver.FindWindow(kSaverClass, kStart, host.hwnd());
  ASSERT_NE(nullptr, child);
  std::vector<StepRecord> steps;
  ASSERT_TRUE(PollUntil([&] { return (steps = ReadStepLog(log)).size() >= 5; }, kStart));
  PostMessageA(child, WM_CLOSE, 0, 0);
  ExpectEndsWith(saver, 0);
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(static_cast<int>(i % 2), steps[i].Phase) << i;
    if (i > 0) {
      DWORD gap = steps[i].Tick - steps[i - 1].Tick;
      EXPECT_GE(gap, 900u) << i;
      EXPECT_LE(gap, 3000u) << i;
    }
    if (steps[i].Phase == 0) {  // a question step: the place of the hand it drew
      EXPECT_LT(steps[i].HandX, 152 / 2);
      EXPECT_LT(steps[i].HandY, 112 / 2);
    }
  }
  DeleteFileIfAny(log);
}

TEST(Preview, WithoutAUsableHostEndsAtOnce) {
  for (const char *args : {"/p", "/p 12ab", "/p 0", "/p 305419896", "/p $FFFFFFFFF"}) {
    SCOPED_TRACE(args);
    SaverProcess saver(args);
    ExpectEndsWith(saver, 0, kStart);
  }
}

// ---- Windows 9x password path ---------------------------------------------------------

class Windows98 : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteRegValue(HKEY_CURRENT_USER, kTestKey, "Calls");
    WriteRegDword(HKEY_CURRENT_USER, kTestKey, "Answer", 0);
  }
  void TearDown() override {
    DeleteRegValue(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword");
    DeleteRegValue(HKEY_CURRENT_USER, kTestKey, "Calls");
  }
  DWORD Calls() { return ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Calls").value_or(0); }
  Windows98Scope version;
};

TEST_F(Windows98, WithoutAPasswordClosesAtOnce) {
  SystemFileScope cpl(VELKORIN_FAKE_PASSWORD_PATH, "PASSWORD.CPL");
  WriteRegDword(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", 0);
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  // Windows 9x is told that a saver runs, and told again when it ends.
  EXPECT_TRUE(PollUntil([] { return SaverRunningFlag(); }, kEnd));
  PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
  ExpectEndsWith(fs.saver, 0);
  EXPECT_EQ(0u, Calls());
  EXPECT_FALSE(SaverRunningFlag());
}

TEST_F(Windows98, RefusedPasswordKeepsTheSaverAcceptedOneEndsIt) {
  SystemFileScope cpl(VELKORIN_FAKE_PASSWORD_PATH, "PASSWORD.CPL");
  WriteRegDword(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", 1);
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  // Four moves first: without a fresh count after the refusal, one more move would ask again.
  for (int i = 0; i < 4; ++i)
    PostMessageA(fs.window, WM_MOUSEMOVE, 0, MAKELPARAM(i, i));
  ExpectStaysOpen(fs.saver);
  const DWORD before = Calls();
  PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
  ASSERT_TRUE(PollUntil([&] { return Calls() == before + 1; }, kEnd));
  ExpectStaysOpen(fs.saver);
  // Count the moves it takes to ask again. Showing and hiding the cursor around the prompt
  // may make the system report one move of its own, so four or five.
  int moves = 0;
  while (Calls() == before + 1 && moves < 8) {
    PostMessageA(fs.window, WM_MOUSEMOVE, 0, MAKELPARAM(20 + moves, 20));
    ++moves;
    PollUntil([&] { return Calls() > before + 1; }, 300);
  }
  EXPECT_GE(moves, 4);
  EXPECT_LE(moves, 5);
  EXPECT_TRUE(fs.saver.Running());
  WriteRegDword(HKEY_CURRENT_USER, kTestKey, "Answer", 1);
  PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
  ExpectEndsWith(fs.saver, 0);
}

TEST_F(Windows98, MissingVerifierOrOddValueClosesWithoutACheck) {
  // No PASSWORD.CPL in the system directory at all.
  WriteRegDword(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", 1);
  {
    FullScreen fs;
    ASSERT_NE(nullptr, fs.window);
    PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
    ExpectEndsWith(fs.saver, 0);
  }
  // A value that is not a 4-byte number means no password.
  SystemFileScope cpl(VELKORIN_FAKE_PASSWORD_PATH, "PASSWORD.CPL");
  WriteRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", "1");
  FullScreen fs;
  ASSERT_NE(nullptr, fs.window);
  PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
  ExpectEndsWith(fs.saver, 0);
  EXPECT_EQ(0u, Calls());
}

TEST(WindowsNT, NeverAsksForAPassword) {
  SystemFileScope cpl(VELKORIN_FAKE_PASSWORD_PATH, "PASSWORD.CPL");
  WriteRegDword(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", 1);
  DeleteRegValue(HKEY_CURRENT_USER, kTestKey, "Calls");
  {
    FullScreen fs;
    ASSERT_NE(nullptr, fs.window);
    EXPECT_FALSE(SaverRunningFlag());  // only Windows 9x is told
    PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
    ExpectEndsWith(fs.saver, 0);
  }
  EXPECT_FALSE(ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Calls").has_value());
  DeleteRegValue(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword");
}

// ---- password change ------------------------------------------------------------------

TEST(PasswordChange, EndsWithOrWithoutTheSystemFunction) {
  // Wine's own MPR.DLL has no PwdChangePasswordA.
  for (const char *args : {"/a 100", "/a"}) {
    SaverProcess saver(args);
    ExpectEndsWith(saver, 0, kStart);
  }
}

TEST(PasswordChange, CallsTheSystemFunctionWithTheParent) {
  const char overrides[] = "Software\\Wine\\AppDefaults\\velkorin.scr\\DllOverrides";
  WriteRegString(HKEY_CURRENT_USER, overrides, "mpr", "native");
  {
    SystemFileScope mpr(VELKORIN_FAKE_MPR_PATH, "MPR.DLL");
    DeleteRegValue(HKEY_CURRENT_USER, kTestKey, "Provider");
    SaverProcess saver("/A $64");
    ExpectEndsWith(saver, 0, kStart);
  }
  DeleteRegValue(HKEY_CURRENT_USER, overrides, "mpr");
  EXPECT_EQ("SCRSAVE", ReadRegString(HKEY_CURRENT_USER, kTestKey, "Provider").value_or(""));
  EXPECT_EQ(100u, ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Parent").value_or(~0u));
  EXPECT_EQ(0u, ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Rest").value_or(~0u));
}
