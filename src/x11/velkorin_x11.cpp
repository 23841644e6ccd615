// velkorin for X11: an XScreenSaver hack. XScreenSaver starts one per monitor with the window
// to draw on, and stops it with SIGTERM.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "hack_options.h"
#include "puzzle.h"
#include "strip_image.h"
#include "x11_canvas.h"

// The bytes of resources/tiles.bmp, carried inside the program.
extern const unsigned char TilesBmp[];
extern const size_t TilesBmpSize;

namespace {

// The window of our own, for trying the hack out.
constexpr unsigned kOwnWidth = 1024, kOwnHeight = 640;

int signalPipe[2] = {-1, -1};
// Set by the error handler when a request named a window or drawable that is gone: the
// window was destroyed while we drew, which is the end of our run, not a fault.
volatile bool windowGone = false;

void OnSignal(int) {
  const int saved = errno;
  const char byte = 0;
  if (write(signalPipe[1], &byte, 1) < 0) {
    // The pipe is full: a wake-up is already pending.
  }
  errno = saved;
}

int OnXError(Display *, XErrorEvent *e) {
  if (e->error_code == BadWindow || e->error_code == BadDrawable)
    windowGone = true;
  return 0;
}

int OnXIoError(Display *) {
  static const char message[] = "velkorin: lost the connection to the X server\n";
  if (write(2, message, sizeof message - 1) < 0) {
  }
  _exit(1);
}

bool SetUpSignals() {
  if (pipe(signalPipe) != 0)
    return false;
  for (int fd : signalPipe) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, O_NONBLOCK);
  }
  struct sigaction sa = {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  return sigaction(SIGTERM, &sa, nullptr) == 0 && sigaction(SIGINT, &sa, nullptr) == 0;
}

int64_t NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000;
}

// As the Windows saver: the milliseconds since midnight UTC.
uint32_t ClockSeed() {
  timeval tv;
  gettimeofday(&tv, nullptr);
  const time_t seconds = tv.tv_sec;
  tm utc;
  gmtime_r(&seconds, &utc);
  return MillisecondsOfDay(static_cast<uint32_t>(utc.tm_hour), static_cast<uint32_t>(utc.tm_min),
                           static_cast<uint32_t>(utc.tm_sec),
                           static_cast<uint32_t>(tv.tv_usec / 1000));
}

// HiDPI desktops announce their resolution as Xft.dpi; the screen's millimetres are too
// often made up to go by.
int ScreenScale(Display *display) {
  const char *dpi = XGetDefault(display, "Xft", "dpi");
  const int value = dpi ? atoi(dpi) : 96;
  return ScaleForDpi(value > 0 && value < 10000 ? value : 96);
}

uint32_t Seed(const SaverSettings &s) {
  return s.Seed == SaverSettings::NoSeed ? ClockSeed() : static_cast<uint32_t>(s.Seed);
}

struct TTarget {
  Window Id = 0;
  bool Own = false;
  std::string Error;      // a window we cannot use
  const char *From = "";  // where its id came from, for a message
};

TTarget FindTarget(Display *display, const THackOptions &o, Atom deleteWindow) {
  TTarget t;
  if (o.Target == THackTarget::WindowId) {
    t.Id = o.WindowId;
    t.From = " (--window-id)";
  } else if (o.Target == THackTarget::Root) {
    t.Id = DefaultRootWindow(display);
    if (const char *env = getenv("XSCREENSAVER_WINDOW")) {
      uint32_t id = 0;
      if (!ReadWindowId(env, id))
        t.Error = "XSCREENSAVER_WINDOW is not a window id: " + Quoted(env);
      t.Id = id;
      t.From = " (XSCREENSAVER_WINDOW)";
    }
  } else {
    const int screen = DefaultScreen(display);
    t.Id = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kOwnWidth, kOwnHeight, 0,
                               BlackPixel(display, screen), BlackPixel(display, screen));
    t.Own = true;
    XStoreName(display, t.Id, "Velkorin");
    XClassHint hint = {const_cast<char *>("velkorin"), const_cast<char *>("Velkorin")};
    XSetClassHint(display, t.Id, &hint);
    Atom protocols[] = {deleteWindow};
    XSetWMProtocols(display, t.Id, protocols, 1);
  }
  return t;
}

class THack {
 public:
  THack(Display *display, Window window, bool own, const THackOptions &o, Atom deleteWindow,
        const TStripImage &strip)
      : display_(display),
        window_(window),
        own_(own),
        options_(o),
        deleteWindow_(deleteWindow),
        most_(ScreenScale(display)),
        area_(Area()),
        canvas_(display, window, strip),
        puzzle_(RulesFromSettings(o.Settings, false), TRandom{Seed(o.Settings)}, {area_},
                FittingScale(), o.Settings.ShowCounts, o.Settings.ShowSplits) {}

