// The saver started as its own process in every mode, watched from outside: its windows,
// what the screen shows, how it reacts to input, and its exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <utility>

#include "driver.h"
#include "e2e_expect.h"
#include "e2e_util.h"
#include "problem.h"
#include "screen.h"

namespace {

const char kDesktop[] = "Control Panel\\desktop";
const char kTestKey[] = "Software\\VelkorinTest";
constexpr int kLabelHeight = 19;  // the label's pixels at 96 pixels per inch

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

// Whatever covers the window (a password box, say) leaves it to be repainted: black, and
// the question and answer as they were.
TEST(Puzzles, ARepaintShowsThePuzzleAsItWas) {
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(500, 60000));
  ASSERT_NE(nullptr, fs.window);
  SeenPuzzle q, a;
  ASSERT_TRUE(NextQuestion(reader, q, kStart, nullptr));
  ASSERT_TRUE(AnswerOf(reader, q, a, kEnd));
  Screenshot before = CaptureScreen();
  ASSERT_TRUE(PollUntil(
      [&] {
        const Screenshot now = CaptureScreen();
        return std::exchange(before, now).Pixels == now.Pixels;
      },
      kEnd));
  // Sent to the saver's thread: erased and painted when this returns.
  ASSERT_TRUE(
      RedrawWindow(fs.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
  EXPECT_TRUE(before.Pixels == CaptureScreen().Pixels);
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
}

// On one monitor at 96 pixels per inch the saver shows the engine's problems for the whole
// screen, from the seed on, as it always has: the first one unshown, then one a question.
TEST(Puzzles, OneMonitorShowsTheEnginesSequenceFromTheSeed) {
  const std::string log = WindowsFilePath("temp\\velkorin-steps.log");
  DeleteFileIfAny(log);
  EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
  EnvScope seed("VELKORIN_SEED", "31415926");
  FullScreen fs(IntervalSettings(0, 0, 1, 2), "/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  ASSERT_NE(nullptr, fs.window);
  std::vector<StepRecord> steps;
  ASSERT_TRUE(PollUntil([&] { return (steps = ReadStepLog(log)).size() >= 40; }, kStart));
  PostMessageA(fs.window, WM_CLOSE, 0, 0);
  ExpectEndsWith(fs.saver, 0);
  DeleteFileIfAny(log);
  TRandom random{31415926};
  const ProblemRules rules{true, 2, ScreenW(), ScreenH(), false};
  Problem p{};
  MakeProblem(p, rules, random);
  for (size_t i = 0; i < 40; i += 2) {
    MakeProblem(p, rules, random);
    ASSERT_EQ(0, steps[i].Phase) << i;
    EXPECT_EQ(p.HandX, steps[i].HandX) << i;
    EXPECT_EQ(p.HandY, steps[i].HandY) << i;
  }
}

// The box around the pixels that are not black in [left, right) x [top, bottom); empty
// (right <= left) when all are.
RECT LitBox(const Screenshot &shot, int left, int top, int right, int bottom) {
  RECT lit = {right, bottom, left, top};
  for (int y = std::max(top, 0); y < std::min(bottom, shot.Height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, shot.Width); ++x)
      if (shot.At(x, y) != RGB(0, 0, 0)) {
        lit = {std::min<LONG>(lit.left, x), std::min<LONG>(lit.top, y),
               std::max<LONG>(lit.right, x + 1), std::max<LONG>(lit.bottom, y + 1)};
      }
  return lit;
}

bool Within(const RECT &r, int left, int top, int right, int bottom) {
  return r.left < r.right && r.left >= left && r.top >= top && r.right <= right &&
         r.bottom <= bottom;
}

// With ShowCounts=1 the answer has a row of yellow text under the tiles (125 pixels below the
// hand's top): one count under each answer tile's face, the total under the label, nothing
// right of the last tile; and nothing at all outside the grown box of 453 x 145.
TEST(Puzzles, ShowCountsWritesARowUnderEachAnswerTileInsideTheGrownBox) {
  constexpr int kRowTop = 125, kGrownHeight = 145;
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(300, 60000, 1, 0) + "ShowCounts=1\r\n");
  ASSERT_NE(nullptr, fs.window);
  SeenPuzzle a;
  std::string fault = "no answer";
  // Polled until the whole row is there: the step may still be drawing it.
  PollUntil(
      [&] {
        const Screenshot shot = CaptureScreen();
        if (!reader.Read(shot, a) || !a.AnswerShown || a.Answer.empty())
          return false;
        const int x = a.HandX, y = a.HandY, rowTop = y + kRowTop, rowEnd = y + kGrownHeight;
        fault = "";
        if (!Within(LitBox(shot, 0, 0, shot.Width, shot.Height), x, y, x + 453, rowEnd))
          fault += " lit pixels outside the grown box;";
        for (const SeenTile &t : a.Answer)
          if (!Within(LitBox(shot, t.X, rowTop, t.X + 34, shot.Height), t.X, rowTop, t.X + 32,
                      rowEnd) ||
              !PuzzleReader::YellowPixels(shot, t.X, rowTop, t.X + 32, rowEnd))
            fault += " no count under the face of the tile at x " + std::to_string(t.X) + ";";
        if (!Within(LitBox(shot, x, rowTop, x + 136, shot.Height), x + 34, rowTop, x + 136,
                    rowEnd) ||
            !PuzzleReader::YellowPixels(shot, x + 34, rowTop, x + 136, rowEnd))
          fault += " no total under the label;";
        const int past = a.Answer.back().X + 34;
        if (LitBox(shot, past, rowTop, x + 453, rowEnd).right > past)
          fault += " a count right of the last tile;";
        return fault.empty();
      },
      kStart);
  EXPECT_EQ("", fault) << "hand " << Describe(a.Hand) << " at " << a.HandX << "," << a.HandY;
  EXPECT_EQ(Describe(WaitsOf(a.Hand)), Describe(RanksOf(a.Answer)));
  EXPECT_LE(a.HandY + kGrownHeight, ScreenH());
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
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

TEST(Puzzles, AnErrorInAStepIsShownAboveTheSaverWhateverTheInputAndEndsWithOne) {
  EnvScope fault("VELKORIN_FAULT_AT_STEP", "3");
  FullScreen fs(IntervalSettings(100, 100), "/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  ExpectErrorBoxOverTheSaverThenExitCodeOne(fs, L"velkorin_probe");
}

// ---- two monitors (run by the two-monitors script on its own X server) ---------------

struct Monitors {
  RECT primary = {}, second = {};
  int count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  auto *m = reinterpret_cast<Monitors *>(lp);
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  GetMonitorInfoA(monitor, &mi);
  (mi.dwFlags & MONITORINFOF_PRIMARY ? m->primary : m->second) = mi.rcMonitor;
  ++m->count;
  return TRUE;
}

// The session may learn of the second monitor a moment after it starts.
Monitors TwoMonitors() {
  Monitors m;
  PollUntil(
      [&] {
        m = Monitors();
        EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&m));
        return m.count == 2;
      },
      kEnd);
  return m;
}

RECT VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Screenshot Capture(const RECT &r) {
  return CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The boxes of the questions shown one after another, in screen coordinates, until count
// different ones have been seen.
std::vector<RECT> QuestionBoxes(const PuzzleReader &reader, size_t count) {
  const RECT screen = VirtualScreen();
  std::vector<RECT> boxes;
  SeenPuzzle last;
  PollUntil(
      [&] {
        SeenPuzzle p;
        if (!reader.Read(Capture(screen), p) || p.AnswerShown ||
            (p.HandX == last.HandX && p.HandY == last.HandY && p.Hand == last.Hand))
          return false;
        last = p;
        const int x = screen.left + p.HandX, y = screen.top + p.HandY;
        boxes.push_back({x, y, x + 453, y + 125});
        return boxes.size() >= count;
      },
      30000);
  return boxes;
}

bool Inside(const RECT &box, const RECT &area) {
  return box.left >= area.left && box.top >= area.top && box.right <= area.right &&
         box.bottom <= area.bottom;
}

TEST(TwoMonitors, EveryMonitorBlackAndThePuzzlesOnThePrimaryByDefault) {
  const Monitors m = TwoMonitors();
  ASSERT_EQ(2, m.count) << "the display must have two monitors";
  const RECT screen = VirtualScreen();
  const int w = m.second.right - m.second.left, h = m.second.bottom - m.second.top;
  // The desktop shows on the second monitor before the saver starts.
  ASSERT_NE(RGB(0, 0, 0), Capture(m.second).At(w / 2, h / 2));
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(200, 200));
  ASSERT_NE(nullptr, fs.window);
  RECT r;
  GetWindowRect(fs.window, &r);
  EXPECT_TRUE(EqualRect(&r, &screen));
  const std::vector<RECT> boxes = QuestionBoxes(reader, 4);
  EXPECT_EQ(4u, boxes.size());
  for (const RECT &b : boxes)
    EXPECT_TRUE(Inside(b, m.primary)) << b.left << "," << b.top;
  const Screenshot second = Capture(m.second);
  int lit = 0;
  for (uint32_t p : second.Pixels)
    lit += p != 0;
  EXPECT_EQ(0, lit) << "pixels of the second monitor that are not black";
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
}

TEST(TwoMonitors, MonitorsOnePutsEachQuestionOnTheNextMonitor) {
  const Monitors m = TwoMonitors();
  ASSERT_EQ(2, m.count) << "the display must have two monitors";
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(200, 200) + "Monitors=1\r\n");
  ASSERT_NE(nullptr, fs.window);
  const std::vector<RECT> boxes = QuestionBoxes(reader, 6);
  EXPECT_EQ(6u, boxes.size());
  int onPrimary = 0, onSecond = 0;
  for (const RECT &b : boxes) {
    const bool primary = Inside(b, m.primary), second = Inside(b, m.second);
    EXPECT_TRUE(primary || second) << b.left << "," << b.top;
    onPrimary += primary;
    onSecond += second;
  }
  EXPECT_GT(onPrimary, 0);
  EXPECT_GT(onSecond, 0);
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
}

// ---- pixels per inch ------------------------------------------------------------------

// At 144 pixels per inch and more the saver draws at 2x: every face pixel a 2 x 2 block,
// the label twice its 96-dpi height and, at any scale, clear of the answer tiles.
TEST(PixelsPerInch, PuzzlesDrawAtTheWholeScaleNearestTheScreens) {
  struct Row {
    DWORD dpi;
    int scale;
  };
  PuzzleReader reader;
  for (Row r : {Row{96, 1}, Row{120, 1}, Row{144, 2}, Row{192, 2}}) {
    SCOPED_TRACE(r.dpi);
    const int s = r.scale;
    ScreenDpiScope dpi(r.dpi);
    FullScreen fs(IntervalSettings(300, 60000, 1, 0));
    ASSERT_NE(nullptr, fs.window);
    SeenPuzzle a;
    Screenshot shot;
    ASSERT_TRUE(PollUntil(
        [&] {
          shot = CaptureScreen();
          return reader.Read(shot, a, s) && a.AnswerShown && !a.Answer.empty();
        },
        kStart));
    EXPECT_EQ(Describe(WaitsOf(a.Hand)), Describe(RanksOf(a.Answer)));
    const Screenshot label = RenderLabel("Answer :", kLabelHeight * s);
    EXPECT_LT((34 * s) + label.Width, 136 * s) << "the label's box reaches the answer";
    int differ = 0;
    for (int y = 0; y < label.Height; ++y)
      for (int x = 0; x < label.Width; ++x)
        differ += IsYellow(label.At(x, y)) !=
                  IsYellow(shot.At(a.HandX + 34 * s + x, a.HandY + 76 * s + y));
    EXPECT_EQ(0, differ) << "pixels unlike the label at " << kLabelHeight * s << " pixels";
    SendKey('Q');
    ExpectEndsWith(fs.saver, 0);
  }
}

// ---- preview ------------------------------------------------------------------------

TEST(Preview, DisabledChildOfTheHostThatInputDoesNotClose) {
  PreviewRun p(IntervalSettings(60000, 60000));
  const HWND child = p.child;
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(p.host.hwnd(), GetParent(child));
  LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  EXPECT_EQ(static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE | WS_DISABLED), style);
  RECT h, c;
  GetWindowRect(p.host.hwnd(), &h);
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
  ExpectStaysOpen(p.saver);
  EXPECT_TRUE(IsWindow(child));

