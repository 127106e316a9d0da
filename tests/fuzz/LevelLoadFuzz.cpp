// Feeds any bytes to the level parser as a level text, then checks that
// what it made survives writing and parsing unchanged and that writing it
// again gives the same bytes. In memory only: no files, no window, no GL.

#include "objects/LevelText.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <typeinfo>

namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "level fuzz: %s\n", what);
  std::abort();
}

// The same class, rectangle, flags and kind or hit points.
bool same(const GameObject& a, const GameObject& b) {
  if (typeid(a) != typeid(b) || a.getType() != b.getType() || a.getX() != b.getX() ||
      a.getY() != b.getY() || a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight() ||
      a.isActive() != b.isActive() || a.isSelected() != b.isSelected()) {
    return false;
  }
  if (typeid(a) == typeid(Platform)) {
    return static_cast<const Platform&>(a).getPlatformType() ==
           static_cast<const Platform&>(b).getPlatformType();
  }
  if (typeid(a) == typeid(Monster)) {
    const auto& ma = static_cast<const Monster&>(a);
    const auto& mb = static_cast<const Monster&>(b);
    return ma.getCurrentHp() == mb.getCurrentHp() && ma.getMaxHp() == mb.getMaxHp();
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ParsedLevel first =
      parseLevelText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& o : first.objects) {
    const GameObject& object = *o;
    if (object.getType() < GameObject::PLATFORM || object.getType() > GameObject::MONSTER) {
      fail("an object of unknown type was made");
    }
    if ((object.getType() == GameObject::PLATFORM) != (typeid(object) == typeid(Platform)) ||
        (object.getType() == GameObject::MONSTER) != (typeid(object) == typeid(Monster))) {
      fail("an object of another class than its type was made");
    }
  }
  const std::string text = levelText(first.objects);
  const ParsedLevel second = parseLevelText(text);
  if (second.skippedLines != 0) {
    fail("a written line did not parse");
  }
  if (first.objects.size() != second.objects.size()) {
    fail("the object count changed across writing and parsing");
  }
  for (std::size_t i = 0; i < first.objects.size(); ++i) {
    if (!same(*first.objects[i], *second.objects[i])) {
      fail("an object changed across writing and parsing");
    }
  }
  if (levelText(second.objects) != text) {
    fail("writing the parsed level again gave other bytes");
  }
  return 0;
}