  int Run() {
    const int xfd = ConnectionNumber(display_);
    Erase();
    int64_t next = NowMs();
    for (;;) {
      while (XPending(display_)) {
        XEvent e;
        XNextEvent(display_, &e);
        if (!Handle(e))
          return 0;
      }
      if (windowGone)
        return 0;
      if (exposed_) {
        exposed_ = false;
        Erase();
        puzzle_.Redraw(canvas_);
      }
      int64_t now = NowMs();
      if (now >= next) {
        puzzle_.Step(canvas_);
        next = now +
               (puzzle_.Phase() == 1 ? options_.Settings.SleepTime : options_.Settings.SleepTime2);
      }
      XFlush(display_);
      if (XPending(display_))
        continue;
      pollfd fds[2] = {{xfd, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
      now = NowMs();
      const int64_t wait = next > now ? next - now : 0;
      if (poll(fds, 2, static_cast<int>(wait)) < 0 && errno != EINTR)
        return 1;
      if (fds[1].revents & POLLIN)
        return 0;
      if (fds[0].revents & (POLLERR | POLLHUP))
        return 0;
    }
  }

 private:
  TBox Area() {
    XWindowAttributes a = {};
    XGetWindowAttributes(display_, window_, &a);
    width_ = a.width;
    height_ = a.height;
    return TBox{0, 0, width_, height_};
  }

  void Erase() { canvas_.Erase({0, 0, width_, height_}); }

  // The scale Xft.dpi asks for, or a smaller one at which the whole puzzle fits the window.
  TScale FittingScale() const {
    return FitScale(most_, width_, height_, options_.Settings.ShowCounts,
                    options_.Settings.ShowSplits);
  }

  // false: the run is over.
  bool Handle(const XEvent &e) {
    switch (e.type) {
      case Expose:
        exposed_ = exposed_ || e.xexpose.count == 0;
        return true;
      case ConfigureNotify:
        if (e.xconfigure.window == window_ &&
            (e.xconfigure.width != width_ || e.xconfigure.height != height_)) {
          width_ = e.xconfigure.width;
          height_ = e.xconfigure.height;
          puzzle_.SetAreas({TBox{0, 0, width_, height_}});  // for the next question
          puzzle_.SetScale(FittingScale());
        }
        return true;
      case DestroyNotify:
        return e.xdestroywindow.window != window_;
      case ClientMessage:
        return !(own_ && static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow_);
      default:
        return true;
    }
  }

  Display *display_;
  Window window_;
  bool own_;
  THackOptions options_;
  Atom deleteWindow_;
  int width_ = 0, height_ = 0;
  int most_;  // the whole scale of the screen's resolution
  TBox area_;  // the window when the run started
  TXCanvas canvas_;
  TPuzzle puzzle_;
  bool exposed_ = false;
};

int RunOn(Display *display, const THackOptions &options) {
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  const TTarget target = FindTarget(display, options, deleteWindow);
  // A window we cannot draw on, whether named in the environment or on the command line,
  // is one outcome for whoever started us.
  if (!target.Error.empty()) {
    fprintf(stderr, "velkorin: %s\n", target.Error.c_str());
    return 1;
  }
  XSelectInput(display, target.Id, ExposureMask | StructureNotifyMask);
  XWindowAttributes a;
  const bool exists = XGetWindowAttributes(display, target.Id, &a);
  XSync(display, False);
  if (!exists || windowGone) {
    fprintf(stderr, "velkorin: there is no window 0x%lx%s\n", target.Id, target.From);
    return 1;
  }
  const TStripImage strip = DecodeStripBmp(TilesBmp, TilesBmpSize);
  THack hack(display, target.Id, target.Own, options, deleteWindow, strip);
  if (target.Own)
    XMapWindow(display, target.Id);
  return hack.Run();
}

}  // namespace

int main(int argc, char **argv) {
  const THackRequest request = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!request.Error.empty()) {
    fprintf(stderr, "velkorin: %s\nTry 'velkorin --help'.\n", request.Error.c_str());
    return 2;
  }
  if (request.Options.Help || request.Options.Version) {
    fputs(request.Options.Help ? HackUsage : HackVersion, stdout);
    return 0;
  }
  if (!SetUpSignals()) {
    fprintf(stderr, "velkorin: cannot set up signal handling: %s\n", strerror(errno));
    return 1;
  }
  const std::string &chosen = request.Options.Display;
  Display *display = XOpenDisplay(chosen.empty() ? nullptr : chosen.c_str());
  if (!display) {
    const char *name = chosen.empty() ? getenv("DISPLAY") : chosen.c_str();
    fprintf(stderr, "velkorin: cannot open display %s\n", Quoted(name ? name : "").c_str());
    return 1;
  }
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnXIoError);
  int status = 1;
  try {
    status = RunOn(display, request.Options);
  } catch (const std::exception &e) {
    fprintf(stderr, "velkorin: %s\n", e.what());
  }
  XCloseDisplay(display);
  return status;
}
