#include "GameProcess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<char*> cArgs(std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (auto& a : argv) {
    args.push_back(a.data());
  }
  args.push_back(nullptr);
  return args;
}

} // namespace

int runCommand(const std::vector<std::string>& argvIn, std::string* output) {
  std::vector<std::string> argv = argvIn;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    return -1;
  }
  const pid_t child = fork();
  if (child < 0) {
    return -1;
  }
  if (child == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    auto args = cArgs(argv);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(pipeFds[1]);
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<size_t>(n));
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (output) {
    *output = text;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<int> Screenshot::at(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return {rgb.at(i), rgb.at(i + 1), rgb.at(i + 2)};
}

void enableMetaKey() {
  static bool done = false;
  if (!done) {
    // Meta_L only on its own key, so xdotool presses that key for it and the
    // game sees a Meta key, not Alt.
    runCommand({"xmodmap", "-e", "keycode 64 = Alt_L", "-e", "keycode 108 = Alt_R", "-e",
                "keycode 205 = Meta_L", "-e", "clear mod1", "-e", "clear mod3", "-e",
                "add mod1 = Alt_L Alt_R", "-e", "add mod3 = Meta_L"});
    done = true;
  }
}

GameProcess::GameProcess() {
  std::string templ = (fs::temp_directory_path() / "clamber-e2e-XXXXXX").string();
  if (!mkdtemp(templ.data())) {
    throw std::runtime_error("mkdtemp failed");
  }
  base = templ;
  // A space in the folder's name keeps the game honest about paths.
  folder = base / "game folder";
  fs::create_directories(folder);
  fs::copy_file(CLAMBER_BINARY, folder / "clamber");
  fs::copy(CLAMBER_SOURCE_RESOURCES, folder / "resources", fs::copy_options::recursive);
}

GameProcess::~GameProcess() {
  if (pid > 0 && !status) {
    kill(pid, SIGKILL);
    int ignored;
    waitpid(pid, &ignored, 0);
  }
  std::error_code ignored;
  fs::remove_all(base, ignored);
}

void GameProcess::writeResource(const std::string& relative, const std::string& content) const {
  const fs::path file = resources() / relative;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

std::string GameProcess::readResource(const std::string& relative) const {
  return slurp(resources() / relative);
}

namespace {

std::vector<std::string> gameWindows() {
  std::string found;
  runCommand({"xdotool", "search", "--onlyvisible", "--name", "^Clamber$"}, &found);
  std::vector<std::string> ids;
  std::istringstream lines(found);
  for (std::string id; lines >> id;) {
    ids.push_back(id);
  }
  return ids;
}

} // namespace

void GameProcess::start(bool wait) {
  // Windows of games that ended a moment ago may still be listed.
  const std::vector<std::string> before = gameWindows();
  const std::string out = (base / "stdout").string();
  const std::string err = (base / "stderr").string();
  // Started from another working directory: the game must find its
  // resources beside its executable.
  pid = fork();
  if (pid < 0) {
    throw std::runtime_error("fork failed");
  }
  if (pid == 0) {
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(o, STDOUT_FILENO);
    dup2(e, STDERR_FILENO);
    if (chdir("/") != 0) {
      _exit(126);
    }
    const std::string exe = (folder / "clamber").string();
    execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (!wait) {
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (window.empty() && std::chrono::steady_clock::now() < deadline && running()) {
    for (const auto& id : gameWindows()) {
      if (std::find(before.begin(), before.end(), id) == before.end()) {
        window = id;
      }
    }
    if (window.empty()) {
      std::this_thread::sleep_for(50ms);
    }
  }
  if (window.empty()) {
    throw std::runtime_error("the game window did not appear");
  }
  // Without a window manager the keyboard focus follows the pointer.
  moveMouse(320, 240);
  settle(300ms);
}

bool GameProcess::running() {
  if (status) {
    return false;
  }
  int raw = 0;
  if (waitpid(pid, &raw, WNOHANG) == pid) {
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return false;
  }
  return true;
}

std::optional<int> GameProcess::waitExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  return status;
}

std::string GameProcess::output() const {
  return slurp(base / "stdout");
}

std::string GameProcess::errors() const {
  return slurp(base / "stderr");
}

bool GameProcess::waitForOutput(const std::string& text, std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (output().find(text) != std::string::npos) {
      return true;
    }
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

void GameProcess::xdotool(std::vector<std::string> args) {
  args.insert(args.begin(), "xdotool");
  if (runCommand(args) != 0) {
    throw std::runtime_error("xdotool failed: " + args.at(1));
  }
}

void GameProcess::key(const std::string& name) {
  // Pressed and released in separate frames, as a person would.
  keyDown(name);
  settle(60ms);
  keyUp(name);
  settle(60ms);
}

void GameProcess::keyDown(const std::string& name) {
  xdotool({"keydown", name});
}

void GameProcess::keyUp(const std::string& name) {
  xdotool({"keyup", name});
}

void GameProcess::moveMouse(int x, int y) {
  xdotool({"mousemove", "--window", window, std::to_string(x), std::to_string(y)});
  settle(60ms);
}

void GameProcess::click(int button) {
  mouseDown(button);
  settle(60ms);
  mouseUp(button);
  settle(60ms);
}

void GameProcess::mouseDown(int button) {
  xdotool({"mousedown", std::to_string(button)});
}

void GameProcess::mouseUp(int button) {
  xdotool({"mouseup", std::to_string(button)});
}

void GameProcess::settle(std::chrono::milliseconds time) {
  std::this_thread::sleep_for(time);
}

Screenshot GameProcess::screenshot() {
  const std::string file = (base / "shot.ppm").string();
  if (runCommand({"/usr/bin/import", "-window", window, "-depth", "8", file}) != 0) {
    throw std::runtime_error("import failed");
  }
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Screenshot shot;
  in >> magic >> shot.width >> shot.height >> maxValue;
  in.get();
  if (magic != "P6" || maxValue != 255) {
    throw std::runtime_error("unexpected screenshot format");
  }
  shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
  in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
  return shot;
}

void GameProcess::closeWindow() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    throw std::runtime_error("no X display");
  }
  const Window target = std::stoul(window);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, target, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}
