// The hack as XScreenSaver runs it, on a private Xvfb: drawn puzzles read back and checked
// against the engine, repaints, resizes, and how it ends.
// GoogleTest before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "problem.h"
#include "puzzle.h"
#include "puzzle_geometry.h"
#include "canvas_scales.h"
#include "split_rows.h"
#include "screen_reader.h"
#include "x11_canvas.h"

using namespace x11_test;
using Clock = std::chrono::steady_clock;

namespace {

const char kHack[] = VELKORIN_HACK;
const char kStrip[] = VELKORIN_SOURCE_DIR "/resources/tiles.bmp";

// fontconfig keeps a little memory for the process's life on purpose.
const char kLsan[] = "LSAN_OPTIONS=print_suppressions=0:suppressions=" VELKORIN_SOURCE_DIR
                     "/tests/e2e/x11/lsan.supp";

// A child process that dies with the test, whatever ends the test.
class TChild {
 public:
  TChild(const std::vector<std::string> &args, const std::vector<std::string> &env, int outFd = -1,
         int errFd = -1) {
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (outFd >= 0)
        dup2(outFd, 1);
      if (errFd >= 0)
        dup2(errFd, 2);
      for (const std::string &e : env)
        putenv(const_cast<char *>(e.c_str()));
      std::vector<char *> argv;
      for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~TChild() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  pid_t Pid() const { return pid_; }
  // The exit status, or -1 when it has not ended within ms (or ended by a signal: -2).
  int WaitFor(int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    do {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (Clock::now() < end);
    return -1;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

// A private Xvfb for the suite; it names its display once it accepts connections. It does
// not reset when a test's last client leaves: a resetting server refuses the next test's
// connection for a moment.
class TXServer {
 public:
  TXServer() {
    int fds[2];
    if (pipe(fds) != 0)
      throw std::runtime_error("pipe");
    server_ = std::make_unique<TChild>(
        std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset",
                                 "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-nolisten",
                                 "unix"},
        std::vector<std::string>{});
    close(fds[1]);
    pollfd p = {fds[0], POLLIN, 0};
    char buffer[16] = {};
    if (poll(&p, 1, 20000) == 1 && read(fds[0], buffer, sizeof buffer - 1) > 0)
      name_ = std::string(":") + std::to_string(atoi(buffer));
    close(fds[0]);
    if (name_.empty())
      throw std::runtime_error("Xvfb did not start");
  }
  const std::string &Name() const { return name_; }

 private:
  std::unique_ptr<TChild> server_;
  std::string name_;
};

std::string StatusText(int status) {
  return status == -1   ? "still running"
         : status == -2 ? "killed by a signal"
                        : "exit " + std::to_string(status);
}

class Hack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = new TXServer(); }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    display_ = XOpenDisplay(server_->Name().c_str());
    ASSERT_NE(nullptr, display_);
    errors_ = tmpfile();
  }
  void TearDown() override {
    hack_.reset();
    if (display_)
      XCloseDisplay(display_);
    if (errors_)
      fclose(errors_);
  }

  // A window on a blue ground, so that whatever the hack leaves undrawn shows.
  Window NewWindow(int w, int h) {
    const int s = DefaultScreen(display_);
    Window win = XCreateSimpleWindow(display_, RootWindow(display_, s), 0, 0, unsigned(w),
                                     unsigned(h), 0, 0, 0x000080);
    XMapWindow(display_, win);
    XSync(display_, False);
    return win;
  }

  void Start(std::vector<std::string> args, std::vector<std::string> env = {}) {
    args.insert(args.begin(), kHack);
    env.push_back("DISPLAY=" + server_->Name());
    env.push_back(kLsan);
    started_ = Clock::now();
    hack_ = std::make_unique<TChild>(args, env, -1, fileno(errors_));
  }

  std::string Errors() {
    fflush(errors_);
    rewind(errors_);
    std::string text;
    for (int c; (c = fgetc(errors_)) != EOF;)
      text += char(c);
    return text;
  }

