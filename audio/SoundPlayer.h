#pragma once

#include "common/GameEvent.h"

#include <array>
#include <memory>
#include <string>

class ResourceRoot;
struct Mix_Chunk;

// The game's sound effects: one short sound for each GameEvent, loaded from
// Sounds/ of the resource folder when the player is made. Without a sound
// device, with an audio driver that plays nothing or with a sound file
// missing the game goes on silently: the player says so in one line on
// standard output and plays nothing.
class SoundPlayer {
public:
  // Opens audio (video must be set up already) and loads every sound.
  explicit SoundPlayer(const ResourceRoot& root);
  // Stops what plays and closes audio.
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Starts the sound of the event over whatever else plays.
  void play(GameEvent event);
  // Switching off also stops the sounds still playing.
  void setEnabled(bool on);
  bool isEnabled() const { return enabled; }
  // False when the game plays silently whatever the switch says.
  bool isOpen() const { return open; }

private:
  struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const;
  };
  static constexpr std::size_t SOUNDS = static_cast<std::size_t>(GameEvent::SAVE_FAILED) + 1;

  // Prints why there is no sound; false, for the caller to return.
  static bool silent(const std::string& reason);
  bool openAudio();
  bool loadSounds(const ResourceRoot& root);
  void closeAudio();

  bool audioStarted = false;
  bool open = false;
  bool enabled = true;
  std::array<std::unique_ptr<Mix_Chunk, ChunkFree>, SOUNDS> chunks;
};
