// Exec to first frame of the real game, seen from outside as a user sees
// it. The built executable is copied with its resources into a folder of
// its own and started with fork and exec; the benchmark watches the X
// display with the Damage extension and, on each report that the game's
// window changed, reads back one pixel of the hit-point bar, which every
// first frame draws in full red. The time runs from just before fork to the
// damage report after which that pixel is red: process start, dynamic
// linking, SDL and the OpenGL context, the World (texture and first level),
// the first update and draw, the buffer swap, and the X server taking the
// frame in. The game is then asked to quit (SIGTERM, which SDL turns into a
// quit event) and waited for.

#include "support/TempDir.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double GOAL_MS = 150;
constexpr auto GIVE_UP = std::chrono::seconds(10);

// A pixel inside the hit-point bar (x 430 to 630, y 10 to 20), full red
// while the character has all its hit points, as it has on the first frame.
constexpr int PROBE_X = 530;
constexpr int PROBE_Y = 15;

// The game in a temporary folder: the executable and resources/ beside it,
// where it looks for them. Removed when the benchmark ends.
class GameCopy {
public:
  GameCopy() : root(dir.path()) {
    fs::copy_file(CLAMBER_EXECUTABLE, executable());
    fs::copy(CLAMBER_SOURCE_RESOURCES, root / "resources", fs::copy_options::recursive);
  }
  GameCopy(const GameCopy&) = delete;
  GameCopy& operator=(const GameCopy&) = delete;

  fs::path executable() const { return root / "clamber"; }
  const fs::path& folder() const { return root; }

private:
  TempDir dir{"clamber-startup-"};
  fs::path root;
};

// Windows vanish and appear while we look at them; a request on one that is
// gone must not end the benchmark.
int ignoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

class Watcher {
public:
  Watcher() {
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      throw std::runtime_error("no X display (run under xvfb-run)");
    }
    int errorBase = 0;
    if (!XDamageQueryExtension(display, &damageEventBase, &errorBase)) {
      throw std::runtime_error("the X server has no Damage extension");
    }
    XSetErrorHandler(ignoreXErrors);
    root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
  }
  ~Watcher() { XCloseDisplay(display); }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  // Starts the game and returns the milliseconds to its first frame, or
  // nothing when it did not show one in time.
  std::optional<double> timeFirstFrame(const GameCopy& game) {
    forgetWindows();
    mappedMs.reset();
    const Clock::time_point start = Clock::now();
    started = start;
    child = start_(game);
    std::optional<double> result;
    while (!result && Clock::now() - start < GIVE_UP && childRunning()) {
      if (!waitForEvents(std::chrono::milliseconds(50))) {
        continue;
      }
      while (XPending(display) > 0 && !result) {
        XEvent event;
        XNextEvent(display, &event);
        if (handle(event)) {
          result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
      }
    }
    stopChild();
    return result;
  }

  // When the last start's first window was mapped, in milliseconds from
  // the start: the part of the time spent before the game had a window.
  std::optional<double> lastMappedMs() const { return mappedMs; }

private:
  static pid_t start_(const GameCopy& game) {
    const std::string path = game.executable().string();
    const std::string folder = game.folder().string();
    const pid_t pid = fork();
    if (pid == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      if (chdir(folder.c_str()) != 0) {
        _exit(127);
      }
      execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    if (pid < 0) {
      throw std::runtime_error("fork failed");
    }
    return pid;
  }

  bool waitForEvents(std::chrono::milliseconds timeout) {
    if (XPending(display) > 0) {
      return true;
    }
    const int fd = ConnectionNumber(display);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval tv{0, static_cast<suseconds_t>(timeout.count() * 1000)};
    return select(fd + 1, &readable, nullptr, nullptr, &tv) > 0;
  }

  // True when the event shows the first frame.
  bool handle(const XEvent& event) {
    if (event.type == CreateNotify) {
      watch(event.xcreatewindow.window);
      return false;
    }
    if (event.type == MapNotify) {
      if (!mappedMs) {
        mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
      }
      return false;
    }
    if (event.type != damageEventBase + XDamageNotify) {
      return false;
    }
    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
    // Re-arm: with ReportNonEmpty the next report comes once the damage
    // left now has been taken away.
    XDamageSubtract(display, damage.damage, None, None);
    return showsFirstFrame(damage.drawable);
  }

  // A new window, top level or inside one (SDL draws into a child of its
  // top-level window): watch its changes and its own children, including
  // those made before we started watching it.
  void watch(Window window) {
    for (const Window known : windows) {
      if (known == window) {
        return;
      }
    }
    windows.push_back(window);
    XSelectInput(display, window, SubstructureNotifyMask);
    damages.push_back(XDamageCreate(display, window, XDamageReportNonEmpty));
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) != 0) {
      std::vector<Window> found(children, children + count);
      if (children != nullptr) {
        XFree(children);
      }
      for (const Window child : found) {
        watch(child);
      }
    }
  }

  bool showsFirstFrame(Drawable window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable || attributes.width <= PROBE_X ||
        attributes.height <= PROBE_Y) {
      return false;
    }
    XImage* image = XGetImage(display, window, PROBE_X, PROBE_Y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
      return false;
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    const bool fullRed = (pixel & image->red_mask) == image->red_mask &&
                         (pixel & (image->green_mask | image->blue_mask)) == 0;
    XDestroyImage(image);
    return fullRed;
  }

  void forgetWindows() {
    for (const Damage damage : damages) {
      XDamageDestroy(display, damage);
    }
    damages.clear();
    windows.clear();
    XSync(display, True);
  }

  bool childRunning() {
    int status = 0;
    if (child > 0 && waitpid(child, &status, WNOHANG) == child) {
      child = -1;
    }
    return child > 0;
  }

  void stopChild() {
    if (child <= 0) {
      return;
    }
    kill(child, SIGTERM);
    const Clock::time_point asked = Clock::now();
    while (childRunning()) {
      if (Clock::now() - asked > std::chrono::seconds(5)) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        child = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  Display* display = nullptr;
  Window root = 0;
  int damageEventBase = 0;
  std::vector<Window> windows;
  std::vector<Damage> damages;
  pid_t child = -1;
  Clock::time_point started;
  std::optional<double> mappedMs;
};

GameCopy* game = nullptr;
Watcher* watcher = nullptr;

void BM_ExecToFirstFrame(benchmark::State& state) {
  double mapped = 0;
  for (auto _ : state) {
    const std::optional<double> ms = watcher->timeFirstFrame(*game);
    if (!ms) {
      state.SkipWithError("the game showed no first frame");
      break;
    }
    state.SetIterationTime(*ms / 1000.0);
    mapped = watcher->lastMappedMs().value_or(0);
  }
  state.counters["window_mapped_ms"] = mapped;
  state.counters["goal_ms"] = GOAL_MS;
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  GameCopy copy;
  Watcher watch;
  game = &copy;
  watcher = &watch;
  // One start before the timed ones, so that every timed start finds the
  // executable, the libraries and the driver in the page cache.
  if (!watch.timeFirstFrame(copy)) {
    std::fprintf(stderr, "the game showed no first frame\n");
    return 1;
  }

  benchmark::RegisterBenchmark("BM_ExecToFirstFrame", BM_ExecToFirstFrame)
      ->Iterations(1)
      ->Repetitions(10)
      ->ReportAggregatesOnly(true)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