  // Reads the window until check accepts what shows, for at most ms; the last reading's
  // description otherwise.
  ::testing::AssertionResult Await(Window win, int ms,
                                   const std::function<std::string(const TImage &)> &check) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    std::string last;
    do {
      last = check(ReadWindow(display_, win));
      if (last.empty())
        return ::testing::AssertionSuccess();
      std::this_thread::sleep_for(std::chrono::milliseconds(15));
    } while (Clock::now() < end);
    return ::testing::AssertionFailure() << last;
  }

  // What expected shows after its last step: the question alone, or with its answer, and
  // nothing else in the window (in particular nothing of the puzzle before).
  std::function<std::string(const TImage &)> Shows(const TPuzzle &expected) const {
    return Shows(expected, faces_);
  }
  std::function<std::string(const TImage &)> Shows(const TPuzzle &expected,
                                                   const TStripFaces &faces) const {
    const Problem p = expected.Current();
    const TBox box = expected.Box();
    const bool answered = expected.Phase() == 0;
    return [=, &faces](const TImage &image) -> std::string {
      const TShownPuzzle s = ReadPuzzle(image, faces);
      const std::string got = "shows " + Describe(s);
      if (!s.Fault.empty() || s.Stray || s.Answered != answered)
        return got;
      if (s.X != box.Left || s.Y != box.Top)
        return got + "; expected the hand at " + std::to_string(box.Left) + "," +
               std::to_string(box.Top);
      TTileCounts counts = {};
      for (int i = 1; i <= HandSize; ++i)
        if (s.Hand[size_t(i - 1)] != p.Hand[i])
          return got + "; expected tile " + std::to_string(i) + " to be " +
                 std::to_string(p.Hand[i]);
        else
          ++counts[p.Hand[i]];
      if (!answered)
        return {};
      // The answer must be the waits of the hand on screen.
      TWaitSet waits = {};
      FindWaits(counts, waits);
      std::vector<int> ranks;
      for (int r = 1; r <= 9; ++r)
        if (waits[r])
          ranks.push_back(r);
      if (s.Waits != ranks || s.NoWaitShown != waits[NoWait])
        return got + "; the hand's waits are " + std::to_string(ranks.size()) + " ranks" +
               (waits[NoWait] ? " (None)" : "");
      return {};
    };
  }

  // Ends the hack with sig and expects exit status 0 within ms.
  void ExpectEndsOn(int sig, int ms) {
    const auto t0 = Clock::now();
    kill(hack_->Pid(), sig);
    const int status = hack_->WaitFor(ms);
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
    EXPECT_EQ(0, status) << StatusText(status) << " after " << took << " ms";
    RecordProperty("exit_ms", int(took));
  }

  static TXServer *server_;
  Display *display_ = nullptr;
  FILE *errors_ = nullptr;
  std::unique_ptr<TChild> hack_;
  Clock::time_point started_;
  const TStripFaces faces_{kStrip};
};

TXServer *Hack::server_ = nullptr;

const ProblemRules kDefaults{true, 2, 0, 0, false};

// The smallest box around every lit pixel.
TBox LitBox(const TImage &image) {
  TBox b{image.Width, image.Height, 0, 0};
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      if (image.At(x, y)) {
        b.Left = std::min(b.Left, x);
        b.Top = std::min(b.Top, y);
        b.Right = std::max(b.Right, x + 1);
        b.Bottom = std::max(b.Bottom, y + 1);
      }
  return b;
}

std::string Text(const TBox &b) {
  return std::to_string(b.Left) + "," + std::to_string(b.Top) + "-" + std::to_string(b.Right) +
         "," + std::to_string(b.Bottom);
}

// The expected puzzle is stepped only for its problems and places.
struct TNoCanvas : TPuzzleCanvas {
  void Fill(const TBox &, TColor) override {}
  void DrawFace(int, int, int) override {}
  void WriteText(int, int, const char *, TTextSize) override {}
};

}  // namespace

