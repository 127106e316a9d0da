#include "audio/SoundPlayer.h"

#include "common/ResourceRoot.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstring>

namespace {

// In GameEvent order.
constexpr const char* FILES[] = {
    "jump", "wall-jump", "land",      "shot",        "shot-hit", "monster-died", "hurt",
    "died", "completed", "menu-move", "menu-choose", "saved",    "save-failed",
};

// The sounds' own format, so that loading converts nothing where the device
// takes it as it is. 512 frames, 23 ms, keep a jump in step with its frame.
constexpr int FREQUENCY = 22050;
constexpr int CHANNELS = 1;
constexpr int BUFFER_FRAMES = 512;
// Sounds that may overlap: a burst of shots and their hits over a landing.
constexpr int VOICES = 16;

} // namespace

static_assert(std::size(FILES) == static_cast<std::size_t>(GameEvent::SAVE_FAILED) + 1,
              "one sound for each game event");

void SoundPlayer::ChunkFree::operator()(Mix_Chunk* chunk) const {
  Mix_FreeChunk(chunk);
}

SoundPlayer::SoundPlayer(const ResourceRoot& root) {
  open = openAudio() && loadSounds(root);
  if (!open) {
    closeAudio();
  }
}

SoundPlayer::~SoundPlayer() {
  closeAudio();
}

bool SoundPlayer::silent(const std::string& reason) {
  std::printf("No sound: %s\n", reason.c_str());
  std::fflush(stdout);
  return false;
}

bool SoundPlayer::openAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
    return silent(std::string("no audio device (") + SDL_GetError() + ")");
  }
  audioStarted = true;
  char driver[32] = "";
  // The dummy driver accepts any format and throws the samples away.
  if (SDL_AudioDriverName(driver, sizeof driver) && std::strcmp(driver, "dummy") == 0) {
    return silent("the audio driver is dummy");
  }
  if (Mix_OpenAudio(FREQUENCY, AUDIO_S16SYS, CHANNELS, BUFFER_FRAMES) < 0) {
    return silent(std::string("cannot open audio (") + Mix_GetError() + ")");
  }
  Mix_AllocateChannels(VOICES);
  return true;
}

bool SoundPlayer::loadSounds(const ResourceRoot& root) {
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const std::string file = "/Sounds/" + std::string(FILES[i]) + ".wav";
    chunks[i].reset(Mix_LoadWAV(root.createPath(file).c_str()));
    if (!chunks[i]) {
      return silent("cannot load " + file);
    }
  }
  return true;
}

void SoundPlayer::closeAudio() {
  if (open) {
    Mix_HaltChannel(-1);
  }
  // The chunks go while the mixer still runs: freeing one waits for the
  // audio thread to let go of it.
  for (auto& chunk : chunks) {
    chunk.reset();
  }
  if (audioStarted) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  audioStarted = false;
  open = false;
}

void SoundPlayer::play(GameEvent event) {
  if (open && enabled) {
    Mix_PlayChannel(-1, chunks[static_cast<std::size_t>(event)].get(), 0);
  }
}

void SoundPlayer::setEnabled(bool on) {
  enabled = on;
  if (open && !on) {
    Mix_HaltChannel(-1);
  }
}
