#include "world/PlaySession.h"

#include "actors/RectangularSector.h"
#include "common/Draw.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "world/Camera.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Input acceleration on the ground, in px/s^2; a fifth of it in the air and
// a tenth of it as the climbing speed, both in integer arithmetic.
constexpr int RUN_ACCELERATION = 2000;
constexpr int SHOT_DAMAGE = 30;
constexpr double SHOT_SPEED = 200.0;
constexpr int SHOT_LIFETIME = 2000;
constexpr std::size_t SHOTS_IN_FLIGHT = 64;
// How far the character is lifted per step when play starts inside objects.
constexpr double LIFT_STEP = 5.0;

// The hit-point bar's box hangs from the top-right corner.
constexpr int BAR_RIGHT_MARGIN = 210;
constexpr int BAR_TOP = 10;
constexpr int BAR_WIDTH = 200;
constexpr int BAR_HEIGHT = 10;

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

} // namespace

PlaySession::PlaySession(const KeyBinding* bindings, Level* level, Camera* camera, EventLog* events)
    : bindings(bindings), level(level), camera(camera), events(events), character(bindings) {
  // Room for every shot a player can keep in the air at once (two seconds
  // each, a dozen or so clicks a second): firing never allocates.
  projectiles.reserve(SHOTS_IN_FLIGHT);
}

void PlaySession::updatePlay(int ms) {
  for (int died = level->update(ms); died > 0; --died) {
    report(GameEvent::MONSTER_DIED);
  }
  flyShots(ms);
  checkDeath();
  steer(ms);
  // The camera moves before the character, so a character that left the
  // window last frame lands exactly on its edge now.
  camera->follow(character.position, ms);
  const Point2D before = character.position;
  character.updatePos(ms);
  const RectangularSector box = character.getRectangularSector();
  const bool handled = resolveContact(ms, before, box);
  character.updateVel(ms);
  character.clearAdjacent();
  if (!handled) {
    findAdjacent(box);
  }
  hitWithShots();
}

void PlaySession::flyShots(int ms) {
  // In place, so the list keeps its capacity and its firing order.
  std::erase_if(projectiles, [ms](Projectile& shot) { return !shot.update(ms); });
}

void PlaySession::checkDeath() {
  // The owner's menu freezes play from the next frame; this one goes on
  // with the restarted character.
  if (character.getCurrentHp() <= 0) {
    report(GameEvent::DIED);
    resetLevel();
  }
}

void PlaySession::steer(int ms) {
  int a = RUN_ACCELERATION;
  if (character.isPose(Character::CLINGING) && character.canClimb()) {
    const int climbUp = (-a) / 10;
    const int climbDown = a / 10;
    if (bindings->check("up")) {
      character.velocity.y = climbUp;
    }
    if (bindings->check("down")) {
      character.velocity.y = climbDown;
    }
  }
  if (!character.isPose(Character::GROUNDED)) {
    a = a / 5;
  }
  if (!character.isPose(Character::CLINGING)) {
    if (bindings->check("left")) {
      character.velocity.x -= pps(a, ms);
      facing = -1;
    }
    if (bindings->check("right")) {
      character.velocity.x += pps(a, ms);
      facing = 1;
    }
  }
  if (bindings->check("jump")) {
    const Character::Pose pose = character.getPose();
    character.jump();
    reportPoseChange(pose);
  }
}

bool PlaySession::resolveContact(int ms, const Point2D& before, const RectangularSector& box) {
  if (character.velocity.magnitudeSquared() == 0) {
    return false;
  }
  const int hit = level->activeIntersecting(box);
  if (hit == -1) {
    return false;
  }
  const GameObject& object = level->get(static_cast<std::size_t>(hit));
  bool sides[4];
  classifyContact(character, before, character.position, object, sides);
  const Character::Pose pose = character.getPose();
  const int hp = character.getCurrentHp();
  character.collide(ms, &object, sides);
  reportPoseChange(pose);
  if (character.getCurrentHp() < hp) {
    report(GameEvent::HURT);
  }
  if (object.getType() == GameObject::GOAL_AREA) {
    resetLevel();
    report(GameEvent::COMPLETED);
  }
  return true;
}

