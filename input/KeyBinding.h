#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <string_view>

class KeyState;

// Action names ("up", "jump", ...) bound to keys, answered by asking the
// KeyState whether the bound key is held.
class KeyBinding {
public:
  explicit KeyBinding(const KeyState* keyState);

  // Binds name to key, replacing an earlier binding of that name.
  void bind(const std::string& name, SDLKey key);
  // Whether the bound key, or with pad the gamepad, holds the action. False
  // for a name with no binding; never creates one.
  bool check(std::string_view name, bool pad = true) const;
  const KeyState* getKeyState() const { return keyState; }

private:
  const KeyState* keyState;
  std::map<std::string, SDLKey, std::less<>> bindings;
};
