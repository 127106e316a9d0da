#include "Replay.h"

#include "app/Application.h"
#include "gfx/FloatingText.h"
#include "support/Events.h"
#include "support/GLWindow.h"
#include "world/World.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const COMPLETE_TEXT = "Level Complete!";
const char* const DEAD_TEXT = "You are dead!";

struct NamedKey {
  std::string_view name;
  SDLKey key;
};

constexpr std::array<NamedKey, 7> NAMED_KEYS{{
    {"space", SDLK_SPACE},
    {"return", SDLK_RETURN},
    {"escape", SDLK_ESCAPE},
    {"up", SDLK_UP},
    {"down", SDLK_DOWN},
    {"left", SDLK_LEFT},
    {"right", SDLK_RIGHT},
}};

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> result;
  std::string word;
  while (in >> word) {
    result.push_back(word);
  }
  return result;
}

// A whole word of decimal digits, optionally signed; nothing else.
bool toInt(const std::string& word, int& value) {
  const char* first = word.data();
  const char* last = word.data() + word.size();
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

bool fail(std::string* error, int lineNumber, const std::string& why) {
  if (error) {
    *error = "line " + std::to_string(lineNumber) + ": " + why;
  }
  return false;
}

// One "<frame> <action> ..." statement into event.
bool parseEvent(const std::vector<std::string>& w, int lineNumber, ReplayEvent& event,
                std::string* error) {
  if (!toInt(w[0], event.frame) || event.frame < 0) {
    return fail(error, lineNumber, "frame number expected, got '" + w[0] + "'");
  }
  if (w.size() < 2) {
    return fail(error, lineNumber, "action expected after the frame number");
  }
  const std::string& action = w[1];
  if (action == "keydown" || action == "keyup") {
    event.kind = action == "keydown" ? ReplayEvent::KEY_DOWN : ReplayEvent::KEY_UP;
    if (w.size() != 3) {
      return fail(error, lineNumber, action + " takes one key name");
    }
    event.key = replayKey(w[2]);
    if (event.key == SDLK_UNKNOWN) {
      return fail(error, lineNumber, "unknown key '" + w[2] + "'");
    }
    return true;
  }
  if (action == "mousemove") {
    event.kind = ReplayEvent::MOUSE_MOVE;
    // SDL 1.2 reports the pointer as unsigned 16-bit window pixels.
    if (w.size() != 4 || !toInt(w[2], event.x) || !toInt(w[3], event.y) || event.x < 0 ||
        event.y < 0 || event.x > 0xffff || event.y > 0xffff) {
      return fail(error, lineNumber, "mousemove takes two window coordinates");
    }
    return true;
  }
  if (action == "mousedown" || action == "mouseup") {
    event.kind = action == "mousedown" ? ReplayEvent::MOUSE_DOWN : ReplayEvent::MOUSE_UP;
    if (w.size() != 3 || !toInt(w[2], event.button) || event.button < 1 || event.button > 255) {
      return fail(error, lineNumber, action + " takes one button number");
    }
    return true;
  }
  return fail(error, lineNumber, "unknown action '" + action + "'");
}

bool showing(const World& world, const char* text) {
  const std::vector<FloatingText>& texts = world.getFloatingTexts();
  return std::any_of(texts.begin(), texts.end(),
                     [text](const FloatingText& t) { return t.getText() == text; });
}

} // namespace

SDLKey replayKey(const std::string& name) {
  if (name.size() == 1) {
    const char c = name[0];
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      // SDL 1.2 names these keys by their ASCII codes.
      return static_cast<SDLKey>(c);
    }
    return SDLK_UNKNOWN;
  }
  for (const NamedKey& named : NAMED_KEYS) {
    if (named.name == name) {
      return named.key;
    }
  }
  return SDLK_UNKNOWN;
}

