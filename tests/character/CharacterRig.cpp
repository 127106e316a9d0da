#include "character/CharacterRig.h"

#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Events.h"

CharacterRig::CharacterRig() {
  binding.bind("up", SDLK_w);
  binding.bind("left", SDLK_a);
  binding.bind("down", SDLK_s);
  binding.bind("right", SDLK_d);
  binding.bind("jump", SDLK_SPACE);
}

void CharacterRig::hold(std::string_view keyChars) {
  // SDL 1.2 key codes of letters and space are their ASCII codes.
  for (const char c : keyChars) {
    keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, static_cast<SDLKey>(c)));
  }
}

std::unique_ptr<GameObject> CharacterRig::touch(Thing thing, Box box) {
  std::unique_ptr<GameObject> object = makeThing(thing, box);
  if (object) {
    character.adjacentObject(object.get());
  }
  return object;
}

std::unique_ptr<GameObject> makeThing(Thing thing, Box b) {
  switch (thing) {
  case Thing::NOTHING:
    return nullptr;
  case Thing::CLIMBABLE:
    return std::make_unique<Platform>(b.x, b.y, b.width, b.height, Platform::CLIMBABLE);
  case Thing::JUMPABLE:
    return std::make_unique<Platform>(b.x, b.y, b.width, b.height, Platform::JUMPABLE);
  case Thing::PLAIN:
    return std::make_unique<Platform>(b.x, b.y, b.width, b.height, Platform::PLAIN);
  case Thing::MONSTER:
    return std::make_unique<Monster>(b.x, b.y, b.width, b.height);
  case Thing::SPAWN_POINT:
    return std::make_unique<GameObject>(b.x, b.y, b.width, b.height, GameObject::SPAWN_POINT);
  case Thing::GOAL_AREA:
    return std::make_unique<GameObject>(b.x, b.y, b.width, b.height, GameObject::GOAL_AREA);
  }
  return nullptr;
}

void setState(Character& c, const CharacterState& s) {
  c.position = s.position;
  c.velocity = s.velocity;
  c.setPose(s.pose);
  c.setDirection(s.direction);
  c.setCurrentHp(s.hp);
}

void expectState(const CharacterState& expected, const Character& actual) {
  EXPECT_DOUBLE_EQ(expected.position.x, actual.position.x) << "position x";
  EXPECT_DOUBLE_EQ(expected.position.y, actual.position.y) << "position y";
  EXPECT_DOUBLE_EQ(expected.velocity.x, actual.velocity.x) << "velocity x";
  EXPECT_DOUBLE_EQ(expected.velocity.y, actual.velocity.y) << "velocity y";
  EXPECT_EQ(expected.pose, actual.getPose()) << "pose";
  EXPECT_EQ(expected.direction, actual.getDirection()) << "direction";
  EXPECT_EQ(expected.hp, actual.getCurrentHp()) << "hit points";
}
