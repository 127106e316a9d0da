#pragma once

// Objects described as one readable line each, so that a test compares a
// whole level at once and a failure shows every field.

#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <locale>
#include <sstream>
#include <string>
#include <vector>

inline std::string describe(const GameObject& o) {
  std::ostringstream s;
  s.imbue(std::locale::classic());
  s.precision(17);
  const auto* platform = dynamic_cast<const Platform*>(&o);
  const auto* monster = dynamic_cast<const Monster*>(&o);
  switch (o.getType()) {
  case GameObject::PLATFORM:
    s << "platform";
    break;
  case GameObject::SPAWN_POINT:
    s << "spawn";
    break;
  case GameObject::GOAL_AREA:
    s << "goal";
    break;
  case GameObject::MONSTER:
    s << "monster";
    break;
  default:
    s << "type " << static_cast<int>(o.getType());
  }
  s << ' ' << o.getX() << ' ' << o.getY() << ' ' << o.getWidth() << ' ' << o.getHeight();
  if (platform) {
    s << " kind " << static_cast<int>(platform->getPlatformType());
  }
  if (monster) {
    s << " hp " << monster->getCurrentHp() << '/' << monster->getMaxHp();
  }
  // The class must match the type: a platform line makes a Platform.
  if ((o.getType() == GameObject::PLATFORM) != (platform != nullptr) ||
      (o.getType() == GameObject::MONSTER) != (monster != nullptr)) {
    s << " WRONG CLASS";
  }
  if (o.isSelected()) {
    s << " selected";
  }
  if (!o.isActive()) {
    s << " inactive";
  }
  return s.str();
}

inline std::vector<std::string> describe(const Level& level) {
  std::vector<std::string> lines;
  for (const auto& o : level.objects) {
    lines.push_back(describe(*o));
  }
  return lines;
}
