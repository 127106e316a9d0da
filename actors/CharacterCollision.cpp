#include "actors/Character.h"

#include "input/KeyBinding.h"
#include "objects/GameObject.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

namespace {

// Meeting a wall without holding toward it (or "jump") multiplies the
// horizontal speed by these. The signs differ on purpose: against a wall on
// the right the character keeps pressing in at a fifth of its speed and is
// put flush again on each later frame; from a wall on the left it bounces
// away at a fifth.
constexpr double RIGHT_WALL_SPEED_FACTOR = 0.2;
constexpr double LEFT_WALL_SPEED_FACTOR = -0.2;
// A rising character rebounds off a ceiling downwards at a fifth of its
// speed.
constexpr double CEILING_SPEED_FACTOR = -0.2;

// Hit points lost for each monster contact (one at most per frame).
constexpr int MONSTER_CONTACT_HP = -30;

} // namespace

void Character::meetWall(Direction side, double flushX, double glanceFactor,
                         Platform::PlatformType type) {
  position.setX(flushX);
  const char* toward = side == LEFT ? "left" : "right";
  if (keyBinding->check(toward) || keyBinding->check("jump")) {
    setDirection(side);
    setPose(CLINGING);
    velocity.setX(0);
    // Only a wall found touching last frame as well lets jump() leave it at
    // once; one reached from a distance is jumped off on a later frame.
    if (keyBinding->check("jump") && canJumpOn(type)) {
      jump();
    }
  } else {
    velocity.setX(glanceFactor * velocity.getX());
  }
}

// The horizontal response comes before the vertical one, so a landing in the
// same call undoes a wall grab or wall jump.
void Character::collide(int /*dt*/, const GameObject* object, const bool* sides) {
  if (const auto* platform = dynamic_cast<const Platform*>(object)) {
    // While clinging, horizontal contacts are ignored altogether: the grab
    // already stopped the character sideways.
    if (!isPose(CLINGING)) {
      if (sides[RIGHT_SIDE]) {
        meetWall(RIGHT, platform->getLeft() - HALF_SIZE, RIGHT_WALL_SPEED_FACTOR,
                 platform->getPlatformType());
      }
      if (sides[LEFT_SIDE]) {
        meetWall(LEFT, platform->getRight() + HALF_SIZE, LEFT_WALL_SPEED_FACTOR,
                 platform->getPlatformType());
      }
    }
    if (sides[BOTTOM]) {
      ground();
      position.setY(platform->getTop() - HALF_SIZE);
    }
    if (sides[TOP]) {
      position.setY(platform->getBottom() + HALF_SIZE);
      velocity.setY(CEILING_SPEED_FACTOR * velocity.getY());
    }
  } else if (const auto* monster = dynamic_cast<const Monster*>(object)) {
    // The damage comes even when no side is flagged; the pose and the
    // direction stay as they are.
    incCurrentHp(MONSTER_CONTACT_HP);
    if (sides[RIGHT_SIDE]) {
      velocity.setX(-velocity.getX());
      position.setX(monster->getLeft() - HALF_SIZE);
    }
    if (sides[LEFT_SIDE]) {
      velocity.setX(-velocity.getX());
      position.setX(monster->getRight() + HALF_SIZE);
    }
    if (sides[BOTTOM]) {
      velocity.setY(-velocity.getY());
      position.setY(monster->getTop() - HALF_SIZE);
    }
    if (sides[TOP]) {
      velocity.setY(-velocity.getY());
      position.setY(monster->getBottom() + HALF_SIZE);
    }
  }
  // Anything else (a spawn point, a goal area, no object) gets no response;
  // play mode ends the level at a goal area itself.
}
