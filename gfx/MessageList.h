#pragma once

#include "gfx/FloatingText.h"

#include <string>
#include <vector>

// The game's messages at the top left of the window, newest lowest in the
// list and drawn last, each fading out over its two seconds.
class MessageList {
public:
  static constexpr int X = 5;
  static constexpr int Y = 20;
  static constexpr int DURATION_MS = 2000;

  void add(const std::string& text) { texts.emplace_back(X, Y, text, DURATION_MS, true); }
  // Ages every message and drops those whose time is up.
  void update(int ms);
  // Window coordinates.
  void draw() const;
  // Oldest first.
  const std::vector<FloatingText>& get() const { return texts; }

private:
  std::vector<FloatingText> texts;
};
