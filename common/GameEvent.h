#pragma once

// What happened in a frame, as the game logic reports it: the world turns
// these into messages and menus, and the sound listens to them. Reported in
// the order they happened; nothing here knows who listens.
enum class GameEvent {
  JUMPED,
  WALL_JUMPED,
  // Touched down after falling.
  LANDED,
  SHOT_FIRED,
  // A shot reached a monster.
  SHOT_HIT,
  MONSTER_DIED,
  // A monster took hit points from the character.
  HURT,
  DIED,
  COMPLETED,
  MENU_MOVED,
  MENU_CHOSEN,
  SAVED,
  SAVE_FAILED,
};