// Each step shows for a second: a shorter one can pass unseen between two screen reads on a
// busy machine, and the test would then wait for a step that has gone.
// The same seed gives the engine's hands at the engine's places, each answer the hand's
// waits, a clean ground for every new question, and a resize takes effect for the next
// question. SIGTERM ends it at once.
TEST_F(Hack, WindowIdShowsTheEnginesPuzzles) {
  Window win = NewWindow(640, 360);
  // The sanitizer's leak scan at exit takes about half a second; the other cases keep it.
  Start({"--window-id", std::to_string(win), "--seed", "20261208", "--no-answer-rate", "8",
         "--question-seconds", "1", "--answer-seconds", "1"},
        {"ASAN_OPTIONS=detect_leaks=0"});
  TPuzzle expected(ProblemRules{true, 8, 0, 0, false}, TRandom{20261208}, {{0, 0, 640, 360}});
  TNoCanvas nothing;
  for (int k = 0; k < 4; ++k) {
    expected.Step(nothing);
    ASSERT_TRUE(Await(win, 3000, Shows(expected))) << "question " << k;
    if (k == 1) {
      XResizeWindow(display_, win, 520, 300);
      XSync(display_, False);
      expected.SetAreas({{0, 0, 520, 300}});
    }
    expected.Step(nothing);
    ASSERT_TRUE(Await(win, 3000, Shows(expected))) << "answer " << k;
  }
  ExpectEndsOn(SIGTERM, 500);
  EXPECT_EQ("", Errors());
}

// XScreenSaver's way: --root with the window in XSCREENSAVER_WINDOW, in hexadecimal. An
// Expose repaints the puzzle on a ground made black again; SIGINT ends it at once.
TEST_F(Hack, RootDrawsOnXscreensaverWindowAndRepaints) {
  Window win = NewWindow(500, 300);
  char id[32];
  snprintf(id, sizeof id, "0x%lx", win);
  Start({"-root", "-seed", "7"},
        {std::string("XSCREENSAVER_WINDOW=") + id, "ASAN_OPTIONS=detect_leaks=0"});
  TPuzzle expected(kDefaults, TRandom{7}, {{0, 0, 500, 300}});
  TNoCanvas nothing;
  expected.Step(nothing);
  ASSERT_TRUE(Await(win, 3000, Shows(expected)));
  RecordProperty(
      "first_puzzle_ms",
      int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_).count()));
  XClearArea(display_, win, 0, 0, 0, 0, True);  // blue again, and an Expose
  XSync(display_, False);
  ASSERT_TRUE(Await(win, 3000, Shows(expected))) << "after the Expose";
  ExpectEndsOn(SIGINT, 500);
  EXPECT_EQ("", Errors());
}

// At the default intervals it sleeps between steps; destroying its window ends it with 0
// and nothing on stderr (here with the leak check on).
TEST_F(Hack, IdlesAtDefaultIntervalsAndEndsWithItsWindow) {
  Window win = NewWindow(800, 600);
  Start({"--window-id", std::to_string(win), "--seed", "1"});
  TPuzzle expected(kDefaults, TRandom{1}, {{0, 0, 800, 600}});
  TNoCanvas nothing;
  expected.Step(nothing);
  ASSERT_TRUE(Await(win, 5000, Shows(expected)));
  const long tick = sysconf(_SC_CLK_TCK);
  auto cpuTicks = [&] {
    std::ifstream stat("/proc/" + std::to_string(hack_->Pid()) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string f;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i)
      if (i == 14)
        utime = std::stol(f);
      else if (i == 15)
        stime = std::stol(f);
    return utime + stime;
  };
  const long before = cpuTicks();
  const auto t0 = Clock::now();
  // A measurement over a fixed span, as the question stays up 15 s.
  while (Clock::now() - t0 < std::chrono::seconds(10))
    ASSERT_EQ(-1, hack_->WaitFor(200)) << "the hack ended: " << Errors();
  const long used = cpuTicks() - before;
  const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
  const double share = 100.0 * double(used) / double(tick) / seconds;
  RecordProperty("cpu_percent", std::to_string(share));
  EXPECT_LT(share, 1.0) << used << " ticks in " << seconds << " s";
  XDestroyWindow(display_, win);
  XSync(display_, False);
  const int status = hack_->WaitFor(5000);
  EXPECT_EQ(0, status) << StatusText(status);
  EXPECT_EQ("", Errors());
}