void PlaySession::reportPoseChange(Character::Pose before) {
  const Character::Pose now = character.getPose();
  if (now == before) {
    return;
  }
  if (now == Character::JUMPING) {
    report(before == Character::GROUNDED ? GameEvent::JUMPED : GameEvent::WALL_JUMPED);
  } else if (now == Character::GROUNDED) {
    report(GameEvent::LANDED);
  }
}

void PlaySession::findAdjacent(const RectangularSector& box) {
  RectangularSector near = box;
  near.grow(-1, -1, 2, 2);
  const int touching = level->platformIntersecting(near);
  if (touching != -1) {
    character.adjacentObject(&level->get(static_cast<std::size_t>(touching)));
  } else if (character.isPose(Character::GROUNDED) || character.isPose(Character::CLINGING)) {
    character.setPose(Character::FALLING);
  }
}

void PlaySession::hitWithShots() {
  // Every object stops a shot; only monsters are hurt by it.
  std::erase_if(projectiles, [this](const Projectile& shot) {
    const int hit = level->activeContaining(truncateToInt(shot.getX()), truncateToInt(shot.getY()));
    if (hit == -1) {
      return false;
    }
    if (level->damage(static_cast<std::size_t>(hit), SHOT_DAMAGE)) {
      report(GameEvent::SHOT_HIT);
    }
    return true;
  });
}

void PlaySession::fire(const Point2D& target) {
  const Point2D direction = target - character.position;
  // A pointer exactly on the character's centre gives no direction to fly
  // in; such a shot is not fired.
  if (direction.magnitudeSquared() == 0) {
    return;
  }
  const Point2D velocity = direction.unitVector() * SHOT_SPEED;
  projectiles.emplace_back(character.position.x, character.position.y, velocity.x, velocity.y,
                           SHOT_LIFETIME);
  report(GameEvent::SHOT_FIRED);
}

void PlaySession::fireAhead(int aimX, int aimY) {
  const bool aimed = aimX != 0 || aimY != 0;
  fire(character.position + (aimed ? Point2D(aimX, aimY) : Point2D(facing, 0)));
}

void PlaySession::resetLevel() {
  level->refresh();
  character.position = level->getSpawnPoint();
  character.velocity.set(0, 0);
  character.fullHp();
  character.setPose(Character::FALLING);
  // What the character touched belongs to the old run: after a reload or a
  // cut those objects are gone, and a jump must not ask them anything.
  character.clearAdjacent();
}

void PlaySession::startAt(const Point2D& start) {
  resetLevel();
  character.position = start;
  // Play starts above whatever the pointer is in, as if lifted LIFT_STEP
  // pixels at a time; the steps past each object are counted at once, so
  // that a very tall object costs one search, not millions.
  const double startY = character.position.y;
  double steps = 0;
  for (int hit = level->platformIntersecting(character.getRectangularSector()); hit != -1;
       hit = level->platformIntersecting(character.getRectangularSector())) {
    // Clear of the object once the box's bottom is on its top edge.
    const double top = level->get(static_cast<std::size_t>(hit)).getTop();
    const double needed = std::ceil((startY + Character::HALF_SIZE - top) / LIFT_STEP);
    if (!std::isfinite(needed)) {
      return;
    }
    steps = std::max(steps + 1, needed);
    character.position.y = startY - LIFT_STEP * steps;
  }
}

void PlaySession::drawCharacter() const {
  character.draw();
}

void PlaySession::drawShots(const RectangularSector& view) const {
  for (const Projectile& projectile : projectiles) {
    if (projectile.isInView(view)) {
      projectile.draw();
    }
  }
}

void PlaySession::drawHitPoints(int width) const {
  const int barX = width - BAR_RIGHT_MARGIN;
  double fraction =
      static_cast<double>(character.getCurrentHp()) / static_cast<double>(character.getMaxHp());
  // Also catches the NaN of a character without hit points to lose.
  if (!(fraction >= 0)) {
    fraction = 0;
  }
  glColor3d(0.4, 0, 0);
  fillBox(barX, BAR_TOP, barX + BAR_WIDTH, BAR_TOP + BAR_HEIGHT);
  glColor3d(1, 0, 0);
  fillBox(barX, BAR_TOP, barX + truncateToInt(BAR_WIDTH * fraction), BAR_TOP + BAR_HEIGHT);
}
