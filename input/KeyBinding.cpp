#include "input/KeyBinding.h"

#include "input/KeyState.h"

KeyBinding::KeyBinding(const KeyState* keyState) : keyState(keyState) {}

void KeyBinding::bind(const std::string& name, SDLKey key) {
  bindings[name] = key;
}

void KeyBinding::unbind(std::string_view name) {
  const auto it = bindings.find(name);
  if (it != bindings.end()) {
    bindings.erase(it);
  }
}

bool KeyBinding::check(std::string_view name) const {
  const auto it = bindings.find(name);
  return it != bindings.end() && keyState->keyDown(it->second);
}
