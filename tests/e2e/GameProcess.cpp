#include "GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

Display* display() {
  // A request about a window that is gone fails in its result rather than
  // ending the tests.
  static const std::unique_ptr<Display, decltype(&XCloseDisplay)> connection(
      (XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }), XOpenDisplay(nullptr)),
      &XCloseDisplay);
  return connection.get();
}

// Started from / with standard output into out: the game must find its
// resources beside its executable, not in the working directory.
pid_t spawn(std::vector<std::string> argv, const fs::path& out = "/dev/null") {
  std::vector<char*> args;
  for (std::string& arg : argv) {
    args.push_back(arg.data());
  }
  args.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0 &&
      (dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO) < 0 ||
       chdir("/") != 0 || execvp(args[0], args.data()) != 0)) {
    _exit(127);
  }
  if (child < 0) {
    throw std::runtime_error("fork failed");
  }
  return child;
}

int run(const std::vector<std::string>& argv, const fs::path& out = "/dev/null") {
  int raw = -1;
  waitpid(spawn(argv, out), &raw, 0);
  return raw;
}

} // namespace

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool held = done();
  while (!held && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
    held = done();
  }
  return held;
}

GameProcess::GameProcess() {
  fs::copy_file(CLAMBER_BINARY, dir.path() / "clamber");
  fs::copy(CLAMBER_SOURCE_RESOURCES, dir.path() / "resources", fs::copy_options::recursive);
}

void GameProcess::start() {
  // The virtual display's default map shares Meta_L with Alt_L; on a key of
  // its own the game sees Meta, not Alt.
  [[maybe_unused]] static const int metaKey =
      run({"xmodmap", "-e", "keycode 64 = Alt_L", "-e", "keycode 108 = Alt_R", "-e",
           "keycode 205 = Meta_L", "-e", "clear mod1", "-e", "clear mod3", "-e",
           "add mod1 = Alt_L Alt_R", "-e", "add mod3 = Meta_L"});
  status.reset();
  window = 0;
  pid = spawn({(dir.path() / "clamber").string()}, dir.path() / "output");
  const std::vector<std::string> search = {"xdotool", "search", "--onlyvisible", "--pid",
                                           std::to_string(pid)};
  if (!waitFor([&] { return run(search, dir.path() / "window") == 0 || !running(); }, 20s)) {
    throw std::runtime_error("the game window did not appear");
  }
  if (running()) {
    window = std::stoul(dir.read("window"));
    // There is no window manager to hand out the keyboard focus.
    XSetInputFocus(display(), window, RevertToPointerRoot, CurrentTime);
    moveMouse(320, 240);
  }
}

bool GameProcess::running() {
  int raw = 0;
  if (pid > 0 && !status && waitpid(pid, &raw, WNOHANG) == pid) {
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  }
  return pid > 0 && !status;
}

std::optional<int> GameProcess::waitExit(std::chrono::milliseconds timeout) {
  waitFor([&] { return !running(); }, timeout);
  return status;
}

void GameProcess::kill() {
  if (running()) {
    ::kill(pid, SIGKILL);
    waitExit();
  }
}

void GameProcess::moveMouse(int x, int y) const {
  XWarpPointer(display(), None, window, 0, 0, 0, 0, x, y);
  XSync(display(), False);
}

void GameProcess::xdotool(std::vector<std::string> args) const {
  args.insert(args.begin(), "xdotool");
  if (run(args) != 0) {
    throw std::runtime_error("xdotool " + args[1] + " failed");
  }
}

Screenshot GameProcess::screenshot() const {
  XWindowAttributes size{};
  XGetWindowAttributes(display(), window, &size);
  XImage* image = XGetImage(display(), window, 0, 0, static_cast<unsigned>(size.width),
                            static_cast<unsigned>(size.height), AllPlanes, ZPixmap);
  if (!image) {
    throw std::runtime_error("the game window is gone");
  }
  // The virtual display's depth 24 comes in 32-bit pixels, rows unpadded.
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(image->data);
  Screenshot shot{size.width, size.height, {pixels, pixels + size.width * size.height}};
  XDestroyImage(image);
  return shot;
}

std::string GameProcess::caption() const {
  char* name = nullptr;
  XFetchName(display(), window, &name);
  const std::unique_ptr<char, decltype(&XFree)> owned(name, &XFree);
  return name ? name : "";
}

void GameProcess::closeWindow() const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
  XSendEvent(display(), window, False, NoEventMask, &event);
  XFlush(display());
}
