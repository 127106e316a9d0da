#pragma once

#include <SDL.h>

#include <cstddef>
#include <string>

// A one-line prompt for a level name. Only letters, digits, '-' and '_' can
// be typed, so the name is always a plain file name: no folder separators,
// no dots, no spaces. The prompt only edits and answers; its owner decides
// what the name is for and whether to accept it.
class NamePrompt {
public:
  enum Result : int { EDITING = 0, CONFIRMED = 1, CANCELLED = 2 };
  static constexpr std::size_t MAX_LENGTH = 32;

  NamePrompt(std::string title, std::string initialText);

  // Typed characters come from keysym.unicode when it is non-zero (SDL's
  // unicode translation is on in the game), else from keysym.sym when that
  // is a printable ASCII code. Allowed characters are appended while the
  // text is shorter than MAX_LENGTH; every other character is ignored.
  // Backspace deletes the last character. Return answers CONFIRMED and
  // Escape CANCELLED, leaving the text as it is; anything else EDITING.
  Result keyDown(const SDL_Event& event);
  const std::string& getText() const { return text; }
  // Window coordinates, centred in the 640-pixel window: the title over a
  // field with the text and a caret after it. A text wider than the field
  // shows its end, after "...". Sets the colour and the raster position;
  // binds nothing and leaves the matrices alone.
  void draw() const;

private:
  // Recomputes what the field shows, so that drawing allocates nothing.
  void fitText();

  std::string title;
  std::string text;
  // The text as the field shows it.
  std::string shown;
};