// What it refuses at start: exit 2 with the reason for a bad argument, 1 for a display or
// window it cannot use; what it only answers ends with 0.
TEST_F(Hack, RefusesBadTargetsWithAReason) {
  const struct {
    std::vector<std::string> args, env;
    int status;
    const char *says;
  } cases[] = {
      {{"--root"}, {"XSCREENSAVER_WINDOW=0x"}, 1, "XSCREENSAVER_WINDOW is not a window id"},
      {{"--root"}, {"XSCREENSAVER_WINDOW=-12"}, 1, "'-12'"},
      {{"-root"}, {"XSCREENSAVER_WINDOW=0x1ffffffe"}, 1, "no window 0x1ffffffe (XSCREENSAVER"},
      {{"-display", ":65000"}, {}, 1, "cannot open display ':65000'"},
      {{"--version"}, {}, 0, ""},
      {{"-h"}, {}, 0, ""},
      {{"--window-id", "0x1ffffffe"}, {}, 1, "there is no window 0x1ffffffe"},
      {{"--window-id", "zero"}, {}, 2, "--window-id needs a window id"},
      {{"--question-seconds", "-3"}, {}, 2, "--question-seconds"},
  };
  for (const auto &c : cases) {
    rewind(errors_);
    ASSERT_EQ(0, ftruncate(fileno(errors_), 0));
    Start(c.args, c.env);
    const int status = hack_->WaitFor(5000);
    EXPECT_EQ(c.status, status) << c.args[0] << " " << StatusText(status);
    EXPECT_NE(std::string::npos, Errors().find(c.says)) << Errors();
  }
}

// At 192 dpi (Xft.dpi) a puzzle is twice the size, the engine's places twice as far, and
// every pixel of it stays inside the box that the next question erases.
TEST_F(Hack, DoublesAtTwiceTheDpiWithinTheErasedBox) {
  const Window root = DefaultRootWindow(display_);
  const char resources[] = "Xft.dpi:\t192\n";
  XChangeProperty(display_, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char *>(resources), sizeof resources - 1);
  Window win = NewWindow(1000, 700);
  Start({"--window-id", std::to_string(win), "--seed", "3", "--question-seconds", "1",
         "--answer-seconds", "1"});
  TPuzzle expected(kDefaults, TRandom{3}, {{0, 0, 1000, 700}}, {2, 1});
  TNoCanvas nothing;
  for (int k = 0; k < 6; ++k) {
    expected.Step(nothing);
    const TBox box = expected.Box();
    TBox want = box;
    if (expected.Phase() == 1) {  // the question: the hand's row only
      want.Right =
          box.Left + 2 * ((HandSize - 1) * PuzzleGeometry::TileStep + PuzzleGeometry::TileBoxWidth);
      want.Bottom = box.Top + 2 * PuzzleGeometry::TileBoxHeight;
    }
    EXPECT_TRUE(Await(win, 3000,
                      [&](const TImage &image) -> std::string {
                        const TBox lit = LitBox(image);
                        const bool inside = lit.Left == want.Left && lit.Top == want.Top &&
                                            lit.Right <= want.Right && lit.Bottom <= want.Bottom;
                        const bool whole = expected.Phase() == 0 ||
                                           (lit.Right == want.Right && lit.Bottom == want.Bottom);
                        return inside && whole ? ""
                                               : "lit " + Text(lit) + ", expected " + Text(want);
                      }))
        << "step " << k;
  }
  XDeleteProperty(display_, root, XA_RESOURCE_MANAGER);
  kill(hack_->Pid(), SIGTERM);
  EXPECT_EQ(0, hack_->WaitFor(5000));
  EXPECT_EQ("", Errors());
}

