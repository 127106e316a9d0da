#include "Replay.h"

#include "app/Application.h"
#include "gfx/FloatingText.h"
#include "support/Events.h"
#include "support/GLWindow.h"
#include "world/World.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The SDL key a script names, or SDLK_UNKNOWN.
SDLKey replayKey(const std::string& name) {
  const char c = name.empty() ? '\0' : name[0];
  if (name.size() == 1 && ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
    // SDL 1.2 names these keys by their ASCII codes.
    return static_cast<SDLKey>(c);
  }
  const std::pair<const char*, SDLKey> named[] = {
      {"space", SDLK_SPACE}, {"return", SDLK_RETURN}, {"escape", SDLK_ESCAPE}, {"up", SDLK_UP},
      {"down", SDLK_DOWN},   {"left", SDLK_LEFT},     {"right", SDLK_RIGHT}};
  for (const auto& [word, key] : named) {
    if (name == word) {
      return key;
    }
  }
  return SDLK_UNKNOWN;
}

// A whole word of decimal digits, optionally signed, within [low, high].
bool toInt(const std::string& word, int& value, int low, int high) {
  const char* last = word.data() + word.size();
  const auto [end, error] = std::from_chars(word.data(), last, value);
  return error == std::errc() && end == last && value >= low && value <= high;
}

bool showing(const World& world, const char* text) {
  const std::vector<FloatingText>& texts = world.getFloatingTexts();
  return std::any_of(texts.begin(), texts.end(),
                     [text](const FloatingText& t) { return t.getText() == text; });
}

} // namespace

std::optional<Replay> parseReplay(const std::string& text, std::string* error) {
  Replay replay;
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  const auto fail = [&](const std::string& why) {
    if (error) {
      *error = "line " + std::to_string(lineNumber) + ": " + why;
    }
    return std::nullopt;
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    std::istringstream words(line.substr(0, line.find('#')));
    const std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.empty()) {
      continue;
    }
    if (w[0] == "ms") {
      if (replay.frameMs != 0 || w.size() != 2 || !toInt(w[1], replay.frameMs, 1, 1000)) {
        return fail("'ms' takes one positive number of milliseconds, once");
      }
      continue;
    }
    if (replay.frameMs == 0) {
      return fail("the script must start with an 'ms' line");
    }
    ReplayEvent event;
    const int lastFrame = replay.events.empty() ? 0 : replay.events.back().frame;
    if (!toInt(w[0], event.frame, lastFrame, 1 << 30)) {
      return fail("frame number from " + std::to_string(lastFrame) + " on expected, got '" + w[0] +
                  "'");
    }
    const std::string action = w.size() > 1 ? w[1] : "";
    if (action == "keydown" || action == "keyup") {
      event.kind = action == "keydown" ? ReplayEvent::KEY_DOWN : ReplayEvent::KEY_UP;
      event.a = w.size() == 3 ? replayKey(w[2]) : SDLK_UNKNOWN;
      if (event.a == SDLK_UNKNOWN) {
        return fail(action + " takes one key name");
      }
    } else if (action == "mousemove") {
      // SDL 1.2 reports the pointer as unsigned 16-bit window pixels.
      event.kind = ReplayEvent::MOUSE_MOVE;
      if (w.size() != 4 || !toInt(w[2], event.a, 0, 0xffff) || !toInt(w[3], event.b, 0, 0xffff)) {
        return fail("mousemove takes two window coordinates");
      }
    } else if (action == "mousedown" || action == "mouseup") {
      event.kind = action == "mousedown" ? ReplayEvent::MOUSE_DOWN : ReplayEvent::MOUSE_UP;
      if (w.size() != 3 || !toInt(w[2], event.a, 1, 255)) {
        return fail(action + " takes one button number");
      }
    } else {
      return fail("unknown action '" + action + "'");
    }
    replay.events.push_back(event);
  }
  if (replay.frameMs == 0) {
    return fail("no 'ms' line");
  }
  return replay;
}

ReplayOutcome playReplay(World& world, KeyState& keyState, const Replay& replay, int maxFrames,
                         const std::function<void(int)>& afterFrame) {
  ReplayOutcome outcome;
  std::size_t next = 0;
  // Button events carry the pointer where the last motion left it.
  Uint16 mouseX = 0;
  Uint16 mouseY = 0;
  for (int frame = 0; frame < maxFrames && outcome.completedAt < 0; ++frame) {
    for (; next < replay.events.size() && replay.events[next].frame <= frame; ++next) {
      const ReplayEvent& e = replay.events[next];
      SDL_Event event;
      if (e.kind == ReplayEvent::KEY_DOWN || e.kind == ReplayEvent::KEY_UP) {
        event = keyEvent(e.kind == ReplayEvent::KEY_DOWN ? SDL_KEYDOWN : SDL_KEYUP,
                         static_cast<SDLKey>(e.a));
      } else if (e.kind == ReplayEvent::MOUSE_MOVE) {
        mouseX = static_cast<Uint16>(e.a);
        mouseY = static_cast<Uint16>(e.b);
        event = motionEvent(mouseX, mouseY);
      } else {
        event =
            buttonEvent(e.kind == ReplayEvent::MOUSE_DOWN ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP,
                        static_cast<Uint8>(e.a), mouseX, mouseY);
      }
      Application::dispatchEvent(world, keyState, event);
    }
    world.update(replay.frameMs);
    if (afterFrame) {
      afterFrame(frame);
    }
    outcome.died = outcome.died || showing(world, "You are dead!");
    if (showing(world, "Level Complete!")) {
      outcome.completedAt = frame;
    }
  }
  return outcome;
}

ShippedLevelRun::ShippedLevelRun(const std::string& levelFile) {
  GLWindow::ensure();
  for (const std::string& file : shippedLevelFiles()) {
    fs::copy_file(shippedLevelsFolder() / file, resources.path() / "Levels" / file);
  }
  resources.write("Levels/loadlevel.txt", levelFile + "\n");
  gameWorld = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keys, resources.resourceRoot());
}

ShippedLevelRun::~ShippedLevelRun() = default;

std::string levelNameOf(const std::string& levelFile) {
  return levelFile.substr(0, levelFile.find(".data"));
}

std::string testNameOf(const std::string& levelFile) {
  std::string name = levelNameOf(levelFile);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

fs::path shippedLevelsFolder() {
  return fs::path(CLAMBER_SOURCE_RESOURCES) / "Levels";
}

std::vector<std::string> shippedLevelFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(shippedLevelsFolder(), error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.ends_with(".data")) {
      files.push_back(name);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}
