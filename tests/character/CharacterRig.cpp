#include "character/CharacterRig.h"

#include "objects/Monster.h"
#include "objects/Platform.h"

namespace {

SDL_Event keyEvent(Uint8 type, SDLKey key) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  return e;
}

} // namespace

CharacterRig::CharacterRig() {
  binding.bind("up", SDLK_w);
  binding.bind("left", SDLK_a);
  binding.bind("down", SDLK_s);
  binding.bind("right", SDLK_d);
  binding.bind("jump", SDLK_SPACE);
}

void CharacterRig::press(SDLKey key) {
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, key));
}

void CharacterRig::release(SDLKey key) {
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, key));
}

void CharacterRig::hold(std::string_view keyChars) {
  // SDL 1.2 key codes of letters and space are their ASCII codes.
  for (const char c : keyChars) {
    press(static_cast<SDLKey>(c));
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
  case Thing::CLIMBABLE_PLATFORM:
    return std::make_unique<Platform>(b.x, b.y, b.width, b.height, Platform::CLIMBABLE);
  case Thing::JUMPABLE_PLATFORM:
    return std::make_unique<Platform>(b.x, b.y, b.width, b.height, Platform::JUMPABLE);
  case Thing::PLAIN_PLATFORM:
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

CharacterState stateOf(const Character& c) {
  return CharacterState{c.position, c.velocity, c.getPose(), c.getDirection(), c.getCurrentHp()};
}

void setState(Character& c, const CharacterState& s) {
  c.position = s.position;
  c.velocity = s.velocity;
  c.setPose(s.pose);
  c.setDirection(s.direction);
  c.setCurrentHp(s.hp);
}

void expectState(const CharacterState& expected, const Character& actual) {
  EXPECT_DOUBLE_EQ(expected.position.getX(), actual.position.getX()) << "position x";
  EXPECT_DOUBLE_EQ(expected.position.getY(), actual.position.getY()) << "position y";
  EXPECT_DOUBLE_EQ(expected.velocity.getX(), actual.velocity.getX()) << "velocity x";
  EXPECT_DOUBLE_EQ(expected.velocity.getY(), actual.velocity.getY()) << "velocity y";
  EXPECT_EQ(expected.pose, actual.getPose()) << "pose";
  EXPECT_EQ(expected.direction, actual.getDirection()) << "direction";
  EXPECT_EQ(expected.hp, actual.getCurrentHp()) << "hit points";
}
