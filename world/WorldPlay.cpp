#include "world/World.h"

#include "actors/Character.h"
#include "actors/RectangularSector.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Monster.h"

#include <cmath>
#include <cstddef>

namespace {

// Input acceleration on the ground, in px/s^2; a fifth of it in the air and
// a tenth of it as the climbing speed, both in integer arithmetic.
constexpr int RUN_ACCELERATION = 2000;
// The camera only follows a character further than this from the centre.
constexpr double CAMERA_DEAD_ZONE = 100.0;
constexpr int SHOT_DAMAGE = 30;
constexpr double SHOT_SPEED = 200.0;
constexpr int SHOT_LIFETIME = 2000;

// Which sides of the character met the object: an axis counts only when
// undoing that axis's part of the move clears the overlap.
void classifyContact(Character& character, const Point2D& before, const Point2D& after,
                     const GameObject& object, bool (&sides)[4]) {
  bool horizontal = true;
  bool vertical = true;
  character.position.set(before.x, after.y);
  if (character.getRectangularSector().intersects(object)) {
    horizontal = false;
  }
  character.position.set(after.x, before.y);
  if (character.getRectangularSector().intersects(object)) {
    vertical = false;
  }
  character.position = after;

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
  if (std::abs(std::trunc(distance)) <= extent / 2) {
    return false;
  }
  double shift = distance - extent / 2;
  if (distance < 0) {
    shift += extent;
  }
  offsetComponent += shift;
  return true;
}

} // namespace

void World::updatePlay(int ms) {
  level->update(ms);

  // Compacted in place so the list keeps its capacity and its firing order.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < projectiles.size(); ++i) {
    if (projectiles[i].update(ms)) {
      projectiles[kept++] = projectiles[i];
    }
  }
  projectiles.resize(kept);

  // The menu opened here freezes play from the next frame; this one goes on
  // with the restarted character.
  if (character->getCurrentHp() <= 0) {
    message("You are dead!");
    resetLevel();
    showLevelList();
  }

  int a = RUN_ACCELERATION;
  if (character->isPose(Character::CLINGING) && character->canClimb()) {
    if (keyBinding->check("up")) {
      character->velocity.y = (-a) / 10;
    }
    if (keyBinding->check("down")) {
      character->velocity.y = a / 10;
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

  // The camera moves before the character, so a character that left the
  // window last frame lands exactly on its edge now. The dead zone is
  // measured before the snaps.
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

  const Point2D before = character->position;
  character->updatePos(ms);
  const Point2D after = character->position;
  const RectangularSector box = character->getRectangularSector();
  bool handled = false;

  if (character->velocity.magnitudeSquared() != 0) {
    const int hit = level->activeIntersecting(box);
    if (hit != -1) {
      const GameObject& object = level->get(static_cast<std::size_t>(hit));
      bool sides[4];
      classifyContact(*character, before, after, object, sides);
      handled = true;
      character->collide(ms, &object, sides);
      if (object.getType() == GameObject::GOAL_AREA) {
        resetLevel();
        message("Level Complete!");
        showLevelList();
      }
    }
  }

  character->updateVel(ms);
  character->clearAdjacent();

  if (!handled) {
    RectangularSector near = box;
    near.grow(-1, -1, 2, 2);
    const int touching = level->platformIntersecting(near);
    if (touching != -1) {
      character->adjacentObject(&level->get(static_cast<std::size_t>(touching)));
    } else if (character->isPose(Character::GROUNDED) || character->isPose(Character::CLINGING)) {
      character->setPose(Character::FALLING);
    }
  }

  kept = 0;
  for (std::size_t i = 0; i < projectiles.size(); ++i) {
    const int hit = level->activeContaining(truncateToInt(projectiles[i].getX()),
                                            truncateToInt(projectiles[i].getY()));
    if (hit == -1) {
      projectiles[kept++] = projectiles[i];
    } else if (auto* monster = dynamic_cast<Monster*>(&level->get(static_cast<std::size_t>(hit)))) {
      monster->incCurrentHp(-SHOT_DAMAGE);
    }
  }
  projectiles.resize(kept);
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
