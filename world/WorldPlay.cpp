#include "world/World.h"

#include "actors/Character.h"
#include "actors/RectangularSector.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "objects/GameObject.h"
#include "objects/Level.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Input acceleration on the ground, in px/s^2; a fifth of it in the air and
// a tenth of it as the climbing speed, both in integer arithmetic.
constexpr int RUN_ACCELERATION = 2000;
// The camera only follows a character further than this from the centre.
constexpr double CAMERA_DEAD_ZONE = 100.0;
constexpr int SHOT_DAMAGE = 30;
constexpr double SHOT_SPEED = 200.0;
constexpr int SHOT_LIFETIME = 2000;

// Which sides of the character met the object, judged from its box at the
// old and the new position: an axis counts only when undoing that axis's
// part of the move clears the overlap.
void classifyContact(const Character& character, const Point2D& before, const Point2D& after,
                     const GameObject& object, bool (&sides)[4]) {
  const bool horizontal = !Character::boxAt(Point2D(before.x, after.y)).intersects(object);
  const bool vertical = !Character::boxAt(Point2D(after.x, before.y)).intersects(object);
  for (bool& side : sides) {
    side = false;
  }
  if (horizontal) {
    sides[character.velocity.x > 0 ? Character::RIGHT_SIDE : Character::LEFT_SIDE] = true;
  }
  if (vertical) {
    sides[character.velocity.y > 0 ? Character::BOTTOM : Character::TOP] = true;
  }
}

// Window snap of one axis: a character that left the window on this axis is
// put on the edge it crossed. Returns whether the axis snapped.
bool snapAxis(double& offsetComponent, double distance, int extent) {
  // Truncating through the double keeps far-off distances defined; for
  // every int-sized value it is the same test as an int cast.
  const int half = extent / 2;
  if (std::abs(std::trunc(distance)) <= half) {
    return false;
  }
  double shift = distance - half;
  if (distance < 0) {
    shift += extent;
  }
  offsetComponent += shift;
  return true;
}

} // namespace

void World::updatePlay(int ms) {
  level->update(ms);
  flyShots(ms);
  checkDeath();
  steer(ms);
  followCharacter(ms);
  const Point2D before = character->position;
  character->updatePos(ms);
  const RectangularSector box = character->getRectangularSector();
  const bool handled = resolveContact(ms, before, box);
  character->updateVel(ms);
  character->clearAdjacent();
  if (!handled) {
    findAdjacent(box);
  }
  hitWithShots();
}

void World::flyShots(int ms) {
  // In place, so the list keeps its capacity and its firing order.
  std::erase_if(projectiles, [ms](Projectile& shot) { return !shot.update(ms); });
}

void World::checkDeath() {
  // The menu opened here freezes play from the next frame; this one goes on
  // with the restarted character.
  if (character->getCurrentHp() <= 0) {
    message("You are dead!");
    resetLevel();
    showLevelList();
  }
}

void World::steer(int ms) {
  int a = RUN_ACCELERATION;
  if (character->isPose(Character::CLINGING) && character->canClimb()) {
    const int climbUp = (-a) / 10;
    const int climbDown = a / 10;
    if (keyBinding->check("up")) {
      character->velocity.y = climbUp;
    }
    if (keyBinding->check("down")) {
      character->velocity.y = climbDown;
    }
  }
  if (!character->isPose(Character::GROUNDED)) {
    a = a / 5;
  }
  if (!character->isPose(Character::CLINGING)) {
    if (keyBinding->check("left")) {
      character->velocity.x -= pps(a, ms);
    }
    if (keyBinding->check("right")) {
      character->velocity.x += pps(a, ms);
    }
  }
  if (keyBinding->check("jump")) {
    character->jump();
  }
}

// The camera moves before the character, so a character that left the
// window last frame lands exactly on its edge now. The dead zone is
// measured before the snaps.
void World::followCharacter(int ms) {
  const Point2D centre = Point2D(width, height) / 2.0;
  Point2D d = character->position - (offset + centre);
  const double m = d.magnitude();
  if (snapAxis(offset.x, d.x, width)) {
    d.x = 0;
  }
  if (snapAxis(offset.y, d.y, height)) {
    d.y = 0;
  }
  if (m > CAMERA_DEAD_ZONE) {
    offset += d.convertPixelPerSecond(ms);
  }
}

bool World::resolveContact(int ms, const Point2D& before, const RectangularSector& box) {
  if (character->velocity.magnitudeSquared() == 0) {
    return false;
  }
  const int hit = level->activeIntersecting(box);
  if (hit == -1) {
    return false;
  }
  const GameObject& object = level->get(static_cast<std::size_t>(hit));
  bool sides[4];
  classifyContact(*character, before, character->position, object, sides);
  character->collide(ms, &object, sides);
  if (object.getType() == GameObject::GOAL_AREA) {
    resetLevel();
    message("Level Complete!");
    showLevelList();
  }
  return true;
}

void World::findAdjacent(const RectangularSector& box) {
  RectangularSector near = box;
  near.grow(-1, -1, 2, 2);
  const int touching = level->platformIntersecting(near);
  if (touching != -1) {
    character->adjacentObject(&level->get(static_cast<std::size_t>(touching)));
  } else if (character->isPose(Character::GROUNDED) || character->isPose(Character::CLINGING)) {
    character->setPose(Character::FALLING);
  }
}

void World::hitWithShots() {
  // Every object stops a shot; only monsters are hurt by it.
  std::erase_if(projectiles, [this](const Projectile& shot) {
    const int hit = level->activeContaining(truncateToInt(shot.getX()), truncateToInt(shot.getY()));
    if (hit == -1) {
      return false;
    }
    level->damage(static_cast<std::size_t>(hit), SHOT_DAMAGE);
    return true;
  });
}

void World::fire() {
  const Point2D direction = mouseWorld() - character->position;
  // A pointer exactly on the character's centre gives no direction to fly
  // in; such a shot is not fired.
  if (direction.magnitudeSquared() == 0) {
    return;
  }
  const Point2D velocity = direction.unitVector() * SHOT_SPEED;
  projectiles.emplace_back(character->position.x, character->position.y, velocity.x, velocity.y,
                           SHOT_LIFETIME);
}
