#pragma once

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"
#include "objects/Platform.h"

#include <vector>

class GameObject;
class KeyBinding;

// The player: a 20 x 20 box centred on position. Holds the movement rules
// that are its own (gravity, friction, wall grip, jumps) and its answer to
// touching one level object per frame.
class Character {
public:
  enum Direction : int { LEFT = 0, RIGHT = 1 };
  enum Pose : int { GROUNDED = 0, JUMPING = 1, FALLING = 2, CLINGING = 3 };

  // Indices of the contact record handed to collide: which side of the
  // character met the object.
  enum Side : int { TOP = 0, LEFT_SIDE = 1, RIGHT_SIDE = 2, BOTTOM = 3 };

  // Half the side of the square box: placing position this far from an
  // edge puts the box flush against it.
  static constexpr double HALF_SIZE = 10;

  // keyBinding is the world's, must outlive the character and is not owned.
  // 100 of 100 hit points, FALLING, at rest at (0, 0), touching nothing.
  explicit Character(const KeyBinding* keyBinding);

  // (x - 10, y - 10, 20, 20) around position.
  RectangularSector getRectangularSector() const;
  // The box the character would have with its centre at centre.
  static RectangularSector boxAt(const Point2D& centre);
  // position += velocity over dt milliseconds.
  void updatePos(int dt);
  // Pose-dependent change of velocity over dt milliseconds: gravity, ground
  // friction, wall brake, letting go of a wall. Play mode calls it once per
  // frame, after the move and the contact response.
  void updateVel(int dt);
  // Ground jump or wall jump; nothing in any other case. Play mode calls it
  // every frame "jump" is held, and a wall grab may call it.
  void jump();
  // The contact response to the one level object play mode found
  // overlapping this frame (null: none). sides holds four flags indexed by
  // Side, naming the sides of the character that met it. dt is not used.
  void collide(int dt, const GameObject* object, const bool* sides);

  bool isDirection(Direction d) const { return direction == d; }
  void setDirection(Direction d) { direction = d; }
  Direction getDirection() const { return direction; }
  bool isPose(Pose p) const { return pose == p; }
  void setPose(Pose p) { pose = p; }
  Pose getPose() const { return pose; }
  // Pose GROUNDED, vertical speed 0.
  void ground();

  static bool canJumpOn(Platform::PlatformType t);
  static bool canClimbOn(Platform::PlatformType t);
  bool canJump() const;
  bool canClimb() const;
  // Play mode passes the first object found touching at the end of a frame.
  void adjacentObject(const GameObject* o);
  void clearAdjacent();

  int getMaxHp() const { return maxHp; }
  int getCurrentHp() const { return currentHp; }
  void setCurrentHp(int hp) { currentHp = hp; }
  void incCurrentHp(int n) { setCurrentHp(getCurrentHp() + n); }
  void fullHp() { setCurrentHp(getMaxHp()); }

  // The blue square, filled; in the world's camera transform, untextured.
  // Leaves the colour set to blue.
  void draw() const;

  // The centre of the box, in level pixels. Read and written directly by the
  // world and play mode.
  Point2D position;
  // Pixels per second, y downwards. Read and written directly by play mode.
  Point2D velocity;

private:
  // Whether a platform found touching allows what allows tells.
  bool touchesPlatform(bool (*allows)(Platform::PlatformType)) const;
  // A platform met on the given side of the character, not while clinging:
  // put flush at flushX, then the wall grab (with the wall jump inside it)
  // when the key toward the wall or "jump" is held, else the horizontal
  // speed times glanceFactor.
  void meetWall(Direction side, double flushX, double glanceFactor, Platform::PlatformType type);

  // Never clamped: current may drop below 0 or exceed max.
  int maxHp = 100;
  int currentHp = 100;
  // The objects found touching at the end of the previous frame; they
  // belong to the level.
  std::vector<const GameObject*> adjacent;
  const KeyBinding* keyBinding;
  // The side of the wall held; set by a wall grab, read only while clinging.
  Direction direction = RIGHT;
  Pose pose = FALLING;
};
