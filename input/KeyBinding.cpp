#include "input/KeyBinding.h"

#include "input/KeyState.h"

KeyBinding::KeyBinding(const KeyState* keyState) : keyState(keyState) {}

void KeyBinding::bind(const std::string& name, SDLKey key) {
  bindings[name] = key;
}

bool KeyBinding::check(std::string_view name, bool pad) const {
  const auto it = bindings.find(name);
  return it != bindings.end() &&
         (keyState->keyDown(it->second) || (pad && keyState->getGamepad().held(name)));
}
