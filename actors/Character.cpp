#include "actors/Character.h"

#include "common/Draw.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "objects/GameObject.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// What a platform type allows beyond being solid. A type in neither table
// (PLAIN, or a value a level file made up) is only a wall.
constexpr Platform::PlatformType climbable[] = {Platform::CLIMBABLE};
constexpr Platform::PlatformType jumpable[] = {Platform::CLIMBABLE, Platform::JUMPABLE};

// Accelerations, px/s^2. Gravity also pulls a character down a wall it
// cannot climb.
constexpr double GRAVITY = 1000;
constexpr double GROUND_FRICTION = 1000;
constexpr double WALL_BRAKE = 2000;

// Speeds, px/s; negative y is up.
constexpr double GROUND_JUMP_SPEED = -700;
// A wall jump keeps half of the vertical speed it starts with, adds this
// lift, and pushes away from the wall with this horizontal speed (written
// for a wall on the right, mirrored for one on the left).
constexpr double WALL_JUMP_KEPT_SHARE = 0.5;
constexpr double WALL_JUMP_LIFT = -500;
constexpr double WALL_JUMP_PUSH = -200;

// Friction and the wall brake: an acceleration of the given size against
// the speed, except that a speed whose whole part is 0 (below 1 px/s in size)
// stops dead, set to 0 with no acceleration. The step itself is not clamped
// and may overshoot zero; only this stop ever brings a speed to rest.
// std::trunc rather than a cast to int, so that no speed is out of range.
double brakingAcceleration(double& speed, double deceleration) {
  if (std::trunc(speed) == 0) {
    speed = 0;
    return 0;
  }
  return speed > 0 ? -deceleration : deceleration;
}

} // namespace

Character::Character(const KeyBinding* keyBinding) : keyBinding(keyBinding) {
  // Play mode keeps at most one object here; reserving it keeps the
  // per-frame refresh free of allocation.
  adjacent.reserve(1);
}

RectangularSector Character::getRectangularSector() const {
  return boxAt(position);
}

RectangularSector Character::boxAt(const Point2D& centre) {
  return RectangularSector(centre.x - HALF_SIZE, centre.y - HALF_SIZE, 2 * HALF_SIZE,
                           2 * HALF_SIZE);
}

void Character::updatePos(int dt) {
  position += velocity.convertPixelPerSecond(dt);
}

// Only GROUNDED changes the horizontal speed, only the other poses the
// vertical one.
void Character::updateVel(int dt) {
  switch (pose) {
  case JUMPING:
  case FALLING:
    velocity.incY(pps(GRAVITY, dt));
    break;
  case GROUNDED: {
    const double a = brakingAcceleration(velocity.x, GROUND_FRICTION);
    velocity.incX(pps(a, dt));
    break;
  }
  case CLINGING: {
    double a = brakingAcceleration(velocity.y, WALL_BRAKE);
    // A wall that cannot be climbed gives no grip: the character slides.
    if (!canClimb()) {
      a = GRAVITY;
    }
    velocity.incY(pps(a, dt));
    // The grip lasts only while the key toward the wall is held.
    if (isDirection(LEFT) && !keyBinding->check("left")) {
      setPose(FALLING);
    }
    if (isDirection(RIGHT) && !keyBinding->check("right")) {
      setPose(FALLING);
    }
    break;
  }
  }
}

void Character::jump() {
  if (isPose(GROUNDED)) {
    velocity.setY(GROUND_JUMP_SPEED);
    setPose(JUMPING);
  } else if (isPose(CLINGING) && canJump()) {
    velocity.setY(WALL_JUMP_KEPT_SHARE * velocity.getY());
    velocity.incY(WALL_JUMP_LIFT);
    velocity.incX(WALL_JUMP_PUSH);
    if (isDirection(LEFT)) {
      velocity.setX(-velocity.getX());
    }
    setPose(JUMPING);
  }
}

void Character::ground() {
  setPose(GROUNDED);
  velocity.setY(0);
}

bool Character::canJumpOn(Platform::PlatformType t) {
  return std::find(std::begin(jumpable), std::end(jumpable), t) != std::end(jumpable);
}

bool Character::canClimbOn(Platform::PlatformType t) {
  return std::find(std::begin(climbable), std::end(climbable), t) != std::end(climbable);
}

bool Character::touchesPlatform(bool (*allows)(Platform::PlatformType)) const {
  return std::any_of(adjacent.begin(), adjacent.end(), [allows](const GameObject* o) {
    const auto* platform = dynamic_cast<const Platform*>(o);
    return platform != nullptr && allows(platform->getPlatformType());
  });
}

bool Character::canJump() const {
  return touchesPlatform(canJumpOn);
}

bool Character::canClimb() const {
  return touchesPlatform(canClimbOn);
}

void Character::adjacentObject(const GameObject* o) {
  adjacent.push_back(o);
}

void Character::clearAdjacent() {
  adjacent.clear();
}

void Character::draw() const {
  glColor3f(0, 0, 1);
  glBegin(GL_POLYGON);
  rect(truncateToInt(position.getX() - HALF_SIZE), truncateToInt(position.getY() - HALF_SIZE),
       truncateToInt(position.getX() + HALF_SIZE), truncateToInt(position.getY() + HALF_SIZE));
  glEnd();
}
