#pragma once

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

// Writes what a player does to a replay file while the game runs: one line
// an event, "FRAME keydown d", "FRAME keyup space", "FRAME mousemove X Y",
// "FRAME click", and "FRAME end" when the game quits. Frames count from 0;
// an event is written with the frame whose update it comes before. While
// recording, every frame is a fixed 16 ms update started on a 16 ms beat of
// the real clock, so the same lines played back one frame at a time reach
// the same state.
class ReplayRecorder {
public:
  static constexpr int FRAME_MS = 16;

  // Null, with the reason on standard error, when the file cannot be
  // created.
  static std::unique_ptr<ReplayRecorder> create(const std::string& path);
  ~ReplayRecorder();
  ReplayRecorder(const ReplayRecorder&) = delete;
  ReplayRecorder& operator=(const ReplayRecorder&) = delete;

  // Waits for the next frame's start on the beat; returns its update's
  // milliseconds.
  int beginFrame();
  // Writes the event when it is one a replay holds: a letter or space key
  // (without Ctrl, Alt or Meta, which make shortcuts; a key goes up in the
  // file only after it went down there), pointer motion, the left button
  // going down.
  void record(const SDL_Event& event);
  // Writes the end line and closes the file; false (reported on standard
  // error) when any write failed.
  bool finish();

private:
  ReplayRecorder(std::FILE* file, std::string path);
  // Every line is flushed at once: a game killed mid-way leaves what was
  // played, and a full disk is found at the line it could not take.
  void write(const char* format, ...) __attribute__((format(printf, 2, 3)));

  std::FILE* file;
  std::string path;
  bool failed = false;
  // The letters a to z, then space, that the file has down.
  bool down[27] = {};
  int frame = -1;
  Uint32 start = 0;
};