std::optional<Replay> parseReplay(const std::string& text, std::string* error) {
  Replay replay;
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  bool haveMs = false;
  while (std::getline(in, line)) {
    ++lineNumber;
    const std::size_t hash = line.find('#');
    if (hash != std::string::npos) {
      line.erase(hash);
    }
    const std::vector<std::string> w = words(line);
    if (w.empty()) {
      continue;
    }
    if (w[0] == "ms") {
      if (haveMs) {
        fail(error, lineNumber, "a second 'ms' line");
        return std::nullopt;
      }
      if (w.size() != 2 || !toInt(w[1], replay.frameMs) || replay.frameMs <= 0) {
        fail(error, lineNumber, "'ms' takes one positive number of milliseconds");
        return std::nullopt;
      }
      haveMs = true;
      continue;
    }
    if (!haveMs) {
      fail(error, lineNumber, "the script must start with an 'ms' line");
      return std::nullopt;
    }
    ReplayEvent event;
    if (!parseEvent(w, lineNumber, event, error)) {
      return std::nullopt;
    }
    if (!replay.events.empty() && event.frame < replay.events.back().frame) {
      fail(error, lineNumber,
           "frame " + std::to_string(event.frame) + " comes after frame " +
               std::to_string(replay.events.back().frame));
      return std::nullopt;
    }
    replay.events.push_back(event);
  }
  if (!haveMs) {
    fail(error, lineNumber, "no 'ms' line");
    return std::nullopt;
  }
  return replay;
}

ReplayOutcome playReplay(World& world, KeyState& keyState, const Replay& replay, int maxFrames,
                         const std::function<void(int)>& afterFrame) {
  ReplayOutcome outcome;
  std::size_t next = 0;
  // Button events carry the pointer where the last motion left it.
  int mouseX = 0;
  int mouseY = 0;
  for (int frame = 0; frame < maxFrames; ++frame) {
    for (; next < replay.events.size() && replay.events[next].frame <= frame; ++next) {
      const ReplayEvent& event = replay.events[next];
      switch (event.kind) {
      case ReplayEvent::KEY_DOWN:
        Application::dispatchEvent(world, keyState, keyEvent(SDL_KEYDOWN, event.key));
        break;
      case ReplayEvent::KEY_UP:
        Application::dispatchEvent(world, keyState, keyEvent(SDL_KEYUP, event.key));
        break;
      case ReplayEvent::MOUSE_MOVE:
        mouseX = event.x;
        mouseY = event.y;
        Application::dispatchEvent(
            world, keyState, motionEvent(static_cast<Uint16>(mouseX), static_cast<Uint16>(mouseY)));
        break;
      case ReplayEvent::MOUSE_DOWN:
        Application::dispatchEvent(
            world, keyState,
            buttonEvent(SDL_MOUSEBUTTONDOWN, static_cast<Uint8>(event.button),
                        static_cast<Uint16>(mouseX), static_cast<Uint16>(mouseY)));
        break;
      case ReplayEvent::MOUSE_UP:
        Application::dispatchEvent(world, keyState,
                                   buttonEvent(SDL_MOUSEBUTTONUP, static_cast<Uint8>(event.button),
                                               static_cast<Uint16>(mouseX),
                                               static_cast<Uint16>(mouseY)));
        break;
      }
    }
    world.update(replay.frameMs);
    outcome.framesRun = frame + 1;
    if (afterFrame) {
      afterFrame(frame);
    }
    if (showing(world, DEAD_TEXT)) {
      outcome.died = true;
    }
    if (showing(world, COMPLETE_TEXT)) {
      outcome.completedAt = frame;
      break;
    }
  }
  return outcome;
}

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

fs::path shippedLevelsFolder() {
  return fs::path(CLAMBER_SOURCE_RESOURCES) / "Levels";
}

std::vector<std::string> shippedLevelFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(shippedLevelsFolder(), error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() > 5 && name.ends_with(".data")) {
      files.push_back(name);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

ShippedLevelRun::ShippedLevelRun() {
  fs::copy_file(shippedLevelsFolder() / "loadlevel.txt",
                resources.path() / "Levels" / "loadlevel.txt");
  start();
}

ShippedLevelRun::ShippedLevelRun(const std::string& levelFile) {
  resources.write("Levels/loadlevel.txt", levelFile + "\n");
  start();
}

void ShippedLevelRun::start() {
  GLWindow::ensure();
  for (const std::string& file : shippedLevelFiles()) {
    fs::copy_file(shippedLevelsFolder() / file, resources.path() / "Levels" / file);
  }
  gameWorld = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keys);
}

ShippedLevelRun::~ShippedLevelRun() = default;

ReplayOutcome ShippedLevelRun::play(const Replay& replay, int maxFrames,
                                    const std::function<void(int)>& afterFrame) {
  return playReplay(*gameWorld, keys, replay, maxFrames, afterFrame);
}