// The whole puzzle shows in a small window, at a reduction, and in the settings preview
// at 192 dpi, at 1x rather than the 2x that the resolution asks for.
TEST_F(Hack, ShowsTheWholePuzzleInSmallWindows) {
  struct Case {
    int w, h;
    bool hiDpi;
    TScale scale;
  };
  const Window root = DefaultRootWindow(display_);
  for (const Case &c : {Case{300, 200, false, {1, 2}}, Case{160, 120, false, {1, 3}},
                        Case{665, 373, true, {1, 1}}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const char resources[] = "Xft.dpi:\t192\n";
    if (c.hiDpi)
      XChangeProperty(display_, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char *>(resources), sizeof resources - 1);
    else
      XDeleteProperty(display_, root, XA_RESOURCE_MANAGER);
    Window win = NewWindow(c.w, c.h);
    Start({"--window-id", std::to_string(win), "--seed", "11", "--question-seconds", "1",
           "--answer-seconds", "1"});
    TPuzzle expected(kDefaults, TRandom{11}, {{0, 0, c.w, c.h}}, c.scale);
    const TStripFaces faces(kStrip, c.scale);
    TNoCanvas nothing;
    for (int k = 0; k < 4; ++k) {
      expected.Step(nothing);
      const TBox b = expected.Box();
      ASSERT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right <= c.w && b.Bottom <= c.h) << Text(b);
      ASSERT_TRUE(Await(win, 3000, Shows(expected, faces))) << "step " << k;
    }
    kill(hack_->Pid(), SIGTERM);
    EXPECT_EQ(0, hack_->WaitFor(5000));
    XDestroyWindow(display_, win);
  }
  XDeleteProperty(display_, root, XA_RESOURCE_MANAGER);
}

// The pictures at every scale and the splits, as every platform's canvas must draw them: here
// on pixmaps, which keep what is drawn whether or not they show.
TEST_F(Hack, EveryScaleAsEveryCanvasDrawsIt) {
  class TPixmapCanvas : public canvas_test::TCanvasUnderTest {
   public:
    TPixmapCanvas(Display *d, int w, int h, const TStripImage &strip)
        : display_(d),
          w_(w),
          h_(h),
          pixmap_(XCreatePixmap(d, DefaultRootWindow(d), unsigned(w), unsigned(h),
                                unsigned(DefaultDepth(d, DefaultScreen(d))))),
          canvas_(d, pixmap_, strip) {
      canvas_.Erase({0, 0, w, h});
    }
    ~TPixmapCanvas() override { XFreePixmap(display_, pixmap_); }
    TPuzzleCanvas &Canvas() override { return canvas_; }
    void Snapshot() override { image_ = ReadDrawable(display_, pixmap_, w_, h_); }
    uint32_t At(int x, int y) const override { return image_.At(x, y); }

   private:
    Display *display_;
    int w_, h_;
    Pixmap pixmap_;
    TXCanvas canvas_;
    TImage image_;
  };
  // The canvas asks a pixmap for a window's attributes, which X refuses; it then takes the
  // screen's, which are the pixmap's.
  const auto previous = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
  std::ifstream in(kStrip, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  const TStripImage strip = DecodeStripBmp(bytes.data(), bytes.size());
  const auto make = [&](int w, int h) {
    return std::make_unique<TPixmapCanvas>(display_, w, h, strip);
  };
  canvas_test::CheckEveryScale(make, strip);
  canvas_test::CheckSplits(make, strip);
  XSetErrorHandler(previous);
}
