#include "gfx/NamePrompt.h"
#include "support/Events.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One key on a fresh prompt. The character comes from the unicode field
// when SDL filled it in, else from the key. s with a caron, U+0161, has the
// low byte of 'a': cut to a byte before the check, it would pass as a letter.
TEST(NamePrompt, KeysTypeOnlyFileNameCharactersUpToTheLimit) {
  const std::string full(NamePrompt::MAX_LENGTH, 'n');
  const std::string oneShort(NamePrompt::MAX_LENGTH - 1, 'n');
  const struct {
    const char* what;
    std::string before;
    SDLKey key;
    Uint16 unicode;
    std::string after;
    NamePrompt::Result result;
  } rows[] = {{"upper case", "ab", SDLK_c, 'C', "abC", NamePrompt::EDITING},
              {"key without unicode", "ab", SDLK_c, 0, "abc", NamePrompt::EDITING},
              {"digit", "ab", SDLK_7, '7', "ab7", NamePrompt::EDITING},
              {"minus", "ab", SDLK_MINUS, '-', "ab-", NamePrompt::EDITING},
              {"underscore", "ab", SDLK_MINUS, '_', "ab_", NamePrompt::EDITING},
              {"slash", "ab", SDLK_SLASH, '/', "ab", NamePrompt::EDITING},
              {"dot", "ab", SDLK_PERIOD, '.', "ab", NamePrompt::EDITING},
              {"space", "ab", SDLK_SPACE, ' ', "ab", NamePrompt::EDITING},
              {"e acute", "ab", SDLK_WORLD_73, 0xE9, "ab", NamePrompt::EDITING},
              {"s caron", "ab", SDLK_UNKNOWN, 0x161, "ab", NamePrompt::EDITING},
              {"F1", "ab", SDLK_F1, 0, "ab", NamePrompt::EDITING},
              {"backspace", "ab", SDLK_BACKSPACE, '\b', "a", NamePrompt::EDITING},
              {"backspace on nothing", "", SDLK_BACKSPACE, '\b', "", NamePrompt::EDITING},
              {"last character", oneShort, SDLK_n, 'n', full, NamePrompt::EDITING},
              {"one too many", full, SDLK_x, 'x', full, NamePrompt::EDITING},
              {"return", "ab", SDLK_RETURN, '\r', "ab", NamePrompt::CONFIRMED},
              {"escape", "ab", SDLK_ESCAPE, 27, "ab", NamePrompt::CANCELLED}};
  for (const auto& row : rows) {
    NamePrompt prompt("Save as:", row.before);
    SDL_Event event = keyDownEvent(row.key);
    event.key.keysym.unicode = row.unicode;
    EXPECT_EQ(prompt.keyDown(event), row.result) << row.what;
    EXPECT_EQ(prompt.getText(), row.after) << row.what;
  }
}

} // namespace
