#pragma once

// Objects described as one readable line each, so that a test compares a
// whole level at once and a failure shows every field.

#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

inline std::string describe(const GameObject& o) {
  const char* const names[] = {"", "platform", "spawn", "goal", "monster"};
  const auto* platform = dynamic_cast<const Platform*>(&o);
  const auto* monster = dynamic_cast<const Monster*>(&o);
  std::ostringstream s;
  s.precision(17);
  s << names[o.getType()] << ' ' << o.getX() << ' ' << o.getY() << ' ' << o.getWidth() << ' '
    << o.getHeight();
  if (platform) {
    s << " kind " << platform->getPlatformType();
  }
  if (monster) {
    s << " hp " << monster->getCurrentHp() << '/' << monster->getMaxHp();
  }
  // The class must match the type: a platform line makes a Platform.
  if ((o.getType() == GameObject::PLATFORM) != (platform != nullptr) ||
      (o.getType() == GameObject::MONSTER) != (monster != nullptr)) {
    s << " WRONG CLASS";
  }
  s << (o.isSelected() ? " selected" : "") << (o.isActive() ? "" : " inactive");
  return s.str();
}

inline std::vector<std::string> describe(const std::vector<std::unique_ptr<GameObject>>& objects) {
  std::vector<std::string> lines;
  for (const auto& o : objects) {
    lines.push_back(describe(*o));
  }
  return lines;
}

inline std::vector<std::string> describe(const Level& level) {
  return describe(level.getObjects());
}
