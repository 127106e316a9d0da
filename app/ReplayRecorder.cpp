#include "app/ReplayRecorder.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <utility>

std::unique_ptr<ReplayRecorder> ReplayRecorder::create(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    std::fprintf(stderr, "clamber: cannot write the replay %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return nullptr;
  }
  return std::unique_ptr<ReplayRecorder>(new ReplayRecorder(file, path));
}

ReplayRecorder::ReplayRecorder(std::FILE* file, std::string path)
    : file(file), path(std::move(path)) {}

ReplayRecorder::~ReplayRecorder() {
  if (file != nullptr) {
    std::fclose(file);
  }
}

// The beat is kept from the first frame rather than from the last one: a
// slow frame is caught up on, so recorded frames do not drift from the
// player's clock.
int ReplayRecorder::beginFrame() {
  ++frame;
  if (frame == 0) {
    start = SDL_GetTicks();
    return FRAME_MS;
  }
  const Uint32 due = start + static_cast<Uint32>(frame * FRAME_MS);
  const Uint32 now = SDL_GetTicks();
  if (static_cast<Sint32>(due - now) > 0) {
    SDL_Delay(due - now);
  }
  return FRAME_MS;
}

void ReplayRecorder::record(const SDL_Event& event) {
  switch (event.type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP: {
    const SDLKey key = event.key.keysym.sym;
    const bool letter = key >= SDLK_a && key <= SDLK_z;
    if ((event.key.keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_META)) != 0 ||
        (!letter && key != SDLK_SPACE)) {
      return;
    }
    const bool press = event.type == SDL_KEYDOWN;
    bool& held = down[letter ? key - SDLK_a : 26];
    if (!press && !held) {
      return;
    }
    held = press;
    const char* type = press ? "keydown" : "keyup";
    if (letter) {
      write("%d %s %c\n", frame, type, static_cast<char>(key));
    } else {
      write("%d %s space\n", frame, type);
    }
    break;
  }
  case SDL_MOUSEMOTION:
    write("%d mousemove %d %d\n", frame, event.motion.x, event.motion.y);
    break;
  case SDL_MOUSEBUTTONDOWN:
    if (event.button.button == SDL_BUTTON_LEFT) {
      write("%d click\n", frame);
    }
    break;
  default:
    break;
  }
}

bool ReplayRecorder::finish() {
  write("%d end\n", frame + 1);
  if (std::fclose(std::exchange(file, nullptr)) != 0 && !failed) {
    failed = true;
    std::fprintf(stderr, "clamber: writing the replay %s failed: %s\n", path.c_str(),
                 std::strerror(errno));
  }
  return !failed;
}

void ReplayRecorder::write(const char* format, ...) {
  if (failed) {
    return;
  }
  std::va_list arguments;
  va_start(arguments, format);
  const bool written = std::vfprintf(file, format, arguments) >= 0 && std::fflush(file) == 0;
  va_end(arguments);
  if (!written) {
    failed = true;
    std::fprintf(stderr, "clamber: writing the replay %s failed: %s\n", path.c_str(),
                 std::strerror(errno));
  }
}