  PostMessageA(child, WM_CLOSE, 0, 0);
  ExpectEndsWith(p.saver, 0);
}

TEST(Preview, EndsWhenItsHostIsDestroyed) {
  PreviewRun p(IntervalSettings(1000, 1000));
  ASSERT_NE(nullptr, p.child);
  p.host.Destroy();
  ExpectEndsWith(p.saver, 0);
}

TEST(Preview, WaitsInsteadOfSpinning) {
  PreviewRun p(IntervalSettings(60000, 60000));
  ASSERT_NE(nullptr, p.child);
  // Let start-up settle, then measure over three seconds of pacing.
  PollUntil([] { return false; }, 1000);
  const double before = p.saver.CpuMilliseconds();
  PollUntil([] { return false; }, 3000);
  const double used = p.saver.CpuMilliseconds() - before;
  std::cout << "preview CPU: " << used << " ms over 3000 ms\n";
  EXPECT_LT(used, 300.0) << "the preview keeps a processor busy";
}

// Wine does not show what a process draws into a child of another process's window, so
// the preview's pacing and placement are read from the test build's step log instead.
TEST(Preview, PacesAtOneSecondWhateverTheFileSaysAndPlacesInTheUpperLeftQuarter) {
  const std::string log = WindowsFilePath("temp\\velkorin-steps.log");
  DeleteFileIfAny(log);
  EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
  PreviewRun p(IntervalSettings(60000, 60000), 500, 400, WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  ASSERT_NE(nullptr, p.child);
  std::vector<StepRecord> steps;
  ASSERT_TRUE(PollUntil([&] { return (steps = ReadStepLog(log)).size() >= 5; }, kStart));
  PostMessageA(p.child, WM_CLOSE, 0, 0);
  ExpectEndsWith(p.saver, 0);
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
