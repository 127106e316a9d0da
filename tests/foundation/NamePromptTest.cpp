// A level name can only be a plain file name: no folders, no dots, no
// spaces, nothing beyond ASCII, at most MAX_LENGTH characters.

#include "gfx/NamePrompt.h"
#include "support/Events.h"

#include <gtest/gtest.h>

namespace {

// One key on a prompt. The character is the unicode field's when SDL filled
// it in, else the key's; s with a caron, U+0161, has the low byte of 'a'.
TEST(NamePrompt, KeysTypeOnlyFileNameCharactersUpToTheLimit) {
  const std::string full(NamePrompt::MAX_LENGTH, 'n');
  const NamePrompt::Result E = NamePrompt::EDITING;
  const std::tuple<std::string, SDLKey, Uint16, std::string, NamePrompt::Result> rows[] = {
      {"ab", SDLK_c, 'C', "abC", E},
      {"ab", SDLK_c, 0, "abc", E},
      {"ab", SDLK_7, '7', "ab7", E},
      {"ab", SDLK_MINUS, '-', "ab-", E},
      {"ab", SDLK_MINUS, '_', "ab_", E},
      {"ab", SDLK_SLASH, '/', "ab", E},
      {"ab", SDLK_PERIOD, '.', "ab", E},
      {"ab", SDLK_SPACE, ' ', "ab", E},
      {"ab", SDLK_UNKNOWN, 0x161, "ab", E},
      {"ab", SDLK_BACKSPACE, '\b', "a", E},
      {"", SDLK_BACKSPACE, '\b', "", E},
      {full, SDLK_x, 'x', full, E},
      {"ab", SDLK_RETURN, '\r', "ab", NamePrompt::CONFIRMED},
      {"ab", SDLK_ESCAPE, 27, "ab", NamePrompt::CANCELLED}};
  for (const auto& [before, key, unicode, after, result] : rows) {
    NamePrompt prompt("Save as:", before);
    SDL_Event event = keyDownEvent(key);
    event.key.keysym.unicode = unicode;
    EXPECT_EQ(prompt.keyDown(event), result) << SDL_GetKeyName(key) << " " << unicode;
    EXPECT_EQ(prompt.getText(), after) << SDL_GetKeyName(key) << " " << unicode;
  }
}

} // namespace
