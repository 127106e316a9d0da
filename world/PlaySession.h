#pragma once

#include "actors/Character.h"
#include "actors/Projectile.h"
#include "common/EventLog.h"

#include <vector>

class Camera;
class KeyBinding;
class Level;
class RectangularSector;

// One run of the level being played: the character, the shots in flight
// and the rules of a play frame. It reports what happened as GameEvents
// and leaves the messages and menus they lead to to its owner; a death or
// a completion has already restarted the run when it is reported.
class PlaySession {
public:
  // Nothing is owned; all must outlive the session. events receives what
  // happened, in order.
  PlaySession(const KeyBinding* bindings, Level* level, Camera* camera, EventLog* events);

  // One frame, in this order: the level's objects, the shots, death, input,
  // camera, move, contact, velocity, what the character touches, hits.
  void updatePlay(int ms);
  // A shot from the character towards target, a level position.
  void fire(const Point2D& target);
  // A gamepad's shot: towards the aim (a right stick's axes) or, with none,
  // straight ahead the way the character last ran.
  void fireAhead(int aimX, int aimY);
  // Revives the level's objects and puts the character back on the spawn
  // point at full hit points, at rest and falling.
  void resetLevel();
  // Play starts with the character's centre at start, lifted clear of
  // whatever it would start inside.
  void startAt(const Point2D& start);

  const Character& getCharacter() const { return character; }
  // Under the camera translation.
  void drawCharacter() const;
  void drawShots(const RectangularSector& view) const;
  // In window coordinates: the hit-point bar hanging from the top-right
  // corner of a window width pixels wide.
  void drawHitPoints(int width) const;

private:
  void flyShots(int ms);
  void checkDeath();
  // Held actions into the character's velocity.
  void steer(int ms);
  // The frame's one contact, the first active object in list order that
  // the character's box (moved from before) overlaps. False when there was
  // none.
  bool resolveContact(int ms, const Point2D& before, const RectangularSector& box);
  // What the character touches, for its next jump or climb.
  void findAdjacent(const RectangularSector& box);
  void hitWithShots();
  // The jump, wall jump or landing that took the character from pose
  // before to its pose now.
  void reportPoseChange(Character::Pose before);
  void report(GameEvent event) { events->report(event); }

  const KeyBinding* bindings;
  Level* level;
  Camera* camera;
  EventLog* events;
  Character character;
  std::vector<Projectile> projectiles;
  // The way the character last ran: -1 left, 1 right.
  int facing = 1;
};
